#include "common/SafeFile.h"

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <system_error>

#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tk {

namespace {

// The longest name a directory entry takes on the file systems we meet.
constexpr std::size_t MaxNameBytes = NAME_MAX;

std::string DirectoryOf(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The temporary file's name: hidden, beside the target, and short enough for one directory
// entry even when the target's own name nearly fills one.
std::string TemporaryPattern(const std::string& destination)
{
    const std::string suffix = ".tmp-XXXXXX";
    std::string name = NameOf(destination);
    if (1 + name.size() + suffix.size() > MaxNameBytes)
        name.resize(MaxNameBytes - 1 - suffix.size());
    const std::string dir = DirectoryOf(destination);
    return (dir == "/" ? "" : dir) + "/." + name + suffix;
}

// The mode a newly created file gets: 0666 less the process's umask. Read from /proc, since
// asking umask() for it changes it for a moment.
mode_t NewFileMode()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("Umask:", 0) == 0)
            return 0666 & ~static_cast<mode_t>(std::strtoul(line.c_str() + 6, nullptr, 8));
    }
    const mode_t mask = ::umask(022);
    ::umask(mask);
    return 0666 & ~mask;
}

// Makes the rename itself durable. Best effort: the target is already replaced by then.
void SyncDirectory(const std::string& dir)
{
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

namespace {

// Whether an open would follow the link at `path`: the kernel's rule against links planted in
// a shared folder. A link in a sticky, world-writable directory is followed only when its owner
// is the user or the directory's owner.
bool MayFollow(const std::string& path, const struct stat& link)
{
    if (link.st_uid == ::geteuid())
        return true;
    struct stat dir {};
    if (::stat(DirectoryOf(path).c_str(), &dir) != 0)
        return false;
    if (link.st_uid == dir.st_uid)
        return true;
    const mode_t shared = S_ISVTX | S_IWOTH;
    return (dir.st_mode & shared) != shared;
}

}  // namespace

int ResolveWriteTarget(const std::string& path, std::string& destination, bool* foreignLink)
{
    if (foreignLink)
        *foreignLink = false;
    // The kernel's own limit on links followed in one look-up.
    constexpr int MaxHops = 40;
    std::string current = path;
    for (int hop = 0; hop <= MaxHops; ++hop) {
        struct stat link {};
        if (::lstat(current.c_str(), &link) != 0 || !S_ISLNK(link.st_mode)) {
            destination = current;
            return 0;
        }
        if (!MayFollow(current, link)) {
            if (foreignLink)
                *foreignLink = true;
            return EACCES;
        }
        std::string to(PATH_MAX, '\0');
        const ssize_t n = ::readlink(current.c_str(), to.data(), to.size());
        if (n < 0)
            return errno;
        if (n == 0 || std::size_t(n) >= to.size())
            return ENAMETOOLONG;
        to.resize(std::size_t(n));
        // A relative link is read from the directory that holds it.
        const std::string dir = DirectoryOf(current);
        current = to.front() == '/' ? to : (dir == "/" ? "" : dir) + "/" + to;
    }
    return ELOOP;
}

std::string FollowLink(const std::string& path)
{
    std::string destination;
    return ResolveWriteTarget(path, destination) == 0 ? destination : path;
}

std::string DescribeWriteError(const std::string& target, int error)
{
    std::string destination;
    bool foreignLink = false;
    if (error == EACCES && ResolveWriteTarget(target, destination, &foreignLink) != 0 && foreignLink)
        return "Permission denied (a symbolic link another user made in a shared directory is not followed)";
    return std::generic_category().message(error);
}

SafeFile::SafeFile(std::string target) : target_(std::move(target)) {}

SafeFile::~SafeFile() { Discard(); }

const std::string& SafeFile::Target() const { return target_; }
const std::string& SafeFile::TemporaryPath() const { return temporary_; }
int SafeFile::Error() const { return error_; }

std::string SafeFile::ErrorText() const
{
    return error_ == 0 ? std::string() : DescribeWriteError(target_, error_);
}

// The first failure is the one reported; the temporary file goes at once, so a full disk gets
// its room back before the caller gets round to the commit.
bool SafeFile::Fail(int error)
{
    if (error_ == 0)
        error_ = error != 0 ? error : EIO;
    Discard();
    return false;
}

bool SafeFile::Open()
{
    if (!temporary_.empty() || committed_ || error_ != 0)
        return Fail(EBUSY);
    if (target_.empty() || target_.back() == '/')
        return Fail(EISDIR);
    if (const int refused = ResolveWriteTarget(target_, destination_))
        return Fail(refused);
    std::string pattern = TemporaryPattern(destination_);
    fd_ = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (fd_ < 0)
        return Fail(errno);
    temporary_ = std::move(pattern);
    return true;
}

bool SafeFile::Write(const char* data, std::size_t size)
{
    if (error_ != 0)
        return false;
    if (fd_ < 0)
        return Fail(EBADF);
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::write(fd_, data + done, size - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return Fail(errno);
        if (n == 0)
            return Fail(ENOSPC);
        done += static_cast<std::size_t>(n);
    }
    return true;
}

bool SafeFile::Write(const std::string& bytes) { return Write(bytes.data(), bytes.size()); }

// Closes our descriptor, then gives the temporary file its final permissions and flushes it
// through a descriptor of its own: another writer may have written it by its path.
bool SafeFile::FinishTemporary()
{
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0 && errno != EINTR)
        return Fail(errno);
    const int check = ::open(temporary_.c_str(), O_RDONLY | O_CLOEXEC);
    if (check < 0)
        return Fail(errno);
    struct stat old {};
    const mode_t mode = ::stat(destination_.c_str(), &old) == 0 ? (old.st_mode & 07777) : NewFileMode();
    const bool synced = ::fchmod(check, mode) == 0 && ::fsync(check) == 0;
    const int syncError = errno;
    const bool closed = ::close(check) == 0 || errno == EINTR;
    if (!synced)
        return Fail(syncError);
    return closed || Fail(errno);
}

bool SafeFile::Commit(const std::function<bool(const std::string& temporaryPath)>& whole)
{
    // A failure has already removed the temporary file.
    if (committed_ || temporary_.empty())
        return Fail(EBADF);
    if (!FinishTemporary())
        return false;
    if (whole) {
        errno = 0;  // a check that says no without a reason reports EIO
        if (!whole(temporary_))
            return Fail(errno);
    }
    if (::rename(temporary_.c_str(), destination_.c_str()) != 0)
        return Fail(errno);
    committed_ = true;
    temporary_.clear();
    SyncDirectory(DirectoryOf(destination_));
    return true;
}

void SafeFile::Discard()
{
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    if (!temporary_.empty()) {
        ::unlink(temporary_.c_str());
        temporary_.clear();
    }
}

bool WriteFileWhole(const std::string& target, const std::string& bytes, int* error)
{
    SafeFile file(target);
    const bool ok = file.Open() && file.Write(bytes) && file.Commit();
    if (error)
        *error = file.Error();
    return ok;
}

}  // namespace tk
