// A flight on the map: the climb that colours it and the fixes drawn at each zoom level.
#include "mapdata/flight_path.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <numbers>

namespace zv::map {
namespace {

std::vector<FlightFix> fixesWithAltitudes(const std::vector<int>& altitudes) {
    std::vector<FlightFix> fixes;
    for (std::size_t i = 0; i < altitudes.size(); ++i) {
        fixes.push_back(
            {worldFromGeo({47.0, 10.0 + 0.0001 * static_cast<double>(i)}), altitudes[i], 0.0f});
    }
    return fixes;
}

TEST(FlightPath, TheClimbIsTheAveragedAltitudeChangePerSecond) {
    struct Case {
        const char* name;
        std::vector<int> altitudes;
        std::vector<float> climbs;
    };
    const Case cases[] = {
        {"one fix", {800}, {0.0f}},
        {"steady climb", {800, 802, 804, 806}, {2.0f, 2.0f, 2.0f, 2.0f}},
        {"steady sink", {900, 899, 898}, {-1.0f, -1.0f, -1.0f}},
        // Averaged over five fixes before and after (fewer at the ends): a single jump
        // spreads over its neighbours.
        {"one jump",
         {1000, 1000, 1000, 1000, 1000, 1000, 1011, 1011, 1011, 1011, 1011, 1011},
         {0.0f, 11 / 6.0f, 11 / 7.0f, 11 / 8.0f, 11 / 9.0f, 1.1f, 1.1f, 11 / 9.0f, 11 / 8.0f,
          11 / 7.0f, 11 / 6.0f, 0.0f}},
    };
    for (const Case& c : cases) {
        const FlightPath flight(fixesWithAltitudes(c.altitudes));
        ASSERT_EQ(flight.fixes().size(), c.climbs.size()) << c.name;
        for (std::size_t i = 0; i < c.climbs.size(); ++i) {
            EXPECT_NEAR(flight.fixes()[i].climb, c.climbs[i], 1e-5) << c.name << " fix " << i;
        }
    }
    // Far from the jump the air is calm again.
    std::vector<int> altitudes(40, 1000);
    std::fill(altitudes.begin() + 20, altitudes.end(), 1030);
    const FlightPath jump(fixesWithAltitudes(altitudes));
    EXPECT_EQ(jump.fixes()[2].climb, 0.0f);
    EXPECT_NEAR(jump.fixes()[20].climb, 3.0f, 1e-5);
    EXPECT_EQ(jump.fixes()[37].climb, 0.0f);
    EXPECT_NEAR(jump.meanClimb(15, 25), 3.0f, 1e-5);
    EXPECT_NEAR(jump.meanClimb(10, 30), 1.5f, 1e-5);
    EXPECT_EQ(jump.meanClimb(5, 5), 0.0f);
}

// A thermal flight: circles drifting with the wind, then a glide.
std::vector<FlightFix> thermalFlight() {
    std::vector<FlightFix> fixes;
    for (int i = 0; i < 3000; ++i) {
        const double turn = 2 * std::numbers::pi * i / 25.0;
        double latitude = 47.0 + 0.0005 * std::sin(turn) + 0.000002 * i;
        double longitude = 10.0 + 0.0007 * std::cos(turn) + 0.000003 * i;
        if (i >= 2000) {
            latitude += 0.00005 * (i - 2000);
        }
        fixes.push_back({worldFromGeo({latitude, longitude}), 900 + i / 2, 0.0f});
    }
    return fixes;
}

double distanceToSegment(const WorldPoint& p, const WorldPoint& a, const WorldPoint& b) {
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double length2 = dx * dx + dy * dy;
    const double t =
        length2 > 0 ? std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / length2, 0.0, 1.0) : 0;
    return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

TEST(FlightPath, EachZoomDrawsTheTrackWithinHalfAPixel) {
    const FlightPath flight(thermalFlight());
    const auto fixes = flight.fixes();
    std::size_t previous = 0;
    for (int zoom = 0; zoom <= maxZoom; ++zoom) {
        const auto detail = flight.detail(zoom);
        ASSERT_GE(detail.size(), std::size_t{2});
        EXPECT_EQ(detail.front(), 0u);
        EXPECT_EQ(detail.back(), fixes.size() - 1);
        EXPECT_TRUE(std::is_sorted(detail.begin(), detail.end()));
        // A deeper zoom keeps at least what a shallower one drew.
        EXPECT_GE(detail.size(), previous);
        previous = detail.size();
        const double tolerance = 0.5 / worldPixels(zoom);
        for (std::size_t k = 1; k < detail.size(); ++k) {
            for (std::uint32_t i = detail[k - 1] + 1; i < detail[k]; ++i) {
                ASSERT_LE(
                    distanceToSegment(fixes[i].at, fixes[detail[k - 1]].at, fixes[detail[k]].at),
                    tolerance * (1 + 1e-9))
                    << "zoom " << zoom << " fix " << i;
            }
        }
    }
    // Seen from afar the circles shrink to a few points; close up every turn shows.
    EXPECT_LT(flight.detail(8).size(), std::size_t{60});
    EXPECT_GT(flight.detail(18).size(), std::size_t{2000});
}

TEST(FlightPath, AStraightGlideNeedsOnlyItsEnds) {
    std::vector<FlightFix> fixes;
    for (int i = 0; i <= 500; ++i) {
        fixes.push_back({{0.5 + i * 1e-6, 0.3 + i * 2e-6}, 1500 - i, 0.0f});
    }
    const FlightPath glide(std::move(fixes));
    EXPECT_EQ(glide.detail(maxZoom).size(), std::size_t{2});
    EXPECT_TRUE(FlightPath().empty());
    EXPECT_TRUE(FlightPath().detail(3).empty());
}

} // namespace
} // namespace zv::map
