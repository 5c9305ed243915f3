#include "formats/text_file.h"
#include "formats/waypoint_converter.h"
#include "support/scripted_user_interface.h"
#include "support/test_files.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace zv {
namespace {

const std::string lineHeader =
    "\r\n;   KARVELON VUVEZ * ZIRROVA No.  1596\r\n\r\n"
    ";---------------------------- LINES -------------------------------\r\n\r\n"
    ";IDENT        LATITUDE      LONGITUDE     ALTITUDE     DIR1    DIR2\r\n\r\n";

struct LineRead {
    test::ScriptedUserInterface ui;
    CWaypointConverter converter{ui, 1596};
    bool ok = false;

    explicit LineRead(const std::string& content) {
        TextReader reader = TextReader::fromContent(content);
        ok = converter.readLines(reader, "C:/lifts/test.lne");
    }
    const WaypointList& points() const { return converter.zvWaypoints; }
};

Waypoint linePoint(const std::string& name, char latHemisphere, float lat, float latMin,
                   char lonHemisphere, float lon, float lonMin, int altitude, const char* unit,
                   int dir1, int dir2) {
    Waypoint point;
    point.name = name;
    point.latHemisphere = latHemisphere;
    point.latDegrees = lat;
    point.latMinutes = latMin;
    point.lonHemisphere = lonHemisphere;
    point.lonDegrees = lon;
    point.lonMinutes = lonMin;
    point.altitude = altitude;
    point.unit = unit;
    point.dir1 = dir1;
    point.dir2 = dir2;
    return point;
}

TEST(LineFile, WrittenFileMatchesTheReferenceAndReadsBack) {
    test::ScriptedUserInterface ui;
    test::TempDir dir;
    CWaypointConverter converter(ui, 1596);
    // A name of exactly 14 characters, and minutes that round up to 60.00.
    converter.oziWaypoints.push_back(
        linePoint("BRAUNECK-NORD ", 'N', 47, 40.05f, 'E', 11, 31.2f, 1555, "m", 0, 180));
    converter.oziWaypoints.back().comment = "; Lines am Brauneck";
    converter.oziWaypoints.push_back(
        linePoint("L2", 'S', 0, 0, 'W', 120, 59.996f, -5, "ft", 359, 90));
    ASSERT_TRUE(converter.writeLineFile(dir / "out.lne"));
    const std::string bytes = test::readBytes(dir / "out.lne");
    EXPECT_EQ(bytes, test::readBytes(test::testData("formats/example.lne")));

    LineRead read(bytes);
    ASSERT_TRUE(read.ok);
    ASSERT_EQ(read.points().size(), 2u);
    const Waypoint& first = read.points()[0];
    EXPECT_EQ(first.name, "BRAUNECK-NORD ");
    EXPECT_EQ(first.comment, "; Lines am Brauneck");
    EXPECT_FLOAT_EQ(first.latDecimal, 47 + 40.05f / 60);
    EXPECT_FLOAT_EQ(first.lonDecimal, 11.52f);
    EXPECT_EQ(first.dir2, 180);
    const Waypoint& second = read.points()[1];
    EXPECT_EQ(second.name, "L2            ");
    EXPECT_EQ(second.comment, "");
    EXPECT_FLOAT_EQ(second.lonDecimal, -121.0f);
    EXPECT_EQ(second.lonMinutes, 60.0f);
    EXPECT_EQ(second.dir1, 359);
}

TEST(LineFile, RowsCommentsAndSkippedLines) {
    struct Case {
        const char* row;
        bool accepted;
    };
    const Case cases[] = {
        {"FOURTEEN-CHARSN  47 40.05   E  11 31.20    1555 m        0     180", true},
        {"FIFTEEN-LETTERS N 47 40.05  E  11 31.20    1555 m        0     180", false},
        {"L1            N  47 40.05   E  11 31.20    1555 mtrs     0     180", false},
        {"L1            N  47 40.05   E  11 31.20    1555 m        0", false},
        {"*L1           N  47 40.05   E  11 31.20    1555 m        0     180", false},
    };
    for (const auto& c : cases) {
        LineRead read(
            lineHeader + "; first note\r\n; second note wins\r\n" +
            "L0            N  47 40.05   E  11 31.20    1555 m        0     180\r\n" +
            "xy\r\n   indented\r\n" +
            "L0b           N  47 40.05   E  11 31.20    1555 m        0     180 ; aside\r\n" +
            c.row + "\r\n; dropped\r\nx @EOF\r\nnot read at all\r\n");
        EXPECT_EQ(read.ok, c.accepted) << c.row;
        ASSERT_EQ(read.points().size(), c.accepted ? 2u : 1u) << c.row;
        EXPECT_EQ(read.points()[0].comment, "; second note wins");
        if (c.accepted) {
            // A data row holding a semicolon is taken as the next row's comment.
            EXPECT_EQ(read.points()[1].comment,
                      "L0b           N  47 40.05   E  11 31.20    1555 m        0     180 ; aside");
            EXPECT_EQ(read.points()[1].name, "FOURTEEN-CHARS");
            EXPECT_EQ(read.points()[1].latHemisphere, 'N');
        } else {
            ASSERT_EQ(read.ui.messages.size(), 1u);
            EXPECT_EQ(read.ui.messages[0].text, "Zeile in Datei C:/lifts/test.lne konnte nicht\n"
                                                "richtig interpretiert werden. Bitte überprüfen!");
            EXPECT_EQ(read.ui.messages[0].icon, Icon::Exclamation);
        }
    }
}

TEST(LineFile, WrongHeaderMissingFileAndEmptyList) {
    LineRead wrong(lineHeader.substr(2));
    EXPECT_FALSE(wrong.ok);
    ASSERT_EQ(wrong.ui.messages.size(), 1u);
    EXPECT_EQ(wrong.ui.messages[0].text,
              "Format der Datei C:/lifts/test.lne unzulässig?\nBitte überprüfen!");

    test::ScriptedUserInterface ui;
    test::TempDir dir;
    CWaypointConverter converter(ui, 1596);
    EXPECT_FALSE(converter.readLineFile(dir / "missing.lne"));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Die Datei " + (dir / "missing.lne") +
                                       "\nkonnte nicht geöffnet werden. Bitte Pfad + Namen "
                                       "überprüfen!");
    EXPECT_EQ(ui.messages[0].icon, Icon::Stop);

    EXPECT_FALSE(converter.writeLineFile(dir / "empty.lne"));
    EXPECT_EQ(ui.messages.back().text, "Keine Lines gefunden!");
    EXPECT_EQ(ui.messages.back().icon, Icon::Information);
    EXPECT_FALSE(std::filesystem::exists(dir / "empty.lne"));
}

} // namespace
} // namespace zv
