#include "formats/point_roles.h"

#include "base/ascii_text.h"

#include <algorithm>
#include <array>
#include <string>

namespace zv {

namespace {

constexpr std::array<std::string_view, 5> takeoffWords = {"takeoff", "take-off", "take off",
                                                          "launch", "startplatz"};
constexpr std::array<std::string_view, 6> landingWords = {"landing",  "landeplatz", "airport",
                                                          "airfield", "outlanding", "flugplatz"};

} // namespace

PointRole roleFromSymbolText(std::string_view text) {
    const std::string lower = asciiLower(text);
    const auto mentions = [&](std::string_view word) {
        return lower.find(word) != std::string::npos;
    };
    if (std::any_of(takeoffWords.begin(), takeoffWords.end(), mentions)) {
        return PointRole::Takeoff;
    }
    if (std::any_of(landingWords.begin(), landingWords.end(), mentions)) {
        return PointRole::Landing;
    }
    return PointRole::Waypoint;
}

const char* symbolOfRole(PointRole role) {
    switch (role) {
    case PointRole::Takeoff:
        return "Takeoff";
    case PointRole::Landing:
        return "Landing";
    case PointRole::Waypoint:
        break;
    }
    return "Waypoint";
}

std::string_view signOfRole(PointRole role) {
    switch (role) {
    case PointRole::Takeoff:
        return "+";
    case PointRole::Landing:
        return "X";
    case PointRole::Waypoint:
        break;
    }
    return "o";
}

PointRole roleOfSign(std::string_view sign) {
    const std::string_view token = trimBlanks(sign, " ");
    for (const PointRole role : {PointRole::Takeoff, PointRole::Landing}) {
        if (token == signOfRole(role)) {
            return role;
        }
    }
    return PointRole::Waypoint;
}

} // namespace zv
