#include "formats/text_file.h"
#include "formats/waypoint_converter.h"
#include "support/scripted_user_interface.h"
#include "support/test_files.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <vector>

namespace zv {
namespace {

const std::string headerLines = "\r\n;   KARVELON VUVEZ * ZIRROVA No.  1596\r\n\r\n"
                                ";------------------------- WAYPOINTS -----------------------------"
                                "\r\n\r\n;***NAME***   ID   SIGN    LATITUDE       LONGITUDE       "
                                "ALTITUDE\r\n\r\n";

std::string zvFile(const std::vector<std::string>& lines) {
    std::string content = headerLines;
    for (const auto& line : lines) {
        content += line + "\r\n";
    }
    return content + "\r\n@EOF";
}

struct ZvRead {
    test::ScriptedUserInterface ui;
    CWaypointConverter converter{ui, 1596};
    bool ok = false;

    explicit ZvRead(const std::string& content) {
        TextReader reader = TextReader::fromContent(content);
        ok = converter.readZvWaypoints(reader, "C:/wp/test.wpt");
    }
    const WaypointList& points() const { return converter.zvWaypoints; }
};

const char* const rowMessage = "Zeile in Datei C:/wp/test.wpt konnte nicht\n"
                               "richtig interpretiert werden. Bitte überprüfen!";

TEST(ZvWaypointFile, ExampleFileBecomesTheOziExplorerReference) {
    test::ScriptedUserInterface ui;
    test::TempDir dir;
    CWaypointConverter converter(ui, 1596);
    ASSERT_TRUE(converter.readZvWaypointFile(test::testData("formats/example_zv.wpt").string()));
    ASSERT_TRUE(converter.writeOziWaypointFile(dir / "out.wpt", false));
    EXPECT_EQ(test::readBytes(dir / "out.wpt"),
              test::readBytes(test::testData("formats/example_zv~ozi.wpt")));
    EXPECT_TRUE(ui.messages.empty());
}

TEST(ZvWaypointFile, RowFieldsWithAndWithoutSeconds) {
    ZvRead read(zvFile({
        "WP1           DE   TPT     N  47 12.50    E  11 03.20      1200 m ",
        "WP2           DE   +       N  47 12 30.0  E  11 03 12.0     900 m",
        "SOUTH         AR   X       S  33 30.00    W  70 15.00        15 ft",
        "ODD           XX   Q       W   1 30.00    N   2 30.00         0 m",
    }));
    ASSERT_TRUE(read.ok);
    ASSERT_EQ(read.points().size(), 4u);

    const Waypoint& wp1 = read.points()[0];
    EXPECT_EQ(wp1.name, "WP1           ");
    EXPECT_EQ(wp1.symbol, 7);
    EXPECT_EQ(wp1.fgColour, 0);
    EXPECT_EQ(wp1.bgColour, 65535);
    EXPECT_FLOAT_EQ(wp1.latDecimal, 47.20833f);
    EXPECT_FLOAT_EQ(wp1.lonDecimal, 11.05333f);

    const Waypoint& wp2 = read.points()[1];
    EXPECT_EQ(wp2.latDecimal, static_cast<float>(47 + 12 / 60.0L + 30 / 3600.0L));
    EXPECT_EQ(wp2.lonDecimal, static_cast<float>(11 + 3 / 60.0L + 12 / 3600.0L));
    EXPECT_EQ(wp2.latMinutes, 12.0f);
    EXPECT_EQ(wp2.latSeconds, 30.0f);

    const Waypoint& south = read.points()[2];
    EXPECT_FLOAT_EQ(south.latDecimal, -33.5f);
    EXPECT_FLOAT_EQ(south.lonDecimal, -70.25f);
    EXPECT_EQ(south.unit, "ft");

    // Only "S" and "W" negate; an unknown SIGN gets the symbol of "o".
    const Waypoint& odd = read.points()[3];
    EXPECT_FLOAT_EQ(odd.latDecimal, 1.5f);
    EXPECT_FLOAT_EQ(odd.lonDecimal, 2.5f);
    EXPECT_EQ(odd.symbol, 0);
    EXPECT_EQ(odd.bgColour, 65280);
}

TEST(ZvWaypointFile, NamesOfTheWholeNameSetAreReadWhole) {
    const std::vector<std::string> names = {
        "M\xE4rchenwiese", // lower-case umlaut
        "Stra\xDF"
        "e", // sharp s
        "\xDC"
        "BER \xD6"
        "D \xC4"
        "CKER",
        "az_-./!\xB0>:09",
        "Gr\xFCn \xF6"
        "d",
    };
    for (std::string name : names) {
        name.resize(14, ' '); // the name column
        ZvRead read(zvFile({name + "DE   +       N  47 12.50    E  11 03.20      1200 m"}));
        ASSERT_TRUE(read.ok) << name;
        ASSERT_EQ(read.points().size(), 1u);
        EXPECT_EQ(read.points()[0].name, name);
        EXPECT_EQ(read.points()[0].id, "DE");
        EXPECT_FLOAT_EQ(read.points()[0].latDecimal, 47.20833f);
    }
}

TEST(ZvWaypointFile, TokensLongerThanTheirFieldRefuseTheRow) {
    struct Case {
        const char* row;
        bool accepted;
    };
    const Case cases[] = {
        {"LONGEST-ID    DE   TPTXYZ  N  47 12.50    E  11 03.20      1200 kmh", true},
        {"TOO-LONG-ID   DEU  +       N  47 12.50    E  11 03.20      1200 m", false},
        {"TOO-LONG-SIGN DE   TPTXYZW N  47 12.50    E  11 03.20      1200 m", false},
        {"TOO-LONG-UNIT DE   +       N  47 12.50    E  11 03.20      1200 mtrs", false},
        // A name beyond 14 characters runs into the ID column and the row fails.
        {"FIFTEEN-LETTERS DE +       N  47 12.50    E  11 03.20      1200 m", false},
        {"BAD(NAME)     DE   +       N  47 12.50    E  11 03.20      1200 m", false},
        {"CAF\xC9          DE   +       N  47 12.50    E  11 03.20      1200 m", false},
        {"NO-UNIT       DE   +       N  47 12.50    E  11 03.20      1200", false},
        {"BIG-ALT       DE   +       N  47 12.50    E  11 03.20 99999999999 m", false},
    };
    for (const auto& c : cases) {
        ZvRead read(
            zvFile({"BEFORE        DE   +       N  47 12.50    E  11 03.20      1200 m", c.row}));
        EXPECT_EQ(read.ok, c.accepted) << c.row;
        EXPECT_EQ(read.points().size(), c.accepted ? 2u : 1u) << c.row;
        if (c.accepted) {
            EXPECT_TRUE(read.ui.messages.empty());
            EXPECT_EQ(read.points()[1].sign, "TPTXYZ");
            EXPECT_EQ(read.points()[1].unit, "kmh");
        } else {
            ASSERT_EQ(read.ui.messages.size(), 1u) << c.row;
            EXPECT_EQ(read.ui.messages[0].text, rowMessage);
            EXPECT_EQ(read.ui.messages[0].icon, Icon::Exclamation);
        }
    }
}

TEST(ZvWaypointFile, CommentsSkippedLinesAndEndMarker) {
    ZvRead read(zvFile({
        "; first note",
        "; second note wins",
        "A             DE   +       N  47 12.50    E  11 03.20      1200 m",
        "   indented lines are skipped",
        "xy",
        "B             DE   +       N  47 12.50    E  11 03.20      1200 m",
        "; note before the end is dropped",
        "text @EOF text",
        "C             DE   +       N  47 12.50    E  11 03.20      1200 m",
        "not a row at all",
    }));
    ASSERT_TRUE(read.ok);
    ASSERT_EQ(read.points().size(), 2u);
    EXPECT_EQ(read.points()[0].comment, "; second note wins");
    EXPECT_EQ(read.points()[1].comment, "");
    EXPECT_TRUE(read.ui.messages.empty());

    // Without "@EOF" the file is read to its end.
    ZvRead noEnd(headerLines + "A             DE   +       N  47 12.50    E  11 03.20      1200 m");
    EXPECT_TRUE(noEnd.ok);
    EXPECT_EQ(noEnd.points().size(), 1u);
}

TEST(ZvWaypointFile, HeaderOnLineTwoOnly) {
    const std::vector<std::string> rejected = {
        headerLines.substr(2), // no leading empty line
        "\r\n\r\n" + headerLines.substr(2),
        "",
        "\r\n",
    };
    for (const auto& content : rejected) {
        ZvRead read(content);
        EXPECT_FALSE(read.ok);
        EXPECT_TRUE(read.converter.zvFileOpened);
        EXPECT_TRUE(read.points().empty());
        ASSERT_EQ(read.ui.messages.size(), 1u);
        EXPECT_EQ(read.ui.messages[0].text,
                  "Format der Datei C:/wp/test.wpt unzulässig?\nBitte überprüfen!");
        EXPECT_EQ(read.ui.messages[0].icon, Icon::Exclamation);
    }
    // The header mark anywhere on line 2 is enough; a file of header lines only is empty.
    ZvRead minimal("x\r\nnote ;   KARVELON VUVEZ\r\n");
    EXPECT_TRUE(minimal.ok);
    EXPECT_TRUE(minimal.points().empty());
}

TEST(ZvWaypointFile, MissingFileIsReportedNotRead) {
    test::ScriptedUserInterface ui;
    test::TempDir dir;
    CWaypointConverter converter(ui, 1596);
    EXPECT_FALSE(converter.readZvWaypointFile(dir / "missing.wpt"));
    EXPECT_FALSE(converter.zvFileOpened);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].icon, Icon::Stop);
}

