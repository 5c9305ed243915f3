#include "app/command_enable.h"

namespace zv {

void noteDocumentOpened(AppSettings& settings, const std::filesystem::path& path) {
    // The path as spelled, not as std::filesystem compares paths: only the exact path of
    // the settings counts.
    if (path.native() == mainLogbookPath(settings).native()) {
        settings.logbookCommandsEnabled = false;
    }
    if (path.native() == liftDatabasePath(settings).native()) {
        settings.liftDbCommandsEnabled = false;
    }
}

std::string nameWithoutExtension(const std::string& name) {
    std::string result = name;
    const auto dot = result.find('.');
    if (dot != std::string::npos) {
        result.erase(dot, 4);
    }
    return result;
}

namespace {

bool titleNames(const std::string& title, const std::string& fileName) {
    return title == fileName || title == nameWithoutExtension(fileName);
}

} // namespace

void noteDocumentClosing(AppSettings& settings, const std::string& title) {
    if (titleNames(title, settings.logbookFile)) {
        settings.logbookCommandsEnabled = true;
    }
    if (titleNames(title, settings.liftDatabase)) {
        settings.liftDbCommandsEnabled = true;
    }
}

FileDialogRequest openFileRequest(OpenFileKind kind, const AppSettings& settings) {
    FileDialogRequest request;
    switch (kind) {
    case OpenFileKind::Logbook:
        request = {"Flugbuchdatei öffen", "Flugbuch (*.log) |*.log||", "log", settings.logbookDir,
                   settings.logbookFile};
        break;
    case OpenFileKind::ZvWaypoints:
        request = {"Zv-Wegpunkte-Datei öffnen", "Zv-Wegpunkte (*.wpt) |*.wpt||", "wpt",
                   settings.waypointDir, ""};
        request.multiple = true;
        break;
    case OpenFileKind::OziWaypoints:
        request = {"Ozi-Wegunkte-Datei öffen", "Ozi-Wegpunkte (*.wpt) |*.wpt||", "wpt",
                   settings.oziDir, ""};
        request.multiple = true;
        break;
    case OpenFileKind::Lifts:
        request = {"Aufwind-Datei öffnen", "Aufwinde (*.lft) |*.lft||", "lft", settings.liftDir,
                   settings.liftDatabase};
        break;
    case OpenFileKind::Takeoffs:
        request = {"Startplatzdatei öffnen", "Startplätze (*.tof) |*.tof||", "tof",
                   settings.takeoffDir, ""};
        break;
    case OpenFileKind::Lines:
        request = {"Line-Datei öffnen", "Lines (*.lne) |*.lne||", "lne", settings.liftDir, ""};
        break;
    }
    request.mustExist = true;
    return request;
}

bool commandOpenFiles(OpenFileKind kind, AppSettings& settings, UserInterface& ui) {
    const auto paths = ui.chooseFiles(openFileRequest(kind, settings));
    if (paths.empty()) {
        return false;
    }
    for (const auto& path : paths) {
        // The maintenance commands must not rewrite a file that is open in a window.
        if (kind == OpenFileKind::Logbook && path.native() == mainLogbookPath(settings).native()) {
            settings.logbookCommandsEnabled = false;
        }
        if (kind == OpenFileKind::Lifts && path.native() == liftDatabasePath(settings).native()) {
            settings.liftDbCommandsEnabled = false;
        }
        ui.openDocument(path);
    }
    return true;
}

} // namespace zv
