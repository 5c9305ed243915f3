#include "app/settings_file.h"

#include "base/file_paths.h"
#include "formats/text_fields.h"
#include "formats/text_file.h"

#include <charconv>
#include <string_view>
#include <system_error>

namespace zv {

namespace {

// The blanks that the C library's scanf skips before a number (C locale).
bool isScanBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// The start of a number as scanf sees it: leading blanks skipped, a '+' dropped (which
// std::from_chars does not take), a '-' kept. Empty when no number can follow.
std::string_view numberStart(std::string_view text) {
    std::size_t position = 0;
    while (position < text.size() && isScanBlank(text[position])) {
        ++position;
    }
    text.remove_prefix(position);
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (!text.empty() && text.front() == '-') {
            return {};
        }
    }
    return text;
}

// "%d": a whole number at the start of the line, anything after it ignored. A line
// without one, or with one that does not fit, leaves the field as it was.
void scanInt(const std::string& line, int& field) {
    const std::string_view text = numberStart(line);
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error == std::errc{} && end != text.data()) {
        field = value;
    }
}

// "%f": a decimal number at the start of the line, as for scanInt.
void scanFloat(const std::string& line, float& field) {
    const std::string_view text = numberStart(line);
    float value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error == std::errc{} && end != text.data()) {
        field = value;
    }
}

// "%4.1f", as the extraction bounds are kept.
std::string fixedText(float value) {
    std::string text;
    appendFixed(text, value, 1, 4);
    return text;
}

// The next line, or empty text when the file has ended.
std::string nextLine(TextReader& reader) {
    std::string line;
    reader.readLine(line);
    return line;
}

SettingsFileState loadFrom(AppSettings& settings, TextReader& reader) {
    if (!reader.isOpen()) {
        return SettingsFileState::Missing;
    }
    std::string first;
    reader.readLine(first);
    if (first != settingsVersionMark) {
        return SettingsFileState::WrongVersion;
    }
    settings.versionMark = first;
    loadSettingsLines(settings, reader);
    return SettingsFileState::Loaded;
}

} // namespace

void loadSettingsLines(AppSettings& settings, TextReader& reader) {
    scanInt(nextLine(reader), settings.firstFlightNumber);
    scanInt(nextLine(reader), settings.flightsPerPage);
    settings.logbookDir = nextLine(reader);
    settings.logbookFile = nextLine(reader);
    settings.oziDir = nextLine(reader);
    settings.routeDir = nextLine(reader);
    settings.waypointDir = nextLine(reader);
    settings.oziExplorerPath = nextLine(reader);
    settings.liftDir = nextLine(reader);
    settings.takeoffDir = nextLine(reader);
    scanInt(nextLine(reader), settings.serialNumber);
    scanInt(nextLine(reader), settings.comPort);
    settings.liftDatabase = nextLine(reader);
    scanFloat(nextLine(reader), settings.extractLatMin);
    scanFloat(nextLine(reader), settings.extractLatMax);
    scanFloat(nextLine(reader), settings.extractLonMin);
    scanFloat(nextLine(reader), settings.extractLonMax);
    scanInt(nextLine(reader), settings.extractWindFilter);
    scanInt(nextLine(reader), settings.extractWindFrom);
    scanInt(nextLine(reader), settings.extractWindTo);
    settings.zvViewPath = nextLine(reader);
}

SettingsFileState loadSettings(AppSettings& settings, const std::filesystem::path& file) {
    TextReader reader(file);
    return loadFrom(settings, reader);
}

SettingsFileState loadSettingsFromContent(AppSettings& settings, std::string content) {
    TextReader reader = TextReader::fromContent(std::move(content));
    return loadFrom(settings, reader);
}

std::string formatSettingsFile(const AppSettings& s) {
    std::string text;
    const auto line = [&text](const std::string& value) {
        text += value;
        text += '\n';
    };
    line(s.versionMark);
    line(integerText(s.firstFlightNumber));
    line(integerText(s.flightsPerPage));
    line(s.logbookDir);
    line(s.logbookFile);
    line(s.oziDir);
    line(s.routeDir);
    line(s.waypointDir);
    line(s.oziExplorerPath);
    line(s.liftDir);
    line(s.takeoffDir);
    line(integerText(s.serialNumber));
    line(integerText(s.comPort));
    line(s.liftDatabase);
    line(fixedText(s.extractLatMin));
    line(fixedText(s.extractLatMax));
    line(fixedText(s.extractLonMin));
    line(fixedText(s.extractLonMax));
    line(integerText(s.extractWindFilter));
    line(integerText(s.extractWindFrom));
    line(integerText(s.extractWindTo));
    line(s.zvViewPath);
    return text;
}

bool saveSettings(const AppSettings& settings) {
    TextWriter writer(settingsFilePath(settings), WriteMode::Atomic);
    writer.write(formatSettingsFile(settings));
    return writer.close();
}

void resetSettings(AppSettings& s) {
    s.versionMark = settingsVersionMark;
    s.firstFlightNumber = 1;
    s.flightsPerPage = 12;
    s.logbookDir.clear();
    s.logbookFile.clear();
    s.oziDir.clear();
    s.routeDir.clear();
    s.waypointDir.clear();
    s.oziExplorerPath.clear();
    s.liftDir.clear();
    s.takeoffDir.clear();
    s.serialNumber = 1596;
    s.comPort = 0;
    s.liftDatabase.clear();
    s.extractLatMin = 40.0F;
    s.extractLatMax = 50.0F;
    s.extractLonMin = 7.0F;
    s.extractLonMax = 11.0F;
    s.extractWindFilter = 0;
    s.extractWindFrom = 0;
    s.extractWindTo = 360;
    s.zvViewPath.clear();
}

bool requiredPathsComplete(const AppSettings& s) {
    // takeoffDir and liftDatabase are not required.
    for (const std::string* field :
         {&s.logbookDir, &s.logbookFile, &s.oziDir, &s.routeDir, &s.waypointDir, &s.oziExplorerPath,
          &s.zvViewPath, &s.liftDir}) {
        if (field->empty()) {
            return false;
        }
    }
    return true;
}

void markInvalidSettings(AppSettings& settings) {
    if (!requiredPathsComplete(settings)) {
        settings.versionMark = invalidSettingsMark;
    }
}

} // namespace zv
