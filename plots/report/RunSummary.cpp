// The run summary in the output box, the title block of every plot, and the printed page.
#include "plots/report/RunSummary.h"

#include "common/Paths.h"
#include "plots/data/Listings.h"
#include "plots/render/Frame.h"
#include "plots/report/Format.h"
#include "plots/report/Legends.h"

#include <QDateTime>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QLocale>
#include <QPainter>
#include <QPrinter>

#include <algorithm>
#include <cmath>
#include <vector>

namespace plots {
namespace {

const char* const Tab = "\t";

std::string Trim(const std::string& text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) return "";
    const auto last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

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
    return ParseNumber(Trim(text), value) ? FormatScientific(value) : text;
}

std::string ToolTitle(int plotType)
{
    switch (plotType) {
    case -2: return "Tunewave (tm) Results";
    case -1: return "Tunepulse (tm) Results";
    case 0: return "Derivex (tm) Results\t";
    case 110: return "Dosivo (tm) Results\t";
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
    case 0: out.push_back(" ODE is ... " + d.OdeText); break;
    case 1: LorentzianSection(d, out); break;
    case 2: ModifiedLorentzianSection(d, out); break;
    case 3: ExponentialSection(d, out); break;
    case 4: PowerSection(d, out); break;
    case 5: SineSection(d, out); break;
    case 6: ExponentialSineSection(d, out); break;
    case 110: CompartmentSection(d, out); break;
    case -1:
    case -2: PoleZeroSection(d, out); break;
    default: break;
    }
}

std::string PlotFileDate(const std::string& plotBase)
{
    const std::string path = tk::ResolvePath(plotBase + ".plt");
    const QFileInfo info(QString::fromStdString(path));
    if (!info.exists()) return "";
    return FormatFileDate(info.lastModified());
}

}  // namespace

std::string RightAlignText(const std::string& text, int width)
{
    const std::string trimmed = Trim(text);
    const std::size_t wanted = width > 1 ? std::size_t(width - 1) : 0;
    const std::size_t length = CharacterCount(trimmed);
    if (length >= wanted) return trimmed;
    return std::string(wanted - length, ' ') + trimmed;
}

void WriteRunSummary(PlotContext& ctx)
{
    const PlotData& d = ctx.Data;
    const QLocale locale = QLocale::system();
    const QDateTime now = QDateTime::currentDateTime();

    const std::string title = d.PlotType > 0 ? "SavedAs File: " + Trim(d.TitleLine) : Trim(d.TitleLine);
    const std::string first = std::string(Tab) + "        ----" + RightAlignText(title, 54);

    Lines lines;
    lines.push_back(ToolTitle(d.PlotType) + Tab + "     " + locale.toString(now.date(), QLocale::ShortFormat).toStdString() +
                    " " + locale.toString(now.time(), QLocale::ShortFormat).toStdString());
    lines.push_back(std::string("      --------") + Tab + Tab + "==========================");
    lines.push_back(d.PlotType > 0 ? "        ----" + RightAlignText("Data File: " + d.DataFileName, 54)
                                   : std::string("        ----"));
    lines.push_back(" ");
    ModelSection(d, lines);
    lines.push_back(" ");
    lines.push_back(" ================ Summary of Run =================");
    lines.push_back(" =================================================");

    std::string text = first;
    for (const std::string& line : lines) text += "\r\n\t" + line;
    ctx.Host.SetOutputText(text);

    ReadOutputFile(ctx, ctx.Run.PlotBase + ".out");

    ctx.Host.SetTabEnabled(TabInput, false);
    ctx.Host.ShowTab(TabSetup);
}

void PrintRightAligned(PlotContext& ctx, const std::string& text, float y)
{
    const double x = std::nearbyint(ctx.Canvas.ScaleWidth() - ctx.Canvas.TextWidth(text) - 5);
    PrintAt(ctx, text, float(x), y);
}

