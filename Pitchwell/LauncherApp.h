// The launcher as one object: its directories, message boxes, settings store, program
// starter and printer, and its windows from the introduction to the end.
#pragma once

#include "Pitchwell/LauncherContext.h"

#include <QPointer>
#include <QPrinter>

#include <memory>
#include <string>

namespace pitchwell {

class frmIntro;
class frmMain;

class LauncherApp {
public:
    LauncherApp(const std::string& ownDir, tk::Dialogs& dialogs, tk::Registry& store, tk::ProgramStarter& starter);
    ~LauncherApp();
    LauncherApp(const LauncherApp&) = delete;
    LauncherApp& operator=(const LauncherApp&) = delete;

    LauncherPaths Paths;
    QPrinter Printer;
    LauncherContext Context;
    // The date written into the marker file; today in the short date format unless set.
    std::string ShortDate;

    // At start, before anything reads the settings store: one that cannot be read is set
    // aside for a fresh one, and the user is told where the old one went.
    void RecoverSettingsStore();
    // Opens the introduction window.
    frmIntro* ShowIntro();
    // Loads, shows and focuses the main window (start-up steps 4 to 10). False when start-up
    // ended the program; throws what a failing step raised.
    bool LoadMain();
    // Clears the video file, unloads every window and ends the program.
    void EndProgram();

    frmIntro* Intro() const;
    frmMain* Main() const;
    bool Ended() const { return ended_; }

private:
    void ChoosePlatformPrinter();

    QPointer<frmIntro> intro_;
    QPointer<frmMain> main_;
    bool ended_ = false;
};

}  // namespace pitchwell
