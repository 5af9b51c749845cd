// The launcher's windows driven offscreen: the introduction, the main window's pages, captions,
// menus, document boxes, resizing and the About window.
#include "LauncherTestSupport.h"
#include "Pitchwell/Documents.h"
#include "Pitchwell/LauncherApp.h"
#include "Pitchwell/frmAbout.h"
#include "Pitchwell/frmIntro.h"
#include "Pitchwell/frmMain.h"
#include "Pitchwell/CataloguePage.h"
#include "Pitchwell/RegistrationPage.h"
#include "Pitchwell/VideoPage.h"
#include "support/ScriptedDialogs.h"
#include "support/WholeTexts.h"

#include <QApplication>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTabWidget>
#include <QTest>
#include <QTextBrowser>

#include <gtest/gtest.h>

using namespace pitchwell;
using launchertest::FreshDesktop;

namespace {

class NoStarter : public tk::ProgramStarter {
public:
    bool Start(const std::string&, const std::vector<std::string>&, std::string&) override { return true; }
    bool Open(const std::string&, std::string&) override { return true; }
    bool Edit(const std::string&, std::string&) override { return true; }
};

// An installed launcher in a fresh tree, brought up to its main window.
struct Launcher {
    FreshDesktop desk;
    tk::ScriptedDialogs dialogs;
    tk::Registry store{desk.Root + "/store"};
    NoStarter starter;
    std::unique_ptr<LauncherApp> app;

    explicit Launcher(const std::string& ownRelative = "tk-tools/Pitchwell")
    {
        const std::string own = desk.MakeDir(ownRelative);
        app = std::make_unique<LauncherApp>(own, dialogs, store, starter);
        app->ShortDate = "12/7/2026";
    }
    frmMain& Main()
    {
        app->ShowIntro();
        QTest::mouseClick(app->Intro()->cmdMLM, Qt::LeftButton);
        EXPECT_NE(app->Main(), nullptr);
        return *app->Main();
    }
};

int Twips(int pixels) { return pixels * tk::TwipsPerPixel; }

}  // namespace

TEST(LauncherWindows, IntroWindowHasItsCaptionTitleAndButtons)
{
    Launcher l;
    frmIntro* intro = l.app->ShowIntro();
    EXPECT_EQ(intro->windowTitle(), "Intro to MLM of Quazelle ");
    EXPECT_EQ(intro->lblTitleIntro->text(), QString::fromUtf8("Quazelle\u2122  Intro & Marketing"));
    EXPECT_FALSE(intro->lblSentence1->text().isEmpty());
    EXPECT_FALSE(intro->lblSentence2->text().isEmpty());
    EXPECT_EQ(intro->cmdMLM->text(), "&MLM Plan");
    EXPECT_EQ(intro->cmdExitIntro->text(), "E&xit");
    QTest::mouseClick(intro->cmdExitIntro, Qt::LeftButton);
    EXPECT_FALSE(intro->isVisible());
    EXPECT_EQ(l.app->Main(), nullptr);
}

