#include "plots/ui/ExploreBar.h"

#include "common/Dialogs.h"
#include "plots/render/VectorPicture.h"
#include "plots/run/Viewer.h"
#include "plots/ui/PictureBox.h"
#include "plots/ui/PlotExplorer.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QShortcut>
#include <QStyle>
#include <QToolButton>

#include <utility>

namespace plots {

namespace {

constexpr const char* HelpText =
    "Exploring a plot:\r\n"
    "  Drag a box over the plot to zoom into it; the mouse wheel zooms about the cursor.\r\n"
    "  Shift+drag or drag with the middle button to pan.  From the keyboard: + and - zoom,\r\n"
    "  Ctrl+arrows pan.\r\n"
    "  Escape, U or Home: back to the plot as it was drawn.  Alt+Left / Alt+Right: back and forward.\r\n"
    "  The line under the plot shows the values under the mouse; resting on a curve, or S,\r\n"
    "  shows its nearest point.\r\n"
    "  Page Up / Page Down: the previous and the next plot.  Right click: the run's plots,\r\n"
    "  copy (Ctrl+C) and export of the plot's data.\r\n"
    "\r\n"
    "Keys: Ctrl+O open, Ctrl+S save as, Ctrl+P print, Ctrl+Tab / Ctrl+Shift+Tab between the tabs,\r\n"
    "Alt+Q quit the run, F1 this help.";

QToolButton* ToolButton(QWidget* parent, const QString& name, const QString& tip)
{
    auto* b = new QToolButton(parent);
    b->setObjectName(name);
    b->setToolTip(tip);
    b->setAutoRaise(true);
    return b;
}

}  // namespace

ExploreBar::ExploreBar(QWidget& window, Viewer& viewer, PictureBox& box, QLabel& statusLine, tk::Dialogs& dialogs,
                       std::function<bool()> plotShown)
    : QWidget(&window), window_(window), viewer_(viewer), dialogs_(dialogs), plotShown_(std::move(plotShown)),
      explorer_(new PlotExplorer(box, viewer, statusLine, this))
{
    setObjectName("ExploreBar");
    cmdHome = ToolButton(this, "cmdHome", "Home: the plot as it was drawn (Escape)");
    cmdBack = ToolButton(this, "cmdBack", "Back (Alt+Left)");
    cmdForward = ToolButton(this, "cmdForward", "Forward (Alt+Right)");
    cmdPrevious = ToolButton(this, "cmdPrevious", "Previous plot (Page Up)");
    cmdPlots = new QToolButton(this);
    cmdPlots->setObjectName("cmdPlots");
    cmdPlots->setText("Plots");
    cmdPlots->setToolTip("The run's plots, copy and data export");
    cmdPlots->setPopupMode(QToolButton::InstantPopup);
    cmdPlots->setAutoRaise(true);
    menu_ = BuildMenu(this);
    cmdPlots->setMenu(menu_);

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    for (QWidget* w : {static_cast<QWidget*>(cmdHome), static_cast<QWidget*>(cmdBack),
                       static_cast<QWidget*>(cmdForward), static_cast<QWidget*>(cmdPrevious)})
        row->addWidget(w);
    row->addWidget(cmdPlots, 1);

    connect(cmdHome, &QToolButton::clicked, this, [this] { explorer_->Home(); });
    connect(cmdBack, &QToolButton::clicked, this, [this] { explorer_->Back(); });
    connect(cmdForward, &QToolButton::clicked, this, [this] { explorer_->Forward(); });
    connect(cmdPrevious, &QToolButton::clicked, this, [this] { viewer_.cmdPrevious_Click(); });
    explorer_->OnChanged = [this] {
        if (explorer_->IsZoomed()) Touch();
        UpdateStates();
    };

    AddKey(Qt::Key_Escape, [this] { explorer_->Home(); });
    AddKey(Qt::Key_U, [this] { explorer_->Home(); });
    AddKey(Qt::Key_Home, [this] { explorer_->Home(); });
    AddKey(QKeySequence(Qt::ALT | Qt::Key_Left), [this] { explorer_->Back(); });
    AddKey(QKeySequence(Qt::ALT | Qt::Key_Right), [this] { explorer_->Forward(); });
    AddKey(Qt::Key_S, [this] { explorer_->SnapNow(); });
    // The keyboard zooms about the mouse or the plot's middle, and pans by a tenth of the frame.
    for (const int in : {int(Qt::Key_Plus), int(Qt::Key_Equal)}) AddKey(in, [this] { explorer_->ZoomByKey(1); });
    AddKey(Qt::Key_Minus, [this] { explorer_->ZoomByKey(-1); });
    AddKey(QKeySequence(Qt::CTRL | Qt::Key_Left), [this] { explorer_->PanByKey(-0.1, 0); });
    AddKey(QKeySequence(Qt::CTRL | Qt::Key_Right), [this] { explorer_->PanByKey(0.1, 0); });
    AddKey(QKeySequence(Qt::CTRL | Qt::Key_Up), [this] { explorer_->PanByKey(0, 0.1); });
    AddKey(QKeySequence(Qt::CTRL | Qt::Key_Down), [this] { explorer_->PanByKey(0, -0.1); });
    AddKey(Qt::Key_PageUp, [this] { viewer_.cmdPrevious_Click(); });
    AddKey(QKeySequence::Copy, [this] { CopyPlot(); });
    AddKey(Qt::Key_F1, [this] { ShowHelp(); }, false);

    box.setContextMenuPolicy(Qt::CustomContextMenu);
    connect(&box, &QWidget::customContextMenuRequested, this,
            [this, &box](const QPoint& at) { PopUpMenu(box.mapToGlobal(at)); });
    UpdateStates();
}

void ExploreBar::setVisible(bool visible)
{
    // The icons come from the desktop's icon theme, whose loading costs more than the rest of
    // the window's controls together; the bar is hidden until the user first explores, so they
    // are loaded when it is first shown, before it is laid out and painted.
    if (visible && !iconsLoaded_) {
        iconsLoaded_ = true;
        const std::pair<QToolButton*, QStyle::StandardPixmap> icons[] = {
            {cmdHome, QStyle::SP_DirHomeIcon},
            {cmdBack, QStyle::SP_ArrowBack},
            {cmdForward, QStyle::SP_ArrowForward},
            {cmdPrevious, QStyle::SP_MediaSkipBackward},
        };
        for (const auto& [button, icon] : icons) button->setIcon(style()->standardIcon(icon));
    }
    QWidget::setVisible(visible);
}

QMenu* ExploreBar::BuildMenu(QWidget* parent)
{
    // The keys are the window's; the menu only names them.
    auto* menu = new QMenu(parent);
    menu->setObjectName("mnuExplore");
    menu->addAction("Pre&vious\tPgUp", this, [this] { viewer_.cmdPrevious_Click(); })
        ->setObjectName("mnuPrevious");
    plotList_ = menu->addMenu("&Go to plot");
    plotList_->setObjectName("mnuPlotList");
    menu->addSeparator();
    menu->addAction("&Home\tEsc", this, [this] { explorer_->Home(); })->setObjectName("mnuHome");
    menu->addAction("&Back\tAlt+Left", this, [this] { explorer_->Back(); })->setObjectName("mnuBack");
    menu->addAction("&Forward\tAlt+Right", this, [this] { explorer_->Forward(); })
        ->setObjectName("mnuForward");
    menu->addSeparator();
    menu->addAction("&Copy\tCtrl+C", this, [this] { CopyPlot(); })->setObjectName("mnuCopy");
    menu->addAction("Export &data ...", this, [this] { viewer_.ExportShownData(); })->setObjectName("mnuExportData");
    menu->addSeparator();
    menu->addAction("&Keys and mouse ...\tF1", this, [this] { ShowHelp(); })->setObjectName("mnuHelp");
    connect(menu, &QMenu::aboutToShow, this, [this] {
        Touch();
        UpdateStates();
        FillPlotList();
    });
    return menu;
}

void ExploreBar::FillPlotList()
{
    plotList_->clear();
    const std::vector<std::string> titles = viewer_.StepTitles();
    const std::optional<std::size_t> shown = viewer_.ShownStep();
    for (std::size_t i = 0; i < titles.size(); ++i) {
        QAction* a = plotList_->addAction(QString::fromStdString(titles[i]), this, [this, i] { viewer_.ShowStep(i); });
        a->setCheckable(true);
        a->setChecked(shown == i);
    }
    plotList_->setEnabled(!titles.empty());
}

void ExploreBar::AddKey(const QKeySequence& key, std::function<void()> action, bool plotPageOnly)
{
    auto* shortcut = new QShortcut(key, &window_);
    connect(shortcut, &QShortcut::activated, this, [this, action = std::move(action), plotPageOnly] {
        if (plotPageOnly && !plotShown_()) return;
        Touch();
        action();
    });
}

void ExploreBar::Touch()
{
    if (OnTouched) OnTouched();
}

void ExploreBar::UpdateStates()
{
    const bool plot = viewer_.ShownView() != nullptr;
    cmdHome->setEnabled(plot && explorer_->IsZoomed());
    cmdBack->setEnabled(plot && explorer_->CanBack());
    cmdForward->setEnabled(plot && explorer_->CanForward());
    cmdPrevious->setEnabled(viewer_.CanShowPrevious());
    for (QAction* a : menu_->actions()) {
        const QString name = a->objectName();
        if (name == "mnuPrevious") a->setEnabled(cmdPrevious->isEnabled());
        if (name == "mnuHome") a->setEnabled(cmdHome->isEnabled());
        if (name == "mnuBack") a->setEnabled(cmdBack->isEnabled());
        if (name == "mnuForward") a->setEnabled(cmdForward->isEnabled());
        if (name == "mnuExportData") a->setEnabled(plot);
        if (name == "mnuCopy") a->setEnabled(viewer_.ShownKind().has_value());
    }
}

void ExploreBar::CopyPlot()
{
    if (!viewer_.ShownKind()) return;
    const QImage picture = viewer_.Canvas().Picture();
    auto* mime = new QMimeData;
    mime->setImageData(picture);
    const QByteArray svg =
        DrawSvg(picture.width(), picture.height(), [this](Surface& s) { viewer_.DrawShownOn(s); });
    if (!svg.isEmpty()) mime->setData("image/svg+xml", svg);
    QGuiApplication::clipboard()->setMimeData(mime);
}

void ExploreBar::ShowHelp()
{
    dialogs_.Show(HelpText, "Plots from Tavrick Ent.", tk::MsgIcon::Information, tk::MsgButtons::Ok);
}

void ExploreBar::PopUpMenu(QPoint globalPos)
{
    Touch();
    UpdateStates();
    menu_->popup(globalPos);
}

}  // namespace plots
