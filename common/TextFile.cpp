#include "common/TextFile.h"

#include "common/SafeFile.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tk {

namespace {

bool IsValidUtf8(const std::string& s)
{
    std::size_t i = 0;
    while (i < s.size()) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        std::size_t n = 0;
        if (c < 0x80) n = 0;
        else if ((c & 0xE0) == 0xC0 && c >= 0xC2) n = 1;
        else if ((c & 0xF0) == 0xE0) n = 2;
        else if ((c & 0xF8) == 0xF0 && c <= 0xF4) n = 3;
        else return false;
        if (n > 0 && i + n >= s.size()) return false;
        for (std::size_t k = 1; k <= n; ++k)
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
        i += n + 1;
    }
    return true;
}

void AppendUtf8(std::string& out, unsigned cp)
{
    if (cp < 0x80) {
        out += char(cp);
    } else if (cp < 0x800) {
        out += char(0xC0 | (cp >> 6));
        out += char(0x80 | (cp & 0x3F));
    } else {
        out += char(0xE0 | (cp >> 12));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    }
}

// Windows-1252 characters 0x80 to 0x9F; the rest of the upper half is Latin-1.
constexpr unsigned Cp1252High[32] = {
    0x20AC, 0x81, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x8D, 0x017D, 0x8F, 0x90, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x9D, 0x017E, 0x0178};

}  // namespace

std::string DecodeLine(const std::string& bytes)
{
    bool ascii = true;
    for (char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80) {
            ascii = false;
            break;
        }
    if (ascii || IsValidUtf8(bytes)) return bytes;
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 2);
    for (char ch : bytes) {
        const unsigned char c = static_cast<unsigned char>(ch);
        if (c < 0x80) out += ch;
        else if (c < 0xA0) AppendUtf8(out, Cp1252High[c - 0x80]);
        else AppendUtf8(out, c);
    }
    return out;
}

namespace {

constexpr std::size_t BlockBytes = 64 * 1024;

bool IsAscii(const std::string& s)
{
    for (const char c : s)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

}  // namespace

int OpenRegularFile(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return -1;
    struct stat info {};
    const int error = ::fstat(fd, &info) != 0 ? errno : S_ISDIR(info.st_mode) ? EISDIR : !S_ISREG(info.st_mode) ? EINVAL : 0;
    if (error == 0) return fd;
    ::close(fd);
    errno = error;
    return -1;
}

namespace {

// Reads up to `size` bytes, retrying EINTR; -1 with errno on failure.
ssize_t ReadSome(int fd, char* into, std::size_t size)
{
    for (;;) {
        const ssize_t n = ::read(fd, into, size);
        if (n >= 0 || errno != EINTR) return n;
    }
}

}  // namespace

int ReadRegularFile(const std::string& path, std::string& bytes, std::size_t limit)
{
    bytes.clear();
    const int fd = OpenRegularFile(path);
    if (fd < 0) return errno;
    int error = 0;
    char buffer[BlockBytes];
    for (;;) {
        const ssize_t n = ReadSome(fd, buffer, sizeof buffer);
        if (n <= 0) {
            error = n < 0 ? errno : 0;
            break;
        }
        if (bytes.size() + std::size_t(n) > limit) {
            error = EFBIG;
            break;
        }
        bytes.append(buffer, std::size_t(n));
    }
    ::close(fd);
    if (error != 0) bytes.clear();
    return error;
}

LineReader::~LineReader() { Close(); }

bool LineReader::Open(const std::string& path)
{
    Close();
    failed_ = false;
    fd_ = OpenRegularFile(path);
    return fd_ >= 0;
}

void LineReader::Close()
{
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    eof_ = false;
    at_ = end_ = 0;
}

bool LineReader::Fill()
{
    at_ = end_ = 0;
    if (fd_ < 0 || eof_ || failed_) return false;
    if (!block_) block_ = std::make_unique<char[]>(BlockBytes);
    const ssize_t n = ReadSome(fd_, block_.get(), BlockBytes);
    if (n < 0) failed_ = true;
    if (n <= 0) {
        eof_ = n == 0;
        return false;
    }
    end_ = static_cast<std::size_t>(n);
    return true;
}

bool LineReader::AtEnd()
{
    if (fd_ < 0) return true;
    return at_ == end_ && !Fill();
}

bool LineReader::ReadLine(std::string& line)
{
    line.clear();
    if (fd_ < 0 || failed_) return false;
    bool any = false;
    for (;;) {
        if (at_ == end_ && !Fill()) {
            if (failed_ || !any) {
                line.clear();
                return false;
            }
            break;
        }
        any = true;
        const char* const from = block_.get() + at_;
        const char* const to = block_.get() + end_;
        const char* stop = from;
        while (stop != to && *stop != '\n' && *stop != '\r') ++stop;
        const std::size_t n = static_cast<std::size_t>(stop - from);
        if (line.size() + n > maxLine_) {
            failed_ = true;
            line.clear();
            return false;
        }
        line.append(from, n);
        at_ += n;
        if (stop == to) continue;
        ++at_;
        // CR LF is one line end, also when the block ends between the two.
        if (*stop == '\r' && (at_ < end_ || Fill()) && block_[at_] == '\n') ++at_;
        break;
    }
    if (!IsAscii(line)) line = DecodeLine(line);
    return true;
}

bool WriteTextFile(const std::string& path, const std::string& text) { return WriteFileWhole(path, text); }

}  // namespace tk
