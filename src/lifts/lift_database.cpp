#include "lifts/lift_database.h"

#include "base/app_settings.h"
#include "base/file_choice.h"
#include "base/file_paths.h"
#include "base/user_interface.h"
#include "formats/instrument_text.h"
#include "formats/large_pages.h"
#include "formats/precious_files.h"
#include "formats/text_file.h"
#include "formats/waypoint_converter.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <functional>
#include <vector>

namespace zv {

namespace {

// The duplicate search looks only at lifts whose minutes lie in the same cell, or in the
// neighbouring cell when a value lies less than the tolerance from its cell's border.
constexpr double tolerance = 0.001;
constexpr double cellWidth = 4 * tolerance;
// From 2^16 on, neighbouring floats are more than the tolerance apart: such minutes repeat
// only when equal, and no float lies less than the tolerance below 2^16. They are put in
// a cell of their own value, far outside the cells of the smaller values.
constexpr float exactFrom = 65536.0f;
constexpr std::int64_t exactCells = std::int64_t{1} << 40;

struct CellKey {
    std::size_t nameHash;
    std::int64_t latCell;
    std::int64_t lonCell;
};

constexpr std::size_t none = static_cast<std::size_t>(-1);

// The first kept lift of every cell that holds one, the others chained behind it. Written
// out as one open-addressing table rather than std::unordered_map: that one allocates a
// node per cell and reaches it through a bucket, and with a million lifts its lookups
// (a cache miss at the bucket and another at the node) and allocations were most of the
// clean-up. Here a lookup reads one slot of 16 bytes, and the table is one allocation.
// A slot keeps the cell's 64-bit hash, not the cell: cells whose hashes are equal share a
// chain. That costs nothing but a few more comparisons, as a chain only names the lifts
// to compare with; isDuplicateLift() decides.
class CellTable {
public:
    // Room for `cells` cells at most, the table at most half full.
    explicit CellTable(std::size_t cells)
        : mask_(std::bit_ceil(std::max<std::size_t>(16, 2 * cells)) - 1) {
        // Advised before the slots are first written, so that they are faulted in large.
        slots_.reserve(mask_ + 1);
        adviseLargePages(slots_.data(), (mask_ + 1) * sizeof(Slot));
        slots_.resize(mask_ + 1);
    }

    // The first kept lift of the cell, or `none`.
    std::size_t first(const CellKey& key) const { return slots_[indexOf(hash(key))].head; }

    // Asks the processor to fetch the slot of a cell that is looked up soon. With a
    // million lifts the table is far larger than the caches and nearly every lookup
    // waits for memory; fetched some lifts ahead, the waits overlap. (The standard
    // library has no prefetch; GCC and Clang both know this builtin.)
    void prefetch(const CellKey& key) const { __builtin_prefetch(&slots_[hash(key) & mask_]); }

    // Puts lift `index` at the front of its cell; returns the lift it comes before, or
    // `none`.
    std::size_t push(const CellKey& key, std::size_t index) {
        const std::uint64_t code = hash(key);
        Slot& slot = slots_[indexOf(code)];
        const std::size_t previous = slot.head;
        slot.code = code;
        slot.head = index;
        return previous;
    }

private:
    struct Slot {
        std::uint64_t code = 0;
        std::size_t head = none; // `none`: the slot is free
    };

    static std::uint64_t hash(const CellKey& key) {
        constexpr std::uint64_t golden = 0x9E3779B97F4A7C15u;
        std::uint64_t h = key.nameHash;
        h = (h ^ static_cast<std::uint64_t>(key.latCell)) * golden;
        h = (h ^ static_cast<std::uint64_t>(key.lonCell)) * golden;
        return h ^ (h >> 29);
    }

    // The slot holding the hash, or the free slot where it belongs. The table is never
    // more than half full, so a free slot always ends the search.
    std::size_t indexOf(std::uint64_t code) const {
        for (std::size_t i = code & mask_;; i = (i + 1) & mask_) {
            if (slots_[i].head == none || slots_[i].code == code) {
                return i;
            }
        }
    }

