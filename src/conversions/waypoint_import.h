#pragma once

// Waypoints of other programs made into records of an instrument waypoint file: the
// name in the instrument's name set, cut to 14 characters and distinct within the file;
// the ID from the source's country or region code, else from the name; the SIGN "+" for
// a takeoff, "X" for a landing field, "o" for every other point; the altitude in whole
// metres; the position in degrees and minutes.

#include "formats/geo_points.h"
#include "formats/waypoint.h"

#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

namespace zv {

class UserInterface;

// The waypoints of a GPX, KML, SeeYou or OziExplorer file: the reader is chosen by the
// extension (.gpx, .kml, .cup, .wpt), and when that reader does not know the content,
// by the content. `recognised` is false when no reader knows it.
GeoPointRead readForeignWaypoints(const std::filesystem::path& source, std::string_view content);
// The same from the file, as the import and the map read it: nothing, after a message,
// when the file cannot be read or no reader knows it.
std::optional<GeoPointRead> readForeignWaypointFile(const std::filesystem::path& source,
                                                    UserInterface& ui);

struct InstrumentWaypoints {
    WaypointList waypoints;
    std::vector<RefusedPoint> refused;
};

InstrumentWaypoints instrumentWaypointsOf(const std::vector<GeoPoint>& points);

// The highest and lowest altitude the instrument's four-digit column takes, in metres.
inline constexpr int lowestAltitude = -999;
inline constexpr int highestAltitude = 9999;

} // namespace zv
