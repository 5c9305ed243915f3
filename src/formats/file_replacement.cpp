#include "formats/file_replacement.h"

#include <cerrno>
#include <charconv>
#include <fcntl.h>
#include <random>
#include <string>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

// POSIX calls where the standard library has no equivalent: creating a file exclusively
// with given permissions, changing owner and mode through the open descriptor, and
// flushing a file and a directory to disk.

namespace zv {

namespace fs = std::filesystem;

namespace {

// More links in a row than this are taken for a loop (the system's own limit is 40).
constexpr int maxLinkHops = 40;
constexpr std::string_view temporaryEnd = ".tmp";
constexpr std::size_t temporaryDigits = 6;

std::string randomSuffix() {
    static std::random_device random;
    std::uniform_int_distribution<unsigned> digits(0, 0xFFFFFF);
    char hex[temporaryDigits] = {};
    const unsigned value = digits(random);
    char* const end = std::to_chars(hex, hex + sizeof hex, value, 16).ptr;
    std::string suffix = ".";
    suffix.append(temporaryDigits - static_cast<std::size_t>(end - hex), '0');
    suffix.append(hex, end);
    suffix.append(temporaryEnd);
    return suffix;
}

fs::path directoryOf(const fs::path& file) {
    return file.has_parent_path() ? file.parent_path() : fs::path(".");
}

// After a rename the directory entry must reach the disk too, or a power cut may bring
// back the old name. A file system that cannot flush a directory has nothing to flush.
void flushDirectory(const fs::path& directory) {
    const int fd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

fs::path resolveLinks(const fs::path& path) {
    fs::path current = path;
    for (int hop = 0; hop < maxLinkHops; ++hop) {
        std::error_code error;
        if (!fs::is_symlink(fs::symlink_status(current, error))) {
            return current;
        }
        const fs::path target = fs::read_symlink(current, error);
        if (error) {
            return current;
        }
        current = target.is_absolute() ? target : current.parent_path() / target;
    }
    return path;
}

bool isWriteProtected(const fs::path& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) {
        return false;
    }
    if (::geteuid() == 0) {
        return (status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
    }
    return ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0 &&
           (errno == EACCES || errno == EROFS);
}

bool isTemporaryName(std::string_view name, std::string_view targetName) {
    if (name.size() != targetName.size() + 1 + temporaryDigits + temporaryEnd.size() ||
        !name.starts_with(targetName) || !name.ends_with(temporaryEnd) ||
        name[targetName.size()] != '.') {
        return false;
    }
    const std::string_view digits = name.substr(targetName.size() + 1, temporaryDigits);
    return digits.find_first_not_of("0123456789abcdef") == std::string_view::npos;
}

void removeStaleTemporaries(const fs::path& target) {
    const fs::path real = resolveLinks(target);
    const std::string name = real.filename().string();
    std::error_code error;
    fs::directory_iterator entries(directoryOf(real), error);
    if (error) {
        return;
    }
    for (const fs::directory_iterator end; entries != end; entries.increment(error)) {
        if (error) {
            break;
        }
        std::error_code typeError;
        if (isTemporaryName(entries->path().filename().string(), name) &&
            entries->symlink_status(typeError).type() == fs::file_type::regular) {
            fs::remove(entries->path(), typeError);
        }
    }
}

FileReplacement::FileReplacement(const fs::path& target) : real_(resolveLinks(target)) {
    struct stat status {};
    if (::stat(real_.c_str(), &status) != 0) {
        return; // not there yet (or not reachable: making the temporary file will fail)
    }
    existed_ = true;
    mode_ = status.st_mode & 07777;
    owner_ = status.st_uid;
    group_ = status.st_gid;
    if (!S_ISREG(status.st_mode)) {
        refusal_ = Refusal::NotRegular;
    } else if (isWriteProtected(real_)) {
        refusal_ = Refusal::WriteProtected;
    }
}

FileReplacement::~FileReplacement() {
    if (created_ && !inPlace_) {
        ::unlink(temporary_.c_str());
    }
}

int FileReplacement::createTemporary() {
    if (refusal_ != Refusal::None || created_) {
        return -1;
    }
    const mode_t permissions = existed_ ? (mode_ & 0777) : 0666;
    for (int attempt = 0; attempt < 8; ++attempt) {
        fs::path candidate = real_;
        candidate += randomSuffix();
        // O_EXCL: never take over a file of the same name that happens to exist.
        const int fd =
            ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, permissions);
        if (fd >= 0) {
            temporary_ = std::move(candidate);
            created_ = true;
            return fd;
        }
        if (errno != EEXIST) {
            break;
        }
    }
    refusal_ = Refusal::CannotCreate;
    return -1;
}

bool FileReplacement::flushToDisk(int fd) {
    if (existed_) {
        // Owner and group can only be kept where the system allows it (the superuser
        // replacing a pilot's file); the mode always.
        if (::fchown(fd, owner_, group_) != 0) {
            errno = 0;
        }
        if (::fchmod(fd, mode_) != 0) {
            return false;
        }
    }
    return ::fsync(fd) == 0;
}

bool FileReplacement::putInPlace() {
    if (!created_ || inPlace_) {
        return inPlace_;
    }
    if (::rename(temporary_.c_str(), real_.c_str()) != 0) {
        ::unlink(temporary_.c_str());
        created_ = false;
        return false;
    }
    inPlace_ = true;
    flushDirectory(directoryOf(real_));
    return true;
}

} // namespace zv
