// zv-sim: plays the instrument's side of one transfer on a new pseudo-terminal.
//
//   zv-sim [--link PATH] [options] send-text FILE
//   zv-sim [--link PATH] [options] receive-packets OUT
//   zv-sim [--link PATH] [options] send-takeoffs FILE
//
// The first line on standard output is the slave device to give zv as ZV_COM1 or ZV_COM2.
// zv-sim keeps the slave side open itself, so that zv may open and close the port as often
// as it wants; both sides are in raw mode, so no byte is translated on the way (but see
// --report-echo).
//
// send-text waits until zv opens the port, then sends FILE line by line with CR LF at
// 9600 baud pace. Options: --start-delay-ms N (wait before the first byte), --gap-ms N
// and --gap-after-line L (a pause after line L, by default after the middle line),
// --open-timeout-ms N (how long to wait for zv, 60 s by default).
//
// receive-packets acknowledges every 31-byte packet with a right checksum with "@@OK" and
// writes it to OUT as 62 hexadecimal digits on a line; it ends after --idle-ms N (5 s by
// default) without data, or after --packets N accepted packets. --no-ack K leaves the
// first K copies of every packet unanswered; --corrupt K answers the first acknowledged
// copy of packet K with a damaged acknowledgement, so that it must come again.
//
// send-takeoffs sends one "@@WP" packet per site of the takeoff site file FILE, each when
// zv has opened the port for it, and waits for "@@OK" after each, sending a packet again up
// to three times; then it sends the end packet "@EOF". --start-delay-ms N waits before the
// first packet; --corrupt K sends packet K once with a wrong checksum before the right copy.
//
// --report-echo leaves the terminal in the cooked mode of a serial device fresh from boot
// (echo on, CR turned into LF) instead of making it raw, so that zv must set the line up
// itself. After the transfer, once zv has closed the port, it sends a few bytes as an
// instrument may between two exchanges and reports every byte the line echoes back;
// any echo makes the exit status 1.
//
// Exit status: 0 when its side of the transfer completed, 1 otherwise, 2 on a usage error.

#include "link/instrument_link.h"
#include "takeoff_packets.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <poll.h>
#include <string>
#include <string_view>
#include <sys/inotify.h>
#include <termios.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// 9600 baud with a start and a stop bit: 960 bytes a second.
constexpr std::chrono::microseconds byteTime(1042);

struct Options {
    std::string link;
    std::string role;
    std::string file;
    long startDelayMs = 0;
    long gapMs = 0;
    long gapAfterLine = -1; // -1: after the middle line
    long noAck = 0;
    long corrupt = 0;
    long idleMs = 5000;
    long packets = 0;
    long openTimeoutMs = 60000;
    bool reportEcho = false;
    bool help = false;
    bool version = false;
};

const char* const usageText = "Usage: zv-sim [--link PATH] [OPTION]... send-text FILE\n"
                              "  or:  zv-sim [--link PATH] [OPTION]... receive-packets OUT\n"
                              "  or:  zv-sim [--link PATH] [OPTION]... send-takeoffs FILE\n";

void usage() {
    std::fputs(usageText, stderr);
    std::fputs("\"zv-sim --help\" lists every option.\n", stderr);
}

