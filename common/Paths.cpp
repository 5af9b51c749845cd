// Names are the file system's bytes throughout: a name that is not UTF-8 (Windows-1252 from the
// solver tools and old archives) is looked up, listed and opened exactly as it is on disk.
#include "common/Paths.h"

#include "common/Text.h"
#include "common/TextFile.h"

#include <algorithm>
#include <cerrno>
#include <memory>

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tk {

namespace {

bool Exists(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

char FoldAscii(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }

// A name against a listing pattern: * any run of bytes, ? one character, ASCII letters without
// regard to case.
bool WildcardMatch(const char* pattern, const char* name)
{
    const char* star = nullptr;
    const char* resume = nullptr;
    while (*name) {
        // One character of a UTF-8 name is its lead byte and the continuation bytes after it.
        const auto charLength = [](const char* p) {
            int n = 1;
            while ((static_cast<unsigned char>(p[n]) & 0xC0) == 0x80) ++n;
            return n;
        };
        if (*pattern == '*') {
            star = pattern++;
            resume = name;
        } else if (*pattern == '?') {
            ++pattern;
            name += charLength(name);
        } else if (*pattern && FoldAscii(*pattern) == FoldAscii(*name)) {
            ++pattern;
            ++name;
        } else if (star) {
            pattern = star + 1;
            resume += charLength(resume);
            name = resume;
        } else {
            return false;
        }
    }
    while (*pattern == '*') ++pattern;
    return *pattern == '\0';
}

// The entries of a directory, without "." and "..".
std::vector<std::string> Entries(const std::string& dir)
{
    std::vector<std::string> names;
    const std::unique_ptr<DIR, int (*)(DIR*)> d(::opendir(dir.empty() ? "." : dir.c_str()), ::closedir);
    if (!d) return names;
    while (const dirent* e = ::readdir(d.get())) {
        const std::string name = e->d_name;
        if (name != "." && name != "..") names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

// The single entry of dir that equals name without regard to case, or "".
std::string MatchInDir(const std::string& dir, const std::string& name)
{
    std::string found;
    for (const std::string& e : Entries(dir)) {
        if (!NamesMatch(e, name)) continue;
        if (!found.empty()) return {};  // ambiguous
        found = e;
    }
    return found;
}

std::string Joined(const std::string& dir, const std::string& name)
{
    if (dir.empty()) return name;
    return dir.back() == '/' ? dir + name : dir + "/" + name;
}

bool IsRegularFile(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

}  // namespace

std::string ResolvePath(const std::string& path)
{
    if (path.empty() || Exists(path)) return path;
    const bool absolute = path.front() == '/';
    std::string built = absolute ? "/" : "";
    std::size_t start = 0;
    while (start <= path.size()) {
        const std::size_t slash = path.find('/', start);
        const std::string part = path.substr(start, slash == std::string::npos ? std::string::npos : slash - start);
        start = slash == std::string::npos ? path.size() + 1 : slash + 1;
        if (part.empty()) continue;
        std::string candidate = Joined(built, part);
        if (part != "." && part != ".." && !Exists(candidate)) {
            const std::string match = MatchInDir(built, part);
            if (match.empty()) return path;
            candidate = Joined(built, match);
        }
        built = candidate;
    }
    if (path.back() == '/' && (built.empty() || built.back() != '/')) built += '/';
    return built;
}

bool HasWildcard(const std::string& name)
{
    return name.find_first_of("*?") != std::string::npos;
}

std::vector<std::string> ListFiles(const std::string& pattern)
{
    std::vector<std::string> out;
    if (pattern.empty()) return out;
    if (!HasWildcard(pattern)) {
        const std::string resolved = ResolvePath(pattern);
        if (IsRegularFile(resolved)) out.push_back(resolved);
        return out;
    }
    const bool bare = pattern.find('/') == std::string::npos;
    const std::string dirPart = DirectoryPart(pattern);
    const std::string dir = bare ? "." : ResolvePath(dirPart.empty() ? "/" : dirPart);
    const std::string namePattern = NamePart(pattern);
    for (const std::string& name : Entries(dir)) {
        if (!WildcardMatch(namePattern.c_str(), name.c_str())) continue;
        const std::string path = Joined(dir, name);
        if (IsRegularFile(path)) out.push_back(bare ? name : path);
    }
    return out;
}

bool IsFile(const std::string& path)
{
    return !path.empty() && IsRegularFile(ResolvePath(path));
}

bool IsDirectory(const std::string& path)
{
    struct stat st {};
    return !path.empty() && ::stat(ResolvePath(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string DirectoryPart(const std::string& path)
{
    const auto pos = path.find_last_of('/');
    return pos == std::string::npos ? std::string() : path.substr(0, pos);
}

std::string NamePart(const std::string& path)
{
    const auto pos = path.find_last_of('/');
    return pos == std::string::npos ? path : path.substr(pos + 1);
}

std::string ExtensionOf(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    const auto stop = path.find_last_of('.');
    if (stop == std::string::npos || stop <= nameStart) return {};
    return path.substr(stop);
}

std::string WithoutExtension(const std::string& path)
{
    return path.substr(0, path.size() - ExtensionOf(path).size());
}

std::string DisplayName(const std::string& path) { return DecodeLine(path); }

std::string CurrentDirectory()
{
    std::string buffer(4096, '\0');
    while (::getcwd(buffer.data(), buffer.size()) == nullptr) {
        if (errno != ERANGE) return ".";
        buffer.resize(buffer.size() * 2);
    }
    return buffer.c_str();
}

}  // namespace tk
