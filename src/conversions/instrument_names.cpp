#include "conversions/instrument_names.h"

#include "formats/cp1252.h"
#include "formats/waypoint.h"

#include <array>
#include <optional>

namespace zv {

namespace {

// Latin-1 letters from U+00C0 to U+00FF, each as the capitals it becomes; Ä, Ö, Ü and ß
// belong to the name set and stay ("\xC4" and so on are their Windows-1252 bytes).
constexpr std::array<std::string_view, 64> latin1Letters = {
    "A", "A", "A", "A", "\xC4", "A", "AE",   "C", "E", "E", "E", "E", "I",    "I", "I",  "I",
    "D", "N", "O", "O", "O",    "O", "\xD6", "",  "O", "U", "U", "U", "\xDC", "Y", "TH", "\xDF",
    "A", "A", "A", "A", "\xC4", "A", "AE",   "C", "E", "E", "E", "E", "I",    "I", "I",  "I",
    "D", "N", "O", "O", "O",    "O", "\xD6", "",  "O", "U", "U", "U", "\xDC", "Y", "TH", "Y"};

// Latin Extended-A, U+0100 to U+017F, one base letter each but for the ligatures
// Ĳ ĳ (U+0132, U+0133) and Œ œ (U+0152, U+0153).
constexpr std::string_view extendedLetters = "AAAAAACCCCCCCCDDDDEEEEEEEEEEGGGGGGGGHHHHIIIIIIIIII"
                                             "**JJKKKLLLLLLLLLLNNNNNNNNNOOOOOO"
                                             "**RRRRRRSSSSSSSSTTTTTTUUUUUUUUUUUUWWYYYZZZZZZS";

// What a character becomes in a name: its text, or nothing for a blank.
std::optional<std::string_view> replacement(char32_t c) {
    static constexpr std::string_view kept = "0123456789 _-./!>:";
    if (c >= 'a' && c <= 'z') {
        static constexpr std::string_view capitals = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
        return capitals.substr(c - 'a', 1);
    }
    if ((c >= 'A' && c <= 'Z') || (c < 0x80 && kept.find(static_cast<char>(c)) != kept.npos)) {
        return std::nullopt; // the character itself; see below
    }
    return std::string_view();
}

} // namespace

std::string instrumentNameOf(std::string_view utf8) {
    std::string name;
    const auto append = [&](std::string_view text) {
        if (text.empty() || text == " ") {
            if (!name.empty() && name.back() != ' ') {
                name += ' ';
            }
        } else {
            name += text;
        }
    };
    std::size_t position = 0;
    while (position < utf8.size()) {
        const std::optional<char32_t> c = decodeUtf8(utf8, position);
        if (!c) {
            append({});
        } else if (*c == 0xB0) {
            append("\xB0"); // the degree sign belongs to the name set
        } else if (*c >= 0xC0 && *c <= 0xFF) {
            append(latin1Letters[*c - 0xC0]);
        } else if (*c >= 0x100 && *c <= 0x17F) {
            const char letter = extendedLetters[*c - 0x100];
            if (letter != '*') {
                append(std::string_view(&extendedLetters[*c - 0x100], 1));
            } else if (*c == 0x132 || *c == 0x133) {
                append("IJ");
            } else {
                append("OE");
            }
        } else if (const std::optional<std::string_view> text = replacement(*c)) {
            append(*text);
        } else {
            const char same = static_cast<char>(*c);
            append(std::string_view(&same, 1));
        }
    }
    while (!name.empty() && name.back() == ' ') {
        name.pop_back();
    }
    return name;
}

std::string instrumentIdOf(std::string_view instrumentText) {
    std::string id;
    for (const char c : instrumentText) {
        if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) {
            id += c;
            if (id.size() == idLimit) {
                break;
            }
        }
    }
    return id.empty() ? "WP" : id;
}

std::string DistinctNames::take(std::string name) {
    if (name.size() > nameLimit) {
        name.resize(nameLimit);
    }
    while (!name.empty() && name.back() == ' ') {
        name.pop_back();
    }
    std::string candidate = name;
    for (int number = 2; !taken_.insert(candidate).second; ++number) {
        const std::string suffix = std::to_string(number);
        std::string stem = name.substr(0, nameLimit - suffix.size() - 1);
        while (!stem.empty() && stem.back() == ' ') {
            stem.pop_back();
        }
        candidate = (stem.empty() ? stem : stem + ' ') + suffix;
    }
    return candidate;
}

} // namespace zv
