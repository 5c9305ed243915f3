// The main logbook, the lift database, their backups and settings.ini under every
// command that writes them: a second zv, a full disk, a write-protected file, what a
// killed process left behind, and settings under which two of them would be one file.
#include "app/settings_file.h"
#include "app/zv_app.h"
#include "formats/file_lock.h"
#include "formats/precious_files.h"
#include "formats/text_file.h"
#include "lifts/lift_database.h"
#include "lifts/lift_extraction.h"
#include "logbook/flight_assignment.h"
#include "logbook/logbook_commands.h"
#include "support/scripted_user_interface.h"
#include "support/test_files.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <iostream>
#include <map>
#include <sys/stat.h>

namespace zv {
namespace {

namespace fs = std::filesystem;
using test::readBytes;
using test::ScriptedUserInterface;
using test::TempDir;
using test::testData;
using test::writeBytes;

// A start directory with settings.ini, a main logbook with its backup and a lift
// database with its backup.
struct Workspace {
    TempDir dir;
    AppSettings settings;

    Workspace() {
        fs::create_directories(dir.path() / "log");
        fs::create_directories(dir.path() / "lift");
        fs::create_directories(dir.path() / "wpt");
        settings.versionMark = settingsVersionMark;
        settings.startDir = dir.path().string();
        settings.logbookDir = dir / "log";
        settings.logbookFile = "Flugbuch.log";
        settings.liftDir = dir / "lift";
        settings.liftDatabase = "Lifts.lft";
        settings.waypointDir = dir / "wpt";
        settings.oziDir = settings.routeDir = settings.takeoffDir = dir.path().string();
        settings.oziExplorerPath = settings.zvViewPath = "/nowhere";
        settings.serialNumber = 1596;
        settings.flightsPerPage = 12;
        settings.firstFlightNumber = 1;
        settings.extractWindTo = 360;
        writeBytes(mainLogbookPath(settings), readBytes(testData("logbook/append_main.log")));
        writeBytes(siblingPath(mainLogbookPath(settings), "bak"),
                   readBytes(testData("logbook/append_download.log")));
        writeBytes(liftDatabasePath(settings), readBytes(testData("lifts/database.lft")));
        writeBytes(liftBackupPath(liftDatabasePath(settings)),
                   readBytes(testData("lifts/download.lft")));
        writeBytes(settingsFilePath(settings), formatSettingsFile(settings));
    }

    // The bytes of every precious file (a missing one as "-").
    std::map<std::string, std::string> precious() const {
        std::map<std::string, std::string> files;
        for (const NamedFile& file : preciousFiles(settings)) {
            files[file.path] = fs::exists(file.path) ? readBytes(file.path) : "-";
        }
        return files;
    }

    // The precious files that differ from `before`, except a backup that now holds what
    // its main file held (a change that failed after refreshing the backup).
    std::vector<std::string> changedSince(const std::map<std::string, std::string>& before) const {
        const std::map<std::string, std::string> backupOf = {
            {siblingPath(mainLogbookPath(settings), "bak"), mainLogbookPath(settings)},
            {liftBackupPath(liftDatabasePath(settings)), liftDatabasePath(settings)}};
        std::vector<std::string> changed;
        for (const auto& [path, bytes] : precious()) {
            const auto main = backupOf.find(path);
            if (bytes != before.at(path) &&
                (main == backupOf.end() || bytes != before.at(main->second))) {
                changed.push_back(path);
            }
        }
        return changed;
    }

