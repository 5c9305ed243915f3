#include "formats/instrument_text.h"

#include "base/user_interface.h"
#include "formats/large_pages.h"
#include "formats/regular_file.h"
#include "formats/text_fields.h"
#include "formats/text_file.h"
#include "formats/waypoint.h"

#include <algorithm>
#include <cstdint>
#include <new>
#include <stdexcept>

namespace zv {

void writeInstrumentHeader(TextWriter& writer, int serialNumber) {
    writer.write("\n");
    std::string header = ";   KARVELON VUVEZ * ZIRROVA No. ";
    appendInteger(header, serialNumber, 5);
    writer.writeLine(header);
}

std::string headerMessage(const std::filesystem::path& path) {
    return "Format der Datei " + path.string() + " unzulässig?\n" + "Bitte überprüfen!";
}

std::string rowMessage(const std::filesystem::path& path) {
    return "Zeile in Datei " + path.string() + " konnte nicht\n" +
           "richtig interpretiert werden. Bitte überprüfen!";
}

std::optional<std::string> readFileOrSay(const std::filesystem::path& path, UserInterface& ui) {
    FileContent content = readRegularFile(path);
    if (content.refusal != ReadRefusal::None) {
        ui.message(content.refusal == ReadRefusal::TooLarge ? tooLargeMessage(path)
                                                            : cannotOpenMessage(path),
                   Icon::Stop);
        return std::nullopt;
    }
    return std::move(content.bytes);
}

std::string cannotOpenMessage(const std::filesystem::path& path) {
    return "Die Datei " + path.string() +
           "\nkonnte nicht geöffnet werden. Bitte Pfad + Namen überprüfen!";
}

bool isNameCharacter(char byte) {
    const auto c = static_cast<unsigned char>(byte);
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) {
        return true;
    }
    return std::string_view(" _-./!\xB0>:\xDC\xD6\xC4\xE4\xF6\xFC\xDF").find(byte) !=
           std::string_view::npos;
}

bool skipInstrumentHeader(TextReader& reader) {
    std::string line;
    reader.readLine(line);
    reader.readLine(line);
    if (line.find(instrumentMark) == std::string::npos) {
        return false;
    }
    for (int skipped = 0; skipped < 5 && reader.readLine(line); ++skipped) {
    }
    return true;
}

bool readPointRows(TextReader& reader, std::string_view indent, std::vector<Waypoint>& points,
                   const RowScanner& scan) {
    // Every row is a line: room for all lines left saves moving the records of a large
    // file again and again as the list grows, and a little more leaves room for a small
    // file read into the same list next (a download appended to the lift database). It
    // is only asked for: without it the list grows as usual.
    const std::size_t lines = reader.linesLeft();
    const std::size_t wanted = points.size() + lines + lines / 64;
    if (wanted > points.capacity()) {
        try {
            points.reserve(std::max(wanted, 2 * points.capacity()));
            adviseLargePages(points.data(), points.capacity() * sizeof(Waypoint));
        } catch (const std::bad_alloc&) {
        } catch (const std::length_error&) {
        }
    }
    std::string_view line;
    std::string pendingComment;
    while (reader.readLine(line)) {
        if (isEndLine(line)) {
            break;
        }
        if (line.size() <= 2 || isCommentLine(line) || line.starts_with(indent)) {
            if (isCommentLine(line)) {
                pendingComment = line;
            }
            continue;
        }
        // The row is scanned into its place in the list and taken out again when it
        // holds no point to keep.
        Waypoint& point = points.emplace_back();
        const RowOutcome outcome = scan(line, point);
        if (outcome != RowOutcome::Kept) {
            points.pop_back();
            if (outcome == RowOutcome::Refused) {
                return false;
            }
            continue;
        }
        point.comment = std::move(pendingComment);
        pendingComment.clear();
    }
    return true;
}

void writeInstrumentLayout(TextWriter& writer, int serialNumber, std::string_view banner,
                           std::string_view columns) {
    writeInstrumentHeader(writer, serialNumber);
    writer.write("\n");
    writer.writeLine(banner);
    writer.write("\n");
    writer.writeLine(columns);
    writer.write("\n");
}

void writeInstrumentEnd(TextWriter& writer) {
    writer.write("\n@EOF\n");
}

bool writeInstrumentFile(const std::filesystem::path& path, int serialNumber,
                         std::string_view banner, std::string_view columns,
                         const std::vector<Waypoint>& points, RowFormatter formatRow) {
    TextWriter writer(path, WriteMode::Atomic);
    if (!writer.isOpen()) {
        return false;
    }
    writeInstrumentLayout(writer, serialNumber, banner, columns);
    std::string row;
    for (const auto& point : points) {
        if (!point.comment.empty()) {
            writer.writeLine(point.comment);
        }
        row.clear();
        formatRow(row, point);
        writer.write(row);
    }
    writeInstrumentEnd(writer);
    return writer.close();
}

} // namespace zv