TEST(LauncherWindows, MlmPlanOpensTheMainWindowWithItsPagesAndMenus)
{
    Launcher l;
    frmMain& main = l.Main();
    EXPECT_TRUE(l.dialogs.Boxes.empty());
    EXPECT_TRUE(main.isVisible());
    EXPECT_TRUE(main.isMaximized());
    EXPECT_EQ(main.windowTitle(), "Marketing of Quazelle");
    EXPECT_EQ(main.lblTitle->text(), "Multi-Level Marketing of Quazelle");

    const QStringList pages = {"Busin&ess Opportunity", "Basic &Plan", "R&ules", "QZ Histor&y",
                               "&Registration", "E&xample Problems", "QZ: Pros && Co&ns", "&Videos"};
    ASSERT_EQ(main.ODE_tabs->count(), pages.size());
    for (int i = 0; i < pages.size(); ++i)
        EXPECT_EQ(main.ODE_tabs->tabText(i), pages[i]) << i;
    EXPECT_EQ(main.ODE_tabs->currentIndex(), 0);
    EXPECT_EQ(main.ODE_tabs->widget(4), static_cast<QWidget*>(main.registrationPage));
    EXPECT_EQ(main.ODE_tabs->widget(5), static_cast<QWidget*>(main.cataloguePage));
    EXPECT_EQ(main.ODE_tabs->widget(7), static_cast<QWidget*>(main.videoPage));

    EXPECT_EQ(main.lblIBO->text(), "Independent Business Ownership (IBO) Opportunity");
    EXPECT_TRUE(main.lblIBO2->text().startsWith("Either way could lead to some Supplemental Income for you. If "
                                                "interested, fill out the registration form. Print it and mail it "
                                                "with a check for US$20 to IBO Registration Dept., Tavrick Enterprise, "));
    EXPECT_TRUE(main.lblIBO2->text().endsWith(". (The registration fee is due yearly.)"));

    const std::vector<std::pair<QTextBrowser*, QString>> documents = {
        {main.rtfBasics, "4 Ways to make Supplemental Income"}, {main.rtfBasics, "thru QZ Sales & Sponsoring."},
        {main.rtfRules, "Business Rules"},                      {main.rtfHistory, "History"},
        {main.rtfProsNcons, "Pros & Cons"},
    };
    for (const auto& [box, heading] : documents) {
        EXPECT_TRUE(box->isReadOnly());
        EXPECT_TRUE(box->toPlainText().contains(heading)) << heading.toStdString();
    }

    QList<QAction*> top = main.menuBar()->actions();
    ASSERT_EQ(top.size(), 2);
    EXPECT_EQ(top[0]->text(), "&File");
    EXPECT_EQ(top[1]->text(), "&Help");
    EXPECT_EQ(main.mnuFileVideo->text(), "&Video");
    EXPECT_EQ(main.mnuFilePrinterSetup->text(), "Printer Set&up...");
    EXPECT_EQ(main.mnuFileExit->text(), "E&xit");
    EXPECT_EQ(main.mnuHelpAbout->text(), "&About ...");

    // After start-up the current directory is the User directory.
    EXPECT_EQ(std::filesystem::current_path(), std::filesystem::path(l.app->Paths.ProgDir + "/User"));
    EXPECT_EQ(l.app->Paths.VideoFile, l.app->Paths.OwnDir + "/video/qz-presentation.wmv");
}

TEST(LauncherWindows, DocumentBoxesArePlacedAsDesigned)
{
    Launcher l;
    frmMain& main = l.Main();
    // Back at the designed size, the recorded fractions give the designed places.
    main.showNormal();
    main.resize(DesignClientWidthTwips / 15, DesignClientHeightTwips / 15 + main.menuBar()->height());
    QApplication::processEvents();
    ASSERT_EQ(main.centralWidget()->width(), DesignClientWidthTwips / 15);

    main.ODE_tabs->setCurrentIndex(1);
    QApplication::processEvents();
    EXPECT_TRUE(main.rtfBasics->isVisible());
    const int insideTabs = main.rtfBasics->mapTo(main.ODE_tabs, QPoint(0, 0)).x();
    EXPECT_NEAR(Twips(insideTabs), 300, 3 * 15);  // the page's own edge is a pixel or two inside

    const int height = static_cast<int>(0.7 * DesignOuterHeightTwips);
    EXPECT_NEAR(Twips(main.rtfRules->height()), height, 15);
    EXPECT_NEAR(Twips(main.rtfProsNcons->height()), height, 15);
    EXPECT_NEAR(Twips(main.rtfHistory->height()), height - 1000, 15);
    EXPECT_NEAR(Twips(main.rtfRules->width()), 8640, 15);
    EXPECT_NEAR(Twips(main.rtfBasics->width()), 10368, 15);
    EXPECT_EQ(main.rtfProsNcons->x(), main.rtfBasics->x());
}

TEST(LauncherWindows, MinimisedSizesLeaveTheLayoutAndRestoringRescales)
{
    Launcher l;
    frmMain& main = l.Main();
    main.showNormal();
    auto clientTo = [&](int w, int h) {
        main.resize(w, h + main.menuBar()->height());
        QApplication::processEvents();
    };
    clientTo(1920, 1440);  // twice the designed size
    const QRect bigTitle = main.lblTitle->geometry();
    const QRect bigLabel = main.lblIBO1->geometry();
    EXPECT_EQ(bigTitle, QRect(40, 8, 1840, 56));
    EXPECT_NEAR(main.lblIBO1->font().pointSizeF(), 20.0, 0.01);

    clientTo(60, 40);  // under 1000 twips: nothing moves
    EXPECT_EQ(main.lblTitle->geometry(), bigTitle);
    EXPECT_EQ(main.lblIBO1->geometry(), bigLabel);

    clientTo(960, 720);  // back at the design size, from the recorded fractions
    EXPECT_EQ(main.lblTitle->geometry(), QRect(20, 4, 920, 28));
    EXPECT_NEAR(main.lblIBO1->font().pointSizeF(), 10.0, 0.01);
    EXPECT_NEAR(main.lblTitle->font().pointSizeF(), 14.0, 0.01);
}

