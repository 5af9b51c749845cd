// PLACEHOLDER until the launcher start-up lands.
#include "Pitchwell/mdlQZ.h"

#include "common/Paths.h"

namespace pitchwell {

void SavePlotRequest(tk::Registry&, const std::string&, const std::string&, const std::string&) {}
bool FileExists(tk::Dialogs&, const std::string& path) { return tk::IsFile(path); }
bool dirExists(tk::Dialogs&, const std::string& path) { return tk::IsDirectory(path); }

}  // namespace pitchwell
