#include "formats/text_fields.h"

#include <charconv>
#include <cmath>
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
    const auto result =
        std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, precision);
    // printf pads "inf" and "nan" with blanks even where zeros were asked for.
    appendPadded(out, std::string_view(digits, static_cast<std::size_t>(result.ptr - digits)),
                 width, std::isfinite(value) ? fill : Fill::Blanks);
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
