#include "formats/point_rows.h"
#include "formats/waypoint.h"
#include "support/c_format.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <functional>
#include <gtest/gtest.h>
#include <limits>
#include <random>

namespace zv {
namespace {

using test::cFormat;

// Records as the readers can leave them, and worse: texts of any length from the name
// set (some with a NUL inside, as a C string ends there), numbers from the usual ranges,
// negative zero, halves, values that widen their columns, infinities and NaN.
class RecordSource {
public:
    Waypoint next() {
        Waypoint w;
        w.name = text(16);
        w.id = text(3);
        w.sign = text(7);
        w.unit = text(4);
        w.climbUnit = text(4);
        w.windSpeedUnit = text(4);
        w.latHemisphere = pick("NSX");
        w.lonHemisphere = pick("EWX");
        w.latDegrees = number();
        w.latMinutes = number();
        w.latDecimal = number();
        w.lonDegrees = number();
        w.lonDecimal = number();
        w.lonMinutes = number();
        w.climb = number();
        w.altitude = integer();
        w.symbol = integer();
        w.fgColour = integer();
        w.bgColour = integer();
        w.windDir = integer();
        w.windSpeed = integer();
        w.dir1 = integer();
        w.dir2 = integer();
        return w;
    }

private:
    char pick(std::string_view from) {
        return from[std::uniform_int_distribution<std::size_t>(0, from.size() - 1)(random_)];
    }
    std::string text(std::size_t longest) {
        std::string t(std::uniform_int_distribution<std::size_t>(0, longest)(random_), ' ');
        for (char& c : t) {
            c = pick("AZaz09 _-./!\xB0>:\xC4\xDF");
        }
        if (!t.empty() && random_() % 20 == 0) {
            t[random_() % t.size()] = '\0';
        }
        return t;
    }
    float number() {
        static const float edges[] = {0.0f,
                                      -0.0f,
                                      0.5f,
                                      2.5f,
                                      -0.5f,
                                      0.125f,
                                      59.995f,
                                      59.999f,
                                      47.999999f,
                                      123.0f,
                                      -123.456f,
                                      1e9f,
                                      3e38f,
                                      std::numeric_limits<float>::infinity(),
                                      -std::numeric_limits<float>::infinity(),
                                      std::numeric_limits<float>::quiet_NaN(),
                                      std::numeric_limits<float>::denorm_min()};
        switch (random_() % 4) {
        case 0:
            return edges[random_() % std::size(edges)];
        case 1:
            return static_cast<float>(std::uniform_int_distribution<int>(-18000, 18000)(random_)) /
                   100.0f;
        case 2:
            return std::uniform_real_distribution<float>(-200, 200)(random_);
        default:
            return std::bit_cast<float>(static_cast<std::uint32_t>(random_()));
        }
    }
    std::int32_t integer() {
        switch (random_() % 3) {
        case 0:
            return std::uniform_int_distribution<std::int32_t>(-100, 10000)(random_);
        case 1:
            return std::bit_cast<std::int32_t>(static_cast<std::uint32_t>(random_()));
        default:
            return std::numeric_limits<std::int32_t>::min();
        }
    }

