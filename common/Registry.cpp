#include "common/Registry.h"

#include "common/SafeFile.h"
#include "common/Text.h"

#include <QString>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <functional>
#include <optional>
#include <unordered_map>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tk {
namespace {

const char* const CreateKeyFailure = "Unable to create the registry key";
const char* const UnsupportedType = "Unsupported value type";
constexpr int ErrorNumber = 1001;

// A store file larger than this is not ours (or was filled by accident) and reads as damaged;
// a change that would make the file larger is not written.
constexpr std::size_t MaxStoreBytes = std::size_t(8) << 20;

const char* const FileHeader =
    "; Settings of the Tavrick tools for this user, shared by the plot viewer and the launcher.\n"
    "; One [key] a section, then one value a line: \"name\"=text:\"...\", \"name\"=int32:N or\n"
    "; \"name\"=bytes:HEX. Texts and names escape \\\\ \\\" \\n \\r \\t and \\xHH; key names escape\n"
    "; '%' and control characters as %HH. Key and value names ignore letter case.\n";

// ---- text helpers -----------------------------------------------------------------------

// Length of the well-formed UTF-8 sequence starting at i; 0 when the bytes there are not one.
std::size_t Utf8SequenceLength(const std::string& s, std::size_t i)
{
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char c = byte(i);
    if (c < 0x80)
        return 1;
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF;
    if (c >= 0xC2 && c <= 0xDF) {
        length = 2;
    } else if (c >= 0xE0 && c <= 0xEF) {
        length = 3;
        if (c == 0xE0)
            low = 0xA0;
        if (c == 0xED)
            high = 0x9F;
    } else if (c >= 0xF0 && c <= 0xF4) {
        length = 4;
        if (c == 0xF0)
            low = 0x90;
        if (c == 0xF4)
            high = 0x8F;
    } else {
        return 0;
    }
    if (i + length > s.size())
        return 0;
    if (byte(i + 1) < low || byte(i + 1) > high)
        return 0;
    for (std::size_t k = 2; k < length; ++k)
        if (byte(i + k) < 0x80 || byte(i + k) > 0xBF)
            return 0;
    return length;
}

bool IsValidUtf8(const std::string& s)
{
    for (std::size_t i = 0; i < s.size();) {
        const std::size_t n = Utf8SequenceLength(s, i);
        if (n == 0)
            return false;
        i += n;
    }
    return true;
}

// Names compare without regard to letter case, as the original registry's did.
std::string Fold(const std::string& name)
{
    if (IsValidUtf8(name))
        return QString::fromUtf8(name.data(), qsizetype(name.size())).toCaseFolded().toStdString();
    std::string folded = name;
    std::transform(folded.begin(), folded.end(), folded.begin(),
                   [](char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; });
    return folded;
}

// The levels of a key path; empty levels (doubled, leading or trailing backslashes) are left out.
std::vector<std::string> Levels(const std::string& path)
{
    std::vector<std::string> levels;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find('\\', start);
        if (end == std::string::npos)
            end = path.size();
        if (end > start)
            levels.push_back(path.substr(start, end - start));
        start = end + 1;
    }
    return levels;
}

std::string FoldedPath(const std::string& path)
{
    std::string folded;
    for (const std::string& level : Levels(path))
        folded += (folded.empty() ? "" : "\\") + Fold(level);
    return folded;
}

const char* const HexDigits = "0123456789abcdef";

void AppendHexByte(std::string& out, unsigned char c)
{
    out += HexDigits[c >> 4];
    out += HexDigits[c & 15];
}

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool IsControl(unsigned char c) { return c < 0x20 || c == 0x7F; }

