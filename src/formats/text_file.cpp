#include "formats/text_file.h"

#include <fstream>
#include <iterator>
#include <random>
#include <system_error>
#include <vector>

namespace zv {

namespace {

// The I/O-error injection of the tests: counts write operations of all writers.
long writeFaultAt = 0;
long writeOperations = 0;

constexpr std::size_t flushThreshold = 1 << 16;

std::filesystem::path temporaryBeside(const std::filesystem::path& target) {
    std::random_device random;
    std::uniform_int_distribution<unsigned> digits(0, 0xFFFFFF);
    char suffix[16];
    std::snprintf(suffix, sizeof suffix, ".%06x.tmp", digits(random));
    std::filesystem::path temporary = target;
    temporary += suffix;
    return temporary;
}

} // namespace

TextReader::TextReader(const std::filesystem::path& path) {
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) {
        return;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in.is_open()) {
        return;
    }
    // One read of the whole file: character-wise stream iteration is the slowest part
    // of reading a large track or lift database otherwise.
    const auto size = std::filesystem::file_size(path, error);
    if (!error) {
        content_.resize(static_cast<std::size_t>(size));
        in.read(content_.data(), static_cast<std::streamsize>(content_.size()));
        content_.resize(static_cast<std::size_t>(in.gcount()));
        in.clear();
    }
    // Whatever the size said (a device, a file still growing): take the rest as well.
    content_.append(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    open_ = !in.bad();
}

TextReader TextReader::fromContent(std::string content) {
    TextReader reader;
    reader.content_ = std::move(content);
    reader.open_ = true;
    return reader;
}

bool TextReader::readLine(std::string& line) {
    std::string_view view;
    const bool read = readLine(view);
    line.assign(view);
    return read;
}

bool TextReader::readLine(std::string_view& line) {
    if (!open_ || position_ >= content_.size()) {
        line = {};
        return false;
    }
    const std::string_view content(content_);
    const std::size_t end = content.find('\n', position_);
    if (end == std::string_view::npos) {
        line = content.substr(position_);
        position_ = content.size();
        return true;
    }
    std::size_t lineEnd = end;
    if (lineEnd > position_ && content[lineEnd - 1] == '\r') {
        --lineEnd;
    }
    line = content.substr(position_, lineEnd - position_);
    position_ = end + 1;
    return true;
}

std::size_t TextReader::linesLeft() const {
    std::size_t lines = 0;
    if (!open_) {
        return lines;
    }
    // As readLine() takes them: a final line without a line end is a line as well.
    for (std::size_t from = position_; from < content_.size(); ++lines) {
        const std::size_t end = content_.find('\n', from);
        if (end == std::string::npos) {
            return lines + 1;
        }
        from = end + 1;
    }
    return lines;
}

TextWriter::TextWriter(const std::filesystem::path& path, WriteMode mode)
    : target_(path), mode_(mode) {
    if (mode_ == WriteMode::Atomic) {
        // "x": never take over a file of the same name that happens to exist.
        for (int attempt = 0; attempt < 8 && !file_; ++attempt) {
            temporary_ = temporaryBeside(target_);
            file_.reset(std::fopen(temporary_.c_str(), "wbx"));
        }
    } else {
        file_.reset(std::fopen(target_.c_str(), "wb"));
    }
    failed_ = !file_;
    buffer_.reserve(flushThreshold);
}

TextWriter::~TextWriter() {
    if (!closed_ && file_) {
        file_.reset();
        if (mode_ == WriteMode::Atomic) {
            std::error_code error;
            std::filesystem::remove(temporary_, error);
        }
    }
}

bool TextWriter::countOperation() {
    ++writeOperations;
    if (writeFaultAt > 0 && writeOperations == writeFaultAt) {
        failed_ = true;
        return false;
    }
    return true;
}

void TextWriter::write(std::string_view text) {
    if (!file_ || closed_ || !countOperation()) {
        failed_ = true;
        return;
    }
    append(text);
}

void TextWriter::writeLine(std::string_view text) {
    if (!file_ || closed_ || !countOperation()) {
        failed_ = true;
        return;
    }
    append(text);
    append("\n");
}

void TextWriter::append(std::string_view text) {
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t newline = text.find('\n', start);
        if (newline == std::string_view::npos) {
            buffer_.append(text.substr(start));
            break;
        }
        buffer_.append(text.substr(start, newline - start));
        buffer_.append("\r\n");
        start = newline + 1;
    }
    if (buffer_.size() >= flushThreshold) {
        flushBuffer();
    }
}

void TextWriter::flushBuffer() {
    if (!buffer_.empty() && file_) {
        if (std::fwrite(buffer_.data(), 1, buffer_.size(), file_.get()) != buffer_.size()) {
            failed_ = true;
        }
    }
    buffer_.clear();
}

bool TextWriter::close() {
    if (closed_) {
        return !failed_;
    }
    if (!file_) {
        closed_ = true;
        return false;
    }
    if (!countOperation()) {
        failed_ = true;
    }
    flushBuffer();
    if (std::fflush(file_.get()) != 0) {
        failed_ = true;
    }
    if (std::fclose(file_.release()) != 0) {
        failed_ = true;
    }
    closed_ = true;
    if (mode_ == WriteMode::Atomic) {
        std::error_code error;
        if (!failed_) {
            std::filesystem::rename(temporary_, target_, error);
            if (error) {
                failed_ = true;
            }
        }
        if (failed_) {
            std::filesystem::remove(temporary_, error);
        }
    }
    return !failed_;
}

void injectWriteFault(long n) {
    writeFaultAt = n;
    writeOperations = 0;
}

long countedWriteOperations() {
    return writeOperations;
}

bool copyLines(TextReader& in, const std::string& target) {
    TextWriter out(target, WriteMode::Atomic);
    std::string line;
    while (in.readLine(line)) {
        out.writeLine(line);
    }
    return out.close();
}

} // namespace zv