Waypoint takeoffSource(const std::string& name) {
    Waypoint point;
    point.name = name;
    point.id = "ES";
    point.sign = "   +  ";
    point.latHemisphere = 'N';
    point.latDegrees = 36;
    point.latMinutes = 49.43f;
    point.lonHemisphere = 'W';
    point.lonDegrees = 2;
    point.lonMinutes = 34.21f;
    point.altitude = 350;
    point.unit = "m";
    point.comment = "; not written to takeoff files";
    return point;
}

TEST(TakeoffFile, SitesAreWrittenWithIdStAndSignO) {
    test::ScriptedUserInterface ui;
    test::TempDir dir;
    CWaypointConverter converter(ui, 42);
    converter.oziWaypoints.push_back(takeoffSource("AGUADULCE-S"));
    ASSERT_TRUE(converter.writeTakeoffFile(dir / "sites.tof"));
    EXPECT_EQ(test::readBytes(dir / "sites.tof"),
              "\r\n;   KARVELON VUVEZ * ZIRROVA No.    42\r\n\r\n"
              ";------------------------- TAKEOFF LOCATION ----------------------\r\n\r\n"
              ";***NAME***   ID   SIGN    LATITUDE       LONGITUDE       ALTITUDE\r\n\r\n"
              "AGUADULCE-S   ST   o       N  36 49.43    W   2 34.21       350 m \r\n"
              "\r\n@EOF\r\n");
    EXPECT_TRUE(ui.messages.empty());
}

