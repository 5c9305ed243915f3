// zv-cli's commands of the instrument link: the downloads of the menu "Zirrova".
#include "app/zv_app.h"
#include "cli/cli_command.h"
#include "cli/cli_user_interface.h"
#include "link/download_commands.h"
#include "platform/qt_serial_port.h"

#include <QCoreApplication>
#include <memory>

namespace zv::cli {

namespace {

using DownloadCommand = bool (*)(const AppSettings&, UserInterface&, SerialPort&);

DownloadCommand downloadCommand(const std::string& kind) {
    if (kind == "logbook") {
        return commandReceiveLogbook;
    }
    if (kind == "lifts") {
        return commandReceiveLifts;
    }
    if (kind == "waypoints") {
        return commandReceiveWaypoints;
    }
    if (kind == "routes") {
        return commandReceiveRoutes;
    }
    return commandReceiveFlight;
}

// Runs a command on the serial line of the settings' port. QSerialPort needs Qt's
// application object; zv-cli makes one only for the commands that use the line.
bool onSerialLine(CZvApp& app, DownloadCommand command) {
    std::unique_ptr<QCoreApplication> qtApp;
    int argc = 1;
    char name[] = "zv-cli";
    char* argv[] = {name, nullptr};
    if (QCoreApplication::instance() == nullptr) {
        qtApp = std::make_unique<QCoreApplication>(argc, argv);
    }
    QtSerialPort serial;
    return app.runCommand(
        [&](AppSettings& settings, UserInterface& ui) { return command(settings, ui, serial); });
}

const CommandRegistrar receiveCommand({
    .name = "receive",
    .synopsis = "logbook|lifts|waypoints|routes|flight FILE",
    .menuPath = "Zirrova > empfangen > Logbuch / Aufwinde / Wegpunkte / Routen / Flug",
    .needsSettings = true,
    .fileArguments = 1,
    .prepare = [](Arguments& arguments) -> CommandAction {
        const DownloadCommand command = downloadCommand(
            arguments.takeWord("Art", {"logbook", "lifts", "waypoints", "routes", "flight"}));
        return [command](CZvApp& app, CliUserInterface&) { return onSerialLine(app, command); };
    },
});

} // namespace

} // namespace zv::cli
