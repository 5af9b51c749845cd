#include "Pitchwell/frmMain.h"

#include "Pitchwell/CataloguePage.h"
#include "Pitchwell/Documents.h"
#include "Pitchwell/LauncherApp.h"
#include "Pitchwell/RegistrationPage.h"
#include "Pitchwell/Startup.h"
#include "Pitchwell/VideoPage.h"
#include "Pitchwell/frmAbout.h"
#include "Pitchwell/LauncherCommands.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QTabWidget>
#include <QTextBrowser>

namespace pitchwell {

namespace {

constexpr int Px(int twips) { return twips / tk::TwipsPerPixel; }

QLabel* MakeLabel(const char* name, const QString& text, QWidget* parent, QRect place, double points, bool bold = false)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QFont f = label->font();
    f.setPointSizeF(points);
    f.setBold(bold);
    label->setFont(f);
    label->setGeometry(place);
    return label;
}

QTextBrowser* MakeDocument(const char* name, const std::string& html, QWidget* page)
{
    auto* box = new QTextBrowser(page);
    box->setObjectName(name);
    box->setReadOnly(true);
    box->setOpenLinks(false);
    box->setHtml(QString::fromStdString(html));
    return box;
}

// A page of its own, so that a page built by another class keeps its own layout.
QWidget* EmptyPage(const char* name)
{
    auto* page = new QWidget;
    page->setObjectName(name);
    return page;
}

}  // namespace

frmMain::frmMain(LauncherApp& app, QWidget* parent) : QMainWindow(parent), app_(app), resizer_(this)
{
    setObjectName("frmMain");
    setWindowTitle("Marketing of Quazelle");
    auto* client = new QWidget(this);
    client->setObjectName("frmMainClient");
    client->setMouseTracking(true);
    client->installEventFilter(this);
    setCentralWidget(client);
    QFont base("Arial");
    base.setPointSizeF(9);
    setFont(base);

    BuildMenus();
    lblTitle = MakeLabel("lblTitle", "Multi-Level Marketing of Quazelle", client, {Px(300), Px(60), Px(13800), Px(420)},
                         14, true);
    lblTitle->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    BuildPages();
    resize(Px(DesignClientWidthTwips), Px(DesignClientHeightTwips) + menuBar()->sizeHint().height());
}

frmMain::~frmMain() = default;

void frmMain::BuildMenus()
{
    QMenu* file = menuBar()->addMenu("&File");
    file->setObjectName("mnuFile");
    mnuFileVideo = file->addAction("&Video");
    mnuFileVideo->setObjectName("mnuFileVideo");
    mnuFilePrinterSetup = file->addAction("Printer Set&up...");
    mnuFilePrinterSetup->setObjectName("mnuFilePrinterSetup");
    file->addSeparator();
    mnuFileExit = file->addAction("E&xit");
    mnuFileExit->setObjectName("mnuFileExit");
    QMenu* help = menuBar()->addMenu("&Help");
    help->setObjectName("mnuHelp");
    mnuHelpAbout = help->addAction("&About ...");
    mnuHelpAbout->setObjectName("mnuHelpAbout");

    connect(mnuFilePrinterSetup, &QAction::triggered, this, &frmMain::mnuFilePrinterSetup_Click);
    connect(mnuFileExit, &QAction::triggered, this, &frmMain::mnuFileExit_Click);
    connect(mnuHelpAbout, &QAction::triggered, this, &frmMain::mnuHelpAbout_Click);
}

void frmMain::BuildPages()
{
    ODE_tabs = new QTabWidget(centralWidget());
    ODE_tabs->setObjectName("ODE_tabs");
    ODE_tabs->setGeometry(Px(300), Px(560), Px(13800), Px(10120));
    // Scaled as a whole, its top included, like a frame: with its top fixed, the pages would run
    // out of the bottom of a small window and into the title of a large one.
    ODE_tabs->setProperty(tk::ControlTypeProperty, "Frame");
    ODE_tabs->setUsesScrollButtons(true);
    LauncherContext& ctx = app_.Context;

    QWidget* business = EmptyPage("pageBusiness");
    lblIBO = MakeLabel("lblIBO", "Independent Business Ownership (IBO) Opportunity", business,
                       {Px(450), Px(450), Px(12600), Px(500)}, 12, true);
    lblIBO1 = MakeLabel("lblIBO1",
                        "Do you know someone that has difficult math problems to solve? Or do you know someone who "
                        "knows people/companies trying to solve engineering and/or science problems?",
                        business, {Px(450), Px(1300), Px(12600), Px(1100)}, 10);
    lblIBO2 = MakeLabel("lblIBO2",
                        "Either way could lead to some Supplemental Income for you. If interested, fill out the "
                        "registration form. Print it and mail it with a check for US$20 to IBO Registration Dept., "
                        "Tavrick Enterprise, 1432 Larkspur Lane, Suite 9, Millbrook Falls, OR 97999, USA. "
                        "(The registration fee is due yearly.)",
                        business, {Px(450), Px(2600), Px(12600), Px(1600)}, 10);

    QWidget* basics = EmptyPage("pageBasics");
    rtfBasics = MakeDocument("rtfBasics", BasicPlanDocument(), basics);
    QWidget* rules = EmptyPage("pageRules");
    rtfRules = MakeDocument("rtfRules", RulesDocument(), rules);
    QWidget* history = EmptyPage("pageHistory");
    rtfHistory = MakeDocument("rtfHistory", HistoryDocument(), history);
    QWidget* prosNcons = EmptyPage("pageProsNcons");
    rtfProsNcons = MakeDocument("rtfProsNcons", ProsAndConsDocument(), prosNcons);
    for (QTextBrowser* box : {rtfBasics, rtfRules, rtfHistory, rtfProsNcons})
        box->setGeometry(Px(300), Px(300), Px(8640), Px(5000));

    registrationPage = new RegistrationPage(ctx);
    cataloguePage = new CataloguePage(ctx);
    videoPage = new VideoPage(ctx);

    ODE_tabs->addTab(business, "Busin&ess Opportunity");
    ODE_tabs->addTab(basics, "Basic &Plan");
    ODE_tabs->addTab(rules, "R&ules");
    ODE_tabs->addTab(history, "QZ Histor&y");
    ODE_tabs->addTab(registrationPage, "&Registration");
    ODE_tabs->addTab(cataloguePage, "E&xample Problems");
    ODE_tabs->addTab(prosNcons, "QZ: Pros && Co&ns");
    ODE_tabs->addTab(videoPage, "&Videos");
    ODE_tabs->setCurrentIndex(0);

    connect(mnuFileVideo, &QAction::triggered, videoPage, &VideoPage::mnuFileVideo_Click);
    connect(videoPage, &VideoPage::ShowVideosPage, this, [this] { ODE_tabs->setCurrentWidget(videoPage); });
}

