#include "base/app_settings.h"
#include "formats/text_file.h"
#include "formats/waypoint_converter.h"
#include "lifts/lift_database.h"
#include "support/c_format.h"
#include "support/scripted_user_interface.h"
#include "support/test_files.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <random>

namespace zv {
namespace {

using test::readBytes;
using test::ScriptedUserInterface;
using test::TempDir;
using test::testData;
using test::writeBytes;

// A lift directory whose database is a copy of tests/data/lifts/database.lft.
struct LiftDir {
    TempDir dir;
    AppSettings settings;
    std::string database;
    std::string backup;

    LiftDir() {
        settings.liftDir = dir.path().string();
        settings.liftDatabase = "Lifts.lft";
        settings.serialNumber = 1596;
        database = dir / "Lifts.lft";
        backup = dir / "Lifts.bak";
        writeBytes(database, readBytes(testData("lifts/database.lft")));
    }

    // The files of the directory; the hidden lock files of the database do not count.
    std::size_t fileCount() const {
        std::size_t count = 0;
        for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
            const std::string name = entry.path().filename().string();
            count += name.starts_with(".") && name.ends_with(".lock") ? 0 : 1;
        }
        return count;
    }
};

Waypoint lift(const std::string& name, float lat, float latMin, float lon, float lonMin,
              float climb = 1.0f) {
    Waypoint w;
    w.name = name;
    w.latDegrees = lat;
    w.latMinutes = latMin;
    w.lonDegrees = lon;
    w.lonMinutes = lonMin;
    w.climb = climb;
    return w;
}

// The clean-up as the pairwise procedure does it: for each lift in order, remove every
// later repeat of it; then the sinking lifts.
WaypointList cleanedPairwise(WaypointList lifts) {
    for (std::size_t i = 0; i < lifts.size(); ++i) {
        for (std::size_t j = i + 1; j < lifts.size();) {
            if (isDuplicateLift(lifts[i], lifts[j])) {
                lifts.erase(lifts.begin() + static_cast<std::ptrdiff_t>(j));
            } else {
                ++j;
            }
        }
    }
    std::erase_if(lifts, [](const Waypoint& w) { return w.climb < 0; });
    return lifts;
}

std::vector<std::string> identities(const WaypointList& lifts) {
    std::vector<std::string> out;
    for (const auto& w : lifts) {
        out.push_back(test::cFormat(
            "%s %.4f %.4f %.4f %.4f %.1f", w.name.c_str(), static_cast<double>(w.latDegrees),
            static_cast<double>(w.latMinutes), static_cast<double>(w.lonDegrees),
            static_cast<double>(w.lonMinutes), static_cast<double>(w.climb)));
    }
    return out;
}

TEST(LiftDatabase, AppendKeepsTheDatabasesCopyDropsSinkingAndForeignLinesAndRestoreUndoesIt) {
    LiftDir d;
    ScriptedUserInterface ui;
    ui.fileChoices.push_back({testData("lifts/download.lft")});
    ASSERT_TRUE(commandAppendLiftFile(d.settings, ui));
    EXPECT_EQ(readBytes(d.database), readBytes(testData("lifts/database~appended.lft")));
    EXPECT_EQ(readBytes(d.backup), readBytes(testData("lifts/database.lft")));
    EXPECT_EQ(ui.texts(),
              std::vector<std::string>{"Sicherungskopie erstellt, Aufwinddatei angehängt!"});
    EXPECT_EQ(ui.openedDocuments, std::vector<std::filesystem::path>{d.database});
    ASSERT_EQ(ui.fileRequests.size(), 1u);
    EXPECT_EQ(ui.fileRequests[0].title, "Aufwinddatei anhängen");
    EXPECT_EQ(ui.fileRequests[0].initialDir, d.settings.liftDir);

    // Twice: one backup generation, and restoring it again gives the same.
    for (int round = 0; round < 2; ++round) {
        ScriptedUserInterface restoring;
        ASSERT_TRUE(commandRestoreLiftDatabase(d.settings, restoring));
        EXPECT_EQ(readBytes(d.database), readBytes(testData("lifts/database.lft")));
        EXPECT_EQ(restoring.openedDocuments, std::vector<std::filesystem::path>{d.database});
        EXPECT_TRUE(restoring.messages.empty());
    }
}

// A fault in either file is found before the backup is refreshed: the only good copy of
// a damaged database is not spent on it.
TEST(LiftDatabase, AFaultyFileLeavesTheBackupAsItWas) {
    const std::string database = readBytes(testData("lifts/database.lft"));
    const std::string broken = "DE.XXX    N  50 14.03   broken\r\n";
    const std::pair<const char*, bool> cases[] = {{"the database", true}, {"the new file", false}};
    for (const auto& [what, inDatabase] : cases) {
        LiftDir d;
        writeBytes(d.backup, "the good backup\r\n");
        std::string damaged = database;
        damaged.insert(damaged.find("CH.NIE"), broken);
        writeBytes(inDatabase ? d.database : d.dir / "new.lft", damaged);
        ScriptedUserInterface ui;
        ui.fileChoices.push_back(
            {inDatabase ? testData("lifts/download.lft").string() : d.dir / "new.lft"});
        EXPECT_FALSE(commandAppendLiftFile(d.settings, ui)) << what;
        EXPECT_EQ(readBytes(d.backup), "the good backup\r\n") << what;
        EXPECT_EQ(readBytes(d.database), inDatabase ? damaged : database) << what;
        ASSERT_EQ(ui.messages.size(), 1u) << what;
        EXPECT_EQ(ui.messages[0].icon, Icon::Exclamation) << what;
    }
}

TEST(LiftDatabase, ChoosingTheDatabaseItselfChangesNothing) {
    LiftDir d;
    ScriptedUserInterface ui;
    ui.fileChoices.push_back({d.database});
    EXPECT_FALSE(commandAppendLiftFile(d.settings, ui));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text,
              "Sie haben die Aufwinddatenbank ausgewählt.\nBitte wählen Sie eine andere "
              "Aufwinddatei!");
    EXPECT_EQ(ui.messages[0].icon, Icon::Information);
    EXPECT_EQ(readBytes(d.database), readBytes(testData("lifts/database.lft")));
    EXPECT_EQ(d.fileCount(), 1u);
}

