#include "plots/report/Legends.h"
#include "plots/render/Frame.h"
#include "plots/render/TitleBlock.h"
#include "plots/report/RunSummary.h"

#include "ReportFixture.h"

#include <QFile>
#include <gtest/gtest.h>

#include <cmath>
#include <map>

using namespace plots;
using reports_test::Fixture;

namespace {

// Every text printed at the legends' left edge (x = 15), by design y.
// The legend lines at x = 15 by height; the tabs a line gets to bring its values to the block's
// column count as the one tab of its text.
std::map<int, std::string> LeftColumn(const RecordingSurface& s)
{
    std::map<int, std::string> column;
    for (const DrawCall& c : s.Texts()) {
        if (c.X1 != 15) continue;
        std::string text = c.Text_;
        for (std::size_t at = text.find("\t\t"); at != std::string::npos; at = text.find("\t\t"))
            text.erase(at, 1);
        column[int(c.Y1)] = text;
    }
    return column;
}

void PoleZeroRun(PlotData& d)
{
    d.PlotType = PlotType::PoleZeroFrequency;
    d.PoleCount = 2;
    d.PoleRe = {-0.5, -0.25};
    d.PoleIm = {1, 2000};
    d.GainText = "1.5";
}

}  // namespace

TEST(ParameterLegend, LinesStandAtTheirRowsForEveryFittingKind)
{
    const struct {
        std::int16_t PlotType;
        std::map<int, std::string> Expected;
    } cases[] = {
        {1,
         {{330, "      Y-Axis offset (y0): \t5.E-1"},
          {345, "            Amplitude(s): \t1.\t1.E+1\t5.E-1\t"},
          {360, "Pulse Width 50% Peak(s): \t1.5\t2.E+3\t-7.25\t"},
          {375, "   Time origin offset(s): \t2.5E-2\t1.23E+2\t1.\t"}}},
        {2,
         {{305, "      Y-Axis offset (y0): \t5.E-1"},
          {320, "        a - Amplitude(s): \t1.\t1.E+1\t5.E-1\t"},
          {335, "        b - Amplitude(s): \t2.\t2.\t2.\t"},
          {350, "Pulse Width 50% Peak(s): \t1.5\t2.E+3\t-7.25\t"},
          {365, "   Time origin offset(s): \t2.5E-2\t1.23E+2\t1.\t"}}},
        {3,
         {{345, "  Y-Axis offset (y0): \t5.E-1"},
          {360, "   Exp. Amplitude(s): \t1.\t1.E+1\t5.E-1\t"},
          {375, "Exponential Power(s): \t2.\t2.\t2.\t"}}},
        {4, {{360, "Y-Axis offset (y0): \t5.E-1"}, {375, "      Amplitude(s): \t1.\t1.E+1\t5.E-1\t"}}},
        {5,
         {{330, "Y-Axis offset (y0): \t5.E-1"},
          {345, "Sin Amplitude(s): \t1.\t1.E+1\t5.E-1\t"},
          {360, "      Frequency(s): \t2.\t2.\t2.\t"},
          {375, "          Phase(s): \t3.\t3.\t3.\t"}}},
        {6,
         {{305, "Y-Axis offset (y0):"},
          {320, "Sin Amplitude(s): \t1.\t1.E+1\t5.E-1\t"},
          {335, "     Frequency(s): \t2.\t2.\t2.\t"},
          {350, "          Phase(s): \t3.\t3.\t3.\t"},
          {365, "   Exponential(s): \t4.\t4.\t4.\t"}}},
        {7, {}},
        {0, {}},
        {110, {}},
    };
    for (const auto& c : cases) {
        Fixture f;
        PlotData& d = f.Data;
        d.PlotType = PlotTypeOfCode(c.PlotType);
        d.TermCount = 3;
        d.YOffsetText = " 0.5 ";
        d.ParamA = {1, 10, 0.5};
        d.ParamB = {2, 2, 2};
        d.ParamC = {3, 3, 3};
        d.ParamD = {4, 4, 4};
        d.ParamPW50 = {1.5, 2000, -7.25};
        d.ParamT0 = {0.025, 123.456, 1};
        ResetSurface(f.Ctx());
        DrawParameterLegend(f.Ctx());
        EXPECT_EQ(LeftColumn(f.Canvas), c.Expected) << "plot type " << c.PlotType;
        for (const auto& [y, text] : c.Expected)
            EXPECT_EQ(f.Canvas.FindText(text)->Colour_, f.Settings.Colours[SlotMiscInfo]) << text;
    }
}

