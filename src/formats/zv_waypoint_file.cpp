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

void writeLayout(TextWriter& writer, int serialNumber, const char* banner) {
    writeInstrumentHeader(writer, serialNumber);
    writer.write("\n");
    writer.writeLine(banner);
    writer.write("\n;***NAME***   ID   SIGN    LATITUDE       LONGITUDE       ALTITUDE\n\n");
}

// `lat` and `lon` hold whole degrees here, as the OziExplorer reader delivers them.
void writeRow(TextWriter& writer, const Waypoint& point, const std::string& id,
              const std::string& sign) {
    writer.print("%-14s%2s%6s     %c  %2.0f %05.2f    %c  %2.0f %05.2f      %4d %-2s\n",
                 point.name.c_str(), id.c_str(), sign.c_str(), point.latHemisphere, point.lat,
                 point.latMin, point.lonHemisphere, point.lon, point.lonMin, point.altitude,
                 point.unit.c_str());
}

void writeEnd(TextWriter& writer) {
    writer.write("\n@EOF\n");
}

} // namespace

bool CWaypointConverter::readZvWaypointFile(const std::string& path) {
    zvFileOpened = false;
    TextReader reader(path);
    if (!reader.isOpen()) {
        ui_.message(cannotOpenMessage(path), Icon::Stop);
        return false;
    }
    return readZvWaypoints(reader, path);
}

bool CWaypointConverter::readZvWaypoints(TextReader& reader, const std::string& path) {
    zvFileOpened = false;
    std::string line;
    reader.readLine(line);
    reader.readLine(line);
    zvFileOpened = true;
    // Only line 2 is tested: exactly one line (the empty one) comes before the header.
    if (line.find(instrumentMark) == std::string::npos) {
        ui_.message(headerMessage(path), Icon::Exclamation);
        return false;
    }
    // Empty line, banner, empty line, column header, empty line.
    for (int skipped = 0; skipped < 5 && reader.readLine(line); ++skipped) {
    }

    std::string pendingComment;
    while (reader.readLine(line)) {
        if (isEndLine(line)) {
            break;
        }
        const bool comment = isCommentLine(line);
        if (line.size() > 2 && !comment && !line.starts_with("   ")) {
            Waypoint point;
            if (!scanRow(line, point)) {
                ui_.message(rowMessage(path), Icon::Exclamation);
                return false;
            }
            point.comment = std::move(pendingComment);
            pendingComment.clear();
            zvWaypoints.push_back(std::move(point));
        }
        if (comment) {
            pendingComment = line;
        }
    }
    return true;
}

bool CWaypointConverter::writeZvWaypointFile(const std::string& path) {
    // Written beside the target and renamed over it, so that a failed write leaves no
    // half-written file (a batch would take it for done and skip it the next time).
    TextWriter writer(path, WriteMode::Atomic);
    if (!writer.isOpen()) {
        return false;
    }
    writeLayout(writer, serialNumber_,
                ";------------------------- WAYPOINTS ------------------------------");
    for (const auto& point : oziWaypoints) {
        if (!point.comment.empty()) {
            writer.writeLine(point.comment);
        }
        writeRow(writer, point, point.id, point.sign);
    }
    writeEnd(writer);
    return writer.close();
}

bool CWaypointConverter::writeTakeoffFile(const std::string& path) {
    TextWriter writer(path, WriteMode::Atomic);
    if (!writer.isOpen()) {
        ui_.message("Die Datei " + path + "\nkonnte nicht geöffnet werden!", Icon::Information);
        return false;
    }
    writeLayout(writer, serialNumber_,
                ";------------------------- TAKEOFF LOCATION ----------------------");
    // Every site is a takeoff site for the instrument, whatever its source; no comments.
    const std::string id = "ST";
    const std::string sign = "   o  ";
    for (const auto& point : oziWaypoints) {
        writeRow(writer, point, id, sign);
    }
    writeEnd(writer);
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
