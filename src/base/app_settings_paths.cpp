#include "base/app_settings.h"
#include "base/file_paths.h"

#include <system_error>

namespace zv {

std::filesystem::path mainLogbookPath(const AppSettings& settings) {
    return joinPath(settings.logbookDir, settings.logbookFile);
}

std::filesystem::path liftDatabasePath(const AppSettings& settings) {
    return joinPath(settings.liftDir, settings.liftDatabase);
}

std::filesystem::path settingsFilePath(const AppSettings& settings) {
    return joinPath(settings.startDir, "settings.ini");
}

bool isRouteFile(const std::filesystem::path& waypointFile, const AppSettings& settings) {
    if (settings.routeDir.empty()) {
        return false;
    }
    std::error_code error;
    const std::filesystem::path file = std::filesystem::absolute(waypointFile, error);
    return !error && sameFile(file.parent_path(), settings.routeDir);
}

} // namespace zv
