// The charts beside the reports: for random logbooks and spans the numbers the command hands
// to the chart are the numbers of the report it writes; a span too long for the report
// still gets its chart.
#include "base/app_settings.h"
#include "logbook/logbook_commands.h"
#include "logbook/logbook_evaluation.h"
#include "support/random_logbook.h"
#include "support/scripted_user_interface.h"
#include "support/test_files.h"

#include <charconv>
#include <gtest/gtest.h>
#include <sstream>

namespace zv {
namespace {

using test::ScriptedUserInterface;
using test::TempDir;

// "hh:mm"; hours of 100 and more widen it.
FlightTime timeOf(std::string_view text) {
    FlightTime time;
    const std::size_t colon = text.find(':');
    std::from_chars(text.data(), text.data() + colon, time.hours);
    std::from_chars(text.data() + colon + 1, text.data() + text.size(), time.minutes);
    return time;
}

std::vector<std::string> reportLines(const std::filesystem::path& path) {
    std::istringstream text(test::readBytes(path));
    std::vector<std::string> lines;
    for (std::string line; std::getline(text, line);) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.push_back(line);
    }
    return lines;
}

// The rows of an hours report: each year's and the TOTAL line's twelve months and total.
std::vector<YearHours> hoursRows(const std::filesystem::path& report) {
    std::vector<YearHours> rows;
    for (const std::string& line : reportLines(report)) {
        std::istringstream words(line);
        std::string first;
        words >> first;
        const bool year = !first.empty() && first[0] >= '0' && first[0] <= '9';
        if (!year && first != "TOTAL") {
            continue;
        }
        YearHours row;
        std::string cell;
        for (std::size_t month = 1; month <= 13 && words >> cell; ++month) {
            row[month % 13] = timeOf(cell);
        }
        rows.push_back(row);
    }
    return rows;
}

std::vector<TakeoffSiteEntry> siteRows(const std::filesystem::path& report) {
    std::vector<TakeoffSiteEntry> sites;
    bool inTable = false;
    for (const std::string& line : reportLines(report)) {
        if (line.starts_with("TAKE OFF LOCATION")) {
            inTable = true;
            continue;
        }
        if (!inTable || line.empty() || line.starts_with("TIME SPAN")) {
            continue;
        }
        TakeoffSiteEntry entry;
        entry.name = line.substr(0, 11);
        std::istringstream words(line.substr(11));
        std::string time;
        words >> time >> entry.flights;
        entry.hours = timeOf(time).hours;
        entry.minutes = timeOf(time).minutes;
        sites.push_back(entry);
    }
    return sites;
}

struct RandomLogbook {
    TempDir dir;
    AppSettings settings;
    ScriptedUserInterface ui;

