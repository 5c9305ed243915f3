#include "formats/text_file.h"
#include "formats/waypoint_converter.h"
#include "support/scripted_user_interface.h"
#include "support/test_files.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace zv {
namespace {

const std::string liftHeader =
    "\r\n;   KARVELON VUVEZ * ZIRROVA No.  1596\r\n\r\n"
    ";------------------------------- LIFTS ------------------------------------\r\n\r\n"
    ";IDENT    LATITUDE      LONGITUDE     ALTITUDE      CLIMB     WDIR   WSPEED\r\n\r\n";

std::string liftFile(const std::vector<std::string>& lines) {
    std::string content = liftHeader;
    for (const auto& line : lines) {
        content += line + "\r\n";
    }
    return content + "\r\n@EOF\r\n";
}

const std::string examplePath = "C:/lifts/test.lft";
const std::string lineMessage = "Zeile in Datei C:/lifts/test.lft\nkonnte nicht\trichtig "
                                "interpretiert werden. Bitte überprüfen!";

struct LiftRead {
    test::ScriptedUserInterface ui;
    CWaypointConverter converter{ui, 1596};
    bool ok = false;

    LiftRead(const std::string& content, LiftReadMode mode, LiftFilter filter = {}) {
        converter.mode = mode;
        converter.filter = filter;
        TextReader reader = TextReader::fromContent(content);
        ok = converter.readLifts(reader, examplePath);
    }
    const WaypointList& lifts() const { return converter.zvWaypoints; }
};

// Writes the lifts of a read and returns the file's bytes.
std::string written(LiftRead& read) {
    test::TempDir dir;
    EXPECT_TRUE(read.converter.writeLiftFile(dir / "out.lft"));
    return test::readBytes(dir / "out.lft");
}

TEST(LiftFile, ExampleSurvivesRawReadAndWrite) {
    const std::string example = test::readBytes(test::testData("formats/example.lft"));
    LiftRead raw(example, LiftReadMode::Raw);
    ASSERT_TRUE(raw.ok);
    ASSERT_EQ(raw.lifts().size(), 2u);
    EXPECT_EQ(raw.lifts()[0].comment, "; Feldberg, 12.6.");
    EXPECT_EQ(raw.lifts()[1].name, "L01   ");
    EXPECT_EQ(written(raw), example);
}

TEST(LiftFile, MapModeGivesTheMapRows) {
    test::ScriptedUserInterface ui;
    test::TempDir dir;
    CWaypointConverter converter(ui, 1596);
    ASSERT_EQ(converter.mode, LiftReadMode::Map);
    ASSERT_TRUE(converter.readLiftFile(test::testData("formats/example.lft").string()));
    ASSERT_TRUE(converter.writeOziWaypointFile(dir / "Lift.wpt", true));
    EXPECT_EQ(test::readBytes(dir / "Lift.wpt"),
              test::readBytes(test::testData("formats/example~map.wpt")));
}

TEST(LiftFile, EachModeFillsTheRecordItsWay) {
    // Seconds after the minutes: 46 12'30" N and 8 5'15" W.
    const std::string line =
        "CH.AB N  46 12 30.0  W   8 5 15.0    1999 m     1.25 m/s    359   7 kmh";
    const float lat = static_cast<float>(46 + 12 / 60.0 + 30 / 3600.0);
    const float lon = -static_cast<float>(8 + 5 / 60.0 + 15 / 3600.0);

    LiftRead raw(liftFile({line}), LiftReadMode::Raw);
    LiftRead upload(liftFile({line}), LiftReadMode::Upload);
    LiftRead map(liftFile({line}), LiftReadMode::Map);
    LiftRead extract(liftFile({line}), LiftReadMode::Extract, {-90, 90, -180, 180, false, 0, 0});
    for (const LiftRead* read : {&raw, &upload, &map, &extract}) {
        ASSERT_TRUE(read->ok);
        ASSERT_EQ(read->lifts().size(), 1u);
    }
    // Raw and Extract keep degrees and hemispheres and fold the seconds into the minutes.
    for (const LiftRead* read : {&raw, &extract}) {
        const Waypoint& lift = read->lifts()[0];
        EXPECT_EQ(lift.name, "CH.AB ");
        EXPECT_EQ(lift.latDegrees, 46);
        EXPECT_FLOAT_EQ(lift.latMinutes, 12.5f);
        EXPECT_EQ(lift.latSeconds, 0);
        EXPECT_EQ(lift.lonDegrees, 8);
        EXPECT_FLOAT_EQ(lift.lonMinutes, 5.25f);
        EXPECT_EQ(lift.lonHemisphere, 'W');
    }
    EXPECT_EQ(upload.lifts()[0].latDecimal, lat);
    EXPECT_EQ(upload.lifts()[0].lonDecimal, lon);
    EXPECT_EQ(upload.lifts()[0].name, "CH.AB ");

    const Waypoint& onMap = map.lifts()[0];
    EXPECT_EQ(onMap.latDecimal, lat);
    EXPECT_EQ(onMap.lonDecimal, lon);
    EXPECT_EQ(onMap.name, "Lift359\xB0"
                          "07");
    EXPECT_EQ(onMap.id, "CH");
    EXPECT_EQ(onMap.symbol, 15);

    // A lift with seconds keeps its place through the database: 12.50 and 05.25.
    EXPECT_NE(written(raw).find("CH.AB     N  46 12.50   W   8 05.25    1999 m     1.2 m/s     "
                                "359     7 kmh\r\n"),
              std::string::npos);
    EXPECT_NE(written(extract).find("N  46 12.50   W   8 05.25"), std::string::npos);
}

TEST(LiftFile, MapColoursFollowTheClimbClasses) {
    struct Case {
        const char* climb;
        int bgColour;
        int fgColour;
    };
    const Case cases[] = {
        {"-1.0", 16711680, 65535},  {"0.0", 16711680, 65535},   {"0.1", 16243391, 8388608},
        {"1.0", 16243391, 8388608}, {"3.0", 12562683, 8388608}, {"5.0", 5450740, 8388608},
        {"5.1", 255, 65535},
    };
    for (const auto& c : cases) {
        LiftRead map(
            liftFile({std::string("L1     N 46 0 E 8 0 900 m ") + c.climb + " m/s 5 100 kmh"}),
            LiftReadMode::Map);
        ASSERT_TRUE(map.ok) << c.climb;
        EXPECT_EQ(map.lifts()[0].bgColour, c.bgColour) << c.climb;
        EXPECT_EQ(map.lifts()[0].fgColour, c.fgColour) << c.climb;
        EXPECT_EQ(map.lifts()[0].name, "Lift005\xB0"
                                       "100");
    }
}

TEST(LiftFile, ExtractKeepsLiftsInsideInclusiveBoundsAndWindWindow) {
    const std::vector<std::string> lines = {
        "; note of the rejected lift",
        "OUT1   N  47 00.00   E   8 00.00     875 m     2.6 m/s     046    18 kmh",
        "ON     N  46 30.00   E   8 00.00     875 m     2.6 m/s     046    18 kmh",
        "; second note",
        "; third note replaces it",
        "OUT2   N  46 12.00   E  12 00.00     875 m     2.6 m/s     046    18 kmh",
        "TYPED  N  46 12.00   E   8 00.00     875 m     2.6 m/s     090    18 kmh",
        "; dropped before the end",
    };
    struct Case {
        LiftFilter filter;
        std::vector<std::string> kept;
        std::vector<std::string> comments;
    };
    const Case cases[] = {
        // Both bounds at 46.5: the lift exactly there lies inside.
        {{46.5f, 46.5f, 7, 9, false, 0, 0}, {"ON    "}, {"; note of the rejected lift"}},
        // Bounds typed like the position (46 12.00 = 46.2) hold it on either side.
        {{46.2f, 46.2f, 8, 8, false, 0, 0}, {"TYPED "}, {"; third note replaces it"}},
        {{46, 47, 7, 9, false, 0, 0},
         {"OUT1  ", "ON    ", "TYPED "},
         {"; note of the rejected lift", "", "; third note replaces it"}},
        // The wind window: inclusive, and it does not wrap past 360.
        {{46, 47, 7, 9, true, 90, 90}, {"TYPED "}, {"; third note replaces it"}},
        {{46, 47, 7, 9, true, 350, 10}, {}, {}},
        {{46, 47, 7, 9, true, 46, 89}, {"OUT1  ", "ON    "}, {"; note of the rejected lift", ""}},
    };
    for (const auto& c : cases) {
        LiftRead read(liftFile(lines), LiftReadMode::Extract, c.filter);
        ASSERT_TRUE(read.ok);
        std::vector<std::string> names;
        std::vector<std::string> comments;
        for (const auto& lift : read.lifts()) {
            names.push_back(lift.name);
            comments.push_back(lift.comment);
        }
        EXPECT_EQ(names, c.kept) << c.filter.latLow << " " << c.filter.windFrom;
        EXPECT_EQ(comments, c.comments) << c.filter.latLow << " " << c.filter.windFrom;
    }
}

TEST(LiftFile, MinutesThatRoundTo60AreWrittenAsSuchAndReadBack) {
    test::ScriptedUserInterface ui;
    test::TempDir dir;
    CWaypointConverter converter(ui, 1596);
    Waypoint lift;
    lift.name = "R60";
    lift.latDegrees = 47;
    lift.latMinutes = 59.996f;
    lift.lonDegrees = 8;
    lift.lonMinutes = 59.999f;
    lift.unit = "m";
    lift.climbUnit = "m/s";
    lift.windSpeedUnit = "kmh";
    converter.zvWaypoints.push_back(lift);
    ASSERT_TRUE(converter.writeLiftFile(dir / "r.lft"));
    const std::string bytes = test::readBytes(dir / "r.lft");
    EXPECT_NE(bytes.find("R60       N  47 60.00   E   8 60.00       0 m     0.0 m/s     000 "
                         "    0 kmh\r\n"),
              std::string::npos);

    CWaypointConverter reread(ui, 1596);
    reread.mode = LiftReadMode::Upload;
    ASSERT_TRUE(reread.readLiftFile(dir / "r.lft"));
    EXPECT_FLOAT_EQ(reread.zvWaypoints[0].latDecimal, 48.0f);
    EXPECT_FLOAT_EQ(reread.zvWaypoints[0].lonDecimal, 9.0f);
}

TEST(LiftFile, LinesThatFitNeitherFormEndTheRead) {
    struct Case {
        const char* line;
        bool accepted;
    };
    const Case cases[] = {
        {"  L1   N  46 30.00   E   8 00.00     875 m     2.6 m/s     046    18 kmh", true},
        {"DE.BOPX N 46 30.00   E   8 00.00     875 m     2.6 m/s     046    18 kmh", false},
        {"*L1    N  46 30.00   E   8 00.00     875 m     2.6 m/s     046    18 kmh", false},
        {"L1     N  46 30.00   E   8 00.00     875 mtrs  2.6 m/s     046    18 kmh", false},
        {"L1     N  46 30.00   E   8 00.00     875 m     2.6 m/sec   046    18 kmh", false},
        {"L1     N  46 30.00   E   8 00.00     875 m     2.6 m/s     046    18 km/h", false},
        {"L1     N  46 30.00   E   8 00.00     875 m     2.6 m/s     046    18", false},
        {"L1     N  46 30 00   E   8 00.00     875 m     2.6 m/s     046    18 kmh", false},
    };
    for (const auto& c : cases) {
        LiftRead read(
            liftFile({"L0     N  46 30.00   E   8 00.00     875 m     2.6 m/s     046    18 kmh",
                      c.line,
                      "L2     N  46 30.00   E   8 00.00     875 m     2.6 m/s     046    18 kmh"}),
            LiftReadMode::Raw);
        EXPECT_EQ(read.ok, c.accepted) << c.line;
        EXPECT_EQ(read.lifts().size(), c.accepted ? 3u : 1u) << c.line;
        if (c.accepted) {
            EXPECT_EQ(read.lifts()[1].name, "  L1  ");
        } else {
            ASSERT_EQ(read.ui.messages.size(), 1u) << c.line;
            EXPECT_EQ(read.ui.messages[0].text, lineMessage);
            EXPECT_EQ(read.ui.messages[0].icon, Icon::Exclamation);
        }
    }
}

TEST(LiftFile, SkippedLinesEndMarkerAndHeader) {
    LiftRead read(
        liftHeader + "xy\r\n   indented text\r\n"
                     "L1     N  46 30.00   E   8 00.00     875 m     2.6 m/s     046    18 kmh\r\n"
                     "text @EOF text\r\n"
                     "L2     N  46 30.00   E   8 00.00     875 m     2.6 m/s     046    18 kmh\r\n",
        LiftReadMode::Raw);
    EXPECT_TRUE(read.ok);
    EXPECT_EQ(read.lifts().size(), 1u);

    // Without "@EOF" the file is read to its end.
    LiftRead noEnd(liftHeader + "L1     N  46 30.00   E   8 00.00     875 m     2.6 m/s     046    "
                                "18 kmh",
                   LiftReadMode::Raw);
    EXPECT_TRUE(noEnd.ok);
    EXPECT_EQ(noEnd.lifts().size(), 1u);

    for (const std::string& content : {std::string(), std::string("\r\n"), liftHeader.substr(2)}) {
        LiftRead wrong(content, LiftReadMode::Raw);
        EXPECT_FALSE(wrong.ok);
        ASSERT_EQ(wrong.ui.messages.size(), 1u);
        EXPECT_EQ(wrong.ui.messages[0].text,
                  "Format der Datei\nC:/lifts/test.lft\nunzulässig? Bitte überprüfen!");
        EXPECT_EQ(wrong.ui.messages[0].icon, Icon::Exclamation);
    }
}

TEST(LiftFile, MissingFileEmptyListAndWriteFault) {
    test::ScriptedUserInterface ui;
    test::TempDir dir;
    CWaypointConverter converter(ui, 1596);
    converter.mode = LiftReadMode::Raw;
    EXPECT_FALSE(converter.readLiftFile(dir / "missing.lft"));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].icon, Icon::Stop);

    // An empty list writes nothing.
    EXPECT_FALSE(converter.writeLiftFile(dir / "empty.lft"));
    EXPECT_EQ(ui.messages.back().text, "Keine Aufwinde gefunden!");
    EXPECT_FALSE(std::filesystem::exists(dir / "empty.lft"));

    // A failed write is a failure and leaves the old file as it was.
    test::writeBytes(dir / "db.lft", "old");
    ASSERT_TRUE(converter.readLiftFile(test::testData("formats/example.lft").string()));
    // The n-th write fails, for every n until the write completes.
    for (long fault = 1;; ++fault) {
        injectWriteFault(fault);
        const bool ok = converter.writeLiftFile(dir / "db.lft");
        const bool reached = countedWriteOperations() >= fault;
        injectWriteFault(0);
        if (!reached) {
            EXPECT_TRUE(ok);
            EXPECT_EQ(test::readBytes(dir / "db.lft"),
                      test::readBytes(test::testData("formats/example.lft")));
            break;
        }
        EXPECT_FALSE(ok) << fault;
        EXPECT_EQ(test::readBytes(dir / "db.lft"), "old") << fault;
    }
}

} // namespace
} // namespace zv
