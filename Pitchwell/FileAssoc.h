// File-type registration the freedesktop way: a shared-mime-info package per extension under
// $XDG_DATA_HOME/mime/packages (the mime cache rebuilt when update-mime-database is present).
// The types are kinds of plain text, so the desktop opens them with the user's text editor,
// whichever that is at the time; no default application is written for them. An extension that
// already has a type is left alone by the caller, which asks GetAssociation first.
#pragma once

#include <string>
#include <vector>

namespace pitchwell {

// The freedesktop base directories, from the environment with their usual defaults.
std::string DataHome();
std::vector<std::string> DataDirs();     // $XDG_DATA_HOME first, then $XDG_DATA_DIRS

// The mime type registered for files ending in "." + extension (without regard to case), or ""
// when there is none.
std::string GetAssociation(const std::string& extension);

// Registers the extension as a plain-text type with the given name and description. Failures
// are silent, as a type that could not be registered only means the desktop opens such files
// less conveniently.
void CreateAssociation(const std::string& extension, const std::string& mimeType, const std::string& description);

}  // namespace pitchwell