    RandomLogbook(unsigned seed, int flights, int firstYear, int lastYear) {
        settings.logbookDir = dir.path().string();
        settings.logbookFile = "Flugbuch.log";
        settings.serialNumber = 1596;
        std::mt19937 random(seed);
        CLogbook logbook(CLogbook::serialText(1596));
        logbook.flights() = test::randomFlights(random, flights, firstYear, lastYear);
        logbook.renumber(1);
        EXPECT_TRUE(logbook.writeLogbook(mainLogbookPath(settings), 12, ui));
    }
    void chooseSpan(const TimeSpanDialogData& span) {
        ui.timeSpanDialog = [span](TimeSpanDialogData& data) {
            data = span;
            return true;
        };
    }
};

TEST(EvaluationCharts, ChartsOfRandomLogbooksShowTheNumbersOfTheirReports) {
    struct Case {
        unsigned seed;
        int flights;
        int firstYear;
        int lastYear;
        TimeSpanDialogData span;
    };
    const Case cases[] = {
        {1, 300, 2001, 2012, {{1, 1, 2000}, {1, 1, 2000}, true}},
        {2, 40, 1995, 1997, {{1, 1, 2000}, {1, 1, 2000}, true}},
        // A span that starts and ends within a year and cuts off flights on both sides.
        {3, 500, 2003, 2010, {{15, 5, 2004}, {20, 8, 2009}, false}},
        {4, 200, 1991, 2009, {{1, 1, 1991}, {31, 12, 2009}, false}},
        // Within a single year, and one without any flight.
        {5, 150, 2020, 2022, {{3, 3, 2021}, {4, 9, 2021}, false}},
        {6, 20, 2020, 2022, {{1, 1, 2030}, {31, 12, 2031}, false}},
        {7, 1000, 2050, 2060, {{1, 1, 2000}, {1, 1, 2000}, true}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.seed);
        RandomLogbook book(c.seed, c.flights, c.firstYear, c.lastYear);
        book.chooseSpan(c.span);
        ASSERT_TRUE(commandFlightHours(book.settings, book.ui));
        ASSERT_TRUE(commandTakeoffSites(book.settings, book.ui));
        ASSERT_EQ(book.ui.hoursCharts.size(), 1U);
        ASSERT_EQ(book.ui.siteCharts.size(), 1U);

        const FlightHoursTable& hours = book.ui.hoursCharts[0];
        const std::vector<YearHours> rows = hoursRows(book.dir.path() / "Flugbuch.mfs");
        ASSERT_EQ(rows.size(), hours.years.size() + 1);
        for (std::size_t year = 0; year < hours.years.size(); ++year) {
            EXPECT_EQ(rows[year], hours.years[year]) << hours.start.year + year;
        }
        EXPECT_EQ(rows.back(), hours.totals);
        EXPECT_EQ(siteRows(book.dir.path() / "Flugbuch.tfs"), book.ui.siteCharts[0].sites);
        EXPECT_TRUE(book.ui.messages.empty());
    }
}

TEST(EvaluationCharts, ASpanTooLongForTheReportStillHasItsChart) {
    RandomLogbook book(8, 400, 1991, 2030);
    book.chooseSpan({{1, 1, 2000}, {1, 1, 2000}, true});
    EXPECT_FALSE(commandFlightHours(book.settings, book.ui));
    EXPECT_EQ(book.ui.texts(), std::vector<std::string>{"Die Auswertung umfaßt mehr als 19 "
                                                        "Jahre.\n Bitte schränken Sie den "
                                                        "Auswertezeitraum ein!"});
    EXPECT_FALSE(std::filesystem::exists(book.dir.path() / "Flugbuch.mfs"));
    EXPECT_TRUE(book.ui.openedDocuments.empty());
    ASSERT_EQ(book.ui.hoursCharts.size(), 1U);
    const FlightHoursTable& chart = book.ui.hoursCharts[0];
    const int years = chart.end.year - chart.start.year + 1;
    EXPECT_GT(years, hoursTableYears);
    EXPECT_EQ(chart.years.size(), static_cast<std::size_t>(years));
    // Every flight counts: the total is the sum of all durations.
    long long minutes = 0;
    CLogbook logbook(CLogbook::serialText(1596));
    ASSERT_TRUE(logbook.readLogbook(mainLogbookPath(book.settings), book.ui));
    for (const FlightRecord& f : logbook.flights()) {
        minutes += f.durationHours * 60LL + f.durationMinutes;
    }
    EXPECT_EQ(chart.totals[0], (FlightTime{minutes / 60, minutes % 60}));
}

TEST(EvaluationCharts, ChartsWithoutReportsCheckTheSpanAsTheDialogDoes) {
    RandomLogbook book(9, 50, 2001, 2003);
    struct Case {
        TimeSpanDialogData span;
        bool drawn;
        std::string message;
    };
    const Case cases[] = {
        {{{1, 1, 2001}, {31, 12, 2003}, false}, true, ""},
        {{{1, 1, 2003}, {1, 1, 2003}, false},
         false,
         "Ende der Auswertung muß später sein als Beginn!"},
        {{{1, 1, 1950}, {1, 1, 2050}, false},
         false,
         "Die Grafik umfaßt mehr als 100 Jahre.\n Bitte schränken Sie den Auswertezeitraum ein!"},
        {{{1, 1, 1951}, {1, 1, 2050}, false}, true, ""},
    };
    for (const Case& c : cases) {
        ScriptedUserInterface ui;
        EXPECT_EQ(readFlightHoursChart(book.settings, c.span, ui).has_value(), c.drawn);
        EXPECT_EQ(ui.texts(), c.message.empty() ? std::vector<std::string>{}
                                                : std::vector<std::string>{c.message});
    }
    // The sites have no limit of years.
    ScriptedUserInterface ui;
    const auto sites =
        readTakeoffSitesChart(book.settings, {{1, 1, 1000}, {1, 1, 9000}, false}, ui);
    ASSERT_TRUE(sites.has_value());
    EXPECT_FALSE(sites->sites.empty());

    std::filesystem::remove(mainLogbookPath(book.settings));
    ScriptedUserInterface missing;
    EXPECT_FALSE(readTakeoffSitesChart(book.settings, {{}, {}, true}, missing).has_value());
    EXPECT_EQ(missing.texts().back(),
              "Das Flugbuch enthält keine Daten oder nur den Beispielflug!");
}

TEST(EvaluationCharts, MonthsOutsideTheSpanStayEmptyInTheChart) {
    FlightRecord june;
    june.year = 4;
    june.month = 6;
    june.day = 1;
    june.durationHours = 1;
    FlightRecord august = june;
    august.month = 8;
    const auto table =
        flightHoursChart({june, august}, {{1, 7, 2004}, {31, 12, 2005}, false}).value();
    ASSERT_EQ(table.years.size(), 2U);
    EXPECT_EQ(table.years[0][6], FlightTime{});
    EXPECT_EQ(table.years[0][8], (FlightTime{1, 0}));
    EXPECT_EQ(table.totals[0], (FlightTime{1, 0}));
}

} // namespace
} // namespace zv
