// The windowed viewer: the plot window is built and loaded, the start-up finds and loads the
// plot file, and the window's event loop runs until the window unloads.
#include "plots/ui/ViewerApp.h"

#include "plots/run/Startup.h"
#include "plots/ui/frmPlots.h"

#include <QApplication>

namespace plots {

int RunViewer(int argc, char** argv, const std::string& commandTail)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("plots");
    frmPlots form(tk::Registry::ForUser());
    form.WaitUntilShown();
    Main(form.viewer(), form.registry(), commandTail);
    // A fatal data message during start-up has closed the window already.
    if (form.Unloaded()) return form.EndedByFatalExit() ? 1 : 0;
    const int rc = app.exec();
    return form.EndedByFatalExit() ? 1 : rc;
}

}  // namespace plots
