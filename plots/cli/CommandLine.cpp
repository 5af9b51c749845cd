// plots' options, read with QCommandLineParser: --check and --export run without a window,
// --help and --version say what the program is. Options may stand anywhere among the file
// arguments; "--" ends them, so a file whose name begins with "-" can follow it.
#include "plots/cli/Commands.h"

#include "common/Text.h"
#include "plots/data/Numbers.h"

#include <QCommandLineParser>
#include <QStringList>

#include <cstdio>
#include <optional>
#include <utility>

namespace plots {

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
                 "the middle button pans (+ and - zoom, Ctrl+arrows pan from the keyboard);\n"
                 "Escape or U goes back to the whole plot, Alt+Left and\n"
                 "Alt+Right walk the zoom history; Page Up and Page Down show the previous and the\n"
                 "next plot; Ctrl+C copies the plot; the plot's right-click menu lists the run's\n"
                 "plots and exports the plot's data; F1 lists every key.\n");
}

constexpr const char* ExportUsage =
    "Usage: plots --export DIR [--size WxH] [--format png|bmp|pdf|svg|csv] [--smooth] [--x-range A:B] [--y-range C:D] FILE\n";
constexpr const char* CheckUsage = "Usage: plots --check FILE\n";

enum class Mode { None, Check, Export };

// A usage error: why, then the usage of the command asked for; exit code 2.
int UsageError(Mode mode, const std::string& why)
{
    if (mode == Mode::Check) {
        if (!why.empty()) std::fprintf(stderr, "plots: %s\n", why.c_str());
        std::fputs(CheckUsage, stderr);
        return 2;
    }
    std::fprintf(stderr, "plots: %s\n", why.c_str());
    if (mode == Mode::Export)
        std::fputs(ExportUsage, stderr);
    else
        PrintUsage(stderr);
    return 2;
}

// "A:B" as a stretch of an axis in data units, A below B.
std::optional<AxisRange> ParseRange(const std::string& text)
{
    // The colon that separates is the one after the first number ("-5:-1", "1e-3:2e-3").
    for (std::size_t colon = text.find(':'); colon != std::string::npos; colon = text.find(':', colon + 1)) {
        double a = 0, b = 0;
        if (ParseNumber(text.substr(0, colon), a) && ParseNumber(text.substr(colon + 1), b) && a < b)
            return AxisRange{a, b};
    }
    return std::nullopt;
}

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

// The arguments as the parser reads them. File names need not be UTF-8: one that is not stands
// in the parser's list as a token (U+0001 and its index) and is given back as its own bytes.
class Arguments {
public:
    explicit Arguments(const std::vector<std::string>& args) : bytes_(args)
    {
        text_ << "plots";
        for (std::size_t i = 0; i < args.size(); ++i) {
            const QString text = QString::fromStdString(args[i]);
            text_ << (text.toStdString() == args[i] ? text : QChar(1) + QString::number(i));
        }
    }
    const QStringList& Text() const { return text_; }
    std::string Bytes(const QString& text) const
    {
        if (text.startsWith(QChar(1))) return bytes_.at(text.mid(1).toULongLong());
        return text.toStdString();
    }
    // The argument an unknown option name came from, as it was typed ("--colour", "-x=1").
    std::string Typed(const QString& name) const
    {
        for (const std::string& a : bytes_) {
            if (a == "--") break;
            const std::size_t start = a.find_first_not_of('-');
            if (start == 0 || start == std::string::npos) continue;
            if (a.substr(start, a.find('=') - start) == name.toStdString()) return a;
        }
        return "--" + name.toStdString();
    }
    // Which command the options ask for, read before the parser so that its errors get that
    // command's usage.
    Mode Asked() const
    {
        for (const std::string& a : bytes_) {
            if (a == "--") break;
            if (a == "--check") return Mode::Check;
            if (a == "--export") return Mode::Export;
        }
        return Mode::None;
    }

private:
    std::vector<std::string> bytes_;
    QStringList text_;
};

// What a value option says when its value is missing.
std::string NeedsValue(const std::string& name)
{
    if (name == "size") return "--size needs a value such as 1024x768";
    if (name == "format") return "--format needs png, bmp, pdf, svg or csv";
    return "--" + name + " needs a value such as 0:10";
}

}  // namespace

