// zv-cli's commands of the flight data files: the tracks for the map program and the
// assignment of the files to the logbook's flights.
#include "cli/cli_command.h"

namespace zv::cli {

namespace {

const CommandRegistrar tracksCommand({
    .name = "tracks",
    .synopsis = "",
    .commands = {CommandId::FlightToTracks},
    .needsSettings = true,
    .fileArguments = 0,
});

const CommandRegistrar assignCommand({
    .name = "assign",
    .synopsis = "",
    .commands = {CommandId::AssignFlights},
    .needsSettings = true,
    .fileArguments = 0,
});

} // namespace

} // namespace zv::cli
