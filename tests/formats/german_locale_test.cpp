// Under a German locale the C library writes and reads a decimal comma. zv's files must
// not notice: each conversion run under de_DE.UTF-8 gives its reference file byte for byte.
#include "conversions/lines_conversion.h"
#include "formats/flight_track.h"
#include "formats/text_file.h"
#include "formats/waypoint_converter.h"
#include "support/german_locale.h"
#include "support/scripted_user_interface.h"
#include "support/test_files.h"

#include <clocale>
#include <functional>
#include <gtest/gtest.h>
#include <string>

namespace zv {
namespace {

using test::readBytes;
using test::testData;

TEST(GermanLocale, ConversionsGiveTheirReferenceFilesByteForByte) {
    test::GermanLocale german;
    if (!german.active()) {
        GTEST_SKIP() << test::GermanLocale::missing;
    }
    // The locale is really the one with the comma.
    ASSERT_STREQ(std::localeconv()->decimal_point, ",");

    struct Conversion {
        const char* source;
        const char* reference;
        // Reads the source and writes the target.
        std::function<bool(CWaypointConverter&, const std::string&, const std::string&)> run;
    };
    const Conversion conversions[] = {
        {"formats/example_ozi.wpt", "formats/example_ozi~zv.wpt",
         [](CWaypointConverter& c, const std::string& from, const std::string& to) {
             return c.readOziWaypointFile(from) && c.writeZvWaypointFile(to);
         }},
        {"formats/example_zv.wpt", "formats/example_zv~ozi.wpt",
         [](CWaypointConverter& c, const std::string& from, const std::string& to) {
             return c.readZvWaypointFile(from) && c.writeOziWaypointFile(to, false);
         }},
        {"formats/example.lft", "formats/example~map.wpt",
         [](CWaypointConverter& c, const std::string& from, const std::string& to) {
             return c.readLiftFile(from) && c.writeOziWaypointFile(to, true);
         }},
        {"formats/example.lft", "formats/example.lft",
         [](CWaypointConverter& c, const std::string& from, const std::string& to) {
             c.mode = LiftReadMode::Raw;
             return c.readLiftFile(from) && c.writeLiftFile(to);
         }},
        {"lifts/takeoffs.tof", "lifts/takeoffs~ozi.wpt",
         [](CWaypointConverter& c, const std::string& from, const std::string& to) {
             return c.readZvWaypointFile(from) && c.writeOziWaypointFile(to, false);
         }},
        {"lifts/lines.wpt", "lifts/lines~lines.lne",
         [](CWaypointConverter& c, const std::string& from, const std::string& to) {
             return c.readOziWaypointFile(from) && convertToLines(c) && c.writeLineFile(to);
         }},
    };
    for (const Conversion& conversion : conversions) {
        test::TempDir dir;
        test::ScriptedUserInterface ui;
        CWaypointConverter converter(ui, 1596);
        const std::string target = dir / "out";
        ASSERT_TRUE(conversion.run(converter, testData(conversion.source).string(), target))
            << conversion.source;
        EXPECT_EQ(readBytes(target), readBytes(testData(conversion.reference)))
            << conversion.source << " -> " << conversion.reference;
    }

    test::TempDir dir;
    test::ScriptedUserInterface ui;
    CFlightTrack track(ui);
    ASSERT_TRUE(track.readFlightFile(testData("flights/flight.zvc").string()));
    ASSERT_TRUE(track.writeTrackFile(dir / "flight.plt"));
    EXPECT_EQ(readBytes(dir / "flight.plt"), readBytes(testData("flights/flight~track.plt")));
}

} // namespace
} // namespace zv
