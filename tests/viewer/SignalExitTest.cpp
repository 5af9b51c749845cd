// The real viewer ended by a signal (logout, kill, Ctrl+C) ends as "E&xit Plots" ends it: the
// handed-over name is cleared, so the next plain start does not reopen that run.
#include "ViewerProcess.h"
#include "common/Registry.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <string>

namespace {

struct SignalCase {
    const char* Name;
    int Signal;
    std::string ActivePath;  // {RUNS} the directory holding the handed-over run
};

class SignalExit : public ::testing::TestWithParam<SignalCase> {};

TEST_P(SignalExit, ClearsTheHandedOverName)
{
    const SignalCase& c = GetParam();
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    const QString root = tmp.path();
    QDir(root).mkdir("runs");
    ASSERT_TRUE(QFile::copy(TK_SOURCE_DIR "/samples/lorentz2.plt", root + "/runs/lorentz2.plt"));

    tk::Registry store((root + "/config/tavrick/registry.ini").toStdString());
    std::string activePath = c.ActivePath;
    if (activePath.rfind("{RUNS}", 0) == 0) activePath.replace(0, 6, (root + "/runs").toStdString());
    store.SetText(tk::CompanyKey, "fileIn", "lorentz2.plt");
    store.SetText(tk::CompanyKey, "ActivePath", activePath);
    store.SetText(tk::CompanyKey, "ProgramPath", "\\plots");

    ViewerProcess viewer(root, {});
    ASSERT_TRUE(viewer.WaitUntilIdle(c.Signal));
    const qint64 pid = viewer.Process.processId();
    ::kill(pid_t(pid), c.Signal);
    ASSERT_TRUE(viewer.WaitForEnd()) << "the viewer did not end";
    EXPECT_EQ(viewer.Process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(viewer.Process.exitCode(), 0);
    EXPECT_EQ(store.GetText(tk::CompanyKey, "fileIn", "unset"), "unset") << "the name handed over is cleared";
    EXPECT_EQ(store.GetText(tk::CompanyKey, "ActivePath"), activePath) << "the rest of the hand-over stays";
}

const SignalCase SignalCases[] = {
    {"TerminatedWhileShowingARun", SIGTERM, "{RUNS}/"},
    {"HungUpAtLogout", SIGHUP, "{RUNS}/"},
    {"InterruptedFromTheTerminal", SIGINT, "{RUNS}/"},
    // The start-up's "Error in PathName" box is open, in its own event loop.
    {"TerminatedWhileAStartUpBoxIsOpen", SIGTERM, "{RUNS}/missing/"},
};

INSTANTIATE_TEST_SUITE_P(Cases, SignalExit, ::testing::ValuesIn(SignalCases),
                         [](const auto& info) { return std::string(info.param.Name); });

}  // namespace
