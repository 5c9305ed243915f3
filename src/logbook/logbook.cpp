#include "logbook/logbook.h"

#include "base/user_interface.h"
#include "formats/scan_pattern.h"
#include "formats/text_fields.h"
#include "formats/text_file.h"

#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <set>
#include <tuple>

namespace zv {

namespace {

constexpr std::string_view makerText = ";   KARVELON VUVEZ";
// The example flight of the automatic configuration (95-04-21, 14:00 at SCHOECKL-SO) is
// never kept. It is recognised by site, date and takeoff time, as duplicates are: a
// pilot's real flights from that site must not vanish with it.
bool isExampleFlight(const FlightRecord& f) {
    return f.takeoffSite == "   SCHOECKL-SO" && f.year == 95 && f.month == 4 && f.day == 21 &&
           f.takeoffHour == 14 && f.takeoffMinute == 0;
}
// The instrument writes "m", "km", "hPa", "m/s" and "kmh"; the vario and air speed
// columns have room for three characters, the others for seven.
constexpr std::size_t shortUnit = 3;
constexpr std::size_t longUnit = 7;

bool contains(std::string_view line, std::string_view text) {
    return line.find(text) != std::string_view::npos;
}

char signOf(float value) {
    return value > 0 ? '+' : '-';
}

bool negativeSign(const std::string& sign) {
    return !sign.empty() && sign[0] == '-';
}

// A text item of a record line: the separators and signs, and the units, which are
// refused when longer than their column (the vario and air speed columns have room for
// three characters, the others for seven).
ScanItem token(std::string& target) {
    return ScanItem::text(target, 8, TooLong::Cut);
}
ScanItem unit(std::string& target, std::size_t limit) {
    return ScanItem::text(target, limit, TooLong::Refuse);
}

// Record line 1: number, takeoff, landing, flight time, maximum altitude, best climb.
bool parseLine1(const std::string& line, FlightRecord& flight) {
    static const ScanPattern pattern("%d %d %[:] %d  %d %[:] %d %d %[:] %d %d %s %[+--] %f %s");
    int number = 0;
    std::string colon;
    std::string altiUnit;
    std::string sign;
    float magnitude = 0;
    const int count = pattern.scan(
        line, {number, flight.takeoffHour, token(colon), flight.takeoffMinute, flight.landingHour,
               token(colon), flight.landingMinute, flight.durationHours, token(colon),
               flight.durationMinutes, flight.altiMax, unit(altiUnit, longUnit), token(sign),
               magnitude, unit(flight.varioUnit, shortUnit)});
    if (count != 15) {
        return false;
    }
    flight.varioMax = negativeSign(sign) ? -magnitude : magnitude;
    return true;
}

// Record line 2: date, takeoff and landing altitude, distance, altitude gain, worst sink.
// Some instruments write the landing altitude with a sign of its own ("- 12 m").
bool parseLine2(const std::string& line, FlightRecord& flight) {
    static const ScanPattern plain("%d %[--] %d %[--] %d %d %s %d %s %f %s %d %s %[+--] %f %s");
    static const ScanPattern signedLanding(
        "%d %[--] %d %[--] %d %d %s %[+--] %d %s %f %s %d %s %[+--] %f %s");
    std::string dash;
    std::string altitudeUnit;
    std::string landingSign;
    std::string sign;
    float magnitude = 0;
    int count = plain.scan(line, {flight.year, token(dash), flight.month, token(dash), flight.day,
                                  flight.takeoffAltitude, unit(altitudeUnit, longUnit),
                                  flight.landingAltitude, unit(altitudeUnit, longUnit),
                                  flight.distance, unit(flight.distanceUnit, longUnit),
                                  flight.altiGain, unit(altitudeUnit, longUnit), token(sign),
                                  magnitude, unit(flight.varioUnit, shortUnit)});
    if (count != 16) {
        count = signedLanding.scan(
            line,
            {flight.year, token(dash), flight.month, token(dash), flight.day,
             flight.takeoffAltitude, unit(altitudeUnit, longUnit), token(landingSign),
             flight.landingAltitude, unit(altitudeUnit, longUnit), flight.distance,
             unit(flight.distanceUnit, longUnit), flight.altiGain, unit(altitudeUnit, longUnit),
             token(sign), magnitude, unit(flight.varioUnit, shortUnit)});
        if (count != 16 && count != 17) {
            return false;
        }
        if (negativeSign(landingSign)) {
            flight.landingAltitude = -flight.landingAltitude;
        }
    }
    flight.varioMin = negativeSign(sign) ? -magnitude : magnitude;
    return true;
}

// Record line 3: takeoff site, air pressure, polar, altitude sum, air speed (if any).
bool parseLine3(const std::string& line, FlightRecord& flight) {
    static const ScanPattern pattern(
        "%14[A-Z 0-9a-z_/--\xDC\xD6\xC4\xE4\xF6\xFC\xDF!\xB0>.:] %d %s %6[ARP 0-9] %d %s %f %s");
    const int count = pattern.scan(line, {ScanItem::text(flight.takeoffSite, 14, TooLong::Cut),
                                          flight.qnh, unit(flight.qnhUnit, longUnit),
                                          ScanItem::text(flight.polar, 6, TooLong::Cut),
                                          flight.altiSum, unit(flight.altitudeUnit, longUnit),
                                          flight.tasMax, unit(flight.tasUnit, shortUnit)});
    if (count == 6) {
        flight.tasMax = 0;
        flight.tasUnit.clear();
        return true;
    }
    return count == 8;
}

// A unit is a short word; a ';' or "@EOF" in it, or a control character, would turn the
// rewritten record line into a comment, an end of file or a shorter line, and a leading
// digit would join the number the writer puts directly before it.
bool isUnit(const std::string& unit) {
    if (!unit.empty() && unit[0] >= '0' && unit[0] <= '9') {
        return false;
    }
    for (const char c : unit) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F || c == ';' || c == '@') {
            return false;
        }
    }
    return true;
}

