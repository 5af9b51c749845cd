// The run summary's text and the caption of the printed page.
#include "plots/report/RunSummary.h"

#include "common/Text.h"
#include "plots/report/Format.h"

#include <QDateTime>
#include <QLocale>

#include <algorithm>
#include <vector>

namespace plots {
namespace {

const char* const Tab = "\t";

// Characters, not bytes: titles may carry letters outside ASCII.
std::size_t CharacterCount(const std::string& text)
{
    return std::size_t(std::count_if(text.begin(), text.end(),
                                     [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

// "#.#####E+" of a text read as a number; a text that is not a number is shown as it is.
std::string ScientificOfText(const std::string& text)
{
    double value = 0;
    return ParseNumber(tk::TrimSpaces(text), value) ? FormatScientific(value) : text;
}

std::string ToolTitle(PlotType plotType)
{
    switch (plotType) {
    case PlotType::PoleZeroFrequency: return "Tunewave (tm) Results";
    case PlotType::PoleZeroTime: return "Tunepulse (tm) Results";
    case PlotType::Ode: return "Derivex (tm) Results\t";
    case PlotType::TwoCompartment: return "Dosivo (tm) Results\t";
    default: return "Fitmora (tm) Results\t";
    }
}

// Entries joined by ";" in the general format: "1;3" (no ";" after the last).
std::string GeneralList(const Series& values, int count, const std::string& prefix)
{
    std::string text;
    const int n = std::min<int>(count, int(values.size()));
    for (int i = 0; i < n; ++i) {
        if (i > 0) text += ";";
        text += prefix + FormatGeneral(values[std::size_t(i)]);
    }
    return text;
}

using Lines = std::vector<std::string>;

void LorentzianSection(const PlotData& d, Lines& out)
{
    const std::string y0 = ScientificOfText(d.YOffsetText);
    out.insert(out.end(), {
        " Lorentzian Series whose terms consisted of y",
        "                                             i",
        " Total = y0 + Sum of y   where y = a / (1 + x ^2)",
        "                      i         i   i        i",
        " ",
        "   and x = 2 (t - t0 ) / pw50",
        "        i           i        i",
        " ",
        std::string(Tab) + "   Y-Axis offset (y0): " + y0,
        std::string(Tab) + "     a = Amplitude(s): " + FormatList(d.ParamA, d.TermCount),
        "Pulse Width @50% Peak(s): " + FormatList(d.ParamPW50, d.TermCount),
        std::string(Tab) + "t0 = X-Axis offset(s): " + FormatList(d.ParamT0, d.TermCount),
    });
}

void ModifiedLorentzianSection(const PlotData& d, Lines& out)
{
    const std::string y0 = ScientificOfText(d.YOffsetText);
    out.insert(out.end(), {
        " Modified Lorentzian Series whose terms consisted of y",
        "                                                      i",
        " Total = y0 + Sum of y   where y = (a+b x) / (1 + x ^2)",
        "                      i         i   i  i i         i",
        " ",
        "   and x = 2 (t - t0 ) / pw50",
        "        i           i        i",
        " ",
        std::string(Tab) + "   Y-Axis offset (y0): " + y0,
        std::string(Tab) + "     a = Amplitude(s): " + FormatList(d.ParamA, d.TermCount),
        std::string(Tab) + "     b = Amplitude(s): " + FormatList(d.ParamB, d.TermCount),
        "Pulse Width @50% Peak(s): " + FormatList(d.ParamPW50, d.TermCount),
        std::string(Tab) + "t0 = X-Axis offset(s): " + FormatList(d.ParamT0, d.TermCount),
    });
}

void ExponentialSection(const PlotData& d, Lines& out)
{
    out.insert(out.end(), {
        " Exponential Series whose terms consisted of y",
        "                                                    i",
        " Total = y0 + Sum of y    where  y = a ( exp( b  (t-t0))",
        "                      i           i   i        i",
        " ",
        " y0 = Y-Axis offset (y0): " + ScientificOfText(d.YOffsetText),
        "Exponential Amplitude(s): " + FormatList(d.ParamA, d.TermCount),
        " b= Exponential Power(s): " + FormatList(d.ParamB, d.TermCount),
    });
}

void PowerSection(const PlotData& d, Lines& out)
{
    out.insert(out.end(), {
        " Power Series whose terms consisted of y",
        "                                        i",
        "                                             i",
        " Total = y0 + Sum of y   where y = a (t - t0).",
        "                      i         i   i",
        " ",
        "Y-Axis offset (y0): " + ScientificOfText(d.YOffsetText),
        std::string(Tab) + "Amplitude(s): " + FormatList(d.ParamA, d.TermCount),
    });
}

void SineSection(const PlotData& d, Lines& out)
{
    out.insert(out.end(), {
        " Sine Series whose terms consisted of y",
        "                                       i",
        " Total = y0 + Sum of y    where  y = a ( sin( b t + c))",
        "                      i           i   i        i     i",
        " a = Sine Amplitude(s):" + FormatList(d.ParamA, d.TermCount),
        " b=       Frequency(s):" + FormatList(d.ParamB, d.TermCount),
        " c=           Phase(s):" + FormatList(d.ParamC, d.TermCount),
    });
}

void ExponentialSineSection(const PlotData& d, Lines& out)
{
    out.insert(out.end(), {
        " Exponential * Sine Series whose terms consist of y'",
        "                                                   i'",
        " Total = y0 + Sum of y    where  y = a ( sin( b t + c)) * d",
        "                      i           i   i        i     i     i",
        " a = Sine Amplitude(s):" + FormatList(d.ParamA, d.TermCount),
        " b=       Frequency(s):" + FormatList(d.ParamB, d.TermCount),
        " c=           Phase(s):" + FormatList(d.ParamC, d.TermCount),
        " d =    Exponential(s):" + FormatList(d.ParamD, d.TermCount),
    });
}

void CompartmentSection(const PlotData& d, Lines& out)
{
    out.insert(out.end(), {
        " Dosivo (tm) equations are:",
        " ",
        " dA1dt = A1k_Sum * A1 + A2k_Sum * A2; and,",
        " dA2dt = A3k_Sum * A1 + A4k_Sum * A2.",
        " ",
        " where A1 & A2 equaled: " + FormatGeneral(d.AmountA1) + Tab + FormatGeneral(d.AmountA2),
        "    A1k_Sum & A2k_Sum =" + d.A1kSumText + Tab + d.A2kSumText,
        "    A3k_Sum & A4k_Sum =" + d.A3kSumText + Tab + d.A4kSumText,
        "   and resulting DT50 =" + FormatGeneral(d.DT50),
    });
}

void PoleZeroSection(const PlotData& d, Lines& out)
{
    out.push_back("Poles used were ...");
    if (d.SigmaPoleCount > 0) out.push_back("   Poles on Sigma-axis: " + FormatGeneral(d.SigmaPole));
    out.push_back(" Pole-Pairs:");
    out.push_back(FormatList(d.PoleRe, d.PoleCount));
    out.push_back(FormatList(d.PoleIm, d.PoleCount));
    out.push_back("Zeroes used were ...");
    if (d.SigmaZeroCount > 0) {
        const bool paired = d.SigmaZeroPaired == 1;
        const bool doublet = d.SigmaZeroOrder != 0;
        const std::string kind = paired ? (doublet ? "(Doublet-pair)" : "(Single-pair)")
                                        : (doublet ? "(2nd order)" : "(single)");
        out.push_back("Sigma-axis Zero " + kind + " value..." + (paired ? "+ -" : "-") + Tab +
                      FormatGeneral(-d.SigmaZero));
    }
    if (d.OmegaZeroCount > 0) {
        out.push_back(std::to_string(d.OmegaZeroCount) + " Zeros on Omega-axis: " +
                      GeneralList(d.OmegaZeros, d.OmegaZeroCount, " 0 +- J "));
    }
    if (d.ComplexZeroCount > 0) {
        out.push_back(std::to_string(d.ComplexZeroCount) + " Pairs && Quads ...REAL parts: " +
                      GeneralList(d.ZeroRe, d.ComplexZeroCount, ""));
        out.push_back("           ...IMAGINARY parts: " + GeneralList(d.ZeroIm, d.ComplexZeroCount, ""));
    }
    out.push_back("   Gain: " + d.GainText);
}

void ModelSection(const PlotData& d, Lines& out)
{
    switch (d.PlotType) {
    case PlotType::Ode: out.push_back(" ODE is ... " + d.OdeText); break;
    case PlotType::LorentzianSeries: LorentzianSection(d, out); break;
    case PlotType::ModifiedLorentzianSeries: ModifiedLorentzianSection(d, out); break;
    case PlotType::ExponentialSeries: ExponentialSection(d, out); break;
    case PlotType::PowerSeries: PowerSection(d, out); break;
    case PlotType::SineSeries: SineSection(d, out); break;
    case PlotType::ExponentialSineSeries: ExponentialSineSection(d, out); break;
    case PlotType::TwoCompartment: CompartmentSection(d, out); break;
    case PlotType::PoleZeroTime:
    case PlotType::PoleZeroFrequency: PoleZeroSection(d, out); break;
    default: break;
    }
}

}  // namespace

std::string RightAlignText(const std::string& text, int width)
{
    const std::string trimmed = tk::TrimSpaces(text);
    const std::size_t wanted = width > 1 ? std::size_t(width - 1) : 0;
    const std::size_t length = CharacterCount(trimmed);
    if (length >= wanted) return trimmed;
    return std::string(wanted - length, ' ') + trimmed;
}

std::string RunSummaryText(const PlotData& d, const QDateTime& now)
{
    const QLocale locale = QLocale::system();
    // Every type above the ODE (curve fitting, pharmacokinetics) names the file the run was saved
    // as and the data file it read.
    const bool namesFiles = d.PlotType > PlotType::Ode;
    const std::string title = namesFiles ? "SavedAs File: " + tk::TrimSpaces(d.TitleLine) : tk::TrimSpaces(d.TitleLine);
    const std::string first = std::string(Tab) + "        ----" + RightAlignText(title, 54);

    Lines lines;
    lines.push_back(ToolTitle(d.PlotType) + Tab + "     " + locale.toString(now.date(), QLocale::ShortFormat).toStdString() +
                    " " + locale.toString(now.time(), QLocale::ShortFormat).toStdString());
    lines.push_back(std::string("      --------") + Tab + Tab + "==========================");
    lines.push_back(namesFiles ? "        ----" + RightAlignText("Data File: " + d.DataFileName, 54)
                                   : std::string("        ----"));
    lines.push_back(" ");
    ModelSection(d, lines);
    lines.push_back(" ");
    lines.push_back(" ================ Summary of Run =================");
    lines.push_back(" =================================================");

    std::string text = first;
    for (const std::string& line : lines) text += "\r\n\t" + line;
    return text;
}

std::string PrintCaption(const std::string& plotBase, const std::string& errorSumText)
{
    return "Input file name = " + plotBase + "\t\t" + "errorSum = " + errorSumText;
}

}  // namespace plots
