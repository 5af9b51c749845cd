// plots: the plot viewer. Without options it opens its window on the plot file or directory
// named by its command tail (or handed over in the settings store); options let scripts use
// the reader and the renderer without a window.
#include "plots/cli/Commands.h"
#include "plots/ui/ViewerApp.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

void PrintUsage(std::FILE* to)
{
    std::fprintf(to,
                 "Usage: plots [PLOTFILE | DIRECTORY]\n"
                 "       plots --check FILE\n"
                 "       plots --export DIR [--size WxH] [--format png|bmp|pdf|svg|csv] [--smooth]\n"
                 "                          [--x-range A:B] [--y-range C:D] FILE\n"
                 "       plots --help | --version\n"
                 "\n"
                 "Without options, shows the plots of a solver run (.plt, .2lt or .gif file), or an\n"
                 "empty viewer in DIRECTORY. --check reads a plot data file and reports what it\n"
                 "holds; --export renders the run's plot sequence and summary into DIR (--smooth:\n"
                 "anti-aliased lines).\n"
                 "--format csv writes each plot's curves as numbers instead (the X column first,\n"
                 "one column per curve, named in the header). --x-range and --y-range draw every\n"
                 "plot zoomed to that stretch of the axis, in data units, as the window draws it\n"
                 "when zoomed there.\n"
                 "\n"
                 "In the window: drag a box to zoom, the wheel zooms about the mouse, Shift+drag or\n"
                 "the middle button pans; Escape or U goes back to the whole plot, Alt+Left and\n"
                 "Alt+Right walk the zoom history; Page Up and Page Down show the previous and the\n"
                 "next plot; Ctrl+C copies the plot; the plot's right-click menu lists the run's\n"
                 "plots and exports the plot's data; F1 lists every key.\n");
}

}  // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    if (!args.empty() && args.front().rfind("--", 0) == 0) {
        const std::string option = args.front();
        const std::vector<std::string> rest(args.begin() + 1, args.end());
        if (option == "--help") {
            PrintUsage(stdout);
            return 0;
        }
        if (option == "--version") {
            std::printf("plots %s\n", TK_VERSION);
            return 0;
        }
        if (option == "--check") return plots::RunCheckCommand(rest);
        if (option == "--export") return plots::RunExportCommand(rest);
        std::fprintf(stderr, "plots: unknown option '%s'\n", option.c_str());
        PrintUsage(stderr);
        return 2;
    }
    std::string tail;
    for (const std::string& a : args) tail += (tail.empty() ? "" : " ") + a;
    return plots::RunViewer(argc, argv, tail);
}
