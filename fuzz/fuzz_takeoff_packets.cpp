// Decodes any bytes, 31 at a time, as received takeoff-site packets; every site must
// keep its field limits and a position the takeoff writer prints as printf prints it.
#include "base/null_user_interface.h"
#include "formats/point_rows.h"
#include "formats/text_file.h"
#include "link/packet_payloads.h"
#include "support/c_format.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <deque>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::deque<zv::TransferPacket> packets;
    for (std::size_t at = 0; at < size; at += zv::TransferPacket::size) {
        zv::TransferPacket packet;
        std::memcpy(packet.bytes.data(), data + at, std::min(zv::TransferPacket::size, size - at));
        packets.push_back(packet);
    }
    zv::NullUserInterface ui;
    zv::WaypointList sites;
    zv::decodeTakeoffSites(packets, sites, ui);
    if (!packets.empty()) {
        __builtin_trap();
    }
    for (const auto& site : sites) {
        // 24 bits of 1/6000 degree reach 1398 degrees at most.
        if (site.name.size() > 11 || site.altitude < 0 || site.altitude > 65535 ||
            !(site.latDegrees >= 0 && site.latDegrees <= 1398) ||
            !(site.latMinutes >= 0 && site.latMinutes < 60) ||
            !(site.lonDegrees >= 0 && site.lonDegrees <= 1398) ||
            !(site.lonMinutes >= 0 && site.lonMinutes < 60)) {
            __builtin_trap();
        }
        std::string row;
        zv::appendZvWaypointRow(row, site, "ST", "   o  ");
        if (row.size() < 67 ||
            row != zv::test::cFormat(
                       "%-14s%2s%6s     %c  %2.0f %05.2f    %c  %2.0f %05.2f      %4d %-2s\n",
                       site.name.c_str(), "ST", "   o  ", site.latHemisphere, site.latDegrees,
                       site.latMinutes, site.lonHemisphere, site.lonDegrees, site.lonMinutes,
                       site.altitude, site.unit.c_str())) {
            __builtin_trap();
        }
    }
    return 0;
}
