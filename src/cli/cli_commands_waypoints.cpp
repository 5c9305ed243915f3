// zv-cli's commands of the waypoint conversions: Tools > Konvertieren > Wegpunkte.
#include "cli/cli_command.h"

namespace zv::cli {

namespace {

const CommandRegistrar zvToOziCommand({
    .name = "zv2ozi",
    .synopsis = "",
    .commands = {CommandId::ZvToOzi},
    .needsSettings = true,
    .fileArguments = 0,
});

const CommandRegistrar oziToZvCommand({
    .name = "ozi2zv",
    .synopsis = "",
    .commands = {CommandId::OziToZv},
    .needsSettings = true,
    .fileArguments = 0,
});

} // namespace

} // namespace zv::cli
