#include "formats/regular_file.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zv {

namespace {

// POSIX instead of std::ifstream: a stream cannot open without blocking (a FIFO would
// wait for a writer for ever) and cannot tell a regular file from a device before reading.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

    int get() const { return fd_; }

private:
    int fd_;
};

// A descriptor of a regular file, and its size; -1 for anything else.
int openRegular(const std::filesystem::path& path, std::uintmax_t& size) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return -1;
    }
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        return -1;
    }
    size = static_cast<std::uintmax_t>(status.st_size);
    return fd;
}

// Reads up to n bytes; fewer only at the end of the file. -1 on a read error.
long readSome(int fd, char* buffer, std::size_t n) {
    std::size_t done = 0;
    while (done < n) {
        const ssize_t count = ::read(fd, buffer + done, n - done);
        if (count < 0) {
            if (errno == EINTR) {
                continue;
            }
            return -1;
        }
        if (count == 0) {
            break;
        }
        done += static_cast<std::size_t>(count);
    }
    return static_cast<long>(done);
}

} // namespace

FileContent readRegularFile(const std::filesystem::path& path) {
    FileContent content;
    std::uintmax_t size = 0;
    const Descriptor file(openRegular(path, size));
    if (file.get() < 0) {
        content.refusal = ReadRefusal::CannotOpen;
        return content;
    }
    if (size > maxReadableFileSize) {
        content.refusal = ReadRefusal::TooLarge;
        return content;
    }
    // One read of the whole file as its size gives it, then whatever a file still growing
    // has gained meanwhile, up to the limit.
    std::string& bytes = content.bytes;
    bytes.resize(static_cast<std::size_t>(size));
    long count = readSome(file.get(), bytes.data(), bytes.size());
    if (count < 0) {
        content = {{}, ReadRefusal::CannotOpen};
        return content;
    }
    bytes.resize(static_cast<std::size_t>(count));
    char chunk[1 << 14];
    while ((count = readSome(file.get(), chunk, sizeof chunk)) > 0) {
        if (bytes.size() + static_cast<std::size_t>(count) > maxReadableFileSize) {
            content = {{}, ReadRefusal::TooLarge};
            return content;
        }
        bytes.append(chunk, static_cast<std::size_t>(count));
    }
    if (count < 0) {
        content = {{}, ReadRefusal::CannotOpen};
    }
    return content;
}

std::optional<std::string> readFirstLine(const std::filesystem::path& path, std::size_t limit) {
    std::uintmax_t size = 0;
    const Descriptor file(openRegular(path, size));
    if (file.get() < 0) {
        return std::nullopt;
    }
    std::string line(limit, '\0');
    const long count = readSome(file.get(), line.data(), line.size());
    if (count <= 0) {
        return std::nullopt;
    }
    line.resize(static_cast<std::size_t>(count));
    const std::size_t end = line.find('\n');
    if (end != std::string::npos) {
        line.resize(end > 0 && line[end - 1] == '\r' ? end - 1 : end);
    }
    return line;
}

std::string tooLargeMessage(const std::filesystem::path& path) {
    return "Die Datei " + path.string() + "\nist größer als 1 GiB und wird nicht gelesen.";
}

} // namespace zv
