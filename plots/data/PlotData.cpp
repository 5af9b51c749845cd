#include "plots/data/PlotData.h"

#include "plots/data/PlotFile.h"

namespace plots {

PlotData::PlotData() = default;
PlotData::~PlotData() = default;
PlotData::PlotData(PlotData&&) noexcept = default;
PlotData& PlotData::operator=(PlotData&&) noexcept = default;

PlotData PlotData::CopyOfValues() const
{
    PlotData copy;
    static_cast<PlotValues&>(copy) = *this;
    return copy;
}

bool PlotData::IsOpen() const
{
    return File != nullptr;
}

void PlotData::Close()
{
    if (File) File->Close();
    File.reset();
}

}  // namespace plots
