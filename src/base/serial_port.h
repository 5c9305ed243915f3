#pragma once

// The serial line to the instrument. The link opens a fresh port for every exchange, so
// one SerialPort object is opened and closed many times during a transfer.

#include <cstddef>
#include <string>

namespace zv {

enum class PortAccess { Read, ReadWrite };

// The port's name in every message: "COM1" for port 0, "COM2" for port 1.
std::string portName(int port);

// Why a port could not be opened: the device that stands for it on this computer and what
// the system said about it, in the user's words ("nicht vorhanden"). Both may be empty.
struct PortOpenFailure {
    std::string device; // for instance /dev/ttyUSB0
    std::string reason;
};

class SerialPort {
public:
    virtual ~SerialPort() = default;

    // Opens port 0 (COM1) or 1 (COM2) for exclusive use at 9600 baud, 8 data bits, no
    // parity, 1 stop bit. False when the port cannot be opened; openFailure() then names
    // the device and the reason.
    virtual bool open(int port, PortAccess access) = 0;
    virtual PortOpenFailure openFailure() const = 0;

    // The total read time-out of the next reads: a read of n bytes returns when n bytes
    // have arrived or when multiplierMs * n + constantMs have passed. A fresh opening
    // starts with both at 0, which returns what has already arrived.
    virtual void setReadTimeouts(int multiplierMs, int constantMs) = 0;

    // Reads up to n bytes within the total read time-out; returns how many arrived. A read
    // error delivers what arrived before it, which may be nothing.
    virtual std::size_t read(char* buffer, std::size_t n) = 0;

    // Writes all n bytes; false when the port could not send them.
    virtual bool write(const char* data, std::size_t n) = 0;

    // Closes the port; nothing happens when it is not open.
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
};

} // namespace zv
