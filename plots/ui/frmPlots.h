// The plot window: a tab strip with the Setup, Input, Output and Plot pages, the settings
// panel, the two listing boxes, the plot surface and the command buttons. It is the viewer's
// host: the core sets tabs, button states, the caption and the listings through it.
#pragma once

#include "common/Dialogs.h"
#include "common/FormResizer.h"
#include "common/Registry.h"
#include "plots/render/Surface.h"
#include "plots/run/DataFileWatch.h"
#include "plots/run/Viewer.h"
#include "plots/run/ViewerHost.h"

#include <QTimer>
#include <QWidget>

#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

class QLabel;
class QPushButton;
class QTabWidget;
class QTextEdit;

namespace plots {

class ExploreBar;
class ListingFeed;
class PictureBox;
class SettingsPanel;

// "Plots from Tavrick Ent.", after the plot file's name when there is one.
std::string CaptionFor(const std::string& plotBase);

class frmPlots : public QWidget, public ViewerHost {
    Q_OBJECT
public:
    // Dialogs are the real ones unless a test passes its own.
    explicit frmPlots(tk::Registry registry, tk::Dialogs* dialogs = nullptr);
    ~frmPlots() override;

    Viewer& viewer() { return *viewer_; }
    tk::Registry& registry() { return registry_; }

    QTabWidget* Plot_Tabs;
    SettingsPanel* settings = nullptr;
    QTextEdit* tbInBox;
    QTextEdit* tbOutBox;
    PictureBox* picBox;
    QPushButton* cmdPlotResults;
    QPushButton* cmdOpen;
    QPushButton* cmdExit;
    QPushButton* cmdSaveOptions;
    QPushButton* cmdAbout;
    QPushButton* cmdSaveAs;
    QPushButton* cmdPrint;
    QPushButton* cmdNext;
    QPushButton* cmdQuit;
    QLabel* lblNotice;
    // The status line under the plot: the values under the mouse.
    QLabel* lblReadout;
    // Exploring the plot and walking the run; hidden until first used.
    ExploreBar* exploreBar;
    // How long a notice stays.
    static constexpr int NoticeMs = 6000;

    QPushButton* CommandButton(Command c) const;
    // The button's own visibility, apart from whether its page is shown.
    bool CommandVisible(Command c) const;

    bool Unloaded() const override { return unloaded_; }
    bool EndedByFatalExit() const { return fatalExit_; }
    // Closes the window; the hand-over is cleared and the program ends.
    void Unload();
    // Returns once the window is on the screen at the size its window manager gave it.
    void WaitUntilShown();
    // True while a large listing is still going into its box.
    bool ListingsLoading() const;

    // ViewerHost
    void EnableSettings(bool flag) override;
    void CloseViewer() override { Unload(); }
    void ShowTab(int index) override;
    int CurrentTab() const override;
    void SetTabCaption(int index, const std::string& caption) override;
    void SetTabEnabled(int index, bool enabled) override;
    void SetCommandEnabled(Command c, bool enabled) override;
    void SetCommandVisible(Command c, bool visible) override;
    void FocusCommand(Command c) override;
    void ShowFilename() override;
    void FatalExit(const std::string& text) override;
    void ShowNotice(const std::string& text) override;
    void ShowStandingNotice(const std::string& text) override;
    DataFileWatch& dataWatch() { return *dataWatch_; }
    std::string OutputText() const override { return outText_; }
    void SetOutputText(const std::string& text) override;
    void AppendOutput(const std::string& text) override;
    void AppendListing(std::unique_ptr<ListingReader> listing, std::function<std::string(bool)> end) override;
    std::string InputText() const override { return inText_; }
    void SetInputText(const std::string& text) override;
    void AppendInput(const std::string& text) override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildControls();
    QPushButton* AddButton(const QString& caption, const QString& name, int tab, int left);
    void OnTab(QWidget* control, int tab);
    void ShowPageControls();
    void SetListingTabStops();
    // Keys for the command buttons: each clicks its button while that is shown and enabled.
    void AddCommandKeys();
    void Form_Load();
    void cmdSaveOptions_Click();
    // Reads the next part of the output listing going in; false once it is in, with its end.
    bool ReadListingPart();
    // Drops an output listing still going in, and what was to follow it.
    void StopListing();

    tk::Registry registry_;
    std::unique_ptr<tk::Dialogs> ownDialogs_;
    tk::Dialogs& dialogs_;
    std::unique_ptr<ImageSurface> surface_;
    std::unique_ptr<Viewer> viewer_;
    std::unique_ptr<tk::FormResizer> resizer_;
    std::vector<std::pair<QWidget*, int>> pageControls_;
    std::set<const QWidget*> hiddenByCode_;
    std::string outText_, inText_;
    // The boxes show those texts as they grow; a large listing goes in slice by slice.
    ListingFeed* inFeed_ = nullptr;
    ListingFeed* outFeed_ = nullptr;
    // An output listing still being read; the text for its end, and what came after it meanwhile.
    std::unique_ptr<ListingReader> outListing_;
    std::function<std::string(bool)> outListingEnd_;
    std::string outAfter_;
    bool loaded_ = false;
    bool unloaded_ = false;
    bool fatalExit_ = false;
    DataFileWatch* dataWatch_ = nullptr;
    QTimer noticeTimer_;
};

}  // namespace plots
