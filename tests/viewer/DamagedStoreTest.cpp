// A settings store that cannot be read at all does not stop the viewer: at its start the store is
// set aside under a name that keeps it, a fresh one is seeded, and the file it was given opens.
#include "ViewerProcess.h"
#include "common/Registry.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

TEST(DamagedStore, IsSetAsideAtTheViewersStartAndAFreshOneSeeded)
{
    QByteArray junk;
    for (int i = 0; i < 4096; ++i) junk += char((i * 7919) % 256);
    // What the store's name holds: junk, or a FIFO that no program writes to (opening it for
    // reading would wait for ever).
    for (const bool fifo : {false, true}) {
        SCOPED_TRACE(fifo ? "a FIFO" : "junk");
        QTemporaryDir tmp;
        ASSERT_TRUE(tmp.isValid());
        const QString root = tmp.path();
        const QString storeDir = root + "/config/tavrick";
        ASSERT_TRUE(QDir().mkpath(storeDir));
        if (fifo) {
            ASSERT_EQ(::mkfifo(QFile::encodeName(storeDir + "/registry.ini").constData(), 0600), 0);
        } else {
            QFile store(storeDir + "/registry.ini");
            ASSERT_TRUE(store.open(QIODevice::WriteOnly));
            store.write(junk);
        }

        // The box that names where the old store went waits for its OK; the program then ends
        // as at a logout.
        ViewerProcess viewer(root, {TK_SOURCE_DIR "/samples/lorentz2.plt"});
        ASSERT_TRUE(viewer.WaitUntilIdle());
        ::kill(pid_t(viewer.Process.processId()), SIGTERM);
        ASSERT_TRUE(viewer.WaitForEnd());

        const QStringList kept = QDir(storeDir).entryList({"registry.ini.damaged-*"}, QDir::Files | QDir::System);
        ASSERT_EQ(kept.size(), 1) << "the unreadable store is kept under another name";
        QFile old(storeDir + "/" + kept.front());
        if (!fifo) {
            ASSERT_TRUE(old.open(QIODevice::ReadOnly));
            EXPECT_EQ(old.readAll(), junk);
        }
        const tk::Registry fresh((storeDir + "/registry.ini").toStdString());
        EXPECT_TRUE(fresh.KeyExists(tk::HKEY_CURRENT_USER, tk::CompanyKey)) << "a fresh store holds the company key";
    }
}

}  // namespace
