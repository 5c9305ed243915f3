#pragma once

// The exchange with programs beyond OziExplorer: Tools > Exportieren > GPX… and KML…
// write a file of zv (waypoints, route, takeoff sites, lifts, a flight) for map and
// flight programs; Tools > Importieren… makes an instrument waypoint file of the
// waypoints of a GPX, KML, SeeYou or OziExplorer file.

#include <filesystem>

namespace zv {

struct AppSettings;
class UserInterface;

enum class ExportFormat { Gpx, Kml };

bool commandExportGpx(const AppSettings& settings, UserInterface& ui);
bool commandExportKml(const AppSettings& settings, UserInterface& ui);
bool commandImportWaypoints(const AppSettings& settings, UserInterface& ui);

// The export and the import of files already chosen.
bool exportFile(const AppSettings& settings, UserInterface& ui, ExportFormat format,
                const std::filesystem::path& source, const std::filesystem::path& target);

} // namespace zv
