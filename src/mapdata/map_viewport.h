#pragma once

// What the map window shows: the world point at the centre of the view, the zoom level
// and the size of the view in pixels; and the moves of the pilot's mouse and keys on it.

#include "mapdata/web_mercator.h"

#include <vector>

namespace zv::map {

// A point of the view in pixels, (0, 0) at the top left corner.
struct ScreenPoint {
    double x = 0;
    double y = 0;
};

class MapViewport {
public:
    MapViewport() = default;
    MapViewport(WorldPoint centre, int zoom, int width, int height);

    WorldPoint centre() const { return centre_; }
    int zoom() const { return zoom_; }
    int width() const { return width_; }
    int height() const { return height_; }

    void resize(int width, int height);
    ScreenPoint screenFromWorld(const WorldPoint& world) const;
    WorldPoint worldFromScreen(const ScreenPoint& screen) const;
    // The part of the world the view covers (it may reach beyond the world's edges).
    WorldRect visibleWorld() const;

    // Moves the map with the pointer: the content follows by (dx, dy) pixels.
    void panByPixels(double dx, double dy);
    // Changes the zoom level by `steps`, keeping the world point under `anchor` in place.
    void zoomAt(const ScreenPoint& anchor, int steps);
    // Shows the whole rectangle with `margin` pixels to spare on every side, at the
    // deepest zoom level where it fits, but not deeper than `deepest`.
    void fit(const WorldRect& rect, int margin, int deepest);

    // The tiles that cover the view, those nearest the centre first.
    std::vector<TileKey> visibleTiles() const;

private:
    void keepCentreInWorld();

    WorldPoint centre_{0.5, 0.5};
    int zoom_ = minZoom;
    int width_ = 0;
    int height_ = 0;
};

// The view of a map window or a headless picture of this size when files are opened:
// all of the data, with room for the symbols at the edges, not deeper than a valley.
MapViewport viewportShowing(const WorldRect& data, int width, int height);

} // namespace zv::map
