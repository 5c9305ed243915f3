#pragma once

// The lock that keeps two zv (two windows on one start directory, or zv and zv-cli) from
// changing the main logbook or the lift database at the same time: an advisory lock
// (flock) on a hidden lock file beside the real file, ".Flugbuch.log.lock" beside
// Flugbuch.log. It guards the file and the copies derived from it (backup, error copy).
//
// The lock file is never removed: removing it while another process waits on it would
// let a third one lock a new file of the same name at the same time.

#include <chrono>
#include <filesystem>

namespace zv {

// How long a command waits for a lock that another process holds before it gives up.
std::chrono::milliseconds lockWaitTime();
// 5 s unless set otherwise (the tests shorten it).
void setLockWaitTime(std::chrono::milliseconds wait);

class FileLock {
public:
    enum class Kind {
        Shared,    // reading: several readers at once, no writer
        Exclusive, // a read-modify-write
    };
    enum class State {
        Held,        // the lock is ours until the object goes
        Busy,        // another process held it for the whole wait
        Unavailable, // no lock file can be made or locked here (a write-protected
                     // directory): nobody can replace the file there either
    };

    // Locks the lock file of `guarded` (followed through its links, so that every
    // spelling of one file finds the same lock), waiting at most lockWaitTime().
    FileLock(const std::filesystem::path& guarded, Kind kind);
    ~FileLock();
    FileLock(FileLock&& other) noexcept;
    FileLock& operator=(FileLock&& other) noexcept;
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    State state() const { return state_; }
    bool held() const { return state_ == State::Held; }

    // ".name.lock" beside the real file.
    static std::filesystem::path lockFileOf(const std::filesystem::path& guarded);

private:
    void release();

    int fd_ = -1;
    State state_ = State::Unavailable;
};

} // namespace zv
