#include "base/app_settings.h"
#include "conversions/lines_conversion.h"
#include "formats/text_file.h"
#include "formats/waypoint_converter.h"
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

Waypoint point(const std::string& id, char latHemisphere, float lat, char lonHemisphere,
               float lon) {
    Waypoint w;
    w.id = id;
    w.name = id;
    w.latHemisphere = latHemisphere;
    w.latDegrees = lat;
    w.lonHemisphere = lonHemisphere;
    w.lonDegrees = lon;
    return w;
}

using Directions = std::vector<std::pair<int, int>>;

Directions directionsOf(const WaypointList& points) {
    Directions out;
    for (const auto& w : points) {
        out.emplace_back(w.dir1, w.dir2);
    }
    return out;
}

// P = 46 N 7 E, Q = 47 N 7 E, R = 46 N 8 E, and the same mirrored to the west and south.
TEST(LinesConversion, BearingsOfTheExamplePointsAndTheirMirrorImages) {
    const struct {
        const char* what;
        WaypointList points;
        Directions expected;
    } cases[] = {
        {"P, R",
         {point("A", 'N', 46, 'E', 7), point("A", 'N', 46, 'E', 8)},
         {{90, 90}, {271, 271}}},
        {"P, Q",
         {point("A", 'N', 46, 'E', 7), point("A", 'N', 47, 'E', 7)},
         {{355, 355}, {175, 175}}},
        {"P alone", {point("A", 'N', 46, 'E', 7)}, {{90, 90}}},
        {"P, R west: R lies west of P",
         {point("A", 'N', 46, 'W', 7), point("A", 'N', 46, 'W', 8)},
         {{271, 271}, {90, 90}}},
        {"P, Q west: Q lies slightly east of north, P slightly west of south of Q",
         {point("A", 'N', 46, 'W', 7), point("A", 'N', 47, 'W', 7)},
         {{6, 6}, {186, 186}}},
        {"P, Q south: Q lies south, slightly west",
         {point("A", 'S', 46, 'E', 7), point("A", 'S', 47, 'E', 7)},
         {{186, 186}, {6, 6}}},
        {"P, R south",
         {point("A", 'S', 46, 'E', 7), point("A", 'S', 46, 'E', 8)},
         {{90, 90}, {271, 271}}},
        {"a ring of three: next and previous",
         {point("A", 'N', 46, 'E', 7), point("A", 'N', 47, 'E', 7), point("A", 'N', 46, 'E', 8)},
         {{355, 90}, {142, 175}, {271, 322}}},
    };
    for (const auto& c : cases) {
        ScriptedUserInterface ui;
        CWaypointConverter converter(ui, 1596);
        converter.oziWaypoints = c.points;
        ASSERT_TRUE(convertToLines(converter)) << c.what;
        EXPECT_EQ(directionsOf(converter.oziWaypoints), c.expected) << c.what;
    }
}

TEST(LinesConversion, OnlyNeighboursWithTheSameIdFormAGroup) {
    ScriptedUserInterface ui;
    CWaypointConverter converter(ui, 1596);
    converter.oziWaypoints = {point("XX", 'N', 46, 'E', 7), point("XX", 'N', 46, 'E', 8),
                              point("YY", 'N', 46, 'E', 7), point("XX", 'N', 47, 'E', 7)};
    ASSERT_TRUE(convertToLines(converter));
    // A group of one points at itself: 90 both ways.
    EXPECT_EQ(directionsOf(converter.oziWaypoints),
              (Directions{{90, 90}, {271, 271}, {90, 90}, {90, 90}}));
}

