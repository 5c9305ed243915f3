// zv-cli's commands of the instrument link: the downloads and uploads of the menu "Zirrova".
#include "app/zv_app.h"
#include "cli/cli_command.h"
#include "cli/cli_user_interface.h"
#include "link/download_commands.h"
#include "link/transfer_commands.h"
#include "platform/qt_serial_port.h"

#include <QCoreApplication>
#include <memory>

namespace zv::cli {

namespace {

// A transfer command of the menu "Zirrova".
using LinkCommand = bool (*)(const AppSettings&, UserInterface&, SerialPort&);

LinkCommand downloadCommand(const std::string& kind) {
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
    if (kind == "takeoffs") {
        return commandReceiveTakeoffs;
    }
    return commandReceiveFlight;
}

LinkCommand uploadCommand(const std::string& kind) {
    if (kind == "lifts") {
        return commandSendLifts;
    }
    if (kind == "waypoints") {
        return commandSendWaypoints;
    }
    if (kind == "takeoffs") {
        return commandSendTakeoffs;
    }
    return commandSendLines;
}

// Runs a command on the serial line of the settings' port. QSerialPort needs Qt's
// application object; zv-cli makes one only for the commands that use the line.
bool onSerialLine(CZvApp& app, LinkCommand command) {
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
    .synopsis = "logbook|lifts|waypoints|routes|takeoffs|flight FILE",
    .menuPath =
        "Zirrova > empfangen > Logbuch / Aufwinde / Wegpunkte / Routen / Startplätze / Flug",
    .needsSettings = true,
    .fileArguments = 1,
    .prepare = [](Arguments& arguments) -> CommandAction {
        const LinkCommand command = downloadCommand(arguments.takeWord(
            "Art", {"logbook", "lifts", "waypoints", "routes", "takeoffs", "flight"}));
        return [command](CZvApp& app, CliUserInterface&) { return onSerialLine(app, command); };
    },
});

const CommandRegistrar sendCommand({
    .name = "send",
    .synopsis = "lifts|waypoints|takeoffs|lines FILE",
    .menuPath = "Zirrova > senden > Aufwinde / Wegpunkte / Startplätze / Lines",
    .needsSettings = true,
    .fileArguments = 1,
    .prepare = [](Arguments& arguments) -> CommandAction {
        const LinkCommand command =
            uploadCommand(arguments.takeWord("Art", {"lifts", "waypoints", "takeoffs", "lines"}));
        return [command](CZvApp& app, CliUserInterface&) { return onSerialLine(app, command); };
    },
});

} // namespace

} // namespace zv::cli