// A text between double quotes with backslash escapes; bytes that are not UTF-8 as \xHH.
std::string Quoted(const std::string& text)
{
    std::string out = "\"";
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        switch (c) {
        case '\\': out += "\\\\"; ++i; continue;
        case '"': out += "\\\""; ++i; continue;
        case '\n': out += "\\n"; ++i; continue;
        case '\r': out += "\\r"; ++i; continue;
        case '\t': out += "\\t"; ++i; continue;
        default: break;
        }
        const std::size_t n = IsControl(c) ? 0 : Utf8SequenceLength(text, i);
        if (n == 0) {
            out += "\\x";
            AppendHexByte(out, c);
            ++i;
            continue;
        }
        out.append(text, i, n);
        i += n;
    }
    return out + "\"";
}

// Reads a quoted text starting at line[pos] (a double quote); pos ends after the closing quote.
bool ParseQuoted(const std::string& line, std::size_t& pos, std::string& out)
{
    if (pos >= line.size() || line[pos] != '"')
        return false;
    out.clear();
    for (++pos; pos < line.size(); ++pos) {
        const char c = line[pos];
        if (c == '"') {
            ++pos;
            return true;
        }
        if (IsControl(static_cast<unsigned char>(c)))
            return false;
        if (c != '\\') {
            out += c;
            continue;
        }
        if (++pos >= line.size())
            return false;
        switch (line[pos]) {
        case '\\': out += '\\'; break;
        case '"': out += '"'; break;
        case 'n': out += '\n'; break;
        case 'r': out += '\r'; break;
        case 't': out += '\t'; break;
        case 'x': {
            if (pos + 2 >= line.size())
                return false;
            const int high = HexValue(line[pos + 1]), low = HexValue(line[pos + 2]);
            if (high < 0 || low < 0)
                return false;
            out += static_cast<char>(high * 16 + low);
            pos += 2;
            break;
        }
        default: return false;
        }
    }
    return false;
}

std::string EscapedKeyPath(const std::string& path)
{
    std::string out;
    for (std::size_t i = 0; i < path.size();) {
        const unsigned char c = static_cast<unsigned char>(path[i]);
        const std::size_t n = (c == '%' || IsControl(c)) ? 0 : Utf8SequenceLength(path, i);
        if (n == 0) {
            out += '%';
            AppendHexByte(out, c);
            ++i;
            continue;
        }
        out.append(path, i, n);
        i += n;
    }
    return out;
}

bool ParseKeyPath(const std::string& escaped, std::string& path)
{
    path.clear();
    for (std::size_t i = 0; i < escaped.size(); ++i) {
        const char c = escaped[i];
        if (IsControl(static_cast<unsigned char>(c)))
            return false;
        if (c != '%') {
            path += c;
            continue;
        }
        if (i + 2 >= escaped.size())
            return false;
        const int high = HexValue(escaped[i + 1]), low = HexValue(escaped[i + 2]);
        if (high < 0 || low < 0)
            return false;
        path += static_cast<char>(high * 16 + low);
        i += 2;
    }
    return true;
}

std::optional<std::int32_t> ParseInt32(const std::string& text)
{
    std::int64_t number = 0;
    const char* first = text.data();
    const char* last = first + text.size();
    const auto [end, error] = std::from_chars(first, last, number);
    if (error != std::errc() || end != last || text.empty())
        return std::nullopt;
    if (number < INT32_MIN || number > INT32_MAX)
        return std::nullopt;
    return static_cast<std::int32_t>(number);
}

std::optional<Bytes> ParseHex(const std::string& text)
{
    if (text.size() % 2 != 0)
        return std::nullopt;
    Bytes bytes;
    bytes.reserve(text.size() / 2);
    for (std::size_t i = 0; i < text.size(); i += 2) {
        const int high = HexValue(text[i]), low = HexValue(text[i + 1]);
        if (high < 0 || low < 0)
            return std::nullopt;
        bytes.push_back(static_cast<std::uint8_t>(high * 16 + low));
    }
    return bytes;
}

