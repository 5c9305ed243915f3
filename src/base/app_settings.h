#pragma once

// The one settings record of the program and the file settings.ini that keeps it.

#include <filesystem>
#include <string>

namespace zv {

struct AppSettings {
    // Saved in settings.ini, one line each, in this order.
    std::string versionMark;
    int firstFlightNumber = 0;
    int flightsPerPage = 0;
    std::string logbookDir;
    std::string logbookFile;
    std::string oziDir;
    std::string routeDir;
    std::string waypointDir;
    std::string oziExplorerPath;
    std::string liftDir;
    std::string takeoffDir;
    int serialNumber = 0;
    int comPort = 0; // 0 = COM1, 1 = COM2
    std::string liftDatabase;
    float extractLatMin = 0;
    float extractLatMax = 0;
    float extractLonMin = 0;
    float extractLonMax = 0;
    int extractWindFilter = 0;
    int extractWindFrom = 0;
    int extractWindTo = 0;
    std::string zvViewPath;

    // Only while the program runs.
    std::string startDir;
    std::string lastExtractFile;
    bool logbookCommandsEnabled = false;
    bool liftDbCommandsEnabled = false;
};

// The main logbook: logbookDir, separator, logbookFile.
std::filesystem::path mainLogbookPath(const AppSettings& settings);
// The lift database: liftDir, separator, liftDatabase.
std::filesystem::path liftDatabasePath(const AppSettings& settings);
// settings.ini: startDir, separator, "settings.ini".
std::filesystem::path settingsFilePath(const AppSettings& settings);

// Whether a waypoint file lies in the route directory, which makes it a route.
bool isRouteFile(const std::filesystem::path& waypointFile, const AppSettings& settings);

} // namespace zv
