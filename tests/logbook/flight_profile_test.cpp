#include "logbook/flight_profile.h"
#include "support/scripted_user_interface.h"
#include "support/test_files.h"

#include <gtest/gtest.h>

namespace zv {
namespace {

FlightProfile profileOf(const std::vector<int>& altitudes) {
    test::ScriptedUserInterface ui;
    CFlightTrack track(ui);
    for (const int altitude : altitudes) {
        track.points.push_back({0, 0, altitude});
    }
    return flightProfile(track);
}

TEST(FlightProfile, MaximumGainAndClimbs) {
    struct Case {
        const char* what;
        std::vector<int> altitudes;
        std::size_t highest;
        std::size_t gainFrom;
        std::size_t gainTo;
        int gain;
    };
    const Case cases[] = {
        {"a climb from takeoff", {800, 900, 1200, 1100}, 2, 0, 2, 400},
        // Sunk out below takeoff, then the climb of the day: the gain starts at the low
        // point, not at takeoff.
        {"low save", {1000, 1300, 700, 900, 1600, 1500}, 4, 2, 4, 900},
        // The greatest rise need not end at the maximum.
        {"the best climb ends below the top", {2000, 2100, 500, 1500, 1200}, 1, 2, 3, 1000},
        {"a glide only", {1500, 1400, 1000}, 0, 0, 0, 0},
        {"equal tops: the first", {600, 900, 700, 900}, 1, 0, 1, 300},
        {"a single point", {1234}, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        const FlightProfile profile = profileOf(c.altitudes);
        EXPECT_EQ(profile.highest, c.highest) << c.what;
        EXPECT_EQ(profile.maximum(), c.altitudes[c.highest]) << c.what;
        EXPECT_EQ(profile.gainFrom, c.gainFrom) << c.what;
        EXPECT_EQ(profile.gainTo, c.gainTo) << c.what;
        EXPECT_EQ(profile.gain(), c.gain) << c.what;
        ASSERT_EQ(profile.climbs.size(), c.altitudes.size() - 1) << c.what;
        for (std::size_t i = 0; i < profile.climbs.size(); ++i) {
            EXPECT_EQ(profile.climbs[i], c.altitudes[i + 1] - c.altitudes[i]) << c.what;
        }
    }
}

TEST(FlightProfile, ReadsTheFileAndRefusesOneWithoutPoints) {
    test::ScriptedUserInterface ui;
    const auto profile = readFlightProfile(test::testData("exchange/flight.zvc"), ui);
    ASSERT_TRUE(profile.has_value());
    EXPECT_FALSE(profile->altitudes.empty());
    EXPECT_EQ(profile->date.year, 1995); // "95" by the century rule
    EXPECT_TRUE(ui.messages.empty());

    test::TempDir dir;
    test::writeBytes(dir / "empty.zvc", "@ZV1596 03 05 10 11 05\r\n@EOF\r\n");
    EXPECT_FALSE(readFlightProfile(dir / "empty.zvc", ui).has_value());
    test::writeBytes(dir / "other.zvc", "no flight\r\n");
    EXPECT_FALSE(readFlightProfile(dir / "other.zvc", ui).has_value());
    EXPECT_EQ(ui.texts(),
              (std::vector<std::string>{
                  "Die Flugdaten-Datei " + dir / "empty.zvc" + "\nenthält keine Trackpunkte.",
                  "Format der Datei " + dir / "other.zvc" + " unzulässig?\nBitte überprüfen!"}));
}

} // namespace
} // namespace zv
