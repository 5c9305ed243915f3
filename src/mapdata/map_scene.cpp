#include "mapdata/map_scene.h"

#include "mapdata/map_texts.h"

#include <cmath>

namespace zv::map {

WorldRect MapScene::bounds() const {
    WorldRect rect;
    for (const auto& layer : layers) {
        rect.add(layer->bounds());
    }
    return rect;
}

bool MapScene::hasClimbs() const {
    for (const auto& layer : layers) {
        if (layer->kind == LayerKind::Flight || layer->kind == LayerKind::Lifts) {
            return true;
        }
    }
    return false;
}

std::optional<PickedItem> pickAt(const MapScene& scene, const MapViewport& viewport,
                                 const ScreenPoint& pointer, double radius) {
    std::optional<PickedItem> best;
    // Later layers are drawn over earlier ones: on equal distance the later one wins.
    const auto consider = [&](std::size_t layer, const WorldPoint& at, const auto& tooltip) {
        const ScreenPoint screen = viewport.screenFromWorld(at);
        const double distance = std::hypot(screen.x - pointer.x, screen.y - pointer.y);
        if (distance <= radius && (!best || distance <= best->distance)) {
            best = PickedItem{layer, distance, tooltip()};
        }
    };
    const double reach = radius / worldPixels(viewport.zoom());
    const WorldPoint centre = viewport.worldFromScreen(pointer);
    const WorldRect near{centre.x - reach, centre.y - reach, centre.x + reach, centre.y + reach};
    for (std::size_t index = 0; index < scene.layers.size(); ++index) {
        const MapLayer& layer = *scene.layers[index];
        for (std::size_t mark = 0; mark < layer.marks.size(); ++mark) {
            if (near.contains(layer.marks[mark].at)) {
                consider(index, layer.marks[mark].at, [&] { return markTooltip(layer, mark); });
            }
        }
        const auto fixes = layer.flight.fixes();
        for (std::size_t fix = 0; fix < fixes.size(); ++fix) {
            if (near.contains(fixes[fix].at)) {
                consider(index, fixes[fix].at, [&] { return fixTooltip(layer, fix); });
            }
        }
        layer.lifts.forEachGroup(near, viewport.zoom(), [&](const ThermalGroup& group) {
            consider(index, group.at, [&] {
                return group.count == 1 ? thermalTooltip(layer, layer.lifts.thermals()[group.first])
                                        : thermalGroupTooltip(layer, group);
            });
        });
    }
    return best;
}

} // namespace zv::map
