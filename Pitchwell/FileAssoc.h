// File-type registration the freedesktop way: a shared-mime-info package per extension under
// $XDG_DATA_HOME/mime/packages (the mime cache rebuilt when update-mime-database is present),
// and the user's text editor as the type's default application in $XDG_CONFIG_HOME/mimeapps.list.
// An extension that already has a type is left alone by the caller, which asks GetAssociation
// first.
#pragma once

#include <string>
#include <vector>

namespace pitchwell {

// The freedesktop base directories, from the environment with their usual defaults.
std::string DataHome();
std::string ConfigHome();
std::vector<std::string> DataDirs();     // $XDG_DATA_HOME first, then $XDG_DATA_DIRS
std::vector<std::string> ConfigDirs();   // $XDG_CONFIG_HOME first, then $XDG_CONFIG_DIRS

// The mime type registered for files ending in "." + extension (without regard to case), or ""
// when there is none.
std::string GetAssociation(const std::string& extension);

// Registers the extension as a plain-text type with the given name and description, and makes
// the user's text editor its default application. Failures are silent, as a type that could
// not be registered only means the desktop opens such files less conveniently.
void CreateAssociation(const std::string& extension, const std::string& mimeType, const std::string& description);

// The desktop entry id of the default application for plain text ("" when none is known).
std::string DefaultTextEditor();

// Adds "mimeType=desktopId;" to the [Default Applications] group of a mimeapps.list file unless
// the type has a default there already. False when the file could not be written.
bool AddDefaultApplication(const std::string& listFile, const std::string& mimeType, const std::string& desktopId);

}  // namespace pitchwell
