#pragma once

// Random logbooks for the tests that compare the reports with their charts and with the
// flight table, and for the table's benchmark: flights of any order over a span of years,
// sites whose names differ only in letter case or in a trailing character, durations from
// 0:00 to 9:59. Every flight survives writing and reading the logbook.

#include "logbook/logbook.h"

#include <random>
#include <string>
#include <vector>

namespace zv::test {

inline std::vector<FlightRecord> randomFlights(std::mt19937& random, int count, int firstYear,
                                               int lastYear) {
    static const char* const sites[] = {"STUBALPE",
                                        "stubalpe",
                                        "STUBALPE 2",
                                        "KOSSEN",
                                        "2ER HANG",
                                        "GR\xC4"
                                        "BERN",
                                        "TEGELBERG",
                                        "EMBERGER AL"};
    const auto between = [&random](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    std::vector<FlightRecord> flights;
    flights.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        FlightRecord f;
        f.year = between(firstYear, lastYear) % 100;
        f.month = between(1, 12);
        f.day = between(1, 28);
        f.takeoffHour = between(8, 16);
        f.takeoffMinute = between(0, 59);
        f.durationHours = between(0, 9);
        f.durationMinutes = between(0, 59);
        const int end =
            f.takeoffHour * 60 + f.takeoffMinute + f.durationHours * 60 + f.durationMinutes;
        f.landingHour = end / 60 % 24;
        f.landingMinute = end % 60;
        f.takeoffSite = "   " + std::string(sites[between(0, 7)]);
        f.takeoffSite.resize(14, ' ');
        f.takeoffAltitude = between(500, 2500);
        f.landingAltitude = between(200, 900);
        f.altiMax = f.takeoffAltitude + between(0, 2000);
        f.altiGain = between(0, 2000);
        f.altiSum = f.altiGain + between(0, 3000);
        f.distance = static_cast<float>(between(0, 2500)) / 10.0F;
        f.varioMax = static_cast<float>(between(0, 80)) / 10.0F;
        f.varioMin = -static_cast<float>(between(0, 80)) / 10.0F;
        f.altitudeUnit = "m";
        f.distanceUnit = "km";
        f.qnhUnit = "hPa";
        f.varioUnit = "m/s";
        f.polar = "PARA 1";
        f.qnh = between(990, 1030);
        f.leadText = i == 0 ? "" : "\n";
        flights.push_back(f);
    }
    return flights;
}

// The two-digit years of a span of four-digit years that the century rule reads back as
// they were: 1991 to 2090.
inline constexpr int earliestLogbookYear = 1991;
inline constexpr int latestLogbookYear = 2090;

} // namespace zv::test
