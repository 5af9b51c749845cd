// The real viewer as a process under the offscreen platform, in a private home below a root
// directory (home, config, runtime), for tests that need the whole program: signals, the
// settings store it finds at its start.
#pragma once

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QThread>

#include <csignal>
#include <fstream>
#include <string>

// True once the process has a handler for the signal, so that it no longer dies of it.
inline bool Catches(qint64 pid, int signal)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("SigCgt:", 0) == 0) return (std::stoull(line.substr(7), nullptr, 16) >> (signal - 1)) & 1;
    return false;
}

// True when the process sleeps, as a program waiting in its event loop does.
inline bool Sleeping(qint64 pid)
{
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string text;
    std::getline(stat, text);
    const auto close = text.rfind(')');
    return close != std::string::npos && close + 2 < text.size() && text[close + 2] == 'S';
}

struct ViewerProcess {
    ViewerProcess(const QString& root, const QStringList& args)
    {
        for (const char* d : {"home", "config", "runtime"}) QDir(root).mkpath(d);
        QFile::setPermissions(root + "/runtime", QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("HOME", root + "/home");
        env.insert("XDG_CONFIG_HOME", root + "/config");
        env.insert("XDG_RUNTIME_DIR", root + "/runtime");
        env.insert("TK_TOOLS_ROOT", root + "/tk-tools");
        env.insert("TOOLS_VB_ROOT", root + "/tools.vb");
        Process.setProcessEnvironment(env);
        Process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        Process.start(TK_BINARY_DIR "/plots/plots", args);
    }
    ~ViewerProcess()
    {
        if (Process.state() == QProcess::NotRunning) return;
        Process.kill();
        Process.waitForFinished();
    }

    // Once the program catches the signal and waits in its event loop (or a box's).
    bool WaitUntilIdle(int signal = SIGTERM)
    {
        if (!Process.waitForStarted()) return false;
        const qint64 pid = Process.processId();
        for (int i = 0; i < 1000 && !Catches(pid, signal) && Process.state() == QProcess::Running; ++i)
            QThread::msleep(20);
        for (int quiet = 0, i = 0; quiet < 5 && i < 500; ++i) {
            quiet = Sleeping(pid) ? quiet + 1 : 0;
            QThread::msleep(20);
        }
        return Process.state() == QProcess::Running;
    }

    bool WaitForEnd() { return Process.waitForFinished(20000); }

    QProcess Process;
};
