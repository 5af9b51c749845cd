// The legends beside the curves: the fitted parameters of the curve-fitting kinds, the
// side-lobe banner, and the pole and zero list of the filter-matching kinds.
#include "plots/report/Legends.h"

#include "common/Text.h"
#include "plots/report/Format.h"

#include <algorithm>

namespace plots {
namespace {

// Entries first .. last (1-based, inclusive) of a series, as far as it has them.
Series Entries(const Series& values, int first, int last)
{
    Series part;
    for (int i = std::max(first, 1); i <= last && i <= int(values.size()); ++i) part.push_back(values[std::size_t(i - 1)]);
    return part;
}

}  // namespace

std::string ValueOfText(const std::string& text)
{
    double value = 0;
    return ParseNumber(tk::TrimSpaces(text), value) ? FormatValue(value) : "\t" + text;
}

std::vector<LegendLine> ParameterLegendLines(const PlotData& d)
{
    const int n = d.TermCount;
    const std::string y0 = ValueOfText(d.YOffsetText);
    switch (d.PlotType) {
    case PlotType::LorentzianSeries:
        return {{330, "      Y-Axis offset (y0): " + y0},
                {345, "            Amplitude(s): " + FormatList(d.ParamA, n)},
                {360, "Pulse Width 50% Peak(s): " + FormatList(d.ParamPW50, n)},
                {375, "   Time origin offset(s): " + FormatList(d.ParamT0, n)}};
    case PlotType::ModifiedLorentzianSeries:
        return {{305, "      Y-Axis offset (y0): " + y0},
                {320, "        a - Amplitude(s): " + FormatList(d.ParamA, n)},
                {335, "        b - Amplitude(s): " + FormatList(d.ParamB, n)},
                {350, "Pulse Width 50% Peak(s): " + FormatList(d.ParamPW50, n)},
                {365, "   Time origin offset(s): " + FormatList(d.ParamT0, n)}};
    case PlotType::ExponentialSeries:
        return {{345, "  Y-Axis offset (y0): " + y0},
                {360, "   Exp. Amplitude(s): " + FormatList(d.ParamA, n)},
                {375, "Exponential Power(s): " + FormatList(d.ParamB, n)}};
    case PlotType::PowerSeries:
        return {{360, "Y-Axis offset (y0): " + y0}, {375, "      Amplitude(s): " + FormatList(d.ParamA, n)}};
    case PlotType::SineSeries:
        return {{330, "Y-Axis offset (y0): " + y0},
                {345, "Sin Amplitude(s): " + FormatList(d.ParamA, n)},
                {360, "      Frequency(s): " + FormatList(d.ParamB, n)},
                {375, "          Phase(s): " + FormatList(d.ParamC, n)}};
    case PlotType::ExponentialSineSeries:
        return {{305, "Y-Axis offset (y0):"},
                {320, "Sin Amplitude(s): " + FormatList(d.ParamA, n)},
                {335, "     Frequency(s): " + FormatList(d.ParamB, n)},
                {350, "          Phase(s): " + FormatList(d.ParamC, n)},
                {365, "   Exponential(s): " + FormatList(d.ParamD, n)}};
    default: return {};
    }
}

std::vector<LegendLine> SideLobeBannerLines()
{
    return {{70, "===== Sidelobe Ripple ====="},
            {85, "=\t\t\t   ="},
            {100, "=  20 Log10( Ycalc / Ymax)    ="},
            {115, "========================="}};
}

std::vector<LegendLine> PoleZeroLegendLines(const PlotData& d)
{
    // Lines stack upward from y = 370; a part with nothing to list takes no room.
    std::vector<LegendLine> lines;
    float y = 370;
    const auto line = [&](const std::string& text) {
        lines.push_back({y, text});
        y -= 15;
    };

    if (d.ZeroPairCount >= 1) {
        line("Real Zero-pairs: " + FormatList(d.ZeroRe, d.ZeroPairCount));
        line("Imag. Zero-pairs: " + FormatList(d.ZeroIm, d.ZeroPairCount));
    }
    if (d.OmegaZeroCount > 0) line("Omega-Axis Zeroes: " + FormatList(d.OmegaZeros, d.OmegaZeroCount));
    if (d.SigmaZeroCount > 0) {
        const bool doublet = d.SigmaZeroOrder > 0;
        const std::string label = d.SigmaZeroPaired != 0 ? (doublet ? "Zero-pair Doublet: " : "Zero-pair: ")
                                                         : (doublet ? "Single Zero Doublet: " : "Single Zero: ");
        line(label + FormatValue(d.SigmaZero));
    }
    if (d.SigmaPoleCount > 0) line("Sigma-Axis Pole: " + FormatValue(d.SigmaPole));
    if (d.ZeroQuadCount > 0) {
        const int first = d.ZeroPairCount + 1;
        const Series re = Entries(d.ZeroRe, first, d.ComplexZeroCount);
        const Series im = Entries(d.ZeroIm, first, d.ComplexZeroCount);
        line("Real Zero-quads: " + FormatList(re, int(re.size())));
        line("Imag. Zero-quads: " + FormatList(im, int(im.size())));
    }
    line("Imag. Pole Loc.s:  " + FormatList(d.PoleIm, d.PoleCount));
    line(" Real Pole Loc.s:  " + FormatList(d.PoleRe, d.PoleCount));
    line("Gain:  " + ValueOfText(d.GainText));
    return lines;
}

}  // namespace plots
