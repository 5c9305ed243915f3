#include "formats/flight_track.h"

#include "base/file_paths.h"
#include "base/user_interface.h"
#include "formats/regular_file.h"
#include "formats/text_fields.h"
#include "formats/text_file.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <string_view>

namespace zv {

namespace {

constexpr std::string_view flightMarker = "@ZV";
// More than any header line of a flight file holds.
constexpr std::size_t maxHeaderBytes = 1 << 16;
// Lines of up to this length (empty lines, "@EOF") are no track points.
constexpr std::size_t shortLine = 15;

// The lines are scanned as the C library scans a C string: up to the first NUL byte.
std::string_view asCString(const std::string& line) {
    return std::string_view(line.c_str());
}

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool isHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// A cursor over one line with the few scanf conversions of the flight data file, written
// out because the fields have widths ("%6x" stops after six digits even when the next
// number follows without a blank) that std::from_chars alone does not bound.
class FieldScanner {
public:
    explicit FieldScanner(std::string_view text) : text_(text) {}

    void skipSpace() {
        while (position_ < text_.size() && isSpace(text_[position_])) {
            ++position_;
        }
    }

    // "%<width>s": a run of up to `width` bytes that are not white space.
    bool word(std::size_t width) {
        skipSpace();
        const std::size_t start = position_;
        while (position_ < text_.size() && position_ - start < width &&
               !isSpace(text_[position_])) {
            ++position_;
        }
        return position_ > start;
    }

    // "%<width>d": an optional sign and decimal digits, the sign counting to the width.
    bool decimal(std::size_t width, int& value) {
        skipSpace();
        std::size_t end = position_;
        const bool negative = end < text_.size() && text_[end] == '-';
        if (end < text_.size() && (text_[end] == '+' || text_[end] == '-')) {
            ++end;
        }
        const std::size_t digits = end;
        while (end < text_.size() && end - position_ < width && isDigit(text_[end])) {
            ++end;
        }
        if (end == digits) {
            return false;
        }
        int magnitude = 0;
        std::from_chars(text_.data() + digits, text_.data() + end, magnitude);
        value = negative ? -magnitude : magnitude;
        position_ = end;
        return true;
    }

