#include "formats/scan_pattern.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <limits>
#include <stdexcept>
#include <system_error>

namespace zv {

namespace {

// White space of the C locale; bytes above 0x7F never are. Looked up in a table: the
// rows of the point files are mostly blanks, and every byte of them is asked.
constexpr auto spaceTable = [] {
    std::array<bool, 256> table{};
    for (const unsigned char byte : {' ', '\t', '\n', '\v', '\f', '\r'}) {
        table[byte] = true;
    }
    return table;
}();

bool isSpace(unsigned char byte) {
    return spaceTable[byte];
}

bool isDigit(char byte) {
    return byte >= '0' && byte <= '9';
}

// Takes the sign of a number, if there is one, at `p`; true for a '-'.
bool takeSign(const char*& p, const char* end) {
    if (p < end && (*p == '+' || *p == '-')) {
        return *p++ == '-';
    }
    return false;
}

// "%d" at `p` (after the blanks): an optional sign and decimal digits; a number beyond
// int does not convert. Returns the end of the number, or nullptr.
const char* convertInteger(const char* p, const char* end, int& value) {
    const bool negative = takeSign(p, end);
    // std::from_chars takes no '+' and would take a second sign.
    if (p == end || !isDigit(*p)) {
        return nullptr;
    }
    // Parsed as 64 bits so that the most negative int converts as well.
    long long magnitude = 0;
    const auto result = std::from_chars(p, end, magnitude);
    const long long wide = negative ? -magnitude : magnitude;
    if (result.ec != std::errc() || wide < std::numeric_limits<int>::min() ||
        wide > std::numeric_limits<int>::max()) {
        return nullptr;
    }
    value = static_cast<int>(wide);
    return result.ptr;
}

// The decimals of the point files ("46", "12.50", "36.823833", "33604.00000"): at most 15
// digits in all and no exponent. Their digits are an exact double; multiplied by the
// double nearest to the power of ten below one, they give the decimal within two units of
// the double's last place. Rounding that to float gives the float nearest to the decimal
// unless the product lies within those units of a point halfway between two floats (only
// there can the two roundings part), and those few, like tiny and huge values, go to
// std::from_chars. std::from_chars takes some hundred instructions a number more, and a
// division where the product is formed waits several times as long as the product; with
// five numbers a row both were a large part of reading a lift database. Returns nullptr
// when the decimal is not for this way.
const char* shortDecimal(const char* p, const char* end, float& magnitude) {
    constexpr double inversePowersOfTen[] = {1e0,  1e-1, 1e-2,  1e-3,  1e-4,  1e-5,  1e-6,  1e-7,
                                             1e-8, 1e-9, 1e-10, 1e-11, 1e-12, 1e-13, 1e-14, 1e-15};
    constexpr int maxDigits = 15; // below 2^53: every such number is a double
    std::uint64_t digits = 0;
    int count = 0;
    int decimals = 0;
    for (; p < end && isDigit(*p) && count <= maxDigits; ++p, ++count) {
        digits = digits * 10 + static_cast<std::uint64_t>(*p - '0');
    }
    if (p < end && *p == '.') {
        for (++p; p < end && isDigit(*p) && count <= maxDigits; ++p, ++count, ++decimals) {
            digits = digits * 10 + static_cast<std::uint64_t>(*p - '0');
        }
    }
    if (count == 0 || count > maxDigits || (p < end && (isDigit(*p) || *p == 'e' || *p == 'E'))) {
        return nullptr;
    }
    const double value = static_cast<double>(digits) * inversePowersOfTen[decimals];
    if (value != 0 && !(value >= std::numeric_limits<float>::min() &&
                        value <= std::numeric_limits<float>::max())) {
        return nullptr;
    }
    // Near halfway between two floats: the 29 bits a float does not keep are within four
    // of 1000...0. Digits without decimals are exact and need only the exact test.
    constexpr std::uint64_t dropped = (std::uint64_t{1} << 29) - 1;
    constexpr std::uint64_t halfway = std::uint64_t{1} << 28;
    const std::uint64_t low = std::bit_cast<std::uint64_t>(value) & dropped;
    const std::uint64_t margin = decimals == 0 ? 0 : 4;
    if (low + margin >= halfway && low <= halfway + margin) {
        return nullptr;
    }
    magnitude = static_cast<float>(value);
    return p;
}

// "%f" at `p` (after the blanks): an optional sign, digits with an optional point, and an
// exponent when digits follow the "e" (the words "inf" and "nan" are refused). A number
// beyond float does not convert. Returns the end of the number, or nullptr.
const char* convertFloat(const char* p, const char* end, float& value) {
    const bool negative = takeSign(p, end);
    // std::from_chars takes no '+' and would take a second sign, "inf" and "nan".
    if (p == end || !(isDigit(*p) || *p == '.')) {
        return nullptr;
    }
    float magnitude = 0;
    const char* next = shortDecimal(p, end, magnitude);
    if (next == nullptr) {
        const auto result = std::from_chars(p, end, magnitude);
        if (result.ec != std::errc()) {
            return nullptr;
        }
        next = result.ptr;
    }
    value = negative ? -magnitude : magnitude;
    return next;
}

// The columns of the point files are padded with runs of blanks; they are passed eight
// bytes at a time, and what ends a run is found from the first byte that is not a blank.
const char* skipSpaceRun(const char* p, const char* end) {
    constexpr std::uint64_t blanks = 0x2020202020202020;
    while (end - p >= 8) {
        std::uint64_t word = 0;
        std::memcpy(&word, p, sizeof word);
        const std::uint64_t other = word ^ blanks;
        if (other != 0) {
            const int bits = std::endian::native == std::endian::little ? std::countr_zero(other)
                                                                        : std::countl_zero(other);
            p += bits / 8;
            break;
        }
        p += 8;
    }
    while (p < end && isSpace(static_cast<unsigned char>(*p))) {
        ++p;
    }
    return p;
}

// Most conversions start right after what came before them: that case costs one test.
inline const char* skipSpace(const char* p, const char* end) {
    if (p == end || !isSpace(static_cast<unsigned char>(*p))) {
        return p;
    }
    return skipSpaceRun(p + 1, end);
}

// Parses the set of a "%[" conversion; `i` stands after the "[" and ends after the "]".
std::bitset<256> parseSet(std::string_view pattern, std::size_t& i) {
    std::bitset<256> set;
    bool negated = false;
    if (i < pattern.size() && pattern[i] == '^') {
        negated = true;
        ++i;
    }
    bool first = true;
    for (;;) {
        if (i >= pattern.size()) {
            throw std::invalid_argument("unterminated %[ in scan pattern");
        }
        const auto byte = static_cast<unsigned char>(pattern[i]);
        if (byte == ']' && !first) {
            ++i;
            break;
        }
        first = false;
        // "a-b" is a range; the instrument's patterns also write ranges backwards
        // ("/--" for the three bytes "-./"). A "-" first or last is itself a member.
        if (i + 2 < pattern.size() && pattern[i + 1] == '-' && pattern[i + 2] != ']') {
            const auto other = static_cast<unsigned char>(pattern[i + 2]);
            const unsigned low = byte < other ? byte : other;
            const unsigned high = byte < other ? other : byte;
            for (unsigned b = low; b <= high; ++b) {
                set.set(b);
            }
            i += 3;
        } else {
            set.set(byte);
            ++i;
        }
    }
    return negated ? ~set : set;
}

} // namespace

ScanItem ScanItem::text(std::string& target, std::size_t limit, TooLong rule) {
    ScanItem item(Kind::Text);
    item.target_ = &target;
    item.assignText_ = [](void* text, const char* from, std::size_t length) {
        static_cast<std::string*>(text)->assign(from, length);
    };
    item.limit_ = limit;
    item.rule_ = rule;
    return item;
}

ScanItem ScanItem::ignored() {
    return ScanItem(Kind::Ignored);
}

ScanPattern::ScanPattern(std::string_view pattern) {
    std::size_t i = 0;
    while (i < pattern.size()) {
        const auto byte = static_cast<unsigned char>(pattern[i]);
        if (isSpace(byte)) {
            while (i < pattern.size() && isSpace(static_cast<unsigned char>(pattern[i]))) {
                ++i;
            }
            steps_.push_back(Step{StepKind::SkipSpace, 0, 0, {}});
            continue;
        }
        if (byte != '%') {
            steps_.push_back(Step{StepKind::Literal, pattern[i], 0, {}});
            ++i;
            continue;
        }
        ++i;
        std::size_t width = 0;
        while (i < pattern.size() && isDigit(pattern[i])) {
            width = width * 10 + static_cast<std::size_t>(pattern[i] - '0');
            ++i;
        }
        if (i >= pattern.size()) {
            throw std::invalid_argument("scan pattern ends inside a conversion");
        }
        Step step{StepKind::Literal, 0, 0, {}};
        step.width = width;
        switch (pattern[i++]) {
        case '%':
            step.literal = '%';
            break;
        case 'd':
            step.kind = StepKind::Integer;
            break;
        case 'f':
            step.kind = StepKind::Float;
            break;
        case 's':
            step.kind = StepKind::String;
            break;
        case 'c':
            if (width > 1) {
                throw std::invalid_argument("%c with a width is not supported");
            }
            step.kind = StepKind::Character;
            break;
        case '[':
            step.kind = StepKind::Set;
            step.set = parseSet(pattern, i);
            break;
        default:
            throw std::invalid_argument("unknown conversion in scan pattern");
        }
        if (step.kind == StepKind::Integer || step.kind == StepKind::Float) {
            if (width != 0) {
                throw std::invalid_argument("a width on a number is not supported");
            }
        }
        if (step.kind != StepKind::Literal) {
            ++itemCount_;
        }
        steps_.push_back(step);
    }
}

std::bitset<256> ScanPattern::setOf(int conversion) const {
    int seen = 0;
    for (const auto& step : steps_) {
        if (step.kind == StepKind::Set && seen++ == conversion) {
            return step.set;
        }
    }
    return {};
}

ScanPattern::Progress ScanPattern::scanFrom(std::string_view text, std::size_t start,
                                            std::span<const ScanItem> items) const {
    // The input ends at its first NUL byte, as a C string does.
    text = text.substr(0, text.find('\0'));
    const char* const begin = text.data();
    const char* const end = begin + text.size();
    const char* p = begin + std::min(start, text.size());
    auto item = items.begin();
    int converted = 0;
    const auto stopped = [&] { return Progress{converted, static_cast<std::size_t>(p - begin)}; };

    // Stores a text item; false when it does not convert.
    const auto storeText = [](const ScanItem& target, const char* from, std::size_t length) {
        if (target.kind() == ScanItem::Kind::Ignored) {
            return true;
        }
        if (target.kind() != ScanItem::Kind::Text) {
            return false;
        }
        if (length > target.limit_) {
            if (target.rule_ == TooLong::Refuse) {
                return false;
            }
            length = target.limit_;
        }
        target.assignText_(target.target_, from, length);
        return true;
    };
    // The end of a run of bytes that `belongs` accepts, at most `width` long (0: any).
    const auto runEnd = [&](std::size_t width, auto belongs) {
        const char* const limit =
            width == 0 || static_cast<std::size_t>(end - p) <= width ? end : p + width;
        const char* q = p;
        while (q < limit && belongs(static_cast<unsigned char>(*q))) {
            ++q;
        }
        return q;
    };

    for (const auto& step : steps_) {
        switch (step.kind) {
        case StepKind::SkipSpace:
            p = skipSpace(p, end);
            continue;
        case StepKind::Literal:
            if (p == end || *p != step.literal) {
                return stopped();
            }
            ++p;
            continue;
        default:
            break;
        }
        if (item == items.end()) {
            return stopped();
        }
        const ScanItem& target = *item++;
        switch (step.kind) {
        case StepKind::Integer: {
            p = skipSpace(p, end);
            int value = 0;
            const char* const next =
                target.kind() == ScanItem::Kind::Integer ? convertInteger(p, end, value) : nullptr;
            if (next == nullptr) {
                return stopped();
            }
            *static_cast<int*>(target.target_) = value;
            p = next;
            break;
        }
        case StepKind::Float: {
            p = skipSpace(p, end);
            float value = 0;
            const char* const next =
                target.kind() == ScanItem::Kind::Float ? convertFloat(p, end, value) : nullptr;
            if (next == nullptr) {
                return stopped();
            }
            *static_cast<float*>(target.target_) = value;
            p = next;
            break;
        }
        case StepKind::String: {
            p = skipSpace(p, end);
            const char* const next =
                runEnd(step.width, [](unsigned char byte) { return !isSpace(byte); });
            if (next == p || !storeText(target, p, static_cast<std::size_t>(next - p))) {
                return stopped();
            }
            p = next;
            break;
        }
        case StepKind::Character:
            if (p == end || target.kind() != ScanItem::Kind::Character) {
                return stopped();
            }
            *static_cast<char*>(target.target_) = *p++;
            break;
        case StepKind::Set: {
            const char* const next =
                runEnd(step.width, [&step](unsigned char byte) { return step.set[byte]; });
            if (next == p || !storeText(target, p, static_cast<std::size_t>(next - p))) {
                return stopped();
            }
            p = next;
            break;
        }
        default:
            break;
        }
        ++converted;
    }
    return stopped();
}

} // namespace zv
