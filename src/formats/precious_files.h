#pragma once

// The files a pilot must never lose: the main logbook, the lift database, their backups
// and settings.ini. No download or extracted lift file may take the place of one of
// them, settings under which two of the maintained files would be one file are refused,
// and every change of the logbook or the lift database holds their lock.

#include "base/file_choice.h"
#include "formats/file_lock.h"

#include <filesystem>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

namespace zv {

struct AppSettings;
class UserInterface;

// A file of the settings, with what it is to the pilot ("das Flugbuch").
struct NamedFile {
    std::filesystem::path path;
    std::string role;
};

// The main logbook and its backup, the lift database and its backup (each as far as the
// settings name it), and settings.ini.
std::vector<NamedFile> preciousFiles(const AppSettings& settings);

// The files the logbook and lift database commands write: the main logbook, its backup,
// error copy, assignment copy and the two reports, the lift database and its backup,
// and settings.ini.
std::vector<NamedFile> maintainedFiles(const AppSettings& settings);

// Whether two paths lead to one file: the same place after following links and removing
// "." and "..", or the same file on disk (a hard link).
bool samePlace(const std::filesystem::path& a, const std::filesystem::path& b);

// The message that refuses `target` as the file a download or an extraction writes when
// it is one of the precious files; empty when it is none of them.
std::string preciousTargetRefusal(const AppSettings& settings, const std::filesystem::path& target);

// The save dialog of a command that makes a new file (a download, an export, an import):
// as chooseNewFile, and never one of the precious files.
std::optional<std::filesystem::path>
chooseSafeTarget(UserInterface& ui, const FileDialogRequest& request, const AppSettings& settings);

// The message naming the first two maintained files that would share a path under these
// settings (Flugbuch.log and Flugbuch.lft in one directory have one backup Flugbuch.bak);
// empty when they are all apart.
std::string sharedPathRefusal(const AppSettings& settings);
// For the commands that write one of the maintained files: false, after showing the
// message, when two of them share a path.
bool maintainedFilesApart(const AppSettings& settings, UserInterface& ui);

std::string fileInUseMessage(const std::filesystem::path& path);
std::string writeProtectedMessage(const std::filesystem::path& path);

// Takes the lock of `lockedFile` for a read-modify-write of it and of the files in
// `replaced` (its backup, its error copy). Once it is held, temporary files of those
// files that a killed process left behind are removed, and a write-protected one among
// them stops the change before anything is written. Nothing, after a message, when
// another zv holds the lock for longer than lockWaitTime() or a file is write-protected.
std::optional<FileLock> lockForChange(const std::filesystem::path& lockedFile,
                                      std::initializer_list<std::filesystem::path> replaced,
                                      UserInterface& ui);
// A shared lock for reading `file` as a whole (the lift extraction reads the database):
// no change of it can come in between. Nothing, after a message, when it stays busy.
std::optional<FileLock> lockForReading(const std::filesystem::path& file, UserInterface& ui);

} // namespace zv