TEST(LinesConversion, RefusesMoreThan100PointsOrMoreThan10Groups) {
    const std::string refusal = "Die Datei enthält zuviele Lines!\nBitte reduzieren!";
    const struct {
        std::size_t points;
        std::size_t groups;
        bool converted;
    } cases[] = {{100, 1, true}, {101, 1, false}, {10, 10, true}, {11, 11, false}};
    for (const auto& c : cases) {
        ScriptedUserInterface ui;
        CWaypointConverter converter(ui, 1596);
        for (std::size_t i = 0; i < c.points; ++i) {
            converter.oziWaypoints.push_back(point(test::cFormat("%02zu", i * c.groups / c.points),
                                                   'N', 46, 'E', 7 + i * 0.01f));
        }
        EXPECT_EQ(convertToLines(converter), c.converted) << c.points << " " << c.groups;
        EXPECT_EQ(ui.texts(),
                  c.converted ? std::vector<std::string>{} : std::vector<std::string>{refusal});
        EXPECT_EQ(ui.messages.empty() ? Icon::Information : ui.messages[0].icon, Icon::Information);
        EXPECT_EQ(converter.oziWaypoints.size(), c.points);
    }
}

struct LinesDirs {
    TempDir dir;
    AppSettings settings;

    LinesDirs() {
        std::filesystem::create_directory(dir.path() / "Ozi");
        std::filesystem::create_directory(dir.path() / "Lifts");
        settings.oziDir = dir / "Ozi";
        settings.liftDir = dir / "Lifts";
        settings.serialNumber = 1596;
    }
};

TEST(LinesConversion, TheCommandWritesTheLineFileIntoTheLiftDirectory) {
    LinesDirs d;
    const std::string source = d.dir / "Alpen.wpt";
    writeBytes(source, readBytes(testData("lifts/lines.wpt")));
    ScriptedUserInterface ui;
    ui.fileChoices.push_back({source});
    ASSERT_TRUE(commandWptToLines(d.settings, ui));
    const std::string target = d.dir / "Lifts/Alpen.lne";
    EXPECT_EQ(readBytes(target), readBytes(testData("lifts/lines~lines.lne")));
    EXPECT_EQ(ui.openedDocuments, std::vector<std::filesystem::path>{target});
    EXPECT_TRUE(ui.messages.empty());

    // An existing target: No leaves it as it is.
    ScriptedUserInterface no;
    no.fileChoices.push_back({source});
    writeBytes(target, "before\r\n");
    EXPECT_FALSE(commandWptToLines(d.settings, no));
    EXPECT_EQ(readBytes(target), "before\r\n");
    EXPECT_TRUE(no.openedDocuments.empty());
}

TEST(LinesConversion, AFaultyRowOpensTheSourceAndTooManyLinesWriteNothing) {
    LinesDirs d;
    const std::string bad = d.dir / "Bad.wpt";
    writeBytes(bad, readBytes(testData("lifts/lines.wpt")) + "  17,garbage\r\n");
    ScriptedUserInterface ui;
    ui.fileChoices.push_back({bad});
    EXPECT_FALSE(commandWptToLines(d.settings, ui));
    EXPECT_EQ(ui.openedDocuments, std::vector<std::filesystem::path>{bad});
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[1].text, "Suchen Sie den Fehler in der Ozi-Wegpunktedatei\n");
    EXPECT_FALSE(std::filesystem::exists(d.dir / "Lifts/Bad.lne"));

    std::string many =
        "OziExplorer Waypoint File Version 1.0\r\nWGS 84\r\nReserved 2\r\nReserved 3\r\n";
    for (int i = 1; i <= 101; ++i) {
        many +=
            test::cFormat("%4i,P%03i          ,  46.000000,   7.%06i,33604.00000, 0, 1, 4,   "
                          " 8388608,     65280,XX  100 m                               , 0, 0,  "
                          "  0, -777\r\n",
                          i, i, i * 1000);
    }
    const std::string tooMany = d.dir / "Many.wpt";
    writeBytes(tooMany, many);
    ScriptedUserInterface refused;
    refused.fileChoices.push_back({tooMany});
    EXPECT_FALSE(commandWptToLines(d.settings, refused));
    EXPECT_EQ(refused.texts(),
              std::vector<std::string>{"Die Datei enthält zuviele Lines!\nBitte reduzieren!"});
    EXPECT_TRUE(refused.openedDocuments.empty());
    EXPECT_FALSE(std::filesystem::exists(d.dir / "Lifts/Many.lne"));
}

} // namespace
} // namespace zv
