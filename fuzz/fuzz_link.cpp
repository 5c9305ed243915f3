// Whatever comes over the serial line: the text download and both packet exchanges
// must take any bytes, in any pieces, without a crash or a write past a buffer.
//
// Input: one byte choosing the transfer, then pieces, each a length byte and up to that
// many bytes of the line; each read delivers the next piece (cut to what it asks for);
// a read past the last piece finds the line silent.

#include "base/null_user_interface.h"
#include "base/user_interface.h"
#include "link/instrument_link.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

class FuzzLine : public zv::SerialPort {
public:
    FuzzLine(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    bool open(int, zv::PortAccess) override {
        open_ = true;
        return true;
    }
    zv::PortOpenFailure openFailure() const override { return {}; }
    void setReadTimeouts(int, int) override {}
    std::size_t read(char* buffer, std::size_t n) override {
        if (position_ >= size_) {
            return 0;
        }
        const std::size_t length = data_[position_];
        ++position_;
        const std::size_t piece = std::min(length, size_ - position_);
        const std::size_t count = std::min(piece, n);
        std::copy(data_ + position_, data_ + position_ + count, buffer);
        position_ += piece;
        return count;
    }
    bool write(const char*, std::size_t) override { return open_; }
    void close() override { open_ = false; }
    bool isOpen() const override { return open_; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t position_ = 0;
    bool open_ = false;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    FuzzLine line(data + 1, size - 1);
    zv::NullUserInterface user;
    zv::CInstrumentLink link(line, user, data[0] & 1);
    switch (data[0] % 3) {
    case 0: {
        static const std::filesystem::path target =
            std::filesystem::temp_directory_path() /
            ("zv_fuzz_link_" + std::to_string(::getpid()) + ".log");
        link.receiveText(target);
        std::error_code error;
        std::filesystem::remove(target, error);
        break;
    }
    case 1:
        link.receivePackets();
        break;
    default:
        link.packets().resize(1 + data[0] / 3 % 4);
        link.sendPackets();
        break;
    }
    return 0;
}
