// Reads any bytes as a lift file in each of the four modes; every record must keep its
// field limits, and the lift writer must print what it read as printf prints its columns.
#include "base/null_user_interface.h"
#include "formats/point_rows.h"
#include "formats/text_file.h"
#include "formats/waypoint_converter.h"
#include "support/c_format.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

void checkLimits(const zv::Waypoint& lift) {
    if (lift.name.size() > zv::nameLimit || lift.id.size() > zv::idLimit ||
        lift.unit.size() > zv::unitLimit || lift.climbUnit.size() > zv::unitLimit ||
        lift.windSpeedUnit.size() > zv::unitLimit || lift.name.empty()) {
        __builtin_trap();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string content(reinterpret_cast<const char*>(data), size);
    for (const auto mode : {zv::LiftReadMode::Map, zv::LiftReadMode::Upload, zv::LiftReadMode::Raw,
                            zv::LiftReadMode::Extract}) {
        zv::NullUserInterface ui;
        zv::CWaypointConverter converter(ui, 1596);
        converter.mode = mode;
        converter.setBounds(-90, 90, -180, 180);
        converter.setWindWindow(true, 0, 200);
        zv::TextReader reader = zv::TextReader::fromContent(content);
        converter.readLifts(reader, "fuzz.lft");
        for (const auto& lift : converter.zvWaypoints) {
            checkLimits(lift);
            if (lift.latSeconds != 0 && mode != zv::LiftReadMode::Map &&
                mode != zv::LiftReadMode::Upload) {
                __builtin_trap(); // Raw and Extract fold the seconds into the minutes
            }
            // The lift writer prints it as printf prints its columns.
            std::string row;
            zv::appendLiftRow(row, lift);
            if (row != zv::test::cFormat("%-10s%c  %2.0f %05.2f   %c  %2.0f %05.2f    %4i %-2s    "
                                         "%3.1f %-4s    %03i   %3i %-3s\n",
                                         lift.name.c_str(), lift.latHemisphere, lift.latDegrees,
                                         lift.latMinutes, lift.lonHemisphere, lift.lonDegrees,
                                         lift.lonMinutes, lift.altitude, lift.unit.c_str(),
                                         lift.climb, lift.climbUnit.c_str(), lift.windDir,
                                         lift.windSpeed, lift.windSpeedUnit.c_str())) {
                __builtin_trap();
            }
        }
    }
    return 0;
}
