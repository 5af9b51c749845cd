// What the launcher's pages share: the installation's directories, the message boxes, the
// settings store, the program starter and the printer chosen with "Printer Set&up...".
#pragma once

#include "Pitchwell/LauncherPaths.h"
#include "common/Dialogs.h"
#include "common/Process.h"
#include "common/Registry.h"

#include <string>

class QPrinter;

namespace pitchwell {

struct LauncherContext {
    LauncherPaths& Paths;
    tk::Dialogs& Messages;
    tk::Registry& Store;
    tk::ProgramStarter& Starter;
    QPrinter& Printer;
};

}  // namespace pitchwell
