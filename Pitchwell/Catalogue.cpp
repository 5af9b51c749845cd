#include "Pitchwell/Catalogue.h"

#include "Pitchwell/CatalogueData.h"
#include "common/Paths.h"

namespace pitchwell {

std::vector<CatalogueTab> CatalogueTabs()
{
    std::vector<CatalogueTab> tabs;
    for (const CatalogueSection& page : CatalogueSections()) {
        CatalogueTab tab {page.Caption, page.ButtonArray, page.LabelArray, {}, {}};
        for (const CatalogueEntry& entry : page.Entries) {
            tab.Files.push_back(entry.File);
            tab.Descriptions.push_back(entry.Description);
        }
        tabs.push_back(std::move(tab));
    }
    return tabs;
}

std::string ShownCaption(const std::string& stored)
{
    std::string out;
    for (std::size_t i = 0; i < stored.size(); ++i) {
        out += stored[i];
        if (stored[i] == '&' && i + 1 < stored.size() && stored[i + 1] == '&')
            ++i;
    }
    return out;
}

std::string AnswerName(const std::string& example)
{
    std::string out;
    for (std::size_t i = 0; i < example.size();) {
        if (example.compare(i, 3, ".qz") == 0) {
            out += ".out";
            i += 3;
        } else {
            out += example[i++];
        }
    }
    return out;
}

std::string PlotStem(const std::string& answerName)
{
    const std::size_t dot = answerName.rfind('.');
    return dot == std::string::npos ? answerName : answerName.substr(0, dot);
}

bool IsViewableExample(const std::string& example)
{
    auto endsWith = [&](const std::string& tail) {
        return example.size() >= tail.size() && example.compare(example.size() - tail.size(), tail.size(), tail) == 0;
    };
    return endsWith("txt") || endsWith("qz");
}

std::string ExamplesDirForButtons(const LauncherPaths& paths)
{
    return paths.BaseDir + paths.ProgSubDir + "/demos/all";
}

std::string ExamplesDir(const LauncherPaths& paths) { return paths.OwnDir + "/demos/all"; }

std::string AnswersDir(const LauncherPaths& paths)
{
    // The tools write "answers", some older installations "Answers": take what is on disk.
    return tk::ResolvePath(paths.OwnDir + "/demos/all/answers") + "/";
}

std::string ViewerProgram(const LauncherPaths& paths) { return paths.OwnDir + "/../plots"; }

ExampleButtonStates DecideExampleButtons(const LauncherPaths& paths, const std::string& selected,
                                         const ExistenceTest& fileExists)
{
    const std::string dir = ExamplesDirForButtons(paths);
    ExampleButtonStates states;
    states.EditDemo = fileExists(dir + "/" + selected);
    states.ViewAnswer = fileExists(dir + "/answers/" + AnswerName(selected));
    return states;
}

ViewAnswerPlan PlanViewAnswer(const LauncherPaths& paths, const std::string& selected,
                              const ExistenceTest& fileExists)
{
    ViewAnswerPlan plan;
    if (!IsViewableExample(selected))
        return plan;
    plan.Go = true;
    const std::string answer = AnswerName(selected);
    plan.AnswerFile = tk::ResolvePath(ExamplesDir(paths) + "/Answers/" + answer);
    if (!fileExists(ViewerProgram(paths)))
        return plan;
    plan.StartViewer = true;
    const std::string stem = PlotStem(answer);
    const std::string answers = AnswersDir(paths);
    for (const char* extension : {".gif", ".plt"}) {
        const std::string plot = answers + stem + extension;
        if (!fileExists(plot))
            continue;
        const std::string onDisk = tk::ResolvePath(plot);
        plan.SaveRequest = true;
        plan.RequestFile = tk::NamePart(onDisk);
        plan.RequestDir = answers;
        plan.ViewerArgument = onDisk;
        return plan;
    }
    plan.ViewerArgument = answers;
    return plan;
}

std::string EditDemoFile(const LauncherPaths& paths, const std::string& selected)
{
    return tk::ResolvePath(ExamplesDir(paths) + "/" + selected);
}

}  // namespace pitchwell
