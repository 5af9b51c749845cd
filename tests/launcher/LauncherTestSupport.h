// Shared set-up of the launcher tests: a fresh installation tree, data and config homes, and
// the current directory given back afterwards.
#pragma once

#include <QDir>
#include <QTemporaryDir>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace launchertest {

// Points XDG_DATA_HOME and XDG_CONFIG_HOME at a fresh directory for one test and restores
// the previous values and the current directory afterwards.
class FreshDesktop {
public:
    FreshDesktop()
    {
        oldData_ = Get("XDG_DATA_HOME");
        oldConfig_ = Get("XDG_CONFIG_HOME");
        oldCwd_ = std::filesystem::current_path();
        Root = dir_.path().toStdString();
        setenv("XDG_DATA_HOME", (Root + "/data").c_str(), 1);
        setenv("XDG_CONFIG_HOME", (Root + "/config").c_str(), 1);
    }
    ~FreshDesktop()
    {
        setenv("XDG_DATA_HOME", oldData_.c_str(), 1);
        setenv("XDG_CONFIG_HOME", oldConfig_.c_str(), 1);
        std::error_code ec;
        std::filesystem::current_path(oldCwd_, ec);
    }
    // Makes a directory (and its parents) below the root; returns its full path.
    std::string MakeDir(const std::string& relative) const
    {
        const std::string path = Root + "/" + relative;
        std::filesystem::create_directories(path);
        return path;
    }
    std::string Root;

private:
    static std::string Get(const char* name)
    {
        const char* v = std::getenv(name);
        return v ? v : "";
    }
    QTemporaryDir dir_;
    std::string oldData_, oldConfig_;
    std::filesystem::path oldCwd_;
};

inline std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void WriteAll(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

}  // namespace launchertest