TEST(LiftDatabase, MissingFilesAreReportedAndNothingIsChanged) {
    LiftDir d;
    {
        ScriptedUserInterface ui;
        EXPECT_FALSE(commandRestoreLiftDatabase(d.settings, ui));
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].text, "Die Sicherungsdatei " + d.backup +
                                           "\nkonnte nicht geöffnet werden. Bitte Einstellungen "
                                           "Aufwindpfad korrigieren!");
        EXPECT_EQ(ui.messages[0].icon, Icon::Stop);
        EXPECT_EQ(readBytes(d.database), readBytes(testData("lifts/database.lft")));
    }
    {
        d.settings.liftDatabase = "Fehlt.lft";
        ScriptedUserInterface ui;
        ui.fileChoices.push_back({testData("lifts/download.lft")});
        EXPECT_FALSE(commandAppendLiftFile(d.settings, ui));
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].icon, Icon::Stop);
        EXPECT_TRUE(ui.openedDocuments.empty());
        EXPECT_EQ(d.fileCount(), 1u);
    }
}

TEST(LiftDatabase, BackupNameReplacesTheExtensionOrAppendsOne) {
    EXPECT_EQ(liftBackupPath("/d/Lifts.lft"), "/d/Lifts.bak");
    EXPECT_EQ(liftBackupPath("/d/Lifts"), "/d/Lifts.bak");
    EXPECT_EQ(liftBackupPath("/d.x/Lifts"), "/d.x/Lifts.bak");
}

TEST(CleanLifts, KeepsTheFirstOfEachGroupOfRepeatsAndDropsSinkingLifts) {
    struct Case {
        const char* what;
        WaypointList lifts;
        std::vector<std::size_t> kept; // indexes into lifts
    };
    Waypoint a = lift("DE.BOP", 50, 14.03f, 8, 30.89f);
    Waypoint southern = a;
    southern.latHemisphere = 'S';
    southern.climb = 2.0f;
    const std::vector<Case> cases = {
        {"three identical in a row", {a, a, a}, {0}},
        {"hemispheres do not count", {a, southern}, {0}},
        {"a minute 0.001 apart is another lift",
         {lift("X", 46, 10.0f, 7, 5.0f), lift("X", 46, 10.001f, 7, 5.0f),
          lift("X", 46, 10.0f, 7, 12.0f), lift("X", 46, 10.0f, 7, 12.001f)},
         {0, 1, 2, 3}},
        {"less than 0.001 apart repeats",
         {lift("X", 46, 10.0f, 7, 5.0f), lift("X", 46, 10.0009f, 7, 5.0009f)},
         {0}},
        {"the identifier counts byte for byte",
         {lift("X", 46, 10, 7, 5), lift("X ", 46, 10, 7, 5), lift("x", 46, 10, 7, 5)},
         {0, 1, 2}},
        {"other degrees",
         {lift("X", 46, 10, 7, 5), lift("X", 47, 10, 7, 5), lift("X", 46, 10, 8, 5)},
         {0, 1, 2}},
        {"sinking lifts go, a climb of 0 stays",
         {lift("A", 1, 0, 1, 0, -0.1f), lift("B", 1, 0, 1, 0, -2.0f), lift("C", 1, 0, 1, 0, 0.0f)},
         {2}},
        {"a removed repeat does not remove in turn",
         {lift("X", 46, 10.0f, 7, 5), lift("X", 46, 10.0007f, 7, 5), lift("X", 46, 10.0014f, 7, 5)},
         {0, 2}},
    };
    for (const auto& c : cases) {
        ScriptedUserInterface ui;
        CWaypointConverter converter(ui, 1596);
        converter.zvWaypoints = c.lifts;
        EXPECT_TRUE(cleanLifts(converter)) << c.what;
        WaypointList expected;
        for (const std::size_t i : c.kept) {
            expected.push_back(c.lifts[i]);
        }
        EXPECT_EQ(identities(converter.zvWaypoints), identities(expected)) << c.what;
        EXPECT_EQ(converter.zvWaypoints.size(), expected.size()) << c.what;
        if (!expected.empty()) {
            EXPECT_EQ(converter.zvWaypoints[0].latHemisphere, expected[0].latHemisphere) << c.what;
        }
    }
}

