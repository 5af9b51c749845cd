#include "plots/data/PlotReader.h"

#include "common/Paths.h"
#include "common/Text.h"
#include "plots/data/Numbers.h"
#include "plots/data/PlotFile.h"
#include "plots/data/PoleOrder.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cmath>
#include <limits>
#include <memory>
#include <string_view>
#include <utility>

#include <sys/stat.h>

namespace plots {

namespace {

// A record of the header or the kind-specific section could not be read; the label names it
// in the corrupted-data box.
struct ReadFailure {
    const char* Label;
};

const char* const CorruptedLines[] = {
    "Data file is corrupted; you must rerun problem to create a ",
    "new data file.  If this problem continues, Please notify",
    "us via e-mail and attach your input file for us to see the",
    "same results.",
};

// One piece of a numeric record. Only spaces separate numbers, so a piece that still holds a
// tab or any other blank is not a number.
bool PieceToNumber(std::string_view piece, double& value)
{
    for (const char c : piece)
        if (c == '\t' || c == '\v' || c == '\f' || c == '\n' || c == '\r' || c == '\0') return false;
    return ParseNumber(piece, value);
}

// Reads a record of plot data items in file order and turns every gap of the format into a
// ReadFailure with the label the user will be shown.
class SectionReader {
public:
    explicit SectionReader(PlotData& data) : data_(data) {}

    std::string Line(const char* label)
    {
        auto line = ReadTrimmedLine(data_);
        if (!line) throw ReadFailure{label};
        return std::move(*line);
    }

    // A record of `wanted` numbers, kept to exactly that many; the extra numbers of the
    // record's last line are read and dropped.
    Series Numbers(int wanted, const char* label)
    {
        Series values;
        if (ReadNumbers(data_, values, wanted) != ReadOk) throw ReadFailure{label};
        values.resize(static_cast<std::size_t>(wanted));
        return values;
    }

    // Reads a record into a parameter array that was sized beforehand; on failure the array
    // keeps what it held.
    void NumbersInto(Series& target, int wanted, const char* label) { target = Numbers(wanted, label); }

    // A line that holds one number and nothing else.
    double LineNumber(const char* label)
    {
        double value = 0;
        if (!PieceToNumber(Line(label), value)) throw ReadFailure{label};
        return value;
    }

