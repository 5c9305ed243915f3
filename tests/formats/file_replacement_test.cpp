// Replacing a file keeps what the user set on it; reading refuses what is no regular file;
// the lock of a file keeps a second writer out.
#include "formats/file_lock.h"
#include "formats/file_replacement.h"
#include "formats/regular_file.h"
#include "formats/text_file.h"
#include "support/test_files.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <gtest/gtest.h>
#include <optional>
#include <sys/stat.h>

namespace zv {
namespace {

namespace fs = std::filesystem;
using test::readBytes;
using test::TempDir;
using test::writeBytes;

bool replace(const fs::path& target, const std::string& text) {
    TextWriter writer(target, WriteMode::Atomic);
    writer.write(text);
    return writer.close();
}

std::vector<std::string> names(const fs::path& dir) {
    std::vector<std::string> found;
    for (const auto& entry : fs::directory_iterator(dir)) {
        found.push_back(entry.path().filename().string());
    }
    std::sort(found.begin(), found.end());
    return found;
}

mode_t modeOf(const fs::path& path) {
    struct stat status {};
    ::stat(path.c_str(), &status);
    return status.st_mode & 07777;
}

TEST(FileReplacement, KeepsThePermissionBits) {
    for (const mode_t mode : {0600, 0640, 0604, 0755}) {
        TempDir dir;
        const fs::path target = dir.path() / "Flugbuch.log";
        writeBytes(target, "old\r\n");
        ::chmod(target.c_str(), mode);
        ASSERT_TRUE(replace(target, "new\n")) << std::oct << mode;
        EXPECT_EQ(readBytes(target), "new\r\n");
        EXPECT_EQ(modeOf(target), mode) << std::oct << mode;
    }
}

// A link stays a link; the file at its end is replaced, with the temporary file beside it.
TEST(FileReplacement, FollowsSymbolicLinksToTheRealFile) {
    struct Case {
        const char* name;
        std::vector<std::pair<std::string, std::string>> links; // link -> what it points to
        std::string real;                                       // below the data directory
        bool realExists;
    };
    const Case cases[] = {
        {"relative", {{"Flugbuch.log", "../data/real.log"}}, "real.log", true},
        {"absolute", {{"Flugbuch.log", "@/data/real.log"}}, "real.log", true},
        {"chain of two",
         {{"Flugbuch.log", "middle.log"}, {"middle.log", "../data/real.log"}},
         "real.log",
         true},
        {"dangling", {{"Flugbuch.log", "../data/new.log"}}, "new.log", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        fs::create_directory(dir.path() / "links");
        fs::create_directory(dir.path() / "data");
        if (c.realExists) {
            writeBytes(dir.path() / "data" / c.real, "old\r\n");
        }
        for (const auto& [link, to] : c.links) {
            const std::string target =
                to.starts_with("@") ? (dir.path() / to.substr(2)).string() : to;
            fs::create_symlink(target, dir.path() / "links" / link);
        }
        const fs::path spelled = dir.path() / "links" / "Flugbuch.log";
        ASSERT_TRUE(replace(spelled, "new\n"));
        EXPECT_TRUE(fs::is_symlink(spelled));
        EXPECT_EQ(readBytes(dir.path() / "data" / c.real), "new\r\n");
        EXPECT_EQ(resolveLinks(spelled).lexically_normal(),
                  (dir.path() / "data" / c.real).lexically_normal());
        EXPECT_EQ(names(dir.path() / "data"), std::vector<std::string>{c.real});
        EXPECT_EQ(names(dir.path() / "links").size(), c.links.size());
    }
}

// Refused instead of replaced: a write-protected file (also for the superuser, who could
// write it), and anything that is no regular file. Nothing is left behind.
TEST(FileReplacement, RefusesWriteProtectedAndNonRegularTargets) {
    TempDir dir;
    const fs::path locked = dir.path() / "Flugbuch.log";
    writeBytes(locked, "old\r\n");
    ::chmod(locked.c_str(), 0444);
    const fs::path fifo = dir.path() / "pipe.log";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    fs::create_directory(dir.path() / "dir.log");

    struct Case {
        fs::path target;
        bool writeProtected;
    };
    for (const Case& c :
         {Case{locked, true}, Case{fifo, false}, Case{dir.path() / "dir.log", false}}) {
        SCOPED_TRACE(c.target.string());
        TextWriter writer(c.target, WriteMode::Atomic);
        EXPECT_FALSE(writer.isOpen());
        EXPECT_EQ(writer.targetWriteProtected(), c.writeProtected);
        writer.write("new\n");
        EXPECT_FALSE(writer.close());
    }
    EXPECT_EQ(readBytes(locked), "old\r\n");
    EXPECT_TRUE(fs::is_fifo(fifo));
    EXPECT_EQ(names(dir.path()), (std::vector<std::string>{"Flugbuch.log", "dir.log", "pipe.log"}));
    EXPECT_TRUE(isWriteProtected(locked));
    ::chmod(locked.c_str(), 0644);
    EXPECT_FALSE(isWriteProtected(locked));
}

TEST(FileReplacement, TemporaryNamesAndTheirRemoval) {
    const std::pair<const char*, bool> cases[] = {
        {"Flugbuch.log.1a2b3c.tmp", true},   {"Flugbuch.log.000000.tmp", true},
        {"Flugbuch.log.1A2B3C.tmp", false},  {"Flugbuch.log.12345.tmp", false},
        {"Flugbuch.log.1234567.tmp", false}, {"Flugbuch.log.tmp", false},
        {"Flugbuch.log.12345g.tmp", false},  {"Flugbuch.bak.123456.tmp", false},
        {"xFlugbuch.log.123456.tmp", false},
    };
    TempDir dir;
    writeBytes(dir.path() / "Flugbuch.log", "main\r\n");
    std::vector<std::string> kept = {"Flugbuch.log"};
    for (const auto& [name, temporary] : cases) {
        EXPECT_EQ(isTemporaryName(name, "Flugbuch.log"), temporary) << name;
        writeBytes(dir.path() / name, "left behind");
        if (!temporary) {
            kept.push_back(name);
        }
    }
    // A directory of a matching name is no temporary file of ours.
    fs::create_directory(dir.path() / "Flugbuch.log.abcdef.tmp");
    kept.push_back("Flugbuch.log.abcdef.tmp");
    std::sort(kept.begin(), kept.end());

    fs::create_symlink("Flugbuch.log", dir.path() / "link.log");
    removeStaleTemporaries(dir.path() / "link.log"); // through the link: the real file's
    kept.push_back("link.log");
    std::sort(kept.begin(), kept.end());
    EXPECT_EQ(names(dir.path()), kept);
}

TEST(RegularFile, OnlyRegularFilesUpToTheLimitAreRead) {
    TempDir dir;
    const fs::path fifo = dir.path() / "pipe.log";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    // Sparse: a size beyond the limit without the disk space.
    const fs::path huge = dir.path() / "huge.log";
    writeBytes(huge, "x");
    fs::resize_file(huge, maxReadableFileSize + 1);
    const fs::path limit = dir.path() / "limit.log";
    writeBytes(limit, "x");
    fs::resize_file(limit, 100);
    fs::create_symlink("/dev/zero", dir.path() / "zero.log");

    struct Case {
        fs::path path;
        ReadRefusal refusal;
    };
    const Case cases[] = {
        {fifo, ReadRefusal::CannotOpen},
        {"/dev/zero", ReadRefusal::CannotOpen},
        {dir.path() / "zero.log", ReadRefusal::CannotOpen},
        {dir.path(), ReadRefusal::CannotOpen},
        {dir.path() / "missing.log", ReadRefusal::CannotOpen},
        {huge, ReadRefusal::TooLarge},
        {limit, ReadRefusal::None},
    };
    for (const Case& c : cases) {
        const TextReader reader(c.path);
        EXPECT_EQ(reader.refusal(), c.refusal) << c.path;
        EXPECT_EQ(reader.isOpen(), c.refusal == ReadRefusal::None) << c.path;
    }
    EXPECT_EQ(readRegularFile(limit).bytes.size(), 100u);
    EXPECT_EQ(readFirstLine(fifo, 100), std::nullopt);
}

TEST(RegularFile, FirstLineEndsAsTextReaderEndsIt) {
    const std::pair<std::string, std::optional<std::string>> cases[] = {
        {"@ZV 1\r\nrest\r\n", "@ZV 1"},
        {"@ZV 1\nrest", "@ZV 1"},
        {"@ZV 1\r", "@ZV 1\r"},
        {"@ZV 1", "@ZV 1"},
        {"", std::nullopt},
        {"\r\n", ""},
    };
    for (const auto& [content, line] : cases) {
        TempDir dir;
        writeBytes(dir.path() / "f.zvc", content);
        EXPECT_EQ(readFirstLine(dir.path() / "f.zvc", 100), line) << content;
    }
}

class ShortLockWait : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = lockWaitTime();
        setLockWaitTime(std::chrono::milliseconds(0));
    }
    void TearDown() override { setLockWaitTime(saved_); }

private:
    std::chrono::milliseconds saved_{};
};

using FileLockTest = ShortLockWait;

TEST_F(FileLockTest, WritersExcludeEachOtherAndReadersShare) {
    using Kind = FileLock::Kind;
    using State = FileLock::State;
    struct Case {
        Kind first;
        Kind second;
        State expected;
    };
    const Case cases[] = {
        {Kind::Exclusive, Kind::Exclusive, State::Busy},
        {Kind::Exclusive, Kind::Shared, State::Busy},
        {Kind::Shared, Kind::Exclusive, State::Busy},
        {Kind::Shared, Kind::Shared, State::Held},
    };
    for (const Case& c : cases) {
        TempDir dir;
        const fs::path file = dir.path() / "Flugbuch.log";
        {
            const FileLock first(file, c.first);
            ASSERT_TRUE(first.held());
            const FileLock second(file, c.second);
            EXPECT_EQ(second.state(), c.expected);
        }
        // Released with the first: the second gets it now.
        EXPECT_TRUE(FileLock(file, c.second).held());
    }
}

TEST_F(FileLockTest, EverySpellingOfAFileFindsTheSameHiddenLock) {
    TempDir dir;
    fs::create_directory(dir.path() / "data");
    writeBytes(dir.path() / "data" / "Flugbuch.log", "");
    fs::create_symlink("data/Flugbuch.log", dir.path() / "link.log");
    EXPECT_EQ(FileLock::lockFileOf(dir.path() / "link.log"),
              dir.path() / "data" / ".Flugbuch.log.lock");

    FileLock held(dir.path() / "data" / "Flugbuch.log", FileLock::Kind::Exclusive);
    ASSERT_TRUE(held.held());
    EXPECT_EQ(FileLock(dir.path() / "link.log", FileLock::Kind::Exclusive).state(),
              FileLock::State::Busy);
    // Moved, the lock stays held; the moved-from object holds nothing.
    FileLock moved = std::move(held);
    EXPECT_TRUE(moved.held());
    EXPECT_FALSE(held.held());
    EXPECT_EQ(FileLock(dir.path() / "link.log", FileLock::Kind::Shared).state(),
              FileLock::State::Busy);

    // Where no lock file can be made, nobody can replace the file either.
    EXPECT_EQ(FileLock(dir.path() / "missing" / "x.log", FileLock::Kind::Exclusive).state(),
              FileLock::State::Unavailable);
}

} // namespace
} // namespace zv
