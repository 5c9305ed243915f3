// Reads any bytes with readCupPoints; every point must become an instrument waypoint that
// zv's own reader reads back unchanged (see foreign_points_check.h).
#include "foreign_points_check.h"
#include "formats/cup_file.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    zv::fuzz::checkForeignPoints(
        zv::readCupPoints(std::string_view(reinterpret_cast<const char*>(data), size)));
    return 0;
}