TEST(TakeoffFile, ElevenSitesAreAllWrittenThenWarned) {
    test::ScriptedUserInterface ui;
    test::TempDir dir;
    CWaypointConverter converter(ui, 1596);
    for (int i = 0; i < 11; ++i) {
        converter.oziWaypoints.push_back(takeoffSource("SITE" + std::to_string(i)));
    }
    const std::string path = dir / "many.tof";
    ASSERT_TRUE(converter.writeTakeoffFile(path));
    test::ScriptedUserInterface reader;
    CWaypointConverter check(reader, 1596);
    ASSERT_TRUE(check.readZvWaypointFile(path));
    EXPECT_EQ(check.zvWaypoints.size(), 11u);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text,
              "Die Datei " + path +
                  "\nenthält mehr als 10 Startplätze.\nWenn Sie die Daten zum Zirrova übertragen "
                  "wollen,\nmüssen Sie einige Zeilen löschen!");
    EXPECT_EQ(ui.messages[0].icon, Icon::Information);
}

// Every write operation of every writer may fail: the writer then reports failure and
// leaves no file behind.
TEST(WaypointWriters, EveryWriteFaultIsAFailureAndLeavesNoFile) {
    enum Writer { Zv, Takeoff, Ozi, OziClimb };
    for (Writer writer : {Zv, Takeoff, Ozi, OziClimb}) {
        for (long fault = 1;; ++fault) {
            test::ScriptedUserInterface ui;
            test::TempDir dir;
            CWaypointConverter converter(ui, 1596);
            converter.oziWaypoints = {takeoffSource("A"), takeoffSource("B")};
            converter.zvWaypoints = converter.oziWaypoints;
            const std::string path = dir / "out.wpt";
            injectWriteFault(fault);
            bool ok = false;
            switch (writer) {
            case Zv:
                ok = converter.writeZvWaypointFile(path);
                break;
            case Takeoff:
                ok = converter.writeTakeoffFile(path);
                break;
            case Ozi:
            case OziClimb:
                ok = converter.writeOziWaypointFile(path, writer == OziClimb);
                break;
            }
            const long operations = countedWriteOperations();
            injectWriteFault(0);
            if (fault > operations) {
                EXPECT_TRUE(ok) << writer; // the fault was never reached
                break;
            }
            EXPECT_FALSE(ok) << writer << " fault " << fault;
            EXPECT_FALSE(std::filesystem::exists(path)) << writer << " fault " << fault;
            EXPECT_TRUE(std::filesystem::is_empty(dir.path())) << writer << " fault " << fault;
            EXPECT_EQ(ui.messages.size(), writer == Takeoff ? 1u : 0u);
        }
    }
}

TEST(WaypointWriters, FileThatCannotBeCreated) {
    test::ScriptedUserInterface ui;
    test::TempDir dir;
    CWaypointConverter converter(ui, 1596);
    const std::string path = dir / "no/such/dir/out.wpt";
    EXPECT_FALSE(converter.writeZvWaypointFile(path));
    EXPECT_FALSE(converter.writeOziWaypointFile(path, false));
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_FALSE(converter.writeTakeoffFile(path));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Die Datei " + path + "\nkonnte nicht geöffnet werden!");
    EXPECT_EQ(ui.messages[0].icon, Icon::Information);
}

} // namespace
} // namespace zv
