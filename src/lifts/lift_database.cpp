#include "lifts/lift_database.h"

#include "app/app_settings.h"
#include "app/user_interface.h"
#include "formats/instrument_text.h"
#include "formats/text_file.h"
#include "formats/waypoint_converter.h"
#include "logbook/logbook.h"

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <unordered_map>
#include <vector>

namespace zv {

namespace {

// Copies a text file line by line, each line with CR LF, replacing the target
// atomically: a failed write leaves the target as it was.
bool copyLines(TextReader& in, const std::string& target) {
    TextWriter out(target, WriteMode::Atomic);
    std::string line;
    while (in.readLine(line)) {
        out.writeLine(line);
    }
    return out.close();
}

bool sameFile(const std::string& a, const std::string& b) {
    if (a == b) {
        return true;
    }
    std::error_code error;
    return std::filesystem::equivalent(a, b, error) && !error;
}

// The duplicate search looks only at lifts whose minutes lie in the same or a
// neighbouring cell: two values less than the tolerance apart never lie further apart
// than that with cells twice the tolerance wide.
constexpr double tolerance = 0.001;
constexpr double cellWidth = 2 * tolerance;
// Beyond this the cell numbers would not fit; such minutes are compared one by one.
constexpr double largestIndexedValue = 1e12;

struct CellKey {
    std::size_t nameHash;
    std::int64_t latCell;
    std::int64_t lonCell;

