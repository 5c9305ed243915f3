#pragma once

// A flight as the instrument records it: the flight data file (".zvc") that the download
// "Flug" stores unchanged. Line 1 carries a tag with "@ZV", the date and the takeoff time;
// every further line longer than 15 characters is a track point of three hexadecimal
// numbers: latitude and longitude in hundredths of an arc minute, altitude in metres.

#include <filesystem>
#include <string>
#include <vector>

namespace zv {

class TextReader;
class UserInterface;

struct TrackPoint {
    int pointLatitude = 0;  // hundredths of a minute, north positive
    int pointLongitude = 0; // hundredths of a minute, east positive
    int pointAltitude = 0;  // metres

    bool operator==(const TrackPoint&) const = default;
};

class CFlightTrack {
public:
    // Messages of the readers go to `ui`.
    explicit CFlightTrack(UserInterface& ui) : ui_(ui) {}

    // From line 1; a number that does not scan keeps its value (0 in a fresh track).
    int headerYear = 0; // two digits, as the instrument writes it
    int headerMonth = 0;
    int headerDay = 0;
    int headerHour = 0; // takeoff time
    int headerMinute = 0;
    std::vector<TrackPoint> points;

    // Reads the header and appends the track points. False, after the format message,
    // only when line 1 lacks "@ZV" (a file that cannot be read has no such line).
    bool readFlightFile(const std::filesystem::path& path);
    // The same from text already in memory; `path` names the file in the message.
    bool readFlight(TextReader& reader, const std::filesystem::path& path);
    // Reads line 1 only, with the same check and message.
    bool readFlightHeader(const std::filesystem::path& path);

    // The flight's date and takeoff time from line 1: "21.04.95 14:00".
    std::string takeoffText() const;

    // Writes the flight as an OziExplorer track file, replacing the file only when every
    // write succeeded. False, without a message, when it could not be written.
    bool writeTrackFile(const std::filesystem::path& path) const;
    // The lines writeTrackFile writes ("\n" for each line end).
    std::string trackText() const;

private:
    // Checks line 1 (none: the file is empty or cannot be read) and scans its numbers.
    bool takeHeader(const std::string* line, const std::filesystem::path& path);

    UserInterface& ui_;
};

// Scans a point line ("%6x %6x %4x ", the coordinates with the instrument's sign rule).
// False, leaving `point` as it was, when the line does not begin with three hexadecimal
// numbers: such a line is no track point.
bool scanTrackPoint(const std::string& line, TrackPoint& point);

// The instrument's 24-bit coordinates: a value above 7FFFFF stands for the value minus
// FFFFFF (so FFFFFF reads as 0 and 800000 as -8388607).
int signedCoordinate(unsigned value);

// The names of the files of a directory whose extension is ".zvc" in any letter case,
// sorted by their bytes; empty when the directory cannot be listed.
std::vector<std::string> listFlightFiles(const std::filesystem::path& dir);

} // namespace zv
