#include "link/instrument_link.h"

#include "base/user_interface.h"
#include "formats/precious_files.h"
#include "formats/text_file.h"

#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

namespace zv {

namespace {

// The user has 10 s to start the transfer at the instrument; after the first read the
// stream must not pause for longer than 100 ms until the end marker.
constexpr int firstDataTimeoutMs = 10000;
constexpr int streamTimeoutMs = 100;
constexpr std::size_t textReadSize = 100;

// Packet exchanges wait 100 ms per byte: 3.1 s for a packet, 0.5 s for a reply.
constexpr int packetByteTimeoutMs = 100;
constexpr int attemptsPerPacket = 3;
// The reply is read with five bytes although the acknowledgement has four.
constexpr std::size_t replyReadSize = 5;
constexpr std::string_view acknowledgement = "@@OK";

const char* const abortedMessage = "Die Übertragung wurde abgebrochen\n";
const char* const sendFailedMessage =
    "Fehler bei der Datenübertragung\nWar der Zirrova empfangsbereit?\n"
    "Versuchen sie es noch einmal!";
const char* const receiveFailedMessage =
    "Fehler bei der Datenübertragung\nNicht so schnell die Sendetaste drücken!\n"
    "Versuchen Sie es noch einmal!";

// Closes the progress window on every way out of a transfer.
class ProgressWindow {
public:
    ProgressWindow(UserInterface& ui, const std::string& first, const std::string& second)
        : ui_(ui) {
        ui_.progressShow(first, second);
    }
    ~ProgressWindow() { ui_.progressClose(); }
    ProgressWindow(const ProgressWindow&) = delete;
    ProgressWindow& operator=(const ProgressWindow&) = delete;

private:
    UserInterface& ui_;
};

// The port is closed again on every way out of an exchange.
class OpenPort {
public:
    explicit OpenPort(SerialPort& serial) : serial_(serial) {}
    ~OpenPort() { serial_.close(); }
    OpenPort(const OpenPort&) = delete;
    OpenPort& operator=(const OpenPort&) = delete;

private:
    SerialPort& serial_;
};

bool isEndPacket(const TransferPacket& packet) {
    // The end packet read as a zero-terminated text is "@EOF".
    return std::memcmp(packet.data(), "@EOF", 5) == 0;
}

} // namespace

std::string portName(int port) {
    return port == 1 ? "COM2" : "COM1";
}

std::uint8_t packetChecksum(const TransferPacket& packet) {
    std::uint8_t sum = 0;
    for (std::size_t i = 2; i < TransferPacket::checksumIndex; ++i) {
        sum ^= packet.bytes[i];
    }
    return sum;
}

CInstrumentLink::CInstrumentLink(SerialPort& serial, UserInterface& ui, int port)
    : serial_(serial), ui_(ui), port_(port) {}

bool CInstrumentLink::openPort(PortAccess access) {
    if (serial_.open(port_, access)) {
        return true;
    }
    std::string text = portName(port_) + " ist nicht verfügbar\nWählen Sie einen anderen Port.\n";
    // Which device COM1 or COM2 stands for here, and why it did not open.
    const PortOpenFailure failure = serial_.openFailure();
    if (!failure.device.empty()) {
        text +=
            "Gerät " + failure.device + ": " +
            (failure.reason.empty() ? std::string("konnte nicht geöffnet werden") : failure.reason);
    }
    ui_.message(text, Icon::Information);
    return false;
}

bool CInstrumentLink::receiveText(const std::filesystem::path& target) {
    aborted_ = false;
    keptOldFile_ = false;
    // Nothing on disk changes before the first byte has arrived: the lines go into a
    // temporary file beside the target, which takes the target's place with the first
    // data. A port that cannot be opened, or an instrument that stays silent, leaves an
    // existing file as it was.
    std::error_code error;
    const bool existed = std::filesystem::exists(target, error);
    std::optional<TextWriter> file(std::in_place, target, WriteMode::Atomic);
    if (!file->isOpen()) {
        // Nothing may be received into a file that is not open.
        ui_.message(file->targetWriteProtected()
                        ? writeProtectedMessage(target.string())
                        : "Die Datei " + target.string() + "\nkonnte nicht geöffnet werden!",
                    Icon::Stop);
        return false;
    }
    const auto writeFailed = [&] {
        ui_.message("Die Datei " + target.string() + "\nkonnte nicht geschrieben werden!",
                    Icon::Stop);
        return false;
    };

    OpenPort closer(serial_);
    if (!openPort(PortAccess::Read)) {
        return false;
    }
    serial_.setReadTimeouts(0, firstDataTimeoutMs);

    ProgressWindow window(ui_, "Das Programm ist empfangsbereit!",
                          "Bitte starten Sie die Übertragung am Zirrova");
    ui_.progressSetStep(1);
    ui_.progressSetRange(100);
    ui_.progressAdvance();
    ui_.progressSetSecondText("Der Timer endet in 10 sec");

    std::string line;
    bool endMarker = false;
    bool firstRead = true;
    bool firstData = true;
    char buffer[textReadSize];
    while (!endMarker) {
        const std::size_t count = serial_.read(buffer, sizeof buffer);
        if (firstRead) {
            serial_.setReadTimeouts(0, streamTimeoutMs);
            firstRead = false;
        }
        // Judged by the count: a NUL byte from the line is data like any other byte.
        if (count == 0) {
            bool written = true;
            if (firstData && existed) {
                // Silent from the start: the old file stays as it was.
                file.reset();
                keptOldFile_ = true;
            } else {
                // What arrived stays; a new target exists afterwards, possibly empty.
                written = file->close();
            }
            serial_.close();
            if (!written) {
                return writeFailed();
            }
            ui_.message(abortedMessage, Icon::Information);
            aborted_ = true;
            return false;
        }
        if (firstData) {
            firstData = false;
            if (!file->replaceTargetNow()) {
                file->close();
                serial_.close();
                return writeFailed();
            }
        }
        ui_.progressSetSecondText("Daten werden empfangen");
        ui_.progressAdvance();
        for (std::size_t i = 0; i < count; ++i) {
            const char byte = buffer[i];
            if (byte == '\r') {
                continue;
            }
            line.push_back(byte);
            if (byte == '\n') {
                // The writer turns the line feed into CR LF, as every instrument file has.
                file->write(line);
                if (file->failed()) {
                    // No line may follow one that is missing.
                    file->close();
                    serial_.close();
                    return writeFailed();
                }
                if (line.find("@EOF") != std::string::npos) {
                    endMarker = true;
                    break;
                }
                line.clear();
            }
        }
    }
    // Bytes after the last line feed are not written.
    const bool written = file->close();
    serial_.close();
    if (!written) {
        return writeFailed();
    }
    return true;
}

bool CInstrumentLink::sendPackets() {
    if (packets_.empty()) {
        return false;
    }
    ProgressWindow window(ui_, "Daten werden übertragen", "");
    ui_.progressSetStep(1);
    ui_.progressSetRange(static_cast<int>(packets_.size()));

    while (!packets_.empty()) {
        const TransferPacket& packet = packets_.front();
        bool acknowledged = false;
        for (int attempt = 1; attempt <= attemptsPerPacket && !acknowledged; ++attempt) {
            OpenPort closer(serial_);
            if (!openPort(PortAccess::ReadWrite)) {
                return false;
            }
            serial_.setReadTimeouts(packetByteTimeoutMs, 0);
            char reply[replyReadSize] = {};
            std::size_t count = 0;
            // A packet that could not be written is not waited for: it is sent again.
            if (serial_.write(packet.data(), TransferPacket::size)) {
                count = serial_.read(reply, sizeof reply);
            }
            serial_.close();
            // Only the first four bytes count; the fifth may be anything.
            acknowledged = count >= acknowledgement.size() &&
                           std::string_view(reply, acknowledgement.size()) == acknowledgement;
        }
        if (!acknowledged) {
            ui_.message(sendFailedMessage, Icon::Question);
            return false;
        }
        packets_.pop_front();
        ui_.progressAdvance();
    }
    return true;
}

bool CInstrumentLink::receivePackets() {
    ProgressWindow window(ui_, "Das Programm ist empfangsbereit!",
                          "Bitte starten Sie die Übertragung am Zirrova");
    ui_.progressSetStep(10);
    ui_.progressSetRange(100);

    for (;;) {
        OpenPort closer(serial_);
        if (!openPort(PortAccess::ReadWrite)) {
            return false;
        }
        serial_.setReadTimeouts(packetByteTimeoutMs, 0);
        // A read that delivers less than a packet overwrites only the bytes it delivers.
        TransferPacket packet;
        bool accepted = false;
        for (int attempt = 1; attempt <= attemptsPerPacket && !accepted; ++attempt) {
            const std::size_t count = serial_.read(packet.data(), TransferPacket::size);
            ui_.progressSetSecondText("Daten werden übertragen");
            if (count > 0 && isEndPacket(packet)) {
                serial_.close();
                return true;
            }
            // Silence where a new packet would begin is the normal end of the download.
            // Silence after a faulty copy leaves that copy faulty.
            if (count == 0 && attempt == 1) {
                serial_.close();
                return true;
            }
            // Only a whole packet with a right checksum is acknowledged.
            if (count == TransferPacket::size &&
                packetChecksum(packet) == packet.bytes[TransferPacket::checksumIndex]) {
                // An acknowledgement that cannot be sent leaves the packet unaccepted: the
                // instrument sends it again.
                accepted = serial_.write(acknowledgement.data(), acknowledgement.size());
            }
        }
        serial_.close();
        if (!accepted) {
            ui_.message(receiveFailedMessage, Icon::Information);
            return false;
        }
        ui_.progressAdvance();
        packets_.push_back(packet);
    }
}

} // namespace zv
