#pragma once

// settings.ini: the settings record as 22 lines in the start directory, one value per
// line, the meaning of a line given by its position.

#include "base/app_settings.h"

#include <filesystem>
#include <string>

namespace zv {

class TextReader;

// The first line of a settings.ini of this version.
inline constexpr const char* settingsVersionMark = "Version1.4";
// The first line written when a required path was left empty at start.
inline constexpr const char* invalidSettingsMark = "invalid";

enum class SettingsFileState {
    Loaded,       // first line "Version1.4", the other lines read into the record
    WrongVersion, // any other first line (also "invalid"); nothing read
    Missing,      // no file that can be opened for reading
};

// Reads settings.ini: when its first line is "Version1.4" exactly, takes it as versionMark
// and reads the other 21 lines into the record. A numeric line that does not convert
// leaves its field as it was; a missing line reads as empty text.
SettingsFileState loadSettings(AppSettings& settings, const std::filesystem::path& file);
// The same on the bytes of a file.
SettingsFileState loadSettingsFromContent(AppSettings& settings, std::string content);
// Reads the 21 lines after the first.
void loadSettingsLines(AppSettings& settings, TextReader& reader);

// The 22 lines of the record, each ending in "\n".
std::string formatSettingsFile(const AppSettings& settings);
// Replaces settingsFilePath(settings) atomically; false when it could not be written
// (the old file is then left as it was).
bool saveSettings(const AppSettings& settings);

// Every saved field to its value after reset; versionMark "Version1.4".
void resetSettings(AppSettings& settings);
// True when the eight paths the commands cannot do without are all filled in.
bool requiredPathsComplete(const AppSettings& settings);
// versionMark "invalid" when one of the eight required paths is empty.
void markInvalidSettings(AppSettings& settings);

} // namespace zv
