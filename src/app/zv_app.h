#pragma once

// The application object: owns the settings record, settles it at start, and runs the
// menu commands on it for the front ends. settings.ini is written as soon as a command
// changed a saved field, so that a crash loses nothing.

#include "app/command_table.h"
#include "app/settings_file.h"
#include "base/app_settings.h"

#include <filesystem>
#include <functional>
#include <string>

namespace zv {

class UserInterface;

class CZvApp {
public:
    // A menu command: runs on the record and the user interface, true on success.
    // Commands that only read the record (taking const AppSettings&) fit as well.
    using Command = std::function<bool(AppSettings&, UserInterface&)>;

    explicit CZvApp(UserInterface& ui);
    CZvApp(const CZvApp&) = delete;
    CZvApp& operator=(const CZvApp&) = delete;

    AppSettings& settings() { return settings_; }
    const AppSettings& settings() const { return settings_; }
    UserInterface& ui() { return ui_; }

    // The start: takes startDir (made absolute), enables the logbook and lift database
    // commands and settles the settings (reading settings.ini, or the first-start
    // dialogue). Unless the file was read as it is, settings.ini is written at once.
    // False when it had to be written and could not be (reported).
    bool initSettings(const std::filesystem::path& startDir);
    // Reads settings.ini of startDir without any dialogue (the headless front end): the
    // record is taken only from a file of this version.
    SettingsFileState readSettings(const std::filesystem::path& startDir);
    // Writes settings.ini atomically; a failure is reported with the stop icon.
    bool saveSettings();
    // At the end of the program: writes settings.ini if the settings were settled.
    bool exitInstance();

    // Runs a command and writes settings.ini when it changed a saved field. False when
    // the command failed or the changed settings could not be written.
    bool runCommand(const Command& command);

    // Runs the function of a command of the table (app/command_table.h) the same way; a
    // transfer runs on `line`, which the front end provides.
    bool runCommand(CommandId id, SerialPort* line = nullptr);

private:
    void takeStartDir(const std::filesystem::path& startDir);

    UserInterface& ui_;
    AppSettings settings_;
    bool settled_ = false;
};

} // namespace zv
