#include "base/app_settings.h"
#include "formats/text_file.h"
#include "logbook/flight_assignment.h"
#include "support/scripted_user_interface.h"
#include "support/test_files.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace zv {
namespace {

namespace fs = std::filesystem;

std::string flightData(const std::string& name) {
    return test::readBytes(test::testData("flights/" + name));
}

struct AssignDirs {
    test::TempDir root;
    AppSettings settings;

    AssignDirs() {
        fs::create_directory(root.path() / "zv");
        fs::create_directory(root.path() / "book");
        settings.waypointDir = root / "zv";
        settings.logbookDir = root / "book";
        settings.logbookFile = "Flugbuch.log";
        settings.serialNumber = 1596;
        settings.firstFlightNumber = 5;
        settings.flightsPerPage = 12;
    }
    std::string main() const { return mainLogbookPath(settings); }
    std::string copy() const { return settings.logbookDir + "/Flugbuch.fzd"; }
    void addFlightFile(const std::string& name, const std::string& source) const {
        test::writeBytes(settings.waypointDir + "/" + name, flightData(source));
    }
};

TEST(FlightAssignment, WritesTheCommentedCopy) {
    AssignDirs dirs;
    test::writeBytes(dirs.main(), flightData("assign_main.log"));
    // a: the morning flight; b: the afternoon flight and its duplicate entry; c: one minute
    // off; the blank first line: unreadable, reported and left out.
    for (const char* name : {"a.zvc", "b.zvc", "c.zvc", "blank_first_line.zvc"}) {
        dirs.addFlightFile(name, name);
    }
    test::ScriptedUserInterface ui;
    EXPECT_TRUE(commandAssignFlightData(dirs.settings, ui));
    EXPECT_EQ(test::readBytes(dirs.copy()), flightData("assign_main~first5.fzd"));
    EXPECT_EQ(test::readBytes(dirs.main()), flightData("assign_main.log"));
    EXPECT_EQ(ui.texts(), std::vector<std::string>{"Format der Datei " + dirs.settings.waypointDir +
                                                   "/blank_first_line.zvc unzulässig?\nBitte "
                                                   "überprüfen!"});
    EXPECT_EQ(ui.messages[0].icon, Icon::Question);
    EXPECT_EQ(ui.closeAllCalls, 1);
    EXPECT_EQ(ui.openedDocuments, std::vector<fs::path>{dirs.copy()});
    EXPECT_EQ(ui.maxWaitDepth, 1);
    EXPECT_EQ(ui.waitDepth, 0);
}

FlightRecord flightAt(int day, int hour, int minute) {
    FlightRecord flight;
    flight.year = 3;
    flight.month = 5;
    flight.day = day;
    flight.takeoffHour = hour;
    flight.takeoffMinute = minute;
    flight.leadText = ";alt\n";
    return flight;
}

TEST(FlightAssignment, EveryFileIsNamedOnce) {
    struct Case {
        const char* what;
        std::vector<FlightRecord> flights;
        std::vector<FlightCandidate> candidates;
        std::vector<std::string> leadTexts;
    };
    const FlightCandidate first{"1.zvc", 3, 5, 10, 13, 20};
    const FlightCandidate second{"2.zvc", 3, 5, 10, 13, 20};
    const Case cases[] = {
        {"two files of one takeoff, one flight",
         {flightAt(10, 13, 20), flightAt(11, 13, 20)},
         {first, second},
         {";1.zvc\n", ";NO FLIGHT DATA\n"}},
        {"two files of one takeoff, the flight twice",
         {flightAt(10, 13, 20), flightAt(10, 13, 20), flightAt(10, 13, 20)},
         {first, second},
         {";1.zvc\n", ";2.zvc\n", ";NO FLIGHT DATA\n"}},
        {"date and time must all agree",
         {flightAt(10, 14, 20), flightAt(10, 13, 21), flightAt(9, 13, 20)},
         {first},
         {";NO FLIGHT DATA\n", ";NO FLIGHT DATA\n", ";NO FLIGHT DATA\n"}},
        {"a line break in a name stays inside the comment line",
         {flightAt(10, 13, 20)},
         {{"a\r\nb.zvc", 3, 5, 10, 13, 20}},
         {";a??b.zvc\n"}},
    };
    for (const Case& c : cases) {
        std::vector<FlightRecord> flights = c.flights;
        assignFlightData(flights, c.candidates);
        std::vector<std::string> leadTexts;
        for (const auto& flight : flights) {
            leadTexts.push_back(flight.leadText);
        }
        EXPECT_EQ(leadTexts, c.leadTexts) << c.what;
    }
}

TEST(FlightAssignment, OldCopyStaysUnlessAWholeLogbookIsWritten) {
    // What the first start writes reads as a logbook without flights.
    const std::string example =
        test::readBytes(test::testData("app/first_start/Data/Zv/Logbuch/Flugbuch.log"));
    std::string faulty = flightData("assign_main.log");
    faulty.replace(faulty.find("03-05-10", faulty.find("03-05-10") + 1), 8, "03/05/10");
    const std::string notThere = "Flugbuch nicht vorhanden oder\nfalsche Pfadangabe in "
                                 "Einstellungen?";
    struct Case {
        const char* what;
        const char* flightFile; // nullptr: none
        std::string logbook;    // empty: no main logbook
        std::vector<std::string> texts;
        long writeFault = 0;
    };
    const Case cases[] = {
        {"no flight data file",
         nullptr,
         flightData("assign_main.log"),
         {"Keine Flug-Datei vorhanden oder\nfalsche Pfadangabe in Einstellungen?"}},
        {"no main logbook", "a.zvc", "", {"(cannot open)", notThere}},
        {"format error after the first flight",
         "a.zvc",
         faulty,
         {"Flugbuch hat falsches Format\n", notThere}},
        {"only the example flight",
         "a.zvc",
         example,
         {"Das Flugbuch enthält keine Daten oder nur den Beispielflug!"}},
        {"the copy cannot be written",
         "a.zvc",
         flightData("assign_main.log"),
         {"(write failed)"},
         1},
    };
    for (const Case& c : cases) {
        AssignDirs dirs;
        std::vector<std::string> texts = c.texts;
        if (c.logbook.empty()) {
            texts[0] = "Das Flugbuch " + dirs.main() +
                       "\nkonnte nicht geöffnet werden. Bitte Einstellungen Flugbuchpfad "
                       "korrigieren!";
        } else {
            test::writeBytes(dirs.main(), c.logbook);
        }
        if (c.writeFault != 0) {
            texts[0] = writeFailedMessage(dirs.copy());
        }
        test::writeBytes(dirs.copy(), "das alte Zuordnungsblatt");
        if (c.flightFile != nullptr) {
            dirs.addFlightFile(c.flightFile, c.flightFile);
        }
        test::ScriptedUserInterface ui;
        injectWriteFault(c.writeFault);
        EXPECT_FALSE(commandAssignFlightData(dirs.settings, ui)) << c.what;
        injectWriteFault(0);
        EXPECT_EQ(ui.texts(), texts) << c.what;
        EXPECT_EQ(test::readBytes(dirs.copy()), "das alte Zuordnungsblatt") << c.what;
        EXPECT_TRUE(ui.openedDocuments.empty()) << c.what;
        EXPECT_EQ(ui.waitDepth, 0);
    }
}

} // namespace
} // namespace zv
