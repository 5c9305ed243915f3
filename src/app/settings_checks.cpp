#include "app/settings_checks.h"

#include "base/field_checks.h"

namespace zv {

namespace {

// The record's int fields: a number too large for one is no whole number for it.
FieldRefusal checkInt(std::string_view text, int low, int high, int& value) {
    return checkInteger(text, low, high, value, TooLarge::NotInteger);
}

} // namespace

std::optional<SettingsProblem> checkSettingsPage(SettingsPage page,
                                                 const SettingsEntries& entries) {
    struct Check {
        SettingsField field;
        FieldRefusal message;
    };
    int number = 0;
    const auto first = [](std::initializer_list<Check> checks) -> std::optional<SettingsProblem> {
        for (const auto& check : checks) {
            if (check.message) {
                return SettingsProblem{check.field, *check.message};
            }
        }
        return std::nullopt;
    };
    switch (page) {
    case SettingsPage::Logbook:
        return first({
            {SettingsField::LogbookFile, checkMaxCharacters(entries.logbookFile, maxPathChars)},
            {SettingsField::FirstFlightNumber,
             checkInt(entries.firstFlightNumber, 1, 10000, number)},
            {SettingsField::LogbookDir, checkMaxCharacters(entries.logbookDir, maxPathChars)},
            {SettingsField::FlightsPerPage, checkUnsigned(entries.flightsPerPage, number)},
        });
    case SettingsPage::Waypoints:
        return first({
            {SettingsField::RouteDir, checkMaxCharacters(entries.routeDir, maxPathChars)},
            {SettingsField::WaypointDir, checkMaxCharacters(entries.waypointDir, maxPathChars)},
            {SettingsField::OziDir, checkMaxCharacters(entries.oziDir, maxPathChars)},
        });
    case SettingsPage::OtherDirs:
        return first({
            {SettingsField::OziExplorerPath,
             checkMaxCharacters(entries.oziExplorerPath, maxPathChars)},
            {SettingsField::LiftDir, checkMaxCharacters(entries.liftDir, maxPathChars)},
            {SettingsField::LiftDatabase,
             checkMaxCharacters(entries.liftDatabase, maxLiftDatabaseChars)},
            {SettingsField::TakeoffDir, checkMaxCharacters(entries.takeoffDir, maxPathChars)},
        });
    case SettingsPage::Instrument:
        return first({
            {SettingsField::SerialNumber, checkInt(entries.serialNumber, 0, 10000, number)},
        });
    }
    return std::nullopt;
}

SettingsEntries settingsEntries(const AppSettings& settings) {
    SettingsEntries entries;
    entries.logbookFile = settings.logbookFile;
    entries.firstFlightNumber = std::to_string(settings.firstFlightNumber);
    entries.logbookDir = settings.logbookDir;
    entries.flightsPerPage = std::to_string(settings.flightsPerPage);
    entries.routeDir = settings.routeDir;
    entries.waypointDir = settings.waypointDir;
    entries.oziDir = settings.oziDir;
    entries.oziExplorerPath = settings.oziExplorerPath;
    entries.liftDir = settings.liftDir;
    entries.liftDatabase = settings.liftDatabase;
    entries.takeoffDir = settings.takeoffDir;
    entries.zvViewPath = settings.zvViewPath;
    entries.comPort = settings.comPort;
    entries.serialNumber = std::to_string(settings.serialNumber);
    return entries;
}

void applySettingsEntries(const SettingsEntries& entries, AppSettings& settings) {
    settings.logbookFile = entries.logbookFile;
    checkInt(entries.firstFlightNumber, 1, 10000, settings.firstFlightNumber);
    settings.logbookDir = entries.logbookDir;
    checkUnsigned(entries.flightsPerPage, settings.flightsPerPage);
    settings.routeDir = entries.routeDir;
    settings.waypointDir = entries.waypointDir;
    settings.oziDir = entries.oziDir;
    settings.oziExplorerPath = entries.oziExplorerPath;
    settings.liftDir = entries.liftDir;
    settings.liftDatabase = entries.liftDatabase;
    settings.takeoffDir = entries.takeoffDir;
    settings.zvViewPath = entries.zvViewPath;
    settings.comPort = entries.comPort;
    checkInt(entries.serialNumber, 0, 10000, settings.serialNumber);
}

} // namespace zv