bool unitsFit(const FlightRecord& flight) {
    return isUnit(flight.altitudeUnit) && isUnit(flight.distanceUnit) && isUnit(flight.qnhUnit) &&
           isUnit(flight.varioUnit) && isUnit(flight.tasUnit);
}

// "%<width>d" of an altitude, a distance or a time followed by its unit in "%<width>s".
void appendWithUnit(std::string& line, int value, int width, const std::string& unit,
                    std::size_t unitWidth) {
    appendInteger(line, value, width);
    appendRight(line, unit, unitWidth);
}

// A climb or sink: its sign as '+' or '-', then the magnitude as "%4.1f".
void appendSignedRate(std::string& line, float value) {
    line += signOf(value);
    appendFixed(line, std::fabs(static_cast<double>(value)), 1, 4);
}

// "hh:mm" with the hour in "%<width>d" and the minutes in "%02d".
void appendClock(std::string& line, int hours, int minutes, int hourWidth, Fill hourFill) {
    appendInteger(line, hours, hourWidth, hourFill);
    line += ':';
    appendInteger(line, minutes, 2, Fill::Zeros);
}

// The three lines of a record, each handed to `out` on its own; `line` is reused.
void emitRecord(const FlightRecord& f, std::string& line,
                const std::function<void(const std::string&)>& out) {
    out(f.leadText);
    // Number, takeoff, landing, flight time, maximum altitude, best climb.
    line.clear();
    appendInteger(line, f.number, 8);
    line.append(11, ' ');
    appendClock(line, f.takeoffHour, f.takeoffMinute, 2, Fill::Blanks);
    line.append(7, ' ');
    appendClock(line, f.landingHour, f.landingMinute, 2, Fill::Blanks);
    line.append(7, ' ');
    appendClock(line, f.durationHours, f.durationMinutes, 2, Fill::Zeros);
    line.append(9, ' ');
    appendWithUnit(line, f.altiMax, 4, f.altitudeUnit, 2);
    line.append(6, ' ');
    appendSignedRate(line, f.varioMax);
    line += ' ';
    appendRight(line, f.varioUnit, 3);
    line += '\n';
    out(line);
    // Date, takeoff and landing altitude, distance, altitude gain, worst sink.
    line.assign(3, ' ');
    appendInteger(line, f.year, 2, Fill::Zeros);
    line += '-';
    appendInteger(line, f.month, 2, Fill::Zeros);
    line += '-';
    appendInteger(line, f.day, 2, Fill::Zeros);
    line.append(8, ' ');
    appendWithUnit(line, f.takeoffAltitude, 4, f.altitudeUnit, 2);
    line.append(6, ' ');
    appendWithUnit(line, f.landingAltitude, 4, f.altitudeUnit, 2);
    line.append(6, ' ');
    appendFixed(line, f.distance, 1, 5);
    line += ' ';
    appendRight(line, f.distanceUnit, 2);
    line.append(6, ' ');
    appendWithUnit(line, f.altiGain, 4, f.altitudeUnit, 2);
    line.append(6, ' ');
    appendSignedRate(line, f.varioMin);
    line += ' ';
    appendRight(line, f.varioUnit, 3);
    line += '\n';
    out(line);
    // Takeoff site, air pressure, polar, altitude sum, and the air speed when there is one.
    line.clear();
    appendRight(line, f.takeoffSite, 14);
    line.append(5, ' ');
    appendWithUnit(line, f.qnh, 4, f.qnhUnit, 4);
    line.append(3, ' ');
    appendRight(line, f.polar, 6);
    line.append(21, ' ');
    appendWithUnit(line, f.altiSum, 4, f.altitudeUnit, 2);
    line.append(7, ' ');
    if (f.tasMax >= 1e-10F) {
        appendFixed(line, f.tasMax, 1, 4);
        appendRight(line, f.tasUnit, 4);
    }
    line += '\n';
    out(line);
}

