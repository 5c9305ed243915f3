#pragma once

// Settling the settings at start, and the command "Einstellungen".

#include "app/settings_file.h"
#include "base/app_settings.h"

namespace zv {

class UserInterface;

// The messages of the start.
extern const char* const messageWrongSettingsVersion;
extern const char* const questionAutomaticConfiguration;
extern const char* const messageAutomaticConfiguration;
extern const char* const messageUpdateSettings;

// How the settings were settled: how settings.ini was found, and whether every example
// file of an automatic configuration was written (a failure has been reported).
struct SettledSettings {
    SettingsFileState state = SettingsFileState::Missing;
    bool examplesWritten = true;
};

// Reads startDir/settings.ini into the record. A file of another version (or marked
// "invalid") is reported, the record reset and the settings sheet shown; a missing file
// offers the automatic configuration. A start that leaves a required path empty marks
// the record "invalid" (never after the automatic configuration).
SettledSettings settleSettings(AppSettings& settings, UserInterface& ui);

// The command "Einstellungen": the settings sheet on the record. When it is confirmed on
// a record marked "invalid" whose eight required paths are now all filled in, the mark
// goes: the paths are complete, and the next start must not throw them away again.
// Returns whether the sheet was confirmed.
bool runSettingsCommand(AppSettings& settings, UserInterface& ui);

} // namespace zv
