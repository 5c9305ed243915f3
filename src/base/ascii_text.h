#pragma once

// Letter case of the ASCII letters only: file extensions, and the keywords and column
// names of other programs' files. Bytes above 127 (umlauts of Windows-1252, UTF-8
// sequences) stay as they are, whatever the locale.

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

} // namespace zv
