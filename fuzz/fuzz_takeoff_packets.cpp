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
            !(site.lat >= 0 && site.lat <= 1398) || !(site.latMin >= 0 && site.latMin < 60) ||
            !(site.lon >= 0 && site.lon <= 1398) || !(site.lonMin >= 0 && site.lonMin < 60)) {
            __builtin_trap();
        }
        std::string row;
        zv::appendZvWaypointRow(row, site, "ST", "   o  ");
        if (row.size() < 67 ||
            row != zv::test::cFormat(
                       "%-14s%2s%6s     %c  %2.0f %05.2f    %c  %2.0f %05.2f      %4d %-2s\n",
                       site.name.c_str(), "ST", "   o  ", site.latHemisphere, site.lat, site.latMin,
                       site.lonHemisphere, site.lon, site.lonMin, site.altitude,
                       site.unit.c_str())) {
            __builtin_trap();
        }
    }
    return 0;
}
