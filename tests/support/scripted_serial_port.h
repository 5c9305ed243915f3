#pragma once

// The serial line of the unit tests. Its peer is a script on a virtual clock: bytes it
// sends, silences, and writes it waits for. Faults (an opening, a read or a write that
// fails) can be placed on any numbered call, so that a test can let the N-th read fail
// for every N. No call ever sleeps: a read that times out moves the clock on.

#include "base/serial_port.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <set>
#include <string>
#include <vector>

namespace zv::test {

class ScriptedSerialPort : public SerialPort {
public:
    // The peer's script, in order. Each step starts when the one before has ended.
    // The peer sends bytes, one every bytePaceUs (0: all at once).
    ScriptedSerialPort& send(const std::string& bytes);
    // The peer is silent for ms.
    ScriptedSerialPort& pause(long ms);
    // The peer waits until the program writes exactly these bytes; other writes while
    // it waits are recorded in mismatches.
    ScriptedSerialPort& expect(const std::string& bytes);

    // The time one byte takes on the line; 1042 us is 9600 baud with 10 bits a byte.
    long bytePaceUs = 0;
    // Asked for every write that finds no waiting expect() step; returns what the peer
    // answers at once (an instrument that acknowledges whatever arrives, for instance).
    std::function<std::string(const std::string& written)> responder;

    // Faults, counted from 1 over the life of the object.
    std::set<int> failingOpens;
    std::set<int> failingReads;  // the read loses what would have arrived and returns 0
    std::set<int> failingWrites; // nothing reaches the peer
    std::set<int> missingPorts;  // these ports cannot be opened at all
    PortOpenFailure failure;     // openFailure() after a failed opening

    // What happened.
    int opens = 0;
    int closes = 0; // closings of an open port
    int reads = 0;
    int writes = 0;
    std::vector<std::string> log; // "open COM1 r", "timeouts 0/10000", "write ...", "close"
    std::vector<std::string> mismatches;
    long long nowUs() const { return now_; }
    // True when every step of the script has been played.
    bool scriptDone();

    bool open(int port, PortAccess access) override;
    PortOpenFailure openFailure() const override;
    void setReadTimeouts(int multiplierMs, int constantMs) override;
    std::size_t read(char* buffer, std::size_t n) override;
    bool write(const char* data, std::size_t n) override;
    void close() override;
    bool isOpen() const override { return open_; }

private:
    enum class StepKind { Send, Pause, Expect };
    struct Step {
        StepKind kind;
        std::string bytes;
        long long durationUs = 0;
    };
    struct Arrival {
        long long atUs;
        char byte;
    };

    // Plays the script up to the given time or up to a step that waits for a write.
    void playUntil(long long timeUs);

    std::deque<Step> script_;
    std::deque<Arrival> incoming_;
    long long now_ = 0;
    long long peerTime_ = 0;
    int multiplierMs_ = 0;
    int constantMs_ = 0;
    bool open_ = false;
    bool lastOpenFailed_ = false;
};

} // namespace zv::test