int RunOptions(const std::vector<std::string>& args)
{
    const QCommandLineOption check("check"), exportTo("export"), smooth("smooth"), help(QStringList{"h", "help"}),
        version("version");
    const QCommandLineOption size("size", {}, "WxH"), format("format", {}, "FORMAT"), xRange("x-range", {}, "A:B"),
        yRange("y-range", {}, "C:D");
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOptions({check, exportTo, smooth, help, version, size, format, xRange, yRange});

    const Arguments arguments(args);
    const Mode asked = arguments.Asked();
    if (!parser.parse(arguments.Text())) {
        if (!parser.unknownOptionNames().isEmpty())
            return UsageError(asked, "unknown option '" + arguments.Typed(parser.unknownOptionNames().front()) + "'");
        const QString error = parser.errorText();
        if (error.startsWith("Missing value after ")) {
            const qsizetype open = error.indexOf('\'');
            std::string name = error.mid(open + 1, error.lastIndexOf('\'') - open - 1).toStdString();
            name.erase(0, name.find_first_not_of('-'));
            return UsageError(asked, NeedsValue(name));
        }
        return UsageError(asked, error.toStdString());
    }
    if (parser.isSet(help)) {
        PrintUsage(stdout);
        return 0;
    }
    if (parser.isSet(version)) {
        std::printf("plots %s\n", TK_VERSION);
        return 0;
    }

    std::vector<std::string> files;
    for (const QString& positional : parser.positionalArguments()) files.push_back(arguments.Bytes(positional));
    const bool exportOption = parser.isSet(size) || parser.isSet(format) || parser.isSet(smooth) ||
                              parser.isSet(xRange) || parser.isSet(yRange);
    if (parser.isSet(check) && parser.isSet(exportTo)) return UsageError(Mode::None, "--check and --export exclude each other");
    if (parser.isSet(check)) {
        if (exportOption || files.size() != 1 || files[0].empty()) return UsageError(Mode::Check, {});
        return RunCheckCommand(files);
    }
    if (!parser.isSet(exportTo)) {
        if (exportOption) return UsageError(Mode::None, "the drawing options go with --export");
        return UsageError(Mode::None, "no command given (--check or --export)");
    }

    ExportOptions o;
    if (parser.isSet(size)) {
        const std::string v = parser.value(size).toStdString();
        const auto wh = ParseSize(v);
        if (!wh) return UsageError(Mode::Export, "bad size '" + v + "' (WIDTHxHEIGHT, 64x48 to 16384x16384)");
        o.Width = wh->first;
        o.Height = wh->second;
    }
    if (parser.isSet(format)) {
        const std::string v = arguments.Bytes(parser.value(format));
        o.Csv = tk::EqualsNoCase(v, "csv");
        const auto picture = PictureFormatNamed(v);
        if (!picture && !o.Csv) return UsageError(Mode::Export, "bad format '" + v + "' (png, bmp, pdf, svg or csv)");
        if (picture) o.Format = *picture;
    }
    o.Smooth = parser.isSet(smooth);
    for (const QCommandLineOption* axis : {&xRange, &yRange}) {
        if (!parser.isSet(*axis)) continue;
        const std::string v = arguments.Bytes(parser.value(*axis));
        const auto range = ParseRange(v);
        if (!range) return UsageError(Mode::Export, "bad range '" + v + "' (LOW:HIGH, two numbers, the first below the second)");
        (axis == &xRange ? o.Zoom.X : o.Zoom.Y) = range;
    }
    if (files.size() < 2) return UsageError(Mode::Export, "missing " + std::string(files.empty() ? "DIR and FILE" : "FILE"));
    if (files.size() > 2) return UsageError(Mode::Export, "too many arguments");
    o.Directory = files[0];
    o.File = files[1];
    return RunExportCommand(o);
}

int RunExportCommand(const std::vector<std::string>& args)
{
    std::vector<std::string> all{"--export"};
    all.insert(all.end(), args.begin(), args.end());
    return RunOptions(all);
}

}  // namespace plots
