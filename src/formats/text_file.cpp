#include "formats/text_file.h"

#include "formats/file_replacement.h"

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

void injectWriteFault(long n) {
    writeFaultAt = n;
    writeOperations = 0;
}

long countedWriteOperations() {
    return writeOperations;
}

bool copyLines(TextReader& in, const std::filesystem::path& target) {
    TextWriter out(target, WriteMode::Atomic);
    std::string_view line;
    while (in.readLine(line)) {
        out.writeLine(line);
    }
    return out.close();
}

} // namespace zv