// A number given as text, as an integer: rounded half to even; nothing for text that is no
// number or lies outside the 32-bit range.
std::optional<std::int32_t> TextAsInt32(const std::string& text)
{
    std::string t = TrimWhite(text);
    if (!t.empty() && t[0] == '+') {
        t.erase(0, 1);
        if (!t.empty() && (t[0] == '+' || t[0] == '-'))
            return std::nullopt;
    }
    if (t.empty())
        return std::nullopt;
    double number = 0;
    const auto [end, error] = std::from_chars(t.data(), t.data() + t.size(), number);
    if (error != std::errc() || end != t.data() + t.size() || !std::isfinite(number))
        return std::nullopt;
    const double rounded = std::nearbyint(number);
    if (rounded < double(INT32_MIN) || rounded > double(INT32_MAX))
        return std::nullopt;
    return static_cast<std::int32_t>(rounded);
}

// ---- the store in memory ----------------------------------------------------------------

struct NamedValue {
    std::string Name;    // as first written
    std::string Folded;  // for lookup
    RegValue Data;
};

struct StoreKey {
    std::string Path;    // as first written, levels joined by single backslashes
    std::string Folded;  // for lookup
    std::vector<NamedValue> Values;
    std::unordered_map<std::string, std::size_t> Index;  // folded name -> position in Values

    NamedValue* Find(const std::string& name)
    {
        const auto found = Index.find(Fold(name));
        return found == Index.end() ? nullptr : &Values[found->second];
    }
    // Sets the value, keeping the spelling of a name that is there; true when anything changed.
    bool Put(const std::string& name, RegValue data)
    {
        std::string folded = Fold(name);
        const auto found = Index.find(folded);
        if (found == Index.end()) {
            Index.emplace(folded, Values.size());
            Values.push_back({name, std::move(folded), std::move(data)});
            return true;
        }
        RegValue& existing = Values[found->second].Data;
        if (existing == data)
            return false;
        existing = std::move(data);
        return true;
    }
};

struct Store {
    std::vector<StoreKey> Keys;
    std::unordered_map<std::string, std::size_t> Index;  // folded path -> position in Keys

    StoreKey* FindFolded(const std::string& folded)
    {
        const auto found = Index.find(folded);
        return found == Index.end() ? nullptr : &Keys[found->second];
    }
    StoreKey* Find(const std::string& path) { return FindFolded(FoldedPath(path)); }

    // Adds the key with every missing level above it; levels that exist keep their spelling.
    // True when the key itself is new.
    bool Add(const std::string& path)
    {
        const std::vector<std::string> levels = Levels(path);
        if (levels.empty()) {
            if (!FindFolded(""))
                Push("", "");
            return false;
        }
        std::string spelled, folded;
        bool added = false;
        for (std::size_t i = 0; i < levels.size(); ++i) {
            const std::string separator = i == 0 ? "" : "\\";
            folded += separator + Fold(levels[i]);
            if (const StoreKey* existing = FindFolded(folded)) {
                spelled = existing->Path;
                added = false;
                continue;
            }
            spelled += separator + levels[i];
            Push(spelled, folded);
            added = true;
        }
        return added;
    }

private:
    void Push(const std::string& path, const std::string& folded)
    {
        Index.emplace(folded, Keys.size());
        Keys.push_back({path, folded, {}, {}});
    }
};

// What an installation holds from the start.
Store DefaultStore()
{
    Store store;
    store.Add(CompanyKey);
    return store;
}

bool ParseValueLine(const std::string& line, StoreKey& key)
{
    std::size_t pos = 0;
    std::string name;
    if (!ParseQuoted(line, pos, name))
        return false;
    if (pos >= line.size() || line[pos] != '=')
        return false;
    const std::size_t colon = line.find(':', pos + 1);
    if (colon == std::string::npos)
        return false;
    const std::string kind = line.substr(pos + 1, colon - pos - 1);
    const std::string data = line.substr(colon + 1);
    RegValue value;
    if (kind == "text") {
        std::string text;
        std::size_t at = 0;
        if (!ParseQuoted(data, at, text) || at != data.size())
            return false;
        value = text;
    } else if (kind == "int32") {
        const auto number = ParseInt32(data);
        if (!number)
            return false;
        value = *number;
    } else if (kind == "bytes") {
        auto bytes = ParseHex(data);
        if (!bytes)
            return false;
        value = std::move(*bytes);
    } else {
        return false;
    }
    key.Put(name, std::move(value));
    return true;
}

