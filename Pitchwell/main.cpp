// Pitchwell-video: the launcher. It opens with the introduction window; "&MLM Plan" leads to
// the main window of the installation it runs from.
#include "Pitchwell/LauncherApp.h"
#include "Pitchwell/UserCopy.h"
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
    // Installed by a package, the launcher works in its copy in the user's data directory.
    const std::string runDir = pitchwell::LauncherRunDirectory(QCoreApplication::applicationDirPath().toStdString());
    pitchwell::LauncherApp launcher(runDir, dialogs, store, starter);
    launcher.RecoverSettingsStore();
    launcher.ShowIntro();
    return QApplication::exec();
}
