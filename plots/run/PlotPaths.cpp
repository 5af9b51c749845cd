#include "plots/run/PlotPaths.h"

#include "common/Paths.h"
#include "common/Text.h"
#include "plots/run/FileAccess.h"


namespace plots {

std::string SplitPath(const std::string& path, std::string& directory)
{
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) {
        directory = tk::CurrentDirectory();
        return path;
    }
    directory = slash == 0 ? std::string("/") : path.substr(0, slash);
    return path.substr(slash + 1);
}

namespace {

std::string InParent(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return "../" + path;
    return path.substr(0, slash + 1) + "../" + path.substr(slash + 1);
}

}  // namespace

bool ExistsInParent(std::string& path)
{
    path = InParent(path);
    return !path.empty() && !tk::ListFiles(path).empty();
}

bool ExistsInParent(std::string& path, tk::Dialogs& dialogs)
{
    return ExistsInParent(path, [&dialogs](const std::string& name) { return FileExists(name, dialogs); });
}

bool ExistsInParent(std::string& path, const std::function<bool(const std::string&)>& exists)
{
    path = InParent(path);
    return exists(path);
}

std::string PlotBaseOf(const std::string& path)
{
    return tk::WithoutExtension(path);
}

std::string ProposedBitmapName(const std::string& plotBase)
{
    std::string name = tk::NamePart(plotBase);
    const auto stop = name.find('.');
    if (stop != std::string::npos && stop > 0) name.erase(stop);
    return name + ".bmp";
}

bool IsSecondDataFile(const std::string& path)
{
    return tk::EqualsNoCase(tk::ExtensionOf(path), ".2lt");
}

std::optional<std::string> FirstDataFileOf(const std::string& path)
{
    if (!IsSecondDataFile(path)) return std::nullopt;
    return tk::WithoutExtension(path) + ".plt";
}

std::string DialogStartDirectory(const RunState& run)
{
    if (!run.PlotBase.empty()) {
        // A bare plot base lies in the working directory.
        const std::string part = tk::DirectoryPart(run.PlotBase);
        const std::string directory = run.PlotBase.front() == '/' ? (part.empty() ? "/" : part)
                                      : part.empty()              ? tk::CurrentDirectory()
                                                                  : tk::CurrentDirectory() + "/" + part;
        if (tk::IsDirectory(directory)) return tk::ResolvePath(directory);
    }
    if (!run.OpenDialogDir.empty()) return run.OpenDialogDir;
    return tk::CurrentDirectory();
}

}  // namespace plots
