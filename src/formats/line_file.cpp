// The instrument's line files: the points of the instrument's lines, one row per point
// with its position, altitude and two directions,
//   "L01           N  47 12.50   E  11 03.20    1200 m       90     270"
// written from degrees-and-minutes records, read into decimal degrees for the upload.

#include "base/user_interface.h"
#include "formats/coordinates.h"
#include "formats/instrument_text.h"
#include "formats/point_rows.h"
#include "formats/scan_pattern.h"
#include "formats/text_fields.h"
#include "formats/text_file.h"
#include "formats/waypoint_converter.h"

namespace zv {

namespace {

// The identifier takes at most 14 characters of the set, with the blanks that pad it.
const ScanPattern& rowPattern() {
    static const ScanPattern pattern("%14[A-Z 0-9a-z_/--\xDC\xD6\xC4\xE4\xF6\xFC\xDF!\xB0>.:] "
                                     "%c %f %f %c %f %f %d %s %d %d");
    return pattern;
}

// A unit token longer than its field refuses the row, as in the waypoint files.
bool scanRow(std::string_view line, Waypoint& point) {
    Waypoint scanned;
    const auto name = ScanItem::text(scanned.name, nameLimit, TooLong::Cut);
    const auto unit = ScanItem::text(scanned.unit, unitLimit, TooLong::Refuse);
    if (rowPattern().scan(line, {name, scanned.latHemisphere, scanned.latDegrees,
                                 scanned.latMinutes, scanned.lonHemisphere, scanned.lonDegrees,
                                 scanned.lonMinutes, scanned.altitude, unit, scanned.dir1,
                                 scanned.dir2}) != rowPattern().itemCount()) {
        return false;
    }
    scanned.latDecimal =
        latitudeFromText(scanned.latHemisphere, scanned.latDegrees, scanned.latMinutes, 0);
    scanned.lonDecimal =
        longitudeFromText(scanned.lonHemisphere, scanned.lonDegrees, scanned.lonMinutes, 0);
    point = std::move(scanned);
    return true;
}

} // namespace

void appendLineRow(std::string& row, const Waypoint& point) {
    appendLeft(row, point.name, 14);
    row += point.latHemisphere;
    row += "  ";
    appendFixed(row, point.latDegrees, 0, 2);
    row += ' ';
    appendFixed(row, point.latMinutes, 2, 5, Fill::Zeros);
    row += "   ";
    row += point.lonHemisphere;
    row += "  ";
    appendFixed(row, point.lonDegrees, 0, 2);
    row += ' ';
    appendFixed(row, point.lonMinutes, 2, 5, Fill::Zeros);
    row += "    ";
    appendInteger(row, point.altitude, 4);
    row += ' ';
    appendLeft(row, point.unit, 2);
    row += "    ";
    appendInteger(row, point.dir1, 4);
    row += "    ";
    appendInteger(row, point.dir2, 4);
    row += '\n';
}

bool CWaypointConverter::readLineFile(const std::filesystem::path& path) {
    zvFileOpened = false;
    TextReader reader(path);
    if (!reader.isOpen()) {
        ui_.message(reader.tooLarge() ? tooLargeMessage(path) : cannotOpenMessage(path),
                    Icon::Stop);
        return false;
    }
    return readLines(reader, path);
}

bool CWaypointConverter::readLines(TextReader& reader, const std::filesystem::path& path) {
    zvFileOpened = true;
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

bool CWaypointConverter::writeLineFile(const std::filesystem::path& path) {
    if (oziWaypoints.empty()) {
        ui_.message("Keine Lines gefunden!", Icon::Information);
        return false;
    }
    return writeInstrumentFile(
        path, serialNumber_, ";---------------------------- LINES -------------------------------",
        ";IDENT        LATITUDE      LONGITUDE     ALTITUDE     DIR1    DIR2", oziWaypoints,
        appendLineRow);
}

} // namespace zv
