#include "plots/ui/frmPlots.h"

#include "plots/ui/ListingFeed.h"

#include "common/Paths.h"
#include "common/Text.h"
#include "common/TextFile.h"

#include "plots/run/CommandStates.h"
#include "plots/run/Startup.h"
#include "plots/ui/ExploreBar.h"
#include "plots/ui/PictureBox.h"
#include "plots/ui/PlotExplorer.h"
#include "plots/ui/SettingsPanel.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFontDatabase>
#include <QLabel>
#include <QMimeData>
#include <QUrl>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>
#include <QShortcut>
#include <QTabBar>
#include <QTextEdit>
#include <QTabWidget>
#include <QWindow>

#include <utility>

namespace plots {

namespace {

// The window's design: its inner size and the places of its chief controls, in twips.
constexpr int DesignWidth = 12000, DesignHeight = 8700;
constexpr int TabsLeft = 60, TabsTop = 60, TabsWidth = 11880, TabsHeight = 8580;
constexpr int TabStripHeight = 311;  // the tabs themselves, above the pages
constexpr int PanelWidth = 11820, PanelHeight = 7440;
constexpr int SurfaceHeight = 7450;
constexpr int ListingHeight = 8190;
constexpr int ButtonTop = 7950, ButtonWidth = 2160, ButtonHeight = 480;
constexpr int ButtonColumn[5] = {195, 2505, 4815, 7125, 9435};

int Px(int twips) { return (twips + 7) / 15; }

}  // namespace

std::string CaptionFor(const std::string& plotBase)
{
    const std::string caption = "Plots from Tavrick Ent.";
    std::string directory;
    const std::string name = SplitPath(plotBase, directory);
    return name.empty() ? caption : name + " ... " + caption;
}

frmPlots::frmPlots(tk::Registry registry, tk::Dialogs* dialogs)
    : registry_(std::move(registry)),
      ownDialogs_(dialogs ? nullptr : std::make_unique<tk::QtDialogs>(this)),
      dialogs_(dialogs ? *dialogs : *ownDialogs_),
      surface_(std::make_unique<ImageSurface>(Px(PanelWidth - 10), Px(SurfaceHeight))),
      viewer_(std::make_unique<Viewer>(*this, dialogs_, *surface_))
{
    setObjectName("frmPlots");
    setWindowTitle("Plots from Tavrick Ent.");
    QFont font("Arial");
    font.setPointSizeF(8.25);
    setFont(font);
    BuildControls();
    Form_Load();
}

frmPlots::~frmPlots()
{
    // The controls refer to the viewer and its surface, so they go before them.
    surface_->OnRefresh = nullptr;
    pageControls_.clear();
    qDeleteAll(findChildren<QWidget*>(Qt::FindDirectChildrenOnly));
}

QPushButton* frmPlots::AddButton(const QString& caption, const QString& name, int tab, int left)
{
    auto* b = new QPushButton(caption, this);
    b->setObjectName(name);
    SetTwips(b, left, ButtonTop, ButtonWidth, ButtonHeight);
    OnTab(b, tab);
    return b;
}

void frmPlots::OnTab(QWidget* control, int tab) { pageControls_.emplace_back(control, tab); }

void frmPlots::BuildControls()
{
    resize(Px(DesignWidth), Px(DesignHeight));

    Plot_Tabs = new QTabWidget(this);
    Plot_Tabs->setObjectName("Plot_Tabs");
    // The pages are drawn by the strip; their controls belong to the window, as designed.
    for (const char* caption : {"Setup", "Input", "Output", "Plot"}) Plot_Tabs->addTab(new QWidget, caption);
    SetTwips(Plot_Tabs, TabsLeft, TabsTop, TabsWidth, TabsHeight);
    connect(Plot_Tabs, &QTabWidget::currentChanged, this, [this] {
        ShowPageControls();
        // A run started while another tab was shown (a plot file read at start-up) left the
        // axis boxes as that tab had them.
        if (settings && CurrentTab() == TabSetup) settings->ShowAxisFields();
    });

    settings = new SettingsPanel(*viewer_, registry_, dialogs_, [this] { return CurrentTab() == TabSetup; }, this);
    SetTwips(settings, 0, 0, PanelWidth, PanelHeight);
    OnTab(settings, TabSetup);

    tbInBox = new QTextEdit(this);
    tbInBox->setObjectName("tbInBox");
    OnTab(tbInBox, TabInput);
    tbOutBox = new QTextEdit(this);
    tbOutBox->setObjectName("tbOutBox");
    OnTab(tbOutBox, TabOutput);
    // The listings are in the desktop's fixed-pitch font, so that the solver tables and the
    // summary's columns line up.
    QFont listingFont = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    listingFont.setPointSizeF(font().pointSizeF());
    for (QTextEdit* box : {tbInBox, tbOutBox}) {
        box->setReadOnly(true);
        box->setLineWrapMode(QTextEdit::NoWrap);
        box->setAcceptRichText(false);
        box->setFont(listingFont);
    }
    SetListingTabStops();
    inFeed_ = new ListingFeed(tbInBox, inText_);
    outFeed_ = new ListingFeed(tbOutBox, outText_);

    picBox = new PictureBox(*surface_, [this] { viewer_->Redraw(); }, this);
    picBox->setObjectName("picBox");
    picBox->setProperty(tk::ControlTypeProperty, "PictureBox");
    OnTab(picBox, TabPlot);

    cmdPlotResults = AddButton("&Plot results >>", "cmdPlotResults", TabSetup, ButtonColumn[0]);
    cmdOpen = AddButton("&Open Plot File ...", "cmdOpen", TabSetup, ButtonColumn[1]);
    cmdSaveOptions = AddButton("&Save Settings", "cmdSaveOptions", TabSetup, ButtonColumn[2]);
    cmdAbout = AddButton("&About", "cmdAbout", TabSetup, ButtonColumn[3]);
    cmdExit = AddButton("E&xit Plots", "cmdExit", TabSetup, ButtonColumn[4]);
    cmdSaveAs = AddButton("Save &As ...", "cmdSaveAs", TabPlot, ButtonColumn[0]);
    cmdPrint = AddButton("&Print ...", "cmdPrint", TabPlot, ButtonColumn[1]);
    cmdNext = AddButton("&Next >>", "cmdNext", TabPlot, ButtonColumn[3]);
    cmdQuit = AddButton("Quit", "cmdQuit", TabPlot, ButtonColumn[4]);

    // A short line under the plot's buttons for notices that go by themselves.
    lblNotice = new QLabel(this);
    lblNotice->setObjectName("lblNotice");
    // Inside the page, clear of its lower border; the font is made to fit its height.
    SetTwips(lblNotice, ButtonColumn[0], ButtonTop + ButtonHeight + 15, TabsWidth - 2 * ButtonColumn[0],
             TabsTop + TabsHeight - 30 - (ButtonTop + ButtonHeight + 15));
    OnTab(lblNotice, TabPlot);
    noticeTimer_.setSingleShot(true);
    noticeTimer_.setInterval(NoticeMs);
    connect(&noticeTimer_, &QTimer::timeout, lblNotice, &QLabel::clear);
    lblReadout = new QLabel(this);
    lblReadout->setObjectName("lblReadout");
    lblReadout->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    SetTwips(lblReadout, ButtonColumn[0], ButtonTop + ButtonHeight + 15, TabsWidth - 2 * ButtonColumn[0], 240);
    OnTab(lblReadout, TabPlot);

    // In the free place of the plot page's buttons, once the user explores.
    exploreBar = new ExploreBar(*this, *viewer_, *picBox, *lblReadout, dialogs_, [this] { return CurrentTab() == TabPlot; });
    SetTwips(exploreBar, ButtonColumn[2], ButtonTop, ButtonWidth, ButtonHeight);
    OnTab(exploreBar, TabPlot);
    hiddenByCode_.insert(exploreBar);
    exploreBar->OnTouched = [this] {
        if (hiddenByCode_.erase(exploreBar)) ShowPageControls();
    };
    viewer_->WhenPlotDrawn([this](PlotKind) {
        exploreBar->Explorer().NewPlot();
    });
    AddCommandKeys();

    // The shown run's data file is watched: a solver that writes it again has its new run shown.
    dataWatch_ = new DataFileWatch([this](const std::string&) { viewer_->ReloadDataFile(); },
                                   [this](const std::string&, const std::string& lacks) { viewer_->DataFileStalled(lacks); },
                                   this);
    viewer_->WhenDataFileRead([this](const std::string& path) { dataWatch_->Watch(path); });

    // A plot data file or picture dropped on the window opens as the open command opens it.
    setAcceptDrops(true);

    Viewer& v = *viewer_;
    connect(cmdPlotResults, &QPushButton::clicked, this, [&v] { v.cmdPlotResults_Click(); });
    connect(cmdOpen, &QPushButton::clicked, this, [&v] { v.cmdOpen_Click(); });
    connect(cmdExit, &QPushButton::clicked, this, [&v] { v.cmdExit_Click(); });
    connect(cmdSaveOptions, &QPushButton::clicked, this, [this] { cmdSaveOptions_Click(); });
    // "&About" has nothing to show.
    connect(cmdSaveAs, &QPushButton::clicked, this, [&v] { v.cmdSaveAs_Click(); });
    connect(cmdPrint, &QPushButton::clicked, this, [&v] { v.cmdPrint_Click(); });
    connect(cmdNext, &QPushButton::clicked, this, [&v] { v.cmdNext_Click(); });
    connect(cmdQuit, &QPushButton::clicked, this, [&v] { v.cmdQuit_Click(); });
    ShowPageControls();
}

void frmPlots::AddCommandKeys()
{
    const auto key = [this](const QKeySequence& sequence, std::function<void()> action) {
        connect(new QShortcut(sequence, this), &QShortcut::activated, this, std::move(action));
    };
    const auto click = [](QPushButton* b) {
        if (b->isVisible() && b->isEnabled()) b->click();
    };
    key(QKeySequence(Qt::CTRL | Qt::Key_O), [this, click] { click(cmdOpen); });
    key(QKeySequence(Qt::CTRL | Qt::Key_S), [this, click] { click(cmdSaveAs); });
    key(QKeySequence(Qt::CTRL | Qt::Key_P), [this, click] { click(cmdPrint); });
    // "Quit" has no mnemonic in its caption; Alt+Q is free on every page.
    key(QKeySequence(Qt::ALT | Qt::Key_Q), [this, click] { click(cmdQuit); });
    key(QKeySequence(Qt::Key_PageDown), [this, click] { click(cmdNext); });
    // Ctrl+Tab and Ctrl+Shift+Tab step to the next or previous tab that can be chosen.
    const auto step = [this](int by) {
        const int n = Plot_Tabs->count();
        for (int i = 1; i < n; ++i) {
            const int tab = ((CurrentTab() + by * i) % n + n) % n;
            if (Plot_Tabs->isTabEnabled(tab)) return ShowTab(tab);
        }
    };
    key(QKeySequence(Qt::CTRL | Qt::Key_Tab), [step] { step(1); });
    key(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), [step] { step(-1); });
    key(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab), [step] { step(-1); });
}

