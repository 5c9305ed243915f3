#include "app/settings_checks.h"

#include <charconv>
#include <climits>

namespace zv {

std::string messageIntRange(int low, int high) {
    return "Geben Sie bitte eine ganze Zahl zwischen " + std::to_string(low) + " und " +
           std::to_string(high) + " ein.";
}

std::string messageMaxChars(int count) {
    return "Geben Sie bitte nicht mehr als " + std::to_string(count) + " Zeichen ein.";
}

std::string messageNotInteger() {
    return "Geben Sie bitte eine ganze Zahl ein.";
}

std::string messageNotUnsigned() {
    return "Geben Sie bitte eine positive ganze Zahl ein.";
}

namespace {

std::string_view trimmed(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && blank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// The whole text as one number with an optional sign; nullopt when it is none or too big.
std::optional<long long> parseWhole(std::string_view text) {
    text = trimmed(text);
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
    }
    long long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

// Characters, not bytes: the entries are UTF-8.
std::size_t characterCount(std::string_view text) {
    std::size_t count = 0;
    for (const char c : text) {
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) {
            ++count;
        }
    }
    return count;
}

} // namespace

std::optional<std::string> checkInt(std::string_view text, int low, int high, int& value) {
    const auto number = parseWhole(text);
    if (!number || *number < INT_MIN || *number > INT_MAX) {
        return messageNotInteger();
    }
    if (*number < low || *number > high) {
        return messageIntRange(low, high);
    }
    value = static_cast<int>(*number);
    return std::nullopt;
}

std::optional<std::string> checkUnsigned(std::string_view text, int& value) {
    const auto number = parseWhole(text);
    if (!number || *number < 0 || *number > INT_MAX) {
        return messageNotUnsigned();
    }
    value = static_cast<int>(*number);
    return std::nullopt;
}

std::optional<std::string> checkLength(std::string_view text, int count) {
    if (characterCount(text) > static_cast<std::size_t>(count)) {
        return messageMaxChars(count);
    }
    return std::nullopt;
}

std::optional<SettingsProblem> checkSettingsPage(SettingsPage page,
                                                 const SettingsEntries& entries) {
    struct Check {
        SettingsField field;
        std::optional<std::string> message;
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
            {SettingsField::LogbookFile, checkLength(entries.logbookFile, maxPathChars)},
            {SettingsField::FirstFlightNumber,
             checkInt(entries.firstFlightNumber, 1, 10000, number)},
            {SettingsField::LogbookDir, checkLength(entries.logbookDir, maxPathChars)},
            {SettingsField::FlightsPerPage, checkUnsigned(entries.flightsPerPage, number)},
        });
    case SettingsPage::Waypoints:
        return first({
            {SettingsField::RouteDir, checkLength(entries.routeDir, maxPathChars)},
            {SettingsField::WaypointDir, checkLength(entries.waypointDir, maxPathChars)},
            {SettingsField::OziDir, checkLength(entries.oziDir, maxPathChars)},
        });
    case SettingsPage::OtherDirs:
        return first({
            {SettingsField::OziExplorerPath, checkLength(entries.oziExplorerPath, maxPathChars)},
            {SettingsField::LiftDir, checkLength(entries.liftDir, maxPathChars)},
            {SettingsField::LiftDatabase, checkLength(entries.liftDatabase, maxLiftDatabaseChars)},
            {SettingsField::TakeoffDir, checkLength(entries.takeoffDir, maxPathChars)},
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
