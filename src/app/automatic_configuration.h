#pragma once

// The first start in a new directory: the data tree with its example files, and the
// search for OziExplorer and the ZVView viewer.

#include "base/app_settings.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace zv {

class UserInterface;

// The example files, as text ("\n" is written as CR LF).
extern const char* const exampleOziWaypointFile; // Data/Example.wpt
extern const char* const exampleZvWaypointFile;  // Data/Zv/Example.wpt
extern const char* const exampleLogbookFile;     // Data/Zv/Logbuch/Flugbuch.log
extern const char* const exampleLiftFile;        // Data/Zv/Lifts/Lifts.lft

// Looks for a program file first in startDir, then in each directory of searchPath (the
// value of PATH, ':'-separated, relative entries taken from startDir); the full path of
// the first hit.
std::optional<std::string> findProgram(std::string_view name, const std::filesystem::path& startDir,
                                       std::string_view searchPath);

// Builds the data tree below settings.startDir (Data, Data/Zv, Data/Zv/Logbuch,
// Data/Zv/Routen, Data/Zv/Lifts, Data/Zv/Startplaetze), writes the example files that do
// not exist yet (an existing logbook, lift database or waypoint file is kept as it is),
// fills every saved field and looks for Oziexp.exe and ZVView.exe along PATH. A program
// not found is reported and its field left as it was. False when an example file could
// not be written (reported; the rest of the configuration is done all the same).
bool automaticConfiguration(AppSettings& settings, UserInterface& ui);

} // namespace zv
