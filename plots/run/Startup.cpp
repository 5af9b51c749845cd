#include "plots/run/Startup.h"

#include "common/Paths.h"
#include "common/Text.h"

#include <QDir>
#include <QString>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <system_error>

#include <unistd.h>

namespace plots {

namespace {

std::string FromEnvironment(const char* name, const std::string& fallbackBelowHome)
{
    std::string root;
    if (const char* v = std::getenv(name); v && *v) {
        root = v;
    } else {
        const char* home = std::getenv("HOME");
        root = std::string(home && *home ? home : ".") + "/" + fallbackBelowHome;
    }
    while (root.size() > 1 && root.back() == '/') root.pop_back();
    return root;
}

// Tools write their hand-over values with backslashes.
std::string ForwardSlashes(std::string s)
{
    std::replace(s.begin(), s.end(), '\\', '/');
    return s;
}

// Lengths and endings count characters, not bytes.
qsizetype Characters(const std::string& s) { return QString::fromStdString(s).size(); }

bool FullStopInLastFive(const std::string& s)
{
    return QString::fromStdString(s).right(5).contains('.');
}

bool ListedAsFile(const std::string& path) { return !tk::ListFiles(path).empty(); }

// Where a copy lands on disk: a file that exists in another letter case is the one the run will
// find, so it is the one replaced; a new file goes into its directory as that is spelt on disk
// (a tool's "User" directory where the rules build "user").
std::string DestinationOnDisk(const std::string& destination)
{
    if (tk::IsFile(destination)) return tk::ResolvePath(destination);
    const std::string directory = tk::DirectoryPart(destination);
    if (directory.empty()) return destination;
    return tk::ResolvePath(directory) + "/" + tk::NamePart(destination);
}

// The whole source under a temporary name beside the target, then renamed into place, so the
// target is never left half written. The reason of a failure goes into `why`.
bool CopyWhole(const std::string& from, const std::string& to, std::string& why)
{
    namespace fs = std::filesystem;
    const fs::path target(to);
    const fs::path part = target.parent_path() / ("." + target.filename().string() + ".copying");
    std::error_code ec;
    fs::copy_file(from, part, fs::copy_options::overwrite_existing, ec);
    if (!ec) fs::rename(part, target, ec);
    if (!ec) return true;
    why = ec.message();
    std::error_code ignored;
    fs::remove(part, ignored);
    return false;
}

// A tool's fresh output lies in its user directory under fixed names; it is copied to the
// handed-over name so that the run keeps its own files.
void AdoptToolOutput(StartupResult& r, tk::Dialogs& dialogs)
{
    StartupPaths& p = r.Paths;
    const std::string program = tk::Lower(p.ProgramPath);
    const bool tunewave = program == "/tunewv.hz";
    std::string source;
    if (tunewave) {
        source = p.WorkDir + "~tnwvFrq.out";
    } else {
        if (program == "/plots") p.WorkDir = DeveloperRoot() + p.ProgramPath + "/";
        source = p.WorkDir + "~" + (p.ProgramPath.empty() ? std::string() : p.ProgramPath.substr(1)) + ".out";
    }
    if (ListedAsFile(source)) {
        r.Copies.push_back(ShellCopy(source, p.WorkDir + p.PlotBase + ".out", dialogs));
        // The plot file is read right after this copy, so it is complete before we go on.
        r.Copies.push_back(ShellCopy(p.WorkDir + "~4plots.plt", p.WorkDir + p.PlotBase + ".plt", dialogs));
    }
    if (!tunewave && program == "/fitmora" && ListedAsFile(p.WorkDir + "~equ.txt"))
        r.Copies.push_back(ShellCopy(p.WorkDir + "~equ.txt", p.WorkDir + p.PlotBase + ".equ", dialogs));
}

void ShowPathError(tk::Dialogs& dialogs, const std::string& workDir)
{
    dialogs.Show(PathErrorText(workDir), StartupErrorTitle, tk::MsgIcon::Exclamation, tk::MsgButtons::Ok);
}

}  // namespace

std::string InstallationRoot() { return FromEnvironment("TK_TOOLS_ROOT", "tk-tools"); }
std::string DeveloperRoot() { return FromEnvironment("TOOLS_VB_ROOT", "tools.vb"); }

std::string RegistryMissingText()
{
    return "Error in your Registry ... No 'Tavrick ...' entry found.\r\n"
           "Let us know if you get this message and if you had our Plots program\r\n"
           " work okay on previous sessions.";
}

std::string PathErrorText(const std::string& workDir)
{
    return "Error in PathName ... '" + workDir + "'\r\nIf this continues, please let us know.  Thanks.\r\n";
}

std::string FirstDataFileMissingText(const std::string& secondFile, const std::string& firstFile)
{
    return "The run of '" + secondFile + "' cannot be shown:\r\nits first data file '" + firstFile +
           "' is missing.";
}

StartupPaths ResolveStartupPaths(const std::string& fileIn, const std::string& activePath,
                                 const std::string& programPath, const std::string& commandTail)
{
    StartupPaths p;
    p.PlotBase = ForwardSlashes(fileIn);
    p.WorkDir = ForwardSlashes(activePath);
    p.ProgramPath = ForwardSlashes(programPath);

    std::string tail = tk::TrimWhite(commandTail);
    // A path passed in quotation marks (as a shell-less starter or a desktop entry may pass
    // it) names the same file as the bare path.
    if (tail.size() >= 2 && tail.front() == '"' && tail.back() == '"') tail = tk::TrimWhite(tail.substr(1, tail.size() - 2));
    if (!tail.empty()) {
        // A very short tail is a stray switch, not a place, unless it names something that is
        // there ("/tmp", "a.plt" in the current directory).
        const bool stray = Characters(tail) < 9 && !tk::IsFile(tail) && !tk::IsDirectory(tail);
        if (stray) tail = InstallationRoot();
        p.WorkDir = tail;
        p.ProgramPath = "none";
        // A full stop near the end names a file, unless the tail is a directory that exists.
        if (!stray && FullStopInLastFive(tail) && !tk::IsDirectory(tail)) {
            const auto slash = tail.find_last_of('/');
            p.WorkDir = slash == std::string::npos ? std::string() : tail.substr(0, slash + 1);
            p.PlotBase = slash == std::string::npos ? tail : tail.substr(slash + 1);
        }
    }

    // Extensions are compared without regard to case, like every other name (RUN1.PLT, pic.GIF).
    if (tk::EndsWithNoCase(p.PlotBase, "plt") || tk::EndsWithNoCase(p.PlotBase, "gif")) {
        p.PlotBase.resize(p.PlotBase.size() >= 4 ? p.PlotBase.size() - 4 : 0);
    } else if (IsSecondDataFile(p.PlotBase)) {
        p.SecondDataFile = p.PlotBase;
        p.PlotBase = tk::WithoutExtension(p.PlotBase);
    } else if (Characters(p.PlotBase) <= 4) {
        if (p.WorkDir.empty()) p.WorkDir = InstallationRoot() + p.ProgramPath + "/";
    } else {
        if (FullStopInLastFive(p.PlotBase)) p.PlotBase.resize(p.PlotBase.find_last_of('.'));
        p.WorkDir = InstallationRoot() + p.ProgramPath + "/user/";
        p.AdoptToolOutput = true;
    }
    return p;
}

StartupCopy ShellCopy(const std::string& source, const std::string& destination, tk::Dialogs& dialogs)
{
    StartupCopy copy{source, destination, false};
    const std::vector<std::string> found = source.empty() ? std::vector<std::string>{} : tk::ListFiles(source);
    if (found.empty()) {
        dialogs.Show("\"" + source + "\" is not a valid file name.", "File not copied.", tk::MsgIcon::Exclamation,
                     tk::MsgButtons::Ok);
        return copy;
    }
    copy.Source = found.front();
    copy.Destination = DestinationOnDisk(destination);
    std::string why;
    copy.Copied = CopyWhole(copy.Source, copy.Destination, why);
    // The run would otherwise show an older file under that name, or none, without a word.
    if (!copy.Copied)
        dialogs.Show("\"" + copy.Source + "\" could not be copied to \"" + copy.Destination + "\": " + why + ".",
                     "File not copied.", tk::MsgIcon::Exclamation, tk::MsgButtons::Ok);
    return copy;
}

void ClearHandOver(tk::Registry& registry)
{
    if (registry.KeyExists(tk::HKEY_CURRENT_USER, tk::CompanyKey)) registry.SetText(tk::CompanyKey, "fileIn", "");
}

StartupResult Main(Viewer& viewer, tk::Registry& registry, const std::string& commandTail)
{
    StartupResult r;
    ViewerHost& host = viewer.Host();
    tk::Dialogs& dialogs = viewer.Messages();
    const auto unloaded = [&] { return host.Unloaded(); };

    viewer.Run().State().SettingsKey = tk::CompanyKey;
    if (!registry.KeyExists(tk::HKEY_CURRENT_USER, tk::CompanyKey)) {
        r.RegistryMissing = true;
        dialogs.Show(RegistryMissingText(), StartupErrorTitle, tk::MsgIcon::Exclamation, tk::MsgButtons::Ok);
        host.ShowFilename();
        viewer.Run().State().SettingsKey = SettingsSubkey;
        return r;
    }

    r.Paths = ResolveStartupPaths(registry.GetText(tk::CompanyKey, "fileIn"),
                                  registry.GetText(tk::CompanyKey, "ActivePath"),
                                  registry.GetText(tk::CompanyKey, "ProgramPath"), commandTail);
    if (r.Paths.AdoptToolOutput) AdoptToolOutput(r, dialogs);
    viewer.Run().State().WorkDir = r.Paths.WorkDir;
    viewer.Run().State().PlotBase = r.Paths.PlotBase;
    viewer.Run().State().SettingsKey = SettingsSubkey;

    // An empty directory (a plot file named without one) is the directory we were started in.
    if (!r.Paths.WorkDir.empty() && ::chdir(tk::ResolvePath(r.Paths.WorkDir).c_str()) != 0) {
        r.PathError = true;
        ShowPathError(dialogs, r.Paths.WorkDir);
        host.ShowFilename();
        return r;
    }
    r.CurrentDir = tk::CurrentDirectory();
    // The open dialog starts here, also when a failed read below opens it at once.
    viewer.Run().State().OpenDialogDir = r.CurrentDir;

    const std::string base = r.Paths.PlotBase;
    const std::optional<std::string> firstDataFile = FirstDataFileOf(r.Paths.SecondDataFile);
    if (firstDataFile && !viewer.FileExists(*firstDataFile)) {
        r.FirstDataFileMissing = true;
        const auto here = [&](const std::string& name) { return name.front() == '/' ? name : r.CurrentDir + "/" + name; };
        dialogs.Show(FirstDataFileMissingText(here(r.Paths.SecondDataFile), here(*firstDataFile)), StartupErrorTitle,
                     tk::MsgIcon::Exclamation, tk::MsgButtons::Ok);
        return r;
    }
    try {
        const StartOutcome start = viewer.StartOnFile(base);
        if (start.DataFile) r.ReadFile = base + ".plt";
        r.Started = start.DataFile && !unloaded();
        r.LocatedPicture = start.Picture;
    } catch (const std::exception&) {
        if (unloaded()) return r;
        r.PathError = true;
        ShowPathError(dialogs, r.Paths.WorkDir);
        host.ShowFilename();
    }
    return r;
}

}  // namespace plots