TEST(ParameterLegend, OffsetThatIsNoNumberIsShownAsItIs)
{
    Fixture f;
    f.Data.PlotType = PlotType::LorentzianSeries;
    f.Data.YOffsetText = "none";
    ResetSurface(f.Ctx());
    DrawParameterLegend(f.Ctx());
    EXPECT_EQ(LeftColumn(f.Canvas)[330], "      Y-Axis offset (y0): \tnone");
}

TEST(ParameterLegend, SidelobeBannerOnlyOnThePoleZeroSidelobePlot)
{
    const struct {
        std::int16_t PlotType;
        PlotKind Kind;
        bool Banner;
    } cases[] = {{-2, PlotKind::SideLobe, true},         {-1, PlotKind::SideLobe, true},
                 {-2, PlotKind::CurveVersusData, false}, {-1, PlotKind::GroupDelayRipple, false},
                 {-2, PlotKind::FirstLinePlot, false},   {1, PlotKind::SideLobe, false},
                 {0, PlotKind::SideLobe, false}};
    for (const auto& c : cases) {
        Fixture f;
        PoleZeroRun(f.Data);
        f.Data.PlotType = PlotTypeOfCode(c.PlotType);
        ResetSurface(f.Ctx());
        DrawParameterLegend(f.Ctx(c.Kind));
        const std::pair<const char*, int> lines[] = {{"===== Sidelobe Ripple =====", 70},
                                                     {"=\t\t\t   =", 85},
                                                     {"=  20 Log10( Ycalc / Ymax)    =", 100},
                                                     {"=========================", 115}};
        for (const auto& [text, y] : lines) {
            const DrawCall* call = f.Canvas.FindText(text);
            ASSERT_EQ(call != nullptr, c.Banner) << c.PlotType << "/" << PlotKindName(c.Kind) << " " << text;
            if (!call) continue;
            EXPECT_EQ(call->Y1, y);
            EXPECT_NEAR(call->X1, std::nearbyint((630 - f.Canvas.TextWidth(text)) / 2), 1.0) << text;
            EXPECT_EQ(call->Colour_, f.Settings.Colours[SlotAxes]);
        }
    }
}

