// settings.ini as zv reads it at start: any bytes, any number of lines.
#include "app/settings_file.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    zv::AppSettings settings;
    const auto state = zv::loadSettingsFromContent(
        settings, std::string(reinterpret_cast<const char*>(data), size));
    if (state != zv::SettingsFileState::Loaded) {
        return 0;
    }
    // What was read is written and read again unchanged: the next start sees the same.
    const std::string written = zv::formatSettingsFile(settings);
    std::string onDisk; // each "\n" as CR LF, as the file is written
    for (const char c : written) {
        if (c == '\n') {
            onDisk += '\r';
        }
        onDisk += c;
    }
    zv::AppSettings reread;
    if (zv::loadSettingsFromContent(reread, onDisk) != zv::SettingsFileState::Loaded ||
        zv::formatSettingsFile(reread) != written) {
        std::abort();
    }
    return 0;
}
