#include "plots/report/RunSummary.h"

#include "ReportFixture.h"

#include <gtest/gtest.h>

using namespace plots;
using reports_test::Fixture;

namespace {

std::vector<std::string> SplitCrLf(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (;;) {
        const auto end = text.find("\r\n", start);
        lines.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos) return lines;
        start = end + 2;
    }
}

const std::string T = "\t";

// The lines every summary starts with after its first line (date line masked) and ends with.
std::vector<std::string> Head(const std::string& dataLine)
{
    return {"<date>", T + "      --------\t\t==========================", T + dataLine, T + " "};
}
const std::vector<std::string> Tail = {T + " ", T + " ================ Summary of Run =================",
                                       T + " ================================================="};

struct SummaryCase {
    const char* Name;
    std::function<void(PlotData&)> Fill;
    std::string ToolTitle;
    std::string FirstLine;
    std::string DataLine;
    std::vector<std::string> Model;  // without the leading tab of each line
};

void Lorentzian(PlotData& d)
{
    d.PlotType = PlotType::LorentzianSeries;
    d.TermCount = 2;
    d.TitleLine = "  lorentz2  ";
    d.DataFileName = "lorentz2.dat";
    d.YOffsetText = " .05";
    d.ParamA = {1.5, 2000};
    d.ParamPW50 = {1.5, 0.8};
    d.ParamT0 = {3.25, 6.5};
}

void PoleZero(PlotData& d)
{
    d.PlotType = PlotType::PoleZeroFrequency;
    d.TitleLine = "Elliptic low-pass";
    d.SigmaPoleCount = 1;
    d.SigmaPole = -0.4565;
    d.PoleCount = 2;
    d.PoleRe = {-0.3067, -0.1043};
    d.PoleIm = {0.7126, 1.0053};
    d.SigmaZeroCount = 1;
    d.SigmaZero = -2.5;
    d.SigmaZeroPaired = 1;
    d.OmegaZeroCount = 2;
    d.OmegaZeros = {1, 3};
    d.ZeroPairCount = 1;
    d.ZeroQuadCount = 1;
    d.ComplexZeroCount = 2;
    d.ZeroRe = {0.5, 1};
    d.ZeroIm = {4, 2};
    d.GainText = ".03451289";
}

std::string Pad(const std::string& text) { return std::string(53 - text.size(), ' ') + text; }

