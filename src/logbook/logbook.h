#pragma once

// The logbook: one flight per three record lines, in pages of a fixed number of flights,
// in the instrument's own columns. CLogbook holds the flights of one command in memory.

#include "base/evaluation_tables.h"
#include "base/file_paths.h"

#include <filesystem>
#include <string>
#include <vector>

namespace zv {

class TextReader;
class UserInterface;

// One flight of the logbook. Text fields hold Windows-1252 bytes as in the file.
struct FlightRecord {
    int day = 0;
    int month = 0;
    int year = 0; // two digits, as the instrument writes it
    // The 14 characters at the start of record line 3: three blanks and the site name
    // padded to 11 characters.
    std::string takeoffSite;
    int number = 0;
    int takeoffHour = 0;
    int takeoffMinute = 0;
    int landingHour = 0;
    int landingMinute = 0;
    int durationHours = 0;
    int durationMinutes = 0;
    int takeoffAltitude = 0; // first altitude of record line 2
    int landingAltitude = 0; // second altitude of record line 2
    int altiMax = 0;
    int altiGain = 0;
    int altiSum = 0;
    float distance = 0;
    float varioMax = 0; // best climb
    float varioMin = 0; // worst sink, negative
    float tasMax = 0;   // 0 when the instrument gave no air speed
    std::string altitudeUnit;
    std::string distanceUnit;
    std::string qnhUnit;
    std::string varioUnit;
    std::string tasUnit;
    std::string polar;
    // Written directly before record line 1: empty, "\n", or a comment line with its end.
    std::string leadText;
    int qnh = 0;
};

// The flight-hours report covers at most this many years.
inline constexpr int hoursTableYears = 19;

class CLogbook {
public:
    // serialText: the instrument's serial number formatted "%4i\n" (see serialText()).
    explicit CLogbook(const std::string& serialText);

    static std::string serialText(int serialNumber);

    // The eight header lines, each with its line end; written after one more line end
    // they are the nine lines that head every page.
    const std::vector<std::string>& headerLines() const { return headerLines_; }

    std::vector<FlightRecord>& flights() { return flights_; }
    const std::vector<FlightRecord>& flights() const { return flights_; }
    bool formatError() const { return formatError_; }

    std::vector<TakeoffSiteEntry>& sites() { return sites_; }

    // Appends the flights of a logbook file. True when the file was read up to "@EOF";
    // false, after a message, when it cannot be opened or has a format error (then
    // formatError() is set and the flights read before the fault stay in the list).
    bool readLogbook(const std::filesystem::path& path, UserInterface& ui);
    // The same on a file already opened (or on bytes in memory).
    bool readLogbook(TextReader& reader, UserInterface& ui);

    // Writes the list in pages of flightsPerPage flights (all on one page when it is
    // below 1), replacing the file atomically. False, after a message, when the file
    // could not be written; an existing file then stays as it was.
    bool writeLogbook(const std::filesystem::path& path, int flightsPerPage,
                      UserInterface& ui) const;
    // The bytes writeLogbook puts in the file's lines ("\n" for each line end).
    std::string logbookText(int flightsPerPage) const;

    // Numbers the flights first, first + 1, ... in list order.
    void renumber(int first);

    // Orders the flights by calendar date and takeoff time; flights with the same takeoff
    // keep their order (see logbook_sort.cpp).
    void sortByTakeoff();
    // Removes every flight that repeats an earlier one (same site text, date and
    // takeoff time); the first occurrence stays.
    void removeDuplicates();

private:
    std::vector<std::string> headerLines_;
    std::vector<FlightRecord> flights_;
    bool formatError_ = false;
    std::vector<TakeoffSiteEntry> sites_;
};

// The century rule of the logbook's two-digit years: 0 to 90 are 2000 to 2090, 91 to 99
// are 1991 to 1999; any other number is taken as written.
int fourDigitYear(int twoDigitYear);

// A flight is earlier than another when its takeoff comes first in calendar order:
// calendar year (century rule), month, day, takeoff hour, takeoff minute.
bool isEarlier(const FlightRecord& a, const FlightRecord& b);

// Messages of the logbook files.
std::string logbookOpenFailedMessage(const std::filesystem::path& path);
inline constexpr const char* logbookFormatMessage = "Flugbuch hat falsches Format\n";
std::string writeFailedMessage(const std::filesystem::path& path);

} // namespace zv
