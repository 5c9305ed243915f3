#pragma once

// The checks of what is typed into the dialogs' edits (UTF-8): the pages of the settings
// sheet, "Flug einfügen", the lift extraction, and zv-cli's options for them. Each check
// returns the message to show, with the German texts the dialogs have always shown, or
// nothing when the entry is accepted.

#include "base/ascii_text.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace zv {

// The message that refuses an entry; nothing when the entry is accepted.
using FieldRefusal = std::optional<std::string>;

// Characters, not bytes: the edits hold UTF-8.
std::size_t characterCount(std::string_view utf8Text);

std::string messageIntegerRange(int low, int high);
std::string messageRealRange(double low, double high);
std::string messageMaxCharacters(int count);
std::string messageNotInteger();
std::string messageNotUnsigned();
std::string messageNotNumber();

// What a number too large for the field is taken for: the settings sheet takes it for no
// whole number at all, the other dialogs for a number out of range.
enum class TooLarge { NotInteger, OutOfRange };

// A whole number with an optional sign, blanks around it allowed, from low to high.
FieldRefusal checkInteger(std::string_view text, int low, int high, int& value,
                          TooLarge tooLarge = TooLarge::OutOfRange);
// A non-negative whole number that fits an int.
FieldRefusal checkUnsigned(std::string_view text, int& value);
// A decimal number from low to high; a lone decimal comma is taken for the point
// ("12,5"), as German pilots write it.
FieldRefusal checkReal(std::string_view text, double low, double high, double& value);
// At most `count` characters.
FieldRefusal checkMaxCharacters(std::string_view utf8Text, int count);

} // namespace zv
