#include "formats/cp1252.h"
#include "formats/text_file.h"
#include "support/test_files.h"

#include <gtest/gtest.h>
#include <string_view>
#include <vector>

namespace zv {
namespace {

std::vector<std::string> allLines(TextReader reader) {
    std::vector<std::string> lines;
    std::string line;
    while (reader.readLine(line)) {
        lines.push_back(line);
    }
    return lines;
}

TEST(TextReader, LineEndsOfBothKindsAndAFinalLineWithoutEnd) {
    struct Case {
        std::string content;
        std::vector<std::string> lines;
    };
    const std::vector<Case> cases = {
        {"", {}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\nb\n", {"a", "b"}},
        {"a\r\nb", {"a", "b"}},
        {"\r\n\r\n", {"", ""}},
        {"a\rb\n", {"a\rb"}}, // a lone CR belongs to the line
        {"x\r", {"x\r"}},     // no LF: the CR is no line end
        {"\xB0\xC4\n", {"\xB0\xC4"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(allLines(TextReader::fromContent(c.content)), c.lines) << c.content;
    }
}

TEST(TextReader, LinesLeftAsReadLineReadsThemWithOrWithoutACopy) {
    for (const char* content : {"", "a", "a\n", "a\r\nb", "\n\n\n", "a\nb\n\nc"}) {
        TextReader counting = TextReader::fromContent(content);
        TextReader copying = TextReader::fromContent(content);
        std::size_t left = counting.linesLeft();
        std::string_view line;
        std::string copy;
        while (counting.readLine(line)) {
            ASSERT_TRUE(copying.readLine(copy)) << content;
            EXPECT_EQ(line, copy) << content;
            ASSERT_GT(left, 0u) << content;
            EXPECT_EQ(counting.linesLeft(), --left) << content;
        }
        EXPECT_EQ(left, 0u) << content;
        EXPECT_FALSE(copying.readLine(copy)) << content;
        EXPECT_TRUE(line.empty()) << content;
    }
}

TEST(TextReader, MissingFileAndDirectoryAreNotOpen) {
    test::TempDir dir;
    EXPECT_FALSE(TextReader(dir / "missing.txt").isOpen());
    EXPECT_FALSE(TextReader(dir.path()).isOpen());
}

TEST(TextWriter, WritesCrLfAndBytesUnchanged) {
    test::TempDir dir;
    TextWriter writer(dir / "out.txt");
    writer.write("a\nb\xB0\n");
    writer.write(" 7.0|m  | 1596\n");
    writer.writeLine("");
    ASSERT_TRUE(writer.close());
    EXPECT_EQ(test::readBytes(dir / "out.txt"), "a\r\nb\xB0\r\n 7.0|m  | 1596\r\n\r\n");
}

TEST(TextWriter, FileThatCannotBeCreatedFails) {
    test::TempDir dir;
    TextWriter writer(dir / "no/such/dir/out.txt");
    EXPECT_FALSE(writer.isOpen());
    writer.write("x\n");
    EXPECT_FALSE(writer.close());
}

TEST(TextWriter, AtomicReplaceKeepsOldFileOnEveryFault) {
    test::TempDir dir;
    const std::string target = dir / "Flugbuch.log";
    test::writeBytes(target, "old\r\n");
    const auto writeNew = [&] {
        TextWriter writer(target, WriteMode::Atomic);
        writer.write("new 1\n");
        writer.write("new 2\n");
        writer.writeLine("3");
        return writer.close();
    };
    // 3 writes (a line counts as one) and the close: each one fails in turn.
    for (long n = 1; n <= 4; ++n) {
        injectWriteFault(n);
        EXPECT_FALSE(writeNew()) << n;
        EXPECT_EQ(test::readBytes(target), "old\r\n") << n;
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1) << n;
    }
    injectWriteFault(0);
    EXPECT_TRUE(writeNew());
    EXPECT_EQ(test::readBytes(target), "new 1\r\nnew 2\r\n3\r\n");
}

TEST(TextWriter, AbandonedAtomicWriterLeavesNoTemporaryFile) {
    test::TempDir dir;
    {
        TextWriter writer(dir / "Lifts.lft", WriteMode::Atomic);
        writer.write("half");
    }
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

TEST(Cp1252, EveryByteSurvivesTheWayThroughUtf8) {
    std::string all;
    for (int byte = 0; byte < 256; ++byte) {
        all.push_back(static_cast<char>(byte));
    }
    EXPECT_EQ(utf8ToCp1252(cp1252ToUtf8(all)), all);
    EXPECT_EQ(cp1252ToUtf8("\xC4\xB0\x80"), "Ä°€");
    EXPECT_EQ(utf8ToCp1252("Ä→x"), "\xC4?x");
}

} // namespace
} // namespace zv
