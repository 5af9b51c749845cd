// The line reader under every plot data, output and source file: line ends, decoding, the
// line length limit, and lines that run across the blocks the file is read in.
#include "common/TextFile.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <fstream>
#include <string>
#include <vector>

#include <sys/stat.h>

namespace {

constexpr std::size_t Block = 64 * 1024;  // the reader's block size

struct LinesCase {
    const char* What;
    std::string Bytes;
    std::vector<std::string> Lines;
    bool Failed = false;  // the reading ends in a failure rather than at the end of the file
    std::size_t Limit = 1 << 20;
};

std::vector<LinesCase> Cases()
{
    const std::string fill(Block - 1, 'a');
    const std::string longLine(3 * Block + 17, 'x');
    return {
        {"an empty file has no line", "", {}},
        {"a lone line end is one empty line", "\n", {""}},
        {"CR, CR LF and LF each end a line", "a\rb\r\nc\nd", {"a", "b", "c", "d"}},
        {"CR CR LF is an empty line between two", "a\r\r\nb\r\n", {"a", "", "b"}},
        {"LF CR is two line ends", "a\n\rb", {"a", "", "b"}},
        {"CR LF split by the end of a block is one line end", fill + "\r\nnext\r\n", {fill, "next"}},
        {"CR at the very end of a block before another line", fill + "\rnext", {fill, "next"}},
        {"CR as the file's last byte after a full block", fill + "\r", {fill}},
        {"a line longer than a block comes whole", "a\r\n" + longLine + "\r\nb", {"a", longLine, "b"}},
        {"a line at the limit is read", "12345\r\n67", {"12345", "67"}, false, 5},
        {"a line over the limit fails the reading", "1234\r\n123456\r\nmore\r\n", {"1234"}, true, 5},
        {"Windows-1252 text comes as UTF-8", "caf\xe9 \x80\r\n", {"caf\xc3\xa9 \xe2\x82\xac"}},
        {"UTF-8 text stays as it is", "\xc3\xa9t\xc3\xa9\r\n", {"\xc3\xa9t\xc3\xa9"}},
    };
}

TEST(LineReader, ReadsEveryLineOfTheFile)
{
    QTemporaryDir dir;
    for (const LinesCase& c : Cases()) {
        const std::string path = dir.filePath("lines.txt").toStdString();
        std::ofstream(path, std::ios::binary | std::ios::trunc) << c.Bytes;

        tk::LineReader reader(c.Limit);
        ASSERT_TRUE(reader.Open(path)) << c.What;
        EXPECT_EQ(reader.AtEnd(), c.Bytes.empty()) << c.What;
        std::vector<std::string> lines;
        std::string line;
        while (reader.ReadLine(line)) lines.push_back(line);
        EXPECT_EQ(lines, c.Lines) << c.What;
        EXPECT_EQ(reader.Failed(), c.Failed) << c.What;
        EXPECT_TRUE(line.empty()) << c.What << ": no line is delivered at the end";
        EXPECT_FALSE(reader.ReadLine(line)) << c.What << ": the end stays the end";
    }
}

TEST(LineReader, ReopeningStartsTheNewFileAtItsFirstLine)
{
    QTemporaryDir dir;
    const std::string first = dir.filePath("first.txt").toStdString();
    const std::string second = dir.filePath("second.txt").toStdString();
    std::ofstream(first, std::ios::binary) << "one\r\ntwo\r\n";
    std::ofstream(second, std::ios::binary) << "three\r\n";

    tk::LineReader reader;
    std::string line;
    ASSERT_TRUE(reader.Open(first));
    ASSERT_TRUE(reader.ReadLine(line));
    EXPECT_EQ(line, "one");
    ASSERT_TRUE(reader.Open(second));
    ASSERT_TRUE(reader.ReadLine(line));
    EXPECT_EQ(line, "three");
    EXPECT_TRUE(reader.AtEnd());
    reader.Close();
    EXPECT_FALSE(reader.ReadLine(line));
    EXPECT_FALSE(reader.Open(dir.filePath("none.txt").toStdString()));
}

// A name may hold a FIFO or a device that another program controls: opening it must not wait.
TEST(LineReader, NamesThatHoldNoFileAreRefusedAtOnce)
{
    QTemporaryDir dir;
    const std::string fifo = dir.filePath("fifo").toStdString();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const struct {
        std::string Path;
        int Error;
    } cases[] = {{fifo, EINVAL}, {"/dev/null", EINVAL}, {dir.path().toStdString(), EISDIR}};
    for (const auto& c : cases) {
        tk::LineReader reader;
        errno = 0;
        EXPECT_FALSE(reader.Open(c.Path)) << c.Path;
        EXPECT_EQ(errno, c.Error) << c.Path;
        std::string bytes;
        EXPECT_EQ(tk::ReadRegularFile(c.Path, bytes, 100), c.Error) << c.Path;
    }
}

}  // namespace
