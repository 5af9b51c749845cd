// The real viewer ended by a signal (logout, kill, Ctrl+C) ends as "E&xit Plots" ends it: the
// handed-over name is cleared, so the next plain start does not reopen that run.
#include "common/Registry.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

#include <csignal>
#include <fstream>
#include <string>

namespace {

struct SignalCase {
    const char* Name;
    int Signal;
    std::string ActivePath;  // {RUNS} the directory holding the handed-over run
};

// True once the process has a handler for the signal, so that it no longer dies of it.
bool Catches(qint64 pid, int signal)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("SigCgt:", 0) == 0) return (std::stoull(line.substr(7), nullptr, 16) >> (signal - 1)) & 1;
    return false;
}

// True when the process sleeps, as a program waiting in its event loop does.
bool Sleeping(qint64 pid)
{
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string text;
    std::getline(stat, text);
    const auto close = text.rfind(')');
    return close != std::string::npos && close + 2 < text.size() && text[close + 2] == 'S';
}

class SignalExit : public ::testing::TestWithParam<SignalCase> {};

TEST_P(SignalExit, ClearsTheHandedOverName)
{
    const SignalCase& c = GetParam();
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    const QString root = tmp.path();
    for (const char* d : {"home", "config", "runtime", "runs"}) QDir(root).mkdir(d);
    QFile::setPermissions(root + "/runtime", QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    ASSERT_TRUE(QFile::copy(TK_SOURCE_DIR "/samples/lorentz2.plt", root + "/runs/lorentz2.plt"));

    tk::Registry store((root + "/config/tavrick/registry.ini").toStdString());
    std::string activePath = c.ActivePath;
    if (activePath.rfind("{RUNS}", 0) == 0) activePath.replace(0, 6, (root + "/runs").toStdString());
    store.SetText(tk::CompanyKey, "fileIn", "lorentz2.plt");
    store.SetText(tk::CompanyKey, "ActivePath", activePath);
    store.SetText(tk::CompanyKey, "ProgramPath", "\\plots");

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("HOME", root + "/home");
    env.insert("XDG_CONFIG_HOME", root + "/config");
    env.insert("XDG_RUNTIME_DIR", root + "/runtime");
    env.insert("TK_TOOLS_ROOT", root + "/tk-tools");
    env.insert("TOOLS_VB_ROOT", root + "/tools.vb");
    QProcess viewer;
    viewer.setProcessEnvironment(env);
    viewer.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    viewer.start(TK_BINARY_DIR "/plots/plots", QStringList{});
    ASSERT_TRUE(viewer.waitForStarted());
    const qint64 pid = viewer.processId();
    for (int i = 0; i < 1000 && !Catches(pid, c.Signal) && viewer.state() == QProcess::Running; ++i)
        QThread::msleep(20);
    // Let the window come up and its loop (or the box's) wait for events.
    for (int quiet = 0, i = 0; quiet < 5 && i < 500; ++i) {
        quiet = Sleeping(pid) ? quiet + 1 : 0;
        QThread::msleep(20);
    }
    ASSERT_EQ(viewer.state(), QProcess::Running);

    ::kill(pid_t(pid), c.Signal);
    if (!viewer.waitForFinished(20000)) {
        viewer.kill();
        viewer.waitForFinished();
        FAIL() << "the viewer did not end";
    }
    EXPECT_EQ(viewer.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(viewer.exitCode(), 0);
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
