#pragma once

// Paths of the data files are built as directory, separator, file name. Directory
// settings carry no trailing separator. This is the one place that joins them.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace zv {

inline constexpr char pathSeparator = '/';

std::filesystem::path joinPath(const std::filesystem::path& dir, std::string_view name);

// The file beside `path` with the extension replaced, e.g. Flugbuch.log -> Flugbuch.bak;
// never `path` itself (Flugbuch.bak -> Flugbuch.bak.bak).
std::filesystem::path siblingPath(const std::filesystem::path& path, std::string_view extension);

// The extension of the path with its dot, in lower case (".gpx" for "Tour.GPX").
std::string lowerCaseExtension(const std::filesystem::path& path);

// A file "exists" for the commands when it can be opened for reading.
bool canOpenForReading(const std::filesystem::path& path);

// Whether both paths name the same file (also through another spelling or a link).
bool sameFile(const std::filesystem::path& a, const std::filesystem::path& b);

// Anything at the path, also a file that cannot be read or a dangling link, counts as
// existing: a batch conversion never replaces it.
bool targetExists(const std::filesystem::path& path);

// The names of the regular files in dir whose name ends in extension (".zvc"), compared
// without regard to case, sorted. An unreadable directory has none.
std::vector<std::string> listFilesWithExtension(const std::filesystem::path& dir,
                                                std::string_view extension);

} // namespace zv
