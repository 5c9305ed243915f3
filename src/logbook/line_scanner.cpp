#include "logbook/line_scanner.h"

#include <charconv>
#include <climits>
#include <cmath>

namespace zv {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

class Scanner {
public:
    explicit Scanner(std::string_view line) : line_(line) {}

    bool atEnd() const { return pos_ >= line_.size(); }

    void skipBlanks() {
        while (!atEnd() && isBlank(line_[pos_])) {
            ++pos_;
        }
    }

    bool literal(char c) {
        if (!atEnd() && line_[pos_] == c) {
            ++pos_;
            return true;
        }
        return false;
    }

    bool integer(std::size_t width, int& value) {
        skipBlanks();
        const std::size_t limit = fieldEnd(width);
        std::size_t p = pos_;
        bool negative = false;
        if (p < limit && (line_[p] == '+' || line_[p] == '-')) {
            negative = line_[p] == '-';
            ++p;
        }
        if (p >= limit || !isDigit(line_[p])) {
            return false;
        }
        long long magnitude = 0;
        while (p < limit && isDigit(line_[p])) {
            // Saturate: a number beyond the int range reads as its bound.
            if (magnitude <= INT_MAX) {
                magnitude = magnitude * 10 + (line_[p] - '0');
            }
            ++p;
        }
        long long result = negative ? -magnitude : magnitude;
        if (result > INT_MAX) {
            result = INT_MAX;
        } else if (result < INT_MIN) {
            result = INT_MIN;
        }
        value = static_cast<int>(result);
        pos_ = p;
        return true;
    }

    bool real(std::size_t width, float& value) {
        skipBlanks();
        const std::size_t limit = fieldEnd(width);
        std::size_t p = pos_;
        if (p < limit && (line_[p] == '+' || line_[p] == '-')) {
            ++p;
        }
        const std::size_t numberStart = p;
        std::size_t digits = 0;
        while (p < limit && isDigit(line_[p])) {
            ++p;
            ++digits;
        }
        if (p < limit && line_[p] == '.') {
            ++p;
            while (p < limit && isDigit(line_[p])) {
                ++p;
                ++digits;
            }
        }
        if (digits == 0) {
            return false;
        }
        if (p < limit && (line_[p] == 'e' || line_[p] == 'E')) {
            std::size_t q = p + 1;
            if (q < limit && (line_[q] == '+' || line_[q] == '-')) {
                ++q;
            }
            if (q < limit && isDigit(line_[q])) {
                while (q < limit && isDigit(line_[q])) {
                    ++q;
                }
                p = q;
            }
        }
        float magnitude = 0;
        const auto [end, error] =
            std::from_chars(line_.data() + numberStart, line_.data() + p, magnitude);
        if (error != std::errc{} || end != line_.data() + p || !std::isfinite(magnitude)) {
            return false; // out of the float range: no value a logbook can hold
        }
        value = line_[pos_] == '-' ? -magnitude : magnitude;
        pos_ = p;
        return true;
    }

    bool word(std::size_t width, std::string& value) {
        skipBlanks();
        const std::size_t limit = fieldEnd(width);
        const std::size_t start = pos_;
        std::size_t p = pos_;
        while (p < limit && !isBlank(line_[p])) {
            ++p;
        }
        if (p == start) {
            return false;
        }
        value.assign(line_.substr(start, p - start));
        pos_ = p;
        return true;
    }

    bool run(std::size_t width, std::string_view set, std::string& value) {
        const std::size_t limit = fieldEnd(width);
        const std::size_t start = pos_;
        std::size_t p = pos_;
        while (p < limit && inSet(set, line_[p])) {
            ++p;
        }
        if (p == start) {
            return false;
        }
        value.assign(line_.substr(start, p - start));
        pos_ = p;
        return true;
    }

private:
    std::size_t fieldEnd(std::size_t width) const {
        if (width == 0 || width > line_.size() - pos_) {
            return line_.size();
        }
        return pos_ + width;
    }

    static bool inSet(std::string_view set, char c) {
        const auto byte = static_cast<unsigned char>(c);
        for (std::size_t i = 0; i < set.size(); ++i) {
            if (i + 2 < set.size() && set[i + 1] == '-') {
                const auto low = static_cast<unsigned char>(set[i]);
                const auto high = static_cast<unsigned char>(set[i + 2]);
                if (byte >= low && byte <= high) {
                    return true;
                }
                i += 2;
            } else if (static_cast<unsigned char>(set[i]) == byte) {
                return true;
            }
        }
        return false;
    }

    std::string_view line_;
    std::size_t pos_ = 0;
};

} // namespace

int scanLine(std::string_view line, std::string_view pattern,
             const std::vector<ScanTarget>& targets) {
    Scanner scanner(line);
    int converted = 0;
    std::size_t next = 0;
    std::size_t i = 0;
    const auto result = [&]() { return converted == 0 && scanner.atEnd() ? -1 : converted; };
    while (i < pattern.size()) {
        const char c = pattern[i];
        if (isBlank(c)) {
            scanner.skipBlanks();
            ++i;
            continue;
        }
        if (c != '%') {
            if (!scanner.literal(c)) {
                return result();
            }
            ++i;
            continue;
        }
        ++i;
        std::size_t width = 0;
        while (i < pattern.size() && isDigit(pattern[i])) {
            width = width * 10 + static_cast<std::size_t>(pattern[i] - '0');
            ++i;
        }
        if (i >= pattern.size() || next >= targets.size()) {
            return converted; // a pattern without its target: nothing more to convert
        }
        const ScanTarget& target = targets[next];
        bool ok = false;
        switch (pattern[i]) {
        case 'd':
            ok = std::holds_alternative<int*>(target) &&
                 scanner.integer(width, *std::get<int*>(target));
            ++i;
            break;
        case 'f':
            ok = std::holds_alternative<float*>(target) &&
                 scanner.real(width, *std::get<float*>(target));
            ++i;
            break;
        case 's':
            ok = std::holds_alternative<std::string*>(target) &&
                 scanner.word(width, *std::get<std::string*>(target));
            ++i;
            break;
        case '[': {
            const std::size_t close = pattern.find(']', i + 1);
            if (close == std::string_view::npos) {
                return converted;
            }
            const std::string_view set = pattern.substr(i + 1, close - i - 1);
            ok = std::holds_alternative<std::string*>(target) &&
                 scanner.run(width, set, *std::get<std::string*>(target));
            i = close + 1;
            break;
        }
        default:
            return converted;
        }
        if (!ok) {
            return result();
        }
        ++converted;
        ++next;
    }
    return converted;
}

} // namespace zv