const std::string ByteOrderMark = "\xEF\xBB\xBF";

// How much of a store file could be read: the key and value lines taken, and those that did
// not parse (left out, so one bad line does not hide the rest).
struct ParseCount {
    std::size_t Good = 0;
    std::size_t Bad = 0;
};

ParseCount ParseStore(const std::string& text, Store& store)
{
    ParseCount count;
    std::string current;
    StoreKey* key = nullptr;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        // An editor's byte-order mark, at the start or where files were run together.
        if (line.compare(0, ByteOrderMark.size(), ByteOrderMark) == 0)
            line.erase(0, ByteOrderMark.size());
        line = TrimWhite(line);
        if (line.empty() || line[0] == ';' || line[0] == '#')
            continue;
        if (line[0] == '[') {
            // The values below a key line that does not parse belong to no key we know.
            key = nullptr;
            if (line.size() < 2 || line.back() != ']' || !ParseKeyPath(line.substr(1, line.size() - 2), current)) {
                ++count.Bad;
                continue;
            }
            store.Add(current);
            key = store.Find(current);
            ++count.Good;
            continue;
        }
        if (key && line[0] == '"' && ParseValueLine(line, *key))
            ++count.Good;
        else
            ++count.Bad;
    }
    return count;
}

std::string FormatValue(const RegValue& value)
{
    if (const auto* text = std::get_if<std::string>(&value))
        return "text:" + Quoted(*text);
    if (const auto* number = std::get_if<std::int32_t>(&value))
        return "int32:" + std::to_string(*number);
    std::string out = "bytes:";
    for (const std::uint8_t b : std::get<Bytes>(value))
        AppendHexByte(out, b);
    return out;
}

std::string FormatStore(const Store& store)
{
    // Parents before children, siblings in name order, so the file reads as a tree.
    std::vector<const StoreKey*> keys;
    for (const StoreKey& k : store.Keys)
        keys.push_back(&k);
    std::sort(keys.begin(), keys.end(), [](const StoreKey* a, const StoreKey* b) {
        return Levels(a->Folded) < Levels(b->Folded);
    });
    std::string out = FileHeader;
    for (const StoreKey* k : keys) {
        out += "\n[" + EscapedKeyPath(k->Path) + "]\n";
        for (const NamedValue& v : k->Values)
            out += Quoted(v.Name) + "=" + FormatValue(v.Data) + "\n";
    }
    return out;
}

// ---- the store file ---------------------------------------------------------------------

struct Snapshot {
    bool Exists = false;      // a file (or something else) is there
    bool Empty = false;       // a file without a single key or value: seeded like a missing one
    bool Damaged = false;     // a file that is not a store file: more junk than store lines
    bool BadLines = false;    // a store file with lines that do not parse, read without them
    bool Unreadable = false;  // something that cannot be read or replaced as a file
    Store Content;            // what could be read of the file
};

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int Get() const { return fd_; }
    bool Valid() const { return fd_ >= 0; }

private:
    int fd_;
};

Snapshot ReadSnapshot(const std::string& file)
{
    Snapshot snap;
    // Never waits on the name: a FIFO or a device there would hang both programs at start.
    FileDescriptor fd(::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (!fd.Valid()) {
        snap.Exists = errno != ENOENT && errno != ENOTDIR;
        snap.Unreadable = snap.Exists;
        return snap;
    }
    snap.Exists = true;
    struct stat info {};
    if (::fstat(fd.Get(), &info) != 0 || S_ISDIR(info.st_mode)) {
        snap.Unreadable = true;
        return snap;
    }
    // A FIFO, socket or device holds no settings: it is set aside like a damaged file.
    if (!S_ISREG(info.st_mode)) {
        snap.Damaged = true;
        return snap;
    }
    if (static_cast<std::size_t>(info.st_size) > MaxStoreBytes) {
        snap.Damaged = true;
        return snap;
    }
    std::string text;
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd.Get(), buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            snap.Unreadable = true;
            return snap;
        }
        if (n == 0)
            break;
        text.append(buffer, static_cast<std::size_t>(n));
        if (text.size() > MaxStoreBytes) {
            snap.Damaged = true;
            return snap;
        }
    }
    const ParseCount count = ParseStore(text, snap.Content);
    snap.Empty = count.Good == 0 && count.Bad == 0;
    snap.Damaged = count.Bad > count.Good;
    snap.BadLines = count.Bad > 0 && !snap.Damaged;
    if (snap.Damaged)
        snap.Content = Store();
    return snap;
}

