// The plot window's command states: one table of what each event of a run enables and
// disables. A command an event does not name keeps its state.
#pragma once

#include "plots/run/ViewerHost.h"

#include <utility>
#include <vector>

namespace plots {

enum class RunEvent {
    Loaded,        // the window was loaded
    DataLocated,   // a data file was located and read: the run waits for "&Plot results >>"
    RunStarted,    // "&Plot results >>", or a start on a data file
    PictureShown,  // a picture plot was located and shown
    Opened,        // a file was chosen in the open dialog
    Quit,          // "Quit"
};

// The commands the event sets, each with its new enabled state.
const std::vector<std::pair<Command, bool>>& CommandStatesAfter(RunEvent event);
void ApplyCommandStates(ViewerHost& host, RunEvent event);

}  // namespace plots
