// Reads any bytes as a flight data file. Every point must keep the instrument's ranges (24
// bits with the sign rule, 16-bit altitude), and the track written of it must hold one
// line per point after the six lines of its head.
#include "formats/flight_track.h"
#include "formats/text_file.h"
#include "null_user_interface.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    zv::NullUserInterface ui;
    zv::CFlightTrack track(ui);
    zv::TextReader reader =
        zv::TextReader::fromContent(std::string(reinterpret_cast<const char*>(data), size));
    if (!track.readFlight(reader, "fuzz.zvc")) {
        if (!track.points.empty()) {
            __builtin_trap();
        }
        return 0;
    }
    for (const auto& point : track.points) {
        if (point.pointLatitude < -0x7FFFFF || point.pointLatitude > 0x7FFFFF ||
            point.pointLongitude < -0x7FFFFF || point.pointLongitude > 0x7FFFFF ||
            point.pointAltitude < 0 || point.pointAltitude > 0xFFFF) {
            __builtin_trap();
        }
    }
    const std::string text = track.trackText();
    if (static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) !=
        6 + track.points.size()) {
        __builtin_trap();
    }
    return 0;
}
