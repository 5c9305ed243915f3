// The instrument's waypoint, route and takeoff site files: one fixed-column row per point,
//   "AGUADULCE-S   ES   +       N  36 49.43    W   2 34.21       350 m"
// name (14 columns, blank-padded), ID, SIGN, latitude and longitude as hemisphere letter,
// degrees and decimal minutes, altitude and its unit. Rows may carry seconds after the
// minutes when read.

#include "app/user_interface.h"
#include "formats/coordinates.h"
#include "formats/instrument_text.h"
#include "formats/scan_pattern.h"
#include "formats/sign_symbols.h"
#include "formats/text_file.h"
#include "formats/waypoint_converter.h"

namespace zv {

namespace {

// The name is scanned with the whole name set of the instrument in both patterns, so that
// a name holding "ä", "ö", "ü" or "ß" is read whole. The width keeps the blank padding.
const ScanPattern& rowPattern() {
    static const ScanPattern pattern(
        "%14[A-Z 0-9a-z_/--\xDC\xD6\xC4\xE4\xF6\xFC\xDF!\xB0>.:] %s  %s %c %f %f %c %f %f %d %s");
    return pattern;
}

const ScanPattern& rowPatternWithSeconds() {
    static const ScanPattern pattern("%14[A-Z 0-9a-z_/--\xDC\xD6\xC4\xE4\xF6\xFC\xDF!\xB0>.:] %s  "
                                     "%s %c %f %f %f %c %f %f %f %d %s");
    return pattern;
}

// One data row into a record, with the coordinates as signed decimal degrees. The name is
// bounded by its column width; an ID, SIGN or unit token longer than its field refuses the
// row, as such a row does not follow the instrument's columns.
bool scanRow(const std::string& line, Waypoint& point) {
    float latDegrees = 0;
    float lonDegrees = 0;
    Waypoint scanned;
    const auto name = ScanItem::text(scanned.name, nameLimit, TooLong::Cut);
    const auto id = ScanItem::text(scanned.id, idLimit, TooLong::Refuse);
    const auto sign = ScanItem::text(scanned.sign, signLimit, TooLong::Refuse);
    const auto unit = ScanItem::text(scanned.unit, unitLimit, TooLong::Refuse);
    bool matched =
        rowPattern().scan(line, {name, id, sign, scanned.latHemisphere, latDegrees, scanned.latMin,
                                 scanned.lonHemisphere, lonDegrees, scanned.lonMin,
                                 scanned.altitude, unit}) == rowPattern().itemCount();
    if (!matched) {
        scanned = Waypoint{};
        matched = rowPatternWithSeconds().scan(
                      line, {name, id, sign, scanned.latHemisphere, latDegrees, scanned.latMin,
                             scanned.latSec, scanned.lonHemisphere, lonDegrees, scanned.lonMin,
                             scanned.lonSec, scanned.altitude, unit}) ==
                  rowPatternWithSeconds().itemCount();
    }
    if (!matched) {
        return false;
    }
    const SignSymbol symbol = symbolOfSign(scanned.sign);
    scanned.symbol = symbol.symbol;
    scanned.fgColour = symbol.fgColour;
    scanned.bgColour = symbol.bgColour;
    scanned.lat =
        latitudeFromText(scanned.latHemisphere, latDegrees, scanned.latMin, scanned.latSec);
    scanned.lon =
        longitudeFromText(scanned.lonHemisphere, lonDegrees, scanned.lonMin, scanned.lonSec);
    point = std::move(scanned);
    return true;
}

constexpr std::string_view columnHeader =
    ";***NAME***   ID   SIGN    LATITUDE       LONGITUDE       ALTITUDE";

// `lat` and `lon` hold whole degrees here, as the OziExplorer reader delivers them.
void writeRow(TextWriter& writer, const Waypoint& point, const std::string& id,
              const std::string& sign) {
    writer.print("%-14s%2s%6s     %c  %2.0f %05.2f    %c  %2.0f %05.2f      %4d %-2s\n",
                 point.name.c_str(), id.c_str(), sign.c_str(), point.latHemisphere, point.lat,
                 point.latMin, point.lonHemisphere, point.lon, point.lonMin, point.altitude,
                 point.unit.c_str());
}

} // namespace

bool CWaypointConverter::readZvWaypointFile(const std::string& path) {
    zvFileOpened = false;
    TextReader reader(path);
    if (!reader.isOpen()) {
        ui_.message(reader.tooLarge() ? tooLargeMessage(path) : cannotOpenMessage(path),
                    Icon::Stop);
        return false;
    }
    return readZvWaypoints(reader, path);
}

bool CWaypointConverter::readZvWaypoints(TextReader& reader, const std::string& path) {
    zvFileOpened = true;
    // Only line 2 is tested: exactly one line (the empty one) comes before the header.
    if (!skipInstrumentHeader(reader)) {
        ui_.message(headerMessage(path), Icon::Exclamation);
        return false;
    }
    const auto scan = [](const std::string& line, Waypoint& point) {
        return scanRow(line, point) ? RowOutcome::Kept : RowOutcome::Refused;
    };
    if (!readPointRows(reader, "   ", zvWaypoints, scan)) {
        ui_.message(rowMessage(path), Icon::Exclamation);
        return false;
    }
    return true;
}

bool CWaypointConverter::writeZvWaypointFile(const std::string& path) {
    // Written beside the target and renamed over it, so that a failed write leaves no
    // half-written file (a batch would take it for done and skip it the next time).
    return writeInstrumentFile(
        path, serialNumber_, ";------------------------- WAYPOINTS ------------------------------",
        columnHeader, oziWaypoints, [](TextWriter& writer, const Waypoint& point) {
            writeRow(writer, point, point.id, point.sign);
        });
}

bool CWaypointConverter::writeTakeoffFile(const std::string& path) {
    TextWriter writer(path, WriteMode::Atomic);
    if (!writer.isOpen()) {
        ui_.message("Die Datei " + path + "\nkonnte nicht geöffnet werden!", Icon::Information);
        return false;
    }
    writeInstrumentLayout(writer, serialNumber_,
                          ";------------------------- TAKEOFF LOCATION ----------------------",
                          columnHeader);
    // Every site is a takeoff site for the instrument, whatever its source; no comments.
    const std::string id = "ST";
    const std::string sign = "   o  ";
    for (const auto& point : oziWaypoints) {
        writeRow(writer, point, id, sign);
    }
    writeInstrumentEnd(writer);
    if (!writer.close()) {
        ui_.message("Die Datei " + path + "\nkonnte nicht geschrieben werden!", Icon::Information);
        return false;
    }
    if (oziWaypoints.size() > 10) {
        ui_.message("Die Datei " + path +
                        "\nenthält mehr als 10 Startplätze.\nWenn Sie die Daten zum Zirrova "
                        "übertragen wollen,\nmüssen Sie einige Zeilen löschen!",
                    Icon::Information);
    }
    return true;
}

} // namespace zv
