// Small text helpers every part of both programs uses, in one place.
#pragma once

#include <cstddef>
#include <string>

namespace tk {

// Without leading and trailing blanks (spaces only: the tools' files keep their tabs).
std::string TrimSpaces(const std::string& text);
// Without leading and trailing white space (blanks, tabs, line ends).
std::string TrimWhite(const std::string& text);
// ASCII letters in lower case; other bytes as they are.
std::string Lower(std::string text);
bool EndsWith(const std::string& text, const std::string& tail);
// Ends with the tail, letters compared without regard to case.
bool EndsWithNoCase(const std::string& text, const std::string& tail);
bool EqualsNoCase(const std::string& a, const std::string& b);
// The programs keep their texts with CR LF line ends, as their files have them (a lone CR is a
// line end too); a terminal, a text file of this platform or a text box wants line feeds.
std::string WithLineFeeds(const std::string& text);

// Length of the well-formed UTF-8 sequence that starts at byte i: 1 to 4, or 0 when the bytes
// there are not one (a stray continuation byte, an overlong form, a surrogate, a code point
// above U+10FFFF, or a sequence cut short).
std::size_t Utf8SequenceLength(const std::string& text, std::size_t i);
// Every byte belongs to a well-formed UTF-8 sequence.
bool IsValidUtf8(const std::string& text);

// A name's key for comparing names without regard to letter case, as the Windows tools did:
// letters of any script folded when the name is UTF-8, the ASCII letters otherwise. Two names
// match when their keys are equal.
std::string FoldName(const std::string& name);
bool NamesMatch(const std::string& a, const std::string& b);

}  // namespace tk
