// The measures and texts over the map: scale bar, graticule spacing and the pointer's
// position in the instrument's text form.
#include "mapdata/map_scale.h"
#include "mapdata/map_texts.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace zv::map {
namespace {

TEST(MapScale, TheScaleBarIsTheLongestRoundLengthThatFits) {
    struct Case {
        double metresPerPixel;
        double maxPixels;
        double metres;
        const char* text;
    };
    const Case cases[] = {
        {10, 150, 1000, "1 km"},       {13.3, 150, 1000, "1 km"}, {6.7, 150, 1000, "1 km"},
        {6.6, 150, 500, "500 m"},      {0.3, 150, 20, "20 m"},    {150, 150, 20000, "20 km"},
        {2000, 150, 200000, "200 km"}, {0.01, 150, 1, "1 m"},     {34, 100, 2000, "2 km"},
    };
    for (const Case& c : cases) {
        const ScaleBar bar = scaleBar(c.metresPerPixel, c.maxPixels);
        EXPECT_DOUBLE_EQ(bar.metres, c.metres) << c.metresPerPixel;
        EXPECT_LE(bar.pixels, c.maxPixels);
        EXPECT_NEAR(bar.pixels * c.metresPerPixel, bar.metres, 1e-9);
        EXPECT_EQ(distanceText(bar.metres), c.text);
    }
    EXPECT_EQ(scaleBar(0, 150).pixels, 0);
    EXPECT_EQ(scaleBar(std::numeric_limits<double>::infinity(), 150).pixels, 0);
    EXPECT_EQ(distanceText(1500), "1.5 km");
}

TEST(MapScale, GraticuleLinesFallOnRoundDegreesAndMinutes) {
    struct Case {
        double degreesPerPixel;
        double minutes; // the step
    };
    const Case cases[] = {
        {1.0, 180 * 60}, // the whole world at zoom 0
        {0.1, 15 * 60},
        {0.01, 2 * 60},
        {0.0015, 10},
        {360.0 / (256 << 12), 5},
        {360.0 / (256 << 16), 0.2},
        {1e-9, 0.01},
    };
    for (const Case& c : cases) {
        const double step = graticuleStep(c.degreesPerPixel, 110);
        EXPECT_NEAR(step * 60, c.minutes, 1e-9) << c.degreesPerPixel;
        if (c.minutes < 180 * 60 && c.minutes > 0.01) {
            EXPECT_GE(step / c.degreesPerPixel, 110);
        }
    }
}

TEST(MapTexts, PositionsInTheInstrumentsTextForm) {
    struct Case {
        LatLon place;
        const char* text;
    };
    const Case cases[] = {
        {{47 + 12.5 / 60, 10.4}, "N  47 12.50   E  10 24.00"},
        {{-(33 + 30.0 / 60), -(70 + 15.0 / 60)}, "S  33 30.00   W  70 15.00"},
        {{36.823833, -2.570167}, "N  36 49.43   W   2 34.21"},
        // Zero is written with the southern and western letters, as the instrument does.
        {{0, 0}, "S   0 00.00   W   0 00.00"},
        {{-3.0916667, -120.99983}, "S   3 05.50   W  120 59.99"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(positionText(c.place), c.text);
    }
    EXPECT_EQ(latitudeText(47.5), "N  47 30.00");
    EXPECT_EQ(longitudeText(-0.25), "W   0 15.00");
}

} // namespace
} // namespace zv::map
