// The instrument's waypoint, route and takeoff site files: one fixed-column row per point,
//   "AGUADULCE-S   ES   +       N  36 49.43    W   2 34.21       350 m"
// name (14 columns, blank-padded), ID, SIGN, latitude and longitude as hemisphere letter,
// degrees and decimal minutes, altitude and its unit. Rows may carry seconds after the
// minutes when read.

#include "base/user_interface.h"
#include "formats/coordinates.h"
#include "formats/instrument_text.h"
#include "formats/point_rows.h"
#include "formats/scan_pattern.h"
#include "formats/sign_symbols.h"
#include "formats/text_fields.h"
#include "formats/text_file.h"
#include "formats/waypoint_converter.h"

namespace zv {

namespace {

// The name is scanned with the whole name set of the instrument, so that a name holding
// "ä", "ö", "ü" or "ß" is read whole. The width keeps the blank padding. A row holds
// degrees and minutes of each coordinate, or degrees, minutes and seconds: the part up to
// the latitude minutes is scanned once, then the rest without seconds is tried, then the
// rest with seconds.
const ScanPattern& rowStartPattern() {
    static const ScanPattern pattern(
        "%14[A-Z 0-9a-z_/--\xDC\xD6\xC4\xE4\xF6\xFC\xDF!\xB0>.:] %s  %s %c %f %f");
    return pattern;
}

const ScanPattern& minutesRestPattern() {
    static const ScanPattern pattern(" %c %f %f %d %s");
    return pattern;
}

const ScanPattern& secondsRestPattern() {
    static const ScanPattern pattern(" %f %c %f %f %f %d %s");
    return pattern;
}

// One data row into a record, with the coordinates in both forms. The name is
// bounded by its column width; an ID, SIGN or unit token longer than its field refuses the
// row, as such a row does not follow the instrument's columns. A refused row leaves
// `point` half filled; the reader then stops and drops it.
bool scanRow(std::string_view line, Waypoint& point) {
    const auto unit = ScanItem::text(point.unit, unitLimit, TooLong::Refuse);
    const ScanPattern::Progress start =
        rowStartPattern().scanFrom(line, 0,
                                   {ScanItem::text(point.name, nameLimit, TooLong::Cut),
                                    ScanItem::text(point.id, idLimit, TooLong::Refuse),
                                    ScanItem::text(point.sign, signLimit, TooLong::Refuse),
                                    point.latHemisphere, point.latDegrees, point.latMinutes});
    if (!rowStartPattern().matchedAll(start)) {
        return false;
    }
    // The rest with seconds stores every field the rest without them stores.
    const bool matched =
        minutesRestPattern().matchedAll(minutesRestPattern().scanFrom(
            line, start.position,
            {point.lonHemisphere, point.lonDegrees, point.lonMinutes, point.altitude, unit})) ||
        secondsRestPattern().matchedAll(secondsRestPattern().scanFrom(
            line, start.position,
            {point.latSeconds, point.lonHemisphere, point.lonDegrees, point.lonMinutes,
             point.lonSeconds, point.altitude, unit}));
    if (!matched) {
        return false;
    }
    const SignSymbol symbol = symbolOfSign(point.sign);
    point.symbol = symbol.symbol;
    point.fgColour = symbol.fgColour;
    point.bgColour = symbol.bgColour;
    point.latDecimal =
        latitudeFromText(point.latHemisphere, point.latDegrees, point.latMinutes, point.latSeconds);
    point.lonDecimal = longitudeFromText(point.lonHemisphere, point.lonDegrees, point.lonMinutes,
                                         point.lonSeconds);
    return true;
}

constexpr std::string_view columnHeader =
    ";***NAME***   ID   SIGN    LATITUDE       LONGITUDE       ALTITUDE";

} // namespace

// `lat` and `lon` hold whole degrees here, as the OziExplorer reader delivers them.
void appendZvWaypointRow(std::string& row, const Waypoint& point, std::string_view id,
                         std::string_view sign) {
    appendLeft(row, point.name, 14);
    appendRight(row, id, 2);
    appendRight(row, sign, 6);
    row += "     ";
    row += point.latHemisphere;
    row += "  ";
    appendFixed(row, point.latDegrees, 0, 2);
    row += ' ';
    appendFixed(row, point.latMinutes, 2, 5, Fill::Zeros);
    row += "    ";
    row += point.lonHemisphere;
    row += "  ";
    appendFixed(row, point.lonDegrees, 0, 2);
    row += ' ';
    appendFixed(row, point.lonMinutes, 2, 5, Fill::Zeros);
    row += "      ";
    appendInteger(row, point.altitude, 4);
    row += ' ';
    appendLeft(row, point.unit, 2);
    row += '\n';
}

bool CWaypointConverter::readZvWaypointFile(const std::filesystem::path& path) {
    zvFileOpened = false;
    TextReader reader(path);
    if (!reader.isOpen()) {
        ui_.message(reader.tooLarge() ? tooLargeMessage(path) : cannotOpenMessage(path),
                    Icon::Stop);
        return false;
    }
    return readZvWaypoints(reader, path);
}

bool CWaypointConverter::readZvWaypoints(TextReader& reader, const std::filesystem::path& path) {
    zvFileOpened = true;
    // Only line 2 is tested: exactly one line (the empty one) comes before the header.
    if (!skipInstrumentHeader(reader)) {
        ui_.message(headerMessage(path), Icon::Exclamation);
        return false;
    }
    const auto scan = [](std::string_view line, Waypoint& point) {
        return scanRow(line, point) ? RowOutcome::Kept : RowOutcome::Refused;
    };
    if (!readPointRows(reader, "   ", zvWaypoints, scan)) {
        ui_.message(rowMessage(path), Icon::Exclamation);
        return false;
    }
    return true;
}

bool CWaypointConverter::writeZvWaypointFile(const std::filesystem::path& path) {
    // Written beside the target and renamed over it, so that a failed write leaves no
    // half-written file (a batch would take it for done and skip it the next time).
    return writeInstrumentFile(
        path, serialNumber_, ";------------------------- WAYPOINTS ------------------------------",
        columnHeader, oziWaypoints, [](std::string& row, const Waypoint& point) {
            appendZvWaypointRow(row, point, point.id, point.sign);
        });
}

bool CWaypointConverter::writeTakeoffFile(const std::filesystem::path& path) {
    TextWriter writer(path, WriteMode::Atomic);
    if (!writer.isOpen()) {
        ui_.message("Die Datei " + path.string() + "\nkonnte nicht geöffnet werden!",
                    Icon::Information);
        return false;
    }
    writeInstrumentLayout(writer, serialNumber_,
                          ";------------------------- TAKEOFF LOCATION ----------------------",
                          columnHeader);
    // Every site is a takeoff site for the instrument, whatever its source; no comments.
    std::string row;
    for (const auto& point : oziWaypoints) {
        row.clear();
        appendZvWaypointRow(row, point, "ST", "   o  ");
        writer.write(row);
    }
    writeInstrumentEnd(writer);
    if (!writer.close()) {
        ui_.message("Die Datei " + path.string() + "\nkonnte nicht geschrieben werden!",
                    Icon::Information);
        return false;
    }
    if (oziWaypoints.size() > 10) {
        ui_.message("Die Datei " + path.string() +
                        "\nenthält mehr als 10 Startplätze.\nWenn Sie die Daten zum Zirrova "
                        "übertragen wollen,\nmüssen Sie einige Zeilen löschen!",
                    Icon::Information);
    }
    return true;
}

} // namespace zv
