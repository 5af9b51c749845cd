// A small tmpfs of the test's own, for the file system failures that cannot be faked: a disk
// that fills up part-way through a file, a read-only one. It is mounted in a mount namespace
// private to the test program's main thread, so nothing outside the test sees it. Needs root;
// Skipped() tells why it is not there otherwise.
#pragma once

#include <QTemporaryDir>

#include <cerrno>
#include <cstring>
#include <string>

#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace storetest {

class PrivateTmpfs {
public:
    explicit PrivateTmpfs(std::size_t bytes)
    {
        if (::geteuid() != 0) {
            skipped_ = "a private tmpfs needs root";
            return;
        }
        if (!PrivateNamespace()) {
            skipped_ = std::string("no private mount namespace: ") + std::strerror(errno);
            return;
        }
        path_ = mountPoint_.path().toStdString();
        const std::string options = "size=" + std::to_string(bytes) + ",mode=0755";
        if (::mount("tmpfs", path_.c_str(), "tmpfs", 0, options.c_str()) != 0) {
            skipped_ = std::string("cannot mount a tmpfs: ") + std::strerror(errno);
            return;
        }
        mounted_ = true;
    }
    ~PrivateTmpfs()
    {
        if (mounted_)
            ::umount2(path_.c_str(), MNT_DETACH);
    }
    PrivateTmpfs(const PrivateTmpfs&) = delete;
    PrivateTmpfs& operator=(const PrivateTmpfs&) = delete;

    const std::string& Skipped() const { return skipped_; }
    const std::string& Path() const { return path_; }

    std::size_t FreeBytes() const
    {
        struct statvfs info {};
        return ::statvfs(path_.c_str(), &info) == 0 ? std::size_t(info.f_bavail) * info.f_frsize : 0;
    }

    // Fills the file system with a file of its own until `bytes` (whole pages) are left free.
    bool FillLeaving(std::size_t bytes)
    {
        const int fd = ::open((path_ + "/filler").c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
        if (fd < 0)
            return false;
        const std::string block(4096, 'f');
        while (::write(fd, block.data(), block.size()) > 0) {
        }
        off_t size = ::lseek(fd, 0, SEEK_END);
        size = size > off_t(bytes) ? size - off_t(bytes) : 0;
        const bool ok = ::ftruncate(fd, size) == 0;
        ::close(fd);
        return ok && FreeBytes() == bytes;
    }

    bool MakeReadOnly()
    {
        return ::mount(nullptr, path_.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0;
    }

private:
    // Once for the program: a mount namespace of the main thread's own, with no mount
    // propagating back to the machine.
    static bool PrivateNamespace()
    {
        static const bool made =
            ::unshare(CLONE_NEWNS) == 0 && ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
        return made;
    }

    QTemporaryDir mountPoint_;
    std::string path_;
    std::string skipped_;
    bool mounted_ = false;
};

}  // namespace storetest
