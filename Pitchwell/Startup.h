// How the launcher finds its installation and sets itself up on first run, without windows:
// the base and program directories from its own directory, the marker file, the file types
// of sources and output listings, and the "User" working directory.
#pragma once

#include "Pitchwell/LauncherPaths.h"
#include "Pitchwell/mdlQZ.h"
#include "common/FileErrors.h"

#include <optional>
#include <string>

namespace pitchwell {

inline const std::string ProgramName = "Pitchwell";
inline const std::string ProgramVersion = "1.40 (Alpha)";

// The mime types registered for the two extensions on first run.
inline const std::string SourceMimeType = "text/x-quazelle";
inline const std::string OutputMimeType = "text/x-quazelle-output";

// An error as the launcher reports it: a number and a description, and the kind of failure
// its existence tests tell apart.
struct LauncherError {
    int Number = 0;
    std::string Description;
    tk::FileErrorKind Kind = tk::FileErrorKind::Other;
};
// The launcher's one table from system error codes (errno) to its errors.
LauncherError ErrorFromErrno(int err);
// "Unexpected error #" + number + " occured: " + description.
std::string UnexpectedErrorText(const LauncherError& e);

// The base directory for an own directory: its parent, blanks removed at both ends; "" when
// the own directory is the root of the file tree or directly below it.
std::string BaseDirectoryOf(const std::string& ownDir);

// Sets ProgSubDir, BaseDir and ProgDir from OwnDir. Without a base directory: the
// base-directory message, after which the program must end at once.
std::optional<tk::MessageBoxCall> DecideStartPath(LauncherPaths& paths);

// The marker file's one line (without its line end) for a date in the short date format.
std::string MarkerLine(const std::string& shortDate);
// Today in the system's short date format.
std::string TodayShortDate();

// What Start_INI did, for callers that care.
struct SetupReport {
    bool FirstRun = false;
    bool RegisteredSource = false;
    bool RegisteredOutput = false;
    bool CreatedUserDir = false;
};

// First-run set-up (marker file, file types) and the working directory ProgDir + "/User", made
// current. On any failure: the "In 'Start_INI' routine ..." message, after which the program
// ends.
std::optional<tk::MessageBoxCall> DecideStartIni(const LauncherPaths& paths, const ExistenceTests& exists,
                                                 const std::string& shortDate, SetupReport* report = nullptr);

}  // namespace pitchwell
