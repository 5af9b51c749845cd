// The window of the viewer-core tests: keeps the state a window would show.
#pragma once

#include "plots/run/ViewerHost.h"

#include <array>
#include <string>
#include <vector>

namespace plots {

class HeadlessHost : public ViewerHost {
public:
    struct CommandState {
        bool Enabled = false;
        bool Visible = true;
    };
    std::array<CommandState, static_cast<int>(Command::Count)> Commands{};
    std::array<std::string, 4> TabCaptions{"Setup", "Input", "Output", "Plot"};
    std::array<bool, 4> TabEnabled{true, true, true, true};
    int Tab = TabSetup;
    Command Focused = Command::OpenPlotFile;
    int CaptionRefreshes = 0;
    bool Exited = false;
    std::string FatalText;
    std::string Output, Input;

    void ShowTab(int index) override { Tab = index; }
    int CurrentTab() const override { return Tab; }
    void SetTabCaption(int index, const std::string& caption) override { TabCaptions.at(index) = caption; }
    void SetTabEnabled(int index, bool enabled) override { TabEnabled.at(index) = enabled; }
    void SetCommandEnabled(Command c, bool enabled) override { Commands.at(int(c)).Enabled = enabled; }
    void SetCommandVisible(Command c, bool visible) override { Commands.at(int(c)).Visible = visible; }
    void FocusCommand(Command c) override { Focused = c; }
    void ShowFilename() override { ++CaptionRefreshes; }
    void FatalExit(const std::string& text) override
    {
        Exited = true;
        FatalText = text;
    }
    bool Unloaded() const override { return Exited; }
    std::string OutputText() const override { return Output; }
    void SetOutputText(const std::string& text) override { Output = text; }
    void AppendOutput(const std::string& text) override { Output += text; }
    std::string InputText() const override { return Input; }
    void SetInputText(const std::string& text) override { Input = text; }
    void AppendInput(const std::string& text) override { Input += text; }
    bool SettingsEnabled = false;
    void EnableSettings(bool enabled) override { SettingsEnabled = enabled; }
    void CloseViewer() override { Exited = true; }
    std::vector<std::string> Notices;
    void ShowNotice(const std::string& text) override { Notices.push_back(text); }
};

}  // namespace plots
