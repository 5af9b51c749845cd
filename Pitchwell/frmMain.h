// The launcher's working window: the business documents, the sign-up form, the example
// catalogue and the video page on eight tabbed pages, with the File and Help menus.
#pragma once

#include "Pitchwell/LauncherContext.h"
#include "common/FormResizer.h"

#include <QMainWindow>

#include <memory>

class QAction;
class QLabel;
class QTabWidget;
class QTextBrowser;

namespace pitchwell {

class LauncherApp;
class frmAbout;
class CataloguePage;
class RegistrationPage;
class VideoPage;

// The window's design size: its client area, and its outer height as the document boxes use it.
inline constexpr int DesignClientWidthTwips = 14400;
inline constexpr int DesignClientHeightTwips = 10800;
inline constexpr int DesignOuterHeightTwips = 11500;

class frmMain : public QMainWindow {
    Q_OBJECT
public:
    frmMain(LauncherApp& app, QWidget* parent = nullptr);
    ~frmMain() override;

    // Start-up steps 4 to 8: document boxes, paths, first-run set-up, video check, layout record.
    // False when the program has to end.
    bool Form_Load();

    void mnuFileExit_Click();
    void mnuFilePrinterSetup_Click();
    void mnuHelpAbout_Click();
    void EndProgram();

    QLabel* lblTitle;
    QTabWidget* ODE_tabs;
    QLabel* lblIBO;
    QLabel* lblIBO1;
    QLabel* lblIBO2;
    QTextBrowser* rtfBasics;
    QTextBrowser* rtfRules;
    QTextBrowser* rtfHistory;
    QTextBrowser* rtfProsNcons;
    RegistrationPage* registrationPage;
    CataloguePage* cataloguePage;
    VideoPage* videoPage;
    QAction* mnuFileVideo;
    QAction* mnuFilePrinterSetup;
    QAction* mnuFileExit;
    QAction* mnuHelpAbout;

    frmAbout* About() const { return about_; }
    tk::FormResizer& Resizer() { return resizer_; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildMenus();
    void BuildPages();
    void PlaceDocumentBoxes();
    void Form_Resize();

    LauncherApp& app_;
    tk::FormResizer resizer_;
    bool recorded_ = false;
    frmAbout* about_ = nullptr;
};

}  // namespace pitchwell
