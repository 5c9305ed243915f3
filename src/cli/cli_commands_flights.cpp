// zv-cli's commands of the flight data files: the tracks for the map program and the
// assignment of the files to the logbook's flights.
#include "app/zv_app.h"
#include "cli/cli_command.h"
#include "cli/cli_user_interface.h"
#include "conversions/track_batch.h"
#include "logbook/flight_assignment.h"

namespace zv::cli {

namespace {

const CommandRegistrar tracksCommand({
    .name = "tracks",
    .synopsis = "",
    .menuPath = "Tools > Konvertieren > Flug->Tracks",
    .needsSettings = true,
    .fileArguments = 0,
    .prepare = [](Arguments&) -> CommandAction {
        return
            [](CZvApp& app, CliUserInterface&) { return app.runCommand(commandFlightsToTracks); };
    },
});

const CommandRegistrar assignCommand({
    .name = "assign",
    .synopsis = "",
    .menuPath = "Tools > Flugbuch > Flugdaten zuordnen",
    .needsSettings = true,
    .fileArguments = 0,
    .prepare = [](Arguments&) -> CommandAction {
        return
            [](CZvApp& app, CliUserInterface&) { return app.runCommand(commandAssignFlightData); };
    },
});

} // namespace

} // namespace zv::cli
