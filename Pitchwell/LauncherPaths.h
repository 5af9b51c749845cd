// Where the launcher is installed: its own directory and the directories derived from it.
#pragma once

#include <string>

namespace pitchwell {

struct LauncherPaths {
    std::string OwnDir;                      // the directory of the launcher's executable
    std::string BaseDir;                     // the base directory, without trailing separator
    std::string ProgSubDir = "/Pitchwell";   // also handed over as ProgramPath
    std::string ProgDir;                     // BaseDir + ProgSubDir
    std::string VideoFile;                   // OwnDir + "/video/qz-presentation.wmv"
};

}  // namespace pitchwell