    // Temporary files anywhere below the start directory.
    std::vector<std::string> temporaries() const {
        std::vector<std::string> found;
        for (const auto& entry : fs::recursive_directory_iterator(dir.path())) {
            if (entry.path().extension() == ".tmp") {
                found.push_back(entry.path().string());
            }
        }
        return found;
    }
};

// A command that writes a precious file, with the answers it needs.
struct PreciousCommand {
    const char* name;
    // The file whose lock guards the change.
    std::filesystem::path (*lockedFile)(const AppSettings&);
    std::function<bool(Workspace&, ScriptedUserInterface&)> run;
};

std::filesystem::path logbookFile(const AppSettings& s) {
    return mainLogbookPath(s);
}
std::filesystem::path liftFile(const AppSettings& s) {
    return liftDatabasePath(s);
}
std::filesystem::path settingsFile(const AppSettings& s) {
    return settingsFilePath(s);
}

InsertFlightDialogData someFlight() {
    InsertFlightDialogData data;
    data.date = {5, 6, 2003};
    data.takeoffSite = "KOSSEN";
    data.takeoffHour = 10;
    data.landingHour = 11;
    return data;
}

const std::vector<PreciousCommand>& preciousCommands() {
    static const std::vector<PreciousCommand> commands = {
        {"logbook-append", logbookFile,
         [](Workspace& w, ScriptedUserInterface& ui) {
             ui.fileChoices.push_back({testData("logbook/append_download.log")});
             ui.answers.push_back(Answer::Ok);
             return commandExtendLogbook(w.settings, ui);
         }},
        {"logbook-insert", logbookFile,
         [](Workspace& w, ScriptedUserInterface& ui) {
             ui.insertFlightDialog = [](InsertFlightDialogData& data) {
                 data = someFlight();
                 return true;
             };
             return commandInsertFlight(w.settings, ui);
         }},
        {"logbook-restore", logbookFile,
         [](Workspace& w, ScriptedUserInterface& ui) {
             return commandRestoreLogbook(w.settings, ui);
         }},
        {"liftdb-append", liftFile,
         [](Workspace& w, ScriptedUserInterface& ui) {
             ui.fileChoices.push_back({testData("lifts/download.lft")});
             return commandAppendLiftFile(w.settings, ui);
         }},
        {"liftdb-restore", liftFile,
         [](Workspace& w, ScriptedUserInterface& ui) {
             return commandRestoreLiftDatabase(w.settings, ui);
         }},
        {"port", settingsFile,
         [](Workspace& w, ScriptedUserInterface& ui) {
             CZvApp app(ui);
             return app.readSettings(w.dir.path()) == SettingsFileState::Loaded &&
                    app.runCommand(CommandId::Com2);
         }},
    };
    return commands;
}

class ShortLockWait : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = lockWaitTime();
        setLockWaitTime(std::chrono::milliseconds(0));
    }
    void TearDown() override { setLockWaitTime(saved_); }

private:
    std::chrono::milliseconds saved_{};
};

using PreciousFileLock = ShortLockWait;

// A second zv holds the lock: the command says which file is in use and changes nothing.
TEST_F(PreciousFileLock, ACommandFindingTheLockHeldChangesNothing) {
    for (const PreciousCommand& command : preciousCommands()) {
        SCOPED_TRACE(command.name);
        Workspace w;
        const auto before = w.precious();
        const std::string locked = command.lockedFile(w.settings);
        const FileLock other(locked, FileLock::Kind::Exclusive);
        ASSERT_TRUE(other.held());
        ScriptedUserInterface ui;
        EXPECT_FALSE(command.run(w, ui));
        ASSERT_FALSE(ui.messages.empty());
        EXPECT_EQ(ui.messages.back().text, fileInUseMessage(locked));
        EXPECT_EQ(ui.messages.back().icon, Icon::Stop);
        EXPECT_EQ(w.precious(), before);
        EXPECT_TRUE(ui.openedDocuments.empty());
    }
}

// The extraction only reads the database: other readers do not keep it out, a change
// in progress does.
TEST_F(PreciousFileLock, TheExtractionWaitsOnlyForAChangeOfTheDatabase) {
    for (const auto kind : {FileLock::Kind::Shared, FileLock::Kind::Exclusive}) {
        Workspace w;
        const FileLock other(liftDatabasePath(w.settings), kind);
        ScriptedUserInterface ui;
        ui.liftExtractDialog = [](LiftExtractDialogData& data) {
            data = {false, 40, 60, 0, 20, 0, 360, "extract.lft"};
            return true;
        };
        const bool extracted = commandExtractLifts(w.settings, ui);
        EXPECT_EQ(extracted, kind == FileLock::Kind::Shared);
        EXPECT_EQ(fs::exists(w.dir / "lift/extract.lft"), extracted);
        if (!extracted) {
            EXPECT_EQ(ui.texts().back(), fileInUseMessage(liftDatabasePath(w.settings)));
        }
    }
}