// --help, also the source of the man page zv-sim(1).
void help() {
    std::fputs(usageText, stdout);
    std::fputs(
        "\n"
        "Plays the instrument's side of one transfer on a new pseudo-terminal and exits, a\n"
        "stand-in for the Zirrova in tests and trials of zv and zv-cli. The first line on\n"
        "standard output is the device to give zv as ZV_COM1 or ZV_COM2. zv-sim keeps the\n"
        "terminal open itself, so that zv may open and close the port as often as it\n"
        "wants; both sides are in raw mode unless --report-echo is given.\n"
        "\n"
        "Roles:\n"
        "  send-text FILE       waits until zv opens the port, then streams FILE line by\n"
        "                       line with CR LF at 9600 baud pace, as the instrument sends\n"
        "                       its logbook, waypoints, routes, lifts or a flight\n"
        "  receive-packets OUT  answers every 31-byte packet with a right checksum with\n"
        "                       \"@@OK\" and writes each accepted packet to OUT as one line\n"
        "                       of 62 hexadecimal digits; ends after 5 s without data\n"
        "  send-takeoffs FILE   sends one \"@@WP\" packet per site of the takeoff site file\n"
        "                       FILE, each when zv has opened the port for it, waits for\n"
        "                       \"@@OK\" after each (sending a packet again up to three\n"
        "                       times), then sends the end packet \"@EOF\"\n"
        "\n"
        "Exit status:\n"
        "  0   its side of the transfer completed\n"
        "  1   otherwise, also when --report-echo saw a byte echoed back\n"
        "  2   usage error\n"
        "\n"
        "Options:\n"
        "  --link PATH            also make PATH a symbolic link to the device (removed\n"
        "                         again at the end)\n"
        "  --start-delay-ms N     wait N ms before sending\n"
        "  --gap-ms N             a pause of N ms inside the stream of send-text\n"
        "  --gap-after-line L     make that pause after line L (by default after the\n"
        "                         middle line)\n"
        "  --no-ack K             leave the first K copies of every packet unanswered\n"
        "  --corrupt K            receive-packets: damage the first acknowledgement of\n"
        "                         packet K, so that it must come again; send-takeoffs:\n"
        "                         send packet K once with a wrong checksum first\n"
        "  --idle-ms N            receive-packets ends after N ms without data (5000)\n"
        "  --packets N            receive-packets ends after N accepted packets\n"
        "  --open-timeout-ms N    how long to wait for zv to open the port (60000)\n"
        "  --report-echo          leave the line in the cooked mode of a serial device\n"
        "                         fresh from boot (echo on) instead of raw; after the\n"
        "                         transfer, once zv has closed the port, send a few bytes\n"
        "                         and report every byte the line echoes back\n"
        "  -h, --help             show this help and exit\n"
        "  --version              show the version and exit\n"
        "\n"
        "Examples:\n"
        "  zv-sim --link /tmp/zirrova send-text Data/Zv/Logbuch/Flugbuch.log &\n"
        "  ZV_COM1=/tmp/zirrova zv-cli receive logbook Data/Zv/Logbuch/test\n",
        stdout);
}

bool parseNumber(const char* text, long& value) {
    char* end = nullptr;
    errno = 0;
    value = std::strtol(text, &end, 10);
    return errno == 0 && end != text && *end == '\0' && value >= 0;
}

// The options that take a number, and the field each one sets.
const std::map<std::string_view, long Options::*> numberOptions{
    {"--start-delay-ms", &Options::startDelayMs},
    {"--gap-ms", &Options::gapMs},
    {"--gap-after-line", &Options::gapAfterLine},
    {"--no-ack", &Options::noAck},
    {"--corrupt", &Options::corrupt},
    {"--idle-ms", &Options::idleMs},
    {"--packets", &Options::packets},
    {"--open-timeout-ms", &Options::openTimeoutMs},
};

std::optional<Options> parseOptions(int argc, char** argv) {
    Options options;
    std::vector<std::string> positional;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        const auto number = [&](long& value) {
            return i + 1 < argc && parseNumber(argv[++i], value);
        };
        if (arg == "--help" || arg == "-h") {
            options.help = true;
            return options;
        }
        if (arg == "--version") {
            options.version = true;
            return options;
        }
        if (arg == "--link" && i + 1 < argc) {
            options.link = argv[++i];
        } else if (arg == "--report-echo") {
            options.reportEcho = true;
        } else if (const auto option = numberOptions.find(arg); option != numberOptions.end()) {
            if (!number(options.*option->second)) {
                return std::nullopt;
            }
        } else if (arg.starts_with("--")) {
            return std::nullopt;
        } else {
            positional.emplace_back(arg);
        }
    }
    if (positional.size() != 2 ||
        (positional[0] != "send-text" && positional[0] != "receive-packets" &&
         positional[0] != "send-takeoffs")) {
        return std::nullopt;
    }
    options.role = positional[0];
    options.file = positional[1];
    return options;
}

