// plots --export: renders a plot file's plots into picture files without a window or display.
#include "plots/cli/Commands.h"

#include "common/Dialogs.h"
#include "common/Paths.h"
#include "common/SafeFile.h"
#include "common/Text.h"
#include "plots/cli/PictureQueue.h"
#include "plots/render/PngEncoder.h"
#include "plots/render/Surface.h"
#include "plots/run/PictureFile.h"
#include "plots/run/PlotPaths.h"
#include "plots/run/WholeSequence.h"

#include <QDir>
#include <QGuiApplication>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <optional>
#include <system_error>
#include <thread>

#include <sys/stat.h>
#include <unistd.h>

namespace plots {

namespace {

// A path as the user is shown it.
std::string Shown(const std::string& path) { return tk::DisplayName(path); }

// A message box of a run without a window goes to standard error on one line.
void TellBox(const tk::MessageBoxCall& call)
{
    std::string text = tk::WithLineFeeds(call.Text);
    std::replace(text.begin(), text.end(), '\n', ' ');
    std::fprintf(stderr, "plots: %s%s%s\n", call.Title.c_str(), call.Title.empty() ? "" : ": ", Shown(text).c_str());
}

// A runtime directory of the user's own in the temporary directory, which is shared: one of
// the usual name that another user made first (or a link there) is not used, and a fresh one
// made for this run (and removed at its end) takes its place. Empty when none can be made.
std::string PrivateRuntimeDirectory()
{
    const std::string usual = QDir::tempPath().toStdString() + "/runtime-plots-" + std::to_string(getuid());
    struct stat info {};
    if ((::mkdir(usual.c_str(), 0700) == 0 || errno == EEXIST) && ::lstat(usual.c_str(), &info) == 0 &&
        S_ISDIR(info.st_mode) && info.st_uid == ::getuid() &&
        ((info.st_mode & 077) == 0 || ::chmod(usual.c_str(), 0700) == 0))
        return usual;
    static std::string fresh;
    fresh = usual + "-XXXXXX";
    if (!::mkdtemp(fresh.data())) return {};
    std::atexit([] { ::rmdir(fresh.c_str()); });
    return fresh;
}

// Export works with no display at all: without a platform named, the offscreen one is used.
std::unique_ptr<QGuiApplication> EnsureGuiApplication()
{
    if (QCoreApplication::instance()) return nullptr;
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    // Without a session (a script, a build machine) there is no runtime directory; a private
    // one keeps Qt from warning about it on every run.
    if (!std::getenv("XDG_RUNTIME_DIR")) {
        const std::string runtime = PrivateRuntimeDirectory();
        if (!runtime.empty()) setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    }
    static int argc = 1;
    static char name[] = "plots";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QGuiApplication>(argc, argv);
}

// Why a plot file named on the command line cannot be read.
std::string WhyNoFile(const std::string& path)
{
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0) return S_ISDIR(info.st_mode) ? "is a directory" : "not a regular file";
    return errno == ENOENT ? "no such file" : std::strerror(errno);
}

// The file names' common stem: the plot file's, cut where the longest name made of it
// ("<stem>-summary.txt") would not fit in one directory entry, and said so.
std::string NameStem(const std::string& directory, const std::string& stem)
{
    const std::string longest = "-summary.txt";
    const long limit = ::pathconf(directory.c_str(), _PC_NAME_MAX);
    const std::size_t room = std::size_t(limit > 0 ? limit : NAME_MAX) - longest.size();
    if (stem.size() <= room) return stem;
    std::size_t cut = room;
    // Not inside a UTF-8 character.
    while (cut > 0 && (static_cast<unsigned char>(stem[cut]) & 0xC0) == 0x80) --cut;
    const std::string shortened = stem.substr(0, cut);
    std::fprintf(stderr, "plots: the name '%s' is too long for file names; the files are named '%s-...'\n",
                 Shown(stem).c_str(), Shown(shortened).c_str());
    return shortened;
}

// A run's second data file (.2lt) is only ever shown after the run's .plt, so given one the
// whole run is exported from the .plt beside it; nothing when that file is missing.
std::optional<std::string> RunFileOf(const std::string& file)
{
    const std::optional<std::string> first = FirstDataFileOf(file);
    if (!first) return file;
    if (!tk::IsFile(*first)) return std::nullopt;
    return tk::ResolvePath(*first);
}

// The number of a picture in its file name: two digits at least.
std::string Numbered(int number) { return (number < 10 ? "0" : "") + std::to_string(number); }

// Says on standard error why a picture is not there.
void TellFailure(const std::string& path, const PictureWrite& what)
{
    if (!what.Made)
        std::fprintf(stderr, "plots: cannot draw '%s'\n", Shown(path).c_str());
    else
        std::fprintf(stderr, "plots: cannot write '%s': %s\n", Shown(path).c_str(),
                     tk::DescribeWriteError(path, what.Error).c_str());
}

// Writes a file of the export's set to its temporary name; what became of it.
PictureWrite WriteBytes(tk::SafeFileSet& files, const std::string& path, const QByteArray& bytes)
{
    PictureWrite result;
    if (bytes.isEmpty()) {
        result.Made = false;
        return result;
    }
    int error = 0;
    if (!files.Add(path, bytes.constData(), std::size_t(bytes.size()), &error)) result.Error = error ? error : EIO;
    return result;
}

// Says on standard error why a file could not be written.
void TellWriteFailure(const std::string& path, int error)
{
    std::fprintf(stderr, "plots: cannot write '%s': %s\n", Shown(path).c_str(),
                 tk::DescribeWriteError(path, error ? error : EIO).c_str());
}

}  // namespace

