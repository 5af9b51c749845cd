#include "common/TextFile.h"

#include "common/SafeFile.h"
#include "common/Text.h"

namespace tk {

namespace {

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

bool LineReader::Open(const std::string& path)
{
    Close();
    failed_ = false;
    in_.open(path, std::ios::binary);
    return in_.is_open();
}

void LineReader::Close()
{
    if (in_.is_open()) in_.close();
    in_.clear();
    at_ = end_ = 0;
}

bool LineReader::Fill()
{
    at_ = end_ = 0;
    if (!in_.is_open() || in_.eof() || in_.bad()) {
        if (in_.bad()) failed_ = true;
        return false;
    }
    if (!block_) block_ = std::make_unique<char[]>(BlockBytes);
    in_.read(block_.get(), std::streamsize(BlockBytes));
    end_ = static_cast<std::size_t>(in_.gcount());
    if (in_.bad()) {
        failed_ = true;
        end_ = 0;
    }
    return end_ > 0;
}

bool LineReader::AtEnd()
{
    if (!in_.is_open()) return true;
    return at_ == end_ && !Fill();
}

bool LineReader::ReadLine(std::string& line)
{
    line.clear();
    if (!in_.is_open() || failed_) return false;
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
