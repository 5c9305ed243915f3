#pragma once

// The lift database: one lift file that collects every lift the pilot downloaded. New
// lift files are appended to it with a backup and a clean-up (duplicates and sinking
// "lifts" go), and the backup can be put back. The menu Tools > Aufwinddatenbank.

#include "formats/waypoint.h"

#include <filesystem>
#include <string>

namespace zv {

struct AppSettings;
class CWaypointConverter;
class UserInterface;

// The backup beside the database: its extension replaced by "bak" (Lifts.lft gives
// Lifts.bak); a name without extension gets ".bak" appended.
std::filesystem::path liftBackupPath(const std::filesystem::path& databasePath);

// Copies the database over its backup (line by line, CR LF, the backup replaced
// atomically). False after a message when the database cannot be opened or the backup
// cannot be written.
bool backupLiftDatabase(const std::filesystem::path& databasePath, UserInterface& ui);
// Copies the backup over the database (atomically). False after a message.
bool restoreLiftDatabase(const std::filesystem::path& databasePath, UserInterface& ui);

// Whether `later` repeats `earlier`: the same identifier byte for byte and each of the
// degrees and minutes of both coordinates less than 0.001 apart. Hemispheres, seconds
// and everything else do not count.
bool isDuplicateLift(const Waypoint& earlier, const Waypoint& later);

// Removes from converter.zvWaypoints every lift that repeats an earlier one kept, then
// every lift with a negative climb. The first of each group of repeats stays with its
// comment. An empty list: "Keine Lifts gefunden" and false.
bool cleanLifts(CWaypointConverter& converter);

// Appends the lifts of newPath to the database on a fresh converter, under the lock of
// the database: read both (Raw), clean up, then the backup, and rewrite the database
// atomically. False after the failing step's message; the database is then as it was,
// and so is the backup unless the failure came after both files were read.
bool appendLiftFile(CWaypointConverter& converter, const std::filesystem::path& databasePath,
                    const std::filesystem::path& newPath);

// Tools > Aufwinddatenbank > "&erweitern" and "&wiederherstellen".
bool commandAppendLiftFile(const AppSettings& settings, UserInterface& ui);
bool commandRestoreLiftDatabase(const AppSettings& settings, UserInterface& ui);

} // namespace zv
