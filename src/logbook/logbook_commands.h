#pragma once

// The commands of the menu Tools > Flugbuch and the operations behind them: appending a
// downloaded logbook to the main logbook, restoring its backup, inserting a flight by
// hand, and the two evaluations. Each command is called by the menu and by zv-cli alike.

#include "base/dialog_data.h"
#include "base/field_checks.h"
#include "logbook/logbook.h"

#include <filesystem>
#include <optional>
#include <string>

namespace zv {

struct AppSettings;
class UserInterface;

// Copies the main logbook to its backup (extension "bak"), line by line, replacing the
// backup atomically. Returns false, after a message, when the backup could not be
// written; the main logbook cannot be opened: message, no backup, and true (the
// command goes on).
bool createBackup(const std::filesystem::path& mainPath, UserInterface& ui);
// Writes the backup back over the main logbook (atomically). False after a message.
bool restoreBackup(const std::filesystem::path& mainPath, UserInterface& ui);

// Appends the flights of otherPath to the main logbook: sorted, without duplicates,
// renumbered, after a backup. On a format error the error copy (extension "err") is
// written instead and logbook.formatError() is set; the main logbook stays as it was.
// What became of a change of the main logbook.
enum class LogbookResult {
    Written,   // the main logbook holds the change
    ErrorCopy, // a logbook had a format error; the error copy shows what was read
    Failed,    // nothing to show (message given); the main logbook is as it was
};

LogbookResult extendLogbook(CLogbook& logbook, const std::filesystem::path& mainPath,
                            const std::filesystem::path& otherPath, int flightsPerPage,
                            int firstNumber, UserInterface& ui);
// Adds one flight to the main logbook, sorted and renumbered, after a backup.
LogbookResult insertFlight(CLogbook& logbook, const std::filesystem::path& mainPath,
                           const FlightRecord& flight, int flightsPerPage, int firstNumber,
                           UserInterface& ui);

// Tools > Flugbuch > erweitern, wiederherstellen, Flug einfügen.
bool commandExtendLogbook(const AppSettings& settings, UserInterface& ui);
bool commandRestoreLogbook(const AppSettings& settings, UserInterface& ui);
bool commandInsertFlight(const AppSettings& settings, UserInterface& ui);

// The flight of "Flug einfügen", or the message that refuses it (landing before takeoff).
// data.takeoffSite is UTF-8 as typed.
FlightRecord flightFromDialog(const InsertFlightDialogData& data);
FieldRefusal checkFlightTimes(const InsertFlightDialogData& data);
// All field checks of "Flug einfügen" on data already converted (zv-cli, the command).
FieldRefusal checkInsertFlightData(const InsertFlightDialogData& data);

// The site name of "Flug einfügen": at most 11 characters the logbook can hold.
FieldRefusal checkTakeoffSiteName(const std::string& utf8Text);
inline constexpr int maxSiteNameLength = 11;
inline constexpr int maxInsertAltitude = 10000;
inline constexpr double maxInsertDistance = 1000;

// The edits of "Flug einfügen" that are typed as text, in the order of the dialog.
struct InsertFlightTexts {
    std::string takeoffSite;
    std::string takeoffAltitude;
    std::string landingAltitude;
    std::string distance;
};

// The edit a refusal gives the focus to.
enum class InsertFlightField { None, TakeoffSite, TakeoffAltitude, LandingAltitude, Distance };

struct InsertFlightRefusal {
    std::string text; // empty: accepted
    InsertFlightField field = InsertFlightField::None;

    explicit operator bool() const { return !text.empty(); }
};

// What OK does before it closes the dialog: the edits in order, each with its check; on
// a refusal `data` stays as it was, otherwise it takes the site, altitudes and distance.
InsertFlightRefusal acceptInsertFlightTexts(const InsertFlightTexts& texts,
                                            InsertFlightDialogData& data);

// "Auswertung Flugstunden": the span must end after it begins unless all flights count.
FieldRefusal checkTimeSpan(const TimeSpanDialogData& data);

// Today's date on the computer's clock (the dialogs start with it).
CalendarDate today();

// The evaluations on a logbook already read: keep the flights of the span, fill the
// hours table or the site list, write the report. False after a message.
bool writeFlightHoursReport(CLogbook& logbook, const TimeSpanDialogData& span,
                            const std::filesystem::path& reportPath, UserInterface& ui);
bool writeTakeoffSiteReport(CLogbook& logbook, const TimeSpanDialogData& span,
                            const std::filesystem::path& reportPath, UserInterface& ui);

// Tools > Flugbuch > Statistik > Flugstunden and Startplätze: the report, and the chart of
// the same numbers beside it.
bool commandFlightHours(const AppSettings& settings, UserInterface& ui);
bool commandTakeoffSites(const AppSettings& settings, UserInterface& ui);

// The charts without the report (zv-cli chart): the main logbook evaluated over `data`,
// checked as the time-span dialog checks it. Nothing, after the message, when the logbook
// holds no flight or the span is refused or too long for a chart.
std::optional<FlightHoursTable> readFlightHoursChart(const AppSettings& settings,
                                                     const TimeSpanDialogData& data,
                                                     UserInterface& ui);
std::optional<TakeoffSiteTable> readTakeoffSitesChart(const AppSettings& settings,
                                                      const TimeSpanDialogData& data,
                                                      UserInterface& ui);

} // namespace zv
