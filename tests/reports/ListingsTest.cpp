#include "plots/data/Listings.h"

#include "ReportFixture.h"

#include <QDir>
#include <QImage>
#include <gtest/gtest.h>

using namespace plots;
using reports_test::Fixture;

namespace {

const std::string Banner = "             =============== Error? =========";
const std::string NotRequired = "====================== Output file not required. =====================";

}  // namespace

TEST(OutputListing, LinesAreAppendedTrimmedWithCrLf)
{
    const struct {
        const char* Name;
        std::string Bytes;
        std::string Expected;  // what follows "summary"
    } cases[] = {
        {"first line with text joins the last line", "Run 1  \r\nb\r\n", "summaryRun 1\r\nb\r\n"},
        {"empty first line starts a fresh line", "\r\nRun 1\r\n", "summary\r\nRun 1\r\n"},
        {"CR alone, LF alone, last line without end", "a\rb\nc", "summarya\r\nb\r\nc\r\n"},
        {"leading blanks and tabs stay", "  \tx \t  \r\n", "summary  \tx \t\r\n"},
        {"empty file appends nothing", "", "summary"},
        {"8-bit text is decoded", "Gr\xf6\xdf" "e\r\n", "summaryGröße\r\n"},
    };
    for (const auto& c : cases) {
        Fixture f;
        f.Write("run.out", c.Bytes);
        f.Host.Output = "summary";
        f.Viewer.ReadOutputFile(f.Path("run.out"));
        EXPECT_EQ(f.Host.Output, c.Expected) << c.Name;
        EXPECT_EQ(f.Host.CaptionRefreshes, 0) << c.Name;
    }
}

// A window reads a listing a part at a time: whatever the parts, they make the text a whole read
// makes. Each line is decoded on its own (strict UTF-8, else Windows-1252), so a line read late
// that is not UTF-8 changes nothing read before; the file's 64 KiB blocks may end inside a line
// end or a character.
TEST(OutputListing, ReadInPartsGivesTheWholeText)
{
    const std::size_t Block = 64 * 1024;
    std::string utf8Lines, utf8Text;
    while (utf8Lines.size() < 300 * 1024) {
        utf8Lines += " Gr\xc3\xb6\xc3\x9f" "e = 1.5   \r\n";
        utf8Text += " Gr\xc3\xb6\xc3\x9f" "e = 1.5\r\n";
    }
    const struct {
        const char* Name;
        std::string Bytes;
        std::string Expected;
    } cases[] = {
        {"UTF-8", "\xe2\x82\xac 5  \r\nGr\xc3\xb6\xc3\x9f" "e\n", "\xe2\x82\xac 5\r\nGr\xc3\xb6\xc3\x9f" "e\r\n"},
        {"Windows-1252", "\x80 5\r\nGr\xf6\xdf" "e\r", "\xe2\x82\xac 5\r\nGr\xc3\xb6\xc3\x9f" "e\r\n"},
        {"CR LF across a block edge", std::string(Block - 1, 'a') + "\r\nb\r\n", std::string(Block - 1, 'a') + "\r\nb\r\n"},
        {"a lone CR at a block edge", std::string(Block - 1, 'a') + "\rb", std::string(Block - 1, 'a') + "\r\nb\r\n"},
        {"a character across a block edge", std::string(Block - 1, 'a') + "\xc3\xa4\r\n",
         std::string(Block - 1, 'a') + "\xc3\xa4\r\n"},
        {"a Windows-1252 line after 300 KB of UTF-8", utf8Lines + "Gr\xf6\xdf" "e\r\n",
         utf8Text + "Gr\xc3\xb6\xc3\x9f" "e\r\n"},
    };
    for (const auto& c : cases) {
        Fixture f;
        f.Write("run.out", c.Bytes);
        // (Compared as a whole: the texts are too long to print.)
        EXPECT_TRUE(ReadListing(f.Path("run.out")).Text == c.Expected) << c.Name;
        for (const std::size_t part : {std::size_t(1), std::size_t(100), Block, 4 * Block}) {
            ListingReader in(f.Path("run.out"));
            std::string text;
            int parts = 1;
            while (in.Read(text, part)) ++parts;
            EXPECT_TRUE(text == c.Expected) << c.Name << ", parts of " << part;
            EXPECT_TRUE(in.Complete()) << c.Name;
            if (part == 1) {
                EXPECT_GT(parts, 1) << c.Name;
            }
        }
    }
}

TEST(OutputListing, MissingFileLeavesTheNotice)
{
    Fixture f;
    f.Host.Output = "summary";
    f.Viewer.ReadOutputFile(f.Path("none.out"));
    EXPECT_EQ(f.Host.Output, "summary\r\n\r\n\r\n" + Banner + "\r\nOutput file is missing in ... " + f.Path("none.out") +
                                 "\r\n" + NotRequired + "\r\n ");
}

TEST(OutputListing, UnreadableFileKeepsWhatWasReadAndSaysCorrupted)
{
    Fixture f;
    // A line far beyond any listing's length is read as a damaged file.
    f.Write("run.out", "first\r\n" + std::string(2 << 20, 'x') + "\r\n");
    f.Host.Output = "summary";
    f.Viewer.ReadOutputFile(f.Path("run.out"));
    EXPECT_EQ(f.Host.Output, "summaryfirst\r\n\r\n\r\n" + Banner + "\r\nOutput file corrupted in ... " + f.Path("run.out") +
                                 "\r\n" + NotRequired + "\r\n");
    EXPECT_EQ(f.Host.CaptionRefreshes, 1);
}

