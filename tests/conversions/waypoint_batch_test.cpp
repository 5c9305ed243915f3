#include "base/app_settings.h"
#include "conversions/waypoint_batch.h"
#include "formats/text_file.h"
#include "support/scripted_user_interface.h"
#include "support/test_files.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace zv {
namespace {

namespace fs = std::filesystem;

struct BatchDirs {
    test::TempDir root;
    AppSettings settings;

    BatchDirs() {
        fs::create_directory(root.path() / "zv");
        fs::create_directory(root.path() / "ozi");
        settings.waypointDir = root / "zv";
        settings.oziDir = root / "ozi";
        settings.serialNumber = 1596;
    }
    std::string zv(const std::string& name) const { return settings.waypointDir + "/" + name; }
    std::string ozi(const std::string& name) const { return settings.oziDir + "/" + name; }
};

std::string example(const std::string& name) {
    return test::readBytes(test::testData("formats/" + name));
}

TEST(WaypointBatch, BothDirectionsConvertOpenAndReport) {
    for (const bool zvToOzi : {true, false}) {
        BatchDirs dirs;
        const std::string source = zvToOzi ? dirs.zv("Example.wpt") : dirs.ozi("Example.wpt");
        const std::string target = zvToOzi ? dirs.ozi("Example.wpt") : dirs.zv("Example.wpt");
        test::writeBytes(source, example(zvToOzi ? "example_zv.wpt" : "example_ozi.wpt"));
        test::ScriptedUserInterface ui;
        EXPECT_TRUE(zvToOzi ? commandZvToOzi(dirs.settings, ui)
                            : commandOziToZv(dirs.settings, ui));
        EXPECT_EQ(test::readBytes(target),
                  example(zvToOzi ? "example_zv~ozi.wpt" : "example_ozi~zv.wpt"));
        EXPECT_EQ(ui.openedDocuments, std::vector<fs::path>{target});
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].text,
                  zvToOzi ? "Zv-Wegpunkte konvertiert!" : "Ozi-Wegpunkte konvertiert!");
        EXPECT_EQ(ui.messages[0].icon, Icon::Information);
        EXPECT_EQ(ui.maxWaitDepth, 1);
        EXPECT_EQ(ui.waitDepth, 0);
    }
}

TEST(WaypointBatch, SameDirectoryForBothWritesNothing) {
    BatchDirs dirs;
    dirs.settings.oziDir = dirs.settings.waypointDir;
    const std::string original = example("example_zv.wpt");
    test::writeBytes(dirs.zv("Example.wpt"), original);
    test::ScriptedUserInterface ui;
    EXPECT_TRUE(commandZvToOzi(dirs.settings, ui));
    EXPECT_EQ(test::readBytes(dirs.zv("Example.wpt")), original);
    EXPECT_TRUE(ui.openedDocuments.empty());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text,
              "Wenn Sie Zv-Wegpunkte konvertieren möchten,\nsollten Sie die entsprechenden "
              "Ozi-Dateien zuerst löschen.\nVorschlag: Benutzen, Sie dazu das Menue "
              "Datei-Öffnen-Ozi Wegpunkte.\n");
    EXPECT_EQ(ui.messages[0].icon, Icon::Information);

    test::ScriptedUserInterface back;
    EXPECT_TRUE(commandOziToZv(dirs.settings, back));
    EXPECT_EQ(back.texts(),
              std::vector<std::string>{
                  "Wenn Sie Ozi-Wegpunkte konvertieren möchten,\nsollten Sie die entsprechenden "
                  "Zv-Dateien zuerst löschen.\nVorschlag: Benutzen, Sie dazu das Menue "
                  "Datei-Öffnen-Zv Wegpunkte.\n"});
}

TEST(WaypointBatch, SecondOfThreeFaultyStopsAndIsOpened) {
    BatchDirs dirs;
    std::string faulty = example("example_zv.wpt");
    faulty.replace(faulty.find("N  36 48.84"), 1, "?");
    faulty.replace(faulty.find("36 48.84"), 2, "xx");
    test::writeBytes(dirs.zv("a.wpt"), example("example_zv.wpt"));
    test::writeBytes(dirs.zv("b.wpt"), faulty);
    test::writeBytes(dirs.zv("c.wpt"), example("example_zv.wpt"));
    test::ScriptedUserInterface ui;
    EXPECT_FALSE(commandZvToOzi(dirs.settings, ui));
    EXPECT_EQ(test::readBytes(dirs.ozi("a.wpt")), example("example_zv~ozi.wpt"));
    EXPECT_FALSE(fs::exists(dirs.ozi("b.wpt")));
    EXPECT_FALSE(fs::exists(dirs.ozi("c.wpt")));
    EXPECT_EQ(ui.openedDocuments, std::vector<fs::path>{dirs.zv("b.wpt")});
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[0].text, "Zeile in Datei " + dirs.zv("b.wpt") +
                                       " konnte nicht\nrichtig interpretiert werden. Bitte "
                                       "überprüfen!");
    EXPECT_EQ(ui.messages[1].text, "Suchen Sie den Fehler in der Zv-Wegpunktedatei\n");
    EXPECT_EQ(ui.messages[1].icon, Icon::Exclamation);

    // The next run skips what was written and stops at the same file.
    test::ScriptedUserInterface again;
    EXPECT_FALSE(commandZvToOzi(dirs.settings, again));
    EXPECT_EQ(again.openedDocuments, std::vector<fs::path>{dirs.zv("b.wpt")});
}

