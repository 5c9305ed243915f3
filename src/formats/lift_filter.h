#pragma once

// How the lift reader treats the lifts it reads: the four uses of a lift file, and the
// region and wind-direction window of an extraction.

#include <cstdint>

namespace zv {

enum class LiftReadMode {
    Map,     // for the map: generated name, symbol and climb colours, decimal degrees
    Upload,  // for the instrument: decimal degrees, the rest as read
    Raw,     // for the lift database: as read (seconds folded into the minutes)
    Extract, // only the lifts inside the filter, as read (seconds folded into the minutes)
};

// The lifts an extraction keeps: all bounds inclusive, in signed decimal degrees (north
// and east positive); the wind window only when `windFilter` is set, without wrapping
// past 360.
struct LiftFilter {
    float latLow = 0;
    float latHigh = 0;
    float lonLow = 0;
    float lonHigh = 0;
    bool windFilter = false;
    std::int32_t windFrom = 0;
    std::int32_t windTo = 0;
};

} // namespace zv
