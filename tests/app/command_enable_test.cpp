#include "app/command_enable.h"
#include "support/scripted_user_interface.h"

#include <gtest/gtest.h>

namespace zv {
namespace {

AppSettings settingsWithFiles() {
    AppSettings settings;
    settings.logbookDir = "/data/Logbuch";
    settings.logbookFile = "Flugbuch.log";
    settings.liftDir = "/data/Lifts";
    settings.liftDatabase = "Lifts.lft";
    settings.logbookCommandsEnabled = true;
    settings.liftDbCommandsEnabled = true;
    return settings;
}

TEST(CommandEnable, OpeningClearsOnlyForTheExactPath) {
    struct Case {
        std::string path;
        bool logbook;
        bool liftDb;
    };
    const std::vector<Case> cases = {
        {"/data/Logbuch/Flugbuch.log", false, true}, {"/data/Lifts/Lifts.lft", true, false},
        {"/data/Logbuch/flugbuch.log", true, true},  // other letter case: another file
        {"/data/Logbuch//Flugbuch.log", true, true}, // another spelling of the path
        {"/data/Lifts/Lifts.lft.bak", true, true},
    };
    for (const auto& c : cases) {
        AppSettings settings = settingsWithFiles();
        noteDocumentOpened(settings, c.path);
        EXPECT_EQ(settings.logbookCommandsEnabled, c.logbook) << c.path;
        EXPECT_EQ(settings.liftDbCommandsEnabled, c.liftDb) << c.path;
    }
}

TEST(CommandEnable, ClosingSetsForTheTitleWithOrWithoutExtension) {
    struct Case {
        std::string title;
        bool logbook;
        bool liftDb;
    };
    const std::vector<Case> cases = {
        {"Flugbuch.log", true, false}, {"Flugbuch", true, false},  {"Lifts.lft", false, true},
        {"Lifts", false, true},        {"flugbuch", false, false}, {"Flugbuch.lo", false, false},
    };
    for (const auto& c : cases) {
        AppSettings settings = settingsWithFiles();
        settings.logbookCommandsEnabled = false;
        settings.liftDbCommandsEnabled = false;
        noteDocumentClosing(settings, c.title);
        EXPECT_EQ(settings.logbookCommandsEnabled, c.logbook) << c.title;
        EXPECT_EQ(settings.liftDbCommandsEnabled, c.liftDb) << c.title;
    }
}

TEST(CommandEnable, NameWithoutExtensionRemovesTheFirstDotAndThreeCharacters) {
    EXPECT_EQ(nameWithoutExtension("Flugbuch.log"), "Flugbuch");
    EXPECT_EQ(nameWithoutExtension("a.b.log"), "aog");
    EXPECT_EQ(nameWithoutExtension("Lifts.lf"), "Lifts");
    EXPECT_EQ(nameWithoutExtension("Lifts"), "Lifts");
    // An empty logbook name must not match every closing window without extension.
    AppSettings settings;
    noteDocumentClosing(settings, "Notizen");
    EXPECT_FALSE(settings.logbookCommandsEnabled);
}

TEST(OpenCommands, DialogsOpenDocumentsInOrderAndClearTheFlags) {
    AppSettings settings = settingsWithFiles();
    test::ScriptedUserInterface ui;
    ui.fileChoices.push_back({"/data/Logbuch/Flugbuch.log"});
    ASSERT_TRUE(commandOpenFiles(OpenFileKind::Logbook, settings, ui));
    EXPECT_FALSE(settings.logbookCommandsEnabled);
    ASSERT_EQ(ui.fileRequests.size(), 1u);
    const FileDialogRequest& logbook = ui.fileRequests[0];
    EXPECT_EQ(logbook.filter, "Flugbuch (*.log) |*.log||");
    EXPECT_EQ(logbook.initialDir, "/data/Logbuch");
    EXPECT_EQ(logbook.initialName, "Flugbuch.log");
    EXPECT_TRUE(logbook.mustExist);
    EXPECT_FALSE(logbook.multiple);

    ui.fileChoices.push_back({"/w/a.wpt", "/w/c.wpt", "/w/b.wpt"});
    ASSERT_TRUE(commandOpenFiles(OpenFileKind::ZvWaypoints, settings, ui));
    EXPECT_TRUE(ui.fileRequests[1].multiple);
    EXPECT_EQ(ui.openedDocuments,
              (std::vector<std::filesystem::path>{"/data/Logbuch/Flugbuch.log", "/w/a.wpt",
                                                  "/w/c.wpt", "/w/b.wpt"}));

    // The lift file command with the database; cancel changes nothing.
    ui.fileChoices.push_back({"/data/Lifts/Lifts.lft"});
    ASSERT_TRUE(commandOpenFiles(OpenFileKind::Lifts, settings, ui));
    EXPECT_FALSE(settings.liftDbCommandsEnabled);
    EXPECT_FALSE(commandOpenFiles(OpenFileKind::Lines, settings, ui));
    EXPECT_EQ(ui.fileRequests.back().initialDir, "/data/Lifts");
    EXPECT_EQ(ui.openedDocuments.size(), 5u);
}

} // namespace
} // namespace zv
