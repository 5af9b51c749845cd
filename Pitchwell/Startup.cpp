#include "Pitchwell/Startup.h"

#include "Pitchwell/FileAssoc.h"
#include "common/Paths.h"
#include "common/SafeFile.h"

#include <QDate>
#include <QLocale>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace pitchwell {

namespace {

std::string Trim(const std::string& s)
{
    const auto first = s.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

tk::MessageBoxCall SetupError(const LauncherPaths& paths, const LauncherError& e)
{
    return {tk::UnexpectedErrorText(std::to_string(e.Number), "") + "\r\n" + "Path =" + paths.ProgDir + "\r\n" +
                e.Description + ".  Suggest re-installing " + ProgramName + ".",
            tk::RoutineTitle("Start_INI"), tk::MsgIcon::Critical, tk::MsgButtons::Ok};
}

// Writes the marker file's one line, whole or not at all: a marker cut short by a full disk
// would still count as a finished first run. The error when it cannot be made.
bool WriteMarker(const std::string& path, const std::string& line, LauncherError& error)
{
    int err = 0;
    if (tk::WriteFileWhole(path, line + "\r\n", &err)) return true;
    error = ErrorFromErrno(err);
    return false;
}

}  // namespace

LauncherError ErrorFromErrno(int err)
{
    switch (err) {
    case ENOENT:
    case ENOTDIR: return {76, "Path not found"};
    case EACCES:
    case EPERM:
    case EROFS: return {70, "Permission denied"};
    case ENOSPC:
    case EDQUOT: return {61, "Disk full"};
    case EEXIST: return {58, "File already exists"};
    case ENAMETOOLONG: return {52, "Bad file name or number"};
    case EMFILE:
    case ENFILE: return {67, "Too many files"};
    case ENODEV:
    case ENXIO: return {68, "Device unavailable", tk::FileErrorKind::PathMissing};
#ifdef ENOMEDIUM
    case ENOMEDIUM: return {71, "Disk not ready", tk::FileErrorKind::NotReady};
#endif
    default: return {75, "Path/File access error (" + std::string(std::strerror(err)) + ")"};
    }
}

std::string UnexpectedErrorText(const LauncherError& e)
{
    return tk::UnexpectedErrorText(std::to_string(e.Number), e.Description);
}

std::string BaseDirectoryOf(const std::string& ownDir)
{
    std::string dir = Trim(ownDir);
    while (dir.size() > 1 && dir.back() == '/')
        dir.pop_back();
    const auto slash = dir.rfind('/');
    if (slash == std::string::npos || slash == 0)
        return {};
    std::string base = Trim(dir.substr(0, slash));
    while (base.size() > 1 && base.back() == '/')
        base.pop_back();
    return base.size() < 2 ? std::string() : base;
}

std::optional<tk::MessageBoxCall> DecideStartPath(LauncherPaths& paths)
{
    paths.ProgSubDir = "/" + ProgramName;
    const std::string base = BaseDirectoryOf(paths.OwnDir);
    if (base.empty())
        return tk::MessageBoxCall{"Missing " + ProgramName + "'s base directory, /TK-Tools; " +
                                      "Can't proceed without it." + "\r\n" + "Did you re-boot since installing " +
                                      ProgramName + "?" + "\r\n" + "Please re-boot or re-install " + ProgramName +
                                      " AND re-boot.",
                                  "In 'Start_Path' routine ... Exiting!", tk::MsgIcon::Critical, tk::MsgButtons::Ok};
    paths.BaseDir = base;
    paths.ProgDir = paths.BaseDir + paths.ProgSubDir;
    return std::nullopt;
}

std::string MarkerLine(const std::string& shortDate)
{
    return ProgramName + "\u2122 Program Installed" + std::string(15, ' ') + shortDate;
}

std::string TodayShortDate()
{
    return QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat).toStdString();
}

std::optional<tk::MessageBoxCall> DecideStartIni(const LauncherPaths& paths, const ExistenceTests& exists,
                                                 const std::string& shortDate, SetupReport* report)
{
    SetupReport done;
    const std::string marker = paths.ProgDir + "/" + ProgramName + ".ini";
    if (!exists.File(marker)) {
        done.FirstRun = true;
        LauncherError error;
        if (!WriteMarker(marker, MarkerLine(shortDate), error))
            return SetupError(paths, error);
        if (GetAssociation("QZ").empty()) {
            CreateAssociation("QZ", SourceMimeType, "Quazelle");
            done.RegisteredSource = true;
        }
        if (GetAssociation("Out").empty()) {
            CreateAssociation("Out", OutputMimeType, "QZ Output");
            done.RegisteredOutput = true;
        }
    }

    const std::string userDir = paths.ProgDir + "/User";
    std::error_code ec;
    if (!exists.Directory(userDir)) {
        if (!std::filesystem::create_directory(userDir, ec) && ec)
            return SetupError(paths, ErrorFromErrno(ec.value()));
        done.CreatedUserDir = true;
    }
    std::filesystem::current_path(tk::ResolvePath(userDir), ec);
    if (ec)
        return SetupError(paths, ErrorFromErrno(ec.value()));
    if (report)
        *report = done;
    return std::nullopt;
}

}  // namespace pitchwell