void DrawPlotTitle(PlotContext& ctx)
{
    const PlotData& d = ctx.Data;
    Surface& s = ctx.Canvas;
    const double fx = ctx.Axis.ScreenXFactor;

    SetTextColour(ctx, SlotTitles);
    s.SetFontSize(10 * fx);
    PrintRightAligned(ctx, Trim(d.TitleLine), 35);

    // The date is the .plt file's, also while a later file of the run is shown.
    SetTextColour(ctx, SlotAxes);
    s.SetFontSize(8 * fx);
    const std::string date = PlotFileDate(ctx.Run.PlotBase);
    if (!date.empty()) PrintRightAligned(ctx, date, 5);

    s.SetFontSize(12 * fx);
    SetTextColour(ctx, SlotMiscInfo);
    std::string tool;
    switch (d.PlotType) {
    case -2:
        tool = "Tunewave (tm)";
        DrawPoleZeroLegend(ctx);
        break;
    case -1:
        tool = "Tunepulse (tm)";
        DrawPoleZeroLegend(ctx);
        break;
    case 0:
        tool = "Derivex (tm)";
        PrintAt(ctx, "Equation: " + d.OdeText, 2, 385);
        break;
    case 110:
        tool = "Dosivo (tm)";
        PrintAt(ctx, "DT50:" + FormatValue(d.DT50), 2, 35);
        break;
    default:
        tool = "Fitmora (tm)";
        if (ctx.Run.FileIndex == 1 && tk::IsFile(ctx.Run.PlotBase + ".2lt")) tool += " with Initial Settings";
        break;
    }

    s.SetFontSize(14 * fx);
    SetTextColour(ctx, SlotTitles);
    PrintCentred(ctx, tool, 1);

    SetTextColour(ctx, SlotMiscInfo);
    s.SetFontSize(10 * fx);
}

namespace {

// Text with tabs advancing to stops every 14 average character widths, as the surface does.
void DrawTabbedText(QPainter& p, QPointF topLeft, const QString& text)
{
    const QFontMetricsF fm(p.font(), p.device());
    const double stop = 14.0 * fm.averageCharWidth();
    double x = topLeft.x();
    const QStringList pieces = text.split('\t');
    for (qsizetype i = 0; i < pieces.size(); ++i) {
        p.drawText(QPointF(x, topLeft.y() + fm.ascent()), pieces[i]);
        x += fm.horizontalAdvance(pieces[i]);
        if (i + 1 < pieces.size()) x = topLeft.x() + (std::floor((x - topLeft.x()) / stop) + 1) * stop;
    }
}

}  // namespace

bool PrintPlotPage(QPrinter& printer, const QImage& picture, const std::string& plotBase,
                   const std::string& errorSumText)
{
    if (picture.isNull()) return false;
    printer.setPageOrientation(picture.width() > picture.height() ? QPageLayout::Landscape : QPageLayout::Portrait);

    QPainter p;
    if (!p.begin(&printer)) return false;

    QFont font("Arial");
    font.setPointSizeF(11);
    p.setFont(font);
    const QFontMetricsF fm(font, p.device());

    // The painter's origin is the printable area's top-left corner. The caption line is kept
    // inside the printable area, so a tall picture leaves room for it below.
    const QRectF area(QPointF(0, 0), printer.pageLayout().paintRectPixels(printer.resolution()).size());
    const double availableHeight = std::max(1.0, area.height() - fm.height());
    const double pictureRatio = double(picture.width()) / picture.height();
    QSizeF size;
    if (pictureRatio >= area.width() / availableHeight) size = QSizeF(area.width(), area.width() / pictureRatio);
    else size = QSizeF(availableHeight * pictureRatio, availableHeight);

    p.drawImage(QRectF(area.topLeft(), size), picture);
    p.setPen(Qt::black);
    DrawTabbedText(p, QPointF(area.left(), area.top() + size.height()),
                   QString::fromStdString("Input file name = " + plotBase + "\t\t" + "errorSum = " + errorSumText));
    return p.end();
}

}  // namespace plots
