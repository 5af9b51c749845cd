// The plot data: everything a plot data file (.plt, .2lt) holds, as the reader leaves it.
// Arrays are 1-based in the file format's terms; in memory entry i is element i - 1.
#pragma once

#include "plots/data/PlotKind.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace plots {

using Series = std::vector<double>;

class PlotFile;  // the open plot data file, read line by line (data/PlotFile.h)

// Everything read from the file, which can be copied (a plot kept to be shown again).
struct PlotValues {
    // Header and kind-specific texts.
    std::string TitleLine, ErrorSumText, DataFileName, YOffsetText, OdeText, GainText;
    std::string A1kSumText, A2kSumText, A3kSumText, A4kSumText;

    // Counts, flags and codes (16-bit in the format).
    plots::PlotType PlotType = PlotType::Ode;
    std::int16_t TermCount = 0;
    std::int16_t PointCount = -1;  // -1: nothing loaded
    std::int16_t DelayMatched = 0;
    std::int16_t SigmaPoleCount = 0;
    std::int16_t PoleCount = 0;
    std::int16_t SigmaZeroCount = 0;
    std::int16_t SigmaZeroOrder = 0;
    std::int16_t SigmaZeroPaired = 0;
    std::int16_t OmegaZeroCount = 0;
    std::int16_t ZeroPairCount = 0;
    std::int16_t ZeroQuadCount = 0;
    std::int16_t ComplexZeroCount = 0;

    double SigmaPole = 0, SigmaZero = 0, AmountA1 = 0, AmountA2 = 0, DT50 = 0;

    Series ParamA, ParamB, ParamC, ParamD, ParamPW50, ParamT0;
    Series DataX, DataY1, DataY2;
    Series PoleRe, PoleIm, OmegaZeros, ZeroRe, ZeroIm;
};

struct PlotData : PlotValues {
    PlotData();
    ~PlotData();
    PlotData(PlotData&&) noexcept;
    PlotData& operator=(PlotData&&) noexcept;
    // The values without the open file.
    PlotData CopyOfValues() const;

    // The open plot data file; it stays open after the first read so that later curve
    // blocks can be read from it, and is closed by Open and Quit.
    std::unique_ptr<PlotFile> File;
    bool IsOpen() const;
    void Close();
};

}  // namespace plots
