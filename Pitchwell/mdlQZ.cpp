#include "Pitchwell/mdlQZ.h"

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

bool Found(const PathProbe& found, bool wantDirectory)
{
    if (found.Error != 0 || !found.Exists)
        return false;
    return wantDirectory ? found.IsDirectory : !found.IsDirectory && !found.IsHidden;
}

ExistenceTests PlainExistence()
{
    return {[](const std::string& path) { return Found(ProbePath(path), false); },
            [](const std::string& path) { return Found(ProbePath(path), true); }};
}

}  // namespace pitchwell