const std::vector<SummaryCase>& Cases()
{
    static const std::vector<SummaryCase> cases = {
        {"lorentzian", Lorentzian, "Fitmora (tm) Results\t", T + "        ----" + Pad("SavedAs File: lorentz2"),
         "        ----" + Pad("Data File: lorentz2.dat"),
         {" Lorentzian Series whose terms consisted of y", "                                             i",
          " Total = y0 + Sum of y   where y = a / (1 + x ^2)", "                      i         i   i        i", " ",
          "   and x = 2 (t - t0 ) / pw50", "        i           i        i", " ", "\t   Y-Axis offset (y0): 5.E-2",
          "\t     a = Amplitude(s): \t1.5\t2.E+3\t", "Pulse Width @50% Peak(s): \t1.5\t8.E-1\t",
          "\tt0 = X-Axis offset(s): \t3.25\t6.5\t"}},
        {"modified lorentzian",
         [](PlotData& d) {
             Lorentzian(d);
             d.PlotType = PlotType::ModifiedLorentzianSeries;
             d.TermCount = 1;
             d.ParamB = {-7.25};
             d.YOffsetText = "n/a";
         },
         "Fitmora (tm) Results\t", T + "        ----" + Pad("SavedAs File: lorentz2"),
         "        ----" + Pad("Data File: lorentz2.dat"),
         {" Modified Lorentzian Series whose terms consisted of y",
          "                                                      i",
          " Total = y0 + Sum of y   where y = (a+b x) / (1 + x ^2)",
          "                      i         i   i  i i         i", " ", "   and x = 2 (t - t0 ) / pw50",
          "        i           i        i", " ", "\t   Y-Axis offset (y0): n/a", "\t     a = Amplitude(s): \t1.5\t",
          "\t     b = Amplitude(s): \t-7.25\t", "Pulse Width @50% Peak(s): \t1.5\t",
          "\tt0 = X-Axis offset(s): \t3.25\t"}},
        {"exponential",
         [](PlotData& d) {
             Lorentzian(d);
             d.PlotType = PlotType::ExponentialSeries;
             d.TermCount = 1;
             d.YOffsetText = "250";
             d.ParamA = {1};
             d.ParamB = {-0.025};
         },
         "Fitmora (tm) Results\t", T + "        ----" + Pad("SavedAs File: lorentz2"),
         "        ----" + Pad("Data File: lorentz2.dat"),
         {" Exponential Series whose terms consisted of y", "                                                    i",
          " Total = y0 + Sum of y    where  y = a ( exp( b  (t-t0))", "                      i           i   i        i",
          " ", " y0 = Y-Axis offset (y0): 2.5E+2", "Exponential Amplitude(s): \t1.\t", " b= Exponential Power(s): \t-2.5E-2\t"}},
        {"power",
         [](PlotData& d) {
             Lorentzian(d);
             d.PlotType = PlotType::PowerSeries;
             d.TermCount = 1;
             d.YOffsetText = "0.0123456";
         },
         "Fitmora (tm) Results\t", T + "        ----" + Pad("SavedAs File: lorentz2"),
         "        ----" + Pad("Data File: lorentz2.dat"),
         {" Power Series whose terms consisted of y", "                                        i",
          "                                             i", " Total = y0 + Sum of y   where y = a (t - t0).",
          "                      i         i   i", " ", "Y-Axis offset (y0): 1.23456E-2", "\tAmplitude(s): \t1.5\t"}},
        {"sine",
         [](PlotData& d) {
             Lorentzian(d);
             d.PlotType = PlotType::SineSeries;
             d.ParamB = {1, 10};
             d.ParamC = {0.5, 123.456};
         },
         "Fitmora (tm) Results\t", T + "        ----" + Pad("SavedAs File: lorentz2"),
         "        ----" + Pad("Data File: lorentz2.dat"),
         {" Sine Series whose terms consisted of y", "                                       i",
          " Total = y0 + Sum of y    where  y = a ( sin( b t + c))", "                      i           i   i        i     i",
          " a = Sine Amplitude(s):\t1.5\t2.E+3\t", " b=       Frequency(s):\t1.\t1.E+1\t",
          " c=           Phase(s):\t5.E-1\t1.23E+2\t"}},
        {"exponential sine",
         [](PlotData& d) {
             Lorentzian(d);
             d.PlotType = PlotType::ExponentialSineSeries;
             d.TermCount = 0;
         },
         "Fitmora (tm) Results\t", T + "        ----" + Pad("SavedAs File: lorentz2"),
         "        ----" + Pad("Data File: lorentz2.dat"),
         {" Exponential * Sine Series whose terms consist of y'", "                                                   i'",
          " Total = y0 + Sum of y    where  y = a ( sin( b t + c)) * d",
          "                      i           i   i        i     i     i", " a = Sine Amplitude(s):\t",
          " b=       Frequency(s):\t", " c=           Phase(s):\t", " d =    Exponential(s):\t"}},
        {"unknown fitting model",
         [](PlotData& d) {
             Lorentzian(d);
             d.PlotType = PlotTypeOfCode(7);
             d.TitleLine = std::string(60, 'x');
         },
         "Fitmora (tm) Results\t", T + "        ----SavedAs File: " + std::string(60, 'x'),
         "        ----" + Pad("Data File: lorentz2.dat"), {}},
        {"ode",
         [](PlotData& d) {
             d.PlotType = PlotType::Ode;
             d.TitleLine = "oscill";
             d.DataFileName = "ignored.dat";
             d.OdeText = "y'' = -y - 0.1 y'";
         },
         "Derivex (tm) Results\t", T + "        ----" + Pad("oscill"), "        ----", {" ODE is ... y'' = -y - 0.1 y'"}},
        {"two compartments",
         [](PlotData& d) {
             d.PlotType = PlotType::TwoCompartment;
             d.TitleLine = "dosivo";
             d.DataFileName = "dosivo.dat";
             d.AmountA1 = 100;
             d.AmountA2 = 0.5;
             d.A1kSumText = "-.3";
             d.A2kSumText = ".1";
             d.A3kSumText = ".2";
             d.A4kSumText = "-.15";
             d.DT50 = 2.3104906018664;
         },
         "Dosivo (tm) Results\t", T + "        ----" + Pad("SavedAs File: dosivo"),
         "        ----" + Pad("Data File: dosivo.dat"),
         {" Dosivo (tm) equations are:", " ", " dA1dt = A1k_Sum * A1 + A2k_Sum * A2; and,",
          " dA2dt = A3k_Sum * A1 + A4k_Sum * A2.", " ", " where A1 & A2 equaled: 100\t0.5",
          "    A1k_Sum & A2k_Sum =-.3\t.1", "    A3k_Sum & A4k_Sum =.2\t-.15", "   and resulting DT50 =2.3104906018664"}},
        {"frequency match with every kind of zero", PoleZero, "Tunewave (tm) Results",
         T + "        ----" + Pad("Elliptic low-pass"), "        ----",
         {"Poles used were ...", "   Poles on Sigma-axis: -0.4565", " Pole-Pairs:", "\t-3.07E-1\t-1.04E-1\t",
          "\t7.13E-1\t1.01\t", "Zeroes used were ...", "Sigma-axis Zero (Single-pair) value...+ -\t2.5",
          "2 Zeros on Omega-axis:  0 +- J 1; 0 +- J 3", "2 Pairs && Quads ...REAL parts: 0.5;1",
          "           ...IMAGINARY parts: 4;2", "   Gain: .03451289"}},
        {"time match with a single zero and no complex zeros",
         [](PlotData& d) {
             PoleZero(d);
             d.PlotType = PlotType::PoleZeroTime;
             d.SigmaPoleCount = 0;
             d.SigmaZeroPaired = 0;
             d.OmegaZeroCount = 0;
             d.ZeroPairCount = d.ZeroQuadCount = d.ComplexZeroCount = 0;
         },
         "Tunepulse (tm) Results", T + "        ----" + Pad("Elliptic low-pass"), "        ----",
         {"Poles used were ...", " Pole-Pairs:", "\t-3.07E-1\t-1.04E-1\t", "\t7.13E-1\t1.01\t", "Zeroes used were ...",
          "Sigma-axis Zero (single) value...-\t2.5", "   Gain: .03451289"}},
        {"doublet zeros",
         [](PlotData& d) {
             PoleZero(d);
             d.SigmaZeroOrder = 1;
             d.OmegaZeroCount = 0;
             d.ZeroPairCount = d.ZeroQuadCount = d.ComplexZeroCount = 0;
             d.PoleCount = 0;
         },
         "Tunewave (tm) Results", T + "        ----" + Pad("Elliptic low-pass"), "        ----",
         {"Poles used were ...", "   Poles on Sigma-axis: -0.4565", " Pole-Pairs:", "\t", "\t", "Zeroes used were ...",
          "Sigma-axis Zero (Doublet-pair) value...+ -\t2.5", "   Gain: .03451289"}},
    };
    return cases;
}

}  // namespace

