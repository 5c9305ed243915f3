#include "formats/text_file.h"
#include "formats/waypoint_converter.h"
#include "support/scripted_user_interface.h"
#include "support/test_files.h"

#include <gtest/gtest.h>
#include <vector>

namespace zv {
namespace {

const std::string oziHeader =
    "OziExplorer Waypoint File Version 1.0\r\nWGS 84\r\nReserved 2\r\nReserved 3\r\n";

// A row of the writer's form with the given name, latitude, symbol and description. The
// description ends with a blank, or a unit token would take the comma with it.
std::string oziRow(const std::string& name, const std::string& lat, const std::string& symbol,
                   const std::string& description) {
    return "   1," + name + "," + lat + ",  -2.570167,33604.00000," + symbol +
           ", 1, 4,          0,  16243391," + description + " , 0, 0,    0, -777";
}

std::string oziFile(const std::vector<std::string>& lines) {
    std::string content = oziHeader;
    for (const auto& line : lines) {
        content += line + "\r\n";
    }
    return content;
}

struct OziRead {
    test::ScriptedUserInterface ui;
    CWaypointConverter converter{ui, 1596};
    bool ok = false;

    explicit OziRead(const std::string& content) {
        TextReader reader = TextReader::fromContent(content);
        ok = converter.readOziWaypoints(reader, "/data/ozi.wpt");
    }
    const WaypointList& points() const { return converter.oziWaypoints; }
};

TEST(OziWaypointFile, ExampleFileBecomesTheInstrumentReference) {
    test::ScriptedUserInterface ui;
    test::TempDir dir;
    CWaypointConverter converter(ui, 1596);
    ASSERT_TRUE(converter.readOziWaypointFile(test::testData("formats/example_ozi.wpt").string()));
    ASSERT_EQ(converter.oziWaypoints.size(), 2u);
    const Waypoint& first = converter.oziWaypoints[0];
    EXPECT_EQ(first.name, "AGUADULCE-S   ");
    EXPECT_EQ(first.symbol, 14);
    EXPECT_EQ(first.sign, "   +  ");
    EXPECT_EQ(first.id, "ES");
    EXPECT_EQ(first.altitude, 350);
    EXPECT_EQ(first.unit, "m");
    EXPECT_EQ(first.fgColour, 0);
    EXPECT_EQ(first.bgColour, 16243391);
    const Waypoint& second = converter.oziWaypoints[1];
    EXPECT_EQ(second.symbol, 0);
    EXPECT_EQ(second.sign, "   o  ");
    EXPECT_EQ(second.altitude, 0);
    EXPECT_EQ(second.fgColour, 8388608);
    EXPECT_EQ(second.climb, 0.0f); // the pointer direction 1 is not taken for a climb

    ASSERT_TRUE(converter.writeZvWaypointFile(dir / "out.wpt"));
    EXPECT_EQ(test::readBytes(dir / "out.wpt"),
              test::readBytes(test::testData("formats/example_ozi~zv.wpt")));
    EXPECT_TRUE(ui.messages.empty());
}

TEST(OziWaypointFile, DescriptionForms) {
    OziRead read(oziFile({
        oziRow("LIFT", "  46.500000", "15", "DE 1234 m Steigwert  2.6 m/s           "),
        oziRow("PLAIN", "  46.500000", " 9", "AT  800 ft"),
        oziRow("NOUNIT", "  46.500000", " 3", "CH 1500"),
        oziRow("NOID", "  46.500000", "12", "  777 m"), // no ID: "777" is too long for it
    }));
    ASSERT_FALSE(read.ok);
    ASSERT_EQ(read.points().size(), 3u);
    EXPECT_EQ(read.points()[0].id, "DE");
    EXPECT_EQ(read.points()[0].altitude, 1234);
    EXPECT_EQ(read.points()[0].unit, "m");
    EXPECT_FLOAT_EQ(read.points()[0].climb, 2.6f);
    EXPECT_EQ(read.points()[0].climbUnit, "m/s");
    EXPECT_EQ(read.points()[0].sign, "   T  ");
    EXPECT_EQ(read.points()[1].unit, "ft");
    EXPECT_EQ(read.points()[1].sign, "   H  ");
    EXPECT_EQ(read.points()[1].climbUnit, "");
    EXPECT_EQ(read.points()[2].unit, "m");
    EXPECT_EQ(read.points()[2].altitude, 1500);
    EXPECT_EQ(read.points()[2].sign, "   o  ");
    ASSERT_EQ(read.ui.messages.size(), 1u);
    EXPECT_EQ(read.ui.messages[0].icon, Icon::Exclamation);
}

TEST(OziWaypointFile, NamesAndOverLongTokens) {
    struct Case {
        std::string name;
        std::string description;
        bool accepted;
        std::string storedName;
    };
    const std::vector<Case> cases = {
        {"M\xFCnchen-S\xFC"
         "d",
         "DE  520 m", true,
         "M\xFCnchen-S\xFC"
         "d"},
        {"A NAME OF TWENTY CHR", "DE  520 m", true, "A NAME OF TWEN"}, // cut to 14
        {"  PADDED  ", "DE  520 m", true, "PADDED  "},                 // leading blanks are skipped
        {"WITH,COMMA", "DE  520 m", false, ""},
        {"CAF\xC9", "DE  520 m", false, ""},
        {"PARENS(1)", "DE  520 m", false, ""},
        {"LONG-ID", "DEU  520 m", false, ""},
        {"LONG-UNIT", "DE  520 feet", false, ""},
        {"LONG-CLIMB", "DE  520 m Steigwert  1.0 km/h", false, ""},
        {"TEXT-ONLY", "Gipfelkreuz am Grat", false, ""},
    };
    for (const auto& c : cases) {
        OziRead read(oziFile({oziRow(c.name, "  46.500000", "14", c.description)}));
        EXPECT_EQ(read.ok, c.accepted) << c.name;
        EXPECT_TRUE(read.converter.oziFileOpened) << c.name;
        if (c.accepted) {
            ASSERT_EQ(read.points().size(), 1u);
            EXPECT_EQ(read.points()[0].name, c.storedName);
        } else {
            EXPECT_TRUE(read.points().empty()) << c.name;
            ASSERT_EQ(read.ui.messages.size(), 1u);
            EXPECT_EQ(read.ui.messages[0].text, "Zeile in Datei /data/ozi.wpt konnte nicht\n"
                                                "richtig interpretiert werden. Bitte überprüfen!");
            EXPECT_EQ(read.ui.messages[0].icon, Icon::Exclamation);
        }
    }
}

TEST(OziWaypointFile, HeaderCommentsSkippedLinesAndEndMarker) {
    OziRead wrong("Waypoint File Version 1.0\r\nWGS 84\r\n");
    EXPECT_FALSE(wrong.ok);
    EXPECT_FALSE(wrong.converter.oziFileOpened);
    ASSERT_EQ(wrong.ui.messages.size(), 1u);
    EXPECT_EQ(wrong.ui.messages[0].text,
              "Format der Datei /data/ozi.wpt unzulässig?\nBitte überprüfen!");
    EXPECT_EQ(wrong.ui.messages[0].icon, Icon::Question);

    OziRead read(oziFile({
        "; first",
        "; second wins",
        oziRow("A", "  46.500000", "14", "ES  350 m"),
        "     five blanks: not a row",
        "ab",
        oziRow("B", "  46.500000", "14", "ES  350 m"),
        "; dropped",
        "@EOF",
        "garbage that is never read",
    }));
    EXPECT_TRUE(read.ok);
    ASSERT_EQ(read.points().size(), 2u);
    EXPECT_EQ(read.points()[0].comment, "; second wins");
    EXPECT_EQ(read.points()[1].comment, "");
    EXPECT_TRUE(read.ui.messages.empty());

    // A file of header lines only stores nothing and leaves the flag clear.
    OziRead empty(oziHeader);
    EXPECT_TRUE(empty.ok);
    EXPECT_FALSE(empty.converter.oziFileOpened);
}

TEST(OziWaypointFile, WriterRowsWithClimbAndComments) {
    test::ScriptedUserInterface ui;
    test::TempDir dir;
    CWaypointConverter converter(ui, 1596);
    Waypoint lift;
    lift.name = "Lift046\xB0"
                "18";
    lift.latDecimal = 50.233833f;
    lift.lonDecimal = -8.514833f;
    lift.symbol = 15;
    lift.fgColour = 8388608;
    lift.bgColour = 12562683;
    lift.id = "DE";
    lift.altitude = 875;
    lift.unit = "m";
    lift.climb = 2.6f;
    lift.climbUnit = "m/s";
    lift.comment = "; thermal over the quarry";
    converter.zvWaypoints = {lift, lift};
    converter.zvWaypoints[1].comment.clear();
    ASSERT_TRUE(converter.writeOziWaypointFile(dir / "lifts.wpt", true));
    const std::string row = ",Lift046\xB0"
                            "18    ,  50.233833,  -8.514833,33604.00000,15, 1, 4,"
                            "    8388608,  12562683,DE  875 m  Steigwert  2.6 m/s" +
                            std::string(11, ' ') + ", 0, 0,    0, -777\r\n";
    EXPECT_EQ(test::readBytes(dir / "lifts.wpt"),
              oziHeader + "; thermal over the quarry\r\n   1" + row + "   2" + row);
}

// Files in the writers' own form survive the way through the other format unchanged.
TEST(WaypointRoundTrip, BothFormatsComeBackByteForByte) {
    test::TempDir dir;
    test::ScriptedUserInterface ui;
    {
        CWaypointConverter toOzi(ui, 1596);
        ASSERT_TRUE(toOzi.readZvWaypointFile(test::testData("formats/example_ozi~zv.wpt")));
        ASSERT_TRUE(toOzi.writeOziWaypointFile(dir / "ozi.wpt", false));
        CWaypointConverter back(ui, 1596);
        ASSERT_TRUE(back.readOziWaypointFile(dir / "ozi.wpt"));
        ASSERT_TRUE(back.writeZvWaypointFile(dir / "zv.wpt"));
        EXPECT_EQ(test::readBytes(dir / "zv.wpt"),
                  test::readBytes(test::testData("formats/example_ozi~zv.wpt")));
    }
    {
        CWaypointConverter toZv(ui, 1596);
        ASSERT_TRUE(toZv.readOziWaypointFile(test::testData("formats/example_zv~ozi.wpt")));
        ASSERT_TRUE(toZv.writeZvWaypointFile(dir / "zv2.wpt"));
        CWaypointConverter back(ui, 1596);
        ASSERT_TRUE(back.readZvWaypointFile(dir / "zv2.wpt"));
        ASSERT_TRUE(back.writeOziWaypointFile(dir / "ozi2.wpt", false));
        EXPECT_EQ(test::readBytes(dir / "ozi2.wpt"),
                  test::readBytes(test::testData("formats/example_zv~ozi.wpt")));
    }
    // A comment line travels with its row through both conversions.
    std::string withComment = test::readBytes(test::testData("formats/example_ozi~zv.wpt"));
    withComment.insert(withComment.find("AGUADULCE-L"), "; Landeplatz am See\r\n");
    test::writeBytes(dir / "commented.wpt", withComment);
    CWaypointConverter toOzi(ui, 1596);
    ASSERT_TRUE(toOzi.readZvWaypointFile(dir / "commented.wpt"));
    ASSERT_TRUE(toOzi.writeOziWaypointFile(dir / "commented~ozi.wpt", false));
    CWaypointConverter back(ui, 1596);
    ASSERT_TRUE(back.readOziWaypointFile(dir / "commented~ozi.wpt"));
    ASSERT_TRUE(back.writeZvWaypointFile(dir / "commented~ozi~zv.wpt"));
    EXPECT_EQ(test::readBytes(dir / "commented~ozi~zv.wpt"), withComment);
    EXPECT_TRUE(ui.messages.empty());
}

} // namespace
} // namespace zv