// The write-fault injection: for every N the N-th write fails; the old files stay as
// they were, the failure is reported, and no temporary file stays behind.
TEST(PreciousFilesDiskFull, EveryCommandFailsCleanlyAtEveryWrite) {
    for (const PreciousCommand& command : preciousCommands()) {
        SCOPED_TRACE(command.name);
        long n = 1;
        for (;; ++n) {
            Workspace w;
            const auto before = w.precious();
            ScriptedUserInterface ui;
            injectWriteFault(n);
            const bool done = command.run(w, ui);
            injectWriteFault(0);
            EXPECT_TRUE(w.temporaries().empty()) << n;
            if (done) {
                EXPECT_NE(w.precious(), before);
                break;
            }
            EXPECT_EQ(w.changedSince(before), std::vector<std::string>{}) << "fault " << n;
            ASSERT_FALSE(ui.messages.empty()) << n;
            EXPECT_EQ(ui.messages.back().icon, Icon::Stop) << n;
            ASSERT_LT(n, 1000);
        }
        // For the record: the number of write operations each command was cut at.
        std::cout << "[ sweep    ] " << command.name << ": " << n - 1 << " faults\n";
        EXPECT_GT(n, 1);
    }
}

// The first start writes the example logbook and lift database and settings.ini; a
// fault at any write leaves each of them whole or not there, and the start fails.
TEST(PreciousFilesDiskFull, TheFirstStartWritesWholeFilesOrNone) {
    const auto start = [](const fs::path& dir, ScriptedUserInterface& ui) {
        ui.answers.push_back(Answer::Yes);
        ui.settingsSheet = [](AppSettings&) { return true; };
        CZvApp app(ui);
        return app.initSettings(dir);
    };
    TempDir reference;
    ScriptedUserInterface referenceUi;
    ASSERT_TRUE(start(reference.path(), referenceUi));
    const std::vector<std::string> files = {"settings.ini", "Data/Zv/Logbuch/Flugbuch.log",
                                            "Data/Zv/Lifts/Lifts.lft"};
    long n = 1;
    for (;; ++n) {
        TempDir dir;
        ScriptedUserInterface ui;
        injectWriteFault(n);
        const bool done = start(dir.path(), ui);
        injectWriteFault(0);
        for (const std::string& file : files) {
            const fs::path path = dir.path() / file;
            if (fs::exists(path)) {
                // Whole: as in the reference, with this directory's name in the paths.
                std::string expected = readBytes(reference.path() / file);
                const std::string from = reference.path().string();
                for (std::size_t at = expected.find(from); at != std::string::npos;
                     at = expected.find(from, at + 1)) {
                    expected.replace(at, from.size(), dir.path().string());
                }
                EXPECT_EQ(readBytes(path), expected) << file << " at fault " << n;
            }
        }
        if (done) {
            break;
        }
        EXPECT_TRUE(std::any_of(ui.messages.begin(), ui.messages.end(), [](const auto& m) {
            return m.icon == Icon::Stop;
        })) << n;
        ASSERT_LT(n, 100);
    }
    std::cout << "[ sweep    ] init: " << n - 1 << " faults\n";
    EXPECT_GT(n, 4);
}

