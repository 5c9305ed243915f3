#include "formats/coordinates.h"
#include "formats/sign_symbols.h"
#include "formats/text_file.h"
#include "support/c_format.h"

#include <gtest/gtest.h>

namespace zv {
namespace {

// The columns the instrument writer prints: letter, "%2.0f" degrees, "%05.2f" minutes.
std::string written(const TextCoordinate& text) {
    return test::cFormat("%c  %2.0f %05.2f", text.hemisphere, text.degrees, text.minutes);
}

TEST(Coordinates, DecimalDegreesToInstrumentText) {
    struct Case {
        double value;
        const char* latitude;
        const char* longitude;
    };
    const Case cases[] = {
        {36.823833f, "N  36 49.43", "E  36 49.43"},
        {-2.570167f, "S   2 34.21", "W   2 34.21"},
        {-0.5, "S   0 30.00", "W   0 30.00"},
        // Zero of either sign gets the negative letter and never "-0".
        {0.0, "S   0 00.00", "W   0 00.00"},
        {-0.0, "S   0 00.00", "W   0 00.00"},
        {-1e-9, "S   0 00.00", "W   0 00.00"},
        // 59.99994 minutes are written as 60.00; no carry into the degrees.
        {47.999999, "N  47 60.00", "E  47 60.00"},
        {-123.25, "S  123 15.00", "W  123 15.00"}, // three digits widen the column
    };
    for (const auto& c : cases) {
        EXPECT_EQ(written(latitudeToText(c.value)), c.latitude) << c.value;
        EXPECT_EQ(written(longitudeToText(c.value)), c.longitude) << c.value;
    }
    EXPECT_NEAR(latitudeToText(47.999999).minutes, 59.99994f, 1e-4f);
}

TEST(Coordinates, InstrumentTextToDecimalDegrees) {
    EXPECT_FLOAT_EQ(latitudeFromText('N', 47, 12.5f, 0), 47.208333f);
    EXPECT_FLOAT_EQ(longitudeFromText('E', 11, 3.2f, 0), 11.053333f);
    EXPECT_EQ(latitudeFromText('N', 47, 12, 30),
              static_cast<float>(47 + 12 / 60.0L + 30 / 3600.0L));
    // Only the exact letter of the other hemisphere negates.
    EXPECT_FLOAT_EQ(latitudeFromText('s', 1, 30, 0), 1.5f);
    EXPECT_FLOAT_EQ(latitudeFromText('W', 1, 30, 0), 1.5f);
    EXPECT_FLOAT_EQ(longitudeFromText('S', 1, 30, 0), 1.5f);
}

TEST(SignSymbols, EverySignComesBackThroughItsSymbol) {
    for (const char* sign : {"o", "TPT", "H", "X", "+", "T"}) {
        std::string column(signOfSymbol(symbolOfSign(sign).symbol));
        ASSERT_EQ(column.size(), 6u) << sign;
        EXPECT_EQ(column.substr(3, column.find_last_not_of(' ') - 2), sign);
    }
    // Unknown texts and symbols fall back to "o"; the comparison is exact.
    for (const char* other : {"tpt", "   +  ", "", "++"}) {
        EXPECT_EQ(symbolOfSign(other).symbol, 0) << other;
        EXPECT_EQ(symbolOfSign(other).fgColour, 8388608) << other;
        EXPECT_EQ(symbolOfSign(other).bgColour, 65280) << other;
    }
    EXPECT_EQ(signOfSymbol(3), "   o  ");
    EXPECT_EQ(signOfSymbol(-1), "   o  ");
}

} // namespace
} // namespace zv