// A file descriptor that closes itself.
class Fd {
public:
    Fd() = default;
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }

private:
    int fd_ = -1;
};

void makeRaw(int fd) {
    termios tio{};
    if (tcgetattr(fd, &tio) == 0) {
        cfmakeraw(&tio);
        cfsetispeed(&tio, B9600);
        cfsetospeed(&tio, B9600);
        tcsetattr(fd, TCSANOW, &tio);
    }
}

// The symbolic link of --link, removed again when zv-sim ends.
class Symlink {
public:
    bool make(const std::string& path, const std::string& target) {
        ::unlink(path.c_str());
        if (::symlink(target.c_str(), path.c_str()) != 0) {
            return false;
        }
        path_ = path;
        return true;
    }
    ~Symlink() {
        if (!path_.empty()) {
            ::unlink(path_.c_str());
        }
    }

private:
    std::string path_;
};

// Tells when zv opens and closes the slave side. The kernel reports every opening and
// closing of the device node through inotify; zv-sim's own slave descriptor was opened
// before the watch began, so every event comes from another process. This is exact
// where watching the terminal settings would have to guess.
class OpenWatch {
public:
    explicit OpenWatch(const std::string& slavePath)
        : fd_(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
        if (fd_.valid()) {
            ok_ = inotify_add_watch(fd_.get(), slavePath.c_str(), IN_OPEN | IN_CLOSE) >= 0;
        }
    }
    bool ok() const { return ok_; }
    int fd() const { return fd_.get(); }

    // Reads the pending events; counts openings and closings.
    void drain() {
        alignas(inotify_event) char buffer[4096];
        for (;;) {
            const ssize_t n = ::read(fd_.get(), buffer, sizeof buffer);
            if (n <= 0) {
                return;
            }
            for (ssize_t at = 0; at < n;) {
                const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
                if (event->mask & IN_OPEN) {
                    ++opens_;
                }
                if (event->mask & IN_CLOSE) {
                    ++closes_;
                }
                at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
            }
        }
    }
    bool portOpen() const { return opens_ > closes_; }
    int opens() const { return opens_; }

    // Waits until the port is open (wantOpen) or closed; false after timeoutMs.
    bool waitFor(bool wantOpen, long timeoutMs) {
        const auto deadline = Clock::now() + milliseconds(timeoutMs);
        for (;;) {
            drain();
            if (portOpen() == wantOpen && (!wantOpen || opens_ > 0)) {
                return true;
            }
            const auto left =
                std::chrono::duration_cast<milliseconds>(deadline - Clock::now()).count();
            if (left <= 0) {
                return false;
            }
            pollfd p{fd_.get(), POLLIN, 0};
            ::poll(&p, 1, static_cast<int>(left));
        }
    }

private:
    Fd fd_;
    bool ok_ = false;
    int opens_ = 0;
    int closes_ = 0;
};

