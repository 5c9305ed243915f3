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

} // namespace zv
