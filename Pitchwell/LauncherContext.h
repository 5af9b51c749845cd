// What the launcher's pages share: the installation's directories, the message boxes, the
// settings store, the program starter and the printer chosen with "Printer Set&up...".
#pragma once

#include "common/Dialogs.h"
#include "common/Process.h"
#include "common/Registry.h"

#include <string>

class QPrinter;

namespace pitchwell {

struct LauncherPaths {
    std::string OwnDir;                      // the directory of the launcher's executable
    std::string BaseDir;                     // the base directory, without trailing separator
    std::string ProgSubDir = "/Pitchwell";   // also handed over as ProgramPath
    std::string ProgDir;                     // BaseDir + ProgSubDir
    std::string VideoFile;                   // OwnDir + "/video/qz-presentation.wmv"
};

struct LauncherContext {
    LauncherPaths& Paths;
    tk::Dialogs& Messages;
    tk::Registry& Store;
    tk::ProgramStarter& Starter;
    QPrinter& Printer;
};

}  // namespace pitchwell
