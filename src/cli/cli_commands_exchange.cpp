// zv-cli's commands of the exchange with other programs: Tools > Exportieren, Importieren.
#include "cli/cli_command.h"

namespace zv::cli {

namespace {

const CommandRegistrar exportCommand({
    .name = "export",
    .synopsis = "gpx|kml SOURCE TARGET",
    .commands = {CommandId::ExportGpx, CommandId::ExportKml},
    .needsSettings = true,
    .fileArguments = 2,
    .prepare = [](Arguments& arguments) -> CommandAction {
        const CommandId id = arguments.takeWord("Format", {"gpx", "kml"}) == "gpx"
                                 ? CommandId::ExportGpx
                                 : CommandId::ExportKml;
        return [id](CZvApp& app, CliUserInterface&) { return runTableCommand(app, id); };
    },
});

const CommandRegistrar importCommand({
    .name = "import",
    .synopsis = "SOURCE TARGET",
    .commands = {CommandId::ImportWaypoints},
    .needsSettings = true,
    .fileArguments = 2,
});

} // namespace

} // namespace zv::cli
