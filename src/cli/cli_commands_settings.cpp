// zv-cli's commands of the settings: the first start and the port choice.
#include "app/settings_file.h"
#include "app/settings_startup.h"
#include "app/zv_app.h"
#include "cli/cli_command.h"
#include "cli/cli_user_interface.h"

namespace zv::cli {

namespace {

// The first start in this directory as zv makes it, answering Yes to the automatic
// configuration and taking the settings sheet as confirmed: the data tree with its
// examples (existing files are kept) and settings.ini. A settings.ini of this version
// is left as it is. One of another version is reported and left as well: zv would reset
// it and show the sheet, which zv-cli cannot fill in, so the pilot's old values stay
// until zv itself is started or the file is moved away.
const CommandRegistrar initCommand({
    .name = "init",
    .synopsis = "",
    .description = "erster Start: automatische Konfiguration, settings.ini anlegen",
    .needsSettings = false,
    .fileArguments = 0,
    .prepare = [](Arguments&) -> CommandAction {
        return [](CZvApp& app, CliUserInterface& ui) {
            switch (app.readSettings(ui.currentDir())) {
            case SettingsFileState::Loaded:
                return true;
            case SettingsFileState::WrongVersion:
                ui.message(messageWrongSettingsVersion, Icon::Information);
                return false;
            case SettingsFileState::Missing:
                break;
            }
            ui.setAnswerYes(true);
            ui.setSettingsSheetConfirms(true);
            return app.initSettings(ui.currentDir());
        };
    },
});

const CommandRegistrar portCommand({
    .name = "port",
    .synopsis = "1 | 2",
    .commands = {CommandId::Com1, CommandId::Com2},
    .needsSettings = true,
    .fileArguments = 0,
    .prepare = [](Arguments& arguments) -> CommandAction {
        const CommandId port =
            arguments.takeWord("Port", {"1", "2"}) == "1" ? CommandId::Com1 : CommandId::Com2;
        return [port](CZvApp& app, CliUserInterface&) { return runTableCommand(app, port); };
    },
});

} // namespace

} // namespace zv::cli
