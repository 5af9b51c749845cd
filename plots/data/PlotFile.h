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
    void Close() { lines_.Close(); }
    // The number of the line the reader is at: the last line read, or the one after it when
    // the file ended there.
    int Line() const { return count_ + (ended_ ? 1 : 0); }

private:
    tk::LineReader lines_{64 * 1024};
    int count_ = 0;
    bool ended_ = false;
};

}  // namespace plots
