#include "platform/serial_devices.h"

#include <QSerialPortInfo>

namespace zv {

namespace {

QString key(int port) {
    return port == 1 ? QStringLiteral("Ports/COM2") : QStringLiteral("Ports/COM1");
}

QString defaultDevice(int port) {
    return port == 1 ? QStringLiteral("/dev/ttyS1") : QStringLiteral("/dev/ttyS0");
}

const char* environmentName(int port) {
    return port == 1 ? "ZV_COM2" : "ZV_COM1";
}

// The per-user profile of zv, under its own names whether or not the front end has set
// an organization and application name.
QSettings userProfile() {
    return QSettings(QSettings::NativeFormat, QSettings::UserScope,
                     QStringLiteral("Local AppWizard-Generated Applications"),
                     QStringLiteral("zv"));
}

} // namespace

QString serialDeviceName(int port, QSettings& profile) {
    const QString fromEnvironment = qEnvironmentVariable(environmentName(port));
    if (!fromEnvironment.isEmpty()) {
        return fromEnvironment;
    }
    return profileSerialDevice(port, profile);
}

QString serialDeviceName(int port) {
    QSettings profile = userProfile();
    return serialDeviceName(port, profile);
}

QString profileSerialDevice(int port, QSettings& profile) {
    const QString stored = profile.value(key(port)).toString();
    return stored.isEmpty() ? defaultDevice(port) : stored;
}

QString profileSerialDevice(int port) {
    QSettings profile = userProfile();
    return profileSerialDevice(port, profile);
}

void setProfileSerialDevice(int port, const QString& device, QSettings& profile) {
    profile.setValue(key(port), device);
}

void setProfileSerialDevice(int port, const QString& device) {
    QSettings profile = userProfile();
    setProfileSerialDevice(port, device, profile);
}

QStringList presentSerialDevices() {
    QStringList devices;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        devices << info.systemLocation();
    }
    devices.sort();
    return devices;
}

} // namespace zv