void emitLogbook(const std::vector<std::string>& header, const std::vector<FlightRecord>& flights,
                 bool formatError, int flightsPerPage,
                 const std::function<void(const std::string&)>& out) {
    const auto emitHeader = [&]() {
        out("\n");
        for (const auto& line : header) {
            out(line);
        }
    };
    if (flights.empty()) {
        emitHeader();
        if (!formatError) {
            out("@EOF\n");
        }
        return;
    }
    // A page size below 1 cannot form pages: then every flight goes on one page.
    const std::size_t pageSize = flightsPerPage < 1 ? std::numeric_limits<std::size_t>::max()
                                                    : static_cast<std::size_t>(flightsPerPage);
    std::size_t next = 0;
    std::string line;
    while (next < flights.size()) {
        emitHeader();
        for (std::size_t onPage = 1; onPage <= pageSize && next < flights.size();
             ++onPage, ++next) {
            emitRecord(flights[next], line, out);
            out(onPage == pageSize ? "\n\f" : "\n");
        }
    }
    out("@EOF\n");
}

} // namespace

CLogbook::CLogbook(const std::string& serialText) {
    headerLines_ = {
        ";   KARVELON VUVEZ * ZIRROVA No.  " + serialText,
        "\n",
        ";---------------------------------- LOG --------------------------------------\n",
        "\n",
        ";    No.          TAKEOFF:    LANDING:    TOTAL TIME    ALTI MAX    VARIO MAX\n",
        ";    DATE         TIME/       TIME/ALTI   DISTANCE      ALTI GAIN   VARIO MIN\n",
        ";  TAKEOFF-LOC    ALTI/QNH    POLARE                    ALTI SUM    TAS MAX\n",
        "\n",
    };
}

std::string CLogbook::serialText(int serialNumber) {
    return integerText(serialNumber, 4) + '\n';
}

bool CLogbook::readLogbook(const std::filesystem::path& path, UserInterface& ui) {
    formatError_ = false;
    TextReader reader(path);
    if (!reader.isOpen()) {
        ui.message(reader.tooLarge() ? tooLargeMessage(path) : logbookOpenFailedMessage(path),
                   Icon::Stop);
        return false;
    }
    return readLogbook(reader, ui);
}

