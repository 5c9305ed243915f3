#pragma once

// The profile of a flight data file: altitude over the track points. The instrument
// records a point every few seconds but writes no time with it, so the profile counts
// points, not seconds.

#include "base/dialog_data.h"
#include "formats/flight_track.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <vector>

namespace zv {

class UserInterface;

struct FlightProfile {
    // The date (four-digit year) and takeoff time of the file's header line.
    CalendarDate date;
    int takeoffHour = 0;
    int takeoffMinute = 0;
    // Metres, one per track point in file order.
    std::vector<int> altitudes;
    // The climb from each point to the next, in metres per point: climbs[i] is
    // altitudes[i + 1] - altitudes[i], so the first point has none.
    std::vector<int> climbs;
    // The highest point (the first of equal ones).
    std::size_t highest = 0;
    // The altitude gain: the greatest rise from a point to a higher one after it, as from
    // the lowest point of a flight to the top of the climb that followed. It is not the
    // maximum minus the takeoff: a flight that sinks out below takeoff and climbs back up
    // gains more than that. From gainFrom to gainTo; both 0 when the flight never rises.
    std::size_t gainFrom = 0;
    std::size_t gainTo = 0;

    int maximum() const { return altitudes.empty() ? 0 : altitudes[highest]; }
    int gain() const { return altitudes.empty() ? 0 : altitudes[gainTo] - altitudes[gainFrom]; }
};

FlightProfile flightProfile(const CFlightTrack& track);

// Reads a flight data file for its profile. Nothing, after the message, when the file is
// no flight data file or holds no track point.
std::optional<FlightProfile> readFlightProfile(const std::filesystem::path& path,
                                               UserInterface& ui);

} // namespace zv
