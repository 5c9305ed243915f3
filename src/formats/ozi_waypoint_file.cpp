// OziExplorer waypoint files: four header lines, then one comma-separated row per point,
//   "   1,AGUADULCE-S   ,  36.823833,  -2.570167,33604.00000,14, 1, 4,          0,  16243391,
//    ES  350 m                               , 0, 0,    0, -777"
// number, name, latitude, longitude (signed decimal degrees), date, symbol, status, map
// display format, foreground and background colour, description, pointer direction, Garmin
// display format, proximity, altitude in feet. The instrument's ID and altitude travel in
// the description, its SIGN as symbol and colours.

#include "app/user_interface.h"
#include "formats/coordinates.h"
#include "formats/instrument_text.h"
#include "formats/scan_pattern.h"
#include "formats/sign_symbols.h"
#include "formats/text_file.h"
#include "formats/waypoint_converter.h"

#include <initializer_list>
#include <string_view>
#include <vector>

namespace zv {

namespace {

// The fields up to the description and after it; the three row forms differ only in the
// description.
constexpr std::string_view rowStart =
    "%d %[,] %[A-Z 0-9a-z_/--\xDC\xD6\xC4\xE4\xF6\xFC\xDF!\xB0>.:] %[,] %f %[,] %f %[,] %f %[,] "
    "%d %[,] %d  %[,] %d %[,] %d %[,] %d %[,] ";
constexpr std::string_view rowEnd = " %[,] %d %[,] %d %[,] %d";

std::string rowPattern(std::string_view description) {
    return std::string(rowStart) + std::string(description) + std::string(rowEnd);
}

// Description "ES  350 m Steigwert  2.6 m/s": ID, altitude, unit, a word, climb, its unit.
const ScanPattern& climbRowPattern() {
    static const ScanPattern pattern(rowPattern("%s %d %s %s %f %s"));
    return pattern;
}
// Description "ES  350 m": ID, altitude, unit.
const ScanPattern& unitRowPattern() {
    static const ScanPattern pattern(rowPattern("%s %d %s"));
    return pattern;
}
// Description "ES  350": ID and altitude; the unit is "m".
const ScanPattern& plainRowPattern() {
    static const ScanPattern pattern(rowPattern("%s %d"));
    return pattern;
}

// One row into a record in degrees-and-minutes form. OziExplorer allows longer names than
// the instrument: a name is cut to the instrument's 14 characters. An ID, unit or climb
// unit longer than its field refuses the pattern.
bool scanRow(const std::string& line, Waypoint& point) {
    float latitude = 0;
    float longitude = 0;
    int ignoredNumber = 0;
    float ignoredFloat = 0;
    const auto comma = ScanItem::ignored();
    Waypoint scanned;
    const auto name = ScanItem::text(scanned.name, nameLimit, TooLong::Cut);
    const auto id = ScanItem::text(scanned.id, idLimit, TooLong::Refuse);
    const auto unit = ScanItem::text(scanned.unit, unitLimit, TooLong::Refuse);
    const auto climbUnit = ScanItem::text(scanned.climbUnit, unitLimit, TooLong::Refuse);

    // Number, name, latitude, longitude, date, symbol, status, map display format, colours;
    // then the description; then pointer direction, Garmin display format, proximity.
    const std::vector<ScanItem> start = {
        ignoredNumber,    comma, name,          comma, latitude,         comma,
        longitude,        comma, ignoredFloat,  comma, scanned.symbol,   comma,
        ignoredNumber,    comma, ignoredNumber, comma, scanned.fgColour, comma,
        scanned.bgColour, comma};
    const std::vector<ScanItem> end = {comma,         ignoredNumber, comma,
                                       ignoredNumber, comma,         ignoredNumber};
    const auto items = [&](std::initializer_list<ScanItem> description) {
        std::vector<ScanItem> all = start;
        all.insert(all.end(), description);
        all.insert(all.end(), end.begin(), end.end());
        return all;
    };
    const auto scanForm = [&](const ScanPattern& pattern,
                              std::initializer_list<ScanItem> description) {
        scanned = Waypoint{};
        return pattern.scan(line, items(description)) == pattern.itemCount();
    };

    bool matched = scanForm(climbRowPattern(), {id, scanned.altitude, unit, ScanItem::ignored(),
                                                scanned.climb, climbUnit}) ||
                   scanForm(unitRowPattern(), {id, scanned.altitude, unit});
    if (!matched && scanForm(plainRowPattern(), {id, scanned.altitude})) {
        scanned.unit = "m";
        matched = true;
    }
    if (!matched) {
        return false;
    }
    scanned.sign = signOfSymbol(scanned.symbol);
    const TextCoordinate lat = latitudeToText(latitude);
    scanned.latHemisphere = lat.hemisphere;
    scanned.lat = lat.degrees;
    scanned.latMin = lat.minutes;
    const TextCoordinate lon = longitudeToText(longitude);
    scanned.lonHemisphere = lon.hemisphere;
    scanned.lon = lon.degrees;
    scanned.lonMin = lon.minutes;
    point = std::move(scanned);
    return true;
}

} // namespace

bool CWaypointConverter::readOziWaypointFile(const std::string& path) {
    TextReader reader(path);
    if (!reader.isOpen()) {
        ui_.message(reader.tooLarge() ? tooLargeMessage(path) : cannotOpenMessage(path),
                    Icon::Stop);
        return false;
    }
    return readOziWaypoints(reader, path);
}

bool CWaypointConverter::readOziWaypoints(TextReader& reader, const std::string& path) {
    std::string line;
    reader.readLine(line);
    if (line.find("OziExplorer Waypoint File Version") == std::string::npos) {
        ui_.message(headerMessage(path), Icon::Question);
        return false;
    }
    // Datum line and the two reserved lines.
    for (int skipped = 0; skipped < 3 && reader.readLine(line); ++skipped) {
    }

    const auto scan = [this](const std::string& row, Waypoint& point) {
        oziFileOpened = true;
        return scanRow(row, point) ? RowOutcome::Kept : RowOutcome::Refused;
    };
    if (!readPointRows(reader, "     ", oziWaypoints, scan)) {
        ui_.message(rowMessage(path), Icon::Exclamation);
        return false;
    }
    return true;
}

bool CWaypointConverter::writeOziWaypointFile(const std::string& path, bool withClimb) {
    // Written beside the target and renamed over it, so that a failed write leaves no
    // half-written file behind.
    TextWriter writer(path, WriteMode::Atomic);
    if (!writer.isOpen()) {
        return false;
    }
    writer.write("OziExplorer Waypoint File Version 1.0\nWGS 84\nReserved 2\nReserved 3\n");
    int number = 0;
    for (const auto& point : zvWaypoints) {
        ++number;
        if (!point.comment.empty()) {
            writer.writeLine(point.comment);
        }
        if (withClimb) {
            writer.print("%4i,%-14s, %10.6f, %10.6f,33604.00000,%2d, 1, 4, %10d,%10d,%2s%5i %-2s "
                         "Steigwert %4.1f %-3s           , 0, 0,    0, -777\n",
                         number, point.name.c_str(), point.lat, point.lon, point.symbol,
                         point.fgColour, point.bgColour, point.id.c_str(), point.altitude,
                         point.unit.c_str(), point.climb, point.climbUnit.c_str());
        } else {
            writer.print("%4i,%-14s, %10.6f, %10.6f,33604.00000,%2d, 1, 4, %10d,%10d,%2s%5i %-2s "
                         "                             , 0, 0,    0, -777\n",
                         number, point.name.c_str(), point.lat, point.lon, point.symbol,
                         point.fgColour, point.bgColour, point.id.c_str(), point.altitude,
                         point.unit.c_str());
        }
    }
    return writer.close();
}

} // namespace zv
