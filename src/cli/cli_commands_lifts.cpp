// zv-cli's commands of the lift database (Tools > Aufwinddatenbank), the lift map export
// and the conversions of takeoff sites and lines (Tools > Konvertieren).
#include "app/zv_app.h"
#include "cli/cli_command.h"
#include "cli/cli_user_interface.h"
#include "lifts/lift_extraction.h"

namespace zv::cli {

namespace {

// A command whose only input is the file its dialog asks for.
SubCommand fileCommand(std::string name, std::string synopsis, CommandId command,
                       std::size_t fileArguments) {
    return {
        .name = std::move(name),
        .synopsis = std::move(synopsis),
        .commands = {command},
        .needsSettings = true,
        .fileArguments = fileArguments,
    };
}

const CommandRegistrar appendCommand(fileCommand("liftdb-append", "AUFWINDDATEI",
                                                 CommandId::LiftDbAppend, 1));
const CommandRegistrar restoreCommand(fileCommand("liftdb-restore", "", CommandId::LiftDbRestore,
                                                  0));
const CommandRegistrar mapCommand(fileCommand("lifts2wpt", "AUFWINDDATEI", CommandId::LiftsToWpt,
                                              1));
const CommandRegistrar oziToTakeoffCommand(fileCommand("ozi2tof", "OZI-WEGPUNKTDATEI",
                                                       CommandId::OziToTof, 1));
const CommandRegistrar takeoffToOziCommand(fileCommand("tof2ozi", "STARTPLATZDATEI",
                                                       CommandId::TofToOzi, 1));
const CommandRegistrar linesCommand(fileCommand("wpt2lines", "OZI-WEGPUNKTDATEI",
                                                CommandId::WptToLines, 1));

// What the options put into the edits of "Aufwinde extrahieren"; the rest keeps what the
// command filled in from the settings.
struct ExtractOptions {
    std::optional<std::vector<std::string>> lat;
    std::optional<std::vector<std::string>> lon;
    std::optional<std::vector<std::string>> wind;
    std::optional<std::vector<std::string>> out;
};

const CommandRegistrar extractCommand({
    .name = "liftdb-extract",
    .synopsis = "--lat UNTEN OBEN --lon LINKS RECHTS [--wind VON BIS] --out DATEI",
    .commands = {CommandId::LiftDbExtract},
    .needsSettings = true,
    .fileArguments = 0,
    .prepare = [](Arguments& arguments) -> CommandAction {
        ExtractOptions options;
        options.lat = arguments.takeOption("--lat", 2);
        options.lon = arguments.takeOption("--lon", 2);
        options.wind = arguments.takeOption("--wind", 2);
        options.out = arguments.takeOption("--out", 1);
        return [options](CZvApp& app, CliUserInterface& ui) {
            ui.liftExtractDialog = [&options, &app, &ui](LiftExtractDialogData& data) {
                LiftExtractTexts texts = liftExtractTexts(data);
                if (options.lat) {
                    texts.latLow = (*options.lat)[0];
                    texts.latHigh = (*options.lat)[1];
                }
                if (options.lon) {
                    texts.lonLow = (*options.lon)[0];
                    texts.lonHigh = (*options.lon)[1];
                }
                if (options.wind) {
                    texts.windFilter = true;
                    texts.windFrom = (*options.wind)[0];
                    texts.windTo = (*options.wind)[1];
                }
                if (options.out) {
                    texts.fileName = options.out->front();
                }
                const LiftExtractRefusal refusal =
                    acceptLiftExtractTexts(texts, app.settings(), data);
                if (refusal) {
                    ui.message(refusal.text, refusal.icon);
                    return false;
                }
                return true;
            };
            return runTableCommand(app, CommandId::LiftDbExtract);
        };
    },
});

} // namespace

} // namespace zv::cli
