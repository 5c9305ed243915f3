#include "mapdata/map_scale.h"

#include <array>
#include <cmath>

namespace zv::map {

ScaleBar scaleBar(double metresPerPixel, double maxPixels) {
    if (!(metresPerPixel > 0) || !(maxPixels > 0) || !std::isfinite(metresPerPixel * maxPixels)) {
        return {};
    }
    const double longest = metresPerPixel * maxPixels;
    double power = std::pow(10.0, std::floor(std::log10(longest)));
    for (;;) {
        for (const double factor : {5.0, 2.0, 1.0}) {
            if (factor * power <= longest) {
                return {factor * power, factor * power / metresPerPixel};
            }
        }
        power /= 10;
    }
}

double graticuleStep(double degreesPerPixel, double minPixels) {
    constexpr double minute = 1.0 / 60;
    static constexpr std::array<double, 21> steps = {0.01 * minute,
                                                     0.02 * minute,
                                                     0.05 * minute,
                                                     0.1 * minute,
                                                     0.2 * minute,
                                                     0.5 * minute,
                                                     1 * minute,
                                                     2 * minute,
                                                     5 * minute,
                                                     10 * minute,
                                                     15 * minute,
                                                     30 * minute,
                                                     1,
                                                     2,
                                                     5,
                                                     10,
                                                     15,
                                                     30,
                                                     45,
                                                     90,
                                                     180};
    const double wanted = degreesPerPixel * minPixels;
    for (const double step : steps) {
        if (step >= wanted) {
            return step;
        }
    }
    return steps.back();
}

} // namespace zv::map