TEST(RunSummary, EveryPlotTypeReadsLineByLineAsTabulated)
{
    for (const SummaryCase& c : Cases()) {
        Fixture f;
        c.Fill(f.Data);
        f.Run.PlotBase = f.Path("run");
        f.Viewer.WriteRunSummary();

        std::vector<std::string> expected = {c.FirstLine};
        for (const std::string& line : Head(c.DataLine)) expected.push_back(line);
        for (const std::string& line : c.Model) expected.push_back(T + line);
        for (const std::string& line : Tail) expected.push_back(line);
        for (const std::string& line :
             {std::string(), std::string(), std::string("             =============== Error? ========="),
              "Output file is missing in ... " + f.Path("run.out"),
              std::string("====================== Output file not required. ====================="), std::string(" ")})
            expected.push_back(line);

        std::vector<std::string> actual = SplitCrLf(f.Host.Output);
        ASSERT_GE(actual.size(), 2u) << c.Name;
        // The date line holds today's date and time in the system's short formats.
        EXPECT_EQ(actual[1].rfind("\t" + c.ToolTitle + "\t     ", 0), 0u) << c.Name << ": " << actual[1];
        actual[1] = "<date>";
        EXPECT_EQ(actual, expected) << c.Name;
        EXPECT_FALSE(f.Host.TabEnabled[TabInput]) << c.Name;
        EXPECT_EQ(f.Host.Tab, TabSetup) << c.Name;
    }
}

