// Reads any bytes as an OziExplorer waypoint file; every record must keep its field limits
// and come out in the instrument's text form, printed exactly as printf prints its columns.
#include "base/null_user_interface.h"
#include "formats/point_rows.h"
#include "formats/text_fields.h"
#include "formats/text_file.h"
#include "formats/waypoint_converter.h"
#include "support/c_format.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    zv::NullUserInterface ui;
    zv::CWaypointConverter converter(ui, 1596);
    zv::TextReader reader =
        zv::TextReader::fromContent(std::string(reinterpret_cast<const char*>(data), size));
    converter.readOziWaypoints(reader, "fuzz.wpt");
    for (const auto& point : converter.oziWaypoints) {
        if (point.name.size() > zv::nameLimit || point.id.size() > zv::idLimit ||
            point.sign.size() != zv::signLimit || point.unit.size() > zv::unitLimit ||
            point.climbUnit.size() > zv::unitLimit) {
            __builtin_trap();
        }
        if ((point.latHemisphere != 'N' && point.latHemisphere != 'S') ||
            (point.lonHemisphere != 'E' && point.lonHemisphere != 'W') ||
            std::signbit(point.latDegrees) || std::signbit(point.lonDegrees) ||
            std::signbit(point.latMinutes) || std::signbit(point.lonMinutes)) {
            __builtin_trap();
        }
        std::string row;
        zv::appendZvWaypointRow(row, point, point.id, point.sign);
        if (row != zv::test::cFormat(
                       "%-14s%2s%6s     %c  %2.0f %05.2f    %c  %2.0f %05.2f      %4d %-2s\n",
                       point.name.c_str(), point.id.c_str(), point.sign.c_str(),
                       point.latHemisphere, point.latDegrees, point.latMinutes, point.lonHemisphere,
                       point.lonDegrees, point.lonMinutes, point.altitude, point.unit.c_str())) {
            __builtin_trap();
        }
        // The coordinate columns: no "-", not even "-0".
        std::string columns;
        for (const float number :
             {point.latDegrees, point.latMinutes, point.lonDegrees, point.lonMinutes}) {
            zv::appendFixed(columns, number, 2);
        }
        if (columns.find('-') != std::string::npos) {
            __builtin_trap();
        }
    }
    return 0;
}
