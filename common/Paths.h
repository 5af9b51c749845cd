// File names as both programs look them up. Runs made on other systems and the tools' own
// spellings ("Answers"/"answers") differ from what is on disk only in letter case, so every
// lookup goes through one resolver: the exact name when it exists, otherwise the single entry
// of that directory that matches without regard to case.
#pragma once

#include <string>
#include <vector>

namespace tk {

// The path as it exists on disk, component by component; the path unchanged when some
// component is missing or matches more than one entry without regard to case.
std::string ResolvePath(const std::string& path);

// True when the name contains a wildcard (* or ?).
bool HasWildcard(const std::string& name);

// The ordinary files (not directories) that a name or pattern lists, in the way a directory
// listing does: wildcards in the last component match any run of characters (*) or one
// character (?), without regard to case. Hidden files are listed too.
std::vector<std::string> ListFiles(const std::string& pattern);

// An ordinary file exists under this name (through the resolver).
bool IsFile(const std::string& path);
// A directory exists under this name (through the resolver).
bool IsDirectory(const std::string& path);

// The directory part of a path (up to, not including, its last separator) and the name part.
std::string DirectoryPart(const std::string& path);
std::string NamePart(const std::string& path);

// The extension of the name part with its full stop (".plt"); empty when the name has no full
// stop, or only one as its first character (a file named ".plt" has no extension). A full stop
// in a directory name is never taken for an extension.
std::string ExtensionOf(const std::string& path);
// The path without that extension.
std::string WithoutExtension(const std::string& path);

// A path as the user is shown it: as it is when its bytes are UTF-8, otherwise read as
// Windows-1252 (names from the solver tools and old archives).
std::string DisplayName(const std::string& path);

// The process's current directory.
std::string CurrentDirectory();

}  // namespace tk
