#include "app/automatic_configuration.h"

#include "app/settings_file.h"
#include "base/file_paths.h"
#include "base/user_interface.h"
#include "formats/file_lock.h"
#include "formats/text_file.h"

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <system_error>

namespace zv {

const char* const exampleOziWaypointFile =
    "OziExplorer Waypoint File Version 1.0\n"
    "WGS 84\n"
    "Reserved 2\n"
    "Reserved 3\n"
    "   1,AGUADULCE-S   ,  36.823833,  -2.570167,33604.00000,14, 1, 4,         0,  16243391,"
    "ES  350 m                               , 0, 0,    0, -777\n"
    "   2,AGUADULCE-L   ,  36.813999,  -2.563500,33604.00000, 0, 1, 4,   8388608,     65280,"
    "ES    0 m                               , 1, 0,    0, -777\n";

const char* const exampleZvWaypointFile =
    "\n"
    ";   KARVELON VUVEZ * ZIRROVA No.  1596\n"
    "\n"
    ";------------------------- WAYPOINTS -----------------------------\n"
    "\n"
    ";***NAME***   ID   SIGN    LATITUDE       LONGITUDE       ALTITUDE\n"
    "\n"
    "AGUADULCE-S   ES   +       N  36 49.43    W   2 34.21       350 m\n"
    "AGUADULCE-L   ES   o       N  36 48.84    W   2 33.81         0 m\n"
    "\n"
    "@EOF";

const char* const exampleLogbookFile =
    "\n"
    ";   KARVELON VUVEZ * ZIRROVA No.  1596\n"
    "\n"
    ";---------------------------------- LOG --------------------------------------\n"
    "\n"
    ";    No.          TAKEOFF:    LANDING:    TOTAL TIME    ALTI MAX    VARIO MAX\n"
    ";    DATE         TIME/       TIME/ALTI   DISTANCE      ALTI GAIN   VARIO MIN\n"
    ";  TAKEOFF-LOC    ALTI/QNH    POLARE                    ALTI SUM    TAS MAX\n"
    "\n"
    "       0          14:00       14:23       00:23         1542 m      + 4.0 m/s\n"
    "   95-04-21         852 m      1542 m       3.4 km       757 m      - 3.9 m/s\n"
    "   SCHOECKL-SO     1021 hPa   PARA 1                    1437 m       39.0 kmh\n"
    "\n"
    "@EOF";

const char* const exampleLiftFile =
    "\n"
    ";   KARVELON VUVEZ * ZIRROVA No.  1596\n"
    "\n"
    ";------------------------------- LIFTS ------------------------------------\n"
    "\n"
    ";IDENT    LATITUDE      LONGITUDE     ALTITUDE      CLIMB     WDIR   WSPEED\n"
    "\n"
    "DE.BOP    N  50 14.03   E   8 30.89     875 m     2.6 m/s     046    18 kmh\n"
    "DE.BOP    N  50 15.27   E   8 32.81    1125 m     1.9 m/s     076    20 kmh\n"
    "\n"
    "@EOF";

namespace {

namespace fs = std::filesystem;

// parent/name, without doubling the separator when parent is the root directory.
std::string childPath(const std::string& parent, const std::string& name) {
    if (!parent.empty() && parent.back() == pathSeparator) {
        return parent + name;
    }
    return joinPath(parent, name);
}

// A directory of the tree; made when it is not there yet. A failure shows later, when
// the example file inside cannot be written.
std::string makeDirectory(const std::string& parent, const std::string& name) {
    std::string path = childPath(parent, name);
    std::error_code error;
    fs::create_directory(path, error);
    return path;
}

// Writes an example file unless something of that name is already there: a pilot's real
// logbook or lift database must never be replaced by the example. Those two are looked
// at and written under their lock, so that another zv cannot put its file there
// meanwhile. False when the example could not be written (reported).
bool writeExample(const std::filesystem::path& dir, const std::string& name, const char* content,
                  UserInterface& ui, bool precious = false) {
    const std::filesystem::path path = joinPath(dir, name);
    std::optional<FileLock> lock;
    if (precious) {
        lock.emplace(path, FileLock::Kind::Exclusive);
        if (lock->state() == FileLock::State::Busy) {
            return true; // another zv works on the file: it is there
        }
    }
    std::error_code error;
    if (fs::exists(fs::symlink_status(path, error))) {
        return true;
    }
    TextWriter writer(path, WriteMode::Atomic);
    writer.write(content);
    if (!writer.close()) {
        ui.message("Die Datei " + path.string() + "\nkonnte nicht geschrieben werden!", Icon::Stop);
        return false;
    }
    return true;
}

bool isProgramFile(const fs::path& path) {
    std::error_code error;
    return fs::is_regular_file(path, error);
}

} // namespace

std::optional<std::string> findProgram(std::string_view name, const std::filesystem::path& startDir,
                                       std::string_view searchPath) {
    const fs::path start(startDir);
    if (isProgramFile(start / name)) {
        return childPath(startDir, std::string(name));
    }
    while (true) {
        const std::size_t colon = searchPath.find(':');
        const std::string_view entry = searchPath.substr(0, colon);
        // An empty entry is the current directory, which was searched first.
        if (!entry.empty()) {
            const fs::path candidate = (start / entry / name).lexically_normal();
            if (isProgramFile(candidate)) {
                return candidate.string();
            }
        }
        if (colon == std::string_view::npos) {
            return std::nullopt;
        }
        searchPath.remove_prefix(colon + 1);
    }
}

bool automaticConfiguration(AppSettings& settings, UserInterface& ui) {
    // The start directory stays the current directory of the record; the paths below are
    // built from it, the process's current directory is never changed.
    settings.versionMark = settingsVersionMark;
    settings.firstFlightNumber = 1;
    settings.flightsPerPage = 12;

    const std::string data = makeDirectory(settings.startDir, "Data");
    settings.oziDir = data;
    bool written = writeExample(data, "Example.wpt", exampleOziWaypointFile, ui);

    const std::string zv = makeDirectory(data, "Zv");
    settings.waypointDir = zv;
    written = writeExample(zv, "Example.wpt", exampleZvWaypointFile, ui) && written;

    settings.logbookDir = makeDirectory(zv, "Logbuch");
    written =
        writeExample(settings.logbookDir, "Flugbuch.log", exampleLogbookFile, ui, true) && written;
    settings.logbookFile = "Flugbuch.log";

    settings.routeDir = makeDirectory(zv, "Routen");

    settings.liftDir = makeDirectory(zv, "Lifts");
    settings.liftDatabase = "Lifts.lft";
    written = writeExample(settings.liftDir, "Lifts.lft", exampleLiftFile, ui, true) && written;

    settings.takeoffDir = makeDirectory(zv, "Startplaetze");

    const char* pathVariable = std::getenv("PATH");
    const std::string_view searchPath = pathVariable ? pathVariable : "";
    if (auto found = findProgram("Oziexp.exe", settings.startDir, searchPath)) {
        settings.oziExplorerPath = *found;
    } else {
        ui.message("Der OziExplorer wurde nicht gefunden.\nBitte installieren und Pfad in "
                   "Einstellungen\nEigenschaftsblatt 'Andere Verzeichnisse' angeben!",
                   Icon::Exclamation);
    }
    if (auto found = findProgram("ZVView.exe", settings.startDir, searchPath)) {
        settings.zvViewPath = *found;
    } else {
        ui.message("Das Programm ZVView.exe wurde nicht gefunden.\nBitte installieren und Pfad "
                   "in Einstellungen\nEigenschaftsblatt 'Andere Verzeichnisse' angeben!",
                   Icon::Exclamation);
    }

    settings.serialNumber = 1596;
    settings.comPort = 0;
    AppSettings defaults;
    resetSettings(defaults);
    settings.extractLatMin = defaults.extractLatMin;
    settings.extractLatMax = defaults.extractLatMax;
    settings.extractLonMin = defaults.extractLonMin;
    settings.extractLonMax = defaults.extractLonMax;
    settings.extractWindFilter = defaults.extractWindFilter;
    settings.extractWindFrom = defaults.extractWindFrom;
    settings.extractWindTo = defaults.extractWindTo;
    return written;
}

} // namespace zv