    std::vector<Slot> slots_;
    std::size_t mask_;
};

// The cell of a minutes value and the neighbouring cells that may hold its repeats.
struct Cells {
    std::int64_t cell = 0;
    std::int64_t first = 0; // cell - 1, cell or
    std::int64_t last = 0;  //   cell + 1
};

Cells cellsOf(float value) {
    if (std::fabs(value) >= exactFrom) {
        std::uint32_t bits = 0;
        std::memcpy(&bits, &value, sizeof bits);
        const std::int64_t cell = exactCells + bits;
        return {cell, cell, cell};
    }
    const double scaled = static_cast<double>(value) / cellWidth;
    const double below = std::floor(scaled);
    const auto cell = static_cast<std::int64_t>(below);
    // A small margin covers the rounding of the division.
    const double margin = tolerance * 1.001;
    const double offset = (scaled - below) * cellWidth;
    return {cell, offset < margin ? cell - 1 : cell, cellWidth - offset < margin ? cell + 1 : cell};
}

// Whether two values are within the tolerance, as the pairwise clean-up compares them.
bool close(float a, float b) {
    return std::fabs(a - b) < tolerance;
}

// Keeps every lift that repeats no lift kept before it. This is what removing, for each
// lift in list order, all later repeats of it leaves: a lift is removed exactly when an
// earlier lift that stays repeats it. Then drops the sinking lifts (climb below 0), which
// took part in the search like all others; both in one pass over the list.
void removeDuplicatesAndSinking(WaypointList& lifts) {
    // The kept lifts of a cell as a chain through `chained`: no allocation per cell.
    CellTable cells(lifts.size());
    std::vector<std::size_t> chained(lifts.size(), none);
    std::vector<bool> keep(lifts.size(), false);
    const std::hash<std::string> hashName;

    // The cells of the lifts just ahead, computed once, their slots fetched early.
    struct Ahead {
        bool searched = false; // false for minutes that are not a number or infinite
        Cells lat;
        Cells lon;
        CellKey key{};
    };
    constexpr std::size_t distance = 16;
    std::array<Ahead, distance> ahead{};
    const auto look = [&](std::size_t i) {
        Ahead& next = ahead[i % distance];
        const Waypoint& lift = lifts[i];
        next.searched = std::isfinite(lift.latMinutes) && std::isfinite(lift.lonMinutes);
        if (next.searched) {
            next.lat = cellsOf(lift.latMinutes);
            next.lon = cellsOf(lift.lonMinutes);
            next.key = CellKey{hashName(lift.name), next.lat.cell, next.lon.cell};
            for (std::int64_t latCell = next.lat.first; latCell <= next.lat.last; ++latCell) {
                for (std::int64_t lonCell = next.lon.first; lonCell <= next.lon.last; ++lonCell) {
                    cells.prefetch({next.key.nameHash, latCell, lonCell});
                }
            }
        }
    };
    for (std::size_t i = 0; i < std::min(distance, lifts.size()); ++i) {
        look(i);
    }

    for (std::size_t i = 0; i < lifts.size(); ++i) {
        const Waypoint& lift = lifts[i];
        const Ahead current = ahead[i % distance];
        if (i + distance < lifts.size()) {
            look(i + distance);
        }
        bool repeated = false;
        if (current.searched) {
            const Cells& lat = current.lat;
            const Cells& lon = current.lon;
            const CellKey& key = current.key;
            for (std::int64_t latCell = lat.first; latCell <= lat.last && !repeated; ++latCell) {
                for (std::int64_t lonCell = lon.first; lonCell <= lon.last && !repeated;
                     ++lonCell) {
                    for (std::size_t kept = cells.first({key.nameHash, latCell, lonCell});
                         kept != none; kept = chained[kept]) {
                        if (isDuplicateLift(lifts[kept], lift)) {
                            repeated = true;
                            break;
                        }
                    }
                }
            }
            if (!repeated) {
                chained[i] = cells.push(key, i);
            }
        }
        // Minutes that are not a number or infinite are never within the tolerance of
        // anything: such a lift stays and repeats nothing.
        keep[i] = !repeated;
    }

    std::size_t next = 0;
    for (std::size_t i = 0; i < lifts.size(); ++i) {
        if (keep[i] && !(lifts[i].climb < 0)) {
            if (next != i) {
                lifts[next] = std::move(lifts[i]);
            }
            ++next;
        }
    }
    lifts.resize(next);
}

} // namespace

std::filesystem::path liftBackupPath(const std::filesystem::path& databasePath) {
    return siblingPath(databasePath, "bak");
}

bool backupLiftDatabase(const std::filesystem::path& databasePath, UserInterface& ui) {
    TextReader in(databasePath);
    if (!in.isOpen()) {
        ui.message(in.tooLarge() ? tooLargeMessage(databasePath) : cannotOpenMessage(databasePath),
                   Icon::Stop);
        return false;
    }
    const std::filesystem::path backupPath = liftBackupPath(databasePath);
    if (!copyLines(in, backupPath)) {
        // Without a backup the database is not changed.
        ui.message("Die Sicherungsdatei " + backupPath.string() +
                       "\nkonnte nicht geschrieben werden. Die Aufwinddatenbank bleibt "
                       "unverändert.",
                   Icon::Stop);
        return false;
    }
    return true;
}

bool restoreLiftDatabase(const std::filesystem::path& databasePath, UserInterface& ui) {
    const std::filesystem::path backupPath = liftBackupPath(databasePath);
    const auto lock = lockForChange(databasePath, {databasePath}, ui);
    if (!lock) {
        return false;
    }
    TextReader in(backupPath);
    if (!in.isOpen()) {
        ui.message(in.tooLarge() ? tooLargeMessage(backupPath)
                                 : "Die Sicherungsdatei " + backupPath.string() +
                                       "\nkonnte nicht geöffnet werden. Bitte Einstellungen "
                                       "Aufwindpfad korrigieren!",
                   Icon::Stop);
        return false;
    }
    if (!copyLines(in, databasePath)) {
        ui.message("Die Datei " + databasePath.string() +
                       "\nkonnte nicht geschrieben werden. Die Aufwinddatenbank bleibt "
                       "unverändert.",
                   Icon::Stop);
        return false;
    }
    return true;
}

bool isDuplicateLift(const Waypoint& earlier, const Waypoint& later) {
    return earlier.name == later.name && close(earlier.latDegrees, later.latDegrees) &&
           close(earlier.lonDegrees, later.lonDegrees) &&
           close(earlier.latMinutes, later.latMinutes) &&
           close(earlier.lonMinutes, later.lonMinutes);
}

bool cleanLifts(CWaypointConverter& converter) {
    WaypointList& lifts = converter.zvWaypoints;
    if (lifts.empty()) {
        converter.ui().message("Keine Lifts gefunden", Icon::Information);
        return false;
    }
    removeDuplicatesAndSinking(lifts);
    return true;
}

bool appendLiftFile(CWaypointConverter& converter, const std::filesystem::path& databasePath,
                    const std::filesystem::path& newPath) {
    const auto lock =
        lockForChange(databasePath, {databasePath, liftBackupPath(databasePath)}, converter.ui());
    if (!lock) {
        return false;
    }
    converter.mode = LiftReadMode::Raw;
    // The backup is refreshed only after both files were read without a fault: a database
    // with one bad line must not cost the only good copy. A clean-up that leaves nothing
    // changes nothing, so it needs no backup either (the writer reports it).
    if (!converter.readLiftFile(databasePath) || !converter.readLiftFile(newPath) ||
        !cleanLifts(converter)) {
        return false;
    }
    if (!converter.zvWaypoints.empty() && !backupLiftDatabase(databasePath, converter.ui())) {
        return false;
    }
    if (!converter.writeLiftFile(databasePath)) {
        // The writer reports an empty list itself; a failed write it leaves to us.
        if (!converter.zvWaypoints.empty()) {
            converter.ui().message("Die Datei " + databasePath.string() +
                                       "\nkonnte nicht geschrieben werden. Die "
                                       "Aufwinddatenbank bleibt unverändert.",
                                   Icon::Stop);
        }
        return false;
    }
    return true;
}

bool commandAppendLiftFile(const AppSettings& settings, UserInterface& ui) {
    if (!maintainedFilesApart(settings, ui)) {
        return false;
    }
    const auto chosen = chooseExistingFile(
        ui, {"Aufwinddatei anhängen", "Aufwinde (*.lft) |*.lft||", "lft", settings.liftDir, ""});
    if (!chosen) {
        return false;
    }
    const std::filesystem::path databasePath = liftDatabasePath(settings);
    const std::filesystem::path newPath = *chosen;
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
    if (!maintainedFilesApart(settings, ui)) {
        return false;
    }
    const std::filesystem::path databasePath = liftDatabasePath(settings);
    if (!restoreLiftDatabase(databasePath, ui)) {
        return false;
    }
    ui.openDocument(databasePath);
    return true;
}

} // namespace zv
