#include "logbook/logbook_overview.h"

#include "base/app_settings.h"
#include "base/file_paths.h"
#include "base/null_user_interface.h"
#include "base/user_interface.h"
#include "formats/flight_track.h"
#include "logbook/flight_assignment.h"

namespace zv {

std::optional<LogbookOverview> readLogbookOverview(const AppSettings& settings, UserInterface& ui) {
    CLogbook logbook(CLogbook::serialText(settings.serialNumber));
    logbook.readLogbook(mainLogbookPath(settings), ui);
    if (logbook.flights().empty()) {
        ui.message("Das Flugbuch enthält keine Daten oder nur den Beispielflug!", Icon::Stop);
        return std::nullopt;
    }
    logbook.renumber(settings.firstFlightNumber);

    const std::filesystem::path flightDir = settings.waypointDir;
    NullUserInterface quiet;
    const std::vector<FlightCandidate> candidates =
        readFlightCandidates(flightDir, listFlightFiles(flightDir), quiet);
    const auto matches = matchFlightData(logbook.flights(), candidates);

    LogbookOverview overview;
    overview.flightFiles.resize(matches.size());
    for (std::size_t f = 0; f < matches.size(); ++f) {
        if (matches[f]) {
            overview.flightFiles[f] = joinPath(flightDir, candidates[*matches[f]].fileName);
        }
    }
    overview.flights = std::move(logbook.flights());
    return overview;
}

} // namespace zv
