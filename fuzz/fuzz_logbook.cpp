// Fuzz target of the logbook reader. Besides not crashing, a logbook that reads without
// fault must read again, flight for flight, after it was sorted and written, and the
// sorted list must be in takeoff order.
#include "base/null_user_interface.h"
#include "formats/text_file.h"
#include "logbook/logbook.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    zv::NullUserInterface ui;
    zv::CLogbook logbook(zv::CLogbook::serialText(1596));
    zv::TextReader reader =
        zv::TextReader::fromContent(std::string(reinterpret_cast<const char*>(data), size));
    const bool whole = logbook.readLogbook(reader, ui);

    logbook.sortByTakeoff();
    if (!std::is_sorted(logbook.flights().begin(), logbook.flights().end(), zv::isEarlier)) {
        std::abort();
    }
    logbook.removeDuplicates();
    logbook.renumber(1);
    const std::string written = logbook.logbookText(3);
    if (whole) {
        std::string bytes;
        for (const char c : written) {
            if (c == '\n') {
                bytes += '\r';
            }
            bytes += c;
        }
        zv::CLogbook again(zv::CLogbook::serialText(1596));
        zv::TextReader rewritten = zv::TextReader::fromContent(bytes);
        if (!again.readLogbook(rewritten, ui) ||
            again.flights().size() != logbook.flights().size()) {
            std::abort();
        }
    }
    return 0;
}