TEST(CleanLifts, AnEmptyListIsReported) {
    ScriptedUserInterface ui;
    CWaypointConverter converter(ui, 1596);
    EXPECT_FALSE(cleanLifts(converter));
    EXPECT_EQ(ui.texts(), std::vector<std::string>{"Keine Lifts gefunden"});
}

// The bucketed clean-up must leave exactly what the pairwise one leaves, also with
// chains of near repeats, cell borders and values that are not numbers.
TEST(CleanLifts, MatchesThePairwiseProcedureOnRandomLists) {
    std::mt19937 random(20261207);
    const std::vector<std::string> names = {"DE.BOP", "CH.NIE", "L01   "};
    for (int round = 0; round < 300; ++round) {
        std::uniform_int_distribution<int> size(0, 120);
        std::uniform_int_distribution<int> pick(0, 2);
        std::uniform_int_distribution<int> step(-6, 6);
        std::uniform_int_distribution<int> rare(0, 40);
        WaypointList lifts;
        const int count = size(random) + 1;
        for (int i = 0; i < count; ++i) {
            // Minutes on a grid of 0.0004 around a few bases (cell borders, the end of the
            // minutes, values where floats are further apart than the tolerance): many
            // near repeats.
            const auto minutes = [&] {
                static const float bases[] = {0.016f, 59.996f, -0.008f, 32768.0f, 65536.0f, 1e7f};
                return bases[static_cast<std::size_t>(pick(random) * 2 + pick(random) % 2)] +
                       0.0004f * static_cast<float>(step(random));
            };
            Waypoint w = lift(names[static_cast<std::size_t>(pick(random))],
                              static_cast<float>(46 + pick(random) / 2), minutes(),
                              static_cast<float>(7 + pick(random) / 2), minutes(),
                              static_cast<float>(step(random)) / 4);
            if (rare(random) == 0) {
                w.latMinutes = std::numeric_limits<float>::quiet_NaN();
            } else if (rare(random) == 0) {
                w.lonMinutes = 3e30f;
            } else if (rare(random) == 0) {
                w.lonMinutes = -std::numeric_limits<float>::infinity();
            }
            w.altitude = i; // which lift it is
            lifts.push_back(w);
        }
        ScriptedUserInterface ui;
        CWaypointConverter converter(ui, 1596);
        converter.zvWaypoints = lifts;
        ASSERT_TRUE(cleanLifts(converter));
        const auto order = [](const WaypointList& list) {
            std::vector<std::int32_t> numbers;
            for (const auto& w : list) {
                numbers.push_back(w.altitude);
            }
            return numbers;
        };
        ASSERT_EQ(order(converter.zvWaypoints), order(cleanedPairwise(lifts))) << "round " << round;
    }
}

// A disk that fails at any write: the append fails and the database is as it was.
TEST(LiftDatabase, AFailedWriteLeavesTheDatabaseAsItWas) {
    for (long n = 1;; ++n) {
        LiftDir d;
        writeBytes(d.backup, "the backup before\r\n");
        ScriptedUserInterface ui;
        CWaypointConverter converter(ui, 1596);
        injectWriteFault(n);
        const bool appended =
            appendLiftFile(converter, d.database, testData("lifts/download.lft").string());
        injectWriteFault(0);
        if (appended) {
            EXPECT_EQ(readBytes(d.database), readBytes(testData("lifts/database~appended.lft")));
            EXPECT_GT(n, 2);
            break;
        }
        EXPECT_EQ(readBytes(d.database), readBytes(testData("lifts/database.lft"))) << n;
        const std::string backup = readBytes(d.backup);
        EXPECT_TRUE(backup == "the backup before\r\n" ||
                    backup == readBytes(testData("lifts/database.lft")))
            << n;
        ASSERT_EQ(ui.messages.size(), 1u) << n;
        EXPECT_EQ(ui.messages[0].icon, Icon::Stop) << n;
        EXPECT_EQ(d.fileCount(), 2u) << "no temporary file stays behind, " << n;
        ASSERT_LT(n, 10000);
    }
}

} // namespace
} // namespace zv
