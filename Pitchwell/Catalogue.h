// The example catalogue's decisions, without windows or boxes: which of "&Edit Demo" and "View
// Answer" a selection enables, where an example's source and answer lie, and what "View Answer"
// starts. The page applies them (Pitchwell/LauncherCommands).
#pragma once

#include "Pitchwell/LauncherPaths.h"
#include "Pitchwell/mdlQZ.h"

#include <functional>
#include <string>
#include <vector>

namespace pitchwell {

// The catalogue's pages as the page widget builds them, from CatalogueSections().
struct CatalogueTab {
    std::string Caption;
    std::string ButtonArray;
    std::string LabelArray;
    std::vector<std::string> Files;         // element i (from 1) is Files[i - 1]
    std::vector<std::string> Descriptions;  // as stored: "&&" stands for "&"
};
std::vector<CatalogueTab> CatalogueTabs();

// A stored caption as it shows: "&&" becomes "&".
std::string ShownCaption(const std::string& stored);

// The answer listing's name: every ".qz" replaced by ".out" (letter case counts).
std::string AnswerName(const std::string& example);

// A name up to, not including, its last "."; the whole name when it has none.
std::string PlotStem(const std::string& answerName);

// "View Answer" acts only on names that end in "txt" or "qz" (letter case counts).
bool IsViewableExample(const std::string& example);

// The examples directory the buttons are enabled for: BaseDir + ProgSubDir + "/demos/all".
std::string ExamplesDirForButtons(const LauncherPaths& paths);
// The directories the commands use: below the launcher's own directory.
std::string ExamplesDir(const LauncherPaths& paths);
std::string AnswersDir(const LauncherPaths& paths);  // with a trailing "/"
// The plot viewer beside the launcher's directory: own directory + "/../plots".
std::string ViewerProgram(const LauncherPaths& paths);

struct ExampleButtonStates {
    bool EditDemo = false;
    bool ViewAnswer = false;
};

// The states of the two command buttons for a selection.
ExampleButtonStates DecideExampleButtons(const LauncherPaths& paths, const std::string& selected,
                                         const ExistenceTest& fileExists);

// One program start: the program and its arguments, and what it is for the user.
struct ProgramLaunch {
    enum class Kind { Editor, Viewer };
    Kind What = Kind::Editor;
    std::string File;                // editor: the file it opens; viewer: its one argument
};

// What "View Answer" does for a selection, in order: the answer in the editor, then maybe a
// hand-over request and the viewer.
struct ViewAnswerPlan {
    bool Go = false;                 // False: the selection is not an example with an answer
    std::string AnswerFile;          // the answer listing the editor opens
    bool StartViewer = false;        // the plot viewer is installed
    bool SaveRequest = false;        // a plot was found and is handed over first; otherwise
                                     // the hand-over name is cleared before the viewer starts
    std::string RequestFile;         // the plot file's name
    std::string RequestDir;          // the answers directory, with a trailing "/"
    std::string ViewerArgument;      // the plot file's full path, or the answers directory
};

ViewAnswerPlan PlanViewAnswer(const LauncherPaths& paths, const std::string& selected,
                              const ExistenceTest& fileExists);

// The file "&Edit Demo" opens.
std::string EditDemoFile(const LauncherPaths& paths, const std::string& selected);

inline const std::string EmptySelectionText =
    "Please select a file name BEFORE \r\nclicking on the Edit or View buttons";
inline const std::string EmptySelectionTitle = "Example Files";

}  // namespace pitchwell
