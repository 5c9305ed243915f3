#pragma once

// Text mode as the instrument files and settings.ini use it: Windows-1252 bytes, kept
// as they are; CR LF written for every "\n"; CR LF and LF both accepted when reading.

#include "formats/regular_file.h"

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

namespace zv {

// Reads a text file line by line, with the line end stripped. A final line without a
// line end is still a line. Only a CR directly before the LF belongs to the line end.
// Only a regular file of at most 1 GiB is read (see regular_file.h); anything else is
// not open.
class TextReader {
public:
    explicit TextReader(const std::filesystem::path& path);
    // Reads from memory instead of a file (the fuzz targets and benchmarks use it).
    static TextReader fromContent(std::string content);

    bool isOpen() const { return open_; }
    // Why the file is not open: CannotOpen, or TooLarge (the caller says so).
    ReadRefusal refusal() const { return refusal_; }
    bool tooLarge() const { return refusal_ == ReadRefusal::TooLarge; }
    // The next line without its line end; false at the end of the file.
    bool readLine(std::string& line);
    // The same without a copy: the line stays valid while the reader lives and is not
    // moved.
    bool readLine(std::string_view& line);
    // How many lines are left to read (the readers size their lists with it).
    std::size_t linesLeft() const;

private:
    TextReader() = default;

    std::string content_;
    std::size_t position_ = 0;
    bool open_ = false;
    ReadRefusal refusal_ = ReadRefusal::None;
};

enum class WriteMode {
    Truncate, // create or truncate the file itself
    Atomic,   // write a temporary file beside the target, rename it over the target on close
};

class FileReplacement;

// Writes a text file. Every write is checked; a single failure makes close() fail.
// In atomic mode the target is replaced only by a successful close(); otherwise the
// temporary file is removed and the old target stays as it was. The replacement keeps
// the target's links and permissions, refuses a write-protected target and reaches the
// disk before the rename (see file_replacement.h).
class TextWriter {
public:
    explicit TextWriter(const std::filesystem::path& path, WriteMode mode = WriteMode::Truncate);
    ~TextWriter();
    TextWriter(const TextWriter&) = delete;
    TextWriter& operator=(const TextWriter&) = delete;

    bool isOpen() const { return file_ != nullptr; }
    // Writes text, each "\n" as CR LF (one write operation each). The numbers of a row
    // are formatted with the helpers of formats/text_fields.h into a buffer the caller
    // reuses.
    void write(std::string_view text);
    // The text and a line end.
    void writeLine(std::string_view text);
    // Flushes and closes (and renames in atomic mode); true when everything was written.
    bool close();
    bool failed() const { return failed_; }

    // Atomic mode: puts what was written so far in place of the target now; everything
    // written afterwards goes into the target itself, and close() only closes it (a
    // download that breaks off then leaves what arrived). False when that failed.
    bool replaceTargetNow();
    // Atomic mode: the target exists and is write-protected, so nothing was opened.
    bool targetWriteProtected() const;

private:
    struct FileCloser {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };

    bool countOperation();
    // Puts text into the buffer with CR LF line ends, without counting an operation.
    void append(std::string_view text);
    void flushBuffer();

    std::filesystem::path target_;
    std::unique_ptr<FileReplacement> replacement_;
    WriteMode mode_;
    std::unique_ptr<std::FILE, FileCloser> file_;
    std::string buffer_;
    bool failed_ = false;
    bool closed_ = false;
};

// Copies the rest of a text file line by line, each line with CR LF, replacing the target
// atomically (backups of the precious files and their restoring). False when the target
// could not be written completely; it is then as it was.
bool copyLines(TextReader& in, const std::filesystem::path& target);

// Test seam for I/O-error tests: the n-th write operation from now on (1 = the next one;
// every write(), writeLine() and close() of any TextWriter counts) fails as a
// full disk would. 0 switches the injection off.
void injectWriteFault(long n);
// The number of write operations counted since the last injectWriteFault() call.
long countedWriteOperations();

} // namespace zv
