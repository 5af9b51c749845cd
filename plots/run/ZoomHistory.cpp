#include "plots/run/ZoomHistory.h"

namespace plots {

void ZoomHistory::Push(const PlotZoom& zoom)
{
    if (zoom == Current()) return;
    entries_.resize(at_ + 1);
    entries_.push_back(zoom);
    ++at_;
}

bool ZoomHistory::Back()
{
    if (!CanBack()) return false;
    --at_;
    return true;
}

bool ZoomHistory::Forward()
{
    if (!CanForward()) return false;
    ++at_;
    return true;
}

bool ZoomHistory::Home()
{
    if (at_ == 0) return false;
    at_ = 0;
    return true;
}

void ZoomHistory::Reset()
{
    entries_.assign(1, PlotZoom{});
    at_ = 0;
}

}  // namespace plots
