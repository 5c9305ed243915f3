#pragma once

// "Flugdaten zuordnen": which flight data file (".zvc") belongs to which flight of the
// main logbook, by date and takeoff time. The result is a copy of the logbook (extension
// "fzd") in which every flight is preceded by a comment line naming its file, or
// ";NO FLIGHT DATA". The main logbook and the flight data files stay as they are.

#include "logbook/logbook.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace zv {

struct AppSettings;
class UserInterface;

// A flight data file that may still be assigned, with the date and takeoff time of its
// header line.
struct FlightCandidate {
    std::string fileName; // without directory
    int year = 0;         // two digits, as the instrument writes it
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
};

// The candidates of the listed files of `flightDir`, in list order. A file whose header
// cannot be read is reported (the reader's message) and left out.
std::vector<FlightCandidate> readFlightCandidates(const std::filesystem::path& flightDir,
                                                  const std::vector<std::string>& fileNames,
                                                  UserInterface& ui);

// The candidate of every flight, in list order: the first remaining candidate of the same
// date and takeoff time, which is then used up; none when there is no such candidate. Of
// several files of one date and takeoff time the first in list order goes to the first
// such flight and the others stay for later flights, so every file goes to one flight at
// most.
std::vector<std::optional<std::size_t>>
matchFlightData(const std::vector<FlightRecord>& flights,
                const std::vector<FlightCandidate>& candidates);

// Gives every flight its comment line: ";" and the name of its file (matchFlightData), or
// ";NO FLIGHT DATA".
void assignFlightData(std::vector<FlightRecord>& flights,
                      const std::vector<FlightCandidate>& candidates);

// Tools > Flugbuch > Flugdaten zuordnen.
bool commandAssignFlightData(const AppSettings& settings, UserInterface& ui);

} // namespace zv
