#include "base/app_settings.h"
#include "formats/text_file.h"
#include "logbook/flight_assignment.h"
#include "logbook/logbook_overview.h"
#include "support/scripted_user_interface.h"
#include "support/test_files.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <random>

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
    // The main logbook of the reference pair and its flight data files: a, the morning
    // flight; b, the afternoon flight and its duplicate entry; c, one minute off; one whose
    // blank first line makes it unreadable.
    void addReferenceFlights() const {
        test::writeBytes(main(), flightData("assign_main.log"));
        for (const char* name : {"a.zvc", "b.zvc", "c.zvc", "blank_first_line.zvc"}) {
            addFlightFile(name, name);
        }
    }
};

TEST(FlightAssignment, WritesTheCommentedCopy) {
    AssignDirs dirs;
    // The unreadable file is reported and left out.
    dirs.addReferenceFlights();
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

TEST(FlightAssignment, ManyFilesGoToTheFlightsTheyWouldGoToOneByOne) {
    // The files of a busy season, several of one date and takeoff time among them: each
    // flight gets the first file left of its date and takeoff time, as a search through
    // the list in order gives it.
    std::mt19937 random(5);
    const auto any = [&random](int high) { return std::uniform_int_distribution(0, high)(random); };
    std::vector<FlightRecord> flights;
    for (int i = 0; i < 400; ++i) {
        flights.push_back(flightAt(1 + any(5), 12, any(3)));
    }
    std::vector<FlightCandidate> candidates;
    for (int i = 0; i < 300; ++i) {
        candidates.push_back({std::to_string(i) + ".zvc", 3, 5, 1 + any(5), 12, any(3)});
    }
    std::vector<FlightCandidate> left = candidates;
    const auto matches = matchFlightData(flights, candidates);
    for (std::size_t f = 0; f < flights.size(); ++f) {
        const auto found = std::find_if(left.begin(), left.end(), [&](const FlightCandidate& c) {
            return c.day == flights[f].day && c.minute == flights[f].takeoffMinute;
        });
        if (found == left.end()) {
            EXPECT_FALSE(matches[f].has_value()) << f;
            continue;
        }
        ASSERT_TRUE(matches[f].has_value()) << f;
        EXPECT_EQ(candidates[*matches[f]].fileName, found->fileName) << f;
        left.erase(found);
    }
}

TEST(LogbookOverview, MarksTheFilesTheAssignmentNamesAndNumbersAsTheCommandsDo) {
    AssignDirs dirs;
    dirs.addReferenceFlights();
    test::ScriptedUserInterface ui;
    const auto overview = readLogbookOverview(dirs.settings, ui);
    ASSERT_TRUE(overview.has_value());
    // The table only reads: an unreadable flight data file is the assignment's to report.
    EXPECT_TRUE(ui.messages.empty());
    ASSERT_TRUE(commandAssignFlightData(dirs.settings, ui));
    CLogbook copy(CLogbook::serialText(1596));
    ASSERT_TRUE(copy.readLogbook(dirs.copy(), ui));
    ASSERT_EQ(overview->flights.size(), copy.flights().size());
    for (std::size_t f = 0; f < copy.flights().size(); ++f) {
        const std::filesystem::path& file = overview->flightFiles[f];
        EXPECT_EQ(file.empty() ? ";NO FLIGHT DATA\n" : ";" + file.filename().string() + "\n",
                  copy.flights()[f].leadText);
        if (!file.empty()) {
            EXPECT_EQ(file.parent_path(), dirs.settings.waypointDir);
        }
        EXPECT_EQ(overview->flights[f].number,
                  dirs.settings.firstFlightNumber + static_cast<int>(f));
    }

    test::writeBytes(dirs.main(), test::readBytes(test::testData(
                                      "app/first_start/Data/Zv/Logbuch/Flugbuch.log")));
    test::ScriptedUserInterface empty;
    EXPECT_FALSE(readLogbookOverview(dirs.settings, empty).has_value());
    EXPECT_EQ(empty.texts(), std::vector<std::string>{
                                 "Das Flugbuch enthält keine Daten oder nur den Beispielflug!"});
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
