// zv-cli's commands of the lift database (Tools > Aufwinddatenbank), the lift map export
// and the conversions of takeoff sites and lines (Tools > Konvertieren).
#include "app/zv_app.h"
#include "cli/cli_command.h"
#include "cli/cli_user_interface.h"
#include "conversions/lines_conversion.h"
#include "conversions/takeoff_conversions.h"
#include "lifts/lift_database.h"
#include "lifts/lift_extraction.h"
#include "lifts/lift_map_export.h"

namespace zv::cli {

namespace {

using ReadingCommand = bool (*)(const AppSettings&, UserInterface&);

// A command whose only input is the file its dialog asks for.
CommandEntry fileCommand(std::string name, std::string synopsis, std::string menuPath,
                         std::size_t fileArguments, ReadingCommand command) {
    return {
        .name = std::move(name),
        .synopsis = std::move(synopsis),
        .menuPath = std::move(menuPath),
        .needsSettings = true,
        .fileArguments = fileArguments,
        .prepare = [command](Arguments&) -> CommandAction {
            return [command](CZvApp& app, CliUserInterface&) { return app.runCommand(command); };
        },
    };
}

const CommandRegistrar appendCommand(fileCommand("liftdb-append", "AUFWINDDATEI",
                                                 "Tools > Aufwinddatenbank > erweitern", 1,
                                                 commandAppendLiftFile));
const CommandRegistrar restoreCommand(fileCommand("liftdb-restore", "",
                                                  "Tools > Aufwinddatenbank > wiederherstellen", 0,
                                                  commandRestoreLiftDatabase));
const CommandRegistrar mapCommand(fileCommand("lifts2wpt", "AUFWINDDATEI",
                                              "Tools > Konvertieren > Lifts->Wpt", 1,
                                              commandLiftsToWpt));
const CommandRegistrar oziToTakeoffCommand(
    fileCommand("ozi2tof", "OZI-WEGPUNKTDATEI", "Tools > Konvertieren > Startplätze > Ozi->Tof", 1,
                commandOziToTakeoff));
const CommandRegistrar takeoffToOziCommand(
    fileCommand("tof2ozi", "STARTPLATZDATEI", "Tools > Konvertieren > Startplätze > Tof->Ozi", 1,
                commandTakeoffToOzi));
const CommandRegistrar linesCommand(fileCommand("wpt2lines", "OZI-WEGPUNKTDATEI",
                                                "Tools > Konvertieren > Wpt->Lines", 1,
                                                commandWptToLines));

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
    .menuPath = "Tools > Aufwinddatenbank > extrahieren",
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
            return app.runCommand(commandExtractLifts);
        };
    },
});

} // namespace

} // namespace zv::cli
