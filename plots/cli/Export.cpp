// plots --export: renders a plot file's plots into image files without a window or display.
#include "plots/cli/Commands.h"

#include "common/Dialogs.h"
#include "common/Paths.h"
#include "common/TextFile.h"
#include "plots/cli/PictureQueue.h"
#include "plots/render/PngEncoder.h"
#include "plots/run/Viewer.h"
#include "plots/run/WholeSequence.h"

#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <thread>

#include <sys/stat.h>
#include <unistd.h>

namespace plots {

namespace {

constexpr const char* Usage = "Usage: plots --export DIR [--size WxH] [--format png|bmp|pdf] FILE\n";

int UsageError(const std::string& why)
{
    std::fprintf(stderr, "plots: %s\n%s", why.c_str(), Usage);
    return 2;
}

// Message boxes of a headless run go to standard error, one line each, and are answered
// with their first button.
class StderrDialogs : public tk::ScriptedDialogs {
public:
    tk::MsgResult MsgBox(const tk::MessageBoxCall& call) override
    {
        std::string text = call.Text;
        for (std::size_t at = 0; (at = text.find("\r\n", at)) != std::string::npos;) text.replace(at, 2, " ");
        std::fprintf(stderr, "plots: %s%s%s\n", call.Title.c_str(), call.Title.empty() ? "" : ": ", text.c_str());
        return ScriptedDialogs::MsgBox(call);
    }
};

struct ExportOptions {
    std::string Directory, File;
    int Width = 1024, Height = 768;
    std::string Format = "png";
};

std::optional<std::pair<int, int>> ParseSize(const std::string& text)
{
    const std::size_t x = text.find_first_of("xX");
    if (x == std::string::npos || x == 0 || x + 1 >= text.size()) return std::nullopt;
    auto whole = [](const std::string& s) -> int {
        if (s.empty() || s.size() > 5) return 0;
        for (char c : s)
            if (c < '0' || c > '9') return 0;
        return std::atoi(s.c_str());
    };
    const int w = whole(text.substr(0, x)), h = whole(text.substr(x + 1));
    // Large enough for the frame's texts to fit, small enough for an image in memory.
    if (w < 64 || h < 48 || w > 16384 || h > 16384) return std::nullopt;
    return std::make_pair(w, h);
}

// Fills the options from the arguments after --export; an error text when they are wrong.
std::string ParseOptions(const std::vector<std::string>& args, ExportOptions& o)
{
    std::vector<std::string> positional;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string a = args[i];
        std::string value;
        const bool hasValue = a.rfind("--", 0) == 0 && a.find('=') != std::string::npos;
        if (hasValue) {
            value = a.substr(a.find('=') + 1);
            a = a.substr(0, a.find('='));
        }
        auto next = [&]() -> std::optional<std::string> {
            if (hasValue) return value;
            if (i + 1 >= args.size()) return std::nullopt;
            return args[++i];
        };
        if (a == "--size") {
            const auto v = next();
            if (!v) return "--size needs a value such as 1024x768";
            const auto size = ParseSize(*v);
            if (!size) return "bad size '" + *v + "' (WIDTHxHEIGHT, 64x48 to 16384x16384)";
            o.Width = size->first;
            o.Height = size->second;
        } else if (a == "--format") {
            const auto v = next();
            if (!v) return "--format needs png, bmp or pdf";
            if (*v != "png" && *v != "bmp" && *v != "pdf") return "bad format '" + *v + "' (png, bmp or pdf)";
            o.Format = *v;
        } else if (a == "--") {
            positional.insert(positional.end(), args.begin() + std::ptrdiff_t(i) + 1, args.end());
            break;
        } else if (a.size() > 1 && a[0] == '-') {
            return "unknown option '" + args[i] + "'";
        } else {
            positional.push_back(a);
        }
    }
    if (positional.size() < 2) return "missing " + std::string(positional.empty() ? "DIR and FILE" : "FILE");
    if (positional.size() > 2) return "too many arguments";
    o.Directory = positional[0];
    o.File = positional[1];
    return {};
}

// Export works with no display at all: without a platform named, the offscreen one is used.
std::unique_ptr<QGuiApplication> EnsureGuiApplication()
{
    if (QCoreApplication::instance()) return nullptr;
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    // Without a session (a script, a build machine) there is no runtime directory; a private
    // one keeps Qt from warning about it on every run.
    if (!std::getenv("XDG_RUNTIME_DIR")) {
        const std::string runtime = QDir::tempPath().toStdString() + "/runtime-plots-" + std::to_string(getuid());
        if (mkdir(runtime.c_str(), 0700) == 0 || errno == EEXIST) setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    }
    static int argc = 1;
    static char name[] = "plots";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QGuiApplication>(argc, argv);
}

bool WritePdf(const QImage& picture, const QString& path)
{
    QPdfWriter pdf(path);
    pdf.setResolution(96);
    pdf.setPageSize(QPageSize(QSizeF(picture.width(), picture.height()), QPageSize::Point, QString(),
                              QPageSize::ExactMatch));
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter p;
    if (!p.begin(&pdf)) return false;
    const QRect page(0, 0, pdf.width(), pdf.height());
    p.drawImage(page, picture);
    return p.end();
}

bool WritePicture(const QImage& picture, const QString& path, const std::string& format)
{
    if (format == "pdf") return WritePdf(picture, path);
    if (format == "png") return WritePngFile(picture, path);
    return picture.save(path, "BMP");
}

// A run's second data file (.2lt) is only ever shown after the run's .plt, so given one the
// whole run is exported from the .plt beside it; an empty text when that file is missing.
QString RunFileOf(const QFileInfo& file)
{
    if (file.suffix().compare("2lt", Qt::CaseInsensitive) != 0) return file.filePath();
    const std::string first = (file.path() + "/" + file.completeBaseName() + ".plt").toStdString();
    return tk::IsFile(first) ? QString::fromStdString(tk::ResolvePath(first)) : QString();
}

}  // namespace

