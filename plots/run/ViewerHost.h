// What the viewer's core asks of its window: tabs, command buttons, the caption, the two
// listing boxes and the fatal exit. The window implements it; the export keeps only the output
// box and the fatal text.
#pragma once

#include "plots/data/Listings.h"

#include <functional>
#include <memory>
#include <string>

namespace plots {

enum PlotTab : int { TabSetup = 0, TabInput = 1, TabOutput = 2, TabPlot = 3 };

enum class Command : int { OpenPlotFile, PlotResults, Next, SaveAs, Print, Quit, SaveSettings, ExitPlots, About, Count };

class ViewerHost {
public:
    virtual ~ViewerHost() = default;

    virtual void ShowTab(int index) = 0;
    virtual int CurrentTab() const = 0;
    virtual void SetTabCaption(int index, const std::string& caption) = 0;
    virtual void SetTabEnabled(int index, bool enabled) = 0;

    virtual void SetCommandEnabled(Command c, bool enabled) = 0;
    virtual void SetCommandVisible(Command c, bool visible) = 0;
    virtual void FocusCommand(Command c) = 0;

    // Refreshes the caption from the current plot base.
    virtual void ShowFilename() = 0;
    // Shows the text under "Must exit!" and closes the window, which ends the program.
    virtual void FatalExit(const std::string& text) = 0;
    // True once the window has unloaded (Exit, a fatal message, closing it).
    virtual bool Unloaded() const = 0;

    // The run summary box (tbOutBox) and the input box (tbInBox).
    virtual std::string OutputText() const = 0;
    virtual void SetOutputText(const std::string& text) = 0;
    virtual void AppendOutput(const std::string& text) { SetOutputText(OutputText() + text); }
    // Appends the listing that `listing` reads, and after it the text that `end` gives once it
    // is read (told whether it was read to its end). A window may read it a part at a time while
    // it runs, its start shown at once; what is appended meanwhile goes after it. This one reads
    // it whole.
    virtual void AppendListing(std::unique_ptr<ListingReader> listing, std::function<std::string(bool complete)> end)
    {
        std::string text;
        while (listing->Read(text, std::string::npos)) {
        }
        AppendOutput(text + end(listing->Complete()));
    }
    virtual std::string InputText() const = 0;
    virtual void SetInputText(const std::string& text) = 0;
    virtual void AppendInput(const std::string& text) { SetInputText(InputText() + text); }

    // Enables or disables the run-time settings of the Setup tab (colours, black-and-white,
    // axis overrides) and shows "&Save Settings".
    virtual void EnableSettings(bool) {}
    // Unloads the window without a message, which ends the program.
    virtual void CloseViewer() {}
    // A short notice in the window that goes by itself (no box to answer).
    virtual void ShowNotice(const std::string&) {}
    // A notice that stays until the next one.
    virtual void ShowStandingNotice(const std::string& text) { ShowNotice(text); }
};

}  // namespace plots