// Writes all bytes to the master whether or not zv still holds the port (it may read a
// packet, answer and close before this returns); false on a write error or when the line
// stayed blocked for a second.
bool sendBytes(int master, std::string_view bytes) {
    while (!bytes.empty()) {
        pollfd p{master, POLLOUT, 0};
        if (::poll(&p, 1, 1000) <= 0) {
            return false;
        }
        const ssize_t n = ::write(master, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EAGAIN || errno == EINTR) {
                continue;
            }
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// Writes all bytes to the master as sendBytes does; false also when zv closed the port
// meanwhile.
bool writeAll(int master, std::string_view bytes, OpenWatch& watch) {
    if (!sendBytes(master, bytes)) {
        return false;
    }
    watch.drain();
    return watch.portOpen();
}

std::vector<std::string> readLines(const std::string& path, bool& ok) {
    std::ifstream in(path, std::ios::binary);
    ok = in.is_open();
    const std::string content((std::istreambuf_iterator<char>(in)),
                              std::istreambuf_iterator<char>());
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < content.size()) {
        std::size_t end = content.find('\n', start);
        const bool last = end == std::string::npos;
        if (last) {
            end = content.size();
        }
        std::string line = content.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.push_back(std::move(line));
        start = last ? end : end + 1;
    }
    return lines;
}

int sendText(const Options& options, int master, OpenWatch& watch) {
    bool readable = false;
    const std::vector<std::string> lines = readLines(options.file, readable);
    if (!readable) {
        std::fprintf(stderr, "zv-sim: cannot read %s\n", options.file.c_str());
        return 1;
    }
    if (!watch.waitFor(true, options.openTimeoutMs)) {
        std::fputs("zv-sim: the port was not opened\n", stderr);
        return 1;
    }
    // zv sets the line up right after opening it; let it finish before the first byte.
    std::this_thread::sleep_for(milliseconds(100 + options.startDelayMs));

    const std::size_t gapAfter = options.gapAfterLine >= 0
                                     ? static_cast<std::size_t>(options.gapAfterLine)
                                     : lines.size() / 2;
    auto due = Clock::now();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string bytes = lines[i] + "\r\n";
        if (!writeAll(master, bytes, watch)) {
            std::fputs("zv-sim: the port was closed before the end of the file\n", stderr);
            return 1;
        }
        // Keep the instrument's pace: one byte every 1042 us.
        due += byteTime * static_cast<long>(bytes.size());
        if (options.gapMs > 0 && i + 1 == gapAfter) {
            due += milliseconds(options.gapMs);
        }
        std::this_thread::sleep_until(due);
    }
    tcdrain(master);
    // Stay until zv has read the end and closed the port, so that no byte is lost.
    watch.waitFor(false, 15000);
    return 0;
}

// The bytes as upper-case hexadecimal digits, two a byte, and a line end.
std::string hexLine(const std::string& bytes) {
    constexpr std::string_view digits = "0123456789ABCDEF";
    std::string text;
    text.reserve(2 * bytes.size() + 1);
    for (const char byte : bytes) {
        const auto value = static_cast<unsigned char>(byte);
        text += digits[value >> 4];
        text += digits[value & 0x0F];
    }
    text += '\n';
    return text;
}

int receivePackets(const Options& options, int master, OpenWatch& watch) {
    std::FILE* out = std::fopen(options.file.c_str(), "w");
    if (out == nullptr) {
        std::fprintf(stderr, "zv-sim: cannot write %s\n", options.file.c_str());
        return 1;
    }
    std::string pending;
    std::string lastCopy;
    bool lastAccepted = false;
    long attempts = 0;
    long accepted = 0;
    long received = 0; // packets with a right checksum, counted once each
    bool written = true;
    auto lastByte = Clock::now();
    for (;;) {
        pollfd p{master, POLLIN, 0};
        const int ready = ::poll(&p, 1, pending.empty() ? static_cast<int>(options.idleMs) : 500);
        watch.drain();
        if (ready <= 0) {
            if (!pending.empty() && Clock::now() - lastByte < milliseconds(options.idleMs)) {
                // A piece of a packet followed by silence is dropped.
                pending.clear();
                continue;
            }
            break;
        }
        char buffer[256];
        const ssize_t n = ::read(master, buffer, sizeof buffer);
        if (n <= 0) {
            if (n < 0 && (errno == EAGAIN || errno == EINTR || errno == EIO)) {
                std::this_thread::sleep_for(milliseconds(10));
                continue;
            }
            break;
        }
        lastByte = Clock::now();
        pending.append(buffer, static_cast<std::size_t>(n));
        while (pending.size() >= zv::TransferPacket::size) {
            const std::string copy = pending.substr(0, zv::TransferPacket::size);
            pending.erase(0, zv::TransferPacket::size);
            attempts = copy == lastCopy && !lastAccepted ? attempts + 1 : 1;
            lastCopy = copy;
            lastAccepted = false;
            zv::TransferPacket packet;
            std::memcpy(packet.data(), copy.data(), copy.size());
            if (zv::packetChecksum(packet) != packet.bytes[zv::TransferPacket::checksumIndex]) {
                continue;
            }
            if (attempts == 1) {
                ++received;
            }
            if (attempts <= options.noAck) {
                continue;
            }
            if (options.corrupt > 0 && received == options.corrupt &&
                attempts == options.noAck + 1) {
                // A damaged acknowledgement: zv has to send this packet again.
                writeAll(master, "@@0K", watch);
                continue;
            }
            writeAll(master, "@@OK", watch);
            lastAccepted = true;
            ++accepted;
            const std::string line = hexLine(copy);
            written = std::fwrite(line.data(), 1, line.size(), out) == line.size() && written;
        }
        if (options.packets > 0 && accepted >= options.packets) {
            tcdrain(master);
            // zv reads the acknowledgement until it closes the port.
            watch.waitFor(false, 2000);
            break;
        }
    }
    written = std::fclose(out) == 0 && written;
    const bool complete = options.packets > 0 ? accepted >= options.packets : accepted > 0;
    return written && complete ? 0 : 1;
}

