// Numeric records, trimmed lines and count rounding: the lexical layer of the plot data file.
#include "ReaderFixture.h"

#include "plots/data/PlotFile.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using namespace plots;
using readertest::Lines;
using readertest::PlotFiles;

namespace {

struct NumbersCase {
    const char* Name;
    std::string Text;
    int Wanted;
    int Status;
    std::vector<double> Values;  // what the record delivers on success
    const char* NextLine;        // the line the file is positioned at afterwards (nullptr: end)
};

const std::vector<NumbersCase> numbersCases = {
    {"three on one line", Lines({"1 2 3", "next"}), 3, ReadOk, {1, 2, 3}, "next"},
    {"spread over two lines", Lines({"1 2", "3", "next"}), 3, ReadOk, {1, 2, 3}, "next"},
    {"extra numbers on the last line are taken", Lines({"1", "2 3 4 5", "next"}), 3, ReadOk, {1, 2, 3, 4, 5}, "next"},
    {"runs of spaces and outer spaces", Lines({"   1    2  ", "  3   ", "next"}), 3, ReadOk, {1, 2, 3}, "next"},
    {"numbers as the tools print them", Lines({" .5 -.5  1.25E-03 -2.5E+02 12 5."}), 6, ReadOk,
     {0.5, -0.5, 1.25e-3, -250, 12, 5}, nullptr},
    {"blank line after the first number is skipped", Lines({"1", "", "   ", "2 3", "next"}), 3, ReadOk, {1, 2, 3}, "next"},
    {"blank line in place of the first number fails", Lines({"", "1 2 3"}), 3, ReadFailed, {}, "1 2 3"},
    {"line of spaces in place of the first number fails", Lines({"    ", "1 2 3"}), 3, ReadFailed, {}, "1 2 3"},
    {"a tab between two numbers fails", Lines({"1\t2 3", "next"}), 3, ReadFailed, {}, "next"},
    {"a tab beside a number fails", Lines({"1\t 2 3", "next"}), 3, ReadFailed, {}, "next"},
    {"a word fails", Lines({"1 two 3", "next"}), 3, ReadFailed, {}, "next"},
    {"a comma is no decimal separator", Lines({"1,5 2 3", "next"}), 3, ReadFailed, {}, "next"},
    {"infinity is no number", Lines({"1 inf 3", "next"}), 3, ReadFailed, {}, "next"},
    {"nan is no number", Lines({"1 nan 3", "next"}), 3, ReadFailed, {}, "next"},
    {"an overflowing number is no number", Lines({"1 1e400 3", "next"}), 3, ReadFailed, {}, "next"},
    {"end of file before enough numbers", Lines({"1 2"}), 3, ReadFailed, {}, nullptr},
    {"lines read before the failure stay consumed", Lines({"1", "2", "x", "next"}), 3, ReadFailed, {}, "next"},
    {"a last line without its line end", "7 8 9", 3, ReadOk, {7, 8, 9}, nullptr},
    {"no numbers wanted: a blank line is the empty record", Lines({"", "next"}), 0, ReadOk, {}, "next"},
    {"no numbers wanted: a line of numbers is taken", Lines({"4 5", "next"}), 0, ReadOk, {4, 5}, "next"},
    {"a long record over several lines keeps every number in order",
     Lines({"1 2 3 4 5", "6 7 8 9", "10 11 12", "next"}), 10, ReadOk, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}, "next"},
    {"a long record that fails late leaves the target as it was", Lines({"1 2 3 4 5 6 7 8 9 10", "x", "next"}), 12,
     ReadFailed, {}, "next"},
};

class ReadNumbersTest : public ::testing::TestWithParam<NumbersCase> {};

TEST_P(ReadNumbersTest, DeliversTheRecordOrFails)
{
    const NumbersCase& c = GetParam();
    PlotFiles files;
    PlotData data;
    data.File = std::make_unique<PlotFile>();
    ASSERT_TRUE(data.File->Open(files.Write("numbers.plt", c.Text)));

    Series target{42};
    EXPECT_EQ(ReadNumbers(data, target, c.Wanted), c.Status);
    if (c.Status == ReadOk) EXPECT_EQ(target, c.Values);
    else EXPECT_EQ(target, Series{42}) << "a failed record leaves the target as it was";

    const auto next = ReadTrimmedLine(data);
    if (c.NextLine) {
        ASSERT_TRUE(next.has_value());
        EXPECT_EQ(*next, c.NextLine);
    } else {
        EXPECT_FALSE(next.has_value());
    }
}

INSTANTIATE_TEST_SUITE_P(Records, ReadNumbersTest, ::testing::ValuesIn(numbersCases),
                         [](const auto& info) {
                             std::string name;
                             for (const char ch : std::string(info.param.Name)) name += std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
                             return name;
                         });

TEST(ReadNumbers, FailsWithoutAnOpenFile)
{
    PlotData data;
    Series target;
    EXPECT_EQ(ReadNumbers(data, target, 1), ReadFailed);
}

struct TrimCase {
    std::string Line;
    std::string Trimmed;
};

TEST(ReadTrimmedLine, RemovesSpacesButKeepsTabs)
{
    const TrimCase cases[] = {
        {"  title  ", "title"},
        {"\ttabbed\t ", "\ttabbed\t"},
        {"   ", ""},
        {"inner   spaces", "inner   spaces"},
    };
    for (const TrimCase& c : cases) {
        PlotFiles files;
        PlotData data;
        data.File = std::make_unique<PlotFile>();
        ASSERT_TRUE(data.File->Open(files.Write("line.txt", c.Line + "\r\n")));
        EXPECT_EQ(ReadTrimmedLine(data), c.Trimmed) << "line [" << c.Line << "]";
        EXPECT_FALSE(ReadTrimmedLine(data).has_value()) << "end of file after the line";
    }
}

TEST(RoundCount, RoundsHalfToEvenWithinSixteenBits)
{
    struct Case {
        double Value;
        std::optional<std::int16_t> Count;
    };
    const Case cases[] = {
        {2.5, 2}, {3.5, 4}, {-2.5, -2}, {-3.5, -4}, {2.4999, 2}, {2.5001, 3}, {0.5, 0}, {1.5, 2},
        {32767, 32767}, {32767.4, 32767}, {32767.5, std::nullopt}, {-32768, -32768}, {-32768.5, -32768},
        {-32769, std::nullopt}, {1e9, std::nullopt}, {INFINITY, std::nullopt}, {NAN, std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(RoundCount(c.Value), c.Count) << "value " << c.Value;
}

// The same small file with each kind of line end reads the same.
TEST(LineEnds, CrCrLfAndLfReadAlike)
{
    const char* const ends[] = {"\r\n", "\r", "\n"};
    for (const char* end : ends) {
        PlotFiles files;
        const auto r = files.Read(Lines({"power", " 1.5E-02", "any", " 4  1  3 ", "poly.dat", " .5", " 2 ",
                                         " 0  1  .1 ", " 1  2 -.1 ", " 2  3  0 "},
                                        end));
        ASSERT_TRUE(r->Ok) << "line end " << int(end[0]);
        EXPECT_EQ(r->Data.TitleLine, "power");
        EXPECT_EQ(r->Data.YOffsetText, ".5");
        EXPECT_EQ(r->Data.PointCount, 3);
        EXPECT_EQ(r->Data.DataY2, (Series{0.1, -0.1, 0}));
    }
}

}  // namespace
