#pragma once

// Plain text helpers on ASCII only, so that bytes above 127 (umlauts of Windows-1252,
// UTF-8 sequences) stay as they are, whatever the locale: the letter case of file
// extensions and of other programs' keywords and column names, and the blanks around a
// field.

#include <algorithm>
#include <string>
#include <string_view>

namespace zv {

inline std::string asciiLower(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(), [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    });
    return lower;
}

// Without the `blanks` around it: blanks and tabs unless told otherwise.
inline std::string_view trimBlanks(std::string_view text, std::string_view blanks = " \t") {
    const std::size_t first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos) {
        return {};
    }
    const std::size_t last = text.find_last_not_of(blanks);
    return text.substr(first, last - first + 1);
}

} // namespace zv
