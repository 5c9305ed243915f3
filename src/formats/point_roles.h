#pragma once

// What a symbol name or style of another program says about a point: "Takeoff",
// "Launch", "Startplatz" mark a takeoff; "Landing", "Landeplatz", "Airport" a landing
// field. The words are looked for anywhere in the text, in any letter case.

#include "formats/geo_points.h"

#include <string_view>

namespace zv {

PointRole roleFromSymbolText(std::string_view text);

// The symbol name zv writes for a role ("Takeoff", "Landing", "Waypoint").
const char* symbolOfRole(PointRole role);

// The instrument's SIGN of a role, which the import writes and the export reads back: "+"
// a takeoff, "X" a landing field, "o" a plain waypoint.
std::string_view signOfRole(PointRole role);
// The role a SIGN marks, blanks around it aside; every sign but "+" and "X" is a plain
// waypoint.
PointRole roleOfSign(std::string_view sign);

} // namespace zv
