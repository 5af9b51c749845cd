// The launcher's side of the plot hand-over, and the file lookups behind its existence tests.
#pragma once

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

// The answer of the existence tests for a lookup that did not fail: FileExists finds ordinary
// files that are not hidden (what a directory listing shows), dirExists directories (found
// through their null device, which hidden directories have too).
bool Found(const PathProbe& found, bool wantDirectory);

// The existence tests the launcher's decisions use. The window passes tests that report drive
// problems in boxes (Pitchwell/LauncherCommands); PlainExistence answers False for them.
using ExistenceTest = std::function<bool(const std::string& path)>;
struct ExistenceTests {
    ExistenceTest File;
    ExistenceTest Directory;
};
ExistenceTests PlainExistence();

}  // namespace pitchwell
