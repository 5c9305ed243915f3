#pragma once

// The five climb classes in which the lift map export and the map window colour lifts and
// the climb of a track: sink or zero, up to 1, up to 3, up to 5 and above 5 m/s. Their
// colours are Windows colour values (red + 256 green + 65536 blue), as OziExplorer files
// keep them.

#include <array>
#include <cstdint>

namespace zv {

struct ClimbClass {
    float upTo; // the class holds climbs above the previous bound up to this one; the
                // strongest class has no upper bound (its value is not used)
    std::int32_t bgColour;
    std::int32_t fgColour;
};

inline constexpr std::array<ClimbClass, 5> climbClasses{{
    {0.0f, 16711680, 65535},   // blue, yellow text
    {1.0f, 16243391, 8388608}, // pale blue, dark blue text
    {3.0f, 12562683, 8388608}, // pink
    {5.0f, 5450740, 8388608},  // red-pink
    {0.0f, 255, 65535},        // red, yellow text: above 5
}};

// The index into climbClasses of a climb in m/s; a climb that is no number falls into the
// strongest class, as it always has in the lift map export.
inline int climbClassIndex(float climb) {
    for (int index = 0; index + 1 < static_cast<int>(climbClasses.size()); ++index) {
        if (climb <= climbClasses[static_cast<std::size_t>(index)].upTo) {
            return index;
        }
    }
    return static_cast<int>(climbClasses.size()) - 1;
}

} // namespace zv
