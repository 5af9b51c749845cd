#include "common/Text.h"

#include <QString>

#include <algorithm>

namespace tk {

namespace {

std::string TrimOf(const std::string& text, const char* blanks)
{
    const auto first = text.find_first_not_of(blanks);
    if (first == std::string::npos) return {};
    const auto last = text.find_last_not_of(blanks);
    return text.substr(first, last - first + 1);
}

char LowerChar(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }

}  // namespace

std::string TrimSpaces(const std::string& text) { return TrimOf(text, " "); }

std::string TrimWhite(const std::string& text) { return TrimOf(text, " \t\r\n"); }

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), LowerChar);
    return text;
}

std::string WithLineFeeds(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        out += text[i] == '\r' ? '\n' : text[i];
    }
    return out;
}

bool EndsWith(const std::string& text, const std::string& tail)
{
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

bool EndsWithNoCase(const std::string& text, const std::string& tail)
{
    return text.size() >= tail.size() && EqualsNoCase(text.substr(text.size() - tail.size()), tail);
}

bool EqualsNoCase(const std::string& a, const std::string& b)
{
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return LowerChar(x) == LowerChar(y); });
}

std::size_t Utf8SequenceLength(const std::string& text, std::size_t i)
{
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char c = byte(i);
    if (c < 0x80) return 1;
    std::size_t length = 0;
    // The second byte's range shuts out overlong forms (E0, F0), surrogates (ED) and code
    // points above U+10FFFF (F4).
    unsigned char low = 0x80, high = 0xBF;
    if (c >= 0xC2 && c <= 0xDF) {
        length = 2;
    } else if (c >= 0xE0 && c <= 0xEF) {
        length = 3;
        if (c == 0xE0) low = 0xA0;
        if (c == 0xED) high = 0x9F;
    } else if (c >= 0xF0 && c <= 0xF4) {
        length = 4;
        if (c == 0xF0) low = 0x90;
        if (c == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
    if (i + length > text.size()) return 0;
    if (byte(i + 1) < low || byte(i + 1) > high) return 0;
    for (std::size_t k = 2; k < length; ++k)
        if (byte(i + k) < 0x80 || byte(i + k) > 0xBF) return 0;
    return length;
}

bool IsValidUtf8(const std::string& text)
{
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t n = Utf8SequenceLength(text, i);
        if (n == 0) return false;
        i += n;
    }
    return true;
}

std::string FoldName(const std::string& name)
{
    if (IsValidUtf8(name))
        return QString::fromUtf8(name.data(), qsizetype(name.size())).toCaseFolded().toStdString();
    return Lower(name);
}

bool NamesMatch(const std::string& a, const std::string& b) { return a == b || FoldName(a) == FoldName(b); }

}  // namespace tk
