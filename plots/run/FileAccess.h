// How the viewer's file commands reach the file system, and how they report what goes wrong.
// The commands list, check and write through FileAccess so that tests can stand in a file
// system that fails on cue; the real one answers with the platform's error numbers (errno).
// Every failure is sorted into one of four kinds, and each kind has its message box.
#pragma once

#include "common/Dialogs.h"
#include "common/FileErrors.h"

#include <functional>
#include <optional>

#include <QByteArray>
#include <string>

namespace plots {

class FileAccess {
public:
    virtual ~FileAccess() = default;
    // Lists the ordinary files a name or pattern stands for. Returns 0 and tells whether any
    // file matched, or the error number that stopped the listing. A directory that does not
    // exist is no error: nothing matches in it.
    virtual int List(const std::string& pattern, bool& anyFile) = 0;
    // 0 when the directory can be listed, otherwise the error number.
    virtual int CheckDirectory(const std::string& directory) = 0;
    // Writes the bytes as the whole file; 0 or the error number.
    virtual int WriteFile(const std::string& path, const QByteArray& bytes) = 0;
};

// The platform's file system, with names looked up through the case-insensitive resolver.
class RealFileAccess : public FileAccess {
public:
    int List(const std::string& pattern, bool& anyFile) override;
    int CheckDirectory(const std::string& directory) override;
    int WriteFile(const std::string& path, const QByteArray& bytes) override;
};

using tk::FileErrorKind;
using tk::RoutineTitle;

// The viewer's table from the system's error numbers to the four kinds of failure.
FileErrorKind ClassifyFileError(int error);

// "Unexpected error #" + the number (a blank in front of non-negative numbers) + " occured: "
// + the platform's description.
std::string UnexpectedErrorText(int error);

// What a routine does after a failure was reported.
enum class AfterFailure {
    Retry,     // try the failing step again
    GoOn,      // carry on after the failing step
    GiveUp,    // end the routine (FileExists answers False)
    CloseAll,  // end the program
};

// Who reports: the existence test answers False where the commands retry or end the program.
enum class FileRoutine { FileExists, FileOld, FileSaveAs };

// Whoever is told of a failure: shows the box and gives the answer (a run without a window keeps
// the box for its caller and takes its first choice).
using BoxTeller = std::function<tk::MsgResult(const tk::MessageBoxCall&)>;

// Shows the message box for the failure and tells how to go on. `attempt` counts the tries
// of the failing step from 1; a step that already failed twice is not tried a third time.
AfterFailure ReportFileError(const BoxTeller& tell, FileRoutine routine, int error, const std::string& name,
                             int attempt);
AfterFailure ReportFileError(tk::Dialogs& dialogs, FileRoutine routine, int error, const std::string& name,
                             int attempt);

// The existence test of the viewer: an empty name and "*.*" are False at once; otherwise True
// when at least one ordinary file matches the name as a listing pattern. Failures of the
// listing are reported under "In 'FileExists' routine ..." and answer False.
bool FileExists(FileAccess& files, const BoxTeller& tell, const std::string& name);
bool FileExists(FileAccess& files, tk::Dialogs& dialogs, const std::string& name);
// The same on the real file system.
bool FileExists(const std::string& name, tk::Dialogs& dialogs);

}  // namespace plots
