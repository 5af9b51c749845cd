// The launcher's start with a settings store that cannot be read: the user hears once where
// the old store went, and the launcher goes on with a fresh one.
#include "Pitchwell/LauncherApp.h"
#include "common/Dialogs.h"
#include "common/Process.h"
#include "common/Registry.h"
#include "support/ScriptedDialogs.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <fstream>

#include <sys/stat.h>

TEST(LauncherStart, DamagedStoreIsToldOnceAndReplaced)
{
    // Junk, or a FIFO that nothing writes to (opening it to read would wait for ever).
    for (const bool fifo : {false, true}) {
        SCOPED_TRACE(fifo ? "a FIFO" : "junk");
        QTemporaryDir dir;
        const std::string file = dir.path().toStdString() + "/registry.ini";
        if (fifo)
            ASSERT_EQ(::mkfifo(file.c_str(), 0600), 0);
        else
            std::ofstream(file, std::ios::binary) << std::string("\x00\x00\x1f\x8b junk\n", 9);
        tk::ScriptedDialogs dialogs;
        tk::Registry store(file);
        tk::SystemStarter starter;
        pitchwell::LauncherApp launcher(dir.path().toStdString(), dialogs, store, starter);

        launcher.RecoverSettingsStore();
        ASSERT_EQ(dialogs.Boxes.size(), 1u);
        const tk::MessageBoxCall& box = dialogs.Boxes[0];
        EXPECT_EQ(box.Title, tk::DamagedStoreTitle);
        EXPECT_EQ(box.Icon, tk::MsgIcon::Exclamation);
        EXPECT_NE(box.Text.find(file + ".damaged-"), std::string::npos) << box.Text;
        EXPECT_TRUE(store.KeyExists(tk::HKEY_CURRENT_USER, tk::CompanyKey));

        launcher.RecoverSettingsStore();
        EXPECT_EQ(dialogs.Boxes.size(), 1u);
    }
}
