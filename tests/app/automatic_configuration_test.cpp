// The first start: the data tree with its example files, the program search, and the
// settings.ini that results.
#include "app/automatic_configuration.h"
#include "app/settings_file.h"
#include "support/scripted_user_interface.h"
#include "support/test_files.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <optional>

namespace zv {
namespace {

namespace fs = std::filesystem;
using test::readBytes;
using test::ScriptedUserInterface;
using test::TempDir;
using test::testData;
using test::writeBytes;

// PATH for the lifetime of the object.
class ScopedPath {
public:
    explicit ScopedPath(const std::string& value) {
        if (const char* old = std::getenv("PATH")) {
            old_ = old;
        }
        setenv("PATH", value.c_str(), 1);
    }
    ~ScopedPath() {
        if (old_) {
            setenv("PATH", old_->c_str(), 1);
        } else {
            unsetenv("PATH");
        }
    }
    ScopedPath(const ScopedPath&) = delete;
    ScopedPath& operator=(const ScopedPath&) = delete;

private:
    std::optional<std::string> old_;
};

// A reference settings.ini with @START@ standing for the start directory.
std::string fromTemplate(const std::string& name, const std::string& startDir) {
    std::string text = readBytes(testData("app/" + name));
    for (std::size_t at; (at = text.find("@START@")) != std::string::npos;) {
        text.replace(at, 7, startDir);
    }
    return text;
}

const char* const exampleFiles[] = {
    "Data/Example.wpt",
    "Data/Zv/Example.wpt",
    "Data/Zv/Logbuch/Flugbuch.log",
    "Data/Zv/Lifts/Lifts.lft",
};

TEST(AutomaticConfiguration, BuildsTheTreeWithTheExampleFilesAndFindsThePrograms) {
    TempDir start;
    fs::create_directory(start.path() / "OziExp");
    writeBytes(start.path() / "OziExp" / "Oziexp.exe", "");
    writeBytes(start.path() / "ZVView.exe", "");
    ScopedPath path("/nonexistent:" + (start.path() / "OziExp").string() + ":/usr/bin");

    AppSettings settings;
    settings.startDir = start.path().string();
    settings.versionMark = "invalid";
    settings.comPort = 1;
    ScriptedUserInterface ui;
    automaticConfiguration(settings, ui);

    EXPECT_TRUE(ui.messages.empty());
    for (const char* file : exampleFiles) {
        EXPECT_EQ(readBytes(start.path() / file), readBytes(testData("app/first_start/") += file))
            << file;
    }
    EXPECT_TRUE(fs::is_directory(start.path() / "Data/Zv/Routen"));
    EXPECT_TRUE(fs::is_directory(start.path() / "Data/Zv/Startplaetze"));
    ASSERT_TRUE(saveSettings(settings));
    EXPECT_EQ(readBytes(start.path() / "settings.ini"),
              fromTemplate("settings_programs_found.ini.in", settings.startDir));
}

TEST(AutomaticConfiguration, ProgramsNotFoundAreReportedAndTheVersionStays) {
    TempDir start;
    ScopedPath path("/nonexistent");
    AppSettings settings;
    settings.startDir = start.path().string();
    ScriptedUserInterface ui;
    automaticConfiguration(settings, ui);

    ASSERT_EQ(ui.messages.size(), 2U);
    EXPECT_EQ(ui.messages[0].text, "Der OziExplorer wurde nicht gefunden.\nBitte installieren "
                                   "und Pfad in Einstellungen\nEigenschaftsblatt 'Andere "
                                   "Verzeichnisse' angeben!");
    EXPECT_EQ(ui.messages[1].text, "Das Programm ZVView.exe wurde nicht gefunden.\nBitte "
                                   "installieren und Pfad in Einstellungen\nEigenschaftsblatt "
                                   "'Andere Verzeichnisse' angeben!");
    EXPECT_EQ(settings.oziExplorerPath, "");
    EXPECT_EQ(settings.versionMark, "Version1.4");
    ASSERT_TRUE(saveSettings(settings));
    EXPECT_EQ(readBytes(start.path() / "settings.ini"),
              fromTemplate("settings_first_start.ini.in", settings.startDir));
}

TEST(AutomaticConfiguration, KeepsFilesThatExist) {
    TempDir start;
    ScopedPath path("/nonexistent");
    fs::create_directories(start.path() / "Data/Zv/Logbuch");
    fs::create_directories(start.path() / "Data/Zv/Lifts");
    const std::string logbook = "my real logbook\r\n";
    const std::string lifts = "my lifts\r\n";
    const std::string waypoints = "my waypoints\r\n";
    writeBytes(start.path() / "Data/Zv/Logbuch/Flugbuch.log", logbook);
    writeBytes(start.path() / "Data/Zv/Lifts/Lifts.lft", lifts);
    writeBytes(start.path() / "Data/Example.wpt", waypoints);

    AppSettings settings;
    settings.startDir = start.path().string();
    ScriptedUserInterface ui;
    automaticConfiguration(settings, ui);

    EXPECT_EQ(readBytes(start.path() / "Data/Zv/Logbuch/Flugbuch.log"), logbook);
    EXPECT_EQ(readBytes(start.path() / "Data/Zv/Lifts/Lifts.lft"), lifts);
    EXPECT_EQ(readBytes(start.path() / "Data/Example.wpt"), waypoints);
    EXPECT_EQ(readBytes(start.path() / "Data/Zv/Example.wpt"),
              readBytes(testData("app/first_start/Data/Zv/Example.wpt")));
    EXPECT_EQ(settings.logbookFile, "Flugbuch.log");
    EXPECT_EQ(settings.liftDatabase, "Lifts.lft");
}

TEST(AutomaticConfiguration, ExampleThatCannotBeWrittenIsReported) {
    TempDir start;
    ScopedPath path("/nonexistent");
    writeBytes(start.path() / "Data", "a file where the directory should be");
    AppSettings settings;
    settings.startDir = start.path().string();
    ScriptedUserInterface ui;
    automaticConfiguration(settings, ui);
    // The four example files, then the two programs not found.
    ASSERT_EQ(ui.messages.size(), 6U);
    EXPECT_EQ(ui.messages[0].text, "Die Datei " + settings.startDir +
                                       "/Data/Example.wpt\nkonnte nicht geschrieben werden!");
    EXPECT_EQ(ui.messages[3].text,
              "Die Datei " + settings.startDir +
                  "/Data/Zv/Lifts/Lifts.lft\nkonnte nicht geschrieben werden!");
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(ui.messages[i].icon, Icon::Stop);
    }
    EXPECT_EQ(settings.oziDir, settings.startDir + "/Data");
}

TEST(AutomaticConfiguration, ProgramSearchOrder) {
    TempDir dir;
    for (const char* sub : {"start", "a", "b", "empty"}) {
        fs::create_directory(dir.path() / sub);
    }
    writeBytes(dir.path() / "a/ZVView.exe", "");
    writeBytes(dir.path() / "b/ZVView.exe", "");
    fs::create_directory(dir.path() / "empty/ZVView.exe"); // a directory is no program
    const std::string start = (dir.path() / "start").string();
    const std::string a = (dir.path() / "a").string();
    const std::string b = (dir.path() / "b").string();
    const std::string empty = (dir.path() / "empty").string();

    EXPECT_EQ(findProgram("ZVView.exe", start, empty + ":" + b + ":" + a), b + "/ZVView.exe");
    EXPECT_EQ(findProgram("ZVView.exe", start, "::" + a + "/"), a + "/ZVView.exe");
    EXPECT_EQ(findProgram("ZVView.exe", start, "../a"), a + "/ZVView.exe");
    EXPECT_EQ(findProgram("zvview.exe", start, a), std::nullopt);
    EXPECT_EQ(findProgram("ZVView.exe", start, ""), std::nullopt);
    writeBytes(dir.path() / "start/ZVView.exe", "");
    EXPECT_EQ(findProgram("ZVView.exe", start, a), start + "/ZVView.exe");
}

} // namespace
} // namespace zv
