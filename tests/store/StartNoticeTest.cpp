// The launcher's start with a settings store that cannot be read: the user hears once where
// the old store went, and the launcher goes on with a fresh one.
#include "Pitchwell/LauncherApp.h"
#include "common/Dialogs.h"
#include "common/Process.h"
#include "common/Registry.h"
#include "support/ScriptedDialogs.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <fstream>

#include <sys/stat.h>

// Junk, a FIFO that nothing writes to (opening it to read would wait for ever), or a folder
// where the store should be: each is told once, naming what the store's path holds.
TEST(LauncherStart, AStoreThatCannotBeReadIsToldOnce)
{
    enum class Holds { Junk, Fifo, Folder };
    const struct {
        Holds What;
        const char* Told;  // follows the store's path in the box
        bool Replaced;     // the damaged store is set aside and a fresh one made
    } cases[] = {
        {Holds::Junk, ".damaged-", true},
        {Holds::Fifo, ".damaged-", true},
        {Holds::Folder, " is a folder", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.What));
        QTemporaryDir dir;
        const std::string file = dir.path().toStdString() + "/registry.ini";
        switch (c.What) {
        case Holds::Junk: std::ofstream(file, std::ios::binary) << std::string("\x00\x00\x1f\x8b junk\n", 9); break;
        case Holds::Fifo: ASSERT_EQ(::mkfifo(file.c_str(), 0600), 0); break;
        case Holds::Folder: QDir().mkpath(QString::fromStdString(file)); break;
        }
        tk::ScriptedDialogs dialogs;
        tk::Registry store(file);
        tk::SystemStarter starter;
        pitchwell::LauncherApp launcher(dir.path().toStdString(), dialogs, store, starter);

        launcher.RecoverSettingsStore();
        ASSERT_EQ(dialogs.Boxes.size(), 1u);
        const tk::MessageBoxCall& box = dialogs.Boxes[0];
        EXPECT_EQ(box.Title, tk::DamagedStoreTitle);
        EXPECT_NE(box.Text.find(file + c.Told), std::string::npos) << box.Text;
        if (!c.Replaced) continue;
        EXPECT_EQ(box.Icon, tk::MsgIcon::Exclamation);
        EXPECT_TRUE(store.KeyExists(tk::HKEY_CURRENT_USER, tk::CompanyKey));
        launcher.RecoverSettingsStore();
        EXPECT_EQ(dialogs.Boxes.size(), 1u);
    }
}
