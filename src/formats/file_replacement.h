#pragma once

// Replacing a whole file so that a killed process, a full disk or a power cut leaves the
// old file or the new one, never a mix, and keeps what the user set on the file:
//
//   - a symbolic link stays a link: the file it points to is replaced, and the temporary
//     file is made beside that real file (a rename never crosses a file system);
//   - the permission bits (and, where allowed, owner and group) go over to the new file;
//   - a write-protected file, or anything that is not a regular file (a FIFO, a device),
//     is refused instead of replaced;
//   - the new content is flushed to disk before the rename, the directory after it.
//
// The temporary file is named after the real file: "Flugbuch.log.1a2b3c.tmp".

#include <filesystem>
#include <string_view>
#include <sys/types.h>

namespace zv {

// The file a path stands for: symbolic links followed, also one that points to a file
// not yet there (that file is the one to create). A loop of links stays as it is.
std::filesystem::path resolveLinks(const std::filesystem::path& path);

// Whether an existing file must not be replaced because it is write-protected. The
// superuser may write anything, so for him the mode bits decide (no write bit at all);
// for everybody else the system's own access check.
bool isWriteProtected(const std::filesystem::path& path);

// Whether `name` is a temporary file of a file named `targetName`.
bool isTemporaryName(std::string_view name, std::string_view targetName);
// Removes the temporary files of target (followed through its links) that a process
// killed while replacing it left behind. Only while the lock that guards target is held:
// otherwise the temporary could be another process's replacement in progress.
void removeStaleTemporaries(const std::filesystem::path& target);

class FileReplacement {
public:
    enum class Refusal {
        None,
        WriteProtected, // the target exists and may not be written
        NotRegular,     // the target exists and is no regular file
        CannotCreate,   // no temporary file could be made beside it
    };

    explicit FileReplacement(const std::filesystem::path& target);
    // Removes the temporary file unless it was put in place.
    ~FileReplacement();
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;

    // Makes the temporary file (with the old file's permissions from the start, so that a
    // private logbook is never readable by others on the way) and returns its descriptor,
    // which belongs to the caller; -1 with refusal() set when that is not possible.
    int createTemporary();
    Refusal refusal() const { return refusal_; }

    // Flushes the temporary file (descriptor fd, still open) to disk after giving it the
    // old file's owner and mode exactly (the umask may have narrowed them).
    bool flushToDisk(int fd);
    // Renames the temporary file over the real target and flushes the directory. False,
    // and the temporary file removed, when the rename failed.
    bool putInPlace();

    bool inPlace() const { return inPlace_; }
    const std::filesystem::path& realTarget() const { return real_; }
    const std::filesystem::path& temporary() const { return temporary_; }

private:
    std::filesystem::path real_;
    std::filesystem::path temporary_;
    Refusal refusal_ = Refusal::None;
    bool existed_ = false;
    mode_t mode_ = 0;
    uid_t owner_ = 0;
    gid_t group_ = 0;
    bool created_ = false;
    bool inPlace_ = false;
};

} // namespace zv
