// The instrument's lift files: one line per lift (thermal) with its identifier, position,
// altitude, climb rate and the wind there,
//   "DE.BOP    N  50 14.03   E   8 30.89     875 m     2.6 m/s     046    18 kmh"
// The reader accepts the coordinates also with seconds after the minutes. One reader
// serves the lift database, the extraction, the map export and the upload (LiftReadMode).

#include "base/user_interface.h"
#include "formats/climb_classes.h"
#include "formats/instrument_text.h"
#include "formats/point_rows.h"
#include "formats/scan_pattern.h"
#include "formats/text_fields.h"
#include "formats/text_file.h"
#include "formats/waypoint_converter.h"

#include <array>

namespace zv {

namespace {

// The identifier is the first 6 characters of the line while they belong to the set; it
// keeps the blanks that pad it to 6. A line holds degrees and minutes of each coordinate
// (the short form), or degrees, minutes and seconds (the long form): the part up to the
// latitude minutes is scanned once, then the rest of the short form is tried, then the
// rest of the long form.
const ScanPattern& startPattern() {
    static const ScanPattern pattern(
        "%6[A-Z 0-9a-z_/--\xDC\xD6\xC4\xE4\xF6\xFC\xDF!\xB0>.:] %c %f %f");
    return pattern;
}

const ScanPattern& shortRestPattern() {
    static const ScanPattern pattern(" %c %f %f %d %s %f %s %d %d %s");
    return pattern;
}

const ScanPattern& longRestPattern() {
    static const ScanPattern pattern(" %f %c %f %f %f %d %s %f %s %d %d %s");
    return pattern;
}

// One lift line in the text form as read: whole degrees, minutes, seconds. A unit token
// longer than its 3-character field refuses the line, as it does in the waypoint files:
// such a line does not follow the instrument's columns. A refused line leaves `lift` half
// filled; the reader then stops and drops it.
bool scanLift(std::string_view line, Waypoint& lift) {
    const auto unit = ScanItem::text(lift.unit, unitLimit, TooLong::Refuse);
    const auto climbUnit = ScanItem::text(lift.climbUnit, unitLimit, TooLong::Refuse);
    const auto windUnit = ScanItem::text(lift.windSpeedUnit, unitLimit, TooLong::Refuse);
    const ScanPattern::Progress start =
        startPattern().scanFrom(line, 0,
                                {ScanItem::text(lift.name, nameLimit, TooLong::Cut),
                                 lift.latHemisphere, lift.latDegrees, lift.latMinutes});
    if (!startPattern().matchedAll(start)) {
        return false;
    }
    // The long form stores every field the short form stores.
    return shortRestPattern().matchedAll(shortRestPattern().scanFrom(
               line, start.position,
               {lift.lonHemisphere, lift.lonDegrees, lift.lonMinutes, lift.altitude, unit,
                lift.climb, climbUnit, lift.windDir, lift.windSpeed, windUnit})) ||
           longRestPattern().matchedAll(longRestPattern().scanFrom(
               line, start.position,
               {lift.latSeconds, lift.lonHemisphere, lift.lonDegrees, lift.lonMinutes,
                lift.lonSeconds, lift.altitude, unit, lift.climb, climbUnit, lift.windDir,
                lift.windSpeed, windUnit}));
}

// Signed decimal degrees of a lift coordinate; the sum is formed in double precision.
float decimalDegrees(float degrees, float minutes, float seconds, bool negative) {
    const double value = static_cast<double>(degrees) + static_cast<double>(minutes) / 60 +
                         static_cast<double>(seconds) / 3600;
    return static_cast<float>(negative ? -value : value);
}

float decimalLatitude(const Waypoint& lift) {
    return decimalDegrees(lift.latDegrees, lift.latMinutes, lift.latSeconds,
                          lift.latHemisphere == 'S');
}

float decimalLongitude(const Waypoint& lift) {
    return decimalDegrees(lift.lonDegrees, lift.lonMinutes, lift.lonSeconds,
                          lift.lonHemisphere == 'W');
}

// The writer writes degrees and minutes only: the seconds go into the minutes, so that
// the lift keeps its place when the record is written again.
void foldSeconds(Waypoint& lift) {
    lift.latMinutes += lift.latSeconds / 60;
    lift.lonMinutes += lift.lonSeconds / 60;
    lift.latSeconds = 0;
    lift.lonSeconds = 0;
}

void prepareForMap(Waypoint& lift) {
    lift.id = lift.name.substr(0, idLimit);
    // Wind direction and speed name the lift on the map ("Lift046°18"); values beyond
    // three digits would overrun the name column and are cut at its end.
    lift.name = "Lift";
    appendInteger(lift.name, lift.windDir, 3, Fill::Zeros);
    lift.name += '\xB0';
    appendInteger(lift.name, lift.windSpeed, 2, Fill::Zeros);
    if (lift.name.size() > nameLimit) {
        lift.name.resize(nameLimit);
    }
    lift.symbol = 15;
    const ClimbClass& colours = climbClasses[climbClassOf(lift.climb)];
    lift.bgColour = colours.bgColour;
    lift.fgColour = colours.fgColour;
    lift.latDecimal = decimalLatitude(lift);
    lift.lonDecimal = decimalLongitude(lift);
}

} // namespace

void appendLiftRow(std::string& row, const Waypoint& lift) {
    appendLeft(row, lift.name, 10);
    row += lift.latHemisphere;
    row += "  ";
    appendFixed(row, lift.latDegrees, 0, 2);
    row += ' ';
    appendFixed(row, lift.latMinutes, 2, 5, Fill::Zeros);
    row += "   ";
    row += lift.lonHemisphere;
    row += "  ";
    appendFixed(row, lift.lonDegrees, 0, 2);
    row += ' ';
    appendFixed(row, lift.lonMinutes, 2, 5, Fill::Zeros);
    row += "    ";
    appendInteger(row, lift.altitude, 4);
    row += ' ';
    appendLeft(row, lift.unit, 2);
    row += "    ";
    appendFixed(row, lift.climb, 1, 3);
    row += ' ';
    appendLeft(row, lift.climbUnit, 4);
    row += "    ";
    appendInteger(row, lift.windDir, 3, Fill::Zeros);
    row += "   ";
    appendInteger(row, lift.windSpeed, 3);
    row += ' ';
    appendLeft(row, lift.windSpeedUnit, 3);
    row += '\n';
}

void CWaypointConverter::setBounds(float latLow, float latHigh, float lonLow, float lonHigh) {
    filter.latLow = latLow;
    filter.latHigh = latHigh;
    filter.lonLow = lonLow;
    filter.lonHigh = lonHigh;
}

void CWaypointConverter::setWindWindow(bool windFilter, std::int32_t windFrom,
                                       std::int32_t windTo) {
    filter.windFilter = windFilter;
    filter.windFrom = windFrom;
    filter.windTo = windTo;
}

bool CWaypointConverter::readLiftFile(const std::filesystem::path& path) {
    zvFileOpened = false;
    TextReader reader(path);
    if (!reader.isOpen()) {
        // A database path from the settings may name no file: stop instead of reading.
        ui_.message(reader.tooLarge() ? tooLargeMessage(path) : cannotOpenMessage(path),
                    Icon::Stop);
        return false;
    }
    return readLifts(reader, path);
}

bool CWaypointConverter::readLifts(TextReader& reader, const std::filesystem::path& path) {
    zvFileOpened = true;
    if (!skipInstrumentHeader(reader)) {
        ui_.message("Format der Datei\n" + path.string() + "\nunzulässig? Bitte überprüfen!",
                    Icon::Exclamation);
        return false;
    }
    const auto scan = [this](std::string_view line, Waypoint& lift) {
        if (!scanLift(line, lift)) {
            return RowOutcome::Refused;
        }
        switch (mode) {
        case LiftReadMode::Raw:
            foldSeconds(lift);
            break;
        case LiftReadMode::Upload:
            lift.latDecimal = decimalLatitude(lift);
            lift.lonDecimal = decimalLongitude(lift);
            break;
        case LiftReadMode::Map:
            prepareForMap(lift);
            break;
        case LiftReadMode::Extract: {
            // Compared as the float the bounds are held in, so that a lift exactly on a
            // bound typed with the same digits lies inside.
            const float lat = decimalLatitude(lift);
            const float lon = decimalLongitude(lift);
            foldSeconds(lift);
            const bool inside = filter.latLow <= lat && lat <= filter.latHigh &&
                                filter.lonLow <= lon && lon <= filter.lonHigh;
            const bool inWind = !filter.windFilter ||
                                (filter.windFrom <= lift.windDir && lift.windDir <= filter.windTo);
            if (!inside || !inWind) {
                // The comment waits for the next lift that is kept.
                return RowOutcome::Skipped;
            }
            break;
        }
        }
        return RowOutcome::Kept;
    };
    if (!readPointRows(reader, "   ", zvWaypoints, scan)) {
        ui_.message("Zeile in Datei " + path.string() +
                        "\nkonnte nicht\trichtig interpretiert werden. Bitte überprüfen!",
                    Icon::Exclamation);
        return false;
    }
    return true;
}

bool CWaypointConverter::writeLiftFile(const std::filesystem::path& path) {
    if (zvWaypoints.empty()) {
        ui_.message("Keine Aufwinde gefunden!", Icon::Information);
        return false;
    }
    // The lift database is written through this writer: it is replaced only when the
    // whole new file was written.
    return writeInstrumentFile(
        path, serialNumber_,
        ";------------------------------- LIFTS ------------------------------------",
        ";IDENT    LATITUDE      LONGITUDE     ALTITUDE      CLIMB     WDIR   WSPEED", zvWaypoints,
        appendLiftRow);
}

} // namespace zv
