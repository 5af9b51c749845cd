// Path rules of the viewer: splitting a path for the caption and the open dialog, the same
// file one directory up, the plot base of a chosen file, the bitmap name Save As proposes, a
// run's second data file, and where the file dialogs start.
#pragma once

#include "common/Dialogs.h"
#include "plots/run/RunState.h"

#include <functional>
#include <optional>
#include <string>

namespace plots {

// The name after the last separator; `directory` receives the part before it ("/" for a file
// in the root), or the current directory when there is no separator.
std::string SplitPath(const std::string& path, std::string& directory);

// Rewrites the path to name the same file one directory up ("a/user/x.qz" becomes
// "a/user/../x.qz", a bare name gets "../" in front) and tells whether an ordinary file
// exists there. The first form tests quietly; the second reports listing failures.
bool ExistsInParent(std::string& path);
bool ExistsInParent(std::string& path, tk::Dialogs& dialogs);
// The same, asking the given existence test.
bool ExistsInParent(std::string& path, const std::function<bool(const std::string&)>& exists);

// The plot base of a chosen file: the path without the extension of its name part. A name
// without a full stop, or whose only full stop is its first character, stays whole; a full
// stop in a directory name is never taken for an extension.
std::string PlotBaseOf(const std::string& path);

// The file name Save As proposes for a plot base: the name part, cut before its first full
// stop unless that is its first character or there is none, followed by ".bmp".
std::string ProposedBitmapName(const std::string& plotBase);

// True when the path names a run's second data file (".2lt" in any letter case). Such a file
// is only ever shown after its run's .plt, so it opens the run from the .plt beside it.
bool IsSecondDataFile(const std::string& path);
// The run's first data file a second data file opens from ("run.plt" beside "run.2lt");
// nothing for any other file.
std::optional<std::string> FirstDataFileOf(const std::string& path);

// Where the open and save dialogs start: the directory of the run being shown, else the one
// the last open dialog was left in, else the working directory. Always an absolute path, so a
// dialog never falls back to the file system's root.
std::string DialogStartDirectory(const RunState& run);

}  // namespace plots
