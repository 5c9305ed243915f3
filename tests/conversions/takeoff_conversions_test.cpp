#include "base/app_settings.h"
#include "conversions/takeoff_conversions.h"
#include "formats/text_file.h"
#include "support/c_format.h"
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

struct TakeoffDirs {
    TempDir dir;
    AppSettings settings;

    TakeoffDirs() {
        std::filesystem::create_directory(dir.path() / "Ozi");
        std::filesystem::create_directory(dir.path() / "Tof");
        settings.oziDir = dir / "Ozi";
        settings.takeoffDir = dir / "Tof";
        settings.serialNumber = 1596;
    }
};

// An OziExplorer file of `count` takeoff sites.
std::string oziSites(int count) {
    std::string text =
        "OziExplorer Waypoint File Version 1.0\r\nWGS 84\r\nReserved 2\r\nReserved 3\r\n";
    for (int i = 1; i <= count; ++i) {
        text +=
            test::cFormat("%4i,SITE%02i        ,  46.%06i,   7.500000,33604.00000, 0, 1, 4,   "
                          "8388608,     65280,ST %4i m                               , 0, 0,    "
                          "0, -777\r\n",
                          i, i, i * 10000, 1000 + i);
    }
    return text;
}

std::size_t countLines(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

TEST(TakeoffConversions, TwelveSitesAreWrittenWithTheWarning) {
    TakeoffDirs d;
    const std::string source = d.dir / "Ozi/Alpen.wpt";
    writeBytes(source, oziSites(12));
    ScriptedUserInterface ui;
    ui.fileChoices.push_back({source});
    ASSERT_TRUE(commandOziToTakeoff(d.settings, ui));
    const std::string target = d.dir / "Tof/Alpen.tof";
    const std::string written = readBytes(target);
    EXPECT_EQ(countLines(written, "   ST   o       N  46 "), 12u);
    EXPECT_NE(written.find("SITE12        ST   o       N  46 07.20    E   7 30.00      1012 m"),
              std::string::npos);
    EXPECT_EQ(ui.openedDocuments, std::vector<std::filesystem::path>{target});
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Die Datei " + target +
                                       "\nenthält mehr als 10 Startplätze.\nWenn Sie die Daten "
                                       "zum Zirrova übertragen wollen,\nmüssen Sie einige Zeilen "
                                       "löschen!");
    ASSERT_EQ(ui.fileRequests.size(), 1u);
    EXPECT_EQ(ui.fileRequests[0].title, "Ozi-Wegunkte-Datei öffen");
    EXPECT_EQ(ui.fileRequests[0].initialDir, d.settings.oziDir);
}

TEST(TakeoffConversions, NoToTheOverwriteQuestionLeavesTheTargetUntouched) {
    for (const bool oziToTakeoff : {true, false}) {
        TakeoffDirs d;
        const std::string source = oziToTakeoff ? d.dir / "Ozi/Alpen.wpt" : d.dir / "Tof/Alpen.tof";
        const std::string target = oziToTakeoff ? d.dir / "Tof/Alpen.tof" : d.dir / "Ozi/Alpen.wpt";
        writeBytes(source, oziToTakeoff ? oziSites(2) : readBytes(testData("lifts/takeoffs.tof")));
        writeBytes(target, "before\r\n");
        ScriptedUserInterface ui;
        ui.fileChoices.push_back({source});
        ui.answers.push_back(Answer::No);
        EXPECT_FALSE(oziToTakeoff ? commandOziToTakeoff(d.settings, ui)
                                  : commandTakeoffToOzi(d.settings, ui));
        EXPECT_EQ(readBytes(target), "before\r\n");
        EXPECT_TRUE(ui.openedDocuments.empty());
        EXPECT_EQ(ui.texts(), std::vector<std::string>{"Die Datei " + target +
                                                       "\nexistiert schon. Soll sie "
                                                       "überschrieben werden?"});
    }
}

TEST(TakeoffConversions, TakeoffSitesBecomeOziRowsWithTheColoursOfSignO) {
    TakeoffDirs d;
    const std::string source = d.dir / "Tof/Sites.tof";
    writeBytes(source, readBytes(testData("lifts/takeoffs.tof")));
    writeBytes(d.dir / "Ozi/Sites.wpt", "before\r\n");
    ScriptedUserInterface ui;
    ui.fileChoices.push_back({source});
    ui.answers.push_back(Answer::Yes);
    ASSERT_TRUE(commandTakeoffToOzi(d.settings, ui));
    const std::string target = d.dir / "Ozi/Sites.wpt";
    EXPECT_EQ(readBytes(target), readBytes(testData("lifts/takeoffs~ozi.wpt")));
    EXPECT_EQ(ui.openedDocuments, std::vector<std::filesystem::path>{target});
}

TEST(TakeoffConversions, AFaultyRowOpensTheSourceWithTheFaultText) {
    for (const bool oziToTakeoff : {true, false}) {
        TakeoffDirs d;
        const std::string source = oziToTakeoff ? d.dir / "Ozi/Bad.wpt" : d.dir / "Tof/Bad.tof";
        std::string content =
            oziToTakeoff ? oziSites(1) : readBytes(testData("lifts/takeoffs.tof"));
        content.insert(content.find(oziToTakeoff ? "   1," : "AGUADULCE"),
                       oziToTakeoff ? "   9,,garbage\r\n" : "GARBAGE ROW\r\n");
        writeBytes(source, content);
        ScriptedUserInterface ui;
        ui.fileChoices.push_back({source});
        EXPECT_FALSE(oziToTakeoff ? commandOziToTakeoff(d.settings, ui)
                                  : commandTakeoffToOzi(d.settings, ui));
        EXPECT_EQ(ui.openedDocuments, std::vector<std::filesystem::path>{source});
        ASSERT_EQ(ui.messages.size(), 2u);
        EXPECT_EQ(ui.messages[1].text, oziToTakeoff
                                           ? "Suchen Sie den Fehler in der Ozi-Wegpunktedatei\n"
                                           : "Suchen Sie den Fehler in der Startplatzdatei\n");
        EXPECT_EQ(ui.messages[1].icon, Icon::Exclamation);
        EXPECT_FALSE(
            std::filesystem::exists(oziToTakeoff ? d.dir / "Tof/Bad.tof" : d.dir / "Ozi/Bad.wpt"));
    }
}

TEST(TakeoffConversions, TheTargetTakesTheSourceNameWithItsExtensionReplaced) {
    EXPECT_EQ(convertedFilePath("/a/b.c/Alpen.wpt", "/t", "tof"), "/t/Alpen.tof");
    EXPECT_EQ(convertedFilePath("/a/Alpen", "/t", "lne"), "/t/Alpen.lne");
    EXPECT_EQ(convertedFilePath("/a/x.y.WPT", "/t", "lne"), "/t/x.y.lne");
}

} // namespace
} // namespace zv