int RunExportCommand(const ExportOptions& o)
{
    const auto app = EnsureGuiApplication();
    // Setting up the fonts takes a while; it is done on another core while the file is read.
    // Qt keeps font engines per thread, but the list of fonts and each face's fallback faces
    // for the whole program: a text measured as the plots measure theirs fills both.
    const std::jthread fonts([] {
        const MeasuringSurface warm(1, 1);
        (void)warm.TextWidth("0");
    });
    if (!tk::IsFile(o.File)) {
        std::fprintf(stderr, "plots: cannot read '%s': %s\n", Shown(o.File).c_str(), WhyNoFile(o.File).c_str());
        return 1;
    }
    const std::optional<std::string> runFile = RunFileOf(o.File);
    if (!runFile) {
        std::fprintf(stderr, "plots: cannot read '%s': its run's first data file '%s.plt' is missing\n",
                     Shown(o.File).c_str(), Shown(tk::NamePart(tk::WithoutExtension(o.File))).c_str());
        return 1;
    }
    std::error_code ec;
    const std::filesystem::path dir(o.Directory);
    if (!std::filesystem::is_directory(dir, ec) && !std::filesystem::create_directories(dir, ec)) {
        std::fprintf(stderr, "plots: cannot create directory '%s': %s\n", Shown(o.Directory).c_str(),
                     ec.message().c_str());
        return 1;
    }

    // Every plot that repeated "&Next >>" would show, numbered from 01 as it is drawn, each
    // written whole before the next is drawn. Names are put together from the user's own text,
    // never through a format that could read a "%1" in it.
    const std::string stem = tk::NamePart(tk::WithoutExtension(o.File));
    const std::string prefix = (dir / NameStem(o.Directory, stem)).string() + "-";
    const bool vector = !o.Csv && (o.Format == PictureFormat::Svg || o.Format == PictureFormat::Pdf);
    bool written = true;
    // Every file goes to its temporary name as it is made; all of them take their names
    // together at the end, after one sync for the lot.
    tk::SafeFileSet files;
    SequenceOptions options;
    options.Width = o.Width;
    options.Height = o.Height;
    options.DrawPictures = !vector && !o.Csv;
    options.Settings.SmoothLines = o.Smooth;
    // The ranges are the zoom the window would show: an override of those axes on every plot.
    options.Settings.Zoom = o.Zoom;
    // A bitmap picture is encoded and written as soon as it is drawn, by one encoder for the
    // whole run. Encoding it on another core while the next plot is drawn no longer pays: a PNG
    // picture takes about half a millisecond, and handing it over costs more processor time
    // than that (the next plot drawn into a second, cold image; the picture's pixels moved
    // between the cores; 3 MB more memory) for no shorter run.
    constexpr bool WrittenWhileTheNextIsDrawn = false;
    PictureQueue pictures(
        [format = o.Format, &files, png = std::make_shared<PngEncoder>()](const QImage& picture, const std::string& path) {
            return WriteBytes(files, path, BitmapBytes(picture, format, *png));
        },
        WrittenWhileTheNextIsDrawn && !vector);
    const SequenceResult run = RenderWholeSequence(
        *runFile, options, [&](const SequencePlot& plot, Surface& surface, PlotKind, int number) {
            const std::string target = prefix + Numbered(number) + "." + (o.Csv ? "csv" : PictureExtension(o.Format));
            std::optional<PictureQueue::Failure> failed;
            if (o.Csv) {
                // A picture plot has no numbers to give; its number stays taken.
                const std::string csv = plot.ShownCurvesCsv();
                if (csv.empty()) return true;
                const PictureWrite result = WriteBytes(files, target, QByteArray::fromStdString(csv));
                if (!result.Ok()) failed = PictureQueue::Failure{target, result};
            } else if (vector) {
                const PictureWrite result = WriteBytes(files, target, PictureBytes([&plot](Surface& on) { plot.DrawShownOn(on); }, surface, o.Format, stem));
                if (!result.Ok()) failed = PictureQueue::Failure{target, result};
            } else {
                failed = pictures.Add(surface.Picture(), target);
            }
            if (!failed) return true;
            TellFailure(failed->Path, failed->What);
            written = false;
            return false;  // a full disk stops the run rather than failing every later file
        });
    if (const auto failed = pictures.Finish()) {
        TellFailure(failed->Path, failed->What);
        written = false;
    }
    // The summary joins the set when every picture was written; a file that cannot be made
    // durable is told where its writing would have been told.
    const std::string summaryPath = prefix + "summary.txt";
    int summaryError = 0;
    bool summaryWritten = false;
    if (written && run.Loaded && !run.Plots.empty()) {
        // The summary ends with a line end, as a text file of this platform does.
        std::string summary = tk::WithLineFeeds(run.OutputText);
        if (!summary.empty() && summary.back() != '\n') summary += '\n';
        summaryWritten = files.Add(summaryPath, summary.data(), summary.size(), &summaryError);
    }
    std::string failedPath;
    int commitError = 0;
    if (!files.Commit(&failedPath, &commitError)) {
        if (failedPath == summaryPath) {
            summaryWritten = false;
            summaryError = commitError;
        } else {
            TellWriteFailure(failedPath, commitError);
            written = false;
        }
    }

    for (const tk::MessageBoxCall& box : run.Messages) TellBox(box);
    if (run.Fatal) std::fprintf(stderr, "plots: Must exit!: %s\n", run.FatalText.c_str());
    if (!run.Loaded || run.Plots.empty()) {
        if (run.Messages.empty() && !run.Fatal)
            std::fprintf(stderr, "plots: cannot read '%s' as plot data\n", Shown(o.File).c_str());
        return 1;
    }
    if (!written) return 1;

    if (!summaryWritten) {
        TellWriteFailure(summaryPath, summaryError);
        return 1;
    }
    // Pictures drawn before a data file of the run failed stay written, but the export as a
    // whole did not succeed.
    return run.Fatal || run.ReadFailed ? 1 : 0;
}

}  // namespace plots