    static std::int16_t Count(double value, const char* label, int minimum)
    {
        const auto count = RoundCount(value);
        if (!count || *count < minimum) throw ReadFailure{label};
        return *count;
    }

private:
    PlotData& data_;
};

void ReadHeader(SectionReader& in, PlotData& data)
{
    data.TitleLine = in.Line("modelX");
    data.ErrorSumText = in.Line("modelX");
    in.Line("modelX");
    const Series model = in.Numbers(3, "modelX");
    data.PlotType = PlotTypeOfCode(SectionReader::Count(model[0], "modelX", std::numeric_limits<std::int16_t>::min()));
    data.TermCount = SectionReader::Count(model[1], "modelX", std::numeric_limits<std::int16_t>::min());
    // A negative point count reads no points and ends in "No data in file".
    data.PointCount = SectionReader::Count(model[2], "modelX", std::numeric_limits<std::int16_t>::min());
    // The fitting kinds and the ODE size their parameter arrays by the number of terms.
    const bool sizedByTerms = data.PlotType >= PlotType::Ode && data.PlotType <= PlotType::ExponentialSineSeries;
    if (sizedByTerms && data.TermCount < 1) throw ReadFailure{"modelX"};
}

void ReadOdeSection(SectionReader& in, PlotData& data)
{
    data.OdeText = in.Line("A");
    data.ParamA.assign(static_cast<std::size_t>(data.TermCount), 0.0);
    in.NumbersInto(data.ParamA, data.TermCount, "A");
    // The remark after "!" is cut once the coefficients are in.
    data.OdeText = tk::TrimSpaces(data.OdeText.substr(0, data.OdeText.find('!')));
}

void ReadFittingSection(SectionReader& in, PlotData& data)
{
    const int n = data.TermCount;
    data.DataFileName = in.Line("A");
    data.YOffsetText = in.Line("A");

    struct Param {
        Series* Target;
        const char* Label;
    };
    std::vector<Param> params;
    switch (data.PlotType) {
    case PlotType::LorentzianSeries: params = {{&data.ParamA, "A"}, {&data.ParamPW50, "PW50"}, {&data.ParamT0, "t0"}}; break;
    case PlotType::ModifiedLorentzianSeries:
        params = {{&data.ParamA, "A"}, {&data.ParamB, "B"}, {&data.ParamPW50, "PW50"}, {&data.ParamT0, "t0"}};
        break;
    case PlotType::ExponentialSeries: params = {{&data.ParamA, "A"}, {&data.ParamB, "B"}}; break;
    case PlotType::PowerSeries: params = {{&data.ParamA, "A"}}; break;
    case PlotType::SineSeries: params = {{&data.ParamA, "A"}, {&data.ParamB, "B"}, {&data.ParamC, "C"}}; break;
    case PlotType::ExponentialSineSeries:
        params = {{&data.ParamA, "A"}, {&data.ParamB, "B"}, {&data.ParamC, "C"}, {&data.ParamD, "D"}};
        break;
    default: break;
    }
    for (const Param& p : params) p.Target->assign(static_cast<std::size_t>(n), 0.0);
    for (const Param& p : params) in.NumbersInto(*p.Target, n, p.Label);
}

void ReadDosivoSection(SectionReader& in, PlotData& data)
{
    in.Line("A1ksum");
    const Series sums = in.Numbers(4, "A1ksum");
    data.A1kSumText = FormatGeneral(sums[0]);
    data.A2kSumText = FormatGeneral(sums[1]);
    data.A3kSumText = FormatGeneral(sums[2]);
    data.A4kSumText = FormatGeneral(sums[3]);
    const Series amounts = in.Numbers(3, "a1");
    data.AmountA1 = amounts[0];
    data.AmountA2 = amounts[1];
    data.DT50 = amounts[2];
}

// The pole pairs by imaginary part, real parts moved along, in the order of the tools'
// exchange sort (poles with equal imaginary parts included).
void SortPoles(PlotData& data)
{
    const std::size_t n = std::min<std::size_t>(data.PoleIm.size(), data.PoleRe.size());
    const Series im(data.PoleIm.begin(), data.PoleIm.begin() + std::ptrdiff_t(n));
    const Series re(data.PoleRe.begin(), data.PoleRe.begin() + std::ptrdiff_t(n));
    const std::vector<std::size_t> order = ExchangeSortOrder(im);
    for (std::size_t k = 0; k < n; ++k) {
        data.PoleIm[k] = im[order[k]];
        data.PoleRe[k] = re[order[k]];
    }
}

void ReadPoleZeroSection(SectionReader& in, PlotData& data)
{
    const Series delay = in.Numbers(4, "MtchDely");
    data.DelayMatched = SectionReader::Count(delay[0], "MtchDely", std::numeric_limits<std::int16_t>::min());

    const Series poles = in.Numbers(2, "nXpole");
    data.SigmaPoleCount = SectionReader::Count(poles[0], "nXpole", 0);
    data.PoleCount = SectionReader::Count(poles[1], "nXpole", 0);
    if (data.SigmaPoleCount > 0) data.SigmaPole = in.LineNumber("nXpole");
    data.PoleRe = in.Numbers(data.PoleCount, "pReal");
    data.PoleIm = in.Numbers(data.PoleCount, "pImag");
    SortPoles(data);

    data.SigmaZeroCount = SectionReader::Count(in.LineNumber("xZero"), "xZero", 0);
    if (data.SigmaZeroCount > 0) {
        const Series zero = in.Numbers(3, "xZero");
        data.SigmaZero = zero[0];
        data.SigmaZeroOrder = SectionReader::Count(zero[1], "xZero", std::numeric_limits<std::int16_t>::min());
        data.SigmaZeroPaired = SectionReader::Count(zero[2], "xZero", std::numeric_limits<std::int16_t>::min());
    }

    const Series zeros = in.Numbers(3, "nYzeros");
    data.OmegaZeroCount = SectionReader::Count(zeros[0], "nYzeros", 0);
    data.ZeroPairCount = SectionReader::Count(zeros[1], "nYzeros", 0);
    data.ZeroQuadCount = SectionReader::Count(zeros[2], "nYzeros", 0);
    data.ComplexZeroCount = SectionReader::Count(double(data.ZeroPairCount) + data.ZeroQuadCount, "nYzeros", 0);
    const char* lastLabel = "nYzeros";
    if (data.OmegaZeroCount > 0) {
        data.OmegaZeros = in.Numbers(data.OmegaZeroCount, "yZeros");
        lastLabel = "yZeros";
    }
    if (data.ComplexZeroCount > 0) {
        data.ZeroRe = in.Numbers(data.ComplexZeroCount, "zReal");
        data.ZeroIm = in.Numbers(data.ComplexZeroCount, "zImag");
        lastLabel = "zImag";
    }
    // The gain line has no label of its own; a missing one is reported under the record
    // read just before it.
    data.GainText = in.Line(lastLabel);
    // Two numbers the viewer does not use; a failure here is not reported.
    Series unused;
    ReadNumbers(data, unused, 2);
}

void ReadKindSection(SectionReader& in, PlotData& data)
{
    switch (data.PlotType) {
    case PlotType::Ode: ReadOdeSection(in, data); break;
    case PlotType::LorentzianSeries:
    case PlotType::ModifiedLorentzianSeries:
    case PlotType::ExponentialSeries:
    case PlotType::PowerSeries:
    case PlotType::SineSeries:
    case PlotType::ExponentialSineSeries: ReadFittingSection(in, data); break;
    case PlotType::TwoCompartment: ReadDosivoSection(in, data); break;
    case PlotType::PoleZeroTime:
    case PlotType::PoleZeroFrequency: ReadPoleZeroSection(in, data); break;
    default: break;
    }
}

// Reads up to `wanted` data points; returns how many were read.
int ReadDataPoints(PlotData& data, int wanted)
{
    const std::size_t size = static_cast<std::size_t>(std::max(wanted, 0));
    data.DataX.assign(size, 0.0);
    data.DataY1.assign(size, 0.0);
    data.DataY2.assign(size, 0.0);
    std::size_t count = 0;
    Series record;
    while (count < size && ReadNumbers(data, record, 3) == ReadOk) {
        data.DataX[count] = record[0];
        data.DataY1[count] = record[1];
        data.DataY2[count] = record[2];
        ++count;
    }
    data.DataX.resize(count);
    data.DataY1.resize(count);
    data.DataY2.resize(count);
    return static_cast<int>(count);
}

}  // namespace

std::optional<std::int16_t> RoundCount(double value)
{
    if (!std::isfinite(value)) return std::nullopt;
    const double rounded = std::nearbyint(value);  // the default rounding mode: half to even
    if (rounded < std::numeric_limits<std::int16_t>::min() || rounded > std::numeric_limits<std::int16_t>::max())
        return std::nullopt;
    return static_cast<std::int16_t>(rounded);
}

std::optional<std::string> ReadTrimmedLine(PlotData& data)
{
    std::string line;
    if (!data.File || !data.File->ReadLine(line)) return std::nullopt;
    return tk::TrimSpaces(line);
}

int ReadNumbers(PlotData& data, Series& target, int wanted)
{
    if (!data.File) return ReadFailed;
    // A record of a few numbers, the common case, is gathered without allocating; the target
    // is only touched once the record is complete, and keeps its storage for the next one.
    std::array<double, 8> first;
    std::size_t count = 0;
    Series more;
    for (;;) {
        const std::string* line = data.File->NextLine();
        if (!line) return ReadFailed;
        const std::string_view text(*line);
        bool blank = true;
        std::size_t pos = 0;
        while (pos < text.size()) {
            if (text[pos] == ' ') {
                ++pos;
                continue;
            }
            const std::size_t end = std::min(text.find(' ', pos), text.size());
            double value = 0;
            if (!PieceToNumber(text.substr(pos, end - pos), value)) return ReadFailed;
            if (count < first.size()) first[count] = value;
            else more.push_back(value);
            ++count;
            blank = false;
            pos = end;
        }
        if (blank) {
            // A record of no numbers is a line of no numbers; otherwise a blank line is only
            // harmless once the record has begun.
            if (wanted <= 0) break;
            if (count == 0) return ReadFailed;
            continue;
        }
        if (count >= static_cast<std::size_t>(std::max(wanted, 0))) break;
    }
    target.assign(first.begin(), first.begin() + std::ptrdiff_t(std::min(count, first.size())));
    target.insert(target.end(), more.begin(), more.end());
    return ReadOk;
}

ReadOutcome ReadPlotData(PlotData& data, const std::string& path)
{
    ReadOutcome outcome;
    const std::string resolved = tk::ResolvePath(path);
    if (!tk::IsFile(resolved)) {
        // A name too long to look up is no missing file: the user is told why.
        struct stat info {};
        if (::stat(resolved.c_str(), &info) != 0 && errno == ENAMETOOLONG) {
            outcome.Status = ReadStatus::Unreadable;
            outcome.Error = ENAMETOOLONG;
        }
        return outcome;
    }

    data.Close();
    data.File = std::make_unique<PlotFile>();
    // Until the points are in, nothing of this file may be drawn or reported.
    data.PointCount = -1;
    errno = 0;
    if (!data.File->Open(resolved)) {
        outcome.Status = ReadStatus::Unreadable;
        outcome.Error = errno != 0 ? errno : EIO;
        return outcome;
    }
    SectionReader in(data);
    try {
        ReadHeader(in, data);
        ReadKindSection(in, data);
    } catch (const ReadFailure& failure) {
        data.PointCount = -1;
        outcome.Status = ReadStatus::Corrupted;
        outcome.Label = failure.Label;
        outcome.Line = data.File->Line();
        return outcome;
    }

    outcome.DeclaredPoints = data.PointCount;
    data.PointCount = static_cast<std::int16_t>(ReadDataPoints(data, data.PointCount));
    outcome.PointsEnd = data.File->Line();
    if (data.PointCount == 0) {
        data.PointCount = -1;
        outcome.Status = ReadStatus::NoData;
        return outcome;
    }
    outcome.Status = ReadStatus::Loaded;
    return outcome;
}

std::string CorruptedTitle(const std::string& label) { return "Reading data file error at --> " + label + "."; }

std::string CorruptedText(const std::string& plotBase)
{
    std::string text = plotBase;
    for (const char* line : CorruptedLines) text += std::string("\r\n") + line;
    return text;
}

int FileLine(const PlotData& data) { return data.File ? data.File->Line() : 0; }

int ReadNextBlock(PlotData& data)
{
    data.PointCount = 0;
    if (!ReadTrimmedLine(data)) return 0;
    const auto countLine = ReadTrimmedLine(data);
    double value = 0;
    if (!countLine || !PieceToNumber(*countLine, value)) return 0;
    const auto m = RoundCount(value);
    if (!m || *m <= 0) return 0;

    const std::size_t size = static_cast<std::size_t>(*m);
    data.DataX.assign(size, 0.0);
    data.DataY2.assign(size, 0.0);
    std::size_t count = 0;
    Series record;
    while (count < size && ReadNumbers(data, record, 2) == ReadOk) {
        data.DataX[count] = record[0];
        data.DataY2[count] = record[1];
        ++count;
    }
    data.DataX.resize(count);
    data.DataY2.resize(count);
    data.PointCount = static_cast<std::int16_t>(count);
    return *m;
}

}  // namespace plots
