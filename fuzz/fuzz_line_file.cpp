// Reads any bytes as a line file; every record must keep its field limits.
#include "app/null_user_interface.h"
#include "formats/text_file.h"
#include "formats/waypoint_converter.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    zv::NullUserInterface ui;
    zv::CWaypointConverter converter(ui, 1596);
    zv::TextReader reader =
        zv::TextReader::fromContent(std::string(reinterpret_cast<const char*>(data), size));
    converter.readLines(reader, "fuzz.lne");
    for (const auto& point : converter.zvWaypoints) {
        if (point.name.empty() || point.name.size() > zv::nameLimit ||
            point.unit.size() > zv::unitLimit) {
            __builtin_trap();
        }
    }
    return 0;
}