void frmPlots::Form_Load()
{
    ShowTab(TabSetup);
    viewer_->Run().RewindFiles();
    settings->ApplyBlackAndWhite();
    settings->UpdateXFields();
    settings->UpdateYFields();
    settings->SetGridDefaults();
    viewer_->Run().UseSettingsKey(SettingsSubkey);
    settings->ClearAxisChecks();
    settings->LoadSettings();
    settings->UpdateXFields();
    settings->UpdateYFields();

    ApplyCommandStates(*this, RunEvent::Loaded);

    // The pages' controls are placed from the tab strip: the settings panel just below the
    // tabs, the plot surface over the panel, the listings where the surface is.
    const int panelLeft = TabsLeft + 10, panelTop = TabsTop + TabStripHeight;
    SetTwips(settings, panelLeft, panelTop, PanelWidth, PanelHeight);
    const int surfaceLeft = panelLeft + 10, surfaceTop = panelTop - 10, surfaceWidth = PanelWidth - 10;
    SetTwips(picBox, surfaceLeft, surfaceTop, surfaceWidth, SurfaceHeight);
    SetTwips(tbOutBox, surfaceLeft, surfaceTop, surfaceWidth, ListingHeight);
    SetTwips(tbInBox, surfaceLeft, surfaceTop, surfaceWidth, ListingHeight);
    picBox->FitSurface();

    resizer_ = std::make_unique<tk::FormResizer>(this);
    resizer_->RecordLayout();
    loaded_ = true;

    // Maximised: the whole work area, also where no window manager maximises for us.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) setGeometry(screen->availableGeometry());
    showMaximized();
    picBox->FitSurface();
}

