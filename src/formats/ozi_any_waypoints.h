#pragma once

// OziExplorer waypoint files as any program writes them, not only as zv writes them:
// after the four lines of the head, one line per waypoint with the comma-separated fields
// number, name, latitude, longitude (decimal degrees), date, symbol, status, display
// format, colours, description, pointer direction, display format, proximity and altitude
// in feet (-777: none). A comma inside a text is written as the character "Ñ"
// (Windows-1252 byte 0xD1). Where the description holds an ID and an altitude with its
// unit, as zv writes it ("ES  350 m"), those are taken; otherwise the altitude in feet.
// The symbols 14 and 12, which zv gives takeoff and landing fields, say so.

#include "formats/geo_points.h"

#include <string_view>

namespace zv {

GeoPointRead readAnyOziWaypoints(std::string_view content);

// Whether the text begins with the head line of an OziExplorer waypoint file.
bool isOziWaypointText(std::string_view content);

} // namespace zv
