// The QSerialPort adapter against zv-sim on a pseudo-terminal: the link's exchanges
// through the real serial code, with zv-sim as the instrument.

#include "link/instrument_link.h"
#include "platform/qt_serial_port.h"
#include "platform/serial_devices.h"
#include "support/scripted_user_interface.h"
#include "support/test_files.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

namespace {

using zv::test::ScriptedUserInterface;

zv::TransferPacket handMadePacket(std::uint8_t seed) {
    zv::TransferPacket packet;
    const char head[] = {'@', '@', 'W', 'P', 1};
    std::copy(std::begin(head), std::end(head), packet.data());
    for (std::size_t i = 5; i < zv::TransferPacket::checksumIndex; ++i) {
        packet.bytes[i] = static_cast<std::uint8_t>(seed + i);
    }
    packet.bytes[zv::TransferPacket::checksumIndex] = zv::packetChecksum(packet);
    packet.bytes[29] = 13;
    packet.bytes[30] = 10;
    return packet;
}

QString hexOf(const zv::TransferPacket& packet) {
    return QString::fromLatin1(
        QByteArray(packet.data(), zv::TransferPacket::size).toHex().toUpper());
}

QString simProgram() {
    const QString bin = qEnvironmentVariable("ZV_BIN", QCoreApplication::applicationDirPath());
    return bin + QStringLiteral("/zv-sim");
}

// Starts zv-sim and returns its slave device, or an empty text.
QString startSim(QProcess& sim, const QStringList& arguments) {
    sim.start(simProgram(), arguments);
    if (!sim.waitForStarted(5000)) {
        return {};
    }
    while (!sim.canReadLine()) {
        if (!sim.waitForReadyRead(5000)) {
            return {};
        }
    }
    return QString::fromLocal8Bit(sim.readLine()).trimmed();
}

} // namespace

class SerialAdapterTest : public QObject {
    Q_OBJECT

private slots:
    void sendPacketsUntilAcknowledged_data() {
        QTest::addColumn<QStringList>("fault");
        // Each packet is acknowledged only at its third attempt.
        QTest::newRow("no-ack 2") << QStringList{QStringLiteral("--no-ack"), QStringLiteral("2")};
        // The second packet's first acknowledgement arrives damaged.
        QTest::newRow("corrupt 2") << QStringList{QStringLiteral("--corrupt"), QStringLiteral("2")};
    }

    void sendPacketsUntilAcknowledged() {
        QFETCH(QStringList, fault);
        QTemporaryDir dir;
        const QString out = dir.filePath(QStringLiteral("packets.txt"));
        QProcess sim;
        const QString device =
            startSim(sim, fault + QStringList{QStringLiteral("--packets"), QStringLiteral("2"),
                                              QStringLiteral("receive-packets"), out});
        QVERIFY2(!device.isEmpty(), qPrintable(sim.errorString()));
        qputenv("ZV_COM1", device.toLocal8Bit());

        zv::QtSerialPort serial;
        ScriptedUserInterface ui;
        zv::CInstrumentLink link(serial, ui, 0);
        const zv::TransferPacket first = handMadePacket(1);
        const zv::TransferPacket second = handMadePacket(40);
        link.packets() = {first, second};

        QVERIFY(link.sendPackets());
        QVERIFY(ui.messages.empty());
        QVERIFY(link.packets().empty());
        QVERIFY(!serial.isOpen());
        QVERIFY(sim.waitForFinished(10000));
        QCOMPARE(sim.exitCode(), 0);
        // Each packet was taken once.
        QCOMPARE(QString::fromStdString(zv::test::readBytes(out.toStdString())),
                 hexOf(first) + "\n" + hexOf(second) + "\n");
    }

    void textDownloadThroughThePseudoTerminal() {
        QTemporaryDir dir;
        using namespace std::string_literals;
        const std::string sent = "\r\n;   KARVELON VUVEZ * ZIRROVA No.  1596\r\n"s +
                                 "\xB0\xC4 line with high bytes and a NUL \0 inside\r\n"s +
                                 "       0          14:00       14:23       00:23\r\n@EOF\r\n"s;
        const std::string sentFile = dir.filePath(QStringLiteral("sent.log")).toStdString();
        zv::test::writeBytes(sentFile, sent);
        QProcess sim;
        const QString device =
            startSim(sim, {QStringLiteral("send-text"), QString::fromStdString(sentFile)});
        QVERIFY(!device.isEmpty());
        qputenv("ZV_COM2", device.toLocal8Bit());

        zv::QtSerialPort serial;
        ScriptedUserInterface ui;
        zv::CInstrumentLink link(serial, ui, 1);
        const std::string received = dir.filePath(QStringLiteral("in.log")).toStdString();
        QVERIFY(link.receiveText(received));
        QVERIFY(ui.messages.empty());
        QCOMPARE(zv::test::readBytes(received), sent);
        QVERIFY(sim.waitForFinished(10000));
        QCOMPARE(sim.exitCode(), 0);
    }