    std::mt19937 random_{1596};
};

TEST(PointRows, EveryRowIsWhatItsPrintfFormatWrites) {
    struct Row {
        const char* kind;
        std::function<void(std::string&, const Waypoint&)> format;
        std::function<std::string(const Waypoint&)> printf;
    };
    const Row rows[] = {
        {"waypoint",
         [](std::string& row, const Waypoint& w) { appendZvWaypointRow(row, w, w.id, w.sign); },
         [](const Waypoint& w) {
             return cFormat("%-14s%2s%6s     %c  %2.0f %05.2f    %c  %2.0f %05.2f      %4d %-2s\n",
                            w.name.c_str(), w.id.c_str(), w.sign.c_str(), w.latHemisphere,
                            static_cast<double>(w.latDegrees), static_cast<double>(w.latMinutes),
                            w.lonHemisphere, static_cast<double>(w.lonDegrees),
                            static_cast<double>(w.lonMinutes), w.altitude, w.unit.c_str());
         }},
        {"takeoff site",
         [](std::string& row, const Waypoint& w) { appendZvWaypointRow(row, w, "ST", "   o  "); },
         [](const Waypoint& w) {
             return cFormat("%-14s%2s%6s     %c  %2.0f %05.2f    %c  %2.0f %05.2f      %4d %-2s\n",
                            w.name.c_str(), "ST", "   o  ", w.latHemisphere,
                            static_cast<double>(w.latDegrees), static_cast<double>(w.latMinutes),
                            w.lonHemisphere, static_cast<double>(w.lonDegrees),
                            static_cast<double>(w.lonMinutes), w.altitude, w.unit.c_str());
         }},
        {"OziExplorer",
         [](std::string& row, const Waypoint& w) { appendOziWaypointRow(row, 17, w, false); },
         [](const Waypoint& w) {
             return cFormat(
                 "%4i,%-14s, %10.6f, %10.6f,33604.00000,%2d, 1, 4, %10d,%10d,%2s%5i %-2s "
                 "                             , 0, 0,    0, -777\n",
                 17, w.name.c_str(), static_cast<double>(w.latDecimal),
                 static_cast<double>(w.lonDecimal), w.symbol, w.fgColour, w.bgColour, w.id.c_str(),
                 w.altitude, w.unit.c_str());
         }},
        {"OziExplorer with climb",
         [](std::string& row, const Waypoint& w) { appendOziWaypointRow(row, 12345, w, true); },
         [](const Waypoint& w) {
             return cFormat(
                 "%4i,%-14s, %10.6f, %10.6f,33604.00000,%2d, 1, 4, %10d,%10d,%2s%5i %-2s "
                 "Steigwert %4.1f %-3s           , 0, 0,    0, -777\n",
                 12345, w.name.c_str(), static_cast<double>(w.latDecimal),
                 static_cast<double>(w.lonDecimal), w.symbol, w.fgColour, w.bgColour, w.id.c_str(),
                 w.altitude, w.unit.c_str(), static_cast<double>(w.climb), w.climbUnit.c_str());
         }},
        {"lift", appendLiftRow,
         [](const Waypoint& w) {
             return cFormat("%-10s%c  %2.0f %05.2f   %c  %2.0f %05.2f    %4i %-2s    %3.1f %-4s    "
                            "%03i   %3i %-3s\n",
                            w.name.c_str(), w.latHemisphere, static_cast<double>(w.latDegrees),
                            static_cast<double>(w.latMinutes), w.lonHemisphere,
                            static_cast<double>(w.lonDegrees), static_cast<double>(w.lonMinutes),
                            w.altitude, w.unit.c_str(), static_cast<double>(w.climb),
                            w.climbUnit.c_str(), w.windDir, w.windSpeed, w.windSpeedUnit.c_str());
         }},
        {"line", appendLineRow,
         [](const Waypoint& w) {
             return cFormat("%-14s%c  %2.0f %05.2f   %c  %2.0f %05.2f    %4i %-2s    %4i    %4i\n",
                            w.name.c_str(), w.latHemisphere, static_cast<double>(w.latDegrees),
                            static_cast<double>(w.latMinutes), w.lonHemisphere,
                            static_cast<double>(w.lonDegrees), static_cast<double>(w.lonMinutes),
                            w.altitude, w.unit.c_str(), w.dir1, w.dir2);
         }},
    };
    for (const Row& row : rows) {
        RecordSource records;
        std::string text;
        for (int i = 0; i < 3000; ++i) {
            const Waypoint w = records.next();
            // Appended, as the writers reuse one buffer.
            text = "previous row\n";
            row.format(text, w);
            ASSERT_EQ(text, "previous row\n" + row.printf(w)) << row.kind << " record " << i;
        }
    }
}

} // namespace
} // namespace zv
