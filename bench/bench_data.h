#pragma once

// The input data of the benchmarks: large waypoint lists and long flights, made up the
// same way for every benchmark that reads or writes them.

#include "formats/waypoint.h"
#include "support/c_format.h"

#include <string>

namespace zv::bench {

inline constexpr int pointCount = 100000;

// Points in both forms: degrees and minutes for the instrument writer, decimal degrees
// for the OziExplorer writer. Every tenth point carries a comment line.
inline WaypointList generatePoints(bool decimal) {
    WaypointList points;
    points.reserve(pointCount);
    const char* const signs[] = {"o", "TPT", "H", "X", "+", "T"};
    for (int i = 0; i < pointCount; ++i) {
        Waypoint point;
        point.name = test::cFormat("WP%06d", i);
        point.name.resize(nameLimit, ' ');
        point.id = "DE";
        point.sign = signs[i % 6];
        point.altitude = i % 4000;
        point.unit = "m";
        const float latMinutes = static_cast<float>(i % 6000) / 100;
        const float lonMinutes = static_cast<float>((i * 7) % 6000) / 100;
        point.latHemisphere = i % 2 ? 'N' : 'S';
        point.lonHemisphere = i % 3 ? 'E' : 'W';
        if (decimal) {
            point.latDecimal = (45 + latMinutes / 60) * (i % 2 ? 1 : -1);
            point.lonDecimal = (10 + lonMinutes / 60) * (i % 3 ? 1 : -1);
        } else {
            point.latDegrees = 45;
            point.latMinutes = latMinutes;
            point.lonDegrees = 10;
            point.lonMinutes = lonMinutes;
        }
        if (i % 10 == 0) {
            point.comment = test::cFormat("; Wegpunkt %d", i);
        }
        points.push_back(std::move(point));
    }
    return points;
}

inline constexpr int flightCount = 200;
inline constexpr int pointsPerFlight = 20000;

// A flight as the instrument writes it: the header, then a point line per second drifting
// north-east from 47 N 10 E, climbing and sinking between 600 and 2600 m.
inline std::string generateFlight(int flight) {
    std::string text =
        test::cFormat("@ZV1596 %02d %02d %02d %02d %02d\n", 95 + flight % 5, 1 + flight % 12,
                      1 + flight % 28, 8 + flight % 10, flight % 60);
    for (int i = 0; i < pointsPerFlight; ++i) {
        const int latitude = 282000 + i / 4 + flight;
        const int longitude = 60000 + i / 3;
        const int altitude = 600 + (i % 4000 < 2000 ? i % 2000 : 2000 - i % 2000);
        text += test::cFormat("%06X %06X %04X\n", latitude, longitude, altitude);
    }
    return text + "@EOF\n";
}

} // namespace zv::bench
