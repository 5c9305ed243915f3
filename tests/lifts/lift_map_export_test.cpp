#include "base/app_settings.h"
#include "lifts/lift_map_export.h"
#include "support/scripted_user_interface.h"
#include "support/test_files.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace zv {
namespace {

using test::readBytes;
using test::ScriptedUserInterface;
using test::TempDir;
using test::testData;
using test::writeBytes;

const std::string success = "Lift-Datei in Ozi-Wegunkte konvertiert.\nStarten Sie den "
                            "OziExplorer,\num sich die Aufwinde\nLift.wpt auf der Karte anzusehen.";

struct MapDirs {
    TempDir dir;
    AppSettings settings;

    MapDirs() {
        settings.oziDir = dir.path().string();
        settings.liftDir = dir.path().string();
        settings.serialNumber = 1596;
    }
};

// Names from wind, colours from the climb classes 0.0, 1.0, 5.0, 5.1, the degree sign as
// the byte B0, southern and western positions negative.
TEST(LiftMapExport, WritesLiftWptWithNamesAndClimbColours) {
    MapDirs d;
    writeBytes(d.dir / "Lift.wpt", "an earlier map\r\n");
    ScriptedUserInterface ui;
    ui.fileChoices.push_back({testData("lifts/climbs.lft")});
    ASSERT_TRUE(commandLiftsToWpt(d.settings, ui));
    EXPECT_EQ(readBytes(d.dir / "Lift.wpt"), readBytes(testData("lifts/climbs~map.wpt")));
    EXPECT_EQ(ui.openedDocuments, std::vector<std::filesystem::path>{d.dir / "Lift.wpt"});
    EXPECT_EQ(ui.texts(), std::vector<std::string>{success});
    ASSERT_EQ(ui.fileRequests.size(), 1u);
    EXPECT_EQ(ui.fileRequests[0].title, "Aufwind-Datei öffnen");
}

TEST(LiftMapExport, AFaultyLineOpensTheLiftFileAndWritesNoMap) {
    MapDirs d;
    std::string lifts = readBytes(testData("lifts/climbs.lft"));
    lifts.insert(lifts.find("L00"),
                 "*BAD      N  46 00.00   E   7 00.00    1000 m     0.0 m/s     005     7 kmh\r\n");
    const std::string source = d.dir / "bad.lft";
    writeBytes(source, lifts);
    ScriptedUserInterface ui;
    ui.fileChoices.push_back({source});
    EXPECT_FALSE(commandLiftsToWpt(d.settings, ui));
    EXPECT_EQ(ui.openedDocuments, std::vector<std::filesystem::path>{source});
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].icon, Icon::Exclamation);
    EXPECT_FALSE(std::filesystem::exists(d.dir / "Lift.wpt"));
}

TEST(LiftMapExport, LiftWptThatCannotBeCreatedIsAFailureWithoutSuccessMessage) {
    MapDirs d;
    d.settings.oziDir = d.dir / "missing";
    ScriptedUserInterface ui;
    ui.fileChoices.push_back({testData("lifts/climbs.lft")});
    EXPECT_FALSE(commandLiftsToWpt(d.settings, ui));
    EXPECT_TRUE(ui.openedDocuments.empty());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].icon, Icon::Stop);
    EXPECT_NE(ui.messages[0].text, success);
}

} // namespace
} // namespace zv
