#include "logbook/flight_assignment.h"

#include "base/app_settings.h"
#include "base/file_paths.h"
#include "base/user_interface.h"
#include "formats/flight_track.h"
#include "formats/precious_files.h"

#include <algorithm>
#include <array>
#include <deque>
#include <map>

namespace zv {

namespace {

// A flight's date and takeoff time, as the header of its flight data file gives them.
using TakeoffKey = std::array<int, 5>;

TakeoffKey takeoffKey(const FlightCandidate& c) {
    return {c.year, c.month, c.day, c.hour, c.minute};
}

TakeoffKey takeoffKey(const FlightRecord& f) {
    return {f.year, f.month, f.day, f.takeoffHour, f.takeoffMinute};
}

// The comment line naming a file. A line break in a file name would split the comment and
// break the copy's layout, so it is shown as "?".
std::string commentLine(const std::string& fileName) {
    std::string line = ";" + fileName;
    std::replace_if(
        line.begin(), line.end(), [](char c) { return c == '\n' || c == '\r'; }, '?');
    return line + "\n";
}

} // namespace

std::vector<FlightCandidate> readFlightCandidates(const std::filesystem::path& flightDir,
                                                  const std::vector<std::string>& fileNames,
                                                  UserInterface& ui) {
    std::vector<FlightCandidate> candidates;
    for (const auto& name : fileNames) {
        CFlightTrack track(ui);
        if (!track.readFlightHeader(joinPath(flightDir, name))) {
            continue;
        }
        candidates.push_back({name, track.headerYear, track.headerMonth, track.headerDay,
                              track.headerHour, track.headerMinute});
    }
    return candidates;
}

std::vector<std::optional<std::size_t>>
matchFlightData(const std::vector<FlightRecord>& flights,
                const std::vector<FlightCandidate>& candidates) {
    // The candidates of each date and takeoff time in list order, so that every flight
    // finds its file without going through all of them.
    std::map<TakeoffKey, std::deque<std::size_t>> remaining;
    for (std::size_t c = 0; c < candidates.size(); ++c) {
        remaining[takeoffKey(candidates[c])].push_back(c);
    }
    std::vector<std::optional<std::size_t>> matches(flights.size());
    for (std::size_t f = 0; f < flights.size(); ++f) {
        const auto found = remaining.find(takeoffKey(flights[f]));
        if (found != remaining.end() && !found->second.empty()) {
            matches[f] = found->second.front();
            found->second.pop_front();
        }
    }
    return matches;
}

void assignFlightData(std::vector<FlightRecord>& flights,
                      const std::vector<FlightCandidate>& candidates) {
    const auto matches = matchFlightData(flights, candidates);
    for (std::size_t f = 0; f < flights.size(); ++f) {
        flights[f].leadText =
            matches[f] ? commentLine(candidates[*matches[f]].fileName) : ";NO FLIGHT DATA\n";
    }
}

namespace {

// Steps of the command up to the written copy, under the wait cursor. False after the
// message of the failure.
bool writeAssignmentCopy(const AppSettings& settings, const std::string& copyPath,
                         UserInterface& ui) {
    WaitCursor wait(ui);
    CLogbook logbook(CLogbook::serialText(settings.serialNumber));
    const std::filesystem::path& flightDir = settings.waypointDir;

    const std::vector<std::string> names = listFlightFiles(flightDir);
    if (names.empty()) {
        ui.message("Keine Flug-Datei vorhanden oder\nfalsche Pfadangabe in Einstellungen?",
                   Icon::Question);
        return false;
    }
    // A logbook that could not be read whole gives no copy: it would not show every flight.
    if (!logbook.readLogbook(mainLogbookPath(settings), ui)) {
        ui.message("Flugbuch nicht vorhanden oder\nfalsche Pfadangabe in Einstellungen?",
                   Icon::Question);
        return false;
    }
    if (logbook.flights().empty()) {
        ui.message("Das Flugbuch enthält keine Daten oder nur den Beispielflug!", Icon::Stop);
        return false;
    }
    logbook.renumber(settings.firstFlightNumber);
    assignFlightData(logbook.flights(), readFlightCandidates(flightDir, names, ui));
    return logbook.writeLogbook(copyPath, settings.flightsPerPage, ui);
}

} // namespace

bool commandAssignFlightData(const AppSettings& settings, UserInterface& ui) {
    if (!maintainedFilesApart(settings, ui)) {
        return false;
    }
    const std::filesystem::path copyPath = siblingPath(mainLogbookPath(settings), "fzd");
    if (!writeAssignmentCopy(settings, copyPath, ui)) {
        return false;
    }
    ui.closeAllDocuments();
    ui.openDocument(copyPath);
    return true;
}

} // namespace zv