void frmPlots::WaitUntilShown()
{
    // A window manager maximises the window once it is mapped; the first plot is drawn at the
    // size it is seen at, not at the designed size and then scaled.
    // The loop sleeps between events: the display server and the window manager, which map the
    // window, get the processor meanwhile. A timer wakes it to give up after three seconds.
    QElapsedTimer waited;
    waited.start();
    QTimer giveUp;
    giveUp.start(3000);
    while (!(windowHandle() && windowHandle()->isExposed()) && waited.elapsed() < 3000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    QCoreApplication::processEvents();
    picBox->FitSurface();
}

QPushButton* frmPlots::CommandButton(Command c) const
{
    switch (c) {
    case Command::OpenPlotFile: return cmdOpen;
    case Command::PlotResults: return cmdPlotResults;
    case Command::Next: return cmdNext;
    case Command::SaveAs: return cmdSaveAs;
    case Command::Print: return cmdPrint;
    case Command::Quit: return cmdQuit;
    case Command::SaveSettings: return cmdSaveOptions;
    case Command::ExitPlots: return cmdExit;
    case Command::About: return cmdAbout;
    case Command::Count: break;
    }
    return nullptr;
}

bool frmPlots::CommandVisible(Command c) const { return hiddenByCode_.count(CommandButton(c)) == 0; }

void frmPlots::ShowPageControls()
{
    const int tab = Plot_Tabs->currentIndex();
    for (const auto& [control, page] : pageControls_) control->setVisible(page == tab && !hiddenByCode_.count(control));
}

// The listings' columns are tab-separated; the stops follow the font as it is rescaled.
void frmPlots::SetListingTabStops()
{
    for (QTextEdit* box : {tbInBox, tbOutBox})
        box->setTabStopDistance(QFontMetricsF(box->font()).horizontalAdvance(QLatin1Char(' ')) * 8);
}

void frmPlots::Unload() { close(); }

void frmPlots::ShowNotice(const std::string& text)
{
    ShowStandingNotice(text);
    noticeTimer_.start();
}

void frmPlots::ShowStandingNotice(const std::string& text)
{
    noticeTimer_.stop();
    lblNotice->setText(QString::fromStdString(tk::DisplayName(text)));
    tk::FitCaptions(lblNotice);
}

namespace {

// The local file a drag carries, when it is a plot data file or a picture plot.
std::string DroppedPlotFile(const QMimeData* mime)
{
    if (!mime || !mime->hasUrls() || mime->urls().size() != 1 || !mime->urls().front().isLocalFile()) return {};
    const std::string path = QFile::encodeName(mime->urls().front().toLocalFile()).toStdString();
    const std::string ext = tk::ExtensionOf(path);
    for (const char* kind : {".plt", ".2lt", ".gif"})
        if (tk::EqualsNoCase(ext, kind)) return path;
    return {};
}

}  // namespace

void frmPlots::dragEnterEvent(QDragEnterEvent* event)
{
    if (!DroppedPlotFile(event->mimeData()).empty()) event->acceptProposedAction();
}

void frmPlots::dropEvent(QDropEvent* event)
{
    const std::string path = DroppedPlotFile(event->mimeData());
    if (path.empty()) return;
    event->acceptProposedAction();
    // A run under way ends first, as Quit ends it, since a file is opened between runs.
    if (!cmdOpen->isEnabled()) viewer_->cmdQuit_Click();
    viewer_->OpenChosenFile(path);
}

void frmPlots::closeEvent(QCloseEvent* event)
{
    if (!unloaded_) {
        unloaded_ = true;
        StopListing();
        outFeed_->Follow(nullptr);
        viewer_->Run().UseSettingsKey(tk::CompanyKey);
        ClearHandOver(registry_);
        viewer_->Run().CloseData();
    }
    event->accept();
}

void frmPlots::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (!loaded_) return;
    resizer_->ApplyLayout();
    picBox->ScheduleFit();
    SetListingTabStops();
}

