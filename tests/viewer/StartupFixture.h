// Shared pieces of the start-up tests: a private directory that stands for the installation
// and developer roots, files made in it (plot files get a valid run, pictures a real picture),
// and a settings store with or without the company key.
#pragma once

#include "common/Registry.h"
#include "common/Text.h"

#include <QDir>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>

namespace viewertest {

inline std::string Slurp(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

inline const std::string& SamplePlot()
{
    static const std::string text = Slurp(std::string(TK_SOURCE_DIR) + "/samples/lorentz2.plt");
    return text;
}

// A picture of one white pixel.
inline const unsigned char TinyGif[] = {0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 0x01, 0x00, 0x01, 0x00, 0x80, 0x00, 0x00, 0x00, 0x00,
                                 0x00, 0xFF, 0xFF, 0xFF, 0x21, 0xF9, 0x04, 0x01, 0x00, 0x00, 0x00, 0x00, 0x2C, 0x00, 0x00,
                                 0x00, 0x00, 0x01, 0x00, 0x01, 0x00, 0x00, 0x02, 0x02, 0x44, 0x01, 0x00, 0x3B};

// {TMP} the test's directory, {ROOT} the installation root, {DEV} the developer root.
class StartupFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(tmp_.isValid());
        tmpPath_ = QDir(tmp_.path()).canonicalPath().toStdString();
        setenv("TK_TOOLS_ROOT", (tmpPath_ + "/tk-tools").c_str(), 1);
        setenv("TOOLS_VB_ROOT", (tmpPath_ + "/tools.vb").c_str(), 1);
        ASSERT_TRUE(QDir::setCurrent(QString::fromStdString(tmpPath_)));
    }

    std::string Expand(std::string s) const
    {
        const std::pair<const char*, std::string> keys[] = {
            {"{TMP}", tmpPath_}, {"{ROOT}", tmpPath_ + "/tk-tools"}, {"{DEV}", tmpPath_ + "/tools.vb"}};
        for (const auto& [key, value] : keys)
            for (auto pos = s.find(key); pos != std::string::npos; pos = s.find(key)) s.replace(pos, std::string(key).size(), value);
        return s;
    }

    void MakeFile(const std::string& path)
    {
        QDir().mkpath(QString::fromStdString(path.substr(0, path.find_last_of('/'))));
        std::ofstream out(path, std::ios::binary);
        const std::string ext = tk::Lower(path.size() > 4 ? path.substr(path.size() - 4) : "");
        if (ext == ".plt")
            out << SamplePlot();
        else if (ext == ".gif")
            out.write(reinterpret_cast<const char*>(TinyGif), sizeof TinyGif);
        else
            out << "contents of " + path.substr(path.find_last_of('/') + 1) + "\r\n";
    }

    tk::Registry MakeStore(bool companyKey)
    {
        const std::string file = tmpPath_ + "/store/registry.ini";
        tk::Registry store(file);
        store.CreateKey(tk::HKEY_CURRENT_USER, "Software\\Other");
        if (!companyKey) {
            // Drop the company key's section from the store file.
            std::istringstream in(Slurp(file));
            std::string out, line;
            while (std::getline(in, line))
                if (line.find("Tavrick Enterprise") == std::string::npos) out += line + "\n";
            std::ofstream(file, std::ios::binary | std::ios::trunc) << out;
        }
        return store;
    }

    // Files a failed copy may have left under a temporary name.
    static QStringList Leftovers(const std::string& directory)
    {
        return QDir(QString::fromStdString(directory)).entryList({"*.copying", ".*.tmp-*"}, QDir::Files | QDir::Hidden);
    }

    QTemporaryDir tmp_;
    std::string tmpPath_;
};

}  // namespace viewertest
