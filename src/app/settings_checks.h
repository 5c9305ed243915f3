#pragma once

// The checks of the settings sheet "Eigenschaftsblatt": each page's entries are checked
// when the page is left and when the sheet is confirmed. A failed check gives the message
// to show and the entry to put the cursor in.

#include "base/app_settings.h"

#include <optional>
#include <string>

namespace zv {

// The entries of the four pages as typed (UTF-8).
struct SettingsEntries {
    // "Flugbuch"
    std::string logbookFile;
    std::string firstFlightNumber;
    std::string logbookDir;
    std::string flightsPerPage;
    // "Wegpunkte"
    std::string routeDir;
    std::string waypointDir;
    std::string oziDir;
    // "Andere Verzeichnisse"
    std::string oziExplorerPath;
    std::string liftDir;
    std::string liftDatabase;
    std::string takeoffDir;
    std::string zvViewPath;
    // "Zirrova"
    int comPort = 0;
    std::string serialNumber;
};

enum class SettingsField {
    LogbookFile,
    FirstFlightNumber,
    LogbookDir,
    FlightsPerPage,
    RouteDir,
    WaypointDir,
    OziDir,
    OziExplorerPath,
    LiftDir,
    LiftDatabase,
    TakeoffDir,
    SerialNumber,
};

enum class SettingsPage { Logbook, Waypoints, OtherDirs, Instrument };

struct SettingsProblem {
    SettingsField field;
    std::string message;
};

inline constexpr int maxPathChars = 256;
inline constexpr int maxLiftDatabaseChars = 30;

// The first failing check of one page, in the order of its entries.
std::optional<SettingsProblem> checkSettingsPage(SettingsPage page, const SettingsEntries& entries);

SettingsEntries settingsEntries(const AppSettings& settings);
// Copies the fourteen entries back; every page must have passed its checks.
void applySettingsEntries(const SettingsEntries& entries, AppSettings& settings);

} // namespace zv
