// zv-cli's commands of the waypoint conversions: Tools > Konvertieren > Wegpunkte.
#include "app/zv_app.h"
#include "cli/cli_command.h"
#include "cli/cli_user_interface.h"
#include "conversions/waypoint_batch.h"

namespace zv::cli {

namespace {

const CommandRegistrar zvToOziCommand({
    .name = "zv2ozi",
    .synopsis = "",
    .menuPath = "Tools > Konvertieren > Wegpunkte > Zv->Ozi",
    .needsSettings = true,
    .fileArguments = 0,
    .prepare = [](Arguments&) -> CommandAction {
        return [](CZvApp& app, CliUserInterface&) { return app.runCommand(commandZvToOzi); };
    },
});

const CommandRegistrar oziToZvCommand({
    .name = "ozi2zv",
    .synopsis = "",
    .menuPath = "Tools > Konvertieren > Wegpunkte > Ozi->Zv",
    .needsSettings = true,
    .fileArguments = 0,
    .prepare = [](Arguments&) -> CommandAction {
        return [](CZvApp& app, CliUserInterface&) { return app.runCommand(commandOziToZv); };
    },
});

} // namespace

} // namespace zv::cli
