// PLACEHOLDER until the program starter lands.
#include "common/Process.h"

namespace tk {

bool SystemStarter::Start(const std::string&, const std::vector<std::string>&, std::string& error)
{
    error = "not available";
    return false;
}
bool SystemStarter::Open(const std::string&, std::string& error)
{
    error = "not available";
    return false;
}
bool EditorCommand(const std::string&, std::string&, std::vector<std::string>&) { return false; }

}  // namespace tk