TEST(RunSummary, OutputListingFollowsTheSummary)
{
    Fixture f;
    Lorentzian(f.Data);
    f.Run.PlotBase = f.Path("run");
    f.Write("run.out", "\r\n Fitmora (tm) curve fit   \r\n\tIterations: 14\r\n");
    f.Viewer.WriteRunSummary();
    const std::string expectedEnd =
        "\t ================================================="
        "\r\n Fitmora (tm) curve fit\r\n\tIterations: 14\r\n";
    ASSERT_GE(f.Host.Output.size(), expectedEnd.size());
    EXPECT_EQ(f.Host.Output.substr(f.Host.Output.size() - expectedEnd.size()), expectedEnd);
}

TEST(RunSummary, RightAlignTextPadsToOneLessThanTheWidth)
{
    const struct {
        std::string Text;
        int Width;
        std::string Expected;
    } cases[] = {
        {"  abc  ", 6, "  abc"},
        {"abcde", 6, "abcde"},
        {"abcdefg", 6, "abcdefg"},
        {"", 4, "   "},
        {"Größe", 8, "  Größe"},
    };
    for (const auto& c : cases) EXPECT_EQ(RightAlignText(c.Text, c.Width), c.Expected) << c.Text;
    EXPECT_EQ(RightAlignText(std::string(52, 'x'), 54).size(), 53u);
    EXPECT_EQ(RightAlignText(std::string(53, 'x'), 54), std::string(53, 'x'));
}

#include "plots/data/PlotReader.h"

#include <QFile>

TEST(RunSummary, SampleRunsReadFromTheirFilesGiveTheirSections)
{
    const struct {
        const char* Base;
        std::vector<std::string> Lines;  // lines that must appear, in this order
    } cases[] = {
        {"lorentz2",
         {"\t        ----" + Pad("SavedAs File: lorentz2"), "\t\t   Y-Axis offset (y0): 5.E-2",
          "\t\t     a = Amplitude(s): \t1.2\t7.5E-1\t", " Fitmora (tm) curve fit of lorentz2.dat"}},
        {"pulseqz",
         {"\tTunepulse (tm) Results", "\t   Poles on Sigma-axis: -1.2", "\tSigma-axis Zero (Doublet-pair) value...+ -\t2.5",
          "\t3 Pairs && Quads ...REAL parts: 0.5;-0.25;1", "\t           ...IMAGINARY parts: 4;5.5;2",
          "\t   Gain: .0103846"}},
    };
    for (const auto& c : cases) {
        Fixture f;
        for (const char* ext : {".plt", ".out"}) {
            QFile::copy(QString(TK_SOURCE_DIR "/samples/") + c.Base + ext, QString::fromStdString(f.Path(c.Base + std::string(ext))));
        }
        f.Run.PlotBase = f.Path(c.Base);
        ASSERT_TRUE(ReadPlotData(f.Data, f.Run.PlotBase + ".plt").Loaded()) << c.Base;
        f.Viewer.WriteRunSummary();
        const std::vector<std::string> actual = SplitCrLf(f.Host.Output);
        auto at = actual.begin();
        for (const std::string& line : c.Lines) {
            at = std::find_if(at, actual.end(), [&](const std::string& a) { return a.rfind(line, 0) == 0; });
            ASSERT_NE(at, actual.end()) << c.Base << ": " << line << "\n" << f.Host.Output;
        }
    }
}