TEST(LauncherWindows, AboutShowsTheSameWindowTwice)
{
    Launcher l;
    frmMain& main = l.Main();
    main.mnuHelpAbout->trigger();
    frmAbout* about = main.About();
    ASSERT_NE(about, nullptr);
    EXPECT_TRUE(about->isVisible());
    EXPECT_TRUE(about->isModal());
    EXPECT_EQ(about->windowTitle(), "About ...");
    EXPECT_EQ(about->txtTitle->text(), "Pitchwell (Version 1.40 (Alpha))");
    EXPECT_EQ(about->Label4->text(), QString(47, '-'));
    EXPECT_EQ(about->cmdOkay->text(), "&OK");
    QTest::mouseClick(about->cmdOkay, Qt::LeftButton);
    EXPECT_FALSE(about->isVisible());

    main.mnuHelpAbout->trigger();
    EXPECT_EQ(main.About(), about);
    EXPECT_TRUE(about->isVisible());
    EXPECT_EQ(about->txtTitle->text(), "Pitchwell (Version 1.40 (Alpha))");
    QTest::mouseClick(about->cmdOkay, Qt::LeftButton);
}

TEST(LauncherWindows, CancelledPrinterSetupKeepsThePrinterAndExitCloses)
{
    Launcher l;
    frmMain& main = l.Main();
    const QString before = l.app->Printer.printerName();
    const auto format = l.app->Printer.outputFormat();
    l.dialogs.PrinterAnswers = {false};
    main.mnuFilePrinterSetup->trigger();
    EXPECT_EQ(l.app->Printer.printerName(), before);
    EXPECT_EQ(l.app->Printer.outputFormat(), format);
    EXPECT_TRUE(l.dialogs.Boxes.empty());

    main.mnuFileExit->trigger();
    EXPECT_FALSE(main.isVisible());
}

TEST(LauncherWindows, InstallDirectlyBelowTheRootEndsWithTheBaseDirectoryMessage)
{
    Launcher l;
    l.app->Paths.OwnDir = "/Pitchwell";
    l.app->ShowIntro();
    QTest::mouseClick(l.app->Intro()->cmdMLM, Qt::LeftButton);
    ASSERT_EQ(l.dialogs.Boxes.size(), 1u);
    EXPECT_EQ(l.dialogs.Boxes[0].Title, "In 'Start_Path' routine ... Exiting!");
    EXPECT_TRUE(l.app->Ended());
    EXPECT_TRUE(l.app->Main() == nullptr || !l.app->Main()->isVisible());
}

// The whole catalogue stays in view at every size a maximised window takes, from a 640 by 480
// screen (a title bar and the menu leave about 640 by 440, a panel takes some more) to a
// 1920 by 1200 one: the buttons above the inner tab control, every row of the longest page, and
// the frames of both tab controls.
TEST(LauncherWindows, CatalogueFitsItsPageAtEveryWindowSize)
{
    Launcher l;
    frmMain& main = l.Main();
    main.showNormal();
    CataloguePage& page = *main.cataloguePage;
    main.ODE_tabs->setCurrentWidget(&page);
    const struct {
        int width, height;
    } clients[] = {{640, 410}, {640, 441}, {720, 540}, {800, 561},   {960, 720},
                   {1024, 729}, {1280, 1000}, {1366, 740}, {1920, 1050}, {1920, 1176}};
    for (const auto& c : clients) {
        SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height));
        main.resize(c.width, c.height + main.menuBar()->height());
        QApplication::processEvents();
        ASSERT_EQ(main.centralWidget()->height(), c.height);
        const QRect tabs = page.SSTexamples->geometry();
        EXPECT_LE(page.cmdEditDemo->geometry().bottom(), tabs.top());
        EXPECT_LE(page.cmdViewAnswer->geometry().bottom(), tabs.top());
        EXPECT_LE(tabs.bottom(), page.rect().bottom());
        EXPECT_LE(main.ODE_tabs->geometry().bottom(), main.centralWidget()->rect().bottom());
        for (std::size_t p = 0; p < page.Arrays.size(); ++p) {
            page.SSTexamples->setCurrentIndex(static_cast<int>(p));
            QApplication::processEvents();
            const QWidget* rows = page.SSTexamples->currentWidget();
            EXPECT_LE(rows->mapTo(main.centralWidget(), rows->rect().bottomLeft()).y(),
                      main.centralWidget()->rect().bottom());
            int previousBottom = -1;
            for (const QRadioButton* option : page.Arrays[p].Buttons) {
                const std::string name = option->text().toStdString();
                EXPECT_LE(option->geometry().bottom(), rows->rect().bottom()) << name;
                // Rows do not run into each other, and each is tall enough for its round mark.
                EXPECT_GT(option->geometry().top(), previousBottom) << name;
                EXPECT_GE(option->height(), option->style()->pixelMetric(QStyle::PM_ExclusiveIndicatorHeight)) << name;
                previousBottom = option->geometry().bottom();
            }
        }
    }
}

