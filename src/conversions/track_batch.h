#pragma once

// The directory conversion of flights into tracks: every flight data file (".zvc") of the
// waypoint directory becomes an OziExplorer track file (".plt") of the same base name in
// the OziExplorer directory. Existing targets are never overwritten; the first faulty
// flight data file stops the batch.

#include <filesystem>
#include <string>
#include <vector>

namespace zv {

struct AppSettings;
class UserInterface;

class CTrackBatch {
public:
    explicit CTrackBatch(UserInterface& ui) : ui_(ui) {}

    // The file names found in the source directory; after a read fault, the full path of
    // the faulty flight data file alone.
    std::vector<std::string> sourceNames;
    // The full paths of the track files written, in order.
    std::vector<std::filesystem::path> writtenFiles;
    // Set when a flight data file could not be read.
    bool readFailed = false;

    // Takes the directories without a trailing separator. True when every listed file was
    // handled (written, or skipped because its track file exists).
    bool convertFlightsToTracks(const std::filesystem::path& sourceDir,
                                const std::filesystem::path& targetDir);

private:
    UserInterface& ui_;
};

// The track file's name: the flight file's name with the text after its last "." replaced
// by "plt" (a.b.zvc -> a.b.plt).
std::string trackFileName(const std::string& flightFileName);

// The menu command "&Flug->Tracks".
bool commandFlightsToTracks(const AppSettings& settings, UserInterface& ui);

} // namespace zv
