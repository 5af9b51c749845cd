// The viewer's start-up: where the plot file is and what it is called, from the command tail
// and the hand-over values a starting program leaves in the settings store; adoption of a
// solver tool's fresh output; entering the working directory; loading the first file.
#pragma once

#include "common/Registry.h"
#include "plots/run/Viewer.h"

#include <functional>
#include <string>
#include <vector>

namespace plots {

// The plot window's own settings, below the company key.
inline const std::string SettingsSubkey = "Software\\Tavrick Enterprise\\Scrivane";

// The installation root ($TK_TOOLS_ROOT, default $HOME/tk-tools) and the developer root
// ($TOOLS_VB_ROOT, default $HOME/tools.vb), without a trailing separator.
std::string InstallationRoot();
std::string DeveloperRoot();

// What the hand-over and the command tail say, before anything is copied or entered.
struct StartupPaths {
    std::string WorkDir;
    std::string PlotBase;
    std::string ProgramPath;  // the tool's directory below the root, "none" after a command tail
    bool AdoptToolOutput = false;  // a longer name with another extension: the tool's output is copied
    // The run's second data file when one was named ("run.2lt"): the run is opened from the
    // .plt beside it.
    std::string SecondDataFile;
    // The first data file's extension in the letters it was named with (".PLT" for RUN.PLT),
    // so that a name that exists as written is the file read even where its twin in other
    // letters lies beside it; empty when no data file was named.
    std::string FirstFileExt;
};

// The hand-over values as a tool writes them (backslashes allowed) and the raw command tail.
StartupPaths ResolveStartupPaths(const std::string& fileIn, const std::string& activePath,
                                 const std::string& programPath, const std::string& commandTail);

// One copy made (or refused) while adopting a tool's output. The names are those on disk once
// the copy is made (the tool's directory may be spelt "User" where "user" was asked for).
struct StartupCopy {
    std::string Source;
    std::string Destination;
    bool Copied = false;
};

struct StartupResult {
    StartupPaths Paths;              // after adoption (WorkDir may name the developer root)
    std::vector<StartupCopy> Copies;  // in the order made
    bool RegistryMissing = false;    // the company key was missing: nothing else was done
    bool PathError = false;          // the "Error in PathName" box was shown
    bool FirstDataFileMissing = false;  // a second data file was named and its run's .plt is missing
    std::string CurrentDir;          // the directory made current (absolute), "" when none
    std::string ReadFile;            // the plot data file handed to the reader, "" when none
    bool Started = false;            // the plot run was started
    bool LocatedPicture = false;     // the picture of PlotBase was located
};

// The viewer's entry: resolves the paths, adopts a tool's output, enters the working directory
// and reads and starts the plot file. Every message goes through the viewer's dialogs.
StartupResult Main(Viewer& viewer, tk::Registry& registry, const std::string& commandTail);

// Copies a file the way the start-up adopts a tool's output: the "File not copied." box for a
// source that is not there, and for a copy that fails. The copy is complete when this returns,
// and a destination is either the whole source or left as it was.
StartupCopy ShellCopy(const std::string& source, const std::string& destination, tk::Dialogs& dialogs);

// The unload rule: the handed-over name serves one run.
void ClearHandOver(tk::Registry& registry);

// The texts of the start-up boxes.
std::string RegistryMissingText();
std::string PathErrorText(const std::string& workDir);
std::string FirstDataFileMissingText(const std::string& secondFile, const std::string& firstFile);
inline const std::string StartupErrorTitle = "Graphel in Error?";

}  // namespace plots