std::string DirectoryOf(const std::string& file)
{
    const std::string dir = std::filesystem::path(file).parent_path().string();
    return dir.empty() ? "." : dir;
}

// Removes what writers killed in mid-write left behind: the temporary files beside the store,
// under today's hidden name and the plain one older writers used. Only the lock's holder may,
// since the temporary file of a live writer looks the same.
void RemoveStaleTemporaries(const std::string& file)
{
    const std::string name = std::filesystem::path(file).filename().string();
    const std::string prefixes[] = {"." + name + ".tmp-", name + ".tmp-"};
    constexpr std::size_t UniqueLetters = 6;  // the XXXXXX of mkstemp
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(DirectoryOf(file), error)) {
        const std::string entryName = entry.path().filename().string();
        for (const std::string& prefix : prefixes) {
            if (entryName.size() == prefix.size() + UniqueLetters && entryName.compare(0, prefix.size(), prefix) == 0)
                ::unlink(entry.path().c_str());
        }
    }
}

// Keeps a damaged store under a name of its own, so nothing the user had is lost; the new name.
// The old file gets a second name before the new one replaces it, so a reader never finds the
// store missing; where links cannot be made, it is renamed.
std::optional<std::string> SetAside(const std::string& file)
{
    const std::time_t now = std::time(nullptr);
    std::tm local {};
    localtime_r(&now, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    const std::string base = file + ".damaged-" + stamp;
    std::string target = base;
    struct stat info {};
    for (int n = 2; ::lstat(target.c_str(), &info) == 0; ++n)
        target = base + "-" + std::to_string(n);
    if (::link(file.c_str(), target.c_str()) == 0 || ::rename(file.c_str(), target.c_str()) == 0)
        return target;
    return std::nullopt;
}

// Holds the store's lock file exclusively for as long as it lives.
class StoreLock {
public:
    explicit StoreLock(const std::string& file)
        : fd_(::open((file + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600))
    {
        if (!fd_.Valid())
            return;
        int result;
        do
            result = ::flock(fd_.Get(), LOCK_EX);
        while (result != 0 && errno == EINTR);
        held_ = result == 0;
    }
    bool Held() const { return held_; }

private:
    FileDescriptor fd_;
    bool held_ = false;
};

// Undoes SetAside's second name when the store it kept was not replaced after all; a renamed
// store has left its place and keeps its new name.
void ForgetSecondName(const std::string& file, const std::optional<std::string>& keptAs)
{
    struct stat original {}, kept {};
    if (keptAs && ::stat(file.c_str(), &original) == 0 && ::stat(keptAs->c_str(), &kept) == 0 &&
        original.st_ino == kept.st_ino && original.st_dev == kept.st_dev)
        ::unlink(keptAs->c_str());
}

enum class Outcome { Unchanged, Written, Failed };

struct Transaction {
    Outcome Result = Outcome::Failed;
    std::string KeptAs;  // where a store that could not be read was set aside
};

// One read-modify-write of the store under its lock. The change sees the freshest content
// and says whether it changed anything. A missing or empty file is made (holding the company
// key) even when nothing changed; a damaged one is set aside before the change is written, or
// right away when `repair` asks for it. A file with lines that did not parse is kept as it was
// too, since the new file leaves those lines out.
Transaction Transact(const std::string& storeFile, const std::function<bool(Store&)>& change, bool repair = false)
{
    // A store file that is a link (kept with the user's other settings) is changed where it
    // points: the lock and a damaged file's copy belong there too.
    const std::string file = FollowLink(storeFile);
    std::error_code ignored;
    std::filesystem::create_directories(DirectoryOf(file), ignored);
    const StoreLock lock(file);
    if (!lock.Held())
        return {};
    Snapshot snap = ReadSnapshot(file);
    if (snap.Unreadable)
        return {};
    const bool fresh = !snap.Exists || snap.Empty;
    Store store = fresh ? DefaultStore() : std::move(snap.Content);
    const bool changed = change(store);
    if (!changed && !fresh && !(repair && snap.Damaged))
        return {Outcome::Unchanged, {}};
    // After damage, a fresh start as a new user would have it, plus what the change made.
    if (snap.Damaged)
        store.Add(CompanyKey);
    const std::string content = FormatStore(store);
    if (content.size() > MaxStoreBytes)
        return {};
    std::optional<std::string> keptAs;
    if (snap.Damaged || snap.BadLines) {
        keptAs = SetAside(file);
        if (!keptAs)
            return {};
    }
    RemoveStaleTemporaries(file);
    if (!WriteFileWhole(file, content)) {
        ForgetSecondName(file, keptAs);
        return {};
    }
    return {Outcome::Written, snap.Damaged ? *keptAs : std::string()};
}

// The store as readers see it. Reads take no lock: the file is only ever replaced whole.
Store ReadStore(const std::string& file)
{
    Snapshot snap = ReadSnapshot(file);
    if (snap.Exists && !snap.Empty)
        return std::move(snap.Content);
    Transact(file, [](Store&) { return false; });
    return DefaultStore();
}

bool IsSupportedType(int typeCode)
{
    return typeCode == REG_SZ || typeCode == REG_BINARY || typeCode == REG_DWORD;
}

// The value taken as the kind its type code stores; nothing when it cannot be.
std::optional<RegValue> AsKind(int typeCode, const RegValue& value)
{
    const auto* text = std::get_if<std::string>(&value);
    const auto* bytes = std::get_if<Bytes>(&value);
    const auto* number = std::get_if<std::int32_t>(&value);
    switch (typeCode) {
    case REG_SZ:
        if (text)
            return *text;
        if (bytes)
            return std::string(bytes->begin(), bytes->end());
        return std::to_string(*number);
    case REG_BINARY:
        if (bytes)
            return *bytes;
        if (text)
            return Bytes(text->begin(), text->end());
        {
            const auto u = static_cast<std::uint32_t>(*number);
            return Bytes {std::uint8_t(u), std::uint8_t(u >> 8), std::uint8_t(u >> 16), std::uint8_t(u >> 24)};
        }
    case REG_DWORD:
        if (number)
            return *number;
        if (text) {
            if (const auto parsed = TextAsInt32(*text))
                return RegValue(*parsed);
        }
        return std::nullopt;
    default:
        return std::nullopt;
    }
}

}  // namespace

Registry::Registry(std::string storeFile) : storeFile_(std::move(storeFile)) {}

Registry Registry::ForUser() { return Registry(UserStoreFile()); }

std::string Registry::UserStoreFile()
{
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config && config[0] == '/')
        return std::string(config) + "/tavrick/registry.ini";
    const char* home = std::getenv("HOME");
    return std::string(home && *home ? home : ".") + "/.config/tavrick/registry.ini";
}