    // "%<width>x" on plain hexadecimal digits, as the instrument writes them; a sign or a
    // "0x" prefix, which scanf would also take, makes the field fail.
    bool hexadecimal(std::size_t width, unsigned& value) {
        skipSpace();
        std::size_t end = position_;
        while (end < text_.size() && end - position_ < width && isHexDigit(text_[end])) {
            ++end;
        }
        if (end == position_) {
            return false;
        }
        std::from_chars(text_.data() + position_, text_.data() + end, value, 16);
        position_ = end;
        return true;
    }

private:
    std::string_view text_;
    std::size_t position_ = 0;
};

// "%15s %2d %2d %2d %2d %2d": the tag, then year, month, day, hour and minute. The fields
// after the first one that does not scan keep their values.
void scanHeader(std::string_view line, CFlightTrack& track) {
    FieldScanner scanner(line);
    if (!scanner.word(15)) {
        return;
    }
    for (int* field : {&track.headerYear, &track.headerMonth, &track.headerDay, &track.headerHour,
                       &track.headerMinute}) {
        if (!scanner.decimal(2, *field)) {
            return;
        }
    }
}

} // namespace

int signedCoordinate(unsigned value) {
    // The instrument's encoding, kept as it is: the complement is taken against FFFFFF,
    // not against 1000000.
    constexpr unsigned signBit = 0x7FFFFF;
    constexpr int full = 0xFFFFFF;
    return value > signBit ? static_cast<int>(value) - full : static_cast<int>(value);
}

bool scanTrackPoint(const std::string& line, TrackPoint& point) {
    FieldScanner scanner(asCString(line));
    unsigned latitude = 0;
    unsigned longitude = 0;
    unsigned altitude = 0;
    if (!scanner.hexadecimal(6, latitude) || !scanner.hexadecimal(6, longitude) ||
        !scanner.hexadecimal(4, altitude)) {
        return false;
    }
    point.pointLatitude = signedCoordinate(latitude);
    point.pointLongitude = signedCoordinate(longitude);
    point.pointAltitude = static_cast<int>(altitude);
    return true;
}

bool CFlightTrack::takeHeader(const std::string* line, const std::filesystem::path& path) {
    if (line == nullptr || asCString(*line).find(flightMarker) == std::string_view::npos) {
        ui_.message("Format der Datei " + path.string() + " unzulässig?\n" + "Bitte überprüfen!",
                    Icon::Question);
        return false;
    }
    scanHeader(asCString(*line), *this);
    return true;
}

bool CFlightTrack::readFlightHeader(const std::filesystem::path& path) {
    // Only line 1 is read: a long track need not be loaded to learn its date. The line
    // ends as TextReader ends it (LF, or CR LF); no header is longer than the limit.
    std::optional<std::string> line = readFirstLine(path, maxHeaderBytes);
    return takeHeader(line ? &*line : nullptr, path);
}

bool CFlightTrack::readFlightFile(const std::filesystem::path& path) {
    TextReader reader(path);
    if (reader.tooLarge()) {
        ui_.message(tooLargeMessage(path), Icon::Stop);
        return false;
    }
    return readFlight(reader, path);
}

bool CFlightTrack::readFlight(TextReader& reader, const std::filesystem::path& path) {
    std::string line;
    if (!takeHeader(reader.readLine(line) ? &line : nullptr, path)) {
        return false;
    }
    while (reader.readLine(line)) {
        TrackPoint point;
        // A long line that holds no three numbers is skipped: it must never repeat the
        // point of the line before it.
        if (asCString(line).size() > shortLine && scanTrackPoint(line, point)) {
            points.push_back(point);
        }
    }
    return true;
}

namespace {

// Hands the track file's text to `sink` in pieces of some thousand lines, so that a long
// track is never held twice in memory on its way to the file.
template <typename Sink> void emitTrack(const CFlightTrack& track, Sink&& sink) {
    std::string text =
        "OziExplorer Track Point File Version 2.0\nWGS 84\nAltitude is in Meter\nReserved 3\n";
    // The track's line: "0,2,255,dd.mm.yy  hh:mm:00        ,0", each number "%02d".
    text += "0,2,255,";
    appendInteger(text, track.headerDay, 2, Fill::Zeros);
    text += '.';
    appendInteger(text, track.headerMonth, 2, Fill::Zeros);
    text += '.';
    appendInteger(text, track.headerYear, 2, Fill::Zeros);
    text += "  ";
    appendInteger(text, track.headerHour, 2, Fill::Zeros);
    text += ':';
    appendInteger(text, track.headerMinute, 2, Fill::Zeros);
    text += ":00        ,0\n";
    appendInteger(text, static_cast<long long>(track.points.size()), 5);
    text += '\n';
    constexpr std::size_t piece = 1 << 16;
    constexpr double degreesPerUnit = 1.0 / 6000;
    bool first = true;
    for (const auto& point : track.points) {
        // "%11.6f,%11.6f,1,%4d\n"; the first point starts the track's segment (1), all
        // others continue it (0).
        appendFixed(text, point.pointLatitude * degreesPerUnit, 6, 11);
        text += ',';
        appendFixed(text, point.pointLongitude * degreesPerUnit, 6, 11);
        text += first ? ",1," : ",0,";
        appendInteger(text, point.pointAltitude, 4);
        text += '\n';
        first = false;
        if (text.size() >= piece) {
            sink(text);
            text.clear();
        }
    }
    sink(text);
}

} // namespace

std::string CFlightTrack::takeoffText() const {
    std::string text;
    appendInteger(text, headerDay, 2, Fill::Zeros);
    text += '.';
    appendInteger(text, headerMonth, 2, Fill::Zeros);
    text += '.';
    appendInteger(text, headerYear, 2, Fill::Zeros);
    text += ' ';
    appendInteger(text, headerHour, 2, Fill::Zeros);
    text += ':';
    appendInteger(text, headerMinute, 2, Fill::Zeros);
    return text;
}

std::string CFlightTrack::trackText() const {
    std::string text;
    emitTrack(*this, [&](const std::string& piece) { text += piece; });
    return text;
}

bool CFlightTrack::writeTrackFile(const std::filesystem::path& path) const {
    // Written beside the target and renamed over it: a failed write leaves no half track
    // behind that a later run would take for done.
    TextWriter writer(path, WriteMode::Atomic);
    if (!writer.isOpen()) {
        return false;
    }
    emitTrack(*this, [&](const std::string& piece) { writer.write(piece); });
    return writer.close();
}

std::vector<std::string> listFlightFiles(const std::filesystem::path& dir) {
    return listFilesWithExtension(dir, ".zvc");
}

} // namespace zv
