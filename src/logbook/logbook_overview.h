#pragma once

// "Übersicht": the main logbook as the flight table shows it, each flight with the flight
// data file that "Flugdaten zuordnen" would name for it. Reading only: the logbook and the
// flight data files stay as they are.

#include "logbook/logbook.h"

#include <filesystem>
#include <optional>
#include <vector>

namespace zv {

struct AppSettings;
class UserInterface;

struct LogbookOverview {
    // In logbook order, numbered from the first flight number of the settings, as the
    // commands that write the logbook number them.
    std::vector<FlightRecord> flights;
    // For each flight the path of its flight data file; empty when it has none.
    std::vector<std::filesystem::path> flightFiles;
};

// Reads the main logbook (after a format error, the flights read before it) and matches the
// flight data files of the flight directory to its flights by date and takeoff time, as
// "Flugdaten zuordnen" does. A file whose header cannot be read belongs to no flight; the
// table says nothing about it (the assignment command reports it). Nothing, after the
// message, when the logbook holds no flight.
std::optional<LogbookOverview> readLogbookOverview(const AppSettings& settings, UserInterface& ui);

} // namespace zv
