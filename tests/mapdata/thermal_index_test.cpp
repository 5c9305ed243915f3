// The lift index: every lift of a view is drawn once, alone or in the group of its cell,
// and the groups tell the truth about their lifts.
#include "mapdata/map_viewport.h"
#include "mapdata/thermal_index.h"

#include <cmath>
#include <gtest/gtest.h>
#include <random>
#include <set>

namespace zv::map {
namespace {

std::vector<Thermal> randomThermals(std::size_t count, unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> latitude(46.0, 47.5);
    std::uniform_real_distribution<double> longitude(9.0, 11.5);
    std::uniform_int_distribution<int> climb(-10, 60);
    std::vector<Thermal> thermals;
    for (std::size_t i = 0; i < count; ++i) {
        Thermal thermal;
        thermal.at = worldFromGeo({latitude(random), longitude(random)});
        thermal.climb = static_cast<float>(climb(random)) / 10;
        thermal.altitude = static_cast<std::int32_t>(i);
        thermals.push_back(thermal);
    }
    // Repeats of one thermal, as a database of many flights holds them.
    for (int i = 0; i < 50; ++i) {
        Thermal repeat = thermals.front();
        repeat.altitude = static_cast<std::int32_t>(count) + i;
        thermals.push_back(repeat);
    }
    return thermals;
}

TEST(ThermalIndex, EveryLiftInViewIsInExactlyOneGroup) {
    const std::vector<Thermal> source = randomThermals(20000, 7);
    const ThermalIndex index(source);
    ASSERT_EQ(index.size(), source.size());
    struct View {
        LatLon centre;
        int zoom;
    };
    const View views[] = {{{46.7, 10.2}, 7},  {{46.7, 10.2}, 10}, {{46.2, 9.3}, 13},
                          {{47.4, 11.4}, 16}, {{46.9, 10.0}, 17}, {{46.9, 10.0}, 19}};
    for (const View& v : views) {
        const MapViewport view(worldFromGeo(v.centre), v.zoom, 1024, 768);
        const WorldRect area = view.visibleWorld();
        std::set<std::uint32_t> seen;
        std::size_t groups = 0;
        index.forEachGroup(area, v.zoom, [&](const ThermalGroup& group) {
            ++groups;
            ASSERT_GE(group.count, 1u);
            double x = 0;
            double y = 0;
            double climb = 0;
            for (std::uint32_t i = group.first; i < group.first + group.count; ++i) {
                EXPECT_TRUE(seen.insert(i).second) << "lift " << i << " drawn twice";
                x += index.thermals()[i].at.x;
                y += index.thermals()[i].at.y;
                climb += index.thermals()[i].climb;
            }
            EXPECT_NEAR(group.at.x, x / group.count, 1e-12);
            EXPECT_NEAR(group.at.y, y / group.count, 1e-12);
            EXPECT_NEAR(group.meanClimb, climb / group.count, 1e-4);
            if (v.zoom > ThermalIndex::deepestGroupedZoom) {
                EXPECT_EQ(group.count, 1u);
            }
        });
        std::size_t inView = 0;
        for (std::uint32_t i = 0; i < index.size(); ++i) {
            if (area.contains(index.thermals()[i].at)) {
                ++inView;
                EXPECT_TRUE(seen.contains(i)) << "lift " << i << " missing at zoom " << v.zoom;
            }
        }
        // The groups of a view stay few, however many lifts it shows.
        if (v.zoom <= ThermalIndex::deepestGroupedZoom) {
            EXPECT_LE(groups, std::size_t{18 * 14});
        }
        EXPECT_GE(seen.size(), inView);
    }
}

TEST(ThermalIndex, SmallDataAndTheStrongestLift) {
    EXPECT_EQ(ThermalIndex().size(), 0u);
    std::size_t visits = 0;
    ThermalIndex().forEachGroup({0, 0, 1, 1}, 5, [&](const ThermalGroup&) { ++visits; });
    EXPECT_EQ(visits, 0u);

    Thermal one;
    one.at = worldFromGeo({50.2338, 8.5148});
    one.climb = 2.6f;
    const ThermalIndex single({one});
    single.forEachGroup({0, 0, 1, 1}, 3, [&](const ThermalGroup& group) {
        ++visits;
        EXPECT_EQ(group.count, 1u);
        EXPECT_EQ(group.at, one.at);
        EXPECT_EQ(group.meanClimb, 2.6f);
    });
    EXPECT_EQ(visits, 1u);

    // All of them in one cell when seen from far away; the strongest among them.
    const std::vector<Thermal> source = randomThermals(300, 3);
    const ThermalIndex index(source);
    std::vector<ThermalGroup> groups;
    index.forEachGroup({0, 0, 1, 1}, 1,
                       [&](const ThermalGroup& group) { groups.push_back(group); });
    ASSERT_EQ(groups.size(), 1u);
    EXPECT_EQ(groups[0].count, source.size());
    float strongest = -100;
    for (const Thermal& thermal : source) {
        strongest = std::max(strongest, thermal.climb);
    }
    EXPECT_EQ(index.strongestClimb(groups[0]), strongest);
    // A view beside the lifts visits nothing.
    visits = 0;
    index.forEachGroup(MapViewport(worldFromGeo({30, -20}), 9, 800, 600).visibleWorld(), 9,
                       [&](const ThermalGroup&) { ++visits; });
    EXPECT_EQ(visits, 0u);
}

} // namespace
} // namespace zv::map
