// Small text helpers every part of both programs uses, in one place.
#pragma once

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

}  // namespace tk
