// The two evaluations of the main logbook: flight hours per month and year, and flight
// hours per takeoff site, each over a span of dates.

#include "base/app_settings.h"
#include "base/user_interface.h"
#include "formats/precious_files.h"
#include "formats/text_fields.h"
#include "formats/text_file.h"
#include "logbook/logbook_commands.h"

#include <algorithm>
#include <map>
#include <tuple>

namespace zv {

namespace {

constexpr const char* noFlightsMessage =
    "Das Flugbuch enthält keine Daten oder nur den Beispielflug!";

// A date to compare: four-digit year, month, day (kept wide: a damaged file may hold
// any numbers).
using DateKey = std::tuple<long long, int, int>;

DateKey flightDate(const FlightRecord& f) {
    return {fourDigitYear(f.year), f.month, f.day};
}

DateKey calendarDate(const CalendarDate& d) {
    return {d.year, d.month, d.day};
}

// The span of an evaluation, and the two dates its TIME SPAN line shows when no flight
// lies in it (in the two-digit form of the logbook).
struct Span {
    DateKey start;
    DateKey end;
    std::array<int, 3> shownStart{};
    std::array<int, 3> shownEnd{};
};

bool isEarlierDate(const FlightRecord& a, const FlightRecord& b) {
    return flightDate(a) < flightDate(b);
}

std::array<int, 3> shownDate(const FlightRecord& f) {
    return {f.day, f.month, f.year};
}

Span spanOf(const CLogbook& logbook, const TimeSpanDialogData& data) {
    Span span;
    const auto& flights = logbook.flights();
    if (data.allFlights && !flights.empty()) {
        // From the earliest to the latest flight date, wherever they stand in the list.
        const auto [first, last] =
            std::minmax_element(flights.begin(), flights.end(), isEarlierDate);
        span.start = flightDate(*first);
        span.end = flightDate(*last);
        span.shownStart = shownDate(*first);
        span.shownEnd = shownDate(*last);
    } else {
        span.start = calendarDate(data.start);
        span.end = calendarDate(data.end);
        span.shownStart = {data.start.day, data.start.month, data.start.year % 100};
        span.shownEnd = {data.end.day, data.end.month, data.end.year % 100};
    }
    return span;
}

// Keeps the flights of the span (both ends belong to it), in date order, so that the
// first and the last of them are the earliest and the latest evaluated also when the
// logbook was not in order.
void keepSpan(CLogbook& logbook, const Span& span) {
    auto& flights = logbook.flights();
    std::erase_if(flights, [&](const FlightRecord& f) {
        const DateKey date = flightDate(f);
        return date < span.start || span.end < date;
    });
    std::stable_sort(flights.begin(), flights.end(), isEarlierDate);
}

// "dd.mm.yy", each part "%02d".
void appendDate(std::string& line, const std::array<int, 3>& date) {
    appendInteger(line, date[0], 2, Fill::Zeros);
    line += '.';
    appendInteger(line, date[1], 2, Fill::Zeros);
    line += '.';
    appendInteger(line, date[2], 2, Fill::Zeros);
}

// The TIME SPAN line: the first and the last flight evaluated, or the span itself when
// no flight lies in it.
std::string timeSpanLine(const CLogbook& logbook, const Span& span) {
    std::array<int, 3> first = span.shownStart;
    std::array<int, 3> last = span.shownEnd;
    const auto& flights = logbook.flights();
    if (!flights.empty()) {
        first = {flights.front().day, flights.front().month, flights.front().year};
        last = {flights.back().day, flights.back().month, flights.back().year};
    }
    std::string line = "TIME SPAN   ";
    appendDate(line, first);
    line += " - ";
    appendDate(line, last);
    line += '\n';
    return line;
}

void writeReportHead(TextWriter& out, const CLogbook& logbook, const char* banner) {
    out.write("\n");
    out.write(logbook.headerLines()[0]);
    out.write(logbook.headerLines()[1]);
    out.write(banner);
    out.write("\n");
}

bool finishReport(TextWriter& out, const std::filesystem::path& path, UserInterface& ui) {
    if (!out.close()) {
        ui.message(writeFailedMessage(path), Icon::Stop);
        return false;
    }
    return true;
}

// "  hh:mm", each part "%02lld".
void appendTimeCell(std::string& text, const FlightTime& time) {
    text += "  ";
    appendInteger(text, time.hours, 2, Fill::Zeros);
    text += ':';
    appendInteger(text, time.minutes, 2, Fill::Zeros);
}

std::string timeCells(const std::array<FlightTime, 13>& row) {
    std::string text;
    for (int month = 1; month <= 12; ++month) {
        appendTimeCell(text, row[month]);
    }
    appendTimeCell(text, row[0]);
    text += '\n';
    return text;
}

// Reads the main logbook and asks for the span; false when there is nothing to evaluate.
bool prepareEvaluation(const AppSettings& settings, CLogbook& logbook, TimeSpanDialogData& data,
                       UserInterface& ui) {
    // Whatever flights were read are evaluated, also after a read error.
    logbook.readLogbook(mainLogbookPath(settings), ui);
    if (logbook.flights().empty()) {
        ui.message(noFlightsMessage, Icon::Stop);
        return false;
    }
    data.start = today();
    data.end = data.start;
    if (!ui.runTimeSpanDialog(data)) {
        return false;
    }
    if (const FieldRefusal refusal = checkTimeSpan(data)) {
        ui.message(*refusal, Icon::Exclamation);
        return false;
    }
    return true;
}

} // namespace

FieldRefusal checkTimeSpan(const TimeSpanDialogData& data) {
    if (!data.allFlights && !(calendarDate(data.start) < calendarDate(data.end))) {
        return "Ende der Auswertung muß später sein als Beginn!";
    }
    return std::nullopt;
}

bool writeFlightHoursReport(CLogbook& logbook, const TimeSpanDialogData& data,
                            const std::filesystem::path& reportPath, UserInterface& ui) {
    const Span span = spanOf(logbook, data);
    keepSpan(logbook, span);

    const long long firstYear = std::get<0>(span.start);
    const long long lastYear = std::get<0>(span.end);
    const int firstMonth = std::get<1>(span.start);
    const int lastMonth = std::get<1>(span.end);
    if (lastYear - firstYear + 1 > hoursTableYears) {
        ui.message("Die Auswertung umfaßt mehr als " + integerText(hoursTableYears, 2) +
                       " Jahre.\n Bitte schränken Sie den Auswertezeitraum ein!",
                   Icon::Stop);
        return false;
    }
    const int years = static_cast<int>(std::max(0LL, lastYear - firstYear + 1));

    HoursTable& table = logbook.hoursTable();
    table = HoursTable{};
    for (const FlightRecord& f : logbook.flights()) {
        const long long year = fourDigitYear(f.year);
        const bool inSpan = (year > firstYear || f.month >= firstMonth) &&
                            (year < lastYear || f.month <= lastMonth);
        if (year < firstYear || year > lastYear || f.month < 1 || f.month > 12 || !inSpan) {
            continue;
        }
        table[static_cast<std::size_t>(year - firstYear + 1)][static_cast<std::size_t>(f.month)]
            .add(f.durationHours, f.durationMinutes);
    }
    for (int row = 1; row <= years; ++row) {
        for (int month = 1; month <= 12; ++month) {
            const FlightTime cell = table[row][month];
            table[0][month].add(cell.hours, cell.minutes);
            table[row][0].add(cell.hours, cell.minutes);
        }
    }
    for (int row = 1; row <= years; ++row) {
        table[0][0].add(table[row][0].hours, table[row][0].minutes);
    }

    TextWriter out(reportPath, WriteMode::Atomic);
    writeReportHead(out, logbook,
                    ";--------------------------------- ANUAL FLIGHT TIME [hh:mm] "
                    "------------------------------------\n");
    out.write("YEAR     JAN    FEB    MAR    APR    MAY    JUN    JUL    AUG    SEP    OKT    "
              "NOV    DEZ   TOTAL\n");
    out.write("\n");
    for (int row = 1; row <= years; ++row) {
        out.write(integerText(firstYear + row - 1, 4) + "  " + timeCells(table[row]));
    }
    out.write("TOTAL " + timeCells(table[0]));
    out.write("\n");
    out.write(timeSpanLine(logbook, span));
    return finishReport(out, reportPath, ui);
}

bool writeTakeoffSiteReport(CLogbook& logbook, const TimeSpanDialogData& data,
                            const std::filesystem::path& reportPath, UserInterface& ui) {
    const Span span = spanOf(logbook, data);
    keepSpan(logbook, span);

    // The 11-character name field: the site text without its three leading blanks.
    auto& sites = logbook.sites();
    sites.clear();
    std::map<std::string, std::size_t> index;
    for (const FlightRecord& f : logbook.flights()) {
        std::string name = f.takeoffSite.substr(std::min<std::size_t>(3, f.takeoffSite.size()));
        auto [found, added] = index.try_emplace(name, sites.size());
        if (added) {
            sites.push_back({name, 0, 0, 0});
        }
        TakeoffSiteEntry& entry = sites[found->second];
        entry.flights += 1;
        entry.hours += f.durationHours;
        entry.minutes += f.durationMinutes;
        if (entry.minutes > 59) {
            entry.hours += entry.minutes / 60;
            entry.minutes %= 60;
        }
    }
    // Names are distinct, so byte order alone decides (std::string compares bytes as
    // unsigned char).
    std::sort(sites.begin(), sites.end(),
              [](const TakeoffSiteEntry& a, const TakeoffSiteEntry& b) { return a.name < b.name; });

    TextWriter out(reportPath, WriteMode::Atomic);
    writeReportHead(out, logbook, ";------------- TOF FLIGHT TIME [hh:mm] -----------\n");
    out.write("TAKE OFF LOCATION    FLIGHT TIME       NO. FLIGHTS\n");
    out.write("\n");
    for (const TakeoffSiteEntry& entry : sites) {
        std::string line;
        appendLeft(line, entry.name, 11);
        line.append(11, ' ');
        appendTimeCell(line, {entry.hours, entry.minutes});
        line.append(13, ' ');
        appendInteger(line, entry.flights, 3);
        line += '\n';
        out.write(line);
    }
    out.write("\n");
    out.write(timeSpanLine(logbook, span));
    return finishReport(out, reportPath, ui);
}

bool commandFlightHours(const AppSettings& settings, UserInterface& ui) {
    if (!maintainedFilesApart(settings, ui)) {
        return false;
    }
    CLogbook logbook(CLogbook::serialText(settings.serialNumber));
    TimeSpanDialogData data;
    if (!prepareEvaluation(settings, logbook, data, ui)) {
        return false;
    }
    const std::filesystem::path reportPath = siblingPath(mainLogbookPath(settings), "mfs");
    if (!writeFlightHoursReport(logbook, data, reportPath, ui)) {
        return false;
    }
    ui.closeAllDocuments();
    ui.openDocument(reportPath);
    return true;
}

bool commandTakeoffSites(const AppSettings& settings, UserInterface& ui) {
    if (!maintainedFilesApart(settings, ui)) {
        return false;
    }
    CLogbook logbook(CLogbook::serialText(settings.serialNumber));
    TimeSpanDialogData data;
    if (!prepareEvaluation(settings, logbook, data, ui)) {
        return false;
    }
    const std::filesystem::path reportPath = siblingPath(mainLogbookPath(settings), "tfs");
    if (!writeTakeoffSiteReport(logbook, data, reportPath, ui)) {
        return false;
    }
    ui.closeAllDocuments();
    ui.openDocument(reportPath);
    return true;
}

} // namespace zv
