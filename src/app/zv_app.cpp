#include "app/zv_app.h"

#include "app/settings_file.h"
#include "app/settings_startup.h"
#include "base/user_interface.h"
#include "formats/precious_files.h"

#include <stdexcept>
#include <system_error>

namespace zv {

CZvApp::CZvApp(UserInterface& ui) : ui_(ui) {}

void CZvApp::takeStartDir(const std::filesystem::path& startDir) {
    std::error_code error;
    std::filesystem::path absolute = std::filesystem::absolute(startDir, error);
    if (error) {
        absolute = startDir;
    }
    settings_.startDir = absolute.lexically_normal().string();
    // "/tmp/x/." normalises to "/tmp/x/"; directory settings carry no trailing separator.
    while (settings_.startDir.size() > 1 && settings_.startDir.back() == '/') {
        settings_.startDir.pop_back();
    }
    settings_.logbookCommandsEnabled = true;
    settings_.liftDbCommandsEnabled = true;
}

bool CZvApp::initSettings(const std::filesystem::path& startDir) {
    takeStartDir(startDir);
    const SettledSettings settled = settleSettings(settings_, ui_);
    settled_ = true;
    if (settled.state == SettingsFileState::Loaded) {
        return true;
    }
    // settings.ini is written also when an example file could not be: the start reported
    // a failure all the same.
    return saveSettings() && settled.examplesWritten;
}

SettingsFileState CZvApp::readSettings(const std::filesystem::path& startDir) {
    takeStartDir(startDir);
    const SettingsFileState state = loadSettings(settings_, settingsFilePath(settings_));
    settled_ = state == SettingsFileState::Loaded;
    return state;
}

bool CZvApp::saveSettings() {
    const std::filesystem::path path = settingsFilePath(settings_);
    // Under its lock, like the logbook and the lift database: a second zv writing it at
    // the same moment waits, and what a killed one left behind goes.
    const auto lock = lockForChange(path, {path}, ui_);
    if (!lock) {
        return false;
    }
    if (zv::saveSettings(settings_)) {
        return true;
    }
    ui_.message("Die Datei " + path.string() + "\nkonnte nicht geschrieben werden!", Icon::Stop);
    return false;
}

bool CZvApp::exitInstance() {
    return settled_ ? saveSettings() : true;
}

bool CZvApp::runCommand(const Command& command) {
    const std::string before = formatSettingsFile(settings_);
    const bool succeeded = command(settings_, ui_);
    if (settled_ && formatSettingsFile(settings_) != before) {
        return saveSettings() && succeeded;
    }
    return succeeded;
}

bool CZvApp::runCommand(CommandId id, SerialPort* line) {
    const CommandFunction& function = commandEntry(id).function;
    if (function.onLine) {
        if (line == nullptr) {
            throw std::logic_error("a transfer needs the serial line");
        }
        return runCommand([&function, line](AppSettings& settings, UserInterface& ui) {
            return function.onLine(settings, ui, *line);
        });
    }
    if (!function.onRecord) {
        throw std::logic_error("a command of the main window");
    }
    return runCommand(function.onRecord);
}

} // namespace zv
