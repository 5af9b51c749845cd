// The open plot data file: a line reader that the plot data owns between plots.
#pragma once

#include "common/TextFile.h"

#include <string>

namespace plots {

class PlotFile {
public:
    bool Open(const std::string& path) { return lines_.Open(path); }
    bool ReadLine(std::string& line) { return lines_.ReadLine(line); }
    bool AtEnd() { return lines_.AtEnd(); }
    void Close() { lines_.Close(); }

private:
    tk::LineReader lines_{64 * 1024};
};

}  // namespace plots
