// Files the reader must refuse: the labelled corrupted-data box, the fatal "No data in file",
// and what is left behind (no plot base, nothing to draw). Cut and damaged files never crash.
#include "ReaderFixture.h"

#include <cerrno>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

using namespace plots;
using readertest::Lines;
using readertest::PlotFiles;

namespace {

const char* const NoData = "";  // the case ends in the fatal "No data in file"

struct FailureCase {
    const char* Name;
    std::string Text;
    const char* Label;
};

const std::string fitHead = Lines({"fit", "e", "x"});
const std::string pzHead = Lines({"pz", "e", "x", "-1 2 3", "1 0 0 0"});

const std::vector<FailureCase> failureCases = {
    // header
    {"empty file", "", "modelX"},
    {"title only", Lines({"fit"}), "modelX"},
    {"header text lines only", fitHead, "modelX"},
    {"model record with a word", fitHead + Lines({"4 one 3"}), "modelX"},
    {"model record with a tab", fitHead + Lines({"4\t1 3"}), "modelX"},
    {"model record blank", fitHead + Lines({"", "4 1 3"}), "modelX"},
    {"plot type beyond sixteen bits", fitHead + Lines({"40000 1 3"}), "modelX"},
    {"point count beyond sixteen bits", fitHead + Lines({"4 1 32768"}), "modelX"},
    {"term count beyond sixteen bits", fitHead + Lines({"7 -1E+06 3"}), "modelX"},
    {"no terms for a fitting kind", fitHead + Lines({"4 0 3", "f", "0", "1", "0 0 0"}), "modelX"},
    {"negative terms for the ODE", fitHead + Lines({"0 -2 3", "ode", "1", "0 0 0"}), "modelX"},
    {"terms rounded down to none", fitHead + Lines({"1 .5 3", "f", "0", "1", "1", "1", "0 0 0"}), "modelX"},
    {"infinite count", fitHead + Lines({"4 inf 3"}), "modelX"},
    // kind-specific sections of the fitting kinds and the ODE
    {"fitting kind without its data file line", fitHead + Lines({"4 1 3"}), "A"},
    {"fitting kind without its y0 line", fitHead + Lines({"4 1 3", "f"}), "A"},
    {"ODE without its text line", fitHead + Lines({"0 1 3"}), "A"},
    {"amplitudes missing", fitHead + Lines({"4 1 3", "f", "0"}), "A"},
    {"amplitudes with nan", fitHead + Lines({"4 1 3", "f", "0", "nan"}), "A"},
    {"amplitudes overflowing", fitHead + Lines({"4 1 3", "f", "0", "1e400"}), "A"},
    {"too few amplitudes before the end", fitHead + Lines({"4 3 3", "f", "0", "1 2"}), "A"},
    {"pulse widths missing", fitHead + Lines({"1 1 3", "f", "0", "1"}), "PW50"},
    {"time offsets bad", fitHead + Lines({"1 1 3", "f", "0", "1", "2", "t0"}), "t0"},
    {"second amplitudes bad", fitHead + Lines({"2 1 3", "f", "0", "1", "x"}), "B"},
    {"phases missing", fitHead + Lines({"5 1 3", "f", "0", "1", "2"}), "C"},
    {"exponentials missing", fitHead + Lines({"6 1 3", "f", "0", "1", "2", "3"}), "D"},
    {"rate sums missing", fitHead + Lines({"110 2 3", "text", "1 2 3"}), "A1ksum"},
    {"rate sums without their text line", fitHead + Lines({"110 2 3"}), "A1ksum"},
    {"amounts bad", fitHead + Lines({"110 2 3", "text", "1 2 3 4", "100 x 5"}), "a1"},
    // pole-zero section
    {"delay record short", Lines({"pz", "e", "x", "-1 2 3", "1 0 0"}), "MtchDely"},
    {"delay flag beyond sixteen bits", Lines({"pz", "e", "x", "-2 2 3", "1E+05 0 0 0"}), "MtchDely"},
    {"pole counts bad", pzHead + Lines({"0 x"}), "nXpole"},
    {"negative pole count", pzHead + Lines({"0 -2", "1", "1"}), "nXpole"},
    {"sigma pole line missing", pzHead + Lines({"1 1"}), "nXpole"},
    {"sigma pole line not a number", pzHead + Lines({"1 1", "minus one", "-1", "1"}), "nXpole"},
    {"real parts bad", pzHead + Lines({"0 2", "-1 x"}), "pReal"},
    {"imaginary parts short before the end", pzHead + Lines({"0 2", "-1 -2", "3"}), "pImag"},
    {"sigma zero count line missing", pzHead + Lines({"0 1", "-1", "1"}), "xZero"},
    {"sigma zero count not a number", pzHead + Lines({"0 1", "-1", "1", "one"}), "xZero"},
    {"sigma zero record short", pzHead + Lines({"0 1", "-1", "1", "1", "-2 1"}), "xZero"},
    {"zero counts bad", pzHead + Lines({"0 1", "-1", "1", "0", "1 0"}), "nYzeros"},
    {"negative zero pair count", pzHead + Lines({"0 1", "-1", "1", "0", "0 -1 1", "1", "1", "g", "0 0"}), "nYzeros"},
    {"zero counts summing beyond sixteen bits", pzHead + Lines({"0 1", "-1", "1", "0", "0 20000 20000"}), "nYzeros"},
    {"omega zeros short", pzHead + Lines({"0 1", "-1", "1", "0", "2 0 0", "1.5"}), "yZeros"},
    {"zero real parts bad", pzHead + Lines({"0 1", "-1", "1", "0", "0 1 0", "x"}), "zReal"},
    {"zero imaginary parts missing", pzHead + Lines({"0 1", "-1", "1", "0", "0 1 0", ".5"}), "zImag"},
    {"gain missing after the zero counts", pzHead + Lines({"0 1", "-1", "1", "0", "0 0 0"}), "nYzeros"},
    {"gain missing after the omega zeros", pzHead + Lines({"0 1", "-1", "1", "0", "1 0 0", "2"}), "yZeros"},
    {"gain missing after the complex zeros", pzHead + Lines({"0 1", "-1", "1", "0", "0 1 0", ".5", "4"}), "zImag"},
    // data points
    {"no point count", fitHead + Lines({"7 1 0", "0 1 2"}), NoData},
    {"negative point count", fitHead + Lines({"7 1 -4", "0 1 2"}), NoData},
    {"data ends before the first point", fitHead + Lines({"4 1 5", "f", "0", "1"}), NoData},
    {"first point unreadable", fitHead + Lines({"4 1 5", "f", "0", "1", "0 1", "x"}), NoData},
    {"first point blank", fitHead + Lines({"4 1 5", "f", "0", "1", "", "0 1 2"}), NoData},
};

class FailureTest : public ::testing::TestWithParam<FailureCase> {};

TEST_P(FailureTest, IsReportedAndLeavesNothingToDraw)
{
    const FailureCase& c = GetParam();
    PlotFiles files;
    const auto r = files.Read(c.Text);
    EXPECT_FALSE(r->Ok);
    EXPECT_EQ(r->Data.PointCount, -1);
    if (c.Label == NoData) {
        EXPECT_EQ(r->Outcome.Status, ReadStatus::NoData);
        return;
    }
    EXPECT_EQ(r->Outcome.Status, ReadStatus::Corrupted);
    EXPECT_EQ(r->Outcome.Label, c.Label);
    EXPECT_GT(r->Outcome.Line, 0);
}

INSTANTIATE_TEST_SUITE_P(Files, FailureTest, ::testing::ValuesIn(failureCases), [](const auto& info) {
    std::string name;
    for (const char ch : std::string(info.param.Name)) name += std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
    return name;
});

// One line of n amplitudes as a fitting tool writes them: over 64 KiB for 5,100 of them.
std::string Amplitudes(int n)
{
    std::string line;
    for (int i = 1; i <= n; ++i) line += (i > 1 ? " " : "") + std::string("1.2345678E-03");
    return line;
}

TEST(LongLines, ThousandsOfValuesOnOneLineAreRead)
{
    PlotFiles files;
    const auto r = files.Read(fitHead + Lines({"4 5100 3", "f", "0", Amplitudes(5100).c_str(), "1 2 3", "2 3 4", "3 4 5"}));
    ASSERT_TRUE(r->Ok) << r->Outcome.Label << " at line " << r->Outcome.Line;
    EXPECT_EQ(r->Data.ParamA.size(), 5100u);
    EXPECT_EQ(r->Data.PointCount, 3);
}

TEST(CorruptedFile, NamesTheRecordAndTheLineItStoppedAtAndKeepsWhatWasRead)
{
    struct Case {
        const char* What;
        std::string Text;
        const char* Label;
        int Line;
    } cases[] = {
        {"a word where t0 is due", fitHead + Lines({"1 1 3", "f", "0", "1", "2", "x"}), "t0", 9},
        {"the file ends where t0 is due", fitHead + Lines({"1 1 3", "f", "0", "1", "2"}), "t0", 9},
        {"a tab between the header's numbers", Lines({"fit", "e", "x", "1\t1 3"}), "modelX", 4},
        {"an empty file", "", "modelX", 1},
        {"a word at the end of a line of 5,100 amplitudes", fitHead + Lines({"4 5100 3", "f", "0", (Amplitudes(5099) + " x").c_str()}),
         "A", 7},
    };
    for (const Case& c : cases) {
        PlotFiles files;
        const auto r = files.Read(c.Text, "broken");
        EXPECT_EQ(r->Outcome.Status, ReadStatus::Corrupted) << c.What;
        EXPECT_EQ(r->Outcome.Label, c.Label) << c.What;
        EXPECT_EQ(r->Outcome.Line, c.Line) << c.What;
    }
    PlotFiles files;
    const auto r = files.Read(cases[0].Text, "broken");
    EXPECT_EQ(r->Data.ParamA, Series{1}) << "values read before the failure stay";
    EXPECT_EQ(r->Data.ParamPW50, Series{2});
    EXPECT_EQ(r->Data.ParamT0, Series{0}) << "the failing array keeps its zero-filled state";
    EXPECT_EQ(CorruptedTitle("t0"), "Reading data file error at --> t0.");
    EXPECT_EQ(CorruptedText("/runs/broken"), "/runs/broken\r\n"
                                             "Data file is corrupted; you must rerun problem to create a \r\n"
                                             "new data file.  If this problem continues, Please notify\r\n"
                                             "us via e-mail and attach your input file for us to see the\r\n"
                                             "same results.");
}

TEST(UnreadableFile, IsNotCalledCorrupted)
{
    PlotFiles files;
    const std::string path = files.Write("locked.plt", Lines({"t", "e", "x", "7 1 1", "0 1 2"}));
    ASSERT_EQ(::chmod(files.Dir().c_str(), 0755), 0);
    ASSERT_EQ(::chmod(path.c_str(), 0), 0);
    const auto read = [&] {
        const auto r = PlotFiles::ReadExisting(files.Dir() + "/locked");
        return r->Outcome.Status == ReadStatus::Unreadable && r->Outcome.Error == EACCES && r->Data.PointCount == -1;
    };
    if (geteuid() != 0) {
        EXPECT_TRUE(read());
        return;
    }
    // Root reads any file: the read is made by an ordinary user in a child process.
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) _exit(setgid(65534) == 0 && setuid(65534) == 0 && read() ? 0 : 1);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

// Files that are not plot files at all fail quickly and without growing memory.
TEST(NotAPlotFile, BinaryAndEndlessLinesAreCorrupted)
{
    std::string binary;
    for (int i = 0; i < 200000; ++i) binary += char((i * 7919) % 256);
    const std::string endless(8 << 20, '7');
    const std::string endlessSpaces = fitHead + "4 1 3\r\n" + std::string(8 << 20, ' ');
    const std::string nulls(4096, '\0');
    for (const std::string* text : std::vector<const std::string*>{&binary, &endless, &endlessSpaces, &nulls}) {
        PlotFiles files;
        const auto r = files.Read(*text);
        EXPECT_FALSE(r->Ok);
        EXPECT_EQ(r->Data.PointCount, -1);
        EXPECT_TRUE(r->Outcome.Status == ReadStatus::Corrupted || r->Outcome.Status == ReadStatus::NoData);
    }
}

TEST(NotAPlotFile, AHugeBlockCountReadsOnlyWhatIsThere)
{
    PlotFiles files;
    auto r = files.Read(Lines({"pz", "e", "x", "-1 1 1", "0 0 0 0", "0 1", "-1", "1", "0", "0 0 0", "1", "0 0",
                               "0 1 2", "block", "32767", "0 1", "1 2"}));
    ASSERT_TRUE(r->Ok);
    ReadNextBlock(r->Data);
    EXPECT_EQ(r->Data.PointCount, 2);
    EXPECT_EQ(r->Data.DataX.size(), 2u);
}

// Every prefix of a valid pole-zero file, cut at each byte, either reads or is refused; the
// later blocks can be asked for in either case.
TEST(CutFiles, EveryPrefixOfAPoleZeroFileReadsOrFails)
{
    std::ifstream in(std::string(TK_SOURCE_DIR) + "/samples/pulseqz.plt", std::ios::binary);
    const std::string whole((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_GT(whole.size(), 1000u);
    PlotFiles files;
    const std::string path = files.Write("cut.plt", whole);
    int succeeded = 0;
    // Cutting the one file shorter and shorter spares writing thousands of files.
    for (std::size_t cut = whole.size() + 1; cut-- > 0;) {
        std::filesystem::resize_file(path, cut);
        const auto r = PlotFiles::ReadExisting(files.Dir() + "/cut");
        const bool refused = r->Outcome.Status == ReadStatus::Corrupted || r->Outcome.Status == ReadStatus::NoData;
        ASSERT_NE(r->Ok, refused) << "cut at " << cut;
        if (r->Ok) {
            ++succeeded;
            ASSERT_GT(r->Data.PointCount, 0) << "cut at " << cut;
            ASSERT_EQ(r->Data.DataX.size(), std::size_t(r->Data.PointCount));
            ReadNextBlock(r->Data);
            ReadNextBlock(r->Data);
            ASSERT_GE(r->Data.PointCount, 0);
            ASSERT_EQ(r->Data.DataX.size(), r->Data.DataY2.size());
        } else {
            ASSERT_EQ(r->Data.PointCount, -1) << "cut at " << cut;
        }
    }
    EXPECT_GT(succeeded, 0);
}

}  // namespace
