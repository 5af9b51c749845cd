// Pitchwell-video: the launcher. It opens with the introduction window; "&MLM Plan" leads to
// the main window of the installation it runs from.
#include "Pitchwell/LauncherApp.h"
#include "common/Dialogs.h"
#include "common/FormResizer.h"
#include "common/Process.h"
#include "common/Registry.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName("Pitchwell-video");
    tk::ScaleIndicatorsWithText();
    QApplication::setApplicationVersion("1.40");
    QApplication::setDesktopFileName("Pitchwell-video");
    tk::QtDialogs dialogs;
    tk::Registry store = tk::Registry::ForUser();
    tk::SystemStarter starter;
    pitchwell::LauncherApp launcher(QCoreApplication::applicationDirPath().toStdString(), dialogs, store, starter);
    launcher.RecoverSettingsStore();
    launcher.ShowIntro();
    return QApplication::exec();
}
