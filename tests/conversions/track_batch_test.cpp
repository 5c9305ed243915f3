#include "base/app_settings.h"
#include "conversions/track_batch.h"
#include "formats/text_file.h"
#include "support/scripted_user_interface.h"
#include "support/test_files.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace zv {
namespace {

namespace fs = std::filesystem;

const std::string generated = "Track-Dateien generiert!";
const std::string deleteFirst = "Wenn Sie Track-Dateien generieren möchten,\nsollten Sie die "
                                "entsprechenden plt-Dateien zuerst löschen.";
const std::string noFlights =
    "Keine Flug-Datei vorhanden oder\nfalsche Pfadangabe in Einstellungen?";

struct TrackDirs {
    test::TempDir root;
    AppSettings settings;

    TrackDirs() {
        fs::create_directory(root.path() / "zv");
        fs::create_directory(root.path() / "ozi");
        settings.waypointDir = root / "zv";
        settings.oziDir = root / "ozi";
    }
    std::string zv(const std::string& name) const { return settings.waypointDir + "/" + name; }
    std::string ozi(const std::string& name) const { return settings.oziDir + "/" + name; }
};

std::string flightData(const std::string& name) {
    return test::readBytes(test::testData("flights/" + name));
}

TEST(TrackBatch, ConvertsOnceAndThenOnlyHints) {
    TrackDirs dirs;
    for (const char* name : {"a.b.zvc", "FLUG12.ZVC"}) {
        test::writeBytes(dirs.zv(name), flightData("flight.zvc"));
    }
    test::writeBytes(dirs.zv("Example.wpt"), "no flight");
    test::ScriptedUserInterface ui;
    EXPECT_TRUE(commandFlightsToTracks(dirs.settings, ui));
    EXPECT_EQ(test::readBytes(dirs.ozi("a.b.plt")), flightData("flight~track.plt"));
    EXPECT_EQ(test::readBytes(dirs.ozi("FLUG12.plt")), flightData("flight~track.plt"));
    EXPECT_EQ(ui.texts(), std::vector<std::string>{generated});
    EXPECT_EQ(ui.messages[0].icon, Icon::Information);
    EXPECT_TRUE(ui.openedDocuments.empty());
    EXPECT_EQ(ui.maxWaitDepth, 1);
    EXPECT_EQ(ui.waitDepth, 0);

    test::ScriptedUserInterface again;
    EXPECT_TRUE(commandFlightsToTracks(dirs.settings, again));
    EXPECT_EQ(again.texts(), std::vector<std::string>{deleteFirst});
    EXPECT_EQ(again.messages[0].icon, Icon::Information);
    EXPECT_EQ(std::distance(fs::directory_iterator(dirs.settings.oziDir), {}), 2);
}

TEST(TrackBatch, SecondOfThreeFaultyStops) {
    TrackDirs dirs;
    test::writeBytes(dirs.zv("1.zvc"), flightData("flight.zvc"));
    test::writeBytes(dirs.zv("2.zvc"), flightData("blank_first_line.zvc"));
    test::writeBytes(dirs.zv("3.zvc"), flightData("flight.zvc"));
    test::ScriptedUserInterface ui;
    CTrackBatch batch(ui);
    EXPECT_FALSE(batch.convertFlightsToTracks(dirs.settings.waypointDir, dirs.settings.oziDir));
    EXPECT_TRUE(batch.readFailed);
    EXPECT_EQ(batch.sourceNames, std::vector<std::string>{dirs.zv("2.zvc")});
    EXPECT_EQ(batch.writtenFiles, std::vector<std::filesystem::path>{dirs.ozi("1.plt")});
    EXPECT_FALSE(fs::exists(dirs.ozi("2.plt")));
    EXPECT_FALSE(fs::exists(dirs.ozi("3.plt")));

    test::ScriptedUserInterface command;
    EXPECT_FALSE(commandFlightsToTracks(dirs.settings, command));
    EXPECT_EQ(command.texts(),
              (std::vector<std::string>{"Format der Datei " + dirs.zv("2.zvc") +
                                            " unzulässig?\nBitte überprüfen!",
                                        "Suchen Sie den Formatfehler in der zvc-Datei\n"}));
    EXPECT_EQ(command.messages[0].icon, Icon::Question);
    EXPECT_EQ(command.messages[1].icon, Icon::Exclamation);
    EXPECT_TRUE(command.openedDocuments.empty());
}

TEST(TrackBatch, NoFlightFiles) {
    for (const bool missingDir : {false, true}) {
        TrackDirs dirs;
        test::writeBytes(dirs.zv("flight.zvc.txt"), flightData("flight.zvc"));
        fs::create_directory(dirs.zv("folder.zvc"));
        if (missingDir) {
            dirs.settings.waypointDir += "/missing";
        }
        test::ScriptedUserInterface ui;
        EXPECT_FALSE(commandFlightsToTracks(dirs.settings, ui));
        EXPECT_EQ(ui.texts(), std::vector<std::string>{noFlights});
        EXPECT_EQ(ui.messages[0].icon, Icon::Question);
    }
}

TEST(TrackBatch, WriteFailureIsReportedAndTheNextRunWrites) {
    TrackDirs dirs;
    test::writeBytes(dirs.zv("a.zvc"), flightData("flight.zvc"));
    test::ScriptedUserInterface ui;
    injectWriteFault(1);
    const bool converted = commandFlightsToTracks(dirs.settings, ui);
    injectWriteFault(0);
    EXPECT_FALSE(converted);
    EXPECT_FALSE(fs::exists(dirs.ozi("a.plt")));
    EXPECT_EQ(ui.texts(), std::vector<std::string>{"Plot-Datei " + dirs.ozi("a.plt") +
                                                   " konnte\nnicht geschrieben werden!"});
    EXPECT_EQ(ui.messages[0].icon, Icon::Exclamation);

    test::ScriptedUserInterface again;
    EXPECT_TRUE(commandFlightsToTracks(dirs.settings, again));
    EXPECT_EQ(test::readBytes(dirs.ozi("a.plt")), flightData("flight~track.plt"));
}

} // namespace
} // namespace zv
