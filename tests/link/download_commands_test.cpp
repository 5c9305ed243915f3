#include "base/app_settings.h"
#include "base/user_interface.h"
#include "link/download_commands.h"
#include "support/scripted_serial_port.h"
#include "support/scripted_user_interface.h"
#include "support/test_files.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <ostream>
#include <string>

namespace zv::test {
namespace {

using Command = bool (*)(const AppSettings&, UserInterface&, SerialPort&);

const std::string overwrite = "Die Datei existiert schon.\nSoll sie überschrieben werden?";
const std::string aborted = "Die Übertragung wurde abgebrochen\n";
const std::string flightDone = "Flugdaten erfolgreich übertragen";

AppSettings settingsIn(const TempDir& dir) {
    AppSettings settings;
    settings.logbookDir = dir / "log";
    settings.liftDir = dir / "lift";
    settings.waypointDir = dir / "wpt";
    settings.routeDir = dir / "route";
    return settings;
}

struct Entry {
    const char* name;
    Command command;
    std::string AppSettings::*directory;
    const char* title;
    const char* filter;
    const char* extension;
    const char* menuLine; // the line of the instruction that names the instrument's menu
    bool flight;
};

void PrintTo(const Entry& c, std::ostream* os) {
    *os << c.name;
}

class DownloadCommand : public ::testing::TestWithParam<Entry> {};

TEST_P(DownloadCommand, AsksInstructsReceivesAndShows) {
    const Entry& e = GetParam();
    TempDir dir;
    const AppSettings settings = settingsIn(dir);
    ScriptedUserInterface ui;
    ScriptedSerialPort port;
    port.send("A\r\n@EOF\r\n");
    // Typed without extension: the file gets the extension of its kind.
    ui.fileChoices.push_back({dir / "new"});

    EXPECT_TRUE(e.command(settings, ui, port));

    ASSERT_EQ(ui.fileRequests.size(), 1u);
    const FileDialogRequest& request = ui.fileRequests[0];
    EXPECT_EQ(request.title, e.title);
    EXPECT_EQ(request.filter, e.filter);
    EXPECT_EQ(request.defaultExtension, e.extension);
    EXPECT_EQ(request.initialDir, settings.*e.directory);
    EXPECT_TRUE(request.save);
    const std::string target = dir / (std::string("new.") + e.extension);
    EXPECT_EQ(readBytes(target), "A\r\n@EOF\r\n");
    ASSERT_GE(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].text.find(e.menuLine), std::string::npos);
    EXPECT_EQ(ui.messages[0].icon, Icon::Information);
    if (e.flight) {
        ASSERT_EQ(ui.messages.size(), 2u);
        EXPECT_EQ(ui.messages[1].text, flightDone);
        EXPECT_TRUE(ui.openedDocuments.empty());
    } else {
        EXPECT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.openedDocuments, std::vector<std::filesystem::path>{target});
    }
}

