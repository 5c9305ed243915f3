#pragma once

// One transfer with the instrument: the text download and the packet protocol, with the
// port choice, the packet list and the progress window shown through the UserInterface.

#include "base/serial_port.h"

#include <array>
#include <cstdint>
#include <deque>
#include <filesystem>

namespace zv {

class UserInterface;

// The 31-byte packet of the packet protocol:
//   0-1 "@@", 2-3 kind letters ("WP" or "LI"), 4 record type, 5-27 payload,
//   28 checksum (exclusive-or of bytes 2 to 27), 29 CR, 30 LF.
struct TransferPacket {
    static constexpr std::size_t size = 31;
    static constexpr std::size_t checksumIndex = 28;
    std::array<std::uint8_t, size> bytes{};

    const char* data() const { return reinterpret_cast<const char*>(bytes.data()); }
    char* data() { return reinterpret_cast<char*>(bytes.data()); }
};
static_assert(sizeof(TransferPacket) == TransferPacket::size,
              "a packet goes over the line byte for byte as it is held");

// Exclusive-or of bytes 2 to 27 ("@@" is not included).
std::uint8_t packetChecksum(const TransferPacket& packet);

class CInstrumentLink {
public:
    // port: 0 = COM1, 1 = COM2.
    CInstrumentLink(SerialPort& serial, UserInterface& ui, int port = 0);

    void setPort(int port) { port_ = port; }
    int port() const { return port_; }

    // The text download into the file at target. True when the line with "@EOF" arrived;
    // false when the file could not be created or written, the port could not be opened,
    // or the instrument fell silent before the end marker. The target is replaced only
    // when the first data arrive; until then an existing file stays as it was.
    bool receiveText(const std::filesystem::path& target);
    // True after a text download that ended because no more data arrived.
    bool wasAborted() const { return aborted_; }
    // True after a text download that ended before any data arrived and left the file
    // that was there before as it was (there is nothing received to show).
    bool keptOldFile() const { return keptOldFile_; }

    // Sends every packet of the list in order, each until it is acknowledged with "@@OK"
    // (three attempts). Acknowledged packets leave the list. False when the list was
    // empty, the port could not be opened or a packet was not acknowledged.
    bool sendPackets();
    // Receives packets until the end packet "@EOF" or until the instrument falls silent,
    // acknowledging and appending each packet with a right checksum. False when the port
    // could not be opened or a packet stayed faulty after three reads.
    bool receivePackets();

    std::deque<TransferPacket>& packets() { return packets_; }
    const std::deque<TransferPacket>& packets() const { return packets_; }

private:
    bool openPort(PortAccess access);

    SerialPort& serial_;
    UserInterface& ui_;
    std::deque<TransferPacket> packets_;
    int port_ = 0;
    bool aborted_ = false;
    bool keptOldFile_ = false;
};

} // namespace zv
