// Reads any bytes as a line file; every record must keep its field limits, and the line
// writer must print it as printf prints its columns.
#include "base/null_user_interface.h"
#include "formats/point_rows.h"
#include "formats/text_file.h"
#include "formats/waypoint_converter.h"
#include "support/c_format.h"

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
        std::string row;
        zv::appendLineRow(row, point);
        if (row != zv::test::cFormat(
                       "%-14s%c  %2.0f %05.2f   %c  %2.0f %05.2f    %4i %-2s    %4i    %4i\n",
                       point.name.c_str(), point.latHemisphere, point.latDegrees, point.latMinutes,
                       point.lonHemisphere, point.lonDegrees, point.lonMinutes, point.altitude,
                       point.unit.c_str(), point.dir1, point.dir2)) {
            __builtin_trap();
        }
    }
    return 0;
}
