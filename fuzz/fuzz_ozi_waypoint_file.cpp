// Reads any bytes as an OziExplorer waypoint file; every record must keep its field limits
// and come out in the instrument's text form.
#include "app/null_user_interface.h"
#include "formats/text_file.h"
#include "formats/waypoint_converter.h"

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
            (point.lonHemisphere != 'E' && point.lonHemisphere != 'W') || std::signbit(point.lat) ||
            std::signbit(point.lon) || std::signbit(point.latMin) || std::signbit(point.lonMin)) {
            __builtin_trap();
        }
        // The coordinate columns the instrument writer prints: no "-", not even "-0".
        const std::string columns = zv::formatText("%2.0f %05.2f %2.0f %05.2f", point.lat,
                                                   point.latMin, point.lon, point.lonMin);
        if (columns.find('-') != std::string::npos) {
            __builtin_trap();
        }
    }
    return 0;
}
