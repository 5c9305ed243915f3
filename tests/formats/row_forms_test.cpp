// The readers scan the part that the forms of a row share once and then try the rest of
// each form from there. These tests hold them against the whole forms tried one after the
// other from the start of the row, on rows of every form damaged in every way.
#include "base/null_user_interface.h"
#include "formats/coordinates.h"
#include "formats/scan_pattern.h"
#include "formats/text_file.h"
#include "formats/waypoint_converter.h"

#include <gtest/gtest.h>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace zv {
namespace {

constexpr const char* nameSet = "[A-Z 0-9a-z_/--\xDC\xD6\xC4\xE4\xF6\xFC\xDF!\xB0>.:]";

// Rows damaged by deleting, inserting and replacing bytes and by cutting them short.
std::vector<std::string> damaged(const std::vector<std::string>& rows, unsigned seed) {
    std::mt19937 random(seed);
    const std::string bytes = " \t,.-+0123456789eEmNSEWs/;\xE4";
    std::vector<std::string> out = rows;
    for (int i = 0; i < 4000; ++i) {
        std::string row = rows[random() % rows.size()];
        for (int edits = 1 + static_cast<int>(random() % 3); edits > 0 && !row.empty(); --edits) {
            const std::size_t at = random() % row.size();
            const char byte = bytes[random() % bytes.size()];
            switch (random() % 4) {
            case 0:
                row.erase(at, 1);
                break;
            case 1:
                row.insert(at, 1, byte);
                break;
            case 2:
                row[at] = byte;
                break;
            default:
                row.resize(at);
                break;
            }
        }
        out.push_back(row);
    }
    return out;
}

// Whether the readers take the line for a row at all.
bool isRow(const std::string& line, std::string_view indent) {
    return line.size() > 2 && line.find(';') == std::string::npos && !line.starts_with(indent) &&
           line.find("@EOF") == std::string::npos;
}

// The one point the reader makes of a file with this row, or nothing when it refuses it.
template <typename Read>
std::optional<Waypoint> readOne(const std::string& head, const std::string& row, Read read) {
    NullUserInterface ui;
    CWaypointConverter converter(ui, 1596);
    TextReader reader = TextReader::fromContent(head + row + "\r\n");
    const bool read_ = read(converter, reader);
    const WaypointList& points =
        converter.oziWaypoints.empty() ? converter.zvWaypoints : converter.oziWaypoints;
    if (!read_) {
        EXPECT_TRUE(points.empty()) << row;
        return std::nullopt;
    }
    EXPECT_EQ(points.size(), 1u) << row;
    return points.empty() ? std::nullopt : std::optional<Waypoint>(points.front());
}

// Counts the rows read and refused, so that neither side of the comparison goes unseen.
struct Tally {
    int read = 0;
    int refused = 0;