    void deviceNamesFromProfileAndEnvironment() {
        QTemporaryDir dir;
        QSettings profile(dir.filePath(QStringLiteral("profile.ini")), QSettings::IniFormat);
        qunsetenv("ZV_COM1");
        qunsetenv("ZV_COM2");
        QCOMPARE(zv::serialDeviceName(0, profile), QStringLiteral("/dev/ttyS0"));
        QCOMPARE(zv::serialDeviceName(1, profile), QStringLiteral("/dev/ttyS1"));
        zv::setProfileSerialDevice(1, QStringLiteral("/dev/ttyUSB0"), profile);
        QCOMPARE(profile.value(QStringLiteral("Ports/COM2")).toString(),
                 QStringLiteral("/dev/ttyUSB0"));
        QCOMPARE(zv::serialDeviceName(0, profile), QStringLiteral("/dev/ttyS0"));
        QCOMPARE(zv::serialDeviceName(1, profile), QStringLiteral("/dev/ttyUSB0"));
        qputenv("ZV_COM2", "/tmp/zirrova");
        QCOMPARE(zv::serialDeviceName(1, profile), QStringLiteral("/tmp/zirrova"));
        QCOMPARE(zv::profileSerialDevice(1, profile), QStringLiteral("/dev/ttyUSB0"));
        qunsetenv("ZV_COM2");
    }

    void portMessageNamesTheDeviceAndTheReason_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("reason");
        QTest::newRow("missing") << "missing"
                                 << "nicht vorhanden";
        QTest::newRow("regular file") << "file"
                                      << "keine serielle Schnittstelle";
        QTest::newRow("no permission")
            << "unreadable"
            << "keine Berechtigung (der Benutzer muss in der Gruppe dialout sein)";
    }

    void portMessageNamesTheDeviceAndTheReason() {
        QFETCH(QString, kind);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        const QString device = dir.filePath(QStringLiteral("ttyUSB0"));
        if (kind != QStringLiteral("missing")) {
            zv::test::writeBytes(device.toStdString(), "");
        }
        if (kind == QStringLiteral("unreadable")) {
            QFile::setPermissions(device, QFileDevice::Permissions());
            if (QFileInfo(device).isReadable()) {
                QSKIP("the user may read any file");
            }
        }
        zv::QtSerialPort serial([&](int) { return device; });
        ScriptedUserInterface ui;
        zv::CInstrumentLink link(serial, ui, 1);
        link.packets() = {handMadePacket(1)};
        QVERIFY(!link.sendPackets());
        QCOMPARE(ui.texts(),
                 std::vector<std::string>{"COM2 ist nicht verfügbar\nWählen Sie einen anderen "
                                          "Port.\nGerät " +
                                          device.toStdString() + ": " + reason.toStdString()});
    }

    void theLineStaysRawAfterAnExchange() {
        // A terminal in the cooked mode of a device fresh from boot: echo, lines, CR -> LF.
        int master = -1;
        int slave = -1;
        char name[256] = {};
        QVERIFY(::openpty(&master, &slave, name, nullptr, nullptr) == 0);
        termios cooked{};
        QVERIFY(::tcgetattr(slave, &cooked) == 0);
        QVERIFY((cooked.c_lflag & ECHO) != 0);
        zv::QtSerialPort serial([&](int) { return QString::fromLocal8Bit(name); });
        for (int exchange = 0; exchange < 2; ++exchange) {
            QVERIFY(serial.open(0, zv::PortAccess::ReadWrite));
            serial.close();
            termios after{};
            QVERIFY(::tcgetattr(slave, &after) == 0);
            QVERIFY2((after.c_lflag & (ECHO | ICANON | ISIG)) == 0, "cooked after the close");
            QVERIFY((after.c_iflag & (ICRNL | IXON)) == 0);
            QCOMPARE(cfgetispeed(&after), static_cast<speed_t>(B9600));
        }
        ::close(slave);
        ::close(master);
    }
};

QTEST_GUILESS_MAIN(SerialAdapterTest)
#include "serial_adapter_test.moc"
