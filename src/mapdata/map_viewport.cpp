#include "mapdata/map_viewport.h"

#include <algorithm>
#include <cmath>

namespace zv::map {

MapViewport::MapViewport(WorldPoint centre, int zoom, int width, int height)
    : centre_(centre), zoom_(std::clamp(zoom, minZoom, maxZoom)), width_(std::max(width, 0)),
      height_(std::max(height, 0)) {
    keepCentreInWorld();
}

void MapViewport::resize(int width, int height) {
    width_ = std::max(width, 0);
    height_ = std::max(height, 0);
}

ScreenPoint MapViewport::screenFromWorld(const WorldPoint& world) const {
    const double scale = worldPixels(zoom_);
    return {(world.x - centre_.x) * scale + width_ / 2.0,
            (world.y - centre_.y) * scale + height_ / 2.0};
}

WorldPoint MapViewport::worldFromScreen(const ScreenPoint& screen) const {
    const double scale = worldPixels(zoom_);
    return {centre_.x + (screen.x - width_ / 2.0) / scale,
            centre_.y + (screen.y - height_ / 2.0) / scale};
}

WorldRect MapViewport::visibleWorld() const {
    const WorldPoint topLeft = worldFromScreen({0, 0});
    const WorldPoint bottomRight =
        worldFromScreen({static_cast<double>(width_), static_cast<double>(height_)});
    return {topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
}

void MapViewport::panByPixels(double dx, double dy) {
    const double scale = worldPixels(zoom_);
    centre_.x -= dx / scale;
    centre_.y -= dy / scale;
    keepCentreInWorld();
}

void MapViewport::zoomAt(const ScreenPoint& anchor, int steps) {
    const int zoom = std::clamp(zoom_ + steps, minZoom, maxZoom);
    if (zoom == zoom_) {
        return;
    }
    const WorldPoint held = worldFromScreen(anchor);
    zoom_ = zoom;
    const double scale = worldPixels(zoom_);
    centre_.x = held.x - (anchor.x - width_ / 2.0) / scale;
    centre_.y = held.y - (anchor.y - height_ / 2.0) / scale;
    keepCentreInWorld();
}

void MapViewport::fit(const WorldRect& rect, int margin, int deepest) {
    if (rect.isEmpty()) {
        return;
    }
    centre_ = {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    const double usableWidth = std::max(width_ - 2 * margin, 1);
    const double usableHeight = std::max(height_ - 2 * margin, 1);
    zoom_ = std::clamp(deepest, minZoom, maxZoom);
    while (zoom_ > minZoom && ((rect.right - rect.left) * worldPixels(zoom_) > usableWidth ||
                               (rect.bottom - rect.top) * worldPixels(zoom_) > usableHeight)) {
        --zoom_;
    }
    keepCentreInWorld();
}

std::vector<TileKey> MapViewport::visibleTiles() const {
    const WorldRect visible = visibleWorld();
    const int count = 1 << zoom_;
    const auto tileIndex = [count](double world) {
        return std::clamp(static_cast<int>(std::floor(world * count)), 0, count - 1);
    };
    std::vector<TileKey> tiles;
    if (visible.right <= 0 || visible.left >= 1 || visible.bottom <= 0 || visible.top >= 1) {
        return tiles;
    }
    for (int y = tileIndex(visible.top); y <= tileIndex(visible.bottom); ++y) {
        for (int x = tileIndex(visible.left); x <= tileIndex(visible.right); ++x) {
            tiles.push_back({zoom_, x, y});
        }
    }
    const double middleX = centre_.x * count;
    const double middleY = centre_.y * count;
    const auto distance = [&](const TileKey& tile) {
        return std::hypot(tile.x + 0.5 - middleX, tile.y + 0.5 - middleY);
    };
    std::stable_sort(tiles.begin(), tiles.end(),
                     [&](const TileKey& a, const TileKey& b) { return distance(a) < distance(b); });
    return tiles;
}

void MapViewport::keepCentreInWorld() {
    centre_.x = std::clamp(std::isnan(centre_.x) ? 0.5 : centre_.x, 0.0, 1.0);
    centre_.y = std::clamp(std::isnan(centre_.y) ? 0.5 : centre_.y, 0.0, 1.0);
}

MapViewport viewportShowing(const WorldRect& data, int width, int height) {
    constexpr int margin = 48;
    constexpr int deepest = 15;
    MapViewport viewport({0.5, 0.5}, minZoom, width, height);
    viewport.fit(data, margin, deepest);
    return viewport;
}

} // namespace zv::map
