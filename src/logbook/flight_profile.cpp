#include "logbook/flight_profile.h"

#include "base/user_interface.h"
#include "logbook/logbook.h"

namespace zv {

FlightProfile flightProfile(const CFlightTrack& track) {
    FlightProfile profile;
    profile.date = {track.headerDay, track.headerMonth, fourDigitYear(track.headerYear)};
    profile.takeoffHour = track.headerHour;
    profile.takeoffMinute = track.headerMinute;
    profile.altitudes.reserve(track.points.size());
    for (const TrackPoint& point : track.points) {
        profile.altitudes.push_back(point.pointAltitude);
    }
    const std::vector<int>& altitudes = profile.altitudes;
    std::size_t lowest = 0;
    for (std::size_t i = 0; i < altitudes.size(); ++i) {
        if (i > 0) {
            profile.climbs.push_back(altitudes[i] - altitudes[i - 1]);
        }
        if (altitudes[i] > altitudes[profile.highest]) {
            profile.highest = i;
        }
        if (altitudes[i] < altitudes[lowest]) {
            lowest = i;
        }
        if (altitudes[i] - altitudes[lowest] > profile.gain()) {
            profile.gainFrom = lowest;
            profile.gainTo = i;
        }
    }
    return profile;
}

std::optional<FlightProfile> readFlightProfile(const std::filesystem::path& path,
                                               UserInterface& ui) {
    CFlightTrack track(ui);
    if (!track.readFlightFile(path)) {
        return std::nullopt;
    }
    if (track.points.empty()) {
        ui.message("Die Flugdaten-Datei " + path.string() + "\nenthält keine Trackpunkte.",
                   Icon::Exclamation);
        return std::nullopt;
    }
    return flightProfile(track);
}

} // namespace zv
