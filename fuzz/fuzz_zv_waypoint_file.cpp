// Reads any bytes as an instrument waypoint file; every record must keep its field limits,
// and the OziExplorer writer must print it exactly as printf prints its columns.
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
    converter.readZvWaypoints(reader, "fuzz.wpt");
    for (const auto& point : converter.zvWaypoints) {
        if (point.name.size() > zv::nameLimit || point.id.size() > zv::idLimit ||
            point.sign.size() > zv::signLimit || point.unit.size() > zv::unitLimit ||
            point.name.empty()) {
            __builtin_trap();
        }
        std::string row;
        zv::appendOziWaypointRow(row, 1, point, false);
        if (row !=
            zv::test::cFormat("%4i,%-14s, %10.6f, %10.6f,33604.00000,%2d, 1, 4, %10d,%10d,"
                              "%2s%5i %-2s                              , 0, 0,    0, -777\n",
                              1, point.name.c_str(), point.latDecimal, point.lonDecimal,
                              point.symbol, point.fgColour, point.bgColour, point.id.c_str(),
                              point.altitude, point.unit.c_str())) {
            __builtin_trap();
        }
    }
    return 0;
}
