#include "support/scripted_serial_port.h"

#include <algorithm>
#include <cstdio>

namespace zv::test {

namespace {

std::string hex(const std::string& bytes) {
    std::string text;
    char digits[4];
    for (const char byte : bytes) {
        std::snprintf(digits, sizeof digits, "%02X", static_cast<unsigned char>(byte));
        text += digits;
    }
    return text;
}

} // namespace

ScriptedSerialPort& ScriptedSerialPort::send(const std::string& bytes) {
    script_.push_back({StepKind::Send, bytes, 0});
    return *this;
}

ScriptedSerialPort& ScriptedSerialPort::pause(long ms) {
    script_.push_back({StepKind::Pause, {}, static_cast<long long>(ms) * 1000});
    return *this;
}

ScriptedSerialPort& ScriptedSerialPort::expect(const std::string& bytes) {
    script_.push_back({StepKind::Expect, bytes, 0});
    return *this;
}

bool ScriptedSerialPort::scriptDone() {
    playUntil(now_);
    return script_.empty();
}

void ScriptedSerialPort::playUntil(long long timeUs) {
    while (!script_.empty() && peerTime_ <= timeUs) {
        Step& step = script_.front();
        if (step.kind == StepKind::Expect) {
            return;
        }
        if (step.kind == StepKind::Pause) {
            peerTime_ += step.durationUs;
        } else {
            for (const char byte : step.bytes) {
                peerTime_ += bytePaceUs;
                incoming_.push_back({peerTime_, byte});
            }
        }
        script_.pop_front();
    }
}

bool ScriptedSerialPort::open(int port, PortAccess access) {
    const int number = opens + 1;
    ++opens;
    // Exclusive use: an opening while the port is still open fails like a busy port.
    lastOpenFailed_ = open_ || failingOpens.count(number) > 0 || missingPorts.count(port) > 0;
    log.push_back("open " + portName(port) + (access == PortAccess::Read ? " r" : " rw") +
                  (lastOpenFailed_ ? " failed" : ""));
    if (lastOpenFailed_) {
        return false;
    }
    open_ = true;
    multiplierMs_ = 0;
    constantMs_ = 0;
    return true;
}

PortOpenFailure ScriptedSerialPort::openFailure() const {
    return lastOpenFailed_ ? failure : PortOpenFailure{};
}

void ScriptedSerialPort::setReadTimeouts(int multiplierMs, int constantMs) {
    multiplierMs_ = multiplierMs;
    constantMs_ = constantMs;
    log.push_back("timeouts " + std::to_string(multiplierMs) + "/" + std::to_string(constantMs));
}

std::size_t ScriptedSerialPort::read(char* buffer, std::size_t n) {
    ++reads;
    if (!open_) {
        mismatches.push_back("read on a closed port");
        return 0;
    }
    const long long deadline =
        now_ +
        (static_cast<long long>(multiplierMs_) * static_cast<long long>(n) + constantMs_) * 1000;
    playUntil(deadline);
    std::size_t count = 0;
    long long lastArrival = now_;
    const bool fails = failingReads.count(reads) > 0;
    while (count < n && !incoming_.empty() && incoming_.front().atUs <= deadline) {
        if (!fails) {
            buffer[count] = incoming_.front().byte;
        }
        lastArrival = std::max(lastArrival, incoming_.front().atUs);
        incoming_.pop_front();
        ++count;
    }
    now_ = count == n ? lastArrival : deadline;
    if (fails) {
        log.push_back("read failed");
        return 0;
    }
    return count;
}

bool ScriptedSerialPort::write(const char* data, std::size_t n) {
    ++writes;
    const std::string bytes(data, n);
    if (!open_) {
        mismatches.push_back("write on a closed port: " + hex(bytes));
        return false;
    }
    if (failingWrites.count(writes) > 0) {
        log.push_back("write failed");
        return false;
    }
    log.push_back("write " + hex(bytes));
    playUntil(now_);
    if (!script_.empty() && script_.front().kind == StepKind::Expect) {
        if (script_.front().bytes != bytes) {
            mismatches.push_back("expected " + hex(script_.front().bytes) + ", written " +
                                 hex(bytes));
            return true;
        }
        script_.pop_front();
        peerTime_ = std::max(peerTime_, now_);
        return true;
    }
    if (responder) {
        for (const char byte : responder(bytes)) {
            incoming_.push_back({now_, byte});
        }
    }
    return true;
}

void ScriptedSerialPort::close() {
    if (open_) {
        ++closes;
        log.push_back("close");
    }
    open_ = false;
}

} // namespace zv::test
