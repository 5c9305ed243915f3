#include "formats/scan_pattern.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <stdexcept>
#include <system_error>

namespace zv {

namespace {

// White space of the C locale; bytes above 0x7F never are.
bool isSpace(unsigned char byte) {
    return byte == ' ' || byte == '\t' || byte == '\n' || byte == '\v' || byte == '\f' ||
           byte == '\r';
}

bool isDigit(char byte) {
    return byte >= '0' && byte <= '9';
}

class Input {
public:
    Input(std::string_view text, std::size_t start)
        : text_(text.substr(0, text.find('\0'))), position_(std::min(start, text_.size())) {}

    bool atEnd() const { return position_ >= text_.size(); }
    unsigned char peek() const { return static_cast<unsigned char>(text_[position_]); }
    void skipSpace() {
        while (!atEnd() && isSpace(peek())) {
            ++position_;
        }
    }
    std::size_t position() const { return position_; }
    void advance(std::size_t count) { position_ += count; }
    std::string_view rest() const { return text_.substr(position_); }

private:
    std::string_view text_;
    std::size_t position_;
};

// The length of the integer at the start of the text ([+-]digits), 0 when there is none.
std::size_t integerLength(std::string_view text) {
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        ++i;
    }
    const std::size_t digitsStart = i;
    while (i < text.size() && isDigit(text[i])) {
        ++i;
    }
    return i == digitsStart ? 0 : i;
}

// The length of the decimal number at the start of the text, 0 when there is none.
std::size_t floatLength(std::string_view text) {
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        ++i;
    }
    std::size_t digits = 0;
    while (i < text.size() && isDigit(text[i])) {
        ++i;
        ++digits;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && isDigit(text[i])) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0) {
        return 0;
    }
    // An exponent belongs to the number only when digits follow the "e".
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) {
            ++j;
        }
        if (j < text.size() && isDigit(text[j])) {
            while (j < text.size() && isDigit(text[j])) {
                ++j;
            }
            i = j;
        }
    }
    return i;
}

// std::from_chars takes no "+" sign; the sign is handled here.
template <typename Number> bool convertNumber(std::string_view text, Number& value) {
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    Number magnitude{};
    const auto result = std::from_chars(text.data(), text.data() + text.size(), magnitude);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size()) {
        return false;
    }
    value = negative ? -magnitude : magnitude;
    return true;
}

bool convertInteger(std::string_view text, int& value) {
    // Parsed as 64 bits so that the most negative int converts as well.
    long long wide = 0;
    if (!convertNumber(text, wide) || wide < std::numeric_limits<int>::min() ||
        wide > std::numeric_limits<int>::max()) {
        return false;
    }
    value = static_cast<int>(wide);
    return true;
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
    item.text_ = &target;
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
    Input input(text, start);
    auto item = items.begin();
    int converted = 0;
    const auto stopped = [&] { return Progress{converted, input.position()}; };

    // Stores a text item; false when it does not convert.
    const auto storeText = [](const ScanItem& target, std::string_view value) {
        if (target.kind() == ScanItem::Kind::Ignored) {
            return true;
        }
        if (target.kind() != ScanItem::Kind::Text) {
            return false;
        }
        if (value.size() > target.limit_) {
            if (target.rule_ == TooLong::Refuse) {
                return false;
            }
            value = value.substr(0, target.limit_);
        }
        target.text_->assign(value);
        return true;
    };

    for (const auto& step : steps_) {
        switch (step.kind) {
        case StepKind::SkipSpace:
            input.skipSpace();
            continue;
        case StepKind::Literal:
            if (input.atEnd() || input.peek() != static_cast<unsigned char>(step.literal)) {
                return stopped();
            }
            input.advance(1);
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
            input.skipSpace();
            const std::size_t length = integerLength(input.rest());
            int value = 0;
            if (length == 0 || target.kind() != ScanItem::Kind::Integer ||
                !convertInteger(input.rest().substr(0, length), value)) {
                return stopped();
            }
            *target.integer_ = value;
            input.advance(length);
            break;
        }
        case StepKind::Float: {
            input.skipSpace();
            const std::size_t length = floatLength(input.rest());
            float value = 0;
            if (length == 0 || target.kind() != ScanItem::Kind::Float ||
                !convertNumber(input.rest().substr(0, length), value)) {
                return stopped();
            }
            *target.float_ = value;
            input.advance(length);
            break;
        }
        case StepKind::String: {
            input.skipSpace();
            const std::string_view rest = input.rest();
            std::size_t length = 0;
            while (length < rest.size() && !isSpace(static_cast<unsigned char>(rest[length])) &&
                   (step.width == 0 || length < step.width)) {
                ++length;
            }
            if (length == 0 || !storeText(target, rest.substr(0, length))) {
                return stopped();
            }
            input.advance(length);
            break;
        }
        case StepKind::Character:
            if (input.atEnd() || target.kind() != ScanItem::Kind::Character) {
                return stopped();
            }
            *target.character_ = static_cast<char>(input.peek());
            input.advance(1);
            break;
        case StepKind::Set: {
            const std::string_view rest = input.rest();
            std::size_t length = 0;
            while (length < rest.size() &&
                   step.set.test(static_cast<unsigned char>(rest[length])) &&
                   (step.width == 0 || length < step.width)) {
                ++length;
            }
            if (length == 0 || !storeText(target, rest.substr(0, length))) {
                return stopped();
            }
            input.advance(length);
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
