#include "formats/coordinates.h"

#include <cmath>

namespace zv {

namespace {

float decimalFromText(bool negative, float degrees, float minutes, float seconds) {
    const long double value = static_cast<long double>(degrees) +
                              static_cast<long double>(minutes) * (1.0L / 60) +
                              static_cast<long double>(seconds) * (1.0L / 3600);
    const auto stored = static_cast<float>(value);
    return negative ? -stored : stored;
}

TextCoordinate textFromDecimal(double value, char positive, char negative) {
    TextCoordinate text{positive, 0, 0};
    if (!(value > 0)) {
        text.hemisphere = negative;
        value = -value;
    }
    // Zero (of either sign) is written as plain 0, never as "-0".
    if (value == 0) {
        value = 0;
    }
    const double degrees = std::trunc(value);
    text.degrees = static_cast<float>(degrees);
    text.minutes = static_cast<float>((value - degrees) * 60);
    return text;
}

} // namespace

float latitudeFromText(char hemisphere, float degrees, float minutes, float seconds) {
    return decimalFromText(hemisphere == 'S', degrees, minutes, seconds);
}

float longitudeFromText(char hemisphere, float degrees, float minutes, float seconds) {
    return decimalFromText(hemisphere == 'W', degrees, minutes, seconds);
}

TextCoordinate latitudeToText(double value) {
    return textFromDecimal(value, 'N', 'S');
}

TextCoordinate longitudeToText(double value) {
    return textFromDecimal(value, 'E', 'W');
}

} // namespace zv
