// plots: the plot viewer. Without options it opens its window on the plot file or directory
// named by its command tail (or handed over in the settings store); options let scripts use
// the reader and the renderer without a window.
//
// The window lives in a library of its own, loaded only when the window opens, so that the
// options map neither Qt's widgets nor its printing. The library is looked for beside the
// program (the build tree, the tk-tools layout) and then in ../PLOTS_WINDOW_LIBDIR (the Debian
// package), both from the program's own file as the kernel names it: never from the working
// directory or the environment.
#include "plots/cli/Commands.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <dlfcn.h>
#include <fcntl.h>
#include <limits.h>
#include <link.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The directory of the running program, or "" with the reason on standard error.
std::string ProgramDir()
{
    char path[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", path, sizeof path);
    if (n <= 0 || n == ssize_t(sizeof path)) {
        std::fprintf(stderr, "plots: cannot find its own file (/proc/self/exe): %s\n",
                     n <= 0 ? std::strerror(errno) : "its name is too long");
        return {};
    }
    const std::string self(path, std::size_t(n));
    return self.substr(0, self.rfind('/'));
}

// Why the library cannot be mapped whole, or "": a library cut short (a copy or an installation
// broken off) would end the program with SIGBUS inside dlopen, which maps every loaded segment
// at the length its header gives. What is no ELF file at all, dlopen names itself.
std::string CutShort(const std::string& path, off_t size)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::strerror(errno);
    ElfW(Ehdr) header{};
    std::string problem;
    // An ELF file of another class or with other headers is dlopen's to refuse.
    if (::pread(fd, &header, sizeof header, 0) == ssize_t(sizeof header) &&
        std::memcmp(header.e_ident, ELFMAG, SELFMAG) == 0 &&
        header.e_ident[EI_CLASS] == (sizeof(void*) == 8 ? ELFCLASS64 : ELFCLASS32) &&
        header.e_phentsize == sizeof(ElfW(Phdr))) {
        std::vector<ElfW(Phdr)> segments(header.e_phnum);
        const auto bytes = ssize_t(segments.size() * sizeof(ElfW(Phdr)));
        if (header.e_phoff > ElfW(Off)(size) || ::pread(fd, segments.data(), bytes, off_t(header.e_phoff)) != bytes) {
            problem = "its header is cut short";
        } else {
            ElfW(Off) end = 0;
            for (const ElfW(Phdr)& s : segments)
                if (s.p_type == PT_LOAD) end = std::max<ElfW(Off)>(end, s.p_offset + s.p_filesz);
            if (end > ElfW(Off)(size))
                problem = "it is cut short: " + std::to_string(size) + " bytes of " + std::to_string(end);
        }
    }
    ::close(fd);
    return problem;
}

using WindowMain = int (*)(int, char**, const char*);

// Loads the window's library and runs the window; exit code 1 with the reason when the library
// is missing or cannot be loaded.
int RunWindow(int argc, char** argv, const std::string& tail)
{
    const std::string dir = ProgramDir();
    if (dir.empty()) return 1;
    const std::string places[] = {dir + "/" PLOTS_WINDOW_MODULE,
                                  dir + "/../" PLOTS_WINDOW_LIBDIR "/" PLOTS_WINDOW_MODULE};
    for (const std::string& place : places) {
        struct stat st {};
        if (::stat(place.c_str(), &st) != 0) continue;
        std::string problem = CutShort(place, st.st_size);
        void* library = problem.empty() ? ::dlopen(place.c_str(), RTLD_LAZY | RTLD_LOCAL) : nullptr;
        if (problem.empty() && !library) {
            const char* why = ::dlerror();
            problem = why ? why : "dlopen failed";
        }
        auto* entry = library ? reinterpret_cast<WindowMain>(::dlsym(library, "plots_window_main")) : nullptr;
        if (library && !entry) problem = "it has no entry plots_window_main";
        if (!problem.empty()) {
            std::fprintf(stderr, "plots: the window cannot be opened: its library %s cannot be loaded: %s\n",
                         place.c_str(), problem.c_str());
            return 1;
        }
        return entry(argc, argv, tail.c_str());
    }
    std::fprintf(stderr, "plots: the window cannot be opened: its library %s is neither in %s nor in %s/../%s; "
                 "install plots again.\n", PLOTS_WINDOW_MODULE, dir.c_str(), dir.c_str(), PLOTS_WINDOW_LIBDIR);
    return 1;
}

}  // namespace

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
    return RunWindow(argc, argv, tail);
}
