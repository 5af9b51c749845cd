// The zoom history of the shown plot. Its first entry is the plot as the sequence drew it;
// each zoom or pan adds an entry after the current one (dropping those ahead of it, as a
// browser's history does), Back and Forward walk it, and Home returns to the first entry
// without forgetting the others.
#pragma once

#include "plots/render/DisplaySettings.h"

#include <cstddef>
#include <vector>

namespace plots {

class ZoomHistory {
public:
    const PlotZoom& Current() const { return entries_[at_]; }
    // Adds a zoom after the current entry; the same zoom again adds nothing.
    void Push(const PlotZoom& zoom);
    // Each returns whether the current entry changed.
    bool Back();
    bool Forward();
    bool Home();
    bool CanBack() const { return at_ > 0; }
    bool CanForward() const { return at_ + 1 < entries_.size(); }
    // A new plot: one entry, unzoomed.
    void Reset();

private:
    std::vector<PlotZoom> entries_{PlotZoom{}};
    std::size_t at_ = 0;
};

}  // namespace plots
