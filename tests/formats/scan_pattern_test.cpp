#include "formats/scan_pattern.h"

#include <bit>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdint>
#include <gtest/gtest.h>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

namespace zv {
namespace {

TEST(ScanPattern, IntegersAsScanfReadsThem) {
    struct Case {
        const char* input;
        int count;
        int value;
    };
    const Case cases[] = {
        {" 42", 1, 42},
        {"\t+7", 1, 7},
        {"-0", 1, 0},
        {"12abc", 1, 12},
        {"-2147483648", 1, INT_MIN},
        {"2147483647", 1, INT_MAX},
        {"2147483648", 0, -1}, // beyond 32 bits: does not convert
        {"x", 0, -1},
        {"", 0, -1},
        {"+", 0, -1},
        {"- 5", 0, -1},
    };
    const ScanPattern pattern("%d");
    for (const auto& c : cases) {
        int value = -1;
        EXPECT_EQ(pattern.scan(c.input, {value}), c.count) << c.input;
        EXPECT_EQ(value, c.value) << c.input;
    }
}

TEST(ScanPattern, FloatsAndWhatFollowsThem) {
    struct Case {
        const char* input;
        int count;
        float value;
        const char* rest; // what a following "%s" reads
    };
    const Case cases[] = {
        {"49.43 x", 2, 49.43f, "x"}, {" -2.5x", 2, -2.5f, "x"},   {".5 x", 2, 0.5f, "x"},
        {"5. x", 2, 5.0f, "x"},      {"+1e3 x", 2, 1000.0f, "x"}, {"1e x", 2, 1.0f, "e"},
        {"1e+ x", 2, 1.0f, "e+"},    {"3,5", 2, 3.0f, ",5"},      {"inf", 0, -1.0f, ""},
        {"nan", 0, -1.0f, ""},       {"1e39", 0, -1.0f, ""},      {".", 0, -1.0f, ""},
        {"-", 0, -1.0f, ""},         {"N 36", 0, -1.0f, ""},
    };
    const ScanPattern pattern("%f%s");
    for (const auto& c : cases) {
        float value = -1;
        std::string rest;
        EXPECT_EQ(pattern.scan(c.input, {value, ScanItem::text(rest, 10, TooLong::Refuse)}),
                  c.count)
            << c.input;
        EXPECT_EQ(value, c.value) << c.input;
        EXPECT_EQ(rest, c.rest) << c.input;
    }
}

// Short decimals take a quicker way than std::from_chars; every decimal must still come
// out as the float std::from_chars makes of it, and end where it ends.
TEST(ScanPattern, DecimalsConvertAsFromCharsConvertsThem) {
    std::mt19937 random(6000);
    const auto digits = [&](std::size_t count) {
        std::string text;
        for (std::size_t i = 0; i < count; ++i) {
            text += static_cast<char>('0' + random() % 10);
        }
        return text;
    };
    // Floats exactly halfway between two others (16777217) must round to even, decimals
    // near such a point must not be rounded twice; decimals of 15 digits and more, tiny and
    // huge ones are the edges of the quick way.
    std::vector<std::string> texts = {
        "0", "0.0", "00012.50", "16777216", "16777217", "16777219", "33554435", "9999999",
        "99999999", "0.500000014901161193847656250", "0.50000001490116119", "0.1", "0.3",
        "8.589973", "1.0000001", "3.4028235e38", "340282356779733661637539395458142568448",
        "340282366920938463463374607431768211455", "1e-45",
        "0.0000000000000000000000000000000000000117549435", "0.0000001", "1234567.", ".1234567",
        "47.999999", "59.995", "179.99999", "36.823833", "33604.00000", "999999999999999",
        "9999999999999999", "123456789.0123456",
        // Rounded to double these land exactly halfway.
        "1.49536794424057", "4.78222393989563", "0.51981320977211"};
    // Decimals of up to 15 digits close to a point halfway between two floats, on both
    // sides of it: the quick way forms them with a rounding error of its own.
    for (int i = 0; i < 20000; ++i) {
        const float low = std::bit_cast<float>(
            static_cast<std::uint32_t>(0x3F800000u + random() % 0x08000000u)); // 1 to 2^16
        const double halfway =
            (static_cast<double>(low) + static_cast<double>(std::nextafter(low, 1e9f))) / 2;
        for (const int precision : {13, 14, 15}) {
            char text[64];
            const auto end = std::to_chars(text, text + sizeof text, halfway,
                                           std::chars_format::general, precision)
                                 .ptr;
            texts.emplace_back(text, end);
        }
    }
    for (int i = 0; i < 60000; ++i) {
        std::string text = digits(random() % 12);
        if (random() % 3 != 0) {
            text += '.' + digits(random() % 12);
        }
        if (random() % 10 == 0) {
            text += "e" + std::to_string(static_cast<int>(random() % 20) - 10);
        }
        texts.push_back(text);
    }
    const ScanPattern pattern("%f%s");
    for (const std::string& text : texts) {
        float expected = 0;
        const auto result = std::from_chars(text.data(), text.data() + text.size(), expected);
        if (result.ec != std::errc()) {
            continue;
        }
        for (const char* sign : {"", "-", "+"}) {
            float value = -1;
            std::string rest;
            const int count =
                pattern.scan(sign + text + "|", {value, ScanItem::text(rest, 40, TooLong::Refuse)});
            ASSERT_EQ(count, 2) << sign << text;
            const float signedExpected = *sign == '-' ? -expected : expected;
            ASSERT_EQ(std::bit_cast<std::uint32_t>(value),
                      std::bit_cast<std::uint32_t>(signedExpected))
                << sign << text;
            ASSERT_EQ(rest, std::string(result.ptr, text.data() + text.size()) + "|")
                << sign << text;
        }
    }
}

TEST(ScanPattern, AMatchGoesOnWhereAnotherStopped) {
    const ScanPattern start("%d %s");
    const ScanPattern rest(" %d");
    int number = 0;
    std::string word;
    const auto first =
        start.scanFrom("12 ab  34", 0, {number, ScanItem::text(word, 4, TooLong::Refuse)});
    EXPECT_TRUE(start.matchedAll(first));
    EXPECT_EQ(first.position, 5u);
    EXPECT_EQ(rest.scanFrom("12 ab  34", first.position, {number}).converted, 1);
    EXPECT_EQ(number, 34);
    // A failed match tells where it stopped; a start beyond the end (or beyond a NUL, where
    // the input ends) converts nothing.
    const auto stopped =
        start.scanFrom("7 ", 0, {number, ScanItem::text(word, 4, TooLong::Refuse)});
    EXPECT_EQ(stopped.converted, 1);
    EXPECT_EQ(stopped.position, 2u);
    EXPECT_EQ(rest.scanFrom("12", 5, {number}).converted, 0);
    EXPECT_EQ(rest.scanFrom(std::string_view("1\0 5", 4), 2, {number}).converted, 0);
}

TEST(ScanPattern, TextLimitsCutOrRefuse) {
    const ScanPattern pattern("%s %s");
    std::string first;
    std::string second;
    const auto cut = ScanItem::text(first, 2, TooLong::Cut);
    const auto refuse = ScanItem::text(second, 3, TooLong::Refuse);

    EXPECT_EQ(pattern.scan("ESP m/s", {cut, refuse}), 2);
    EXPECT_EQ(first, "ES");
    EXPECT_EQ(second, "m/s");

    EXPECT_EQ(pattern.scan("DE kmh/h", {cut, refuse}), 1);
    EXPECT_EQ(first, "DE");
    EXPECT_EQ(second, "m/s"); // a refused item leaves its field alone

    // A width bounds the run; the rest stays in the input.
    const ScanPattern widthPattern("%2s%s");
    EXPECT_EQ(widthPattern.scan("ABCD", {cut, refuse}), 2);
    EXPECT_EQ(first, "AB");
    EXPECT_EQ(second, "CD");
}

TEST(ScanPattern, WhiteSpaceCharactersAndLiterals) {
    char letter = 0;
    int number = 0;
    // "%c" takes the next byte, blank included; " %c" skips white space first.
    EXPECT_EQ(ScanPattern("%c").scan("  N", {letter}), 1);
    EXPECT_EQ(letter, ' ');
    EXPECT_EQ(ScanPattern(" %c").scan(" \t N", {letter}), 1);
    EXPECT_EQ(letter, 'N');
    EXPECT_EQ(ScanPattern(" %c").scan("   ", {letter}), 0);
    // One blank in the pattern skips any amount, also none; literals must match.
    EXPECT_EQ(ScanPattern("a %c").scan("aX", {letter}), 1);
    EXPECT_EQ(ScanPattern("x=%d;").scan("x=5;", {number}), 1);
    EXPECT_EQ(ScanPattern("x=%d").scan("x:5", {number}), 0);
    EXPECT_EQ(ScanPattern("%%%d").scan("%9", {number}), 1);
    EXPECT_EQ(number, 9);
    // The input ends at a NUL byte, as a C string would.
    std::string rest;
    EXPECT_EQ(ScanPattern("%d %s").scan(std::string_view("7 ab\0cd", 7),
                                        {number, ScanItem::text(rest, 9, TooLong::Refuse)}),
              2);
    EXPECT_EQ(rest, "ab");
    // A wrong kind of item counts as a failed conversion.
    EXPECT_EQ(ScanPattern("%d %d").scan("1 2", {number, letter}), 1);
}

TEST(ScanPattern, SetsWithRangesWidthsAndHighBytes) {
    struct Case {
        const char* pattern;
        const char* input;
        int count;
        const char* text;
    };
    const Case cases[] = {
        {"%[a-c]", "abcd", 1, "abc"},
        {"%[c-a]", "abcd", 1, "abc"},    // a backwards range
        {"%[_/--]", "-./_,", 1, "-./_"}, // "/--" is the range of "-./"
        {"%[a-]", "a-b", 1, "a-"},       // "-" last is a member
        {"%[]a]", "]a]b", 1, "]a]"},     // "]" first is a member
        {"%[^,]", "AB C,x", 1, "AB C"},
        {"%[,]", ",,x", 1, ",,"},
        {"%[,]", " ,", 0, ""}, // "%[" skips no white space
        {"%3[A-Z ]", "AB  C", 1, "AB "},
        {"%[\xC4\xE4\xDF]", "\xE4\xDF\xC4\xE5", 1, "\xE4\xDF\xC4"},
        {"%[\xB0-\xB2]", "\xB1\xB0\xB3", 1, "\xB1\xB0"},
    };
    for (const auto& c : cases) {
        std::string text;
        EXPECT_EQ(ScanPattern(c.pattern).scan(c.input, {ScanItem::text(text, 20, TooLong::Cut)}),
                  c.count)
            << c.pattern;
        EXPECT_EQ(text, c.text) << c.pattern;
    }
}

TEST(ScanPattern, CountsItemsAndRejectsUnknownPatterns) {
    EXPECT_EQ(ScanPattern("%d %[,] %14[A-Z ] %f  %c %s 50%%").itemCount(), 6);
    for (const char* bad : {"%", "%x", "%[abc", "%3d", "%2c", "%5f"}) {
        EXPECT_THROW(ScanPattern{bad}, std::invalid_argument) << bad;
    }
}

// The blank runs of the fixed columns are passed a word at a time: runs of every length
// around a word, ending in a number, in other white space or at the end of the input,
// must be passed exactly as byte by byte.
TEST(ScanPattern, BlankRunsOfEveryLengthArePassedExactly) {
    const ScanPattern pattern("%d %d");
    for (std::size_t lead = 0; lead < 20; ++lead) {
        for (std::size_t run = 0; run < 20; ++run) {
            for (const char* tail : {"", "\t", "\n \r"}) {
                const std::string input =
                    std::string(lead, ' ') + "7" + std::string(run, ' ') + tail + "-3";
                int first = 0;
                int second = 0;
                EXPECT_EQ(pattern.scan(input, {first, second}), 2) << '"' << input << '"';
                EXPECT_EQ(first, 7);
                EXPECT_EQ(second, -3);
                // Blanks up to the end: the second number is missing.
                const std::string open = std::string(lead, ' ') + "7" + std::string(run, ' ');
                EXPECT_EQ(pattern.scan(open, {first, second}), 1) << '"' << open << '"';
            }
        }
    }
}

// A record's short text fields take what a std::string takes, within their capacity.
TEST(ScanPattern, ShortTextFieldsKeepTheirLimits) {
    struct Case {
        const char* input;
        TooLong rule;
        int count;
        const char* stored;
    };
    const Case cases[] = {
        {"m/s", TooLong::Refuse, 1, "m/s"},
        {"km/h", TooLong::Refuse, 0, ""},
        {"km/h", TooLong::Cut, 1, "km/"},
        {"x", TooLong::Refuse, 1, "x"},
    };
    const ScanPattern pattern("%s");
    for (const auto& c : cases) {
        ShortText<3> unit;
        // A limit beyond the field's capacity is held to the capacity.
        EXPECT_EQ(pattern.scan(c.input, {ScanItem::text(unit, 10, c.rule)}), c.count) << c.input;
        EXPECT_EQ(unit, c.stored) << c.input;
        EXPECT_EQ(std::string(unit.c_str()), c.stored) << c.input;
    }
    ShortText<2> id = "DEU";
    EXPECT_EQ(id, "DE");
    EXPECT_EQ(id.size(), 2u);
}

} // namespace
} // namespace zv