int RunExportCommand(const std::vector<std::string>& args)
{
    ExportOptions o;
    const std::string error = ParseOptions(args, o);
    if (!error.empty()) return UsageError(error);

    const auto app = EnsureGuiApplication();
    // Setting up the fonts takes a while; it is done on another core while the file is read.
    const std::jthread fonts([] {
        const QImage probe(1, 1, QImage::Format_RGB32);
        (void)QFontMetricsF(QFont("Arial"), &probe).height();
    });
    const QFileInfo file(QString::fromStdString(o.File));
    if (!file.isFile()) {
        std::fprintf(stderr, "plots: cannot read '%s': no such file\n", o.File.c_str());
        return 1;
    }
    const QString runFile = RunFileOf(file);
    if (runFile.isEmpty()) {
        std::fprintf(stderr, "plots: cannot read '%s': its run's first data file '%s.plt' is missing\n",
                     o.File.c_str(), file.completeBaseName().toStdString().c_str());
        return 1;
    }
    const QDir dir(QString::fromStdString(o.Directory));
    if (!dir.exists() && !QDir().mkpath(dir.path())) {
        std::fprintf(stderr, "plots: cannot create directory '%s'\n", o.Directory.c_str());
        return 1;
    }

    // Every plot that repeated "&Next >>" would show, numbered from 01 as it is drawn.
    const QString stem = file.completeBaseName();
    bool written = true;
    SequenceOptions options;
    options.Width = o.Width;
    options.Height = o.Height;
    // A PNG picture is encoded while the next plot is drawn.
    PictureQueue pictures([&o](const QImage& picture, const QString& path) { return WritePicture(picture, path, o.Format); },
                          o.Format == "png");
    const SequenceResult run = RenderWholeSequence(
        runFile.toStdString(), options, [&](const Viewer&, Surface& surface, PlotKind, int number) {
            const QString name = QString("%1-%2.%3").arg(stem).arg(number, 2, 10, QChar('0')).arg(QString::fromStdString(o.Format));
            pictures.Add(surface.Picture(), dir.filePath(name));
            return true;
        });
    for (const QString& target : pictures.Finish()) {
        std::fprintf(stderr, "plots: cannot write '%s'\n", target.toStdString().c_str());
        written = false;
    }

    StderrDialogs report;
    for (const tk::MessageBoxCall& box : run.Messages) report.MsgBox(box);
    if (!run.Loaded || run.Plots.empty()) {
        if (run.Messages.empty()) std::fprintf(stderr, "plots: cannot read '%s' as plot data\n", o.File.c_str());
        return 1;
    }

    // The output box after the last plot, with the line ends of this platform.
    std::string summary = run.OutputText;
    for (std::size_t at = 0; (at = summary.find("\r\n", at)) != std::string::npos;) summary.replace(at, 2, "\n");
    if (!summary.empty() && summary.back() != '\n') summary += '\n';
    const std::string summaryPath = dir.filePath(stem + "-summary.txt").toStdString();
    if (!tk::WriteTextFile(summaryPath, summary)) {
        std::fprintf(stderr, "plots: cannot write '%s'\n", summaryPath.c_str());
        written = false;
    }
    if (run.Fatal) {
        std::fprintf(stderr, "plots: %s\n", run.FatalText.c_str());
        return 1;
    }
    return written ? 0 : 1;
}

}  // namespace plots