// The document boxes at the designed window size: 300 twips inside the tab page's left edge
// (Qt hides a whole page, so no hidden-page offset is added), 0.7 of the outer height high,
// the history 1000 twips shorter, the plan 1.2 times as wide as the other three.
void frmMain::PlaceDocumentBoxes()
{
    const int left = 300;
    const int height = static_cast<int>(0.7 * DesignOuterHeightTwips);
    int width = 6 * 1440;
    const int top = 300;
    auto place = [](QTextBrowser* box, int l, int t, int w, int h) { box->setGeometry(Px(l), Px(t), Px(w), Px(h)); };
    place(rtfHistory, left, top, width, height - 1000);
    place(rtfRules, left, top, width, height);
    place(rtfProsNcons, left, top, width, height);
    width = static_cast<int>(width * 1.2);
    place(rtfBasics, left, top, width, height);
}

bool frmMain::Form_Load()
{
    PlaceDocumentBoxes();
    LauncherPaths& paths = app_.Paths;
    tk::Dialogs& messages = app_.Context.Messages;
    if (!Start_Path(paths, messages))
        return false;
    const std::string date = app_.ShortDate.empty() ? TodayShortDate() : app_.ShortDate;
    if (!Start_INI(paths, messages, date))
        return false;
    if (app_.Printer.outputFormat() == QPrinter::PdfFormat && app_.Printer.outputFileName().isEmpty())
        app_.Printer.setOutputFileName(QString::fromStdString(paths.ProgDir + "/User/Registration.pdf"));

    paths.VideoFile = paths.OwnDir + "/video/qz-presentation.wmv";
    if (FileExists(messages, paths.VideoFile))
        videoPage->ApplyStartupVideoCheck();

    // The layout is recorded at the designed client size, whatever the window manager did so far.
    centralWidget()->resize(Px(DesignClientWidthTwips), Px(DesignClientHeightTwips));
    resizer_.RecordLayout();
    recorded_ = true;
    // Restored from maximised, the window keeps to a screen smaller than its design.
    resize(size().boundedTo(tk::ScreenRoom(this)));
    return true;
}

void frmMain::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    Form_Resize();
}

void frmMain::Form_Resize()
{
    if (!recorded_)
        return;
    if (resizer_.InnerWidth() >= 1000 && resizer_.InnerHeight() >= 1000)
        resizer_.ApplyLayout();
}

void frmMain::closeEvent(QCloseEvent* event)
{
    // Form_QueryUnload: closing is never refused.
    event->accept();
    QMainWindow::closeEvent(event);
}

void frmMain::keyPressEvent(QKeyEvent* event)
{
    // Ctrl+Tab and Ctrl+Shift+Tab step through the pages wherever the focus is. The tab control
    // takes them only from a control inside it, and after start-up, or on a page without a
    // control that takes the focus, the window itself holds the focus; what no control took
    // comes here.
    const bool tab = event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab;
    if (tab && (event->modifiers() & Qt::ControlModifier)) {
        QCoreApplication::sendEvent(ODE_tabs, event);
        return;
    }
    QMainWindow::keyPressEvent(event);
}

bool frmMain::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == centralWidget() && event->type() == QEvent::MouseMove)
        videoPage->Form_MouseMove();
    return QMainWindow::eventFilter(watched, event);
}

void frmMain::mnuFileExit_Click()
{
    close();
}

void frmMain::mnuFilePrinterSetup_Click()
{
    // Cancel keeps the printer as it was; nothing is reported.
    app_.Context.Messages.ChoosePrinter(app_.Printer, true);
}

void frmMain::mnuHelpAbout_Click()
{
    if (!about_)
        about_ = new frmAbout(this);
    about_->setWindowModality(Qt::ApplicationModal);
    about_->show();
    about_->raise();
    about_->activateWindow();
}

void frmMain::EndProgram()
{
    app_.EndProgram();
}

}  // namespace pitchwell
