// The run state of the viewer: which file is shown and where the plot sequence stands.
#pragma once

#include <cstdint>
#include <string>

namespace plots {

struct RunState {
    std::string PlotBase;     // the plot file without extension
    std::string WorkDir;      // the resolved working directory (a scratch text later on)
    std::string SettingsKey;  // the settings key in use
    std::string OpenDialogDir;  // where the next open dialog starts
    // The extension of the run's first data file: ".plt", or nothing for a data file named
    // without one (the export reads any file the check reads).
    std::string FirstFileExt = ".plt";

    std::int16_t PlotStep = 0;      // position in the current file's plot sequence
    std::int16_t FileIndex = 1;     // 1 = .plt, 2 = .2lt, ...
    std::int16_t PictureIndex = 2;  // number of the next picture of a picture series
    bool SecondFilePending = false;
};

}  // namespace plots
