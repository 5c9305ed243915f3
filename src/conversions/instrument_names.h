#pragma once

// Names of other programs made into names the instrument takes: at most 14 characters of
// its name set (A to Z, 0 to 9, blank, "_-./!°>:", Ä, Ö, Ü, ß), in capitals as the
// instrument shows them. Accented letters lose their accent (é is E, ł is L, æ is AE),
// every other character becomes a blank; blanks do not repeat.

#include <string>
#include <string_view>
#include <unordered_set>

namespace zv {

// The name in the instrument's Windows-1252 bytes, not cut; empty when nothing of it
// remains.
std::string instrumentNameOf(std::string_view utf8);

// The instrument's two-letter ID: the first two letters or digits of the text (a
// country code, or the name); "WP" when it has none.
std::string instrumentIdOf(std::string_view instrumentText);

// Hands out names of at most 14 characters that no earlier name of the same file has: a
// name that clashes, after cutting or as it is, gets a number at its end ("LONG NAME
// 1234" -> "LONG NAME 12 2").
class DistinctNames {
public:
    std::string take(std::string name);

private:
    std::unordered_set<std::string> taken_;
};

} // namespace zv
