#pragma once

// The files the map shows, read through the readers of formats/: flight data files
// (.zvc), instrument waypoint files (.wpt; in the route directory: routes), takeoff site
// files (.tof), lift files and the lift database (.lft); the waypoints of other programs
// as the import reads them: GPX, KML, SeeYou (.cup) and OziExplorer files (.wpt too,
// recognised by the first line). The map never writes them.

#include "base/user_interface.h"
#include "mapdata/map_layer.h"

#include <filesystem>
#include <optional>

namespace zv {
struct AppSettings;
}

namespace zv::map {

// Whether the map shows files with this name's extension (in any letter case).
bool isMapFile(const std::filesystem::path& path);

// The file dialog of "Ansicht" > "Karte": several map files, starting in the directory
// of the instrument's waypoints and flights.
FileDialogRequest mapFileRequest(const AppSettings& settings);

// Reads a map file into a layer. The readers' messages go to `ui`; nothing when the file
// could not be read or is no map file.
std::optional<MapLayer> readMapLayer(const std::filesystem::path& path, const AppSettings& settings,
                                     UserInterface& ui);

} // namespace zv::map
