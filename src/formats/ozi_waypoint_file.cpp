// OziExplorer waypoint files: four header lines, then one comma-separated row per point,
//   "   1,AGUADULCE-S   ,  36.823833,  -2.570167,33604.00000,14, 1, 4,          0,  16243391,
//    ES  350 m                               , 0, 0,    0, -777"
// number, name, latitude, longitude (signed decimal degrees), date, symbol, status, map
// display format, foreground and background colour, description, pointer direction, Garmin
// display format, proximity, altitude in feet. The instrument's ID and altitude travel in
// the description, its SIGN as symbol and colours.

#include "base/user_interface.h"
#include "formats/coordinates.h"
#include "formats/instrument_text.h"
#include "formats/point_rows.h"
#include "formats/scan_pattern.h"
#include "formats/sign_symbols.h"
#include "formats/text_fields.h"
#include "formats/text_file.h"
#include "formats/waypoint_converter.h"

#include <initializer_list>
#include <string_view>

namespace zv {

namespace {

// The three row forms differ only in their description. The fields up to it, and the ID
// and altitude that every description starts with, are scanned once; then the rest of
// each form is tried in turn from there, the first one that converts all its items wins.
const ScanPattern& rowStartPattern() {
    static const ScanPattern pattern(
        "%d %[,] %[A-Z 0-9a-z_/--\xDC\xD6\xC4\xE4\xF6\xFC\xDF!\xB0>.:] %[,] %f %[,] %f %[,] %f "
        "%[,] "
        "%d %[,] %d  %[,] %d %[,] %d %[,] %d %[,] %s %d");
    return pattern;
}
// Description "ES  350 m Steigwert  2.6 m/s": unit, a word, climb, its unit.
const ScanPattern& climbRestPattern() {
    static const ScanPattern pattern(" %s %s %f %s %[,] %d %[,] %d %[,] %d");
    return pattern;
}
// Description "ES  350 m": the unit.
const ScanPattern& unitRestPattern() {
    static const ScanPattern pattern(" %s %[,] %d %[,] %d %[,] %d");
    return pattern;
}
// Description "ES  350": nothing more; the unit is "m".
const ScanPattern& plainRestPattern() {
    static const ScanPattern pattern(" %[,] %d %[,] %d %[,] %d");
    return pattern;
}

// One row into a record in degrees-and-minutes form. OziExplorer allows longer names than
// the instrument: a name is cut to the instrument's 14 characters. An ID, unit or climb
// unit longer than its field refuses the form. A refused row leaves `point` half filled;
// the reader then stops and drops it.
bool scanRow(std::string_view line, Waypoint& point) {
    float latitude = 0;
    float longitude = 0;
    int ignoredNumber = 0;
    float ignoredFloat = 0;
    const auto comma = ScanItem::ignored();
    const auto name = ScanItem::text(point.name, nameLimit, TooLong::Cut);
    const auto id = ScanItem::text(point.id, idLimit, TooLong::Refuse);
    const auto unit = ScanItem::text(point.unit, unitLimit, TooLong::Refuse);
    const auto climbUnit = ScanItem::text(point.climbUnit, unitLimit, TooLong::Refuse);

    // Number, name, latitude, longitude, date, symbol, status, map display format, colours,
    // ID and altitude; after the description pointer direction, Garmin display format and
    // proximity, read and dropped.
    const ScanPattern::Progress start =
        rowStartPattern().scanFrom(line, 0, {ignoredNumber,  comma,          name,
                                             comma,          latitude,       comma,
                                             longitude,      comma,          ignoredFloat,
                                             comma,          point.symbol,   comma,
                                             ignoredNumber,  comma,          ignoredNumber,
                                             comma,          point.fgColour, comma,
                                             point.bgColour, comma,          id,
                                             point.altitude});
    if (!rowStartPattern().matchedAll(start)) {
        return false;
    }
    const auto rest = [&](const ScanPattern& pattern, std::initializer_list<ScanItem> items) {
        // What an earlier form stored before it failed does not count.
        point.unit.clear();
        point.climb = 0;
        point.climbUnit.clear();
        return pattern.matchedAll(pattern.scanFrom(line, start.position, items));
    };
    bool matched =
        rest(climbRestPattern(), {unit, ScanItem::ignored(), point.climb, climbUnit, comma,
                                  ignoredNumber, comma, ignoredNumber, comma, ignoredNumber}) ||
        rest(unitRestPattern(),
             {unit, comma, ignoredNumber, comma, ignoredNumber, comma, ignoredNumber});
    if (!matched && rest(plainRestPattern(),
                         {comma, ignoredNumber, comma, ignoredNumber, comma, ignoredNumber})) {
        point.unit = "m";
        matched = true;
    }
    if (!matched) {
        return false;
    }
    point.sign = signOfSymbol(point.symbol);
    point.latDecimal = latitude;
    point.lonDecimal = longitude;
    const TextCoordinate lat = latitudeToText(latitude);
    point.latHemisphere = lat.hemisphere;
    point.latDegrees = lat.degrees;
    point.latMinutes = lat.minutes;
    const TextCoordinate lon = longitudeToText(longitude);
    point.lonHemisphere = lon.hemisphere;
    point.lonDegrees = lon.degrees;
    point.lonMinutes = lon.minutes;
    return true;
}

} // namespace

bool CWaypointConverter::readOziWaypointFile(const std::filesystem::path& path) {
    TextReader reader(path);
    if (!reader.isOpen()) {
        ui_.message(reader.tooLarge() ? tooLargeMessage(path) : cannotOpenMessage(path),
                    Icon::Stop);
        return false;
    }
    return readOziWaypoints(reader, path);
}

bool CWaypointConverter::readOziWaypoints(TextReader& reader, const std::filesystem::path& path) {
    std::string line;
    reader.readLine(line);
    if (line.find("OziExplorer Waypoint File Version") == std::string::npos) {
        ui_.message(headerMessage(path), Icon::Question);
        return false;
    }
    // Datum line and the two reserved lines.
    for (int skipped = 0; skipped < 3 && reader.readLine(line); ++skipped) {
    }

    const auto scan = [this](std::string_view row, Waypoint& point) {
        oziFileOpened = true;
        return scanRow(row, point) ? RowOutcome::Kept : RowOutcome::Refused;
    };
    if (!readPointRows(reader, "     ", oziWaypoints, scan)) {
        ui_.message(rowMessage(path), Icon::Exclamation);
        return false;
    }
    return true;
}

void appendOziWaypointRow(std::string& row, int number, const Waypoint& point, bool withClimb) {
    appendInteger(row, number, 4);
    row += ',';
    appendLeft(row, point.name, 14);
    row += ", ";
    appendFixed(row, point.latDecimal, 6, 10);
    row += ", ";
    appendFixed(row, point.lonDecimal, 6, 10);
    // Date, symbol, status and map display format.
    row += ",33604.00000,";
    appendInteger(row, point.symbol, 2);
    row += ", 1, 4, ";
    appendInteger(row, point.fgColour, 10);
    row += ',';
    appendInteger(row, point.bgColour, 10);
    row += ',';
    // The description: ID, altitude and unit, and the climb of a lift.
    appendRight(row, point.id, 2);
    appendInteger(row, point.altitude, 5);
    row += ' ';
    appendLeft(row, point.unit, 2);
    if (withClimb) {
        row += " Steigwert ";
        appendFixed(row, point.climb, 1, 4);
        row += ' ';
        appendLeft(row, point.climbUnit, 3);
        row.append(11, ' ');
    } else {
        row.append(30, ' ');
    }
    // Pointer direction, Garmin display format, proximity and altitude in feet.
    row += ", 0, 0,    0, -777\n";
}

bool CWaypointConverter::writeOziWaypointFile(const std::filesystem::path& path, bool withClimb) {
    // Written beside the target and renamed over it, so that a failed write leaves no
    // half-written file behind.
    TextWriter writer(path, WriteMode::Atomic);
    if (!writer.isOpen()) {
        return false;
    }
    writer.write("OziExplorer Waypoint File Version 1.0\nWGS 84\nReserved 2\nReserved 3\n");
    int number = 0;
    std::string row;
    for (const auto& point : zvWaypoints) {
        ++number;
        if (!point.comment.empty()) {
            writer.writeLine(point.comment);
        }
        row.clear();
        appendOziWaypointRow(row, number, point, withClimb);
        writer.write(row);
    }
    return writer.close();
}

} // namespace zv
