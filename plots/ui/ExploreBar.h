// The plot page's commands for exploring the shown plot and walking the run: Home, Back and
// Forward of the zoom history, Previous and the list of the run's plots, copying the plot and
// exporting its data, with their keys and the plot's context menu. The bar stays hidden until
// the user first explores, so a window whose new controls are untouched looks as it always did.
#pragma once

#include <QWidget>

#include <functional>

class QLabel;
class QMenu;
class QToolButton;

namespace tk {
class Dialogs;
}

namespace plots {

class PictureBox;
class PlotExplorer;
class Viewer;

class ExploreBar : public QWidget {
    Q_OBJECT
public:
    // `window` receives the keys; `plotShown` tells whether the Plot page is the one shown.
    ExploreBar(QWidget& window, Viewer& viewer, PictureBox& box, QLabel& statusLine, tk::Dialogs& dialogs,
               std::function<bool()> plotShown);

    PlotExplorer& Explorer() { return *explorer_; }
    QToolButton* cmdHome;
    QToolButton* cmdBack;
    QToolButton* cmdForward;
    QToolButton* cmdPrevious;
    QToolButton* cmdPlots;  // the run's plots by title, copy and export

    // Called once the user explores: the window shows the bar from then on.
    std::function<void()> OnTouched;
    // The commands' states follow the shown plot and its history.
    void UpdateStates();

    void CopyPlot();
    void ShowHelp();
    // The context menu of the plot, at a place on the screen.
    void PopUpMenu(QPoint globalPos);

    void setVisible(bool visible) override;

private:
    void Touch();
    QMenu* BuildMenu(QWidget* parent);
    // The run's plots so far, the shown one ticked.
    void FillPlotList();
    void AddKey(const QKeySequence& key, std::function<void()> action, bool plotPageOnly = true);

    QWidget& window_;
    Viewer& viewer_;
    tk::Dialogs& dialogs_;
    std::function<bool()> plotShown_;
    PlotExplorer* explorer_;
    QMenu* menu_;
    QMenu* plotList_ = nullptr;
    bool iconsLoaded_ = false;
};

}  // namespace plots
