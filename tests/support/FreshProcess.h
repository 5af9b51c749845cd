// GIO reads the desktop's directories ($XDG_DATA_DIRS and the rest) once a process, so a test
// that gives the desktop directories of its own runs in a process of its own: this test program
// again, on one disabled test, which sets up its desktop itself.
#pragma once

#include <QCoreApplication>
#include <QProcess>
#include <QString>

#include <string>

namespace testsupport {

// True when the disabled test `suite.DISABLED_name` passes in a new process; `output` is what
// it printed.
inline bool PassesInFreshProcess(const std::string& test, std::string& output)
{
    QProcess child;
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(),
                {QString::fromStdString("--gtest_filter=" + test), "--gtest_also_run_disabled_tests"});
    const bool finished = child.waitForFinished(180000);
    output = child.readAll().toStdString();
    return finished && child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0 &&
           output.find("[  PASSED  ] 1 test") != std::string::npos;
}

}  // namespace testsupport
