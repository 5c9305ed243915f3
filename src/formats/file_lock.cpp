#include "formats/file_lock.h"

#include "formats/file_replacement.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <thread>
#include <unistd.h>
#include <utility>

// flock(2) has no equivalent in the standard library; the lock belongs to the open lock
// file and goes with it, also when the process is killed.

namespace zv {

namespace {

std::chrono::milliseconds waitTime{5000};
constexpr std::chrono::milliseconds pollInterval{20};

} // namespace

std::chrono::milliseconds lockWaitTime() {
    return waitTime;
}

void setLockWaitTime(std::chrono::milliseconds wait) {
    waitTime = wait;
}

std::filesystem::path FileLock::lockFileOf(const std::filesystem::path& guarded) {
    const std::filesystem::path real = resolveLinks(guarded);
    std::filesystem::path lock = real;
    lock.replace_filename("." + real.filename().string() + ".lock");
    return lock;
}

FileLock::FileLock(const std::filesystem::path& guarded, Kind kind) {
    const std::filesystem::path path = lockFileOf(guarded);
    fd_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd_ < 0) {
        // A lock file that is there but not ours to write can still be locked.
        fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    }
    if (fd_ < 0) {
        return;
    }
    const int operation = (kind == Kind::Shared ? LOCK_SH : LOCK_EX) | LOCK_NB;
    const auto deadline = std::chrono::steady_clock::now() + waitTime;
    for (;;) {
        if (::flock(fd_, operation) == 0) {
            state_ = State::Held;
            return;
        }
        if (errno == EINTR) {
            continue;
        }
        if (errno != EWOULDBLOCK) {
            // A file system without locks.
            release();
            return;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            release();
            state_ = State::Busy;
            return;
        }
        std::this_thread::sleep_for(pollInterval);
    }
}

FileLock::~FileLock() {
    release();
}

FileLock::FileLock(FileLock&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), state_(std::exchange(other.state_, State::Unavailable)) {}

FileLock& FileLock::operator=(FileLock&& other) noexcept {
    if (this != &other) {
        release();
        fd_ = std::exchange(other.fd_, -1);
        state_ = std::exchange(other.state_, State::Unavailable);
    }
    return *this;
}

void FileLock::release() {
    if (fd_ >= 0) {
        // Closing the lock file releases the lock.
        ::close(fd_);
        fd_ = -1;
    }
}

} // namespace zv
