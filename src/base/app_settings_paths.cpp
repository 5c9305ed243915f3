#include "base/app_settings.h"
#include "base/file_paths.h"

namespace zv {

std::string mainLogbookPath(const AppSettings& settings) {
    return joinPath(settings.logbookDir, settings.logbookFile);
}

std::string liftDatabasePath(const AppSettings& settings) {
    return joinPath(settings.liftDir, settings.liftDatabase);
}

std::string settingsFilePath(const AppSettings& settings) {
    return joinPath(settings.startDir, "settings.ini");
}

} // namespace zv