TEST(SourceListing, IsShownOnTheSourceTab)
{
    const struct {
        const char* Name;
        std::string WriteAs;  // where the file is put, relative to the temp dir
        std::string AskFor;   // the path asked for
        int Reads;
    } cases[] = {
        {"in its own directory", "run.qz", "run.qz", 1},
        {"found only in the parent directory", "run.qz", "sub/run.qz", 1},
        {"letter case differs", "RUN.QZ", "run.qz", 1},
        {"read twice, shown twice", "run.qz", "run.qz", 2},
    };
    for (const auto& c : cases) {
        Fixture f;
        QDir(QString::fromStdString(f.Path(""))).mkpath("sub");
        f.Write(c.WriteAs, "! model  \r\nx = 1\r\n");
        f.Run.PlotBase = f.Path("run");
        std::string expected;
        for (int i = 0; i < c.Reads; ++i) {
            f.Viewer.ReadSourceFile(f.Path(c.AskFor));
            expected += "! model\r\nx = 1\r\n";
        }
        EXPECT_EQ(f.Host.Input, expected) << c.Name;
        EXPECT_EQ(f.Host.Tab, TabInput) << c.Name;
        EXPECT_EQ(f.Host.TabCaptions[TabInput], "Source") << c.Name;
        EXPECT_TRUE(f.Messages.Boxes.empty()) << c.Name;
        EXPECT_EQ(f.Run.PlotBase, f.Path("run")) << c.Name;
    }
}

TEST(SourceListing, MissingOrDamagedSourceWarnsAndForgetsThePlotBase)
{
    const struct {
        const char* Name;
        std::string Bytes;  // empty: no file at all
        std::string InputAfter;
    } cases[] = {
        {"missing", "", ""},
        {"damaged after its first line", "line 1\r\n" + std::string(2 << 20, 'x'), "line 1\r\n"},
    };
    for (const auto& c : cases) {
        Fixture f;
        if (!c.Bytes.empty()) f.Write("run.qz", c.Bytes);
        f.Run.PlotBase = f.Path("run");
        f.Viewer.ReadSourceFile(f.Path("run.qz"));
        ASSERT_EQ(f.Messages.Boxes.size(), 1u) << c.Name;
        const tk::MessageBoxCall& box = f.Messages.Boxes[0];
        EXPECT_EQ(box.Text, f.Path("run") + "\r\nSource file is missing or corrupted.") << c.Name;
        EXPECT_EQ(box.Title, "Reading source file error") << c.Name;
        EXPECT_EQ(box.Icon, tk::MsgIcon::Exclamation) << c.Name;
        EXPECT_EQ(box.Buttons, tk::MsgButtons::Ok) << c.Name;
        EXPECT_EQ(f.Run.PlotBase, "") << c.Name;
        EXPECT_EQ(f.Host.CaptionRefreshes, 1) << c.Name;
        EXPECT_EQ(f.Host.Input, c.InputAfter) << c.Name;
    }
}

TEST(PicturePlot, PictureIsStretchedOverTheSurfaceAndTheCommandsAreSet)
{
    const struct {
        const char* Name;
        bool Present;
    } cases[] = {{"picture present", true}, {"picture missing", false}};
    for (const auto& c : cases) {
        Fixture f(320, 200);
        if (c.Present) {
            // One red pixel, the way a tool's GIF writer stores it.
            f.Write("run.gif", std::string("GIF89a\x01\x00\x01\x00\x80\x00\x00\xff\x00\x00\x00\x00\x00"
                                           ",\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02\x44\x01\x00;",
                                           35));
        }
        // A line plot before it left an upward user scale and its own drawing.
        f.Canvas.SetUserScale(0, 10, 10, -10);
        f.Canvas.SetBackColour(Rgb(0, 0, 255));
        f.Canvas.Clear();
        f.Run.PictureIndex = 5;
        f.Host.Commands[int(Command::PlotResults)].Enabled = true;
        f.Viewer.ShowPicturePlot(f.Path("run.gif"));

        EXPECT_EQ(f.Host.Tab, TabPlot) << c.Name;
        EXPECT_EQ(f.Run.PictureIndex, 2) << c.Name;
        for (Command on : {Command::SaveAs, Command::Print, Command::Next})
            EXPECT_TRUE(f.Host.Commands[int(on)].Enabled) << c.Name;
        EXPECT_FALSE(f.Host.Commands[int(Command::PlotResults)].Enabled) << c.Name;
        EXPECT_EQ(f.Host.Focused, Command::Next) << c.Name;
        EXPECT_EQ(f.Host.CaptionRefreshes, 1) << c.Name;

        const QImage shown = f.Canvas.Picture();
        const QColor expected = c.Present ? QColor(Qt::red) : QColor(Qt::blue);
        for (QPoint p : {QPoint(0, 0), QPoint(319, 199), QPoint(160, 100)})
            EXPECT_EQ(shown.pixelColor(p), expected) << c.Name << " at " << p.x() << "," << p.y();
    }
}