bool Registry::KeyExists(RegRoot, const std::string& keyPath) const
{
    if (Levels(keyPath).empty())
        return true;
    Store store = ReadStore(storeFile_);
    return store.Find(keyPath) != nullptr;
}

bool Registry::CreateKey(RegRoot, const std::string& keyPath)
{
    bool existed = false;
    const Outcome outcome = Transact(storeFile_, [&](Store& store) {
        existed = !store.Add(keyPath);
        return !existed;
    }).Result;
    if (outcome != Outcome::Failed)
        return existed;
    // Nothing could be written; an existing key needs no writing.
    if (existed || KeyExists(HKEY_CURRENT_USER, keyPath))
        return true;
    throw RegistryError(ErrorNumber, CreateKeyFailure);
}

RegValue Registry::GetRegValue(RegRoot, const std::string& keyPath, const std::string& valueName,
                               int typeCode, const RegValue& defaultValue) const
{
    Store store = ReadStore(storeFile_);
    StoreKey* key = store.Find(keyPath);
    if (!key && !Levels(keyPath).empty())
        return defaultValue;
    if (!IsSupportedType(typeCode))
        throw RegistryError(ErrorNumber, UnsupportedType);
    const NamedValue* value = key ? key->Find(valueName) : nullptr;
    if (!value)
        return defaultValue;
    // A value stored as another kind than asked for reads as missing, not as its raw bytes.
    switch (typeCode) {
    case REG_SZ: {
        const auto* text = std::get_if<std::string>(&value->Data);
        if (!text || text->empty() || text->size() + 1 > TextReadBuffer)
            return defaultValue;
        return *text;
    }
    case REG_BINARY: {
        const auto* bytes = std::get_if<Bytes>(&value->Data);
        if (!bytes || bytes->size() > BinaryReadBuffer)
            return defaultValue;
        return *bytes;
    }
    default: {
        const auto* number = std::get_if<std::int32_t>(&value->Data);
        return number ? RegValue(*number) : defaultValue;
    }
    }
}

