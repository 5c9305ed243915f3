#pragma once

// The check shared by the readers of other programs' waypoint files: whatever they read
// must become instrument waypoints whose rows zv's own reader reads back with the same
// name, ID, SIGN and altitude, names within the instrument's name set and 14 characters.

#include "base/null_user_interface.h"
#include "conversions/waypoint_import.h"
#include "formats/geo_points.h"
#include "formats/point_rows.h"
#include "formats/text_file.h"
#include "formats/waypoint_converter.h"

#include <cmath>
#include <string>
#include <string_view>

namespace zv::fuzz {

inline void checkForeignPoints(const GeoPointRead& read) {
    for (const GeoPoint& point : read.points) {
        if (!(std::fabs(point.latitude) <= 90 && std::fabs(point.longitude) <= 180)) {
            __builtin_trap();
        }
    }
    const InstrumentWaypoints converted = instrumentWaypointsOf(read.points);
    if (converted.waypoints.size() + converted.refused.size() != read.points.size()) {
        __builtin_trap();
    }
    std::string file = "\n;   KARVELON VUVEZ * ZIRROVA No.  1596\n\n;---\n\n;NAME\n\n";
    for (const Waypoint& waypoint : converted.waypoints) {
        if (waypoint.name.empty() || waypoint.name.size() > nameLimit || waypoint.id.empty()) {
            __builtin_trap();
        }
        appendZvWaypointRow(file, waypoint, waypoint.id, waypoint.sign);
    }
    file += "\n@EOF\n";
    NullUserInterface ui;
    CWaypointConverter converter(ui, 1596);
    TextReader reader = TextReader::fromContent(file);
    if (!converter.readZvWaypoints(reader, "fuzz.wpt") ||
        converter.zvWaypoints.size() != converted.waypoints.size()) {
        __builtin_trap();
    }
    for (std::size_t i = 0; i < converted.waypoints.size(); ++i) {
        const Waypoint& written = converted.waypoints[i];
        const Waypoint& back = converter.zvWaypoints[i];
        std::string padded = written.name;
        padded.resize(nameLimit, ' ');
        // The SIGN is written in its column of six ("   +  ") and read as its token.
        std::string_view sign = written.sign.view();
        sign.remove_prefix(sign.find_first_not_of(' '));
        sign = sign.substr(0, sign.find(' '));
        if (back.name != padded || back.id.view() != written.id.view() ||
            back.sign.view() != sign || back.altitude != written.altitude) {
            __builtin_trap();
        }
    }
}

} // namespace zv::fuzz
