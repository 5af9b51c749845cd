#include "Pitchwell/LauncherCommands.h"

namespace pitchwell {

bool ExistsWithMessages(tk::Dialogs& dialogs, const std::string& path, bool wantDirectory, const PathProber& probe,
                        const std::function<void()>& onUnexpectedError)
{
    const std::string title = tk::RoutineTitle(wantDirectory ? "dirExists" : "FileExists");
    bool deviceReported = false;
    for (;;) {
        const PathProbe found = probe(path);
        if (found.Error == 0)
            return Found(found, wantDirectory);
        const LauncherError e = ErrorFromErrno(found.Error);
        // Tried once more after the device message; a device that stays away answers False.
        if (e.Kind == tk::FileErrorKind::PathMissing && deviceReported)
            return false;
        const std::optional<tk::MessageBoxCall> box = tk::FileErrorBox(e.Kind, title, path, UnexpectedErrorText(e));
        const tk::MsgResult answer = box ? dialogs.MsgBox(*box) : tk::MsgResult::Cancel;
        switch (e.Kind) {
        case tk::FileErrorKind::NotReady:
            if (answer != tk::MsgResult::Ok)
                return false;
            continue;
        case tk::FileErrorKind::PathMissing:
            deviceReported = true;
            continue;
        case tk::FileErrorKind::Cancelled:
            return false;
        case tk::FileErrorKind::Other:
            if (wantDirectory && onUnexpectedError)
                onUnexpectedError();
            return false;
        }
    }
}

bool FileExists(tk::Dialogs& dialogs, const std::string& path)
{
    return ExistsWithMessages(dialogs, path, false, ProbePath);
}

bool dirExists(tk::Dialogs& dialogs, const std::string& path)
{
    return ExistsWithMessages(dialogs, path, true, ProbePath);
}

bool dirExists(tk::Dialogs& dialogs, const std::string& path, const std::function<void()>& onUnexpectedError)
{
    return ExistsWithMessages(dialogs, path, true, ProbePath, onUnexpectedError);
}

ExistenceTests ExistenceWithMessages(tk::Dialogs& dialogs)
{
    return {[&dialogs](const std::string& path) { return FileExists(dialogs, path); },
            [&dialogs](const std::string& path) { return dirExists(dialogs, path); }};
}

bool Start_Path(LauncherPaths& paths, tk::Dialogs& dialogs)
{
    const std::optional<tk::MessageBoxCall> failure = DecideStartPath(paths);
    if (failure)
        dialogs.MsgBox(*failure);
    return !failure;
}

bool Start_INI(const LauncherPaths& paths, tk::Dialogs& dialogs, const std::string& shortDate, SetupReport* report)
{
    const std::optional<tk::MessageBoxCall> failure =
        DecideStartIni(paths, ExistenceWithMessages(dialogs), shortDate, report);
    if (failure)
        dialogs.MsgBox(*failure);
    return !failure;
}

namespace {

ExistenceTest LauncherExistence(LauncherContext& ctx)
{
    return [&ctx](const std::string& path) { return FileExists(ctx.Messages, path); };
}

}  // namespace

ExampleButtonStates SetExampleButtons(LauncherContext& ctx, const std::string& selected)
{
    return DecideExampleButtons(ctx.Paths, selected, LauncherExistence(ctx));
}

bool StartEditor(LauncherContext& ctx, const std::string& file)
{
    std::string reason;
    if (ctx.Starter.Edit(file, reason))
        return true;
    ctx.Messages.Show("The text editor could not be started for" "\r\n" + file + "\r\n" + reason,
                      "Text editor not started", tk::MsgIcon::Exclamation, tk::MsgButtons::Ok);
    return false;
}

bool StartViewer(LauncherContext& ctx, const std::string& argument)
{
    const std::string program = ViewerProgram(ctx.Paths);
    std::string reason;
    if (ctx.Starter.Start(program, {argument}, reason))
        return true;
    ctx.Messages.Show("The plot viewer " + program + " could not be started for" "\r\n" + argument + "\r\n" + reason,
                      "Plot viewer not started", tk::MsgIcon::Exclamation, tk::MsgButtons::Ok);
    return false;
}

void EditDemo(LauncherContext& ctx, const std::string& selected)
{
    if (selected.empty()) {
        ctx.Messages.Show(EmptySelectionText, EmptySelectionTitle, tk::MsgIcon::Exclamation, tk::MsgButtons::Ok);
        return;
    }
    StartEditor(ctx, EditDemoFile(ctx.Paths, selected));
}

std::vector<ProgramLaunch> ViewAnswer(LauncherContext& ctx, const std::string& selected)
{
    std::vector<ProgramLaunch> launches;
    const ViewAnswerPlan plan = PlanViewAnswer(ctx.Paths, selected, LauncherExistence(ctx));
    if (!plan.Go)
        return launches;
    // An editor that fails is reported; the plot is still worth showing.
    StartEditor(ctx, plan.AnswerFile);
    launches.push_back({ProgramLaunch::Kind::Editor, plan.AnswerFile});
    if (!plan.StartViewer)
        return launches;
    if (plan.SaveRequest)
        SavePlotRequest(ctx.Store, plan.RequestFile, plan.RequestDir, ctx.Paths.ProgSubDir);
    else
        ClearPlotRequest(ctx.Store);
    StartViewer(ctx, plan.ViewerArgument);
    launches.push_back({ProgramLaunch::Kind::Viewer, plan.ViewerArgument});
    return launches;
}

}  // namespace pitchwell
