#pragma once

// Everything one map shows: its layers in the order they were opened, and what lies
// under the pointer.

#include "mapdata/map_layer.h"
#include "mapdata/map_viewport.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace zv::map {

struct MapScene {
    // Shared, so that a window and a loading thread may hold a layer without a copy.
    std::vector<std::shared_ptr<const MapLayer>> layers;

    WorldRect bounds() const;
    bool hasClimbs() const; // a flight or lifts, which the climb colours explain
};

// What the pointer is on: the nearest waypoint, lift (or group of lifts) or flight fix
// within `radius` pixels; its tooltip text.
struct PickedItem {
    std::size_t layer = 0;
    double distance = 0; // pixels
    std::string tooltip;
};
std::optional<PickedItem> pickAt(const MapScene& scene, const MapViewport& viewport,
                                 const ScreenPoint& pointer, double radius);

} // namespace zv::map
