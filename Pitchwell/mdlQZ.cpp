#include "Pitchwell/mdlQZ.h"

#include "Pitchwell/Startup.h"
#include "common/Paths.h"

#include <sys/stat.h>

#include <cerrno>

namespace pitchwell {

void SavePlotRequest(tk::Registry& store, const std::string& fileName, const std::string& directory,
                     const std::string& progSubDir)
{
    try {
        if (!store.KeyExists(tk::HKEY_CURRENT_USER, tk::CompanyKey))
            store.CreateKey(tk::HKEY_CURRENT_USER, tk::CompanyKey);
    } catch (const tk::RegistryError&) {
        // Without the key the values below are not written; the viewer then goes by its
        // command line alone.
    }
    std::string active = directory;
    if (active.empty() || active.back() != '/')
        active += '/';
    store.SetRegValue(tk::HKEY_CURRENT_USER, tk::CompanyKey, "ActivePath", tk::REG_SZ, active);
    store.SetRegValue(tk::HKEY_CURRENT_USER, tk::CompanyKey, "ProgramPath", tk::REG_SZ, progSubDir);
    store.SetRegValue(tk::HKEY_CURRENT_USER, tk::CompanyKey, "fileIn", tk::REG_SZ, fileName);
}

void ClearPlotRequest(tk::Registry& store)
{
    // Without the company key nothing was handed over, and there is nothing to clear.
    store.SetRegValue(tk::HKEY_CURRENT_USER, tk::CompanyKey, "fileIn", tk::REG_SZ, std::string());
}

PathProbe ProbePath(const std::string& path)
{
    PathProbe probe;
    if (path.empty())
        return probe;
    const std::string resolved = tk::ResolvePath(path);
    struct stat st {};
    if (::stat(resolved.c_str(), &st) != 0) {
        if (errno != ENOENT && errno != ENOTDIR)
            probe.Error = errno;
        return probe;
    }
    probe.Exists = true;
    probe.IsDirectory = S_ISDIR(st.st_mode);
    const std::string name = tk::NamePart(resolved);
    probe.IsHidden = !name.empty() && name[0] == '.';
    return probe;
}

bool ExistsWithMessages(tk::Dialogs& dialogs, const std::string& path, bool wantDirectory, const PathProber& probe,
                        const std::function<void()>& onUnexpectedError)
{
    const std::string title = wantDirectory ? "In 'dirExists' routine ..." : "In 'FileExists' routine ...";
    bool deviceReported = false;
    for (;;) {
        const PathProbe found = probe(path);
        if (found.Error == 0) {
            if (!found.Exists)
                return false;
            // A directory listing shows ordinary files that are not hidden; a directory is
            // found through its null device, which hidden directories have too.
            return wantDirectory ? found.IsDirectory : !found.IsDirectory && !found.IsHidden;
        }
        const LauncherError e = ErrorFromErrno(found.Error);
        if (e.Number == 71) {
            const tk::MsgResult answer = dialogs.Show("Put a floppy disk in the drive and cloce the drive door.", title,
                                                      tk::MsgIcon::Exclamation, tk::MsgButtons::OkCancel);
            if (answer != tk::MsgResult::Ok)
                return false;
            continue;
        }
        if (e.Number == 68) {
            // Tried once more after the message; a device that stays away answers False.
            if (deviceReported)
                return false;
            deviceReported = true;
            dialogs.Show("This drive or path does not exist: " + path, title, tk::MsgIcon::Exclamation,
                         tk::MsgButtons::Ok);
            continue;
        }
        dialogs.Show("Unexpected error #" + std::to_string(e.Number) + " occured: " + e.Description, title,
                     tk::MsgIcon::Critical, tk::MsgButtons::Ok);
        if (wantDirectory && onUnexpectedError)
            onUnexpectedError();
        return false;
    }
}

bool FileExists(tk::Dialogs& dialogs, const std::string& path)
{
    return ExistsWithMessages(dialogs, path, false, ProbePath);
}

bool dirExists(tk::Dialogs& dialogs, const std::string& path)
{
    return ExistsWithMessages(dialogs, path, true, ProbePath);
}

bool dirExists(tk::Dialogs& dialogs, const std::string& path, const std::function<void()>& onUnexpectedError)
{
    return ExistsWithMessages(dialogs, path, true, ProbePath, onUnexpectedError);
}

}  // namespace pitchwell
