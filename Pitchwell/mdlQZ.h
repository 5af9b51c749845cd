// The launcher's side of the plot hand-over, and its existence tests with drive messages.
#pragma once

#include "common/Dialogs.h"
#include "common/Registry.h"

#include <functional>
#include <string>

namespace pitchwell {

// Writes ActivePath (the directory, with trailing separator), ProgramPath and fileIn under the
// company key, creating the key when it is missing.
void SavePlotRequest(tk::Registry& store, const std::string& fileName, const std::string& directory,
                     const std::string& progSubDir);

// Empties fileIn, so that a viewer started on a directory alone does not take the name of a
// plot handed over earlier (one a viewer that is still open has not cleared yet).
void ClearPlotRequest(tk::Registry& store);

// True when the path names an existing ordinary file (not hidden, not a directory).
bool FileExists(tk::Dialogs& dialogs, const std::string& path);
// True when the path names an existing directory.
bool dirExists(tk::Dialogs& dialogs, const std::string& path);
// The same, with what to do after an unexpected error (the main window unloads itself).
bool dirExists(tk::Dialogs& dialogs, const std::string& path, const std::function<void()>& onUnexpectedError);

// What looking a path up found: 0 with the kind, or a system error code (errno) when the
// lookup itself failed. A missing path is not an error.
struct PathProbe {
    int Error = 0;
    bool Exists = false;
    bool IsDirectory = false;
    bool IsHidden = false;
};
using PathProber = std::function<PathProbe(const std::string& path)>;
// The real file system, names matched without regard to case.
PathProbe ProbePath(const std::string& path);

// The existence test behind FileExists and dirExists, with the lookup given. Disk not ready
// asks to retry (OK) or give up (Cancel); an unavailable device is reported and tried once
// more, then answered False; any other error is reported and answered False.
bool ExistsWithMessages(tk::Dialogs& dialogs, const std::string& path, bool wantDirectory, const PathProber& probe,
                        const std::function<void()>& onUnexpectedError = {});

}  // namespace pitchwell
