#include "formats/text_fields.h"
#include "support/c_format.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <gtest/gtest.h>
#include <limits>
#include <random>
#include <vector>

namespace zv {
namespace {

using test::cFormat;

// Values where fixed-point output goes wrong first: ties of the exact binary value at
// every precision (printf rounds them to even), values just beside them, negative zero,
// values that widen their field, the bounds of the short path, infinities and NaN.
std::vector<double> edgeValues() {
    std::vector<double> values = {0.0,
                                  -0.0,
                                  0.5,
                                  1.5,
                                  2.5,
                                  -0.5,
                                  -2.5,
                                  0.125,
                                  0.375,
                                  -0.125,
                                  0.005,
                                  59.995,
                                  59.994999,
                                  59.99999,
                                  47.999999,
                                  99.95,
                                  -0.04,
                                  -0.0000001,
                                  123456.785,
                                  999999999.5,
                                  999999999.9999999,
                                  1e9,
                                  -1e9,
                                  1e15 + 0.5,
                                  4503599627370495.5,
                                  9007199254740993.0,
                                  1e300,
                                  -1e300,
                                  std::numeric_limits<double>::max(),
                                  std::numeric_limits<double>::min(),
                                  std::numeric_limits<double>::denorm_min(),
                                  static_cast<double>(std::numeric_limits<float>::max()),
                                  static_cast<double>(std::numeric_limits<float>::denorm_min()),
                                  std::numeric_limits<double>::infinity(),
                                  -std::numeric_limits<double>::infinity(),
                                  std::numeric_limits<double>::quiet_NaN(),
                                  -std::numeric_limits<double>::quiet_NaN()};
    // (2k + 1) / 2^(p + 1) is an exact tie at p decimals; next to it the neighbouring
    // doubles, which must round away from the tie.
    for (int precision = 0; precision <= 9; ++precision) {
        for (int k = 0; k < 300; ++k) {
            const double tie = std::ldexp(2.0 * k + 1, -(precision + 1));
            for (const double value :
                 {tie, std::nextafter(tie, 0.0), std::nextafter(tie, 1e300), -tie, tie + 45}) {
                values.push_back(value);
            }
        }
    }
    return values;
}

// Random values of every kind the columns see: floats of coordinates, minutes and climbs
// as the readers store them, doubles of tracks, and doubles of any bit pattern.
std::vector<double> randomValues() {
    std::mt19937_64 random(20261211);
    std::uniform_real_distribution<double> degrees(-180, 180);
    std::uniform_int_distribution<std::uint64_t> bits;
    std::uniform_int_distribution<int> hundredths(-600000, 600000);
    std::vector<double> values;
    for (int i = 0; i < 8000; ++i) {
        values.push_back(static_cast<float>(degrees(random)));
        values.push_back(static_cast<float>(hundredths(random)) / 100.0f);
        values.push_back(hundredths(random) * (1.0 / 6000));
        values.push_back(std::bit_cast<double>(bits(random)));
        values.push_back(
            static_cast<double>(std::bit_cast<float>(static_cast<std::uint32_t>(bits(random)))));
    }
    return values;
}

TEST(TextFields, FixedPointAsPrintfWritesItInTheCLocale) {
    struct Column {
        const char* format;
        int precision;
        int width;
        Fill fill;
    };
    // Every fixed-point column of zv's files and reports, and a few beyond.
    const Column columns[] = {
        {"%2.0f", 0, 2, Fill::Blanks},   {"%05.2f", 2, 5, Fill::Zeros},
        {"%10.6f", 6, 10, Fill::Blanks}, {"%11.6f", 6, 11, Fill::Blanks},
        {"%4.1f", 1, 4, Fill::Blanks},   {"%3.1f", 1, 3, Fill::Blanks},
        {"%5.1f", 1, 5, Fill::Blanks},   {"%.9f", 9, 0, Fill::Blanks},
        {"%012.3f", 3, 12, Fill::Zeros}, {"%.12f", 12, 0, Fill::Blanks},
    };
    std::vector<double> values = edgeValues();
    const std::vector<double> random = randomValues();
    values.insert(values.end(), random.begin(), random.end());
    for (const Column& column : columns) {
        int failures = 0;
        for (const double value : values) {
            std::string text = "x";
            appendFixed(text, value, column.precision, column.width, column.fill);
            const std::string expected = "x" + cFormat(column.format, value);
            if (text != expected && ++failures <= 5) {
                ADD_FAILURE() << column.format << " of " << cFormat("%.17g", value) << ": " << text
                              << " instead of " << expected;
            }
        }
        EXPECT_EQ(failures, 0) << column.format;
    }
}

TEST(TextFields, GeneralFormAsPrintfWritesIt) {
    std::vector<double> values = edgeValues();
    const std::vector<double> random = randomValues();
    values.insert(values.end(), random.begin(), random.end());
    values.insert(values.end(), {1e-5, 0.0001, 123456.0, 1234567.0, 1e15, 1e16, 46.5, 7.0});
    for (const int precision : {6, 15}) {
        const std::string format = "%." + std::to_string(precision) + "g";
        int failures = 0;
        for (const double value : values) {
            const std::string expected = cFormat(format.c_str(), value);
            if (generalText(value, precision) != expected && ++failures <= 5) {
                ADD_FAILURE() << format << ": " << generalText(value, precision) << " instead of "
                              << expected;
            }
        }
        EXPECT_EQ(failures, 0) << format;
    }
}

TEST(TextFields, IntegersAsPrintfWritesThem) {
    std::vector<long long> values = {0,
                                     1,
                                     -1,
                                     7,
                                     -7,
                                     46,
                                     360,
                                     -360,
                                     9999,
                                     10000,
                                     -999,
                                     std::numeric_limits<int>::max(),
                                     std::numeric_limits<int>::min(),
                                     std::numeric_limits<long long>::max(),
                                     std::numeric_limits<long long>::min()};
    std::mt19937_64 random(7);
    std::uniform_int_distribution<long long> any(std::numeric_limits<long long>::min(),
                                                 std::numeric_limits<long long>::max());
    std::uniform_int_distribution<int> small(-100000, 100000);
    for (int i = 0; i < 2000; ++i) {
        values.push_back(any(random));
        values.push_back(small(random));
    }
    struct Column {
        const char* format;
        int width;
        Fill fill;
    };
    const Column columns[] = {{"%lld", 0, Fill::Blanks},  {"%4lld", 4, Fill::Blanks},
                              {"%5lld", 5, Fill::Blanks}, {"%10lld", 10, Fill::Blanks},
                              {"%02lld", 2, Fill::Zeros}, {"%03lld", 3, Fill::Zeros},
                              {"%08lld", 8, Fill::Zeros}};
    for (const Column& column : columns) {
        for (const long long value : values) {
            ASSERT_EQ(integerText(value, column.width, column.fill), cFormat(column.format, value))
                << column.format;
        }
    }
}

TEST(TextFields, TextsPaddedAndEndedAtNulAsCStrings) {
    struct Case {
        std::string text;
        std::size_t width;
        const char* right;
        const char* left;
    };
    const Case cases[] = {
        {"", 2, "  ", "  "},
        {"m", 2, " m", "m "},
        {"ES", 2, "ES", "ES"},
        {"kmh", 2, "kmh", "kmh"}, // a longer text widens the field
        {std::string("A\0B", 3), 4, "   A", "A   "},
        {"\xC4\xB0", 3, " \xC4\xB0", "\xC4\xB0 "},
    };
    for (const Case& c : cases) {
        std::string right;
        appendRight(right, c.text, c.width);
        EXPECT_EQ(right, c.right) << c.text;
        std::string left;
        appendLeft(left, c.text, c.width);
        EXPECT_EQ(left, c.left) << c.text;
    }
}

TEST(TextFields, DecimalTextReadWholeOrRefused) {
    struct Case {
        const char* text;
        bool read;
        double value;
    };
    const Case cases[] = {
        {"46.5", true, 46.5}, {"+7", true, 7},          {"-.5", true, -0.5}, {"5.", true, 5},
        {"1e2", true, 100},   {"-1.5E-1", true, -0.15}, {"0", true, 0},      {"", false, 0},
        {"-", false, 0},      {".", false, 0},          {"1e", false, 0},    {"1.2.3", false, 0},
        {"--1", false, 0},    {"+-1", false, 0},        {"-+1", false, 0},   {"inf", false, 0},
        {"nan", false, 0},    {"0x10", false, 0},       {"1e999", false, 0}, {"2e-308", false, 0},
        {"46,5", false, 0},   {" 46.5", false, 0},
    };
    for (const Case& c : cases) {
        double value = -99;
        EXPECT_EQ(parseDecimal(c.text, value), c.read) << c.text;
        EXPECT_EQ(value, c.read ? c.value : -99) << c.text;
    }
}

} // namespace
} // namespace zv
