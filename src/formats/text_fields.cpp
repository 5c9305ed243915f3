#include "formats/text_fields.h"

#include "base/ascii_text.h"
#include "formats/cp1252.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <system_error>

namespace zv {

namespace {

// Room for any double in fixed form with the precisions zv uses: 309 integer digits,
// sign, point and the decimals.
constexpr int maxPrecision = 20;
constexpr std::size_t fixedRoom = 1 + 309 + 1 + maxPrecision;

// Pads `digits` (which may start with a sign) to `width` as printf pads a number.
void appendPadded(std::string& out, std::string_view digits, int width, Fill fill) {
    const std::size_t length = digits.size();
    const auto columns = width > 0 ? static_cast<std::size_t>(width) : 0;
    if (length >= columns) {
        out.append(digits);
        return;
    }
    if (fill == Fill::Blanks) {
        out.append(columns - length, ' ');
        out.append(digits);
        return;
    }
    std::size_t sign = 0;
    if (!digits.empty() && (digits.front() == '-' || digits.front() == '+')) {
        out.push_back(digits.front());
        sign = 1;
    }
    out.append(columns - length, '0');
    out.append(digits.substr(sign));
}

std::string_view untilNul(std::string_view text) {
    return text.substr(0, text.find('\0'));
}

// std::to_chars with a precision runs, in libstdc++, the general algorithm that serves
// every double and every precision; it took most of the time of writing a waypoint or
// lift file. The numbers of zv's columns are small and have few decimals: for them the
// correctly rounded digits come from exact integer arithmetic in a fraction of that
// time. Everything else goes to std::to_chars.
__extension__ using Wide = unsigned __int128;

constexpr int fastPrecision = 9;
constexpr double fastLimit = 1e9; // |value| * 10^precision stays below 2^64
constexpr std::uint64_t powersOfTen[fastPrecision + 1] = {
    1, 10, 100, 1000, 10000, 100000, 1000000, 10000000, 100000000, 1000000000};

// The fixed digits of a finite value below fastLimit with at most fastPrecision decimals,
// with a '-' for a negative value (also negative zero, as printf writes it); returns the
// end of the digits in `out`, which holds at least 32 characters.
char* fastFixed(char* out, double value, int precision) {
    const auto bits = std::bit_cast<std::uint64_t>(value);
    if (bits >> 63 != 0) {
        *out++ = '-';
    }
    // value = mantissa * 2^exponent exactly.
    const auto biased = static_cast<int>((bits >> 52) & 0x7FF);
    std::uint64_t mantissa = bits & ((std::uint64_t{1} << 52) - 1);
    int exponent = -1074;
    if (biased != 0) {
        mantissa |= std::uint64_t{1} << 52;
        exponent = biased - 1075;
    }
    // The value in units of 10^-precision, rounded to nearest, ties to even. Below
    // fastLimit (< 2^52) the exponent is negative; below 2^-127 the scaled value
    // (< 2^83 * 2^-127) is far below one half and rounds to 0.
    std::uint64_t units = 0;
    const Wide scaled = Wide{mantissa} * powersOfTen[precision];
    if (exponent > -128) {
        const int shift = -exponent;
        const Wide whole = scaled >> shift;
        const Wide rest = scaled - (whole << shift);
        const Wide half = Wide{1} << (shift - 1);
        units = static_cast<std::uint64_t>(whole);
        if (rest > half || (rest == half && (units & 1) != 0)) {
            ++units;
        }
    }
    char digits[24];
    const auto length =
        static_cast<int>(std::to_chars(digits, digits + sizeof digits, units).ptr - digits);
    const char* const begin = digits;
    const char* const end = digits + length;
    if (length > precision) {
        out = std::copy(begin, end - precision, out);
        if (precision > 0) {
            *out++ = '.';
            out = std::copy(end - precision, end, out);
        }
    } else {
        // Fewer digits than decimals: "0." and zeros before them.
        *out++ = '0';
        *out++ = '.';
        out = std::fill_n(out, precision - length, '0');
        out = std::copy(begin, end, out);
    }
    return out;
}

} // namespace

void appendInteger(std::string& out, long long value, int width, Fill fill) {
    char digits[24];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    appendPadded(out, std::string_view(digits, static_cast<std::size_t>(result.ptr - digits)),
                 width, fill);
}

void appendFixed(std::string& out, double value, int precision, int width, Fill fill) {
    if (precision < 0) {
        precision = 0;
    } else if (precision > maxPrecision) {
        precision = maxPrecision;
    }
    char digits[fixedRoom];
    char* end = nullptr;
    if (precision <= fastPrecision && std::fabs(value) < fastLimit) {
        end = fastFixed(digits, value, precision);
    } else {
        end = std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed,
                            precision)
                  .ptr;
    }
    // printf pads "inf" and "nan" with blanks even where zeros were asked for.
    appendPadded(out, std::string_view(digits, static_cast<std::size_t>(end - digits)), width,
                 std::isfinite(value) ? fill : Fill::Blanks);
}

void appendGeneral(std::string& out, double value, int precision) {
    if (precision < 1) {
        precision = 1;
    } else if (precision > maxPrecision) {
        precision = maxPrecision;
    }
    // The exponent form takes over long before the fixed form grows wide.
    char digits[64];
    const auto result =
        std::to_chars(digits, digits + sizeof digits, value, std::chars_format::general, precision);
    out.append(digits, result.ptr);
}

void appendRight(std::string& out, std::string_view text, std::size_t width) {
    text = untilNul(text);
    if (text.size() < width) {
        out.append(width - text.size(), ' ');
    }
    out.append(text);
}

void appendLeft(std::string& out, std::string_view text, std::size_t width) {
    text = untilNul(text);
    out.append(text);
    if (text.size() < width) {
        out.append(width - text.size(), ' ');
    }
}

std::string utf8Field(std::string_view bytes) {
    return cp1252ToUtf8(trimBlanks(bytes, " "));
}

std::string integerText(long long value, int width, Fill fill) {
    std::string text;
    appendInteger(text, value, width, fill);
    return text;
}

std::string generalText(double value, int precision) {
    std::string text;
    appendGeneral(text, value, precision);
    return text;
}

bool parseDecimal(std::string_view text, double& value) {
    // The sign is taken here: std::from_chars takes no '+'.
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    // A digit or the point must come next: std::from_chars would also take "inf" and "nan".
    if (text.empty() || !((text.front() >= '0' && text.front() <= '9') || text.front() == '.')) {
        return false;
    }
    const char* const end = text.data() + text.size();
    double magnitude = 0;
    const auto result = std::from_chars(text.data(), end, magnitude);
    if (result.ec != std::errc() || result.ptr != end) {
        return false;
    }
    if (magnitude != 0 && magnitude < std::numeric_limits<double>::min()) {
        return false;
    }
    value = negative ? -magnitude : magnitude;
    return true;
}

} // namespace zv
