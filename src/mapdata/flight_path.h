#pragma once

// A flight on the map: its fixes in world coordinates with the climb at each, and for
// every zoom level the fixes that keep the drawn line within half a pixel of the whole
// track (Douglas-Peucker), so that a flight of 20,000 points draws only what shows.

#include "mapdata/web_mercator.h"

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace zv::map {

// The flight data file holds no time stamps: the climb is the altitude change per fix,
// read as one fix a second.
inline constexpr double secondsPerFix = 1.0;
// The climb of a fix is averaged over this many fixes before and after it, as a
// variometer averages, so that the noise of single GPS altitudes does not colour the line.
inline constexpr int climbHalfWindow = 5;

struct FlightFix {
    WorldPoint at;
    std::int32_t altitude = 0; // metres
    float climb = 0;           // m/s, averaged
};

class FlightPath {
public:
    FlightPath() = default;
    // The track's fixes in file order, with place and altitude; the climbs are filled in.
    explicit FlightPath(std::vector<FlightFix> fixes);

    std::span<const FlightFix> fixes() const { return fixes_; }
    bool empty() const { return fixes_.empty(); }
    const WorldRect& bounds() const { return bounds_; }

    // The indices of the fixes drawn at a zoom level, in file order, the first and the
    // last fix always among them.
    std::span<const std::uint32_t> detail(int zoom) const;
    // The mean climb from fix `first` to fix `last` (first < last), the climb the line
    // between the two stands for when the fixes between them are left out.
    float meanClimb(std::size_t first, std::size_t last) const;

private:
    std::vector<FlightFix> fixes_;
    std::vector<double> climbSums_; // climbSums_[i]: the climbs of fixes 0 .. i-1 added up
    std::array<std::vector<std::uint32_t>, maxZoom + 1> detail_;
    WorldRect bounds_;
};

} // namespace zv::map
