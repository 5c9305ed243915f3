#include "base/app_settings.h"
#include "base/file_paths.h"

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

} // namespace zv