void frmPlots::EnableSettings(bool flag)
{
    settings->EnableSettings(flag);
    SetCommandVisible(Command::SaveSettings, flag);
}

void frmPlots::cmdSaveOptions_Click() { settings->SaveSettings(); }

void frmPlots::ShowTab(int index) { Plot_Tabs->setCurrentIndex(index); }
int frmPlots::CurrentTab() const { return Plot_Tabs->currentIndex(); }

void frmPlots::SetTabCaption(int index, const std::string& caption)
{
    Plot_Tabs->setTabText(index, QString::fromStdString(caption));
}

void frmPlots::SetTabEnabled(int index, bool enabled) { Plot_Tabs->setTabEnabled(index, enabled); }

void frmPlots::SetCommandEnabled(Command c, bool enabled)
{
    if (QPushButton* b = CommandButton(c)) b->setEnabled(enabled);
}

void frmPlots::SetCommandVisible(Command c, bool visible)
{
    QPushButton* b = CommandButton(c);
    if (!b) return;
    if (visible)
        hiddenByCode_.erase(b);
    else
        hiddenByCode_.insert(b);
    ShowPageControls();
}

void frmPlots::FocusCommand(Command c)
{
    if (QPushButton* b = CommandButton(c)) b->setFocus();
}

void frmPlots::ShowFilename() { setWindowTitle(QString::fromStdString(tk::DisplayName(CaptionFor(viewer_->Run().PlotBase())))); }