TEST(PoleZeroLegend, PartsStackUpwardAndEmptyPartsTakeNoRoom)
{
    const struct {
        const char* Name;
        std::function<void(PlotData&)> Fill;
        std::map<int, std::string> Expected;
    } cases[] = {
        {"poles only",
         [](PlotData&) {},
         {{370, "Imag. Pole Loc.s:  \t1.\t2.E+3\t"}, {355, " Real Pole Loc.s:  \t-5.E-1\t-2.5E-1\t"}, {340, "Gain:  \t1.5"}}},
        {"two zero pairs, an omega zero and a sigma pole",
         [](PlotData& d) {
             d.ZeroPairCount = 2;
             d.ComplexZeroCount = 2;
             d.ZeroRe = {0.5, 1};
             d.ZeroIm = {4, 3};
             d.OmegaZeroCount = 1;
             d.OmegaZeros = {1.5};
             d.SigmaPoleCount = 1;
             d.SigmaPole = -0.4565;
         },
         {{370, "Real Zero-pairs: \t5.E-1\t1.\t"},
          {355, "Imag. Zero-pairs: \t4.\t3.\t"},
          {340, "Omega-Axis Zeroes: \t1.5\t"},
          {325, "Sigma-Axis Pole: \t-4.57E-1"},
          {310, "Imag. Pole Loc.s:  \t1.\t2.E+3\t"},
          {295, " Real Pole Loc.s:  \t-5.E-1\t-2.5E-1\t"},
          {280, "Gain:  \t1.5"}}},
        {"every part, quads after the pairs",
         [](PlotData& d) {
             d.ZeroPairCount = 1;
             d.ZeroQuadCount = 2;
             d.ComplexZeroCount = 3;
             d.ZeroRe = {0.5, 1, 2};
             d.ZeroIm = {4, 3, 5};
             d.OmegaZeroCount = 2;
             d.OmegaZeros = {1.5, 2};
             d.SigmaZeroCount = 1;
             d.SigmaZero = -2.5;
             d.SigmaZeroPaired = 1;
             d.SigmaPoleCount = 1;
             d.SigmaPole = -1;
         },
         {{370, "Real Zero-pairs: \t5.E-1\t"},
          {355, "Imag. Zero-pairs: \t4.\t"},
          {340, "Omega-Axis Zeroes: \t1.5\t2.\t"},
          {325, "Zero-pair: \t-2.5"},
          {310, "Sigma-Axis Pole: \t-1."},
          {295, "Real Zero-quads: \t1.\t2.\t"},
          {280, "Imag. Zero-quads: \t3.\t5.\t"},
          {265, "Imag. Pole Loc.s:  \t1.\t2.E+3\t"},
          {250, " Real Pole Loc.s:  \t-5.E-1\t-2.5E-1\t"},
          {235, "Gain:  \t1.5"}}},
        {"single doublet zero and a gain that is no number",
         [](PlotData& d) {
             d.SigmaZeroCount = 1;
             d.SigmaZero = 2;
             d.SigmaZeroOrder = 1;
             d.PoleCount = 0;
             d.GainText = "n/a";
         },
         {{370, "Single Zero Doublet: \t2."}, {355, "Imag. Pole Loc.s:  \t"}, {340, " Real Pole Loc.s:  \t"},
          {325, "Gain:  \tn/a"}}},
        {"paired doublet and a single zero",
         [](PlotData& d) {
             d.SigmaZeroCount = 1;
             d.SigmaZero = 2;
             d.SigmaZeroOrder = 1;
             d.SigmaZeroPaired = 1;
         },
         {{370, "Zero-pair Doublet: \t2."}, {355, "Imag. Pole Loc.s:  \t1.\t2.E+3\t"},
          {340, " Real Pole Loc.s:  \t-5.E-1\t-2.5E-1\t"}, {325, "Gain:  \t1.5"}}},
    };
    for (const auto& c : cases) {
        Fixture f;
        PoleZeroRun(f.Data);
        c.Fill(f.Data);
        ResetSurface(f.Ctx());
        DrawPoleZeroLegend(f.Ctx());
        EXPECT_EQ(LeftColumn(f.Canvas), c.Expected) << c.Name;
        for (const DrawCall& call : f.Canvas.Texts()) {
            EXPECT_EQ(call.FontSize, 8) << call.Text_;
            EXPECT_EQ(call.Colour_, f.Settings.Colours[SlotMiscInfo]) << call.Text_;
        }
    }
}

