#include "platform/qt_serial_port.h"

#include "platform/serial_devices.h"

#include <QDeadlineTimer>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>
#endif

namespace zv {

namespace {

// Whether the user lacks the permission to use the device (rather than the device
// being absent or busy): on Linux serial devices belong to the group dialout.
bool missingPermission(const QString& device) {
#ifdef Q_OS_UNIX
    const QByteArray path = QFile::encodeName(device);
    return ::access(path.constData(), R_OK | W_OK) != 0 && errno == EACCES;
#else
    Q_UNUSED(device);
    return false;
#endif
}

// What the system said about a device that did not open, in the words of the message.
std::string openFailureReason(const QString& device, const QSerialPort& port) {
    const QFileInfo info(device);
    if (!info.exists()) {
        return "nicht vorhanden";
    }
    if (missingPermission(device)) {
        return "keine Berechtigung (der Benutzer muss in der Gruppe dialout sein)";
    }
#ifdef Q_OS_UNIX
    struct stat status {};
    if (::stat(QFile::encodeName(device).constData(), &status) == 0 && !S_ISCHR(status.st_mode)) {
        return "keine serielle Schnittstelle";
    }
#endif
    switch (port.error()) {
    case QSerialPort::DeviceNotFoundError:
        return "nicht vorhanden";
    case QSerialPort::PermissionError:
        return "belegt (von einem anderen Programm geöffnet)";
    default:
        break;
    }
    const std::string said = port.errorString().toStdString();
    return said.empty() ? std::string("konnte nicht geöffnet werden") : said;
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
    failure_ = {};
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
        failure_ = {device.toStdString(), openFailureReason(device, port_)};
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
    if (!port_.isOpen()) {
        port_.clearError();
        return;
    }
#ifdef Q_OS_UNIX
    // QSerialPort puts back the settings the device had before it was opened (Qt 6 has no
    // switch against it), and a device fresh from boot is in cooked mode: it would echo
    // what the instrument sends between two exchanges and turn CR into LF. A second
    // descriptor of the same opening keeps the device open across QSerialPort's close;
    // through it the raw settings of the exchange go back at once, before the device is
    // really closed. The next opening then finds the device raw, and QSerialPort itself
    // puts back raw settings from then on.
    const int keep = port_.handle() >= 0 ? ::dup(static_cast<int>(port_.handle())) : -1;
    termios raw{};
    const bool haveRaw = keep >= 0 && ::tcgetattr(keep, &raw) == 0;
    port_.close();
    if (keep >= 0) {
        if (haveRaw) {
            ::tcsetattr(keep, TCSANOW, &raw);
        }
        ::close(keep);
    }
#else
    port_.close();
#endif
    port_.clearError();
}

} // namespace zv