    ~Tally() {
        EXPECT_GT(read, 200);
        EXPECT_GT(refused, 200);
    }
};

void expectSame(const std::optional<Waypoint>& read, const std::optional<Waypoint>& whole,
                const std::string& row, Tally& tally) {
    ASSERT_EQ(read.has_value(), whole.has_value()) << row;
    if (!read) {
        ++tally.refused;
        return;
    }
    ++tally.read;
    const auto same = [](float a, float b) {
        return std::bit_cast<std::uint32_t>(a) == std::bit_cast<std::uint32_t>(b);
    };
    EXPECT_EQ(read->name, whole->name) << row;
    EXPECT_EQ(read->id, whole->id) << row;
    EXPECT_EQ(read->sign, whole->sign) << row;
    EXPECT_EQ(read->unit, whole->unit) << row;
    EXPECT_EQ(read->climbUnit, whole->climbUnit) << row;
    EXPECT_EQ(read->windSpeedUnit, whole->windSpeedUnit) << row;
    EXPECT_EQ(read->latHemisphere, whole->latHemisphere) << row;
    EXPECT_EQ(read->lonHemisphere, whole->lonHemisphere) << row;
    EXPECT_EQ(read->altitude, whole->altitude) << row;
    EXPECT_EQ(read->symbol, whole->symbol) << row;
    EXPECT_EQ(read->fgColour, whole->fgColour) << row;
    EXPECT_EQ(read->bgColour, whole->bgColour) << row;
    EXPECT_EQ(read->windDir, whole->windDir) << row;
    EXPECT_EQ(read->windSpeed, whole->windSpeed) << row;
    for (const auto& [a, b] : {std::pair{read->latDegrees, whole->latDegrees},
                               {read->latMinutes, whole->latMinutes},
                               {read->latSeconds, whole->latSeconds},
                               {read->latDecimal, whole->latDecimal},
                               {read->lonDegrees, whole->lonDegrees},
                               {read->lonDecimal, whole->lonDecimal},
                               {read->lonMinutes, whole->lonMinutes},
                               {read->lonSeconds, whole->lonSeconds},
                               {read->climb, whole->climb}}) {
        EXPECT_TRUE(same(a, b)) << row << ": " << a << " against " << b;
    }
}

TEST(RowForms, OziExplorerRowsAsTheThreeWholeForms) {
    const std::string start = std::string("%d %[,] %") + nameSet +
                              " %[,] %f %[,] %f %[,] %f %[,] %d %[,] %d  %[,] %d %[,] %d %[,] %d "
                              "%[,] ";
    const std::string end = " %[,] %d %[,] %d %[,] %d";
    const ScanPattern climbForm(start + "%s %d %s %s %f %s" + end);
    const ScanPattern unitForm(start + "%s %d %s" + end);
    const ScanPattern plainForm(start + "%s %d" + end);
    const auto whole = [&](const std::string& row) -> std::optional<Waypoint> {
        for (const ScanPattern* form : {&climbForm, &unitForm, &plainForm}) {
            Waypoint w;
            float latitude = 0;
            float longitude = 0;
            int number = 0;
            float date = 0;
            const auto comma = ScanItem::ignored();
            const auto name = ScanItem::text(w.name, nameLimit, TooLong::Cut);
            const auto id = ScanItem::text(w.id, idLimit, TooLong::Refuse);
            const auto unit = ScanItem::text(w.unit, unitLimit, TooLong::Refuse);
            const auto climbUnit = ScanItem::text(w.climbUnit, unitLimit, TooLong::Refuse);
            std::vector<ScanItem> items = {number,     comma, name,   comma,     latitude,   comma,
                                           longitude,  comma, date,   comma,     w.symbol,   comma,
                                           number,     comma, number, comma,     w.fgColour, comma,
                                           w.bgColour, comma, id,     w.altitude};
            if (form == &climbForm) {
                items.insert(items.end(), {unit, ScanItem::ignored(), w.climb, climbUnit});
            } else if (form == &unitForm) {
                items.push_back(unit);
            }
            items.insert(items.end(), {comma, number, comma, number, comma, number});
            if (form->scan(row, items) != form->itemCount()) {
                continue;
            }
            if (form == &plainForm) {
                w.unit = "m";
            }
            const TextCoordinate lat = latitudeToText(latitude);
            const TextCoordinate lon = longitudeToText(longitude);
            w.latDecimal = latitude;
            w.lonDecimal = longitude;
            w.latHemisphere = lat.hemisphere;
            w.latDegrees = lat.degrees;
            w.latMinutes = lat.minutes;
            w.lonHemisphere = lon.hemisphere;
            w.lonDegrees = lon.degrees;
            w.lonMinutes = lon.minutes;
            return w;
        }
        return std::nullopt;
    };
    const std::string head =
        "OziExplorer Waypoint File Version 1.0\r\nWGS 84\r\nReserved 2\r\nReserved 3\r\n";
    const std::vector<std::string> rows =
        damaged({"   1,AGUADULCE-S   ,  36.823833,  -2.570167,33604.00000,14, 1, 4,         0,  "
                 "16243391,ES  350 m                               , 0, 0,    0, -777",
                 "   2,Lift046\xB0"
                 "18    ,  50.233833,   8.514833,33604.00000,15, 1, 4,   8388608,"
                 "  12562683,DE  875 m Steigwert  2.6 m/s           , 0, 0,    0, -777",
                 "   3,PLAIN,46.5,7.25,0,0,1,4,0,0,XX 1200,0,0,0,-777",
                 "   4,A,1,2,3,4,5,6,7,8,ID 9 , , 0,1,2"},
                11);
    Tally tally;
    for (const std::string& row : rows) {
        if (!isRow(row, "     ")) {
            continue;
        }
        const auto read = readOne(head, row, [](CWaypointConverter& c, TextReader& r) {
            return c.readOziWaypoints(r, "test.wpt");
        });
        std::optional<Waypoint> expected = whole(row);
        if (expected) {
            expected->sign = read ? read->sign : "";
        }
        expectSame(read, expected, row, tally);
    }
}

TEST(RowForms, WaypointRowsAsTheFormsWithoutAndWithSeconds) {
    const ScanPattern minutesForm(std::string("%14") + nameSet + " %s  %s %c %f %f %c %f %f %d %s");
    const ScanPattern secondsForm(std::string("%14") + nameSet +
                                  " %s  %s %c %f %f %f %c %f %f %f %d %s");
    const auto whole = [&](const std::string& row) -> std::optional<Waypoint> {
        for (const ScanPattern* form : {&minutesForm, &secondsForm}) {
            Waypoint w;
            const auto name = ScanItem::text(w.name, nameLimit, TooLong::Cut);
            const auto id = ScanItem::text(w.id, idLimit, TooLong::Refuse);
            const auto sign = ScanItem::text(w.sign, signLimit, TooLong::Refuse);
            const auto unit = ScanItem::text(w.unit, unitLimit, TooLong::Refuse);
            const int count =
                form == &minutesForm
                    ? form->scan(row,
                                 {name, id, sign, w.latHemisphere, w.latDegrees, w.latMinutes,
                                  w.lonHemisphere, w.lonDegrees, w.lonMinutes, w.altitude, unit})
                    : form->scan(row, {name, id, sign, w.latHemisphere, w.latDegrees, w.latMinutes,
                                       w.latSeconds, w.lonHemisphere, w.lonDegrees, w.lonMinutes,
                                       w.lonSeconds, w.altitude, unit});
            if (count != form->itemCount()) {
                continue;
            }
            w.latDecimal =
                latitudeFromText(w.latHemisphere, w.latDegrees, w.latMinutes, w.latSeconds);
            w.lonDecimal =
                longitudeFromText(w.lonHemisphere, w.lonDegrees, w.lonMinutes, w.lonSeconds);
            return w;
        }
        return std::nullopt;
    };
    const std::string head = "\r\n;   KARVELON VUVEZ * ZIRROVA No.  1596\r\n\r\n;---\r\n\r\n;"
                             "***NAME***\r\n\r\n";
    const std::vector<std::string> rows =
        damaged({"AGUADULCE-S   ES   +       N  36 49.43    W   2 34.21       350 m",
                 "S\xFC"
                 "d           DE  TPT      S   1 12.5 30.25  E 100 0.5 0       -12 ft",
                 "X             A B C 1 2 3 D 4 5 6 7 u"},
                12);
    Tally tally;
    for (const std::string& row : rows) {
        if (!isRow(row, "   ")) {
            continue;
        }
        auto read = readOne(head, row, [](CWaypointConverter& c, TextReader& r) {
            return c.readZvWaypoints(r, "test.wpt");
        });
        std::optional<Waypoint> expected = whole(row);
        if (expected && read) {
            // From the SIGN table, the same code either way.
            expected->symbol = read->symbol;
            expected->fgColour = read->fgColour;
            expected->bgColour = read->bgColour;
        }
        expectSame(read, expected, row, tally);
    }
}

TEST(RowForms, LiftRowsAsTheShortAndTheLongForm) {
    const ScanPattern shortForm(std::string("%6") + nameSet +
                                " %c %f %f %c %f %f %d %s %f %s %d %d %s");
    const ScanPattern longForm(std::string("%6") + nameSet +
                               " %c %f %f %f %c %f %f %f %d %s %f %s %d %d %s");
    const auto whole = [&](const std::string& row) -> std::optional<Waypoint> {
        for (const ScanPattern* form : {&shortForm, &longForm}) {
            Waypoint w;
            const auto name = ScanItem::text(w.name, nameLimit, TooLong::Cut);
            const auto unit = ScanItem::text(w.unit, unitLimit, TooLong::Refuse);
            const auto climbUnit = ScanItem::text(w.climbUnit, unitLimit, TooLong::Refuse);
            const auto windUnit = ScanItem::text(w.windSpeedUnit, unitLimit, TooLong::Refuse);
            const int count =
                form == &shortForm
                    ? form->scan(row, {name, w.latHemisphere, w.latDegrees, w.latMinutes,
                                       w.lonHemisphere, w.lonDegrees, w.lonMinutes, w.altitude,
                                       unit, w.climb, climbUnit, w.windDir, w.windSpeed, windUnit})
                    : form->scan(row, {name, w.latHemisphere, w.latDegrees, w.latMinutes,
                                       w.latSeconds, w.lonHemisphere, w.lonDegrees, w.lonMinutes,
                                       w.lonSeconds, w.altitude, unit, w.climb, climbUnit,
                                       w.windDir, w.windSpeed, windUnit});
            if (count == form->itemCount()) {
                return w;
            }
        }
        return std::nullopt;
    };
    const std::string head = "\r\n;   KARVELON VUVEZ * ZIRROVA No.  1596\r\n\r\n;---\r\n\r\n;"
                             "IDENT\r\n\r\n";
    const std::vector<std::string> rows =
        damaged({"DE.BOP    N  50 14.03   E   8 30.89     875 m     2.6 m/s     046    18 kmh",
                 "L01   N 46 12 30.0 E 8 5 15.0 1200 m 1.5 m/s 270 10 kmh",
                 "A N 1 2 3 E 4 5 6 7 u 8 v 9 10 w"},
                13);
    Tally tally;
    for (const std::string& row : rows) {
        if (!isRow(row, "   ")) {
            continue;
        }
        // Upload mode keeps degrees, minutes and seconds as read.
        auto read = readOne(head, row, [](CWaypointConverter& c, TextReader& r) {
            c.mode = LiftReadMode::Upload;
            return c.readLifts(r, "test.lft");
        });
        std::optional<Waypoint> expected = whole(row);
        if (expected) {
            // Upload mode puts the decimal degrees in, the sum formed in double precision.
            const auto decimal = [](float degrees, float minutes, float seconds, bool negative) {
                const double value = static_cast<double>(degrees) +
                                     static_cast<double>(minutes) / 60 +
                                     static_cast<double>(seconds) / 3600;
                return static_cast<float>(negative ? -value : value);
            };
            expected->latDecimal = decimal(expected->latDegrees, expected->latMinutes,
                                           expected->latSeconds, expected->latHemisphere == 'S');
            expected->lonDecimal = decimal(expected->lonDegrees, expected->lonMinutes,
                                           expected->lonSeconds, expected->lonHemisphere == 'W');
        }
        expectSame(read, expected, row, tally);
    }
}

} // namespace
} // namespace zv
