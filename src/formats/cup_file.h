#pragma once

// SeeYou waypoint files (".cup"): comma-separated fields, a field with a comma in double
// quotes (a quote inside doubled), the column names on the first line in any order
// ("name,code,country,lat,lon,elev,style,..."; without that line the standard order).
// Latitude "4707.407N" and longitude "01410.467E" as degrees and decimal minutes,
// elevation with the unit "m" or "ft" (metres without one). Style 20 is a paraglider
// takeoff; 21 a landing zone; 2 to 5 (airfields, outlandings) landing fields too. The
// tasks after "-----Related Tasks-----" are no waypoints. UTF-8, or Windows-1252 as older
// files are.

#include "formats/geo_points.h"

#include <string>
#include <string_view>
#include <vector>

namespace zv {

GeoPointRead readCupPoints(std::string_view content);

// The fields of one line of comma-separated values with double quotes.
std::vector<std::string> splitQuotedFields(std::string_view line);

} // namespace zv
