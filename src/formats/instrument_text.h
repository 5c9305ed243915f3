#pragma once

// What all instrument files share: the header line that identifies them, the end marker,
// comment lines, and the two messages of their readers.

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zv {

class TextReader;
class UserInterface;
class TextWriter;
struct Waypoint;

// Line 2 of every instrument file contains this.
inline constexpr std::string_view instrumentMark = ";   KARVELON VUVEZ";
inline constexpr std::string_view endMarker = "@EOF";

// Writes the empty line and the header line with the serial number.
void writeInstrumentHeader(TextWriter& writer, int serialNumber);

// A line containing ";" anywhere is a comment line.
inline bool isCommentLine(std::string_view line) {
    return line.find(';') != line.npos;
}
// The first line containing "@EOF" anywhere ends the data.
inline bool isEndLine(std::string_view line) {
    return line.find(endMarker) != line.npos;
}

// Whether a byte may stand in a waypoint or takeoff name: letters, digits, blank and
// "_-./!\xB0>:" with the umlauts and sharp s of Windows-1252.
bool isNameCharacter(char byte);

// "Format der Datei <path> unzulässig?\nBitte überprüfen!"
std::string headerMessage(const std::filesystem::path& path);
// "Zeile in Datei <path> konnte nicht\nrichtig interpretiert werden. Bitte überprüfen!"
std::string rowMessage(const std::filesystem::path& path);
// "Die Datei <path>\nkonnte nicht geöffnet werden. Bitte Pfad + Namen überprüfen!"
std::string cannotOpenMessage(const std::filesystem::path& path);

// The whole content of a file a command reads at once; nothing after the stop message
// (cannot be opened, or too large) when it cannot be read.
std::optional<std::string> readFileOrSay(const std::filesystem::path& path, UserInterface& ui);

// Reads lines 1 and 2 and tells whether line 2 carries the instrument mark (exactly one
// line, the empty one, comes before it). If it does, the rest of the header block is
// skipped: empty line, banner, empty line, column header, empty line.
bool skipInstrumentHeader(TextReader& reader);

// What a row scanner made of a data row: a point to keep, a point left out (its pending
// comment waits for the next kept point), or a row that does not follow the columns.
enum class RowOutcome { Kept, Skipped, Refused };
using RowScanner = std::function<RowOutcome(std::string_view line, Waypoint& point)>;

// Reads the rows up to the first "@EOF" line and appends the kept points. Lines of up to
// two characters, comment lines and lines starting with `indent` hold no point; the last
// comment line before a kept point becomes its comment. False when a row was refused.
bool readPointRows(TextReader& reader, std::string_view indent, std::vector<Waypoint>& points,
                   const RowScanner& scan);

// The header block of an instrument file: header line, empty line, banner, empty line,
// column header, empty line.
void writeInstrumentLayout(TextWriter& writer, int serialNumber, std::string_view banner,
                           std::string_view columns);
// The empty line and "@EOF" that end an instrument file.
void writeInstrumentEnd(TextWriter& writer);

// Appends a point's row, with its "\n", to a buffer that is reused for every row.
using RowFormatter = void (*)(std::string& row, const Waypoint& point);

// Writes a whole instrument file: the header block, each point's comment line (if any)
// before its row, and the end. Replaced atomically; false when any write or the close
// failed.
bool writeInstrumentFile(const std::filesystem::path& path, int serialNumber,
                         std::string_view banner, std::string_view columns,
                         const std::vector<Waypoint>& points, RowFormatter formatRow);

} // namespace zv
