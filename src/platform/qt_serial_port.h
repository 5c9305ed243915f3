#pragma once

// The serial line through QSerialPort. COM1 and COM2 are the devices that
// serial_devices.h names; the device is looked up at every opening, so a changed
// profile or environment takes effect at the next exchange. The line stays in the raw
// mode of the exchanges after a close, so that between two exchanges nothing the
// instrument sends is echoed back to it or translated.

#include "base/serial_port.h"

#include <QSerialPort>
#include <QString>
#include <functional>

namespace zv {

class QtSerialPort : public SerialPort {
public:
    // deviceName maps port 0 or 1 to a device; by default serialDeviceName().
    explicit QtSerialPort(std::function<QString(int)> deviceName = {});
    ~QtSerialPort() override;

    bool open(int port, PortAccess access) override;
    PortOpenFailure openFailure() const override { return failure_; }
    void setReadTimeouts(int multiplierMs, int constantMs) override;
    std::size_t read(char* buffer, std::size_t n) override;
    bool write(const char* data, std::size_t n) override;
    void close() override;
    bool isOpen() const override { return port_.isOpen(); }

private:
    std::function<QString(int)> deviceName_;
    QSerialPort port_;
    PortOpenFailure failure_;
    int multiplierMs_ = 0;
    int constantMs_ = 0;
};

} // namespace zv
