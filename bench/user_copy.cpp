// The packaged launcher's copy of the examples: the first start (every example copied) and a
// later start (every example compared with the package by checksum), on the examples of the
// source tree. Prints the median of several runs of each.
//   user_copy [RUNS]
#include "Pitchwell/UserCopy.h"

#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <vector>

namespace {

double Seconds(const std::chrono::steady_clock::time_point& since)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv)
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 9;
    QTemporaryDir work;
    // The package's layout: usr/share/tk-tools/Pitchwell/demos/all.
    const std::string shared = work.path().toStdString() + "/share/tk-tools";
    std::filesystem::create_directories(shared + "/Pitchwell/demos");
    std::filesystem::copy(TK_SOURCE_DIR "/Pitchwell/demos/all", shared + "/Pitchwell/demos/all",
                          std::filesystem::copy_options::recursive);
    std::vector<double> first, later;
    for (int run = 0; run < runs; ++run) {
        const std::string user = work.path().toStdString() + "/user" + std::to_string(run);
        auto start = std::chrono::steady_clock::now();
        const pitchwell::UserCopyReport made = pitchwell::UpdateUserCopy(shared, user, "/usr/bin/plots");
        first.push_back(Seconds(start));
        start = std::chrono::steady_clock::now();
        const pitchwell::UserCopyReport again = pitchwell::UpdateUserCopy(shared, user, "/usr/bin/plots");
        later.push_back(Seconds(start));
        if (!made.Error.empty() || !again.Error.empty() || again.Written != 0) {
            std::fprintf(stderr, "user_copy: %s%s\n", made.Error.c_str(), again.Error.c_str());
            return 1;
        }
    }
    std::printf("examples copied on the first start: median %.1f ms of %d runs\n", Median(first) * 1e3, runs);
    std::printf("examples compared on a later start: median %.1f ms of %d runs\n", Median(later) * 1e3, runs);
    return 0;
}