// Waits until zv has opened the port once more than `seen` times and holds it open.
bool waitForOpening(OpenWatch& watch, int seen, long timeoutMs) {
    const auto deadline = Clock::now() + milliseconds(timeoutMs);
    for (;;) {
        watch.drain();
        if (watch.opens() > seen && watch.portOpen()) {
            return true;
        }
        const auto left = std::chrono::duration_cast<milliseconds>(deadline - Clock::now()).count();
        if (left <= 0) {
            return false;
        }
        pollfd p{watch.fd(), POLLIN, 0};
        ::poll(&p, 1, static_cast<int>(left));
    }
}

// Reads what zv answers within timeoutMs, up to four bytes.
std::string readReply(int master, long timeoutMs) {
    const auto deadline = Clock::now() + milliseconds(timeoutMs);
    std::string reply;
    while (reply.size() < 4) {
        const auto left = std::chrono::duration_cast<milliseconds>(deadline - Clock::now()).count();
        if (left <= 0) {
            break;
        }
        pollfd p{master, POLLIN, 0};
        if (::poll(&p, 1, static_cast<int>(left)) <= 0) {
            break;
        }
        char buffer[4];
        const ssize_t n = ::read(master, buffer, 4 - reply.size());
        if (n > 0) {
            reply.append(buffer, static_cast<std::size_t>(n));
        } else if (n < 0 && errno != EAGAIN && errno != EINTR && errno != EIO) {
            break;
        }
    }
    return reply;
}

int sendTakeoffs(const Options& options, int master, OpenWatch& watch) {
    std::vector<zv::TransferPacket> packets;
    if (!zv::sim::takeoffPacketsOf(options.file, packets)) {
        return 1;
    }
    // zv opens the port anew for every packet and reads it within 3.1 s; a copy it does not
    // acknowledge it reads again on the same opening.
    constexpr int attemptsPerPacket = 3;
    constexpr long replyTimeoutMs = 1000;
    std::this_thread::sleep_for(milliseconds(options.startDelayMs));
    int seen = 0;
    for (std::size_t i = 0; i < packets.size(); ++i) {
        if (!waitForOpening(watch, seen, options.openTimeoutMs)) {
            std::fputs("zv-sim: the port was not opened\n", stderr);
            return 1;
        }
        seen = watch.opens();
        // zv sets the line up right after opening it; let it finish before the first byte.
        std::this_thread::sleep_for(milliseconds(100));
        bool acknowledged = false;
        for (int attempt = 1; attempt <= attemptsPerPacket && !acknowledged; ++attempt) {
            std::string bytes(packets[i].data(), zv::TransferPacket::size);
            if (attempt == 1 && options.corrupt == static_cast<long>(i) + 1) {
                bytes[zv::TransferPacket::checksumIndex] ^= 0x5A;
            }
            if (!sendBytes(master, bytes)) {
                std::fputs("zv-sim: the packet could not be sent\n", stderr);
                return 1;
            }
            acknowledged = readReply(master, replyTimeoutMs) == "@@OK";
        }
        if (!acknowledged) {
            std::fprintf(stderr, "zv-sim: packet %zu was not acknowledged\n", i + 1);
            return 1;
        }
    }
    // The end packet: "@EOF" and zeros, on its own opening.
    if (!waitForOpening(watch, seen, options.openTimeoutMs)) {
        std::fputs("zv-sim: the port was not opened for the end\n", stderr);
        return 1;
    }
    std::this_thread::sleep_for(milliseconds(100));
    const std::string end = std::string("@EOF") + std::string(zv::TransferPacket::size - 4, '\0');
    if (!sendBytes(master, end)) {
        return 1;
    }
    tcdrain(master);
    watch.waitFor(false, 5000);
    return 0;
}

