#include "Pitchwell/UserCopy.h"

#include "Pitchwell/FileAssoc.h"
#include "common/Paths.h"
#include "common/SafeFile.h"
#include "common/TextFile.h"

#include <QCryptographicHash>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <system_error>

namespace pitchwell {

namespace fs = std::filesystem;

namespace {

const std::string ExamplesPart = "/Pitchwell/demos/all";
const std::string ManifestPart = "/Pitchwell/demos/.installed-examples.sha256";
const std::string VideoPart = "/Pitchwell/video";
constexpr std::size_t MaxExampleBytes = std::size_t(64) << 20;

std::string Sha256(const std::string& bytes)
{
    return QCryptographicHash::hash(QByteArray::fromRawData(bytes.data(), qsizetype(bytes.size())),
                                    QCryptographicHash::Sha256)
        .toHex()
        .toStdString();
}

std::string Failure(const std::string& what, const std::string& path, int error)
{
    return "cannot " + what + " " + path + ": " + std::strerror(error);
}

// The manifest's records, "HASH  ./NAME" each ended by a zero byte (any file name survives),
// by name. A manifest that is missing or cannot be read remembers nothing.
std::map<std::string, std::string> ReadManifest(const std::string& path)
{
    std::map<std::string, std::string> sums;
    std::string bytes;
    if (tk::ReadRegularFile(path, bytes, MaxExampleBytes) != 0)
        return sums;
    std::size_t at = 0;
    while (at < bytes.size()) {
        std::size_t end = bytes.find('\0', at);
        if (end == std::string::npos)
            end = bytes.size();
        const std::string record = bytes.substr(at, end - at);
        if (record.size() > 66 && record.compare(64, 2, "  ") == 0)
            sums[record.substr(66)] = record.substr(0, 64);
        at = end + 1;
    }
    return sums;
}

// Every regular file below `dir`, as "./relative/name", sorted.
std::vector<std::string> FilesBelow(const std::string& dir, std::error_code& ec)
{
    std::vector<std::string> names;
    const std::size_t prefix = fs::path(dir).generic_string().size() + 1;
    for (fs::recursive_directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        // The entries' paths are the directory's path and their names below it.
        if (it->is_regular_file())
            names.push_back("./" + it->path().generic_string().substr(prefix));
    }
    std::sort(names.begin(), names.end());
    return names;
}

// Brings the examples at `dest` up to date with `source`; the new manifest goes to `manifest`.
bool UpdateExamples(const std::string& source, const std::string& dest, const std::string& manifest,
                    UserCopyReport& report)
{
    std::error_code ec;
    const std::vector<std::string> shipped = FilesBelow(source, ec);
    if (ec) {
        report.Error = Failure("read", source, ec.value());
        return false;
    }
    const std::map<std::string, std::string> installed = ReadManifest(manifest);
    tk::SafeFileSet writes;
    std::string records;
    for (const std::string& name : shipped) {
        const std::string from = source + "/" + name.substr(2);
        const std::string to = dest + "/" + name.substr(2);
        std::string bytes;
        if (const int err = tk::ReadRegularFile(from, bytes, MaxExampleBytes); err != 0) {
            report.Error = Failure("read", from, err);
            return false;
        }
        const std::string shippedSum = Sha256(bytes);
        const auto last = installed.find(name);
        const std::string installedSum = last == installed.end() ? std::string() : last->second;

        std::string current;
        const int readErr = tk::ReadRegularFile(to, current, MaxExampleBytes);
        const bool present = readErr == 0;
        const std::string currentSum = present ? Sha256(current) : std::string();
        if (!present && readErr != ENOENT) {
            // Something of the user's own under the name (a directory, a FIFO): left alone.
            if (!installedSum.empty())
                records += installedSum + "  " + name + '\0';
            continue;
        }
        if (present && currentSum != shippedSum && currentSum != installedSum) {
            // Changed since the last start installed it (or never installed by one): the user's.
            if (!installedSum.empty())
                records += installedSum + "  " + name + '\0';
            if (shippedSum != installedSum)
                report.Kept.push_back(name.substr(2));
            continue;
        }
        if (currentSum != shippedSum) {
            fs::create_directories(fs::path(to).parent_path(), ec);
            int err = 0;
            if (ec || !writes.Add(to, bytes.data(), bytes.size(), &err)) {
                report.Error = Failure("write", to, ec ? ec.value() : err);
                return false;
            }
            ++report.Written;
        }
        records += shippedSum + "  " + name + '\0';
    }
    std::string failed;
    int err = 0;
    if (!writes.Commit(&failed, &err)) {
        report.Error = Failure("write", failed, err);
        return false;
    }
    // The manifest follows the files it describes, so a start cut short installs them again.
    if (!tk::WriteFileWhole(manifest, records, &err)) {
        report.Error = Failure("write", manifest, err);
        return false;
    }
    return true;
}

// The video directory the video page asks the user to fill, with a link to each video the
// package brings where the user has nothing under that name.
bool UpdateVideoDirectory(const std::string& source, const std::string& dest, UserCopyReport& report)
{
    std::error_code ec;
    fs::create_directories(dest, ec);
    if (ec) {
        report.Error = Failure("create", dest, ec.value());
        return false;
    }
    for (fs::directory_iterator it(source, ec), end; !ec && it != end; it.increment(ec)) {
        const fs::path link = fs::path(dest) / it->path().filename();
        std::error_code exists;
        if (fs::symlink_status(link, exists).type() == fs::file_type::not_found)
            fs::create_symlink(it->path(), link, exists);
    }
    return true;
}

// The viewer beside the launcher's directory, where the launcher starts it: a link to the
// packaged viewer, renewed when it points elsewhere; a file of the user's own stays.
bool UpdateViewerLink(const std::string& viewer, const std::string& link, UserCopyReport& report)
{
    std::error_code ec;
    const fs::file_status status = fs::symlink_status(link, ec);
    if (fs::is_symlink(status)) {
        if (fs::read_symlink(link, ec) == fs::path(viewer))
            return true;
        fs::remove(link, ec);
    } else if (status.type() != fs::file_type::not_found) {
        return true;
    }
    fs::create_symlink(viewer, link, ec);
    if (ec) {
        report.Error = Failure("link", link, ec.value());
        return false;
    }
    return true;
}

}  // namespace

std::string SharedBaseDirectory(const std::string& ownDir)
{
    if (ownDir.empty() || tk::IsDirectory(ownDir + "/demos"))
        return {};
    std::string shared = fs::path(ownDir + "/../share/tk-tools").lexically_normal().generic_string();
    return tk::IsDirectory(shared + ExamplesPart) ? shared : std::string();
}

std::string UserBaseDirectory() { return DataHome() + "/tk-tools"; }

UserCopyReport UpdateUserCopy(const std::string& sharedBase, const std::string& userBase, const std::string& viewer)
{
    UserCopyReport report;
    report.OwnDir = userBase + "/Pitchwell";
    std::error_code ec;
    fs::create_directories(userBase + ExamplesPart, ec);
    if (ec) {
        report.Error = Failure("create", userBase + ExamplesPart, ec.value());
        return report;
    }
    if (UpdateExamples(sharedBase + ExamplesPart, userBase + ExamplesPart, userBase + ManifestPart, report) &&
        UpdateVideoDirectory(sharedBase + VideoPart, userBase + VideoPart, report))
        UpdateViewerLink(viewer, userBase + "/plots", report);
    return report;
}

std::string LauncherRunDirectory(const std::string& ownDir)
{
    const std::string shared = SharedBaseDirectory(ownDir);
    if (shared.empty())
        return ownDir;
    const std::string userBase = UserBaseDirectory();
    const UserCopyReport report = UpdateUserCopy(shared, userBase, ownDir + "/plots");
    if (!report.Kept.empty()) {
        std::fprintf(stderr,
                     "Pitchwell-video: kept %zu example files you changed under %s; delete one to get the "
                     "installed version:\n",
                     report.Kept.size(), (userBase + ExamplesPart).c_str());
        for (const std::string& name : report.Kept)
            std::fprintf(stderr, "  %s\n", name.c_str());
    }
    if (!report.Error.empty()) {
        std::fprintf(stderr, "Pitchwell-video: no writable copy of the examples in %s: %s\n", userBase.c_str(),
                     report.Error.c_str());
        return shared + "/Pitchwell";
    }
    return report.OwnDir;
}

}  // namespace pitchwell
