// zv-cli's chart: the charts beside the reports of flight hours and takeoff sites, and the
// profile of a flight data file, painted by the code of zv's chart windows into a PNG
// picture, on Qt's offscreen platform.
#include "app/zv_app.h"
#include "base/file_choice.h"
#include "cli/cli_command.h"
#include "cli/cli_options.h"
#include "cli/cli_user_interface.h"
#include "formats/precious_files.h"
#include "logbook/flight_profile.h"
#include "logbook/logbook_commands.h"
#include "ui/charts/chart_files.h"
#include "ui/charts/logbook_charts.h"

#include <QApplication>
#include <memory>

namespace zv::cli {

namespace {

struct ChartOptions {
    std::string kind; // hours, sites or profile
    TimeSpanDialogData span;
    std::filesystem::path png;
};

// The charts need Qt's widget application object. zv-cli makes one on the offscreen
// platform, and only for this command: it draws without a display, and every other
// command runs without Qt's GUI.
std::unique_ptr<QApplication> offscreenApplication() {
    if (QCoreApplication::instance() != nullptr) {
        return nullptr;
    }
    static int argc = 3;
    static char name[] = "zv-cli";
    static char platformOption[] = "-platform";
    static char platform[] = "offscreen";
    static char* argv[] = {name, platformOption, platform, nullptr};
    return std::make_unique<QApplication>(argc, argv);
}

// The charts of the chosen kind, from the core's numbers; nothing after the core's message.
// The numbers come first: the charts are made once the application object is there.
std::optional<std::vector<charts::SizedChart>> chartsOf(const ChartOptions& options,
                                                        const AppSettings& settings,
                                                        CliUserInterface& ui,
                                                        std::unique_ptr<QApplication>& qtApp) {
    std::vector<charts::SizedChart> shown;
    if (options.kind == "hours") {
        const auto table = readFlightHoursChart(settings, options.span, ui);
        if (!table) {
            return std::nullopt;
        }
        qtApp = offscreenApplication();
        shown.push_back({charts::monthHoursChart(*table), charts::hoursChartSize()});
        shown.push_back({charts::yearHoursChart(*table), charts::hoursChartSize()});
    } else if (options.kind == "sites") {
        const auto table = readTakeoffSitesChart(settings, options.span, ui);
        if (!table) {
            return std::nullopt;
        }
        qtApp = offscreenApplication();
        shown.push_back({charts::takeoffSitesChart(*table), charts::sitesChartSize(*table)});
    } else {
        FileDialogRequest request;
        request.title = "Flugdaten-Datei öffnen";
        request.filter = "Flugdaten (*.zvc) |*.zvc||";
        request.defaultExtension = "zvc";
        request.initialDir = settings.waypointDir;
        const auto path = chooseExistingFile(ui, request);
        const auto profile = path ? readFlightProfile(*path, ui) : std::nullopt;
        if (!profile) {
            return std::nullopt;
        }
        qtApp = offscreenApplication();
        shown.push_back(
            {charts::profileChart(*profile, QString::fromStdString(path->filename().string())),
             charts::profileChartSize()});
    }
    return shown;
}

bool drawChart(const AppSettings& settings, CliUserInterface& ui, const ChartOptions& options) {
    std::filesystem::path png = options.png;
    if (png.is_relative()) {
        png = ui.currentDir() / png;
    }
    if (const std::string refusal = preciousTargetRefusal(settings, png); !refusal.empty()) {
        ui.message(refusal, Icon::Exclamation);
        return false;
    }
    std::unique_ptr<QApplication> qtApp;
    auto shown = chartsOf(options, settings, ui, qtApp);
    return shown && charts::writePng(charts::paintCharts(std::move(*shown)), png, ui);
}

const CommandRegistrar chartCommand({
    .name = "chart",
    .synopsis = "hours|sites (--all | --from TT.MM.JJJJ --to TT.MM.JJJJ) --png BILD.png, "
                "profile FLUGDATEI --png BILD.png",
    .commands = {CommandId::StatsHours, CommandId::StatsSites},
    .needsSettings = true,
    .fileArguments = 1,
    .prepare = [](Arguments& arguments) -> CommandAction {
        ChartOptions options;
        options.kind = arguments.takeWord("Grafik", {"hours", "sites", "profile"});
        const auto png = arguments.takeOption("--png", 1);
        if (!png) {
            throw UsageError("--png fehlt");
        }
        options.png = png->front();
        if (options.kind == "profile") {
            if (arguments.remaining().empty()) {
                throw UsageError("FLUGDATEI fehlt");
            }
        } else {
            options.span = parseSpan(arguments);
            if (!arguments.remaining().empty()) {
                throw UsageError("zu viele Argumente für chart " + options.kind);
            }
        }
        return [options](CZvApp& app, CliUserInterface& ui) {
            return drawChart(app.settings(), ui, options);
        };
    },
});

} // namespace

} // namespace zv::cli