TEST(PreciousFiles, AWriteProtectedFileIsRefusedBeforeAnythingIsWritten) {
    struct Case {
        const char* command;
        std::filesystem::path (*file)(const AppSettings&);
    };
    const auto logbookBackup = [](const AppSettings& s) {
        return siblingPath(mainLogbookPath(s), "bak");
    };
    const Case cases[] = {
        {"logbook-append", logbookFile},
        {"logbook-append", logbookBackup},
        {"liftdb-restore", liftFile},
        {"port", settingsFile},
    };
    for (const Case& c : cases) {
        Workspace w;
        const std::string file = c.file(w.settings);
        SCOPED_TRACE(std::string(c.command) + " " + file);
        ::chmod(file.c_str(), 0444);
        const auto before = w.precious();
        ScriptedUserInterface ui;
        for (const PreciousCommand& command : preciousCommands()) {
            if (std::string(command.name) == c.command) {
                EXPECT_FALSE(command.run(w, ui));
            }
        }
        ASSERT_FALSE(ui.messages.empty());
        EXPECT_EQ(ui.messages.back().text, writeProtectedMessage(file));
        EXPECT_EQ(w.precious(), before);
        struct stat status {};
        ::stat(file.c_str(), &status);
        EXPECT_EQ(status.st_mode & 0777, 0444u);
    }
}

// A process killed while it replaced the logbook left its temporary files; the next
// append removes those of the logbook's files, and only those.
TEST(PreciousFiles, TheNextChangeRemovesWhatAKilledProcessLeftBehind) {
    Workspace w;
    const fs::path log = w.dir.path() / "log";
    for (const char* name : {"Flugbuch.log.1a2b3c.tmp", "Flugbuch.bak.000001.tmp",
                             "Flugbuch.err.ffffff.tmp", "Other.log.123456.tmp"}) {
        writeBytes(log / name, "half a logbook");
    }
    ScriptedUserInterface ui;
    ASSERT_TRUE(preciousCommands()[0].run(w, ui));
    EXPECT_EQ(w.temporaries(), std::vector<std::string>{(log / "Other.log.123456.tmp").string()});
}

AppSettings withFiles(const AppSettings& base, const std::string& logbookDir,
                      const std::string& logbookFile, const std::string& liftDir,
                      const std::string& liftDatabase) {
    AppSettings s = base;
    s.logbookDir = logbookDir;
    s.logbookFile = logbookFile;
    s.liftDir = liftDir;
    s.liftDatabase = liftDatabase;
    return s;
}

