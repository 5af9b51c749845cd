// PLACEHOLDER until the settings store lands.
#include "common/Registry.h"

#include <cstdlib>

namespace tk {

Registry::Registry(std::string storeFile) : storeFile_(std::move(storeFile)) {}
Registry Registry::ForUser() { return Registry(UserStoreFile()); }
std::string Registry::UserStoreFile()
{
    const char* x = std::getenv("XDG_CONFIG_HOME");
    const char* h = std::getenv("HOME");
    return (x && *x ? std::string(x) : std::string(h ? h : ".") + "/.config") + "/tavrick/registry.ini";
}
bool Registry::KeyExists(RegRoot, const std::string&) const { return false; }
bool Registry::CreateKey(RegRoot, const std::string&) { return false; }
RegValue Registry::GetRegValue(RegRoot, const std::string&, const std::string&, int, const RegValue& d) const { return d; }
void Registry::SetRegValue(RegRoot, const std::string&, const std::string&, int, const RegValue&) {}
std::string Registry::GetText(const std::string&, const std::string&, const std::string& d) const { return d; }
std::int32_t Registry::GetInt(const std::string&, const std::string&, std::int32_t d) const { return d; }
void Registry::SetText(const std::string&, const std::string&, const std::string&) {}
void Registry::SetInt(const std::string&, const std::string&, std::int32_t) {}

}  // namespace tk
