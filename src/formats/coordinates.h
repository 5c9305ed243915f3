#pragma once

// The two forms of a coordinate: the instrument writes hemisphere letter, whole degrees
// ("%2.0f") and decimal minutes ("%05.2f"), optionally followed by seconds when read;
// OziExplorer and the transfer packets use signed decimal degrees, north and east positive.

namespace zv {

// A coordinate in the instrument's text form.
struct TextCoordinate {
    char hemisphere; // 'N'/'S' or 'E'/'W'
    float degrees;   // whole degrees, never negative, never negative zero
    float minutes;   // decimal minutes, 0 <= minutes < 60 (written with two decimals)
};

// Signed decimal degrees from the text form: the sum is formed in extended precision and
// stored as float; only the letter 'S' (latitude) or 'W' (longitude) makes it negative.
float latitudeFromText(char hemisphere, float degrees, float minutes, float seconds);
float longitudeFromText(char hemisphere, float degrees, float minutes, float seconds);

// The text form of signed decimal degrees: a value above 0 gets 'N' or 'E', any other
// value (zero included) 'S' or 'W' and is negated. Degrees are truncated toward zero,
// minutes are the rest times 60 as float. Seconds are not produced.
TextCoordinate latitudeToText(double value);
TextCoordinate longitudeToText(double value);

} // namespace zv
