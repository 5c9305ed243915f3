#pragma once

// Paints a map: the tiles (or, where none came, a graticule), the lifts in their climb
// colours with their wind, the flights coloured by climb, routes, waypoints and takeoff
// sites, and over them the legend, the scale bar and the attribution of the map data.
// The map window and the headless picture of zv-cli paint with the same code.

#include "mapdata/map_scene.h"
#include "mapdata/map_viewport.h"

#include <QColor>
#include <QImage>
#include <functional>

class QPainter;

namespace zv {

// The tile when it is at hand, else null; no lookup at all paints the graticule only.
using TileLookup = std::function<const QImage*(const map::TileKey&)>;

// Paints onto a device of the viewport's size.
void paintMap(QPainter& painter, const map::MapViewport& viewport, const map::MapScene& scene,
              const TileLookup& tiles);

// A Windows colour value (red in the low byte) as Qt's colour.
QColor windowsColour(std::int32_t value);

// The text that credits the map data; always painted.
inline constexpr const char* mapAttribution = "© OpenStreetMap-Mitwirkende";

} // namespace zv
