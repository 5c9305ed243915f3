#include "formats/text_file.h"

#include "formats/file_replacement.h"

#include <cstdarg>
#include <stdio.h>
#include <system_error>
#include <unistd.h>
#include <vector>

namespace zv {

namespace {

// The I/O-error injection of the tests: counts write operations of all writers.
long writeFaultAt = 0;
long writeOperations = 0;

constexpr std::size_t flushThreshold = 1 << 16;

std::string vformatText(const char* format, std::va_list args) {
    std::va_list copy;
    va_copy(copy, args);
    char small[256];
    const int length = std::vsnprintf(small, sizeof small, format, copy);
    va_end(copy);
    if (length < 0) {
        return {};
    }
    if (static_cast<std::size_t>(length) < sizeof small) {
        return std::string(small, static_cast<std::size_t>(length));
    }
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    std::vsnprintf(text.data(), text.size(), format, args);
    text.resize(static_cast<std::size_t>(length));
    return text;
}

} // namespace

TextReader::TextReader(const std::filesystem::path& path) {
    FileContent file = readRegularFile(path);
    refusal_ = file.refusal;
    open_ = refusal_ == ReadRefusal::None;
    content_ = std::move(file.bytes);
}

TextReader TextReader::fromContent(std::string content) {
    TextReader reader;
    reader.content_ = std::move(content);
    reader.open_ = true;
    return reader;
}

bool TextReader::readLine(std::string& line) {
    if (!open_ || position_ >= content_.size()) {
        line.clear();
        return false;
    }
    const std::size_t end = content_.find('\n', position_);
    if (end == std::string::npos) {
        line.assign(content_, position_, std::string::npos);
        position_ = content_.size();
        return true;
    }
    std::size_t lineEnd = end;
    if (lineEnd > position_ && content_[lineEnd - 1] == '\r') {
        --lineEnd;
    }
    line.assign(content_, position_, lineEnd - position_);
    position_ = end + 1;
    return true;
}

TextWriter::TextWriter(const std::filesystem::path& path, WriteMode mode)
    : target_(path), mode_(mode) {
    if (mode_ == WriteMode::Atomic) {
        replacement_ = std::make_unique<FileReplacement>(target_);
        const int fd = replacement_->createTemporary();
        if (fd >= 0) {
            file_.reset(::fdopen(fd, "wb"));
            if (!file_) {
                ::close(fd);
            }
        }
    } else {
        file_.reset(std::fopen(target_.c_str(), "wb"));
    }
    failed_ = !file_;
    buffer_.reserve(flushThreshold);
}

TextWriter::~TextWriter() {
    // An atomic writer that was not closed leaves the target as it was: the replacement
    // removes its temporary file.
    file_.reset();
}

bool TextWriter::targetWriteProtected() const {
    return replacement_ && replacement_->refusal() == FileReplacement::Refusal::WriteProtected;
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

void TextWriter::writeLine(std::string_view text) {
    std::string line;
    line.reserve(text.size() + 1);
    line.append(text);
    line.push_back('\n');
    write(line);
}

void TextWriter::print(const char* format, ...) {
    std::va_list args;
    va_start(args, format);
    const std::string text = vformatText(format, args);
    va_end(args);
    write(text);
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
    const bool replacing = mode_ == WriteMode::Atomic && !replacement_->inPlace();
    if (replacing && !failed_ && !replacement_->flushToDisk(::fileno(file_.get()))) {
        failed_ = true;
    }
    if (std::fclose(file_.release()) != 0) {
        failed_ = true;
    }
    closed_ = true;
    if (replacing) {
        if (!failed_ && !replacement_->putInPlace()) {
            failed_ = true;
        }
        // A failed replacement takes its temporary file with it.
        replacement_.reset();
    }
    return !failed_;
}

bool TextWriter::replaceTargetNow() {
    if (mode_ != WriteMode::Atomic || !file_ || closed_ || failed_) {
        return false;
    }
    if (replacement_->inPlace()) {
        return true;
    }
    if (!countOperation()) {
        failed_ = true;
        return false;
    }
    flushBuffer();
    if (std::fflush(file_.get()) != 0 || !replacement_->flushToDisk(::fileno(file_.get())) ||
        !replacement_->putInPlace()) {
        failed_ = true;
    }
    return !failed_;
}

std::string formatText(const char* format, ...) {
    std::va_list args;
    va_start(args, format);
    std::string text = vformatText(format, args);
    va_end(args);
    return text;
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
