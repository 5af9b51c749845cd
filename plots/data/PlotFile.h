// The open plot data file: a line reader that the plot data owns between plots, counting the
// lines it has read so that a failure can name where it stopped.
#pragma once

#include "common/TextFile.h"

#include <string>

namespace plots {

class PlotFile {
public:
    bool Open(const std::string& path) { return lines_.Open(path); }
    bool ReadLine(std::string& line)
    {
        if (!lines_.ReadLine(line)) {
            stopped_ = true;
            return false;
        }
        ++count_;
        return true;
    }
    // The next line in a buffer the file keeps, valid until the next read: tens of thousands
    // of data lines are read without making a string for each. Nothing at the end.
    const std::string* NextLine() { return ReadLine(line_) ? &line_ : nullptr; }
    void Close() { lines_.Close(); }
    // The number of the line the reader is at: the last line read, or the one after it when
    // the file ended there or that line could not be read.
    int Line() const { return count_ + (stopped_ ? 1 : 0); }

private:
    // A record may hold thousands of numbers on one line, so a line may be as long as the file.
    tk::LineReader lines_{std::string::npos};
    std::string line_;
    int count_ = 0;
    bool stopped_ = false;
};

}  // namespace plots
