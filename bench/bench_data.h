#pragma once

// The input data of the benchmarks: large waypoint lists, long flights and lift
// databases, made up the same way for every benchmark that reads or writes them.

#include "formats/waypoint.h"
#include "support/c_format.h"

#include <random>
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

// Lifts of a pilot flying the Alps and the low ranges north of them: positions on a
// grid of 0.01 minutes, so that repeats of one thermal happen, climbs mostly positive.
inline WaypointList pilotLifts(std::size_t count, unsigned seed) {
    static const char* const identifiers[] = {"DE.BOP", "DE.WAS", "CH.NIE",
                                              "AT.KOE", "L01   ", "FR.ANN"};
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> degrees(0, 5);
    std::uniform_int_distribution<int> hundredths(0, 5999);
    std::uniform_int_distribution<int> climb(-5, 60);
    std::uniform_int_distribution<int> direction(0, 359);
    std::uniform_int_distribution<int> speed(0, 40);
    WaypointList lifts;
    lifts.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        Waypoint lift;
        lift.name = identifiers[i % 6];
        lift.latHemisphere = 'N';
        lift.latDegrees = static_cast<float>(45 + degrees(random));
        lift.latMinutes = static_cast<float>(hundredths(random)) / 100;
        lift.lonHemisphere = 'E';
        lift.lonDegrees = static_cast<float>(6 + degrees(random));
        lift.lonMinutes = static_cast<float>(hundredths(random)) / 100;
        lift.altitude = 500 + static_cast<int>(random() % 2500);
        lift.unit = "m";
        lift.climb = static_cast<float>(climb(random)) / 10;
        lift.climbUnit = "m/s";
        lift.windDir = direction(random);
        lift.windSpeed = speed(random);
        lift.windSpeedUnit = "kmh";
        lifts.push_back(lift);
    }
    return lifts;
}

} // namespace zv::bench