TEST(PlotTitle, ToolNameDateAndKindLinesStandInPlace)
{
    const struct {
        const char* Name;
        std::int16_t PlotType;
        std::int16_t FileIndex;
        bool SecondFile;
        std::string Tool;
        std::string KindText;  // printed at (2, KindY), or empty
        int KindY;
    } cases[] = {
        {"fitting run with its second file, first file shown", 3, 1, true, "Fitmora (tm) with Initial Settings", "", 0},
        {"fitting run with its second file, second file shown", 3, 2, true, "Fitmora (tm)", "", 0},
        {"fitting run alone", 1, 1, false, "Fitmora (tm)", "", 0},
        {"ode", 0, 1, false, "Derivex (tm)", "Equation: y' = -k y", 385},
        {"two compartments", 110, 1, false, "Dosivo (tm)", "DT50:\t2.31", 35},
        {"frequency match", -2, 1, false, "Tunewave (tm)", "", 0},
        {"time match", -1, 1, false, "Tunepulse (tm)", "", 0},
    };
    for (const auto& c : cases) {
        Fixture f;
        PoleZeroRun(f.Data);
        f.Data.PlotType = PlotTypeOfCode(c.PlotType);
        f.Data.TitleLine = "  Elliptic low-pass  ";
        f.Data.OdeText = "y' = -k y";
        f.Data.DT50 = 2.3104906;
        f.Run.PlotBase = f.Path("run");
        f.Run.FileIndex = c.FileIndex;
        f.Write("run.plt", "x");
        QFile plt(QString::fromStdString(f.Path("run.plt")));
        ASSERT_TRUE(plt.open(QIODevice::ReadWrite));
        ASSERT_TRUE(plt.setFileTime(QDateTime(QDate(2009, 3, 5), QTime(14, 7)), QFileDevice::FileModificationTime));
        plt.close();
        if (c.SecondFile) f.Write("run.2lt", "x");

        f.Facts = f.Viewer.TitleFacts();
        ResetSurface(f.Ctx());
        DrawPlotTitle(f.Ctx());
        RecordingSurface& s = f.Canvas;
        // The legends go on in the MiscInfo colour at 10 points.
        EXPECT_EQ(s.FontSize(), 10) << c.Name;
        EXPECT_EQ(s.ForeColour(), f.Settings.Colours[SlotMiscInfo]) << c.Name;

        const DrawCall* title = s.FindText("Elliptic low-pass");
        ASSERT_NE(title, nullptr) << c.Name;
        EXPECT_EQ(title->Y1, 35);
        EXPECT_EQ(title->FontSize, 10);
        EXPECT_EQ(title->Colour_, f.Settings.Colours[SlotTitles]);
        const DrawCall* date = s.FindText("Mar 05, 2009 02:07 PM");
        ASSERT_NE(date, nullptr) << c.Name;
        EXPECT_EQ(date->Y1, 5);
        EXPECT_EQ(date->FontSize, 8);
        EXPECT_EQ(date->Colour_, f.Settings.Colours[SlotAxes]);
        // Right-aligned 5 pixels from the right edge, in the font each was printed in.
        for (const DrawCall* right : {title, date}) {
            s.SetFontSize(right->FontSize);
            EXPECT_EQ(right->X1, std::nearbyint(630 - s.TextWidth(right->Text_) - 5)) << right->Text_;
        }

        const DrawCall* tool = s.FindText(c.Tool);
        ASSERT_NE(tool, nullptr) << c.Name;
        EXPECT_EQ(tool->Y1, 1);
        EXPECT_EQ(tool->FontSize, 14);
        EXPECT_EQ(tool->Colour_, f.Settings.Colours[SlotTitles]);
        s.SetFontSize(14);
        EXPECT_NEAR(tool->X1, (630 - s.TextWidth(c.Tool)) / 2, 0.51) << c.Name;

        if (!c.KindText.empty()) {
            const DrawCall* kind = s.FindText(c.KindText);
            ASSERT_NE(kind, nullptr) << c.Name;
            EXPECT_EQ(kind->X1, 2);
            EXPECT_EQ(kind->Y1, c.KindY);
            EXPECT_EQ(kind->FontSize, 12);
            EXPECT_EQ(kind->Colour_, f.Settings.Colours[SlotMiscInfo]);
        }
        const bool poleZero = c.PlotType < 0;
        // The gain's value stands in the pole lists' column.
        EXPECT_EQ(s.FindText("Gain:  \t\t1.5") != nullptr, poleZero) << c.Name;
    }
}

TEST(PlotTitle, SizesFollowTheSurface)
{
    // The surface of a maximised window on a 1280 x 1024 screen: twice the design sizes across,
    // 1024 / 480 down.
    Fixture f(1260, 861);
    f.Data.PlotType = PlotType::LorentzianSeries;
    f.Data.TitleLine = "run";
    f.Data.YOffsetText = "1";
    ResetSurface(f.Ctx());
    DrawParameterLegend(f.Ctx());
    const DrawCall* tool = f.Canvas.FindText("Fitmora (tm)");
    ASSERT_NE(tool, nullptr);
    EXPECT_EQ(tool->FontSize, 28);
    const DrawCall* offset = f.Canvas.FindText("      Y-Axis offset (y0): \t1.");
    ASSERT_NE(offset, nullptr);
    EXPECT_EQ(offset->Y1, 704) << "design height 330";
    EXPECT_EQ(offset->FontSize, 20);
    EXPECT_EQ(f.Canvas.FindText("run")->Y1, 75) << "design height 35";
}
