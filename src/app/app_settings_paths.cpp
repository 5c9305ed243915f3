#include "app/app_settings.h"
#include "formats/file_paths.h"

namespace zv {

std::string mainLogbookPath(const AppSettings& settings) {
    return joinPath(settings.logbookDir, settings.logbookFile);
}

std::string liftDatabasePath(const AppSettings& settings) {
    return joinPath(settings.liftDir, settings.liftDatabase);
}

} // namespace zv
