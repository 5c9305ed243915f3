#pragma once

// The one in-memory record of a point of any instrument or OziExplorer point file:
// waypoint, route point, takeoff site, lift or line point.

#include "formats/short_text.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace zv {

// The limits of the text fields: the instrument's columns (name 14, ID 2, SIGN 6) and the
// units. Readers enforce them where they fill a field; writers rely on them.
inline constexpr std::size_t unitLimit = 3;
inline constexpr std::size_t idLimit = 2;
inline constexpr std::size_t signLimit = 6;
inline constexpr std::size_t nameLimit = 14;

// A coordinate is held in the two forms the files use, each in fields of its own name:
// the instrument's text form (hemisphere letter, whole degrees, decimal minutes, seconds)
// and signed decimal degrees (north and east positive), as OziExplorer files and the
// transfer packets hold them. Each reader says which form it fills; the instrument readers
// fill both.
struct Waypoint {
    ShortText<unitLimit> unit; // unit of the altitude as written after it ("m")
    std::int32_t altitude = 0; // in `unit`
    ShortText<idLimit> id;     // the instrument's two-letter ID ("ES"; "ST" for takeoff sites)
    char latHemisphere = 'N';  // text form: 'N' or 'S'
    char lonHemisphere = 'E';  // text form: 'E' or 'W'
    float latDegrees = 0;      // text form: whole degrees, never negative
    float latMinutes = 0;      // text form: decimal minutes
    float latSeconds = 0;      // text form: 0 unless a row with seconds was read
    float lonDegrees = 0;
    float lonMinutes = 0;
    float lonSeconds = 0;
    float latDecimal = 0;       // signed decimal degrees, north positive
    float lonDecimal = 0;       // signed decimal degrees, east positive
    std::int32_t symbol = 0;    // OziExplorer symbol number
    ShortText<signLimit> sign;  // the instrument's SIGN column ("+"; "   +  " from OziExplorer)
    std::string name;           // with its blank padding when read from a fixed column
    std::int32_t fgColour = 0;  // OziExplorer colours: Windows colour values, red in the
    std::int32_t bgColour = 0;  //   low byte
    std::int32_t windDir = 0;   // lifts only
    std::int32_t windSpeed = 0; // lifts only
    ShortText<unitLimit> windSpeedUnit; // lifts only
    ShortText<unitLimit> climbUnit;     // unit of `climb` ("m/s")
    float climb = 0;                    // climb rate of a lift
    std::int32_t dir1 = 0;              // directions of a line point, degrees
    std::int32_t dir2 = 0;
    std::string comment; // the comment line that preceded the record, or empty
};

// The points of one file in file order; readers append.
using WaypointList = std::vector<Waypoint>;

} // namespace zv
