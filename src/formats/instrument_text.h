#pragma once

// What all instrument files share: the header line that identifies them, the end marker,
// comment lines, and the two messages of their readers.

#include <string>
#include <string_view>

namespace zv {

class TextWriter;

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
std::string headerMessage(const std::string& path);
// "Zeile in Datei <path> konnte nicht\nrichtig interpretiert werden. Bitte überprüfen!"
std::string rowMessage(const std::string& path);
// "Die Datei <path>\nkonnte nicht geöffnet werden. Bitte Pfad + Namen überprüfen!"
std::string cannotOpenMessage(const std::string& path);

} // namespace zv