void frmPlots::FatalExit(const std::string& text)
{
    fatalExit_ = true;
    dialogs_.Show(text, "Must exit!", tk::MsgIcon::Exclamation, tk::MsgButtons::Ok);
    Unload();
}

bool frmPlots::ListingsLoading() const { return inFeed_->Pending() || outFeed_->Pending(); }

void frmPlots::SetOutputText(const std::string& text)
{
    StopListing();
    outText_ = text;
    outText_.shrink_to_fit();  // a large listing's room goes with it
    outFeed_->Replaced();
}

void frmPlots::AppendOutput(const std::string& text)
{
    if (outListing_) {
        outAfter_ += text;
        return;
    }
    outText_ += text;
    outFeed_->Extended();
}

namespace {

// A listing is read this much at a time: its start is in the box at once, and each later part
// takes the event loop a moment, not seconds.
constexpr std::size_t ListingPartBytes = 256 * 1024;

}  // namespace

void frmPlots::AppendListing(std::unique_ptr<ListingReader> listing, std::function<std::string(bool)> end)
{
    // One still going in goes in whole first, to keep the order (a run reads one listing).
    while (outListing_ && ReadListingPart()) {
    }
    outListing_ = std::move(listing);
    outListingEnd_ = std::move(end);
    // Room for the whole text at once: grown by doubling, a large listing's bytes would be held
    // twice while they are copied, and their last copy would be up to twice their size.
    outText_.reserve(outText_.size() + outListing_->FileBytes() + outListing_->FileBytes() / 16);
    const bool more = ReadListingPart();
    outFeed_->Extended();
    if (more) outFeed_->Follow([this] { return ReadListingPart(); });
}

bool frmPlots::ReadListingPart()
{
    if (!outListing_) return false;
    if (outListing_->Read(outText_, ListingPartBytes)) return true;
    const bool complete = outListing_->Complete();
    outListing_.reset();
    outText_ += std::exchange(outListingEnd_, nullptr)(complete);
    outText_ += std::exchange(outAfter_, std::string());
    return false;
}

void frmPlots::StopListing()
{
    outListing_.reset();
    outListingEnd_ = nullptr;
    outAfter_.clear();
}

void frmPlots::SetInputText(const std::string& text)
{
    inText_ = text;
    inFeed_->Replaced();
}

void frmPlots::AppendInput(const std::string& text)
{
    inText_ += text;
    inFeed_->Extended();
}

}  // namespace plots
