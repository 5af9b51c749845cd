// Entry point of every test program. Tests run headless: the offscreen platform is chosen
// before the application object exists, so windows and fonts work without a display. Each
// test program also gets a private home, settings store and installation roots, so no test
// touches the user's own files or another test program's.
#include <QApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QTemporaryDir home;
    const std::string h = home.path().toStdString();
    setenv("HOME", h.c_str(), 1);
    setenv("XDG_CONFIG_HOME", (h + "/.config").c_str(), 1);
    setenv("XDG_DATA_HOME", (h + "/.local/share").c_str(), 1);
    setenv("TK_TOOLS_ROOT", (h + "/tk-tools").c_str(), 1);
    setenv("TOOLS_VB_ROOT", (h + "/tools.vb").c_str(), 1);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
