#pragma once

// Packets and scripts shared by the link tests.

#include "link/instrument_link.h"

#include <string>

namespace zv::test {

// A packet of the given kind ("WP" or "LI") with a payload made from seed, a right
// checksum and CR LF.
inline TransferPacket makePacket(const char* kind, int seed) {
    TransferPacket packet;
    packet.bytes[0] = '@';
    packet.bytes[1] = '@';
    packet.bytes[2] = static_cast<std::uint8_t>(kind[0]);
    packet.bytes[3] = static_cast<std::uint8_t>(kind[1]);
    packet.bytes[4] = kind[0] == 'W' ? 1 : 6;
    for (std::size_t i = 5; i < TransferPacket::checksumIndex; ++i) {
        packet.bytes[i] = static_cast<std::uint8_t>(seed * 37 + static_cast<int>(i) * 11);
    }
    packet.bytes[TransferPacket::checksumIndex] = packetChecksum(packet);
    packet.bytes[29] = 13;
    packet.bytes[30] = 10;
    return packet;
}

inline std::string bytesOf(const TransferPacket& packet) {
    return std::string(packet.data(), TransferPacket::size);
}

inline std::string withWrongChecksum(const TransferPacket& packet) {
    std::string bytes = bytesOf(packet);
    bytes[TransferPacket::checksumIndex] =
        static_cast<char>(bytes[TransferPacket::checksumIndex] ^ 0x5A);
    return bytes;
}

inline std::string endPacket() {
    return std::string("@EOF") + std::string(27, '\0');
}

} // namespace zv::test
