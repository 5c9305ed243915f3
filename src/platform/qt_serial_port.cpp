#include "platform/qt_serial_port.h"

#include "platform/serial_devices.h"

#include <QDeadlineTimer>
#include <QFileInfo>

#ifdef __linux__
#include <cerrno>
#include <unistd.h>
#endif

namespace zv {

namespace {

// Whether the user lacks the permission to use the device (rather than the device
// being absent or busy): on Linux serial devices belong to the group dialout.
bool missingPermission(const QString& device) {
#ifdef __linux__
    const QByteArray path = QFile::encodeName(device);
    return ::access(path.constData(), R_OK | W_OK) != 0 && errno == EACCES;
#else
    Q_UNUSED(device);
    return false;
#endif
}

} // namespace

QtSerialPort::QtSerialPort(std::function<QString(int)> deviceName)
    : deviceName_(deviceName ? std::move(deviceName) : std::function<QString(int)>([](int port) {
          return serialDeviceName(port);
      })) {}

QtSerialPort::~QtSerialPort() {
    close();
}

bool QtSerialPort::open(int port, PortAccess access) {
    close();
    failureDetail_.clear();
    multiplierMs_ = 0;
    constantMs_ = 0;
    const QString device = deviceName_(port);
    port_.setPortName(device);
    // 9600 baud, 8 data bits, no parity, 1 stop bit; the flow control stays as QSerialPort
    // sets it by default. QSerialPort opens the device exclusively.
    port_.setBaudRate(QSerialPort::Baud9600);
    port_.setDataBits(QSerialPort::Data8);
    port_.setParity(QSerialPort::NoParity);
    port_.setStopBits(QSerialPort::OneStop);
    const auto mode = access == PortAccess::Read ? QIODevice::ReadOnly : QIODevice::ReadWrite;
    if (!port_.open(mode)) {
        if (missingPermission(device)) {
            failureDetail_ = "Keine Berechtigung für " + device.toStdString() +
                             ": der Benutzer muss in der Gruppe dialout sein.";
        }
        port_.clearError();
        return false;
    }
    return true;
}

void QtSerialPort::setReadTimeouts(int multiplierMs, int constantMs) {
    multiplierMs_ = multiplierMs;
    constantMs_ = constantMs;
}

std::size_t QtSerialPort::read(char* buffer, std::size_t n) {
    if (!port_.isOpen() || n == 0) {
        return 0;
    }
    // The total read time-out: the read ends when n bytes are there or when it has passed.
    const qint64 totalMs =
        static_cast<qint64>(multiplierMs_) * static_cast<qint64>(n) + constantMs_;
    const QDeadlineTimer deadline(totalMs);
    std::size_t count = 0;
    for (;;) {
        const qint64 got = port_.read(buffer + count, static_cast<qint64>(n - count));
        if (got < 0) {
            break; // a read error ends the read with what arrived
        }
        count += static_cast<std::size_t>(got);
        if (count >= n) {
            break;
        }
        const qint64 left = deadline.remainingTime();
        if (left <= 0) {
            break;
        }
        if (!port_.waitForReadyRead(static_cast<int>(left))) {
            if (port_.error() != QSerialPort::TimeoutError) {
                break;
            }
            port_.clearError();
        }
    }
    return count;
}

bool QtSerialPort::write(const char* data, std::size_t n) {
    if (!port_.isOpen()) {
        return false;
    }
    if (port_.write(data, static_cast<qint64>(n)) != static_cast<qint64>(n)) {
        return false;
    }
    // Without an event loop the bytes leave only while we wait for them; at 9600 baud
    // a byte takes about a millisecond.
    const QDeadlineTimer deadline(1000 + static_cast<qint64>(n) * 2);
    while (port_.bytesToWrite() > 0) {
        const qint64 left = deadline.remainingTime();
        if (left <= 0 || !port_.waitForBytesWritten(static_cast<int>(left))) {
            return false;
        }
    }
    return true;
}

void QtSerialPort::close() {
    if (port_.isOpen()) {
        port_.close();
    }
    port_.clearError();
}

} // namespace zv
