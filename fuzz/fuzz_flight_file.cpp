// Reads any bytes as a flight data file. Every point must keep the instrument's ranges (24
// bits with the sign rule, 16-bit altitude), and the track written of it must hold the
// point lines exactly as printf formats them, after the six lines of its head.
#include "base/null_user_interface.h"
#include "formats/flight_track.h"
#include "formats/text_file.h"
#include "support/c_format.h"

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
    // The point lines are formatted without printf; they must read as printf writes them.
    const std::string text = track.trackText();
    std::size_t position = 0;
    for (int line = 0; line < 6; ++line) {
        position = text.find('\n', position) + 1;
    }
    bool first = true;
    for (const auto& point : track.points) {
        const std::string expected = zv::test::cFormat(
            "%11.6f,%11.6f,%d,%4d\n", point.pointLatitude * (1.0 / 6000),
            point.pointLongitude * (1.0 / 6000), first ? 1 : 0, point.pointAltitude);
        if (text.compare(position, expected.size(), expected) != 0) {
            __builtin_trap();
        }
        position += expected.size();
        first = false;
    }
    if (position != text.size()) {
        __builtin_trap();
    }
    return 0;
}