// The window a maximised main window gets under a window manager on each screen (a title bar and
// the frame taken, as openbox takes them), a small and a tall normal window: every text on every
// page, the catalogue's inner pages included, is whole, and the window is no larger than the
// screen. Fonts follow the window's height only, so the narrow window is the hard case.
TEST(LauncherWindows, EveryTextIsWholeOnEveryPageAtEverySize)
{
    tk::ScaleIndicatorsWithText();  // as the program does
    Launcher l;
    frmMain& main = l.Main();
    main.showNormal();
    const struct {
        const char* screen;
        int width, height;
    } windows[] = {{"400x300", 400, 281},     {"640x480", 640, 461},     {"600x1000", 600, 981},
                   {"1280x1024", 1280, 1005}, {"1920x1080", 1920, 1061}, {"3840x2160", 3840, 2141},
                   {"small window", 420, 260}};
    for (const auto& s : windows) {
        main.resize(s.width, s.height);
        QApplication::processEvents();
        EXPECT_LE(main.width(), s.width) << s.screen;
        EXPECT_LE(main.height(), s.height) << s.screen;
        for (int page = 0; page < main.ODE_tabs->count(); ++page) {
            main.ODE_tabs->setCurrentIndex(page);
            QTabWidget* inner = main.ODE_tabs->currentWidget() == main.cataloguePage ? main.cataloguePage->SSTexamples
                                                                                      : nullptr;
            for (int innerPage = 0; innerPage < (inner ? inner->count() : 1); ++innerPage) {
                if (inner) inner->setCurrentIndex(innerPage);
                QApplication::processEvents();
                for (const std::string& cut : tktest::CutTexts(&main))
                    ADD_FAILURE() << s.screen << ", page " << page << "." << innerPage << ": " << cut;
            }
        }
    }
}

// The introduction and About windows have a fixed design size; on a screen smaller than that
// the introduction is made smaller to fit, its texts whole.
TEST(LauncherWindows, IntroAndAboutTextsAreWholeAndTheIntroFitsItsScreen)
{
    Launcher l;
    frmIntro* intro = l.app->ShowIntro();
    for (const QSize screen : {QSize(3840, 2141), QSize(400, 281), QSize(640, 461), QSize(320, 200)}) {
        intro->FitTo(screen);
        QApplication::processEvents();
        if (screen.width() > 1000) {
            EXPECT_EQ(intro->size(), QSize(520, 330)) << "the designed size where the screen has room";
        }
        EXPECT_LE(intro->width(), screen.width());
        EXPECT_LE(intro->height(), screen.height());
        for (const std::string& cut : tktest::CutTexts(intro))
            ADD_FAILURE() << "intro in " << screen.width() << "x" << screen.height() << ": " << cut;
    }

    frmMain& main = l.Main();
    main.mnuHelpAbout->trigger();
    QApplication::processEvents();
    for (const std::string& cut : tktest::CutTexts(main.About())) ADD_FAILURE() << "About: " << cut;
    main.About()->hide();
}


// Ctrl+Tab and Ctrl+Shift+Tab step through the pages wherever the focus is: on the window itself
// as it comes up (the first page has no control that takes the focus), in a document box, in a
// box of the sign-up form.
TEST(LauncherWindows, CtrlTabStepsThroughThePagesWhereverTheFocusIs)
{
    Launcher l;
    frmMain& main = l.Main();
    const Qt::KeyboardModifiers back = Qt::ControlModifier | Qt::ShiftModifier;
    const struct {
        QWidget* focus;
        int from;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int to;
    } steps[] = {
        {&main, 0, Qt::Key_Tab, Qt::ControlModifier, 1},
        {main.rtfBasics, 1, Qt::Key_Tab, Qt::ControlModifier, 2},
        {main.registrationPage->tbFirstName, 4, Qt::Key_Backtab, back, 3},
        {&main, 0, Qt::Key_Backtab, back, 7},
        {main.videoPage, 7, Qt::Key_Tab, Qt::ControlModifier, 0},
    };
    for (const auto& s : steps) {
        main.ODE_tabs->setCurrentIndex(s.from);
        QApplication::processEvents();
        QTest::keyClick(s.focus, s.key, s.modifiers);
        EXPECT_EQ(main.ODE_tabs->currentIndex(), s.to) << s.focus->objectName().toStdString() << " on page " << s.from;
    }
}
