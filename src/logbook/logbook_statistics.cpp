// The two evaluations of the main logbook: flight hours per month and year, and flight
// hours per takeoff site, each over a span of dates.

#include "base/app_settings.h"
#include "base/user_interface.h"
#include "formats/precious_files.h"
#include "formats/text_fields.h"
#include "formats/text_file.h"
#include "logbook/logbook_commands.h"
#include "logbook/logbook_evaluation.h"

#include <array>
#include <optional>
#include <tuple>
#include <vector>

namespace zv {

namespace {

constexpr const char* noFlightsMessage =
    "Das Flugbuch enthält keine Daten oder nur den Beispielflug!";

// "dd.mm.yy", each part "%02d".
void appendDate(std::string& line, const std::array<int, 3>& date) {
    appendInteger(line, date[0], 2, Fill::Zeros);
    line += '.';
    appendInteger(line, date[1], 2, Fill::Zeros);
    line += '.';
    appendInteger(line, date[2], 2, Fill::Zeros);
}

// The TIME SPAN line: the first and the last flight evaluated, or the span itself (in the
// two-digit form of the logbook) when no flight lies in it.
std::string timeSpanLine(const CLogbook& logbook, const EvaluationSpan& span) {
    std::array<int, 3> first = {span.start.day, span.start.month, span.start.year % 100};
    std::array<int, 3> last = {span.end.day, span.end.month, span.end.year % 100};
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

// Reads the main logbook; false, after the message, when it holds no flight. Whatever
// flights were read are evaluated, also after a read error.
bool readEvaluatedLogbook(const AppSettings& settings, CLogbook& logbook, UserInterface& ui) {
    logbook.readLogbook(mainLogbookPath(settings), ui);
    if (logbook.flights().empty()) {
        ui.message(noFlightsMessage, Icon::Stop);
        return false;
    }
    return true;
}

// False, after the dialog's message, when the span is refused.
bool spanAccepted(const TimeSpanDialogData& data, UserInterface& ui) {
    if (const FieldRefusal refusal = checkTimeSpan(data)) {
        ui.message(*refusal, Icon::Exclamation);
        return false;
    }
    return true;
}

// The flights of the main logbook for a chart over a span given without the dialog;
// nothing, after the message, when there is nothing to evaluate.
std::optional<std::vector<FlightRecord>>
chartFlights(const AppSettings& settings, const TimeSpanDialogData& data, UserInterface& ui) {
    CLogbook logbook(CLogbook::serialText(settings.serialNumber));
    if (!readEvaluatedLogbook(settings, logbook, ui) || !spanAccepted(data, ui)) {
        return std::nullopt;
    }
    return std::move(logbook.flights());
}

// Reads the main logbook and asks for the span; false when there is nothing to evaluate.
bool prepareEvaluation(const AppSettings& settings, CLogbook& logbook, TimeSpanDialogData& data,
                       UserInterface& ui) {
    if (!readEvaluatedLogbook(settings, logbook, ui)) {
        return false;
    }
    data.start = today();
    data.end = data.start;
    return ui.runTimeSpanDialog(data) && spanAccepted(data, ui);
}

} // namespace

FieldRefusal checkTimeSpan(const TimeSpanDialogData& data) {
    const auto key = [](const CalendarDate& d) { return std::tuple(d.year, d.month, d.day); };
    if (!data.allFlights && !(key(data.start) < key(data.end))) {
        return "Ende der Auswertung muß später sein als Beginn!";
    }
    return std::nullopt;
}

bool writeFlightHoursReport(CLogbook& logbook, const TimeSpanDialogData& data,
                            const std::filesystem::path& reportPath, UserInterface& ui) {
    const EvaluationSpan span = evaluationSpan(logbook.flights(), data);
    keepFlightsOfSpan(logbook.flights(), span);
    if (spanYears(span) > hoursTableYears) {
        ui.message("Die Auswertung umfaßt mehr als " + integerText(hoursTableYears, 2) +
                       " Jahre.\n Bitte schränken Sie den Auswertezeitraum ein!",
                   Icon::Stop);
        return false;
    }
    const FlightHoursTable table = flightHoursTable(logbook.flights(), span);

    TextWriter out(reportPath, WriteMode::Atomic);
    writeReportHead(out, logbook,
                    ";--------------------------------- ANUAL FLIGHT TIME [hh:mm] "
                    "------------------------------------\n");
    out.write("YEAR     JAN    FEB    MAR    APR    MAY    JUN    JUL    AUG    SEP    OKT    "
              "NOV    DEZ   TOTAL\n");
    out.write("\n");
    for (std::size_t row = 0; row < table.years.size(); ++row) {
        out.write(integerText(span.start.year + static_cast<long long>(row), 4) + "  " +
                  timeCells(table.years[row]));
    }
    out.write("TOTAL " + timeCells(table.totals));
    out.write("\n");
    out.write(timeSpanLine(logbook, span));
    return finishReport(out, reportPath, ui);
}

bool writeTakeoffSiteReport(CLogbook& logbook, const TimeSpanDialogData& data,
                            const std::filesystem::path& reportPath, UserInterface& ui) {
    const EvaluationSpan span = evaluationSpan(logbook.flights(), data);
    keepFlightsOfSpan(logbook.flights(), span);
    auto& sites = logbook.sites();
    sites = takeoffSiteEntries(logbook.flights());

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
    // The chart beside the report shows the same flights over the same span; it is shown
    // also when the span is too long for the report.
    const std::optional<FlightHoursTable> chart = flightHoursChart(logbook.flights(), data);
    const std::filesystem::path reportPath = siblingPath(mainLogbookPath(settings), "mfs");
    const bool written = writeFlightHoursReport(logbook, data, reportPath, ui);
    if (written) {
        ui.closeAllDocuments();
        ui.openDocument(reportPath);
    }
    if (chart) {
        ui.showFlightHoursChart(*chart);
    }
    return written;
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
    const TakeoffSiteTable chart = takeoffSitesChart(logbook.flights(), data);
    const std::filesystem::path reportPath = siblingPath(mainLogbookPath(settings), "tfs");
    const bool written = writeTakeoffSiteReport(logbook, data, reportPath, ui);
    if (written) {
        ui.closeAllDocuments();
        ui.openDocument(reportPath);
    }
    ui.showTakeoffSitesChart(chart);
    return written;
}

std::optional<FlightHoursTable> readFlightHoursChart(const AppSettings& settings,
                                                     const TimeSpanDialogData& data,
                                                     UserInterface& ui) {
    std::optional<std::vector<FlightRecord>> flights = chartFlights(settings, data, ui);
    if (!flights) {
        return std::nullopt;
    }
    std::optional<FlightHoursTable> chart = flightHoursChart(std::move(*flights), data);
    if (!chart) {
        ui.message(chartTooLongMessage(), Icon::Stop);
    }
    return chart;
}

std::optional<TakeoffSiteTable> readTakeoffSitesChart(const AppSettings& settings,
                                                      const TimeSpanDialogData& data,
                                                      UserInterface& ui) {
    std::optional<std::vector<FlightRecord>> flights = chartFlights(settings, data, ui);
    if (!flights) {
        return std::nullopt;
    }
    return takeoffSitesChart(std::move(*flights), data);
}

} // namespace zv
