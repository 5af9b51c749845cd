// A launcher installed by a package runs from /usr/bin with its examples under /usr/share,
// where nothing may be written. It works in a copy of its base directory in the user's data
// directory instead: the examples ("Edit Demo" opens them in a writable editor), the video
// directory the video page asks the user to fill, and a link to the viewer. The first start
// makes the copy; later starts bring it up to date with the package without touching a file the
// user changed, remembering what they installed in the same manifest scripts/install.sh keeps.
#pragma once

#include <string>
#include <vector>

namespace pitchwell {

// The shared base directory of a packaged installation for a launcher in `ownDir`:
// ownDir/../share/tk-tools when it holds the launcher's examples and ownDir does not. Empty for
// an installation that runs where it is (such as ~/tk-tools).
std::string SharedBaseDirectory(const std::string& ownDir);

// The user's copy: $XDG_DATA_HOME/tk-tools (default ~/.local/share/tk-tools).
std::string UserBaseDirectory();

struct UserCopyReport {
    std::string OwnDir;              // the copy's launcher directory, userBase/Pitchwell
    int Written = 0;                 // example files written
    std::vector<std::string> Kept;   // changed by the user while the package brought another version
    std::string Error;               // why the copy is not usable; empty when it is
};

// Brings the copy at `userBase` up to date with `sharedBase`, its viewer link pointing at
// `viewer`. An example is written when it is missing or still what the last start installed;
// one the user changed stays as it is. Files the user added are never touched.
UserCopyReport UpdateUserCopy(const std::string& sharedBase, const std::string& userBase, const std::string& viewer);

// The directory the launcher runs in: its own directory, or for a packaged installation its
// copy in the user's data directory, brought up to date first. Kept files and a copy that
// cannot be made are told on standard error; then the launcher runs from the shared directory
// and its start-up reports the directory it cannot write.
std::string LauncherRunDirectory(const std::string& ownDir);

}  // namespace pitchwell
