#include "base/app_settings.h"
#include "base/file_choice.h"
#include "base/file_paths.h"
#include "base/user_interface.h"
#include "formats/cp1252.h"
#include "formats/file_replacement.h"
#include "formats/precious_files.h"
#include "formats/text_fields.h"
#include "formats/text_file.h"
#include "logbook/logbook_commands.h"

#include <ctime>
#include <filesystem>
#include <optional>

namespace zv {

namespace {

// The lock of the main logbook for one read-modify-write of it, its backup and its error
// copy; nothing after a message when another zv holds it or a file is write-protected.
std::optional<FileLock> lockLogbook(const std::filesystem::path& mainPath, UserInterface& ui) {
    auto lock = lockForChange(mainPath, {mainPath, siblingPath(mainPath, "bak")}, ui);
    if (lock && lock->held()) {
        removeStaleTemporaries(siblingPath(mainPath, "err"));
    }
    return lock;
}

LogbookResult writeErrorCopy(CLogbook& logbook, const std::filesystem::path& mainPath,
                             int flightsPerPage, int firstNumber, UserInterface& ui) {
    if (!logbook.formatError()) {
        return LogbookResult::Failed;
    }
    logbook.renumber(firstNumber);
    return logbook.writeLogbook(siblingPath(mainPath, "err"), flightsPerPage, ui)
               ? LogbookResult::ErrorCopy
               : LogbookResult::Failed;
}

// The letters the logbook's site column takes besides A-Z, 0-9 and the blank.
constexpr std::string_view siteSigns = "_/-.!\xB0>:\xDC\xD6\xC4\xE4\xF6\xFC\xDF";

bool isSiteByte(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == ' ' ||
           siteSigns.find(c) != std::string_view::npos;
}

// Upper case as the pilot expects it of a German site name: a-z and the umlauts.
char upperSiteByte(char c) {
    if (c >= 'a' && c <= 'z') {
        return static_cast<char>(c - 'a' + 'A');
    }
    switch (static_cast<unsigned char>(c)) {
    case 0xE4:
        return '\xC4';
    case 0xF6:
        return '\xD6';
    case 0xFC:
        return '\xDC';
    default:
        return c;
    }
}

} // namespace

bool createBackup(const std::filesystem::path& mainPath, UserInterface& ui) {
    TextReader in(mainPath);
    if (!in.isOpen()) {
        ui.message("Das Flugbuch " + mainPath.string() + "\nkonnte nicht" + " " +
                       "geöffnet werden. Bitte Pfad + Name überprüfen!",
                   Icon::Stop);
        return true;
    }
    const std::filesystem::path backupPath = siblingPath(mainPath, "bak");
    if (!copyLines(in, backupPath)) {
        // Without a backup the main logbook is not changed.
        ui.message("Die Sicherungsdatei " + backupPath.string() +
                       "\nkonnte nicht geschrieben werden. Das Flugbuch bleibt unverändert.",
                   Icon::Stop);
        return false;
    }
    return true;
}

bool restoreBackup(const std::filesystem::path& mainPath, UserInterface& ui) {
    const std::filesystem::path backupPath = siblingPath(mainPath, "bak");
    const auto lock = lockForChange(mainPath, {mainPath}, ui);
    if (!lock) {
        return false;
    }
    TextReader in(backupPath);
    if (!in.isOpen()) {
        ui.message(in.tooLarge()
                       ? tooLargeMessage(backupPath)
                       : "Die Sicherungsdatei " + backupPath.string() + "\nkonnte nicht" + " " +
                             "geöffnet werden. Bitte Einstellungen Flugbuchpfad "
                             "korrigieren!",
                   Icon::Stop);
        return false;
    }
    if (!copyLines(in, mainPath)) {
        ui.message(writeFailedMessage(mainPath), Icon::Stop);
        return false;
    }
    return true;
}

LogbookResult extendLogbook(CLogbook& logbook, const std::filesystem::path& mainPath,
                            const std::filesystem::path& otherPath, int flightsPerPage,
                            int firstNumber, UserInterface& ui) {
    const auto lock = lockLogbook(mainPath, ui);
    if (!lock) {
        return LogbookResult::Failed;
    }
    if (!logbook.readLogbook(mainPath, ui) || !logbook.readLogbook(otherPath, ui)) {
        return writeErrorCopy(logbook, mainPath, flightsPerPage, firstNumber, ui);
    }
    logbook.sortByTakeoff();
    logbook.removeDuplicates();
    if (!createBackup(mainPath, ui)) {
        return LogbookResult::Failed;
    }
    logbook.renumber(firstNumber);
    return logbook.writeLogbook(mainPath, flightsPerPage, ui) ? LogbookResult::Written
                                                              : LogbookResult::Failed;
}

LogbookResult insertFlight(CLogbook& logbook, const std::filesystem::path& mainPath,
                           const FlightRecord& flight, int flightsPerPage, int firstNumber,
                           UserInterface& ui) {
    const auto lock = lockLogbook(mainPath, ui);
    if (!lock) {
        return LogbookResult::Failed;
    }
    if (!logbook.readLogbook(mainPath, ui)) {
        return writeErrorCopy(logbook, mainPath, flightsPerPage, firstNumber, ui);
    }
    if (!createBackup(mainPath, ui)) {
        return LogbookResult::Failed;
    }
    logbook.flights().push_back(flight);
    logbook.sortByTakeoff();
    logbook.renumber(firstNumber);
    return logbook.writeLogbook(mainPath, flightsPerPage, ui) ? LogbookResult::Written
                                                              : LogbookResult::Failed;
}

namespace {

// Opens what a logbook change produced; true when the main logbook was written.
bool showResult(LogbookResult result, const std::filesystem::path& mainPath, UserInterface& ui) {
    switch (result) {
    case LogbookResult::Written:
        ui.openDocument(mainPath);
        return true;
    case LogbookResult::ErrorCopy:
        ui.openDocument(siblingPath(mainPath, "err"));
        return false;
    case LogbookResult::Failed:
        break;
    }
    return false;
}

} // namespace

bool commandExtendLogbook(const AppSettings& settings, UserInterface& ui) {
    if (!maintainedFilesApart(settings, ui)) {
        return false;
    }
    const std::filesystem::path mainPath = mainLogbookPath(settings);
    CLogbook logbook(CLogbook::serialText(settings.serialNumber));

    const auto chosen =
        chooseExistingFile(ui, {"Flugbuchdatei anhängen", "Flugbuch (*.log) |*.log||", "log",
                                settings.logbookDir, ""});
    if (!chosen) {
        return false;
    }
    const std::filesystem::path otherPath = *chosen;
    if (sameFile(otherPath, mainPath)) {
        ui.message("Sie können nicht das Flugbuch um sich selbst erweitern!", Icon::Exclamation);
        return false;
    }
    if (ui.ask("Wollen Sie die Datei " + otherPath.string() +
                   "\nwirklich an das Flugbuch angehängen?",
               Icon::Question, Buttons::OkCancel) != Answer::Ok) {
        return false;
    }
    LogbookResult result = LogbookResult::Failed;
    {
        WaitCursor wait(ui);
        result = extendLogbook(logbook, mainPath, otherPath, settings.flightsPerPage,
                               settings.firstFlightNumber, ui);
    }
    return showResult(result, mainPath, ui);
}

bool commandRestoreLogbook(const AppSettings& settings, UserInterface& ui) {
    if (!maintainedFilesApart(settings, ui)) {
        return false;
    }
    const std::filesystem::path mainPath = mainLogbookPath(settings);
    if (!restoreBackup(mainPath, ui)) {
        return false;
    }
    ui.openDocument(mainPath);
    return true;
}

bool commandInsertFlight(const AppSettings& settings, UserInterface& ui) {
    if (!maintainedFilesApart(settings, ui)) {
        return false;
    }
    const std::filesystem::path mainPath = mainLogbookPath(settings);
    CLogbook logbook(CLogbook::serialText(settings.serialNumber));

    InsertFlightDialogData data;
    data.date = today();
    if (!ui.runInsertFlightDialog(data)) {
        return false;
    }
    // The dialog checks its fields; checked again here because a site name the logbook
    // cannot read back would make the whole main logbook unreadable.
    if (const FieldRefusal refusal = checkInsertFlightData(data)) {
        ui.message(*refusal, Icon::Exclamation);
        return false;
    }
    if (const FieldRefusal refusal = checkFlightTimes(data)) {
        ui.message(*refusal, Icon::Information);
        return false;
    }
    LogbookResult result = LogbookResult::Failed;
    {
        WaitCursor wait(ui);
        result = insertFlight(logbook, mainPath, flightFromDialog(data), settings.flightsPerPage,
                              settings.firstFlightNumber, ui);
    }
    return showResult(result, mainPath, ui);
}

FieldRefusal checkInsertFlightData(const InsertFlightDialogData& data) {
    if (FieldRefusal refusal = checkTakeoffSiteName(data.takeoffSite)) {
        return refusal;
    }
    if (data.takeoffAltitude < 0 || data.takeoffAltitude > maxInsertAltitude ||
        data.landingAltitude < 0 || data.landingAltitude > maxInsertAltitude) {
        return messageIntegerRange(0, maxInsertAltitude);
    }
    if (!(data.distance >= 0 && data.distance <= maxInsertDistance)) {
        return messageRealRange(0, maxInsertDistance);
    }
    return std::nullopt;
}

FieldRefusal checkFlightTimes(const InsertFlightDialogData& data) {
    const int minutes =
        (data.landingHour - data.takeoffHour) * 60 + data.landingMinute - data.takeoffMinute;
    if (minutes < 0) {
        return "Landezeit kleiner als Startzeit\n";
    }
    return std::nullopt;
}

FlightRecord flightFromDialog(const InsertFlightDialogData& data) {
    FlightRecord flight;
    flight.day = data.date.day;
    flight.month = data.date.month;
    flight.year = data.date.year % 100;
    flight.takeoffHour = data.takeoffHour;
    flight.takeoffMinute = data.takeoffMinute;
    flight.landingHour = data.landingHour;
    flight.landingMinute = data.landingMinute;
    const int minutes =
        (data.landingHour - data.takeoffHour) * 60 + data.landingMinute - data.takeoffMinute;
    flight.durationHours = minutes / 60;
    flight.durationMinutes = minutes % 60;
    std::string site = utf8ToCp1252(data.takeoffSite);
    for (char& c : site) {
        c = upperSiteByte(c);
    }
    if (site.size() < maxSiteNameLength) {
        site.append(maxSiteNameLength - site.size(), ' ');
    }
    flight.takeoffSite = site;
    // Each altitude under its own label: the first altitude of record line 2 is the
    // takeoff altitude, the second the landing altitude.
    flight.takeoffAltitude = data.takeoffAltitude;
    flight.landingAltitude = data.landingAltitude;
    flight.distance = static_cast<float>(data.distance);
    flight.altitudeUnit = "m";
    flight.distanceUnit = "km";
    flight.qnhUnit = "hPa";
    flight.varioUnit = "m/s";
    flight.tasUnit = "km/h";
    flight.polar = "PARA 0";
    return flight;
}

FieldRefusal checkTakeoffSiteName(const std::string& utf8Text) {
    if (FieldRefusal refusal = checkMaxCharacters(utf8Text, maxSiteNameLength)) {
        return refusal;
    }
    for (const char c : utf8ToCp1252(utf8Text)) {
        if (!isSiteByte(c)) {
            return "Der Startplatz darf nur Buchstaben, Ziffern, Leerzeichen und die Zeichen "
                   "_ / - . ! ° > : enthalten.";
        }
    }
    return std::nullopt;
}

InsertFlightRefusal acceptInsertFlightTexts(const InsertFlightTexts& texts,
                                            InsertFlightDialogData& data) {
    InsertFlightDialogData entered = data;
    entered.takeoffSite = texts.takeoffSite;
    const struct {
        InsertFlightField field;
        FieldRefusal refusal;
    } checks[] = {
        {InsertFlightField::TakeoffSite, checkTakeoffSiteName(texts.takeoffSite)},
        {InsertFlightField::TakeoffAltitude,
         checkInteger(texts.takeoffAltitude, 0, maxInsertAltitude, entered.takeoffAltitude)},
        {InsertFlightField::LandingAltitude,
         checkInteger(texts.landingAltitude, 0, maxInsertAltitude, entered.landingAltitude)},
        {InsertFlightField::Distance,
         checkReal(texts.distance, 0, maxInsertDistance, entered.distance)},
    };
    for (const auto& check : checks) {
        if (check.refusal) {
            return {*check.refusal, check.field};
        }
    }
    data = entered;
    return {};
}

CalendarDate today() {
    const std::time_t now = std::time(nullptr);
    const std::tm* local = std::localtime(&now);
    if (local == nullptr) {
        return {};
    }
    return {local->tm_mday, local->tm_mon + 1, local->tm_year + 1900};
}

} // namespace zv
