#pragma once

// Opening a file to read it, safely against whatever a careless or hostile user names:
// only regular files are read. A FIFO is opened without waiting for a writer and then
// refused, like a device (/dev/zero) or a directory; a file larger than the readers may
// hold in memory is refused before anything of it is read.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace zv {

// No file of the instrument or of the map program comes near this; a larger one is
// refused so that reading it cannot exhaust the memory.
inline constexpr std::uintmax_t maxReadableFileSize = std::uintmax_t{1} << 30;

enum class ReadRefusal {
    None,
    CannotOpen, // missing, unreadable, or not a regular file
    TooLarge,   // larger than maxReadableFileSize
};

// The whole content of a regular file, or why it was refused.
struct FileContent {
    std::string bytes;
    ReadRefusal refusal = ReadRefusal::None;
};
FileContent readRegularFile(const std::filesystem::path& path);

// The first line of a regular file without its line end (LF, or CR LF), reading at most
// `limit` bytes; nothing when the file cannot be read or is empty.
std::optional<std::string> readFirstLine(const std::filesystem::path& path, std::size_t limit);

// "Die Datei <path>\nist größer als 1 GiB und wird nicht gelesen."
std::string tooLargeMessage(const std::filesystem::path& path);

} // namespace zv
