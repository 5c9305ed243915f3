#include "formats/flight_track.h"
#include "formats/text_file.h"
#include "support/scripted_user_interface.h"
#include "support/test_files.h"

#include <gtest/gtest.h>
#include <ostream>

namespace zv {
namespace {

std::string flightData(const std::string& name) {
    return test::readBytes(test::testData("flights/" + name));
}

} // namespace

void PrintTo(const TrackPoint& point, std::ostream* out) {
    *out << "{" << point.pointLatitude << ", " << point.pointLongitude << ", "
         << point.pointAltitude << "}";
}

namespace {

TEST(FlightTrack, ReadsHeaderAndPointsAndWritesTheTrack) {
    test::TempDir dir;
    test::ScriptedUserInterface ui;
    CFlightTrack track(ui);
    ASSERT_TRUE(track.readFlightFile(test::testData("flights/flight.zvc").string()));
    EXPECT_EQ((std::vector<int>{track.headerYear, track.headerMonth, track.headerDay,
                                track.headerHour, track.headerMinute}),
              (std::vector<int>{95, 4, 21, 14, 0}));
    // "@EOF" and the empty line between points, a long line without numbers and one with
    // only two numbers give no point; lower-case digits, trailing text and numbers
    // without blanks between them do.
    EXPECT_EQ(track.points, (std::vector<TrackPoint>{{282000, 62440, 600},
                                                     {282050, 62450, 605},
                                                     {0, -8388607, 0},
                                                     {-201000, -8400, 1234},
                                                     {282100, 62460, 65535}}));
    EXPECT_TRUE(ui.messages.empty());

    ASSERT_TRUE(track.writeTrackFile(dir / "flight.plt"));
    EXPECT_EQ(test::readBytes(dir / "flight.plt"), flightData("flight~track.plt"));
    EXPECT_NE(test::readBytes(dir / "flight.plt").find("\r\n  47.000000,  10.406667,1, 600\r\n"),
              std::string::npos);
}

TEST(FlightTrack, PointLines) {
    struct Case {
        std::string line;
        bool point;
        TrackPoint expected;
    };
    const Case cases[] = {
        {"044D90 00F3E8 0258", true, {282000, 62440, 600}},
        {"FFFFFF 800000 FFFF", true, {0, -8388607, 65535}},
        {"7FFFFF 800001 0000", true, {8388607, -8388606, 0}},
        {"  044d90\t00f3e8 0258 1 2 3", true, {282000, 62440, 600}},
        {"1234567 000001 0001", true, {0x123456, 7, 0}}, // the widths split the digits
        {"044D90 00F3E8", false, {}},
        {"044D90 00F3E8 xyz1", false, {}},
        {"+44D90 00F3E8 0258", false, {}},
        {std::string("044D90 00F3E8 \0"
                     "0258",
                     19),
         false,
         {}}, // ends at the NUL
        {"Temperatur 21 C  ", false, {}},
    };
    for (const Case& c : cases) {
        TrackPoint point{1, 2, 3};
        EXPECT_EQ(scanTrackPoint(c.line, point), c.point) << c.line;
        EXPECT_EQ(point, c.point ? c.expected : (TrackPoint{1, 2, 3})) << c.line;
    }
}

TEST(FlightTrack, HeaderMarkerOnTheFirstLineOnly) {
    test::TempDir dir;
    struct Case {
        const char* content;
        bool accepted;
        std::vector<int> header; // year, month, day, hour, minute
    };
    const Case cases[] = {
        {"\r\n@ZV1596 95 04 21 14 00\r\n044D90 00F3E8 0258\r\n", false, {0, 0, 0, 0, 0}},
        {"", false, {0, 0, 0, 0, 0}},
        {"ZIRROVA 95 04 21 14 00\r\n044D90 00F3E8 0258\r\n", false, {0, 0, 0, 0, 0}},
        {"FLUG@ZV 3 5 10 9 7\n", true, {3, 5, 10, 9, 7}},
        {"@ZV 95 04 ?? 14 00\r\n", true, {95, 4, 0, 0, 0}},
        {"@ZV 123 4 5 6 7", true, {12, 3, 4, 5, 6}},
    };
    for (const Case& c : cases) {
        const std::string path = dir / "f.zvc";
        test::writeBytes(path, c.content);
        for (const bool headerOnly : {false, true}) {
            test::ScriptedUserInterface ui;
            CFlightTrack track(ui);
            EXPECT_EQ(headerOnly ? track.readFlightHeader(path) : track.readFlightFile(path),
                      c.accepted)
                << c.content;
            EXPECT_EQ((std::vector<int>{track.headerYear, track.headerMonth, track.headerDay,
                                        track.headerHour, track.headerMinute}),
                      c.header)
                << c.content;
            if (headerOnly || !c.accepted) {
                EXPECT_TRUE(track.points.empty());
            }
            EXPECT_EQ(ui.texts().size(), c.accepted ? 0u : 1u) << c.content;
        }
    }
    test::ScriptedUserInterface ui;
    CFlightTrack missing(ui);
    EXPECT_FALSE(missing.readFlightFile(dir / "missing.zvc"));
    EXPECT_FALSE(missing.readFlightHeader(dir.path().string()));
    EXPECT_EQ(ui.messages.size(), 2u);
}

TEST(FlightTrack, HeaderWithoutPointsGivesAnEmptyTrack) {
    test::TempDir dir;
    test::ScriptedUserInterface ui;
    CFlightTrack track(ui);
    TextReader reader = TextReader::fromContent("@ZV1596 95 04 21 14 00\r\n\r\n@EOF\r\n");
    ASSERT_TRUE(track.readFlight(reader, "leer.zvc"));
    ASSERT_TRUE(track.writeTrackFile(dir / "leer.plt"));
    EXPECT_EQ(test::readBytes(dir / "leer.plt"),
              "OziExplorer Track Point File Version 2.0\r\nWGS 84\r\nAltitude is in Meter\r\n"
              "Reserved 3\r\n0,2,255,21.04.95  14:00:00        ,0\r\n    0\r\n");
}

} // namespace
} // namespace zv
