// demogen: computes the demo content that has plots (fits, ODE solutions, dosing runs,
// filter matches, contour pictures) and writes it below the directory given.
#include "tools/demogen/Examples.h"

#include <QGuiApplication>

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2 || argv[1][0] == '-') {
        std::fprintf(stderr, "usage: demogen DIR\n  writes the generated examples content below DIR\n");
        return 2;
    }
    // Pictures are drawn off screen; no display is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const std::vector<std::string> written = demogen::GenerateAll(argv[1]);
    if (written.empty()) {
        std::fprintf(stderr, "demogen: could not write below %s\n", argv[1]);
        return 1;
    }
    for (const std::string& name : written)
        std::printf("%s\n", name.c_str());
    return 0;
}
