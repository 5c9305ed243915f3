#pragma once

// The five classes of climb in which lifts are shown on a map, each with its colours:
// at most 0 m/s, up to 1, up to 3, up to 5, and above 5. The colours are Windows colour
// values (red + 256 green + 65536 blue), as OziExplorer files carry them.

#include <array>
#include <cstddef>
#include <cstdint>

namespace zv {

struct ClimbClass {
    float upTo; // the class holds climbs above the previous bound up to this one; the
                // last class has no bound
    std::int32_t bgColour;
    std::int32_t fgColour;
    const char* label; // as a legend shows it
};

inline constexpr std::array<ClimbClass, 5> climbClasses{{
    {0.0f, 16711680, 65535, "bis 0 m/s"},   // blue, yellow text
    {1.0f, 16243391, 8388608, "bis 1 m/s"}, // pale blue, dark blue text
    {3.0f, 12562683, 8388608, "bis 3 m/s"}, // pink
    {5.0f, 5450740, 8388608, "bis 5 m/s"},  // red-pink
    {0.0f, 255, 65535, "über 5 m/s"},       // red, yellow text
}};

// The index in `climbClasses` of a climb; a climb that is no number falls into the last.
inline std::size_t climbClassOf(float climb) {
    for (std::size_t i = 0; i + 1 < climbClasses.size(); ++i) {
        if (climb <= climbClasses[i].upTo) {
            return i;
        }
    }
    return climbClasses.size() - 1;
}

} // namespace zv
