#pragma once

// Cutting a line segment at the edges of a rectangle of the view, so that a leg of a
// route or a flight that runs far beyond the view is drawn only where it shows: at deep
// zoom levels its ends lie millions of pixels away, and a painter given such a line
// spends seconds on it. Qt has no public function for it; this is the clip of Liang and
// Barsky.

#include "mapdata/map_viewport.h"

#include <optional>
#include <utility>

namespace zv::map {

struct ScreenRect {
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;
};

// The part of the segment from `a` to `b` inside the rectangle (edges included), in the
// segment's direction; nothing when no part is inside.
std::optional<std::pair<ScreenPoint, ScreenPoint>>
clipSegment(const ScreenPoint& a, const ScreenPoint& b, const ScreenRect& rect);

} // namespace zv::map