TEST(WaypointBatch, OziHeaderFaultOpensTheSource) {
    BatchDirs dirs;
    test::writeBytes(dirs.ozi("bad.wpt"), example("example_zv.wpt")); // not an OziExplorer file
    test::ScriptedUserInterface ui;
    EXPECT_FALSE(commandOziToZv(dirs.settings, ui));
    EXPECT_EQ(ui.openedDocuments, std::vector<fs::path>{dirs.ozi("bad.wpt")});
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[0].icon, Icon::Question);
    EXPECT_EQ(ui.messages[1].text, "Suchen Sie den Fehler in der Ozi-Wegpunktedatei\n");
    EXPECT_FALSE(fs::exists(dirs.zv("bad.wpt")));
}

TEST(WaypointBatch, NoSourceFiles) {
    for (const bool missingDir : {false, true}) {
        BatchDirs dirs;
        test::writeBytes(dirs.zv("notes.txt"), "x");
        test::writeBytes(dirs.zv("x.wptx"), "x");
        fs::create_directory(dirs.zv("folder.wpt"));
        if (missingDir) {
            dirs.settings.waypointDir += "/missing";
            dirs.settings.oziDir += "/missing";
        }
        test::ScriptedUserInterface ui;
        EXPECT_FALSE(commandZvToOzi(dirs.settings, ui));
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].text,
                  "Keine Zv-Wegpunkte Datei vorhanden oder\nfalsche Pfadangabe in Einstellungen?");
        EXPECT_EQ(ui.messages[0].icon, Icon::Question);
        EXPECT_TRUE(ui.openedDocuments.empty());

        test::ScriptedUserInterface back;
        EXPECT_FALSE(commandOziToZv(dirs.settings, back));
        EXPECT_EQ(back.texts(), std::vector<std::string>{"Keine Ozi-Wegpunkte Datei vorhanden "
                                                         "oder\nfalsche Pfadangabe in "
                                                         "Einstellungen?"});
    }
}

TEST(WaypointBatch, ExtensionInAnyCaseAndSortedOrder) {
    BatchDirs dirs;
    for (const char* name : {"c.wpt", "B.WPT", "a.Wpt", ".wpt"}) {
        test::writeBytes(dirs.zv(name), example("example_zv.wpt"));
    }
    EXPECT_EQ(listWaypointFiles(dirs.settings.waypointDir),
              (std::vector<std::string>{".wpt", "B.WPT", "a.Wpt", "c.wpt"}));
    test::ScriptedUserInterface ui;
    CWaypointBatch batch(ui, 1596);
    EXPECT_TRUE(batch.convertZvToOzi(dirs.settings.waypointDir, dirs.settings.oziDir));
    EXPECT_EQ(batch.writtenFiles,
              (std::vector<std::filesystem::path>{dirs.ozi(".wpt"), dirs.ozi("B.WPT"),
                                                  dirs.ozi("a.Wpt"), dirs.ozi("c.wpt")}));
}

TEST(WaypointBatch, ExistingTargetsAreNeverReplaced) {
    BatchDirs dirs;
    for (const char* name : {"file.wpt", "folder.wpt", "link.wpt", "new.wpt"}) {
        test::writeBytes(dirs.zv(name), example("example_zv.wpt"));
    }
    test::writeBytes(dirs.ozi("file.wpt"), "mine");
    fs::create_directory(dirs.ozi("folder.wpt")); // exists, cannot be read as a file
    fs::create_symlink(dirs.ozi("nowhere"), dirs.ozi("link.wpt")); // dangling link
    test::ScriptedUserInterface ui;
    CWaypointBatch batch(ui, 1596);
    EXPECT_TRUE(batch.convertZvToOzi(dirs.settings.waypointDir, dirs.settings.oziDir));
    EXPECT_EQ(batch.writtenFiles, std::vector<std::filesystem::path>{dirs.ozi("new.wpt")});
    EXPECT_EQ(test::readBytes(dirs.ozi("file.wpt")), "mine");
    EXPECT_TRUE(fs::is_symlink(dirs.ozi("link.wpt")));
    EXPECT_FALSE(fs::exists(dirs.ozi("nowhere")));
    EXPECT_TRUE(ui.messages.empty());
}

TEST(WaypointBatch, WriteFailureIsReportedAndLeavesNoTarget) {
    struct Case {
        bool zvToOzi;
        const char* text;
    };
    for (const Case c : {Case{true, "Ozi-Datei "}, Case{false, "Zv-Datei "}}) {
        BatchDirs dirs;
        test::writeBytes(dirs.zv("a.wpt"), example("example_zv.wpt"));
        test::writeBytes(dirs.ozi("a.wpt"), example("example_ozi.wpt"));
        fs::remove(c.zvToOzi ? dirs.ozi("a.wpt") : dirs.zv("a.wpt"));
        const std::string target = c.zvToOzi ? dirs.ozi("a.wpt") : dirs.zv("a.wpt");
        test::ScriptedUserInterface ui;
        injectWriteFault(2);
        const bool ok =
            c.zvToOzi ? commandZvToOzi(dirs.settings, ui) : commandOziToZv(dirs.settings, ui);
        injectWriteFault(0);
        EXPECT_FALSE(ok);
        EXPECT_FALSE(fs::exists(target));
        EXPECT_TRUE(ui.openedDocuments.empty());
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].text, std::string(c.text) + target +
                                           " konnte\nnicht geschrieben werden! Pfadangabe OK?");
        EXPECT_EQ(ui.messages[0].icon, Icon::Question);
    }
}

} // namespace
} // namespace zv
