#include "Pitchwell/LauncherApp.h"

#include "Pitchwell/Startup.h"
#include "Pitchwell/frmIntro.h"
#include "Pitchwell/frmMain.h"

#include <QApplication>
#include <QPrinterInfo>
#include <QWidget>

namespace pitchwell {

LauncherApp::LauncherApp(const std::string& ownDir, tk::Dialogs& dialogs, tk::Registry& store,
                         tk::ProgramStarter& starter)
    : Context{Paths, dialogs, store, starter, Printer}
{
    Paths.OwnDir = ownDir;
    ChoosePlatformPrinter();
}

LauncherApp::~LauncherApp()
{
    delete main_.data();
    delete intro_.data();
}

frmIntro* LauncherApp::Intro() const { return intro_.data(); }
frmMain* LauncherApp::Main() const { return main_.data(); }

void LauncherApp::ChoosePlatformPrinter()
{
    // Without an installed printer, printing goes to a PDF file.
    if (QPrinterInfo::availablePrinterNames().isEmpty())
        Printer.setOutputFormat(QPrinter::PdfFormat);
}

void LauncherApp::RecoverSettingsStore()
{
    const std::string keptAs = Context.Store.RecoverDamagedStore();
    if (!keptAs.empty())
        Context.Messages.Show(tk::DamagedStoreNotice(keptAs), tk::DamagedStoreTitle, tk::MsgIcon::Exclamation,
                              tk::MsgButtons::Ok);
    // Without a usable store the plot viewer still gets its file on its command line; the user
    // hears once that settings and hand-overs are not kept.
    if (const std::string problem = Context.Store.StoreProblem(); !problem.empty())
        Context.Messages.Show(problem, tk::DamagedStoreTitle, tk::MsgIcon::Exclamation, tk::MsgButtons::Ok);
}

frmIntro* LauncherApp::ShowIntro()
{
    if (!intro_)
        intro_ = new frmIntro(*this);
    intro_->show();
    intro_->activateWindow();
    return intro_;
}

bool LauncherApp::LoadMain()
{
    if (!main_)
        main_ = new frmMain(*this);
    if (!main_->Form_Load()) {
        EndProgram();
        return false;
    }
    main_->showMaximized();
    main_->activateWindow();
    main_->setFocus();
    return true;
}

void LauncherApp::EndProgram()
{
    Paths.VideoFile.clear();
    ended_ = true;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w == intro_.data() || w == main_.data() || (main_ && main_->isAncestorOf(w)))
            w->hide();
    }
    if (intro_)
        intro_->deleteLater();
    if (main_)
        main_->deleteLater();
    QCoreApplication::exit(0);
}

}  // namespace pitchwell
