// Every file the programs write goes through here: a file written whole or not at all, so a
// full disk, a killed program or a failing writer never leaves a torn file under its name.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

namespace tk {

// A file written whole or not at all: the bytes go to a temporary file beside the target (same
// directory, so the final rename stays on one file system), every write, the flush to disk and
// the close are checked, and only a whole file is renamed over the target. On any failure the
// temporary file is removed and the target is left as it was. Paths are the file system's bytes.
// A target that is a symbolic link is replaced where the link points, so the link stays, but
// only where an open would follow it: a link another user planted in a shared directory such as
// /tmp is refused (EACCES) and nothing is written.
class SafeFile {
public:
    explicit SafeFile(std::string target);
    ~SafeFile();  // discards a temporary file that was not committed
    SafeFile(const SafeFile&) = delete;
    SafeFile& operator=(const SafeFile&) = delete;

    // Creates the temporary file (hidden, ".<name>.tmp-XXXXXX" beside the target).
    bool Open();
    // For writers that open a path themselves (a PDF engine): they write to this path and the
    // caller commits afterwards with a check of what they wrote.
    const std::string& TemporaryPath() const;
    // Appends bytes, retrying short writes and EINTR; the first failure sticks.
    bool Write(const char* data, std::size_t size);
    bool Write(const std::string& bytes);
    // Flushes to disk (fsync), closes, runs `whole` on the temporary path when given (a format
    // check for files another writer made), and renames over the target. The new file gets the
    // permissions of the file it replaces, or those of a newly created file (0666 less the
    // umask). False on any failure, with the temporary file removed and the target untouched.
    // A check that says no without an errno reports EIO.
    bool Commit(const std::function<bool(const std::string& temporaryPath)>& whole = {});
    void Discard();
    int Error() const;              // errno of the first failure; 0 when none
    std::string ErrorText() const;  // its description
    const std::string& Target() const;

private:
    bool Fail(int error);
    bool FinishTemporary();

    std::string target_;
    std::string destination_;  // the target, or where it links to
    std::string temporary_;
    int fd_ = -1;
    int error_ = 0;
    bool committed_ = false;
};

// Where a write to `path` lands: where the links at its last name point (that file need not
// exist yet), the path itself when it is no link. A link is followed only as the kernel follows
// links for an open: in a sticky, world-writable directory only a link owned by the user or by
// the directory's owner. 0, or EACCES for a link not followed (`foreignLink` then says so) or
// the errno of a link that cannot be read.
int ResolveWriteTarget(const std::string& path, std::string& destination, bool* foreignLink = nullptr);
// The same, with the path itself where a link is not followed (a write there is refused later).
std::string FollowLink(const std::string& path);
// A write's failure as the user reads it: the errno's description, or why a link was refused.
std::string DescribeWriteError(const std::string& target, int error);

// The whole buffer as the file's content, in one call.
bool WriteFileWhole(const std::string& target, const std::string& bytes, int* error = nullptr);

}  // namespace tk
