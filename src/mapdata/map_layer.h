#pragma once

// What the map shows of one file: a flight, the labelled points of a waypoint, route or
// takeoff site file, or the lifts of a lift file or of the lift database.

#include "mapdata/flight_path.h"
#include "mapdata/thermal_index.h"
#include "mapdata/web_mercator.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace zv::map {

enum class LayerKind { Flight, Waypoints, Route, Takeoffs, Lifts };

// A labelled point of a waypoint, route or takeoff site file.
struct MapMark {
    WorldPoint at;
    std::string name; // UTF-8, without the blanks that pad the column
    std::int32_t altitude = 0;
    std::string altitudeUnit; // as the file writes it after the altitude
};

// The units a lift file writes after altitude, climb and wind speed; a file may mix them.
struct LiftUnits {
    std::string altitude;
    std::string climb;
    std::string wind;

    friend bool operator==(const LiftUnits&, const LiftUnits&) = default;
};

struct MapLayer {
    LayerKind kind = LayerKind::Waypoints;
    std::filesystem::path path;
    std::string title; // UTF-8: the file name, for a flight with its date and takeoff time

    std::vector<MapMark> marks; // waypoints, route points in file order, takeoff sites
    FlightPath flight;
    ThermalIndex lifts;
    std::vector<LiftUnits> liftUnits; // each lift's units are liftUnits[lift.units]

    WorldRect bounds() const;
    // How many points, fixes or lifts the layer holds.
    std::size_t size() const;
};

} // namespace zv::map
