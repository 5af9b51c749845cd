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
            ended_ = !lines_.Failed();
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
    // the file ended there.
    int Line() const { return count_ + (ended_ ? 1 : 0); }

private:
    tk::LineReader lines_{64 * 1024};
    std::string line_;
    int count_ = 0;
    bool ended_ = false;
};

}  // namespace plots
