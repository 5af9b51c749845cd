// The run's other files, shown as they are: the tool's output listing appended to the output
// box, the run's source appended to the input box, and a finished plot kept as a picture.
#include "plots/data/Listings.h"

#include "common/Paths.h"
#include "common/TextFile.h"
#include "plots/run/FileAccess.h"
#include "plots/run/PlotPaths.h"

#include <QImage>
#include <QString>

namespace plots {
namespace {

const char* const CrLf = "\r\n";
const char* const ErrorBanner = "             =============== Error? =========";
const char* const NotRequiredBanner = "====================== Output file not required. =====================";

// The next line of the listing as the boxes show it: trailing spaces removed, CR LF added.
// False at the end of the file or when the file cannot be read further.
bool ReadLineCrLf(tk::LineReader& in, std::string& line)
{
    if (!in.ReadLine(line)) return false;
    const auto end = line.find_last_not_of(' ');
    line.erase(end == std::string::npos ? 0 : end + 1);
    line += CrLf;
    return true;
}

// Reads the whole file in listing form into `text`; false when it could not be opened or read
// to its end (what was read so far stays in `text`).
bool ReadListing(const std::string& path, std::string& text)
{
    tk::LineReader in;
    if (!in.Open(tk::ResolvePath(path))) return false;
    std::string line;
    while (ReadLineCrLf(in, line)) text += line;
    const bool complete = !in.Failed();
    in.Close();
    return complete;
}

}  // namespace

void ReadOutputFile(PlotContext& ctx, const std::string& path)
{
    if (!FileExists(path, ctx.Messages)) {
        ctx.Host.AppendOutput(std::string(CrLf) + CrLf + CrLf + ErrorBanner + CrLf + "Output file is missing in ... " +
                              path + CrLf + NotRequiredBanner + CrLf + " ");
        return;
    }
    // The first line continues the box's last line: no break is put in front of it.
    std::string text;
    const bool complete = ReadListing(path, text);
    ctx.Host.AppendOutput(text);
    if (complete) return;
    ctx.Host.AppendOutput(std::string(CrLf) + CrLf + ErrorBanner + CrLf + "Output file corrupted in ... " + path +
                          CrLf + NotRequiredBanner + CrLf);
    ctx.Host.ShowFilename();
}

void ReadSourceFile(PlotContext& ctx, const std::string& path)
{
    std::string source = path;
    const bool found = FileExists(source, ctx.Messages) || ExistsInParent(source, ctx.Messages);
    tk::LineReader in;
    if (found && in.Open(tk::ResolvePath(source))) {
        ctx.Host.ShowTab(TabInput);
        ctx.Host.SetTabCaption(TabInput, "Source");
        std::string text;
        std::string line;
        while (ReadLineCrLf(in, line)) text += line;
        ctx.Host.AppendInput(text);
        const bool complete = !in.Failed();
        in.Close();
        if (complete) return;
    }
    ctx.Messages.Show(ctx.Run.PlotBase + CrLf + "Source file is missing or corrupted.", "Reading source file error",
                      tk::MsgIcon::Exclamation, tk::MsgButtons::Ok);
    ctx.Run.PlotBase.clear();
    ctx.Host.ShowFilename();
}

void ShowPicturePlot(PlotContext& ctx, const std::string& path)
{
    ctx.Host.ShowTab(TabPlot);
    ctx.Run.PictureIndex = 2;

    // A picture that is missing or cannot be decoded leaves the surface as it was. The picture
    // is stretched in pixel units, so a line plot's upward scale never turns it upside down.
    if (FileExists(path, ctx.Messages)) {
        const QImage picture(QString::fromStdString(tk::ResolvePath(path)));
        if (!picture.isNull()) {
            Surface& s = ctx.Canvas;
            s.Clear();
            s.SetPixelScale();
            s.DrawPicture(picture, 0, 0, s.ScaleWidth(), s.ScaleHeight());
            s.Refresh();
        }
    }

    ctx.Host.SetCommandEnabled(Command::SaveAs, true);
    ctx.Host.SetCommandEnabled(Command::Print, true);
    ctx.Host.SetCommandEnabled(Command::Next, true);
    ctx.Host.SetCommandEnabled(Command::PlotResults, false);
    ctx.Host.FocusCommand(Command::Next);
    ctx.Host.ShowFilename();
}

}  // namespace plots
