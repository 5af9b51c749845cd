// The window's library: the one entry the program calls when it opens its window (main.cpp).
#include "plots/ui/ViewerApp.h"

#include <string>

extern "C" __attribute__((visibility("default"))) int plots_window_main(int argc, char** argv, const char* commandTail)
{
    return plots::RunViewer(argc, argv, commandTail);
}
