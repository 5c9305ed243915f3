#include "app/settings_startup.h"

#include "app/automatic_configuration.h"
#include "base/user_interface.h"

namespace zv {

const char* const messageWrongSettingsVersion =
    "Sie haben vermutlich eine falsche Version der Datei settings.ini.\n"
    "Einstellungen bitte neu vornehmen!\n"
    "Wenn Sie Hilfe benötigen, betätigen Sie F1.";
const char* const questionAutomaticConfiguration =
    "Die Datei settings.ini existiert nicht.\n"
    "Möchten Sie eine automatische Konfiguration durchführen?";
const char* const messageAutomaticConfiguration =
    "Zv nimmt die erforderlichen Einstellungen automatisch vor.\n"
    "Bitte überprüfen und ändern Sie ggf. die Einstellungen!";
const char* const messageUpdateSettings = "Sie müssen nun die Einstellungen aktualisieren!\n"
                                          "Wenn Sie Hilfe benötigen, betätigen Sie F1.";

SettledSettings settleSettings(AppSettings& settings, UserInterface& ui) {
    SettledSettings settled;
    settled.state = loadSettings(settings, settingsFilePath(settings));
    switch (settled.state) {
    case SettingsFileState::Loaded:
        break;
    case SettingsFileState::WrongVersion:
        // The old values are not kept: their lines may mean something else.
        ui.message(messageWrongSettingsVersion, Icon::Information);
        resetSettings(settings);
        ui.runSettingsSheet(settings);
        markInvalidSettings(settings);
        break;
    case SettingsFileState::Missing:
        resetSettings(settings);
        if (ui.ask(questionAutomaticConfiguration, Icon::Question, Buttons::YesNo) == Answer::Yes) {
            ui.message(messageAutomaticConfiguration, Icon::Information);
            settled.examplesWritten = automaticConfiguration(settings, ui);
            ui.runSettingsSheet(settings);
        } else {
            ui.message(messageUpdateSettings, Icon::Information);
            ui.runSettingsSheet(settings);
            markInvalidSettings(settings);
        }
        break;
    }
    return settled;
}

bool runSettingsCommand(AppSettings& settings, UserInterface& ui) {
    if (!ui.runSettingsSheet(settings)) {
        return false;
    }
    if (settings.versionMark == invalidSettingsMark && requiredPathsComplete(settings)) {
        settings.versionMark = settingsVersionMark;
    }
    return true;
}

} // namespace zv