TEST(PreciousFiles, SettingsUnderWhichTwoFilesWouldBeOneAreNamed) {
    Workspace w;
    const std::string log = w.dir / "log";
    const std::string lift = w.dir / "lift";
    fs::create_directory_symlink(log, w.dir.path() / "loglink");
    const std::string dots = (w.dir.path() / "lift" / ".." / "log").string();
    struct Case {
        AppSettings settings;
        std::string message; // empty: accepted
    };
    const auto named = [](const std::string& a, const std::string& b, const std::string& path) {
        return a + " und " + b + "\nwären dieselbe Datei:\n" + path +
               "\nBitte wählen Sie einen anderen Namen oder ein anderes Verzeichnis!";
    };
    const Case cases[] = {
        {w.settings, ""},
        {withFiles(w.settings, log, "Flugbuch.log", lift, "Flugbuch.lft"), ""},
        {withFiles(w.settings, log, "Flugbuch.log", log, "Lifts.lft"), ""},
        {withFiles(w.settings, log, "Flugbuch.log", log, "Flugbuch.lft"),
         named("Die Sicherungskopie des Flugbuchs", "die Sicherungskopie der Aufwinddatenbank",
               log + "/Flugbuch.bak")},
        // Through a linked directory and through "..": still one directory.
        {withFiles(w.settings, log, "Flugbuch.log", w.dir / "loglink", "Flugbuch.lft"),
         named("Die Sicherungskopie des Flugbuchs", "die Sicherungskopie der Aufwinddatenbank",
               w.dir / "loglink/Flugbuch.bak")},
        {withFiles(w.settings, log, "Flugbuch.log", dots, "Flugbuch.lft"),
         named("Die Sicherungskopie des Flugbuchs", "die Sicherungskopie der Aufwinddatenbank",
               dots + "/Flugbuch.bak")},
        {withFiles(w.settings, log, "Lifts.lft", log, "Lifts.lft"),
         named("Das Flugbuch", "die Aufwinddatenbank", log + "/Lifts.lft")},
        {withFiles(w.settings, log, "Lifts.bak", log, "Lifts.lft"),
         named("Das Flugbuch", "die Sicherungskopie der Aufwinddatenbank", log + "/Lifts.bak")},
        {withFiles(w.settings, log, "Flugbuch.log", log, "Flugbuch.bak"),
         named("Die Sicherungskopie des Flugbuchs", "die Aufwinddatenbank", log + "/Flugbuch.bak")},
        {withFiles(w.settings, w.dir.path().string(), "settings.ini", lift, "Lifts.lft"),
         named("Das Flugbuch", "die Datei settings.ini", w.dir / "settings.ini")},
        // A lift database without a name names no file.
        {withFiles(w.settings, log, "Flugbuch.log", log, ""), ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(sharedPathRefusal(c.settings), c.message)
            << c.settings.logbookDir << " " << c.settings.logbookFile << " " << c.settings.liftDir
            << " " << c.settings.liftDatabase;
    }
}

// With the two backups one file, "wiederherstellen" of the logbook would write the lift
// database over it: every command writing one of these files refuses first.
TEST(PreciousFiles, EveryCommandRefusesSettingsThatMakeTwoFilesOne) {
    using Command = bool (*)(const AppSettings&, UserInterface&);
    const std::pair<const char*, Command> commands[] = {
        {"logbook-append", commandExtendLogbook}, {"logbook-restore", commandRestoreLogbook},
        {"logbook-insert", commandInsertFlight},  {"stats-hours", commandFlightHours},
        {"stats-sites", commandTakeoffSites},     {"assign", commandAssignFlightData},
        {"liftdb-append", commandAppendLiftFile}, {"liftdb-restore", commandRestoreLiftDatabase},
    };
    for (const auto& [name, command] : commands) {
        Workspace w;
        w.settings.liftDir = w.settings.logbookDir;
        w.settings.liftDatabase = "Flugbuch.lft";
        writeBytes(liftDatabasePath(w.settings), readBytes(testData("lifts/database.lft")));
        const auto before = w.precious();
        ScriptedUserInterface ui;
        ui.fileChoices.push_back({testData("logbook/append_download.log")});
        ui.answers.push_back(Answer::Ok);
        EXPECT_FALSE(command(w.settings, ui)) << name;
        ASSERT_EQ(ui.messages.size(), 1u) << name;
        EXPECT_EQ(ui.messages[0].text, sharedPathRefusal(w.settings)) << name;
        EXPECT_EQ(ui.messages[0].icon, Icon::Stop);
        EXPECT_TRUE(ui.fileRequests.empty()) << name;
        EXPECT_EQ(w.precious(), before) << name;
    }
}

// The downloads' refusal is tested with them; here the extraction's: the database keeps
// its own message, a backup gets the one of all precious files, a new file none.
TEST(PreciousFiles, NoExtractionTakesThePlaceOfOne) {
    Workspace w;
    const std::pair<std::string, std::string> cases[] = {
        {w.dir / "lift/Lifts.bak", preciousTargetRefusal(w.settings, w.dir / "lift/Lifts.bak")},
        {w.dir / "settings.ini", preciousTargetRefusal(w.settings, w.dir / "settings.ini")},
        {w.dir / "log/Flugbuch.err", ""},
        {w.dir / "lift/Neu.lft", ""},
    };
    for (const auto& [target, refusal] : cases) {
        LiftExtractDialogData data{false, 40, 50, 7, 11, 0, 360, target};
        EXPECT_EQ(checkLiftExtractData(data, w.settings).text, refusal) << target;
    }
    EXPECT_NE(preciousTargetRefusal(w.settings, w.dir / "lift/Lifts.bak")
                  .find("ist die Sicherungskopie der Aufwinddatenbank"),
              std::string::npos);
}

} // namespace
} // namespace zv