TEST_P(DownloadCommand, SilentInstrumentOpensWhatArrivedExceptForAFlight) {
    const Entry& e = GetParam();
    TempDir dir;
    ScriptedUserInterface ui;
    ScriptedSerialPort port;
    ui.fileChoices.push_back({dir / "x.dat"});

    EXPECT_FALSE(e.command(settingsIn(dir), ui, port));
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[1].text, aborted);
    EXPECT_EQ(readBytes(dir / "x.dat"), "");
    EXPECT_EQ(ui.openedDocuments.size(), e.flight ? 0u : 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Entries, DownloadCommand,
    ::testing::Values(
        Entry{"Logbook", commandReceiveLogbook, &AppSettings::logbookDir,
              "Dateinamen für neue Logbuch Datei", "Logbuch (*.log) |*.log||", "log",
              "\nLOGBUCH\nund nach", false},
        Entry{"Lifts", commandReceiveLifts, &AppSettings::liftDir,
              "Dateinamen für neue Aufwind Datei", "Aufwinde (*.lft) |*.lft||", "lft",
              "\nAUFWINDE\n", false},
        Entry{"Waypoints", commandReceiveWaypoints, &AppSettings::waypointDir,
              "Dateinamen für neue Wegpunktedatei", "Wegpunkte (*.wpt) |*.wpt||", "wpt",
              "\nWEGPUNKTE\n", false},
        Entry{"Routes", commandReceiveRoutes, &AppSettings::routeDir,
              "Dateinamen für neue Routen Datei", "Routen (*.wpt) |*.wpt||", "wpt",
              "\nWEGPUNKTE-AKT.ROUTE\n", false},
        Entry{"Flight", commandReceiveFlight, &AppSettings::waypointDir,
              "Dateinamen für neue Flugdaten Datei", "Flugdaten (*.zvc) |*.zvc||", "zvc",
              "FLUG > ZVCOMM/ZAD\nund nach Bestätigung dieses Dialoges drücken Sie die "
              "ZVCM-Taste",
              true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DownloadOverwrite, NoBringsTheDialogBackAndCancelEndsWithoutTransfer) {
    TempDir dir;
    writeBytes(dir / "old.log", "old");
    ScriptedUserInterface ui;
    ScriptedSerialPort port;
    port.send("A\r\n@EOF\r\n");
    ui.fileChoices.push_back({dir / "old.log"});
    ui.answers.push_back(Answer::No);

    EXPECT_FALSE(commandReceiveLogbook(settingsIn(dir), ui, port));
    EXPECT_EQ(ui.fileRequests.size(), 2u);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, overwrite);
    EXPECT_EQ(ui.messages[0].icon, Icon::Question);
    EXPECT_EQ(port.opens, 0);
    EXPECT_EQ(readBytes(dir / "old.log"), "old");
}

TEST(DownloadOverwrite, YesReplacesTheFileOnThePortOfTheSettings) {
    TempDir dir;
    writeBytes(dir / "old.log", "old");
    AppSettings settings = settingsIn(dir);
    settings.comPort = 1;
    ScriptedUserInterface ui;
    ScriptedSerialPort port;
    port.send("B\r\n@EOF\r\n");
    ui.fileChoices.push_back({dir / "old.log"});
    ui.answers.push_back(Answer::Yes);

    EXPECT_TRUE(commandReceiveLogbook(settings, ui, port));
    EXPECT_EQ(readBytes(dir / "old.log"), "B\r\n@EOF\r\n");
    EXPECT_EQ(port.log.front(), "open COM2 r");
}

TEST(DownloadOverwrite, ASilentInstrumentLeavesTheOldFileAndShowsNothing) {
    TempDir dir;
    writeBytes(dir / "old.log", "old");
    ScriptedUserInterface ui;
    ScriptedSerialPort port;
    ui.fileChoices.push_back({dir / "old.log"});
    ui.answers.push_back(Answer::Yes);

    EXPECT_FALSE(commandReceiveLogbook(settingsIn(dir), ui, port));
    EXPECT_EQ(readBytes(dir / "old.log"), "old");
    EXPECT_EQ(ui.texts().back(), aborted);
    EXPECT_TRUE(ui.openedDocuments.empty());
}

// The files zv keeps are never a download's target, whatever the spelling: the dialog
// comes back, nothing is received.
TEST(DownloadTarget, PreciousFilesAreRefusedAndTheDialogComesBack) {
    TempDir dir;
    AppSettings settings = settingsIn(dir);
    settings.startDir = dir.path().string();
    settings.logbookFile = "Flugbuch.log";
    settings.liftDatabase = "Lifts.lft";
    std::filesystem::create_directories(settings.logbookDir);
    std::filesystem::create_directories(settings.liftDir);
    const std::string main = settings.logbookDir + "/Flugbuch.log";
    std::filesystem::create_symlink(main, dir / "link.log");
    const std::pair<std::string, const char*> cases[] = {
        {main, "das Flugbuch"},
        {dir / "log/../log/Flugbuch", "das Flugbuch"}, // the extension comes with the dialog
        {dir / "link.log", "das Flugbuch"},
        {settings.logbookDir + "/Flugbuch.bak", "die Sicherungskopie des Flugbuchs"},
        {settings.liftDir + "/Lifts.lft", "die Aufwinddatenbank"},
        {settings.liftDir + "/Lifts.bak", "die Sicherungskopie der Aufwinddatenbank"},
        {dir / "settings.ini", "die Datei settings.ini"},
    };
    for (const auto& [target, role] : cases) {
        writeBytes(main, "the logbook");
        ScriptedUserInterface ui;
        ScriptedSerialPort port;
        port.send("A\r\n@EOF\r\n");
        ui.fileChoices.push_back({target});
        EXPECT_FALSE(commandReceiveLogbook(settings, ui, port)) << target;
        ASSERT_EQ(ui.messages.size(), 1u) << target;
        EXPECT_NE(ui.messages[0].text.find(std::string("\nist ") + role + " und kann hier"),
                  std::string::npos)
            << ui.messages[0].text;
        EXPECT_EQ(ui.messages[0].icon, Icon::Exclamation);
        EXPECT_EQ(ui.fileRequests.size(), 2u);
        EXPECT_EQ(port.opens, 0);
        EXPECT_EQ(readBytes(main), "the logbook");
    }
}

TEST(DownloadPort, MissingPortOpensNothing) {
    TempDir dir;
    ScriptedUserInterface ui;
    ScriptedSerialPort port;
    port.missingPorts = {0};
    ui.fileChoices.push_back({dir / "f.zvc"});
    EXPECT_FALSE(commandReceiveWaypoints(settingsIn(dir), ui, port));
    EXPECT_TRUE(ui.openedDocuments.empty());
    EXPECT_FALSE(std::filesystem::exists(dir / "f.zvc")); // nothing arrived, nothing made
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[1].text, "COM1 ist nicht verfügbar\nWählen Sie einen anderen Port.\n");
}

} // namespace
} // namespace zv::test
