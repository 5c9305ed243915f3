#pragma once

// Which serial device stands for COM1 and COM2: the per-user profile section "Ports"
// (keys COM1 and COM2, by default /dev/ttyS0 and /dev/ttyS1), overridden by the
// environment variables ZV_COM1 and ZV_COM2 when they are set.

#include <QSettings>
#include <QString>
#include <QStringList>

namespace zv {

// The device zv opens for port 0 (COM1) or 1 (COM2).
QString serialDeviceName(int port);
QString serialDeviceName(int port, QSettings& profile);

// The device stored in the profile, or the default when none is stored.
QString profileSerialDevice(int port);
QString profileSerialDevice(int port, QSettings& profile);
void setProfileSerialDevice(int port, const QString& device);
void setProfileSerialDevice(int port, const QString& device, QSettings& profile);

// The serial devices present on this computer (for instance /dev/ttyUSB0), for the
// settings page to offer.
QStringList presentSerialDevices();

} // namespace zv
