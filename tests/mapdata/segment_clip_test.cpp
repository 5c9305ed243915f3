// Segments cut at the edges of the view: what stays is inside, on the segment, in its
// direction, and ends inside are kept exactly.
#include "mapdata/segment_clip.h"

#include <cmath>
#include <gtest/gtest.h>

namespace zv::map {
namespace {

TEST(SegmentClip, WhatShowsOfASegment) {
    const ScreenRect view{0, 0, 800, 600};
    struct Case {
        const char* name;
        ScreenPoint a;
        ScreenPoint b;
        bool shown;
        ScreenPoint from;
        ScreenPoint to;
    };
    const Case cases[] = {
        {"inside", {10, 20}, {300, 400}, true, {10, 20}, {300, 400}},
        {"out on the right", {700, 300}, {900, 300}, true, {700, 300}, {800, 300}},
        {"through from left to right", {-100, 300}, {900, 300}, true, {0, 300}, {800, 300}},
        {"through backwards", {900, 300}, {-100, 300}, true, {800, 300}, {0, 300}},
        {"diagonal through a corner", {-100, -100}, {100, 100}, true, {0, 0}, {100, 100}},
        {"beside", {-100, 10}, {-10, 500}, false, {}, {}},
        {"past a corner", {700, -200}, {1000, 100}, false, {}, {}},
        {"along an edge", {0, -50}, {0, 50}, true, {0, 0}, {0, 50}},
        {"a point inside", {5, 5}, {5, 5}, true, {5, 5}, {5, 5}},
        {"a point outside", {-5, 5}, {-5, 5}, false, {}, {}},
        // A leg of a route at zoom 19: its ends millions of pixels away.
        {"far ends",
         {400 - 3.0e7, 300 - 1.0e7},
         {400 + 3.0e7, 300 + 1.0e7},
         true,
         {0, 300 - 400 / 3.0},
         {800, 300 + 400 / 3.0}},
    };
    for (const Case& c : cases) {
        const auto shown = clipSegment(c.a, c.b, view);
        ASSERT_EQ(shown.has_value(), c.shown) << c.name;
        if (!shown) {
            continue;
        }
        EXPECT_NEAR(shown->first.x, c.from.x, 1e-6) << c.name;
        EXPECT_NEAR(shown->first.y, c.from.y, 1e-6) << c.name;
        EXPECT_NEAR(shown->second.x, c.to.x, 1e-6) << c.name;
        EXPECT_NEAR(shown->second.y, c.to.y, 1e-6) << c.name;
    }
    // Ends inside stay exactly what they were, so that the next segment joins on.
    const ScreenPoint a{0.1, 0.7};
    const ScreenPoint b{333.3, 77.7};
    const auto kept = clipSegment(a, b, view);
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->second.x, b.x);
    EXPECT_EQ(kept->second.y, b.y);
}

} // namespace
} // namespace zv::map