bool CLogbook::readLogbook(TextReader& reader, UserInterface& ui) {
    formatError_ = false;
    const auto fail = [&]() {
        formatError_ = true;
        ui.message(logbookFormatMessage, Icon::Exclamation);
        return false;
    };
    // Every line up to "@EOF" must be there: a file that ends before it (a download cut
    // off, a disk that filled up) is not taken for a whole logbook.
    std::string line;
    const auto next = [&]() { return reader.readLine(line); };
    const auto skip = [&](int count) {
        for (int i = 0; i < count; ++i) {
            if (!next()) {
                return false;
            }
        }
        return true;
    };

    if (!skip(2) || !contains(line, makerText) || !skip(7)) {
        return fail();
    }
    std::string leadText;
    for (;;) {
        // The header of the next page. A maker line where the header ends starts yet
        // another page: kept as a comment it would become a page header when rewritten.
        while (contains(line, makerText)) {
            if (!skip(7)) {
                return fail();
            }
        }
        if (contains(line, "@EOF")) {
            return true;
        }
        if (contains(line, ";")) {
            leadText.assign(line).push_back('\n');
        } else if (line.size() > 20 && line.find_first_not_of(' ') < 21) {
            FlightRecord flight;
            std::string line2;
            std::string line3;
            if (!reader.readLine(line2) || !reader.readLine(line3) || !parseLine1(line, flight) ||
                !parseLine2(line2, flight) || !parseLine3(line3, flight) || !unitsFit(flight)) {
                return fail();
            }
            if (!isExampleFlight(flight)) {
                flight.number = static_cast<int>(flights_.size()) + 1;
                flight.leadText = leadText;
                flights_.push_back(std::move(flight));
                leadText.assign(1, '\n');
            }
        }
        if (!next()) {
            return fail();
        }
    }
}

std::string CLogbook::logbookText(int flightsPerPage) const {
    std::string text;
    emitLogbook(headerLines_, flights_, formatError_, flightsPerPage,
                [&](const std::string& piece) { text += piece; });
    return text;
}

bool CLogbook::writeLogbook(const std::filesystem::path& path, int flightsPerPage,
                            UserInterface& ui) const {
    TextWriter writer(path, WriteMode::Atomic);
    emitLogbook(headerLines_, flights_, formatError_, flightsPerPage,
                [&](const std::string& piece) { writer.write(piece); });
    if (!writer.close()) {
        ui.message(writeFailedMessage(path), Icon::Stop);
        return false;
    }
    return true;
}

void CLogbook::renumber(int first) {
    // Numbers beyond the int range wrap as the instrument's counters would; computed
    // unsigned so that no overflow is undefined.
    auto number = static_cast<std::uint32_t>(first);
    for (auto& flight : flights_) {
        flight.number = static_cast<int>(number++);
    }
}

void CLogbook::removeDuplicates() {
    // Being a duplicate is plain equality of these six values, so "removed when an earlier
    // flight has the same values" is the same as comparing every pair, in n log n.
    using Key = std::tuple<std::string, int, int, int, int, int>;
    std::set<Key> seen;
    std::vector<FlightRecord> kept;
    kept.reserve(flights_.size());
    for (auto& flight : flights_) {
        Key key{flight.takeoffSite, flight.day,         flight.month,
                flight.year,        flight.takeoffHour, flight.takeoffMinute};
        if (seen.insert(std::move(key)).second) {
            kept.push_back(std::move(flight));
        }
    }
    flights_ = std::move(kept);
}

std::string logbookOpenFailedMessage(const std::filesystem::path& path) {
    return "Das Flugbuch " + path.string() +
           "\nkonnte nicht geöffnet werden. Bitte Einstellungen Flugbuchpfad korrigieren!";
}

std::string writeFailedMessage(const std::filesystem::path& path) {
    return "Die Datei " + path.string() +
           "\nkonnte nicht geschrieben werden. Sie bleibt, wie sie war.";
}

} // namespace zv
