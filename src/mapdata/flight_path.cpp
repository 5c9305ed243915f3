#include "mapdata/flight_path.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace zv::map {

namespace {

double distanceToSegment(const WorldPoint& p, const WorldPoint& a, const WorldPoint& b) {
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double length2 = dx * dx + dy * dy;
    double t = length2 > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / length2 : 0;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

// Douglas-Peucker once for all tolerances: each fix gets the tolerance below which it is
// kept. A fix chosen inside a span never gets more than the fix that opened the span, so
// that the fixes kept at one tolerance are all kept at every smaller one. Written with an
// explicit stack: a long flight would recurse too deep.
std::vector<double> significance(std::span<const FlightFix> fixes) {
    std::vector<double> result(fixes.size(), 0.0);
    if (fixes.empty()) {
        return result;
    }
    constexpr double always = std::numeric_limits<double>::infinity();
    result.front() = always;
    result.back() = always;
    struct Span {
        std::size_t first;
        std::size_t last;
        double limit;
    };
    std::vector<Span> open{{0, fixes.size() - 1, always}};
    while (!open.empty()) {
        const Span span = open.back();
        open.pop_back();
        if (span.last <= span.first + 1) {
            continue;
        }
        std::size_t farthest = span.first + 1;
        double distance = -1;
        for (std::size_t i = span.first + 1; i < span.last; ++i) {
            const double d =
                distanceToSegment(fixes[i].at, fixes[span.first].at, fixes[span.last].at);
            if (d > distance) {
                distance = d;
                farthest = i;
            }
        }
        const double limit = std::min(distance, span.limit);
        result[farthest] = limit;
        open.push_back({span.first, farthest, limit});
        open.push_back({farthest, span.last, limit});
    }
    return result;
}

} // namespace

FlightPath::FlightPath(std::vector<FlightFix> fixes) : fixes_(std::move(fixes)) {
    const std::size_t count = fixes_.size();
    climbSums_.assign(count + 1, 0.0);
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t before = i >= climbHalfWindow ? i - climbHalfWindow : 0;
        const std::size_t after = std::min(i + climbHalfWindow, count - 1);
        fixes_[i].climb =
            after > before ? static_cast<float>((fixes_[after].altitude -
                                                 static_cast<double>(fixes_[before].altitude)) /
                                                static_cast<double>(after - before) / secondsPerFix)
                           : 0.0f;
        climbSums_[i + 1] = climbSums_[i] + fixes_[i].climb;
        bounds_.add(fixes_[i].at);
    }
    const std::vector<double> kept = significance(fixes_);
    for (int zoom = 0; zoom <= maxZoom; ++zoom) {
        const double tolerance = 0.5 / worldPixels(zoom);
        std::vector<std::uint32_t>& detail = detail_[static_cast<std::size_t>(zoom)];
        for (std::size_t i = 0; i < count; ++i) {
            if (kept[i] >= tolerance) {
                detail.push_back(static_cast<std::uint32_t>(i));
            }
        }
    }
}

std::span<const std::uint32_t> FlightPath::detail(int zoom) const {
    return detail_[static_cast<std::size_t>(std::clamp(zoom, 0, maxZoom))];
}

float FlightPath::meanClimb(std::size_t first, std::size_t last) const {
    if (last <= first || last > fixes_.size()) {
        return 0;
    }
    return static_cast<float>((climbSums_[last] - climbSums_[first]) /
                              static_cast<double>(last - first));
}

} // namespace zv::map
