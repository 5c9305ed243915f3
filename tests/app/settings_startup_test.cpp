// The start of the program with and without settings.ini, the command "Einstellungen",
// and CZvApp writing settings.ini whenever the record changed.
#include "app/settings_startup.h"
#include "app/zv_app.h"
#include "formats/text_file.h"
#include "support/scripted_user_interface.h"
#include "support/test_files.h"

#include <gtest/gtest.h>

namespace zv {
namespace {

namespace fs = std::filesystem;
using test::readBytes;
using test::ScriptedUserInterface;
using test::TempDir;
using test::writeBytes;

const char* const validFile = "Version1.4\r\n3\r\n10\r\n/p/Logbuch\r\nFlugbuch.log\r\n/p/Data\r\n"
                              "/p/Routen\r\n/p/Zv\r\n/p/Oziexp.exe\r\n/p/Lifts\r\n/p/Start\r\n"
                              "42\r\n1\r\nLifts.lft\r\n45.0\r\n48.0\r\n 6.0\r\n12.0\r\n1\r\n"
                              "90\r\n180\r\n/p/ZVView.exe\r\n";

// Fills the eight required paths, as a user would on the sheet.
bool completeThePaths(AppSettings& settings) {
    settings.logbookDir = "/p/Logbuch";
    settings.logbookFile = "Flugbuch.log";
    settings.oziDir = "/p/Data";
    settings.routeDir = "/p/Routen";
    settings.waypointDir = "/p/Zv";
    settings.oziExplorerPath = "/p/Oziexp.exe";
    settings.zvViewPath = "/p/ZVView.exe";
    settings.liftDir = "/p/Lifts";
    return true;
}

TEST(SettleSettings, EachKindOfStart) {
    struct Case {
        const char* name;
        const char* file; // nullptr: no settings.ini
        std::vector<Answer> answers;
        bool sheetConfirms;
        std::vector<std::string> texts;
        bool sheetShown;
        const char* versionMark;
    };
    const std::string wrong = messageWrongSettingsVersion;
    const std::string question = questionAutomaticConfiguration;
    const std::string automatic = messageAutomaticConfiguration;
    const std::string update = messageUpdateSettings;
    const Case cases[] = {
        {"right version", validFile, {}, false, {}, false, "Version1.4"},
        {"blank after version", "Version1.4 \r\n3\r\n", {}, false, {wrong}, true, "invalid"},
        {"lower case", "version1.4\r\n3\r\n", {}, false, {wrong}, true, "invalid"},
        {"marked invalid", "invalid\r\n3\r\n", {}, false, {wrong}, true, "invalid"},
        {"wrong version, paths completed", "Version1.3\r\n", {}, true, {wrong}, true, "Version1.4"},
        {"missing, No", nullptr, {Answer::No}, false, {question, update}, true, "invalid"},
        {"missing, No, paths completed",
         nullptr,
         {Answer::No},
         true,
         {question, update},
         true,
         "Version1.4"},
        {"missing, Yes", nullptr, {Answer::Yes}, false, {question, automatic}, true, "Version1.4"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir start;
        if (c.file) {
            writeBytes(start / "settings.ini", c.file);
        }
        writeBytes(start.path() / "Oziexp.exe", "");
        writeBytes(start.path() / "ZVView.exe", "");
        AppSettings settings;
        settings.startDir = start.path().string();
        ScriptedUserInterface ui;
        ui.answers.assign(c.answers.begin(), c.answers.end());
        bool sheetShown = false;
        ui.settingsSheet = [&](AppSettings& shown) {
            sheetShown = true;
            return c.sheetConfirms && completeThePaths(shown);
        };

        settleSettings(settings, ui);

        EXPECT_EQ(ui.texts(), c.texts);
        EXPECT_EQ(sheetShown, c.sheetShown);
        EXPECT_EQ(settings.versionMark, c.versionMark);
        if (c.file && c.texts.empty()) {
            EXPECT_EQ(settings.serialNumber, 42);
            EXPECT_EQ(settings.extractWindTo, 180);
        } else {
            // Reset before the sheet: the old values of the file are gone.
            EXPECT_EQ(settings.firstFlightNumber, 1);
            EXPECT_EQ(settings.serialNumber, 1596);
        }
        for (const auto& shown : ui.messages) {
            EXPECT_EQ(shown.icon, shown.question ? Icon::Question : Icon::Information);
        }
        // Settling itself writes nothing.
        EXPECT_EQ(readBytes(start / "settings.ini"), c.file ? c.file : "");
    }
}

TEST(SettingsCommand, ConfirmedSheetWithAllPathsClearsTheInvalidMark) {
    AppSettings settings;
    resetSettings(settings);
    settings.versionMark = "invalid";
    ScriptedUserInterface ui;

    // Cancelled: nothing changes.
    ui.settingsSheet = [](AppSettings&) { return false; };
    EXPECT_FALSE(runSettingsCommand(settings, ui));
    EXPECT_EQ(settings.versionMark, "invalid");

    // Confirmed with a required path still empty: the mark stays.
    ui.settingsSheet = [](AppSettings& shown) {
        completeThePaths(shown);
        shown.zvViewPath.clear();
        return true;
    };
    EXPECT_TRUE(runSettingsCommand(settings, ui));
    EXPECT_EQ(settings.versionMark, "invalid");

    ui.settingsSheet = completeThePaths;
    EXPECT_TRUE(runSettingsCommand(settings, ui));
    EXPECT_EQ(settings.versionMark, "Version1.4");

    // Emptying a path later does not set the mark: it is decided at start only.
    ui.settingsSheet = [](AppSettings& shown) {
        shown.liftDir.clear();
        return true;
    };
    EXPECT_TRUE(runSettingsCommand(settings, ui));
    EXPECT_EQ(settings.versionMark, "Version1.4");
}

TEST(ZvApp, FirstStartWritesSettingsAndCommandsWriteTheirChanges) {
    TempDir start;
    ScriptedUserInterface ui;
    ui.answers = {Answer::Yes};
    ui.settingsSheet = [](AppSettings&) { return true; };
    CZvApp app(ui);
    ASSERT_TRUE(app.initSettings(start.path() / "."));
    EXPECT_EQ(app.settings().startDir, start.path().string());
    EXPECT_TRUE(app.settings().logbookCommandsEnabled);
    EXPECT_TRUE(app.settings().liftDbCommandsEnabled);
    const std::string first = readBytes(start / "settings.ini");
    ASSERT_FALSE(first.empty()) << "written right after the first start";

    EXPECT_TRUE(app.runCommand(CommandId::Com2));
    std::string now = readBytes(start / "settings.ini");
    EXPECT_EQ(now.substr(0, now.find("Lifts.lft")).ends_with("\r\n1596\r\n1\r\n"), true);

    // A command that changes only values that are not saved writes nothing.
    fs::remove(start / "settings.ini");
    EXPECT_TRUE(app.runCommand([](AppSettings& settings, UserInterface&) {
        settings.lastExtractFile = "Alpen.lft";
        return true;
    }));
    EXPECT_FALSE(fs::exists(start / "settings.ini"));
    // The extraction entries remembered by a command that then fails are still saved.
    EXPECT_FALSE(app.runCommand([](AppSettings& settings, UserInterface&) {
        settings.extractLatMin = 46.0F;
        return false;
    }));
    EXPECT_NE(readBytes(start / "settings.ini").find("\r\n46.0\r\n"), std::string::npos);

    // The settings command on a record marked invalid at start: written without the mark.
    app.settings().versionMark = "invalid";
    ui.settingsSheet = completeThePaths;
    EXPECT_TRUE(app.runCommand(CommandId::Settings));
    EXPECT_TRUE(readBytes(start / "settings.ini").starts_with("Version1.4\r\n"));
    EXPECT_EQ(ui.messages.size(), 4U); // question, automatic configuration, 2 programs
}

// The first start reports failure when an example file could not be written, and still
// writes settings.ini (zv goes on with it; zv-cli init exits 1).
TEST(ZvApp, FirstStartThatCouldNotWriteAnExampleFails) {
    TempDir start;
    writeBytes(start / "Data", "a file where the directory should be");
    ScriptedUserInterface ui;
    ui.answers.push_back(Answer::Yes);
    ui.settingsSheet = [](AppSettings&) { return true; };
    CZvApp app(ui);
    EXPECT_FALSE(app.initSettings(start.path()));
    EXPECT_TRUE(readBytes(start / "settings.ini").starts_with("Version1.4\r\n"));
    EXPECT_EQ(ui.messages[2].text, "Die Datei " + start.path().string() +
                                       "/Data/Example.wpt\nkonnte nicht geschrieben werden!");
}

TEST(ZvApp, SaveFailureIsReportedAndKeepsTheOldFile) {
    TempDir start;
    writeBytes(start / "settings.ini", validFile);
    ScriptedUserInterface ui;
    CZvApp app(ui);
    ASSERT_TRUE(app.initSettings(start.path()));
    EXPECT_TRUE(ui.messages.empty());

    injectWriteFault(1);
    const bool selected = app.runCommand(CommandId::Com1);
    injectWriteFault(0);
    EXPECT_FALSE(selected);
    ASSERT_EQ(ui.messages.size(), 1U);
    EXPECT_EQ(ui.messages[0].text, "Die Datei " + start.path().string() +
                                       "/settings.ini\nkonnte nicht geschrieben werden!");
    EXPECT_EQ(ui.messages[0].icon, Icon::Stop);
    EXPECT_EQ(readBytes(start / "settings.ini"), validFile);

    // At the end the change is written after all.
    EXPECT_TRUE(app.exitInstance());
    EXPECT_NE(readBytes(start / "settings.ini").find("\r\n42\r\n0\r\n"), std::string::npos);
}

TEST(ZvApp, RecordNeverReadDoesNotOverwriteTheFile) {
    TempDir start;
    writeBytes(start / "settings.ini", "Version1.3\r\n");
    ScriptedUserInterface ui;
    CZvApp app(ui);
    EXPECT_EQ(app.readSettings(start.path()), SettingsFileState::WrongVersion);
    EXPECT_TRUE(app.runCommand(CommandId::Com2));
    EXPECT_TRUE(app.exitInstance());
    EXPECT_EQ(readBytes(start / "settings.ini"), "Version1.3\r\n");
}

} // namespace
} // namespace zv
