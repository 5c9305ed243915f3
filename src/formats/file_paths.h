#pragma once

// Paths of the data files are built as directory, separator, file name. Directory
// settings carry no trailing separator. This is the one place that joins them.

#include <string>
#include <string_view>

namespace zv {

inline constexpr char pathSeparator = '/';

std::string joinPath(std::string_view dir, std::string_view name);

// A file "exists" for the commands when it can be opened for reading.
bool canOpenForReading(const std::string& path);

} // namespace zv
