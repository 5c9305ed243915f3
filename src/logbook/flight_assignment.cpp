#include "logbook/flight_assignment.h"

#include "base/app_settings.h"
#include "base/file_paths.h"
#include "base/user_interface.h"
#include "formats/flight_track.h"
#include "formats/precious_files.h"

#include <algorithm>

namespace zv {

namespace {

bool sameTakeoff(const FlightCandidate& candidate, const FlightRecord& flight) {
    return candidate.year == flight.year && candidate.month == flight.month &&
           candidate.day == flight.day && candidate.hour == flight.takeoffHour &&
           candidate.minute == flight.takeoffMinute;
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

void assignFlightData(std::vector<FlightRecord>& flights, std::vector<FlightCandidate> candidates) {
    for (auto& flight : flights) {
        flight.leadText = ";NO FLIGHT DATA\n";
        const auto match = std::find_if(candidates.begin(), candidates.end(),
                                        [&](const auto& c) { return sameTakeoff(c, flight); });
        if (match != candidates.end()) {
            flight.leadText = commentLine(match->fileName);
            candidates.erase(match);
        }
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
