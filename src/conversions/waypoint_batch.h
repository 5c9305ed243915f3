#pragma once

// The two directory conversions of waypoint files: every instrument waypoint file of the
// waypoint directory into an OziExplorer file of the same name in the OziExplorer
// directory, and back. Existing targets are never overwritten; the first faulty source
// file stops the batch and is opened for correction.

#include <filesystem>
#include <string>
#include <vector>

namespace zv {

struct AppSettings;
class UserInterface;

class CWaypointBatch {
public:
    // `serialNumber` goes into the header line of the instrument files written.
    CWaypointBatch(UserInterface& ui, int serialNumber) : ui_(ui), serialNumber_(serialNumber) {}

    // The file names found in the source directory; after a read fault, the full path of
    // the faulty source file alone.
    std::vector<std::string> sourceNames;
    // The full paths of the files written, in order.
    std::vector<std::filesystem::path> writtenFiles;
    // Set when a source file could not be read.
    bool readFailed = false;

    // Both take the directories without a trailing separator. True when every listed file
    // was handled (written, or skipped because its target exists).
    bool convertZvToOzi(const std::filesystem::path& sourceDir,
                        const std::filesystem::path& targetDir);
    bool convertOziToZv(const std::filesystem::path& sourceDir,
                        const std::filesystem::path& targetDir);

private:
    enum class Direction { ZvToOzi, OziToZv };
    bool convert(Direction direction, const std::filesystem::path& sourceDir,
                 const std::filesystem::path& targetDir);

    UserInterface& ui_;
    int serialNumber_;
};

// The names of the files of a directory whose extension is ".wpt" in any letter case,
// sorted by their bytes; empty when the directory cannot be listed.
std::vector<std::string> listWaypointFiles(const std::filesystem::path& dir);

// The menu commands "&Zv->Ozi" and "&Ozi->Zv".
bool commandZvToOzi(const AppSettings& settings, UserInterface& ui);
bool commandOziToZv(const AppSettings& settings, UserInterface& ui);

} // namespace zv
