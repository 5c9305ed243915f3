#include "formats/file_paths.h"

#include <filesystem>
#include <fstream>

namespace zv {

std::string joinPath(std::string_view dir, std::string_view name) {
    std::string path;
    path.reserve(dir.size() + 1 + name.size());
    path.append(dir);
    path.push_back(pathSeparator);
    path.append(name);
    return path;
}

bool canOpenForReading(const std::string& path) {
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) {
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    return in.is_open();
}

} // namespace zv
