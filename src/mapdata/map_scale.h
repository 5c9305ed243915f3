#pragma once

// The measures drawn over the map: the scale bar and the spacing of the graticule, the
// lines of latitude and longitude that stand in for the map when no tiles arrive.

namespace zv::map {

struct ScaleBar {
    double metres = 0; // a round length: 1, 2 or 5 times a power of ten
    double pixels = 0; // its length on the screen
};

// The longest round length that fits into `maxPixels` at this ground resolution.
ScaleBar scaleBar(double metresPerPixel, double maxPixels);

// The spacing in degrees of graticule lines at least `minPixels` apart at this many
// degrees per pixel: a round number of degrees, minutes or hundredths of a minute, so
// that the lines fall on positions the instrument's text form writes exactly.
double graticuleStep(double degreesPerPixel, double minPixels);

} // namespace zv::map
