#pragma once

// Windows-1252, the code page of every file of the instrument and of settings.ini.
// The five byte values that Windows-1252 leaves undefined (81, 8D, 8F, 90, 9D) map to the
// C1 control characters of the same number, so that every byte survives a round trip.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace zv {

char32_t cp1252ToUnicode(unsigned char byte);
// The byte for a character, or -1 when Windows-1252 has none.
int unicodeToCp1252(char32_t character);

std::string cp1252ToUtf8(std::string_view bytes);
// Characters without a Windows-1252 byte (and broken UTF-8) become '?'.
std::string utf8ToCp1252(std::string_view text);

// The character at `position` of UTF-8 text, moving `position` past it; nothing for a
// broken sequence (then `position` moves on by one byte, or to the end).
std::optional<char32_t> decodeUtf8(std::string_view text, std::size_t& position);
// Whether the bytes are UTF-8 throughout.
bool isUtf8(std::string_view text);
// Text of another program in UTF-8: kept as it is when it is UTF-8 (without a byte order
// mark), read as Windows-1252 otherwise, as files of older programs are.
std::string textToUtf8(std::string_view bytes);

} // namespace zv
