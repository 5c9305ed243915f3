#include "base/app_settings.h"
#include "logbook/logbook_commands.h"
#include "support/scripted_user_interface.h"
#include "support/test_files.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace zv {
namespace {

using test::readBytes;
using test::ScriptedUserInterface;
using test::TempDir;
using test::testData;
using test::writeBytes;

struct Evaluation {
    TempDir dir;
    AppSettings settings;
    ScriptedUserInterface ui;

    explicit Evaluation(const std::string& logbook, TimeSpanDialogData span) {
        settings.logbookDir = dir.path().string();
        settings.logbookFile = "Flugbuch.log";
        settings.serialNumber = 1596;
        writeBytes(dir / "Flugbuch.log", readBytes(testData(logbook)));
        ui.timeSpanDialog = [span](TimeSpanDialogData& data) {
            data = span;
            return true;
        };
    }
    std::string report(const char* extension) {
        return readBytes(dir / (std::string("Flugbuch.") + extension));
    }
    std::string lastLine(const char* extension) {
        const std::string bytes = report(extension);
        const std::size_t start = bytes.rfind("TIME SPAN");
        return start == std::string::npos ? "" : bytes.substr(start);
    }
};

TimeSpanDialogData span(CalendarDate start, CalendarDate end) {
    return {start, end, false};
}

TEST(FlightHours, ReportOfHandMadeLogbook) {
    // 14:00-15:30 and 16:00-16:45 in June 1995 give 02:15; 00:40 + 00:20 in July 2005
    // carry into 01:00; 95 is 1995 and 05 is 2005; the flight of 2006 lies outside.
    Evaluation e("logbook/hours.log", span({1, 1, 1995}, {31, 12, 2005}));
    EXPECT_TRUE(commandFlightHours(e.settings, e.ui));
    EXPECT_EQ(e.report("mfs"), readBytes(testData("logbook/hours~1995-2005.mfs")));
    EXPECT_TRUE(e.ui.messages.empty());
    EXPECT_EQ(e.ui.closeAllCalls, 1);
    EXPECT_EQ(e.ui.openedDocuments, std::vector<std::filesystem::path>{e.dir / "Flugbuch.mfs"});
}

TEST(FlightHours, SpansAndTheirTimeSpanLines) {
    struct Case {
        TimeSpanDialogData span;
        const char* timeSpanLine;
    };
    const Case cases[] = {
        // All flights: from the earliest to the latest flight.
        {{{1, 1, 2000}, {1, 1, 2000}, true}, "TIME SPAN   10.06.95 - 01.01.06\r\n"},
        // Flights on the start and on the end date are counted.
        {span({12, 6, 1995}, {1, 7, 2005}), "TIME SPAN   12.06.95 - 01.07.05\r\n"},
        // No flight in the span: the span's own dates.
        {span({1, 1, 1997}, {31, 12, 1998}), "TIME SPAN   01.01.97 - 31.12.98\r\n"},
        // Exactly 19 years are accepted.
        {span({1, 1, 1990}, {31, 12, 2008}), "TIME SPAN   10.06.95 - 01.01.06\r\n"},
    };
    for (const auto& c : cases) {
        Evaluation e("logbook/hours.log", c.span);
        EXPECT_TRUE(commandFlightHours(e.settings, e.ui));
        EXPECT_EQ(e.lastLine("mfs"), c.timeSpanLine);
    }
}

TEST(FlightStatistics, AllFlightsSpanTheEarliestToTheLatestDateOfALogbookOutOfOrder) {
    // The same flights as hours.log, hand-edited into another order: the newest first and
    // the oldest last. Every year is evaluated, and TIME SPAN names the earliest and the
    // latest flight, as for the logbook in order.
    const TimeSpanDialogData all{{1, 1, 2000}, {1, 1, 2000}, true};
    Evaluation ordered("logbook/hours.log", all);
    ASSERT_TRUE(commandFlightHours(ordered.settings, ordered.ui));
    ASSERT_TRUE(commandTakeoffSites(ordered.settings, ordered.ui));

    Evaluation shuffled("logbook/hours.log", all);
    CLogbook logbook(CLogbook::serialText(1596));
    ASSERT_TRUE(logbook.readLogbook(shuffled.dir / "Flugbuch.log", shuffled.ui));
    auto& flights = logbook.flights();
    ASSERT_GE(flights.size(), 3U);
    std::reverse(flights.begin(), flights.end());
    std::swap(flights[1], flights[flights.size() / 2]);
    ASSERT_TRUE(logbook.writeLogbook(shuffled.dir / "Flugbuch.log", 12, shuffled.ui));
    ASSERT_TRUE(commandFlightHours(shuffled.settings, shuffled.ui));
    ASSERT_TRUE(commandTakeoffSites(shuffled.settings, shuffled.ui));

    EXPECT_EQ(shuffled.lastLine("mfs"), "TIME SPAN   10.06.95 - 01.01.06\r\n");
    EXPECT_EQ(shuffled.report("mfs"), ordered.report("mfs"));
    EXPECT_EQ(shuffled.lastLine("tfs"), "TIME SPAN   10.06.95 - 01.01.06\r\n");
    EXPECT_EQ(shuffled.report("tfs"), ordered.report("tfs"));
}

TEST(FlightHours, TwentyYearsAreRefused) {
    Evaluation e("logbook/hours.log", span({1, 1, 1990}, {1, 1, 2009}));
    EXPECT_FALSE(commandFlightHours(e.settings, e.ui));
    ASSERT_EQ(e.ui.messages.size(), 1U);
    EXPECT_EQ(e.ui.messages[0].text, "Die Auswertung umfaßt mehr als 19 Jahre.\n Bitte schränken "
                                     "Sie den Auswertezeitraum ein!");
    EXPECT_EQ(e.ui.messages[0].icon, Icon::Stop);
    EXPECT_EQ(e.report("mfs"), "");
}

TEST(FlightHours, MonthsOutsideAShortSpanStayEmpty) {
    TempDir dir;
    ScriptedUserInterface ui;
    CLogbook logbook(CLogbook::serialText(1596));
    ASSERT_TRUE(logbook.readLogbook(testData("logbook/hours.log").string(), ui));
    ASSERT_TRUE(
        writeFlightHoursReport(logbook, span({1, 11, 2000}, {28, 2, 2001}), dir / "r.mfs", ui));
    const std::string report = readBytes(dir / "r.mfs");
    EXPECT_NE(report.find("\r\n2000    00:00"), std::string::npos);
    EXPECT_NE(report.find("\r\n2001    00:00"), std::string::npos);
    EXPECT_EQ(report.find("\r\n2002"), std::string::npos);
}

TEST(FlightStatistics, EmptyLogbookAndCancelledSpanWriteNoReport) {
    Evaluation empty("logbook/hours.log", span({1, 1, 2000}, {2, 1, 2000}));
    writeBytes(empty.dir / "Flugbuch.log", "\r\nnothing\r\n");
    EXPECT_FALSE(commandTakeoffSites(empty.settings, empty.ui));
    EXPECT_EQ(empty.ui.texts().back(),
              "Das Flugbuch enthält keine Daten oder nur den Beispielflug!");
    EXPECT_EQ(empty.ui.messages.back().icon, Icon::Stop);

    Evaluation cancelled("logbook/hours.log", span({1, 1, 2000}, {2, 1, 2000}));
    cancelled.ui.timeSpanDialog = nullptr;
    EXPECT_FALSE(commandFlightHours(cancelled.settings, cancelled.ui));
    EXPECT_TRUE(cancelled.ui.messages.empty());
    EXPECT_EQ(cancelled.ui.closeAllCalls, 0);
}

TEST(TakeoffSites, ReportInByteOrderWithSummedTimes) {
    // STUBALPE 01:10 + 00:55 = 02:05 in 2 flights; "stubalpe" and "STUBALPE 2" are other
    // sites; a digit sorts first and an umlaut last; the September flight lies outside.
    Evaluation e("logbook/sites.log", span({1, 3, 2004}, {31, 3, 2004}));
    EXPECT_TRUE(commandTakeoffSites(e.settings, e.ui));
    EXPECT_EQ(e.report("tfs"), readBytes(testData("logbook/sites~march_2004.tfs")));
    EXPECT_EQ(e.ui.closeAllCalls, 1);
    EXPECT_EQ(e.ui.openedDocuments, std::vector<std::filesystem::path>{e.dir / "Flugbuch.tfs"});

    Evaluation single("logbook/sites.log", span({9, 9, 2004}, {10, 9, 2004}));
    EXPECT_TRUE(commandTakeoffSites(single.settings, single.ui));
    EXPECT_EQ(single.lastLine("tfs"), "TIME SPAN   09.09.04 - 09.09.04\r\n");
}

TEST(TimeSpan, CheckAndCenturyRule) {
    EXPECT_EQ(checkTimeSpan(span({1, 1, 2000}, {2, 1, 2000})), std::nullopt);
    EXPECT_EQ(checkTimeSpan(span({2, 1, 2000}, {2, 1, 2000})),
              "Ende der Auswertung muß später sein als Beginn!");
    EXPECT_EQ(checkTimeSpan(span({1, 2, 2000}, {31, 1, 2000})),
              "Ende der Auswertung muß später sein als Beginn!");
    EXPECT_EQ(checkTimeSpan({{2, 1, 2000}, {1, 1, 2000}, true}), std::nullopt);
    const std::pair<int, int> years[] = {{95, 1995}, {5, 2005}, {0, 2000}, {90, 2090}, {91, 1991}};
    for (const auto& [twoDigits, full] : years) {
        EXPECT_EQ(fourDigitYear(twoDigits), full);
    }
}

} // namespace
} // namespace zv
