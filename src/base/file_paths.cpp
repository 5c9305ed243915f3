#include "base/file_paths.h"

#include "base/ascii_text.h"

#include <algorithm>
#include <fcntl.h>
#include <filesystem>
#include <system_error>
#include <unistd.h>

namespace zv {

std::filesystem::path joinPath(const std::filesystem::path& dir, std::string_view name) {
    // Not `dir / name`: an empty directory setting gives "/name", and a name that is a
    // path of its own stays below the directory, as the settings always meant it.
    std::string path = dir.native();
    path.reserve(path.size() + 1 + name.size());
    path.push_back(pathSeparator);
    path.append(name);
    return path;
}

std::filesystem::path siblingPath(const std::filesystem::path& original,
                                  std::string_view extension) {
    // Not path::replace_extension: a name that starts with its only dot (".log") counts
    // as all extension here.
    const std::string& path = original.native();
    const std::size_t nameStart =
        path.find_last_of('/') == std::string::npos ? 0 : path.find_last_of('/') + 1;
    const std::size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || dot < nameStart) {
        return path + "." + std::string(extension);
    }
    std::string sibling = path.substr(0, dot + 1).append(extension);
    // A main logbook that carries the derived file's own extension (Flugbuch.bak) must
    // never be overwritten by its backup, error copy, report or assignment copy.
    if (sibling == path) {
        sibling = path + "." + std::string(extension);
    }
    return sibling;
}

std::string lowerCaseExtension(const std::filesystem::path& path) {
    return asciiLower(path.extension().string());
}

bool canOpenForReading(const std::filesystem::path& path) {
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) {
        return false;
    }
    // Without waiting: a FIFO opened for reading blocks until a writer comes (POSIX,
    // since a stream cannot open without blocking).
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    ::close(fd);
    return true;
}

bool sameFile(const std::filesystem::path& a, const std::filesystem::path& b) {
    if (a == b) {
        return true;
    }
    std::error_code error;
    return std::filesystem::equivalent(a, b, error) && !error;
}

bool targetExists(const std::filesystem::path& path) {
    std::error_code error;
    const auto status = std::filesystem::symlink_status(path, error);
    return status.type() != std::filesystem::file_type::not_found;
}

namespace {

bool hasExtension(const std::string& name, std::string_view extension) {
    if (name.size() < extension.size()) {
        return false;
    }
    const std::string_view tail = std::string_view(name).substr(name.size() - extension.size());
    return std::equal(tail.begin(), tail.end(), extension.begin(), [](char a, char b) {
        return (a >= 'A' && a <= 'Z' ? static_cast<char>(a - 'A' + 'a') : a) == b;
    });
}

} // namespace

std::vector<std::string> listFilesWithExtension(const std::filesystem::path& dir,
                                                std::string_view extension) {
    std::vector<std::string> names;
    std::error_code error;
    std::filesystem::directory_iterator entries(dir, error);
    if (error) {
        return names;
    }
    for (const std::filesystem::directory_iterator end; entries != end; entries.increment(error)) {
        if (error) {
            break;
        }
        std::error_code typeError;
        const std::string name = entries->path().filename().string();
        if (hasExtension(name, extension) && entries->is_regular_file(typeError)) {
            names.push_back(name);
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace zv
