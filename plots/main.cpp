// plots: the plot viewer. Without options it opens its window on the plot file or directory
// named by its command tail (or handed over in the settings store); options let scripts use
// the reader and the renderer without a window.
#include "plots/cli/Commands.h"
#include "plots/ui/ViewerApp.h"

#include <string>
#include <vector>

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    // "--" alone ends the options: the file after it is a file whatever its name.
    if (!args.empty() && args.front() == "--")
        args.erase(args.begin());
    else if (!args.empty() && args.front().rfind("--", 0) == 0)
        return plots::RunOptions(args);
    std::string tail;
    for (const std::string& a : args) tail += (tail.empty() ? "" : " ") + a;
    return plots::RunViewer(argc, argv, tail);
}
