// The launcher's decisions applied: its existence tests with their drive messages, start-up
// with its messages, and the catalogue's commands with the editor and the viewer started. The
// decisions themselves (Catalogue, Startup, mdlQZ, FileAssoc) show no box.
#pragma once

#include "Pitchwell/Catalogue.h"
#include "Pitchwell/LauncherContext.h"
#include "Pitchwell/Startup.h"
#include "common/Dialogs.h"

#include <functional>
#include <string>
#include <vector>

namespace pitchwell {

// True when the path names an existing ordinary file (not hidden, not a directory).
bool FileExists(tk::Dialogs& dialogs, const std::string& path);
// True when the path names an existing directory.
bool dirExists(tk::Dialogs& dialogs, const std::string& path);
// The same, with what to do after an unexpected error (the main window unloads itself).
bool dirExists(tk::Dialogs& dialogs, const std::string& path, const std::function<void()>& onUnexpectedError);

// The existence test behind FileExists and dirExists, with the lookup given. Disk not ready
// asks to retry (OK) or give up (Cancel); an unavailable device is reported and tried once
// more, then answered False; any other error is reported and answered False.
bool ExistsWithMessages(tk::Dialogs& dialogs, const std::string& path, bool wantDirectory, const PathProber& probe,
                        const std::function<void()>& onUnexpectedError = {});

// The existence tests with their messages, for the decisions.
ExistenceTests ExistenceWithMessages(tk::Dialogs& dialogs);

// Start_Path and Start_INI with their messages: False when the program must end.
bool Start_Path(LauncherPaths& paths, tk::Dialogs& dialogs);
bool Start_INI(const LauncherPaths& paths, tk::Dialogs& dialogs, const std::string& shortDate,
               SetupReport* report = nullptr);

ExampleButtonStates SetExampleButtons(LauncherContext& ctx, const std::string& selected);

// "&Edit Demo": the message for an empty selection, otherwise the editor on the source.
void EditDemo(LauncherContext& ctx, const std::string& selected);

// "View Answer", in its decision order. Returns the starts that were asked for, in order.
std::vector<ProgramLaunch> ViewAnswer(LauncherContext& ctx, const std::string& selected);

// Starts the user's text editor on one file, or tells the user why it could not be started.
bool StartEditor(LauncherContext& ctx, const std::string& file);
// Starts the plot viewer with one argument, or tells the user why it could not be started.
bool StartViewer(LauncherContext& ctx, const std::string& argument);

}  // namespace pitchwell
