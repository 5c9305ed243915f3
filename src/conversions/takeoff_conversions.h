#pragma once

// The takeoff sites between OziExplorer and the instrument, one file at a time: an
// OziExplorer waypoint file becomes a takeoff site file (.tof) in the takeoff directory,
// and a takeoff site file an OziExplorer waypoint file in the OziExplorer directory.

#include <filesystem>
#include <string>

namespace zv {

struct AppSettings;
class UserInterface;

// The target of a conversion: targetDir, separator and the source's file name with the
// extension after its last dot replaced (a name without a dot gets one).
std::filesystem::path convertedFilePath(const std::filesystem::path& sourcePath,
                                        const std::filesystem::path& targetDir,
                                        const std::string& extension);

// Tools > Konvertieren > Startplätze > "Ozi->Tof" and "Tof->Ozi".
bool commandOziToTakeoff(const AppSettings& settings, UserInterface& ui);
bool commandTakeoffToOzi(const AppSettings& settings, UserInterface& ui);

} // namespace zv