void Registry::SetRegValue(RegRoot, const std::string& keyPath, const std::string& valueName,
                           int typeCode, const RegValue& value)
{
    const std::optional<RegValue> stored = AsKind(typeCode, value);
    if (!stored)
        return;
    Transact(storeFile_, [&](Store& store) {
        StoreKey* key = store.Find(keyPath);
        if (!key && Levels(keyPath).empty()) {
            store.Add("");
            key = store.Find("");
        }
        if (!key)
            return false;
        return key->Put(valueName, *stored);
    });
}

std::string Registry::RecoverDamagedStore()
{
    return Transact(storeFile_, [](Store&) { return false; }, true).KeptAs;
}

std::string DamagedStoreNotice(const std::string& keptAs)
{
    return "Your settings could not be read, so they were started afresh." "\r\n"
           "The old settings file was kept as" "\r\n" + keptAs;
}

std::string Registry::GetText(const std::string& keyPath, const std::string& valueName,
                              const std::string& defaultText) const
{
    const RegValue value = GetRegValue(HKEY_CURRENT_USER, keyPath, valueName, REG_SZ, defaultText);
    const auto* text = std::get_if<std::string>(&value);
    return text ? *text : defaultText;
}

std::int32_t Registry::GetInt(const std::string& keyPath, const std::string& valueName,
                              std::int32_t defaultValue) const
{
    const RegValue value = GetRegValue(HKEY_CURRENT_USER, keyPath, valueName, REG_DWORD, defaultValue);
    const auto* number = std::get_if<std::int32_t>(&value);
    return number ? *number : defaultValue;
}

namespace {
// Writers create a missing key first; a store that cannot be written stays silent.
bool EnsureKey(Registry& registry, const std::string& keyPath)
{
    if (registry.KeyExists(HKEY_CURRENT_USER, keyPath))
        return true;
    try {
        registry.CreateKey(HKEY_CURRENT_USER, keyPath);
        return true;
    } catch (const RegistryError&) {
        return false;
    }
}
}  // namespace

void Registry::SetText(const std::string& keyPath, const std::string& valueName, const std::string& text)
{
    if (EnsureKey(*this, keyPath))
        SetRegValue(HKEY_CURRENT_USER, keyPath, valueName, REG_SZ, text);
}

void Registry::SetInt(const std::string& keyPath, const std::string& valueName, std::int32_t value)
{
    if (EnsureKey(*this, keyPath))
        SetRegValue(HKEY_CURRENT_USER, keyPath, valueName, REG_DWORD, value);
}

}  // namespace tk
