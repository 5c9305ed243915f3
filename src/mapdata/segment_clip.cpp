#include "mapdata/segment_clip.h"

#include <algorithm>

namespace zv::map {

std::optional<std::pair<ScreenPoint, ScreenPoint>>
clipSegment(const ScreenPoint& a, const ScreenPoint& b, const ScreenRect& rect) {
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    double enter = 0; // the part of the segment from `enter` to `leave` is inside
    double leave = 1;
    // One edge: `towards` is how fast the segment moves out across it, `room` how far
    // inside the edge `a` lies.
    const auto keep = [&](double towards, double room) {
        if (towards == 0) {
            return room >= 0;
        }
        const double t = room / towards;
        if (towards < 0) {
            enter = std::max(enter, t);
        } else {
            leave = std::min(leave, t);
        }
        return enter <= leave;
    };
    if (!keep(-dx, a.x - rect.left) || !keep(dx, rect.right - a.x) || !keep(-dy, a.y - rect.top) ||
        !keep(dy, rect.bottom - a.y)) {
        return std::nullopt;
    }
    // Ends inside stay exactly as they were: the next segment starts where this one ends.
    return std::pair{enter == 0 ? a : ScreenPoint{a.x + enter * dx, a.y + enter * dy},
                     leave == 1 ? b : ScreenPoint{a.x + leave * dx, a.y + leave * dy}};
}

} // namespace zv::map
