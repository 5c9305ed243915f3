#include "formats/instrument_text.h"

#include "formats/text_file.h"

namespace zv {

void writeInstrumentHeader(TextWriter& writer, int serialNumber) {
    writer.write("\n");
    writer.print(";   KARVELON VUVEZ * ZIRROVA No. %5i\n", serialNumber);
}

std::string headerMessage(const std::string& path) {
    return "Format der Datei " + path + " unzulässig?\n" + "Bitte überprüfen!";
}

std::string rowMessage(const std::string& path) {
    return "Zeile in Datei " + path + " konnte nicht\n" +
           "richtig interpretiert werden. Bitte überprüfen!";
}

std::string cannotOpenMessage(const std::string& path) {
    return "Die Datei " + path + "\nkonnte nicht geöffnet werden. Bitte Pfad + Namen überprüfen!";
}

bool isNameCharacter(char byte) {
    const auto c = static_cast<unsigned char>(byte);
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) {
        return true;
    }
    return std::string_view(" _-./!\xB0>:\xDC\xD6\xC4\xE4\xF6\xFC\xDF").find(byte) !=
           std::string_view::npos;
}

} // namespace zv