    friend bool operator==(const CellKey&, const CellKey&) = default;
};

struct CellKeyHash {
    std::size_t operator()(const CellKey& key) const {
        std::size_t hash = key.nameHash;
        hash = hash * 1000003u ^ static_cast<std::size_t>(key.latCell);
        hash = hash * 1000003u ^ static_cast<std::size_t>(key.lonCell);
        return hash;
    }
};

bool indexable(float value) {
    return std::isfinite(value) && std::fabs(value) < largestIndexedValue;
}

std::int64_t cellOf(float value) {
    return static_cast<std::int64_t>(std::floor(static_cast<double>(value) / cellWidth));
}

// Whether two values are within the tolerance, as the pairwise clean-up compares them.
bool close(float a, float b) {
    return std::fabs(a - b) < tolerance;
}

// Keeps every lift that repeats no lift kept before it. This is what removing, for each
// lift in list order, all later repeats of it leaves: a lift is removed exactly when an
// earlier lift that stays repeats it.
void removeDuplicates(WaypointList& lifts) {
    constexpr std::size_t none = static_cast<std::size_t>(-1);
    // The kept lifts of a cell as a chain through `chained`: no allocation per cell.
    std::unordered_map<CellKey, std::size_t, CellKeyHash> cells;
    cells.reserve(lifts.size());
    std::vector<std::size_t> chained(lifts.size(), none);
    // Kept lifts whose minutes are too large (or not numbers) to be put in a cell.
    std::vector<std::size_t> unindexed;
    std::vector<bool> keep(lifts.size(), false);
    const std::hash<std::string> hashName;

    for (std::size_t i = 0; i < lifts.size(); ++i) {
        const Waypoint& lift = lifts[i];
        bool repeated = false;
        if (indexable(lift.latMin) && indexable(lift.lonMin)) {
            const CellKey key{hashName(lift.name), cellOf(lift.latMin), cellOf(lift.lonMin)};
            for (std::int64_t dLat = -1; dLat <= 1 && !repeated; ++dLat) {
                for (std::int64_t dLon = -1; dLon <= 1 && !repeated; ++dLon) {
                    const auto found =
                        cells.find({key.nameHash, key.latCell + dLat, key.lonCell + dLon});
                    if (found == cells.end()) {
                        continue;
                    }
                    for (std::size_t kept = found->second; kept != none; kept = chained[kept]) {
                        if (isDuplicateLift(lifts[kept], lift)) {
                            repeated = true;
                            break;
                        }
                    }
                }
            }
            if (!repeated) {
                const auto [head, added] = cells.try_emplace(key, i);
                if (!added) {
                    chained[i] = head->second;
                    head->second = i;
                }
            }
        } else {
            // Not-a-number or infinite minutes never come close to anything; huge ones
            // only to other huge ones.
            for (const std::size_t kept : unindexed) {
                if (isDuplicateLift(lifts[kept], lift)) {
                    repeated = true;
                    break;
                }
            }
            if (!repeated) {
                unindexed.push_back(i);
            }
        }
        keep[i] = !repeated;
    }

    std::size_t next = 0;
    for (std::size_t i = 0; i < lifts.size(); ++i) {
        if (keep[i]) {
            if (next != i) {
                lifts[next] = std::move(lifts[i]);
            }
            ++next;
        }
    }
    lifts.resize(next);
}

} // namespace

std::string liftBackupPath(const std::string& databasePath) {
    return siblingPath(databasePath, "bak");
}

bool backupLiftDatabase(const std::string& databasePath, UserInterface& ui) {
    TextReader in(databasePath);
    if (!in.isOpen()) {
        ui.message(cannotOpenMessage(databasePath), Icon::Stop);
        return false;
    }
    const std::string backupPath = liftBackupPath(databasePath);
    if (!copyLines(in, backupPath)) {
        // Without a backup the database is not changed.
        ui.message("Die Sicherungsdatei " + backupPath +
                       "\nkonnte nicht geschrieben werden. Die Aufwinddatenbank bleibt "
                       "unverändert.",
                   Icon::Stop);
        return false;
    }
    return true;
}

bool restoreLiftDatabase(const std::string& databasePath, UserInterface& ui) {
    const std::string backupPath = liftBackupPath(databasePath);
    TextReader in(backupPath);
    if (!in.isOpen()) {
        ui.message("Die Sicherungsdatei " + backupPath +
                       "\nkonnte nicht geöffnet werden. Bitte Einstellungen Aufwindpfad "
                       "korrigieren!",
                   Icon::Stop);
        return false;
    }
    if (!copyLines(in, databasePath)) {
        ui.message("Die Datei " + databasePath +
                       "\nkonnte nicht geschrieben werden. Die Aufwinddatenbank bleibt "
                       "unverändert.",
                   Icon::Stop);
        return false;
    }
    return true;
}

bool isDuplicateLift(const Waypoint& earlier, const Waypoint& later) {
    return earlier.name == later.name && close(earlier.lat, later.lat) &&
           close(earlier.lon, later.lon) && close(earlier.latMin, later.latMin) &&
           close(earlier.lonMin, later.lonMin);
}

bool cleanLifts(CWaypointConverter& converter) {
    WaypointList& lifts = converter.zvWaypoints;
    if (lifts.empty()) {
        converter.ui().message("Keine Lifts gefunden", Icon::Information);
        return false;
    }
    removeDuplicates(lifts);
    std::erase_if(lifts, [](const Waypoint& lift) { return lift.climb < 0; });
    return true;
}

bool appendLiftFile(CWaypointConverter& converter, const std::string& databasePath,
                    const std::string& newPath) {
    converter.mode = LiftReadMode::Raw;
    if (!backupLiftDatabase(databasePath, converter.ui()) ||
        !converter.readLiftFile(databasePath) || !converter.readLiftFile(newPath) ||
        !cleanLifts(converter)) {
        return false;
    }
    if (!converter.writeLiftFile(databasePath)) {
        // The writer reports an empty list itself; a failed write it leaves to us.
        if (!converter.zvWaypoints.empty()) {
            converter.ui().message("Die Datei " + databasePath +
                                       "\nkonnte nicht geschrieben werden. Die "
                                       "Aufwinddatenbank bleibt unverändert.",
                                   Icon::Stop);
        }
        return false;
    }
    return true;
}

bool commandAppendLiftFile(const AppSettings& settings, UserInterface& ui) {
    FileDialogRequest request;
    request.title = "Aufwinddatei anhängen";
    request.filter = "Aufwinde (*.lft) |*.lft||";
    request.defaultExtension = "lft";
    request.initialDir = settings.liftDir;
    request.mustExist = true;
    const auto chosen = ui.chooseFiles(request);
    if (chosen.empty()) {
        return false;
    }
    const std::string databasePath = liftDatabasePath(settings);
    const std::string newPath = chosen.front().string();
    if (sameFile(newPath, databasePath)) {
        ui.message("Sie haben die Aufwinddatenbank ausgewählt.\nBitte wählen Sie eine andere "
                   "Aufwinddatei!",
                   Icon::Information);
        return false;
    }
    bool appended = false;
    {
        WaitCursor wait(ui);
        CWaypointConverter converter(ui, settings.serialNumber);
        appended = appendLiftFile(converter, databasePath, newPath);
    }
    if (!appended) {
        return false;
    }
    ui.openDocument(databasePath);
    ui.message("Sicherungskopie erstellt, Aufwinddatei angehängt!", Icon::Information);
    return true;
}

bool commandRestoreLiftDatabase(const AppSettings& settings, UserInterface& ui) {
    const std::string databasePath = liftDatabasePath(settings);
    if (!restoreLiftDatabase(databasePath, ui)) {
        return false;
    }
    ui.openDocument(databasePath);
    return true;
}

} // namespace zv
