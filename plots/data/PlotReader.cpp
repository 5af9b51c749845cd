// PLACEHOLDER until the reader lands.
#include "plots/data/PlotReader.h"

namespace plots {

bool ReadPlotData(PlotData&, RunState&, const std::string&, const std::string&, ViewerHost&, tk::Dialogs&)
{
    return false;
}

void ReadNextBlock(PlotData& data)
{
    data.PointCount = 0;
}

}  // namespace plots
