// Shared pieces of the catalogue, video and sign-up tests: an installation tree in a temporary
// directory, a starter that records instead of starting, and fake programs that record the
// arguments they were started with.
#pragma once

#include "Pitchwell/LauncherContext.h"
#include "common/Dialogs.h"
#include "common/Process.h"
#include "common/Registry.h"
#include "support/ScriptedDialogs.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QPrinter>
#include <QTemporaryDir>
#include <QThread>

#include <sys/stat.h>

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace cataloguetest {

inline void WriteFile(const std::string& path, const std::string& text = "x\n")
{
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

inline std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// A table row's name as a test name: letters and digits, the rest underscores.
inline std::string CaseName(std::string name)
{
    for (char& ch : name)
        if (!isalnum(static_cast<unsigned char>(ch)))
            ch = '_';
    return name;
}

// A program that writes its arguments, each ended by a zero byte, to a record file; the file
// appears complete or not at all. It needs nothing from PATH.
inline void WriteRecorder(const std::string& program, const std::string& record)
{
    WriteFile(program, "#!/bin/sh\n"
                       "for a in \"$@\"; do printf '%s\\0' \"$a\"; done > '" + record + ".part'\n"
                       "/bin/mv '" + record + ".part' '" + record + "'\n");
    ::chmod(program.c_str(), 0755);
}

// The arguments a recorder wrote, once its record exists (a started program runs on its own).
inline std::vector<std::string> WaitForRecord(const std::string& record)
{
    for (int i = 0; i < 1000 && !std::filesystem::exists(record); ++i) {
        QCoreApplication::processEvents();
        QThread::msleep(20);
    }
    std::vector<std::string> args;
    const std::string text = ReadFile(record);
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\0') {
            args.push_back(text.substr(start, i - start));
            start = i + 1;
        }
    }
    return args;
}

// Records what would be started or opened; Open answers as told, or throws.
class RecordingStarter : public tk::ProgramStarter {
public:
    struct Call {
        std::string Program;
        std::vector<std::string> Args;
    };
    std::vector<Call> Starts;
    std::vector<std::string> Opened;
    bool StartResult = true;
    bool OpenResult = true;
    bool OpenThrows = false;
    std::function<void()> OnStart;  // runs as a program is started

    bool Start(const std::string& program, const std::vector<std::string>& args, std::string& error) override
    {
        Starts.push_back({program, args});
        if (OnStart)
            OnStart();
        if (!StartResult)
            error = "it is not there";
        return StartResult;
    }
    bool Open(const std::string& target, std::string& error) override
    {
        Opened.push_back(target);
        if (OpenThrows)
            throw std::runtime_error("player failed");
        if (!OpenResult)
            error = "no program";
        return OpenResult;
    }
};

// Sets an environment variable for one test and puts the old value back.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const std::string& value) : name_(name)
    {
        const char* old = std::getenv(name);
        had_ = old != nullptr;
        old_ = had_ ? old : "";
        setenv(name, value.c_str(), 1);
    }
    ~ScopedEnv()
    {
        if (had_)
            setenv(name_, old_.c_str(), 1);
        else
            unsetenv(name_);
    }

private:
    const char* name_;
    bool had_ = false;
    std::string old_;
};

// A launcher installed at ROOT/base/Pitchwell with its examples and answers directories.
struct Installation {
    explicit Installation(const std::string& baseName = "base")
    {
        Base = dir.path().toStdString() + "/" + baseName;
        Paths.OwnDir = Base + "/Pitchwell";
        Paths.BaseDir = Base;
        Paths.ProgDir = Base + "/Pitchwell";
        Paths.VideoFile = Paths.OwnDir + "/video/qz-presentation.wmv";
        std::filesystem::create_directories(Paths.OwnDir + "/video");
    }
    std::string Examples() const { return Paths.OwnDir + "/demos/all"; }
    std::string Answers() const { return Examples() + "/answers"; }
    std::string Viewer() const { return Base + "/plots"; }
    std::string Record(const std::string& name) const { return dir.path().toStdString() + "/" + name; }

    QTemporaryDir dir;
    std::string Base;
    pitchwell::LauncherPaths Paths;
    tk::ScriptedDialogs Dialogs;
    tk::Registry Store {dir.path().toStdString() + "/store"};
    RecordingStarter Recorder;
    tk::SystemStarter System;
    QPrinter Printer;
    pitchwell::LauncherContext Recording {Paths, Dialogs, Store, Recorder, Printer};
    pitchwell::LauncherContext Real {Paths, Dialogs, Store, System, Printer};
};

}  // namespace cataloguetest
