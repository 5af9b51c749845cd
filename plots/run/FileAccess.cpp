#include "plots/run/FileAccess.h"

#include "common/Paths.h"
#include "common/SafeFile.h"

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace plots {

namespace {

// The directory a listing pattern looks in.
std::string ListingDirectory(const std::string& pattern)
{
    const auto slash = pattern.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return pattern.substr(0, slash);
}

// 0 when the directory exists and can be listed; ENOENT when it does not exist.
int ProbeDirectory(const std::string& directory)
{
    const std::string dir = tk::ResolvePath(directory.empty() ? std::string(".") : directory);
    struct stat st {};
    if (::stat(dir.c_str(), &st) != 0) return errno;
    if (!S_ISDIR(st.st_mode)) return ENOTDIR;
    DIR* d = ::opendir(dir.c_str());
    if (!d) return errno;
    ::closedir(d);
    return 0;
}

const char* RoutineName(FileRoutine routine)
{
    switch (routine) {
    case FileRoutine::FileExists: return "FileExists";
    case FileRoutine::FileOld: return "FileOld";
    case FileRoutine::FileSaveAs: return "FileSaveAs";
    }
    return "";
}

}  // namespace

int RealFileAccess::List(const std::string& pattern, bool& anyFile)
{
    anyFile = false;
    const int error = ProbeDirectory(ListingDirectory(pattern));
    // Looking for a file in a directory that is not there simply finds nothing.
    if (error == ENOENT) return 0;
    if (error != 0) return error;
    anyFile = !tk::ListFiles(pattern).empty();
    return 0;
}

int RealFileAccess::CheckDirectory(const std::string& directory)
{
    return ProbeDirectory(directory);
}

int RealFileAccess::WriteFile(const std::string& path, const QByteArray& bytes)
{
    // Whole or not at all: a full disk leaves the file that was there, not a torn one.
    int error = 0;
    if (tk::WriteFileWhole(path, std::string(bytes.constData(), std::size_t(bytes.size())), &error)) return 0;
    return error != 0 ? error : EIO;
}

FileErrorKind ClassifyFileError(int error)
{
    switch (error) {
    case EAGAIN:
    case EBUSY:
    case ENOMEDIUM:
        return FileErrorKind::NotReady;
    case ENOENT:
    case ENOTDIR:
    case EIO:
    case ENODEV:
    case ENXIO:
        return FileErrorKind::PathMissing;
    case ECANCELED:
        return FileErrorKind::Cancelled;
    default:
        return FileErrorKind::Other;
    }
}

std::string UnexpectedErrorText(int error)
{
    return tk::UnexpectedErrorText(std::string(error >= 0 ? " " : "") + std::to_string(error), std::strerror(error));
}

AfterFailure ReportFileError(tk::Dialogs& dialogs, FileRoutine routine, int error, const std::string& name,
                             int attempt)
{
    return ReportFileError([&dialogs](const tk::MessageBoxCall& box) { return dialogs.MsgBox(box); }, routine, error,
                           name, attempt);
}

AfterFailure ReportFileError(const BoxTeller& tell, FileRoutine routine, int error, const std::string& name,
                             int attempt)
{
    const std::string title = RoutineTitle(RoutineName(routine));
    const bool mayRetry = attempt < 2;
    const FileErrorKind kind = ClassifyFileError(error);
    const std::optional<tk::MessageBoxCall> box = tk::FileErrorBox(kind, title, name, UnexpectedErrorText(error));
    const tk::MsgResult answer = box ? tell(*box) : tk::MsgResult::Cancel;
    switch (kind) {
    case FileErrorKind::NotReady:
        if (answer == tk::MsgResult::Ok) return mayRetry ? AfterFailure::Retry : AfterFailure::GiveUp;
        return routine == FileRoutine::FileExists ? AfterFailure::GiveUp : AfterFailure::GoOn;
    case FileErrorKind::PathMissing:
        if (routine == FileRoutine::FileExists) return AfterFailure::GiveUp;
        return mayRetry ? AfterFailure::Retry : AfterFailure::GiveUp;
    case FileErrorKind::Cancelled:
        return AfterFailure::GiveUp;
    case FileErrorKind::Other:
        // A bitmap that cannot be written leaves the plot on screen to be saved elsewhere; only
        // the open command ends the program, as it always did.
        return routine == FileRoutine::FileOld ? AfterFailure::CloseAll : AfterFailure::GiveUp;
    }
    return AfterFailure::GiveUp;
}

bool FileExists(FileAccess& files, tk::Dialogs& dialogs, const std::string& name)
{
    return FileExists(files, [&dialogs](const tk::MessageBoxCall& box) { return dialogs.MsgBox(box); }, name);
}

bool FileExists(FileAccess& files, const BoxTeller& tell, const std::string& name)
{
    if (name.empty() || name == "*.*") return false;
    for (int attempt = 1;; ++attempt) {
        bool any = false;
        const int error = files.List(name, any);
        if (error == 0) return any;
        if (ReportFileError(tell, FileRoutine::FileExists, error, name, attempt) != AfterFailure::Retry)
            return false;
    }
}

bool FileExists(const std::string& name, tk::Dialogs& dialogs)
{
    RealFileAccess files;
    return FileExists(files, dialogs, name);
}

}  // namespace plots
