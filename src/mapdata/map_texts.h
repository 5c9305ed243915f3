#pragma once

// The texts of the map window: the pointer's position in the instrument's text form, the
// labels of the scale bar and the graticule, and the tooltips of what lies under the
// pointer. Numbers are written as the instrument's files write them, with a point.

#include "mapdata/map_layer.h"
#include "mapdata/thermal_index.h"
#include "mapdata/web_mercator.h"

#include <string>

namespace zv::map {

// "N  47 12.50   E  10 24.00": hemisphere, whole degrees ("%2.0f") and decimal minutes
// ("%05.2f") of latitude and longitude, as the instrument's files write them.
std::string positionText(const LatLon& place);
// One coordinate of that form, for the graticule's labels: "N  47 12.50", "E  10 24.00".
std::string latitudeText(double latitude);
std::string longitudeText(double longitude);

// "500 m", "2 km": a length of the scale bar.
std::string distanceText(double metres);

// The tooltips.
std::string markTooltip(const MapLayer& layer, std::size_t mark);
std::string thermalTooltip(const MapLayer& layer, const Thermal& thermal);
std::string thermalGroupTooltip(const MapLayer& layer, const ThermalGroup& group);
std::string fixTooltip(const MapLayer& layer, std::size_t fix);

// The legend's line of a layer: its title and what it holds ("Lifts.lft: 2 Aufwinde").
std::string legendText(const MapLayer& layer);

} // namespace zv::map
