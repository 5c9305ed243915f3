#pragma once

// Input generators shared by the benchmarks.

#include "formats/waypoint.h"

#include <random>

namespace zv::bench {

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