// After the transfer: once zv has closed the port, sends a few bytes as the instrument may
// between two exchanges and collects what the line sends back. A line that zv left raw
// echoes nothing; one in cooked mode echoes the bytes (and CR as CR LF).
int reportEcho(int master, OpenWatch& watch) {
    if (!watch.waitFor(false, 5000)) {
        std::fputs("zv-sim: zv did not close the port\n", stderr);
        return 1;
    }
    std::this_thread::sleep_for(milliseconds(200));
    char buffer[256];
    while (::read(master, buffer, sizeof buffer) > 0) {
        // Whatever zv wrote last and nobody read; not an echo of the bytes below.
    }
    if (!sendBytes(master, "@@?\r")) {
        std::fputs("zv-sim: the bytes between the exchanges could not be sent\n", stderr);
        return 1;
    }
    std::string echoed;
    const auto deadline = Clock::now() + milliseconds(500);
    for (;;) {
        const auto left = std::chrono::duration_cast<milliseconds>(deadline - Clock::now()).count();
        if (left <= 0) {
            break;
        }
        pollfd p{master, POLLIN, 0};
        if (::poll(&p, 1, static_cast<int>(left)) <= 0) {
            break;
        }
        const ssize_t n = ::read(master, buffer, sizeof buffer);
        if (n > 0) {
            echoed.append(buffer, static_cast<std::size_t>(n));
        } else if (n < 0 && errno != EAGAIN && errno != EINTR) {
            break;
        }
    }
    if (!echoed.empty()) {
        std::fprintf(stderr, "zv-sim: the line echoed %zu bytes back between two exchanges: %s\n",
                     echoed.size(), hexLine(echoed).c_str());
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const std::optional<Options> options = parseOptions(argc, argv);
    if (!options) {
        usage();
        return 2;
    }
    if (options->help) {
        help();
        return 0;
    }
    if (options->version) {
        std::printf("zv-sim %s\n", ZV_VERSION);
        return 0;
    }
    const Fd master(posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK));
    if (!master.valid() || grantpt(master.get()) != 0 || unlockpt(master.get()) != 0) {
        std::perror("zv-sim: pseudo-terminal");
        return 1;
    }
    const char* name = ptsname(master.get());
    if (name == nullptr) {
        std::perror("zv-sim: ptsname");
        return 1;
    }
    const std::string slavePath = name;
    // Kept open for the whole run: zv's openings and closings then never hang up the line.
    const Fd slave(::open(slavePath.c_str(), O_RDWR | O_NOCTTY));
    if (!slave.valid()) {
        std::perror("zv-sim: slave side");
        return 1;
    }
    if (!options->reportEcho) {
        // Raw on both sides, so that no byte is translated on the way. (Settings made on
        // the master are the slave's: the terminal has one set.)
        makeRaw(slave.get());
        makeRaw(master.get());
    }

    OpenWatch watch(slavePath);
    if (!watch.ok()) {
        std::perror("zv-sim: inotify");
        return 1;
    }
    Symlink link;
    if (!options->link.empty() && !link.make(options->link, slavePath)) {
        std::perror("zv-sim: --link");
        return 1;
    }
    std::printf("%s\n", slavePath.c_str());
    std::fflush(stdout);

    int status = 0;
    if (options->role == "send-text") {
        status = sendText(*options, master.get(), watch);
    } else if (options->role == "send-takeoffs") {
        status = sendTakeoffs(*options, master.get(), watch);
    } else {
        status = receivePackets(*options, master.get(), watch);
    }
    if (options->reportEcho && reportEcho(master.get(), watch) != 0) {
        status = 1;
    }
    return status;
}
