#include "base/field_checks.h"

#include <charconv>
#include <climits>
#include <limits>
#include <system_error>

namespace zv {

namespace {

// "%.15g", the form the range messages show a real limit in, whatever the locale.
std::string limitText(double value) {
    char buffer[32];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    return std::string(buffer, result.ptr);
}

// The whole text as one whole number with an optional sign. A number beyond 10^12 is
// not read further: it is out of every field's range all the same.
std::optional<long long> wholeNumber(std::string_view text) {
    text = trimBlanks(text);
    const bool negative = !text.empty() && text.front() == '-';
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        text.remove_prefix(1);
    }
    if (text.empty() || text.find_first_not_of("0123456789") != std::string_view::npos) {
        return std::nullopt;
    }
    long long value = 0;
    for (std::size_t p = 0; p < text.size() && value <= 1'000'000'000'000LL; ++p) {
        value = value * 10 + (text[p] - '0');
    }
    return negative ? -value : value;
}

// A decimal number that fills the whole text: an optional sign, digits with an optional
// point, an optional exponent; neither "inf" nor "nan", nor a value beyond double or
// below its smallest normal value.
std::optional<double> decimalNumber(std::string_view text) {
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty() || !((text.front() >= '0' && text.front() <= '9') || text.front() == '.')) {
        return std::nullopt;
    }
    double magnitude = 0;
    const char* const end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, magnitude);
    if (result.ec != std::errc() || result.ptr != end ||
        (magnitude != 0 && magnitude < std::numeric_limits<double>::min())) {
        return std::nullopt;
    }
    return negative ? -magnitude : magnitude;
}

} // namespace

std::size_t characterCount(std::string_view utf8Text) {
    std::size_t count = 0;
    for (const char c : utf8Text) {
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) {
            ++count;
        }
    }
    return count;
}

std::string messageIntegerRange(int low, int high) {
    return "Geben Sie bitte eine ganze Zahl zwischen " + std::to_string(low) + " und " +
           std::to_string(high) + " ein.";
}

std::string messageRealRange(double low, double high) {
    return "Geben Sie bitte eine Zahl zwischen " + limitText(low) + " und " + limitText(high) +
           " ein.";
}

std::string messageMaxCharacters(int count) {
    return "Geben Sie bitte nicht mehr als " + std::to_string(count) + " Zeichen ein.";
}

std::string messageNotInteger() {
    return "Geben Sie bitte eine ganze Zahl ein.";
}

std::string messageNotUnsigned() {
    return "Geben Sie bitte eine positive ganze Zahl ein.";
}

std::string messageNotNumber() {
    return "Geben Sie bitte eine Zahl ein.";
}

FieldRefusal checkInteger(std::string_view text, int low, int high, int& value, TooLarge tooLarge) {
    const auto number = wholeNumber(text);
    if (!number || (tooLarge == TooLarge::NotInteger && (*number < INT_MIN || *number > INT_MAX))) {
        return messageNotInteger();
    }
    if (*number < low || *number > high) {
        return messageIntegerRange(low, high);
    }
    value = static_cast<int>(*number);
    return std::nullopt;
}

FieldRefusal checkUnsigned(std::string_view text, int& value) {
    const auto number = wholeNumber(text);
    if (!number || *number < 0 || *number > INT_MAX) {
        return messageNotUnsigned();
    }
    value = static_cast<int>(*number);
    return std::nullopt;
}

FieldRefusal checkReal(std::string_view text, double low, double high, double& value) {
    std::string trimmed(trimBlanks(text));
    const std::size_t comma = trimmed.find(',');
    if (comma != std::string::npos && trimmed.find_first_of(".,", comma + 1) == std::string::npos &&
        trimmed.find('.') == std::string::npos) {
        trimmed[comma] = '.';
    }
    const auto number = decimalNumber(trimmed);
    if (!number) {
        return messageNotNumber();
    }
    if (!(*number >= low && *number <= high)) {
        return messageRealRange(low, high);
    }
    value = *number;
    return std::nullopt;
}

FieldRefusal checkMaxCharacters(std::string_view utf8Text, int count) {
    if (characterCount(utf8Text) > static_cast<std::size_t>(count)) {
        return messageMaxCharacters(count);
    }
    return std::nullopt;
}

} // namespace zv
