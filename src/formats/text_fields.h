#pragma once

// The fields of zv's fixed-column text files, written and read without the process
// locale. The columns were laid out as C conversions ("%4d", "%05.2f", "%-14s"); the
// helpers here write exactly the characters those conversions write in the C locale,
// with std::to_chars, whatever locale the program runs under (a German desktop would
// otherwise turn the decimal point into a comma). They append to a string the caller
// keeps, so that a writer reuses one row buffer and allocates nothing per row.

#include <string>
#include <string_view>

namespace zv {

// What pads a number to its width.
enum class Fill {
    Blanks, // "%4d": blanks before the number
    Zeros,  // "%04d": zeros between the sign and the digits
};

// "%<width>d" or "%0<width>d": a whole number right-aligned in at least `width` columns
// (a wider number widens the field).
void appendInteger(std::string& out, long long value, int width = 0, Fill fill = Fill::Blanks);

// "%<width>.<precision>f" or "%0<width>.<precision>f": fixed point with `precision`
// decimals (0 to 20), right-aligned in at least `width` columns. The exact binary value is rounded,
// ties to even, as printf rounds it; negative zero keeps its sign ("-0.0"). Infinity
// and NaN are written as printf writes them ("inf", "-nan"), padded with blanks only.
void appendFixed(std::string& out, double value, int precision, int width = 0,
                 Fill fill = Fill::Blanks);

// "%.<precision>g": the shorter of fixed and exponent form with `precision` (1 to 20)
// significant digits, trailing zeros dropped.
void appendGeneral(std::string& out, double value, int precision);

// "%<width>s" and "%-<width>s": a text right- or left-aligned in at least `width`
// columns, padded with blanks. The fields were C strings: a text ends at its first NUL
// byte. A longer text widens the field.
void appendRight(std::string& out, std::string_view text, std::size_t width);
void appendLeft(std::string& out, std::string_view text, std::size_t width);

// A text of an instrument file's column (Windows-1252) in UTF-8, without the blanks
// that pad it.
std::string utf8Field(std::string_view bytes);

// The same as new strings, for messages and dialog texts.
std::string integerText(long long value, int width = 0, Fill fill = Fill::Blanks);
std::string generalText(double value, int precision);

// Reads a decimal number that fills the whole text: an optional sign, digits with an
// optional point, an optional exponent. False for anything else, and for a value beyond
// the range of double or so small that it loses precision (below the smallest normal
// double), as the C library refuses those with ERANGE.
bool parseDecimal(std::string_view text, double& value);

} // namespace zv
