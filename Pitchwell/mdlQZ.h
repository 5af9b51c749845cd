// The launcher's side of the plot hand-over, and its existence tests with drive messages.
#pragma once

#include "common/Dialogs.h"
#include "common/Registry.h"

#include <string>

namespace pitchwell {

// Writes ActivePath (the directory, with trailing separator), ProgramPath and fileIn under the
// company key, creating the key when it is missing.
void SavePlotRequest(tk::Registry& store, const std::string& fileName, const std::string& directory,
                     const std::string& progSubDir);

// True when the path names an existing ordinary file (not hidden, not a directory).
bool FileExists(tk::Dialogs& dialogs, const std::string& path);
// True when the path names an existing directory.
bool dirExists(tk::Dialogs& dialogs, const std::string& path);

}  // namespace pitchwell
