// Writes plot data files the way the solver tools do: CR LF line ends, the three header
// lines, the "type, terms, points" record, the kind's section, the data points and, for the
// pole-zero kinds, the later curve blocks.
#pragma once

#include "tools/demogen/Numerics.h"

#include <string>

namespace demogen {

// One number as the tools print it: up to seven significant digits, exponent when needed.
std::string Num(double v);

class PlotFileText {
public:
    void Line(const std::string& text) { text_ += text + "\r\n"; }
    // Several numbers on one line, separated by two spaces.
    void Numbers(const Vec& values);
    void Number(double v) { Numbers({v}); }
    // One line per point: x and every column.
    void Points(const Vec& x, const Vec& c2, const Vec& c3);
    void Points(const Vec& x, const Vec& y);
    const std::string& Text() const { return text_; }

private:
    std::string text_;
};

// Writes bytes exactly as given (no line-end translation); creates missing directories.
bool WriteBytes(const std::string& path, const std::string& bytes);

}  // namespace demogen
