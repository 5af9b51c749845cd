// Helpers of the reader tests: plot files written into a private directory and read with the
// viewer's reader, with the outcome it returns.
#pragma once

#include "plots/data/PlotReader.h"

#include <QTemporaryDir>

#include <fstream>
#include <initializer_list>
#include <memory>
#include <string>

namespace readertest {

// Lines joined the way the tools write them.
inline std::string Lines(std::initializer_list<const char*> lines, const char* end = "\r\n")
{
    std::string text;
    for (const char* line : lines) text += std::string(line) + end;
    return text;
}

struct ReadResult {
    plots::PlotData Data;
    plots::ReadOutcome Outcome;
    bool Ok = false;

    // What went wrong, for a failure message.
    std::string Failure() const { return Outcome.Label + " at line " + std::to_string(Outcome.Line); }
};

class PlotFiles {
public:
    std::string Dir() const { return dir_.path().toStdString(); }

    std::string Write(const std::string& name, const std::string& bytes) const
    {
        const std::string path = Dir() + "/" + name;
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out << bytes;
        return path;
    }

    // Writes the bytes as <dir>/run.plt and reads them as the viewer does.
    std::unique_ptr<ReadResult> Read(const std::string& bytes, const std::string& name = "run") const
    {
        Write(name + ".plt", bytes);
        return ReadExisting(Dir() + "/" + name);
    }

    static std::unique_ptr<ReadResult> ReadExisting(const std::string& base, const std::string& ext = ".plt")
    {
        auto r = std::make_unique<ReadResult>();
        r->Outcome = plots::ReadPlotData(r->Data, base + ext);
        r->Ok = r->Outcome.Loaded();
        return r;
    }

private:
    QTemporaryDir dir_;
};

}  // namespace readertest
