#include "Pitchwell/SignUpPrint.h"

#include "common/SafeFile.h"

#include <QFile>
#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>

#include <cerrno>
#include <cstdlib>
#include <cmath>
#include <fstream>
#include <iterator>
#include <string_view>

#include <sys/statvfs.h>

namespace pitchwell {

namespace {

constexpr int Inch = 1440;

class StepList {
public:
    void Font(int points) { steps_.push_back({PrintStep::Kind::FontSize, points, {}}); }
    void X(int twips) { steps_.push_back({PrintStep::Kind::CurrentX, twips, {}}); }
    void Y(int twips) { steps_.push_back({PrintStep::Kind::CurrentY, twips, {}}); }
    void Line(const std::string& text) { steps_.push_back({PrintStep::Kind::Print, 0, text}); }
    void LineAt(int twips, const std::string& text)
    {
        X(twips);
        Line(text);
    }
    void Blank() { Line(" "); }
    void End() { steps_.push_back({PrintStep::Kind::EndDoc, 0, {}}); }
    std::vector<PrintStep> Take() { return std::move(steps_); }

private:
    std::vector<PrintStep> steps_;
};

// The PDF engine does not report its write errors; a file cut short on a disk without a free
// block was cut short by the full disk.
int WhyCutShort(const std::string& path)
{
    struct statvfs info {};
    return ::statvfs(path.c_str(), &info) == 0 && info.f_bavail == 0 ? ENOSPC : EIO;
}

std::string PrintFailureText(const std::string& file, const std::string& reason)
{
    return "The registration form could not be written to" "\r\n" + file + "\r\n" + reason + ".";
}

PrintOutcome PrintToPdfFile(QPrinter& printer, const std::vector<PrintStep>& steps)
{
    PrintOutcome outcome;
    outcome.File = QFile::encodeName(printer.outputFileName()).toStdString();
    tk::SafeFile file(outcome.File);
    if (file.Open()) {
        const QString chosen = printer.outputFileName();
        printer.setOutputFileName(QFile::decodeName(file.TemporaryPath().c_str()));
        const bool printed = PrintSteps(printer, steps);
        printer.setOutputFileName(chosen);
        outcome.Printed = file.Commit([&](const std::string& path) {
            if (printed && IsWholePdf(path))
                return true;
            errno = WhyCutShort(path);
            return false;
        });
    }
    if (!outcome.Printed)
        outcome.FailureText = PrintFailureText(outcome.File, file.ErrorText());
    return outcome;
}

}  // namespace

std::vector<PrintStep> SignUpPrintSteps(const SignUpCaptions& c, const SignUpForm& f)
{
    const std::string tab = "\t", tabs = "\t\t";
    const int half = Inch / 2;
    StepList s;
    s.Font(18);
    s.X(3 * Inch);
    s.Y(100);
    s.Line("IBO Registration Form");
    s.LineAt(0, " ");
    s.Font(12);
    s.LineAt(Inch * 3 / 2, "If interested in becoming an Independent Business Owner, fill out ");
    s.LineAt(Inch * 3 / 2, "the form below. Print it and mail it with a check for US$20 to IBO ");
    s.LineAt(Inch * 3 / 2, "Registration Dept., Tavrick Enterprise, " + SignUpStreet + ",");
    s.LineAt(Inch * 3 / 2, SignUpCityState + ". (The registration fee is due yearly.)");
    s.LineAt(half, " ");
    s.LineAt(half, c.Sponsor + tab + f.Sponsor);
    s.Blank();
    s.LineAt(half, c.SponsorsID + tabs + f.SponsorsID);
    s.Blank();
    s.LineAt(Inch * 5 / 2, c.YourInfo);
    s.Blank();
    s.LineAt(half, c.FirstName + tabs + f.FirstName);
    s.Blank();
    s.LineAt(half, c.LastName + tabs + f.LastName);
    s.Blank();
    s.LineAt(half, c.SSNo + tab + f.SSNo);
    s.Blank();
    s.LineAt(half, c.Address + tabs + f.Address);
    s.Blank();
    s.LineAt(half, c.City + tab + f.City + tab + c.State + "  " + f.State + tab + c.Zip + tab + f.Zip);
    s.Blank();
    s.LineAt(half, c.Email + tabs + f.Email);
    s.Blank();
    // The untouched sample is not a phone number.
    s.LineAt(half, f.Phone.compare(0, 4, "e.g.") == 0 ? c.Phone : c.Phone + tabs + f.Phone);
    s.Blank();
    s.LineAt(half, c.Required);
    s.Blank();
    s.LineAt(half, "Note:  For those registering, we will e-mail you a sample CEO letter, QZ");
    s.LineAt(Inch, "pros & cons list, etc. to help get you past those famous gatekeepers.");
    s.End();
    return s.Take();
}

bool PrintSteps(QPrinter& printer, const std::vector<PrintStep>& steps)
{
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    // Positions are twips from the printable area's top left corner.
    const double perTwipX = printer.logicalDpiX() / double(Inch);
    const double perTwipY = printer.logicalDpiY() / double(Inch);
    QFont font = painter.font();
    double x = 0, y = 0;  // twips
    for (const PrintStep& step : steps) {
        switch (step.What) {
        case PrintStep::Kind::FontSize:
            font.setPointSize(step.Value);
            painter.setFont(font);
            break;
        case PrintStep::Kind::CurrentX:
            x = step.Value;
            break;
        case PrintStep::Kind::CurrentY:
            y = step.Value;
            break;
        case PrintStep::Kind::Print: {
            const QFontMetricsF metrics(painter.font(), &printer);
            const double baseline = y * perTwipY + metrics.ascent();
            double pen = x * perTwipX;
            const QString text = QString::fromStdString(step.Text);
            const double stop = PrintTabStopTwips * perTwipX;
            // A tab always leaves at least a blank's room, so caption and value never touch.
            const double minimumGap = metrics.horizontalAdvance(' ');
            const QStringList pieces = text.split('\t');
            for (qsizetype i = 0; i < pieces.size(); ++i) {
                if (i > 0)
                    pen = (std::floor((pen + minimumGap) / stop) + 1) * stop;
                painter.drawText(QPointF(pen, baseline), pieces[i]);
                pen += metrics.horizontalAdvance(pieces[i]);
            }
            y += metrics.lineSpacing() / perTwipY;
            x = 0;
            break;
        }
        case PrintStep::Kind::EndDoc:
            return painter.end();
        }
    }
    return painter.end();
}

bool IsWholePdf(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    const std::string pdf((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad() || pdf.compare(0, 5, "%PDF-") != 0)
        return false;
    const std::string marker = "%%EOF";
    const std::size_t last = pdf.find_last_not_of("\r\n \t");
    if (last == std::string::npos || last + 1 < marker.size() ||
        pdf.compare(last + 1 - marker.size(), marker.size(), marker) != 0)
        return false;
    const std::string startxref = "startxref";
    const std::size_t at = pdf.rfind(startxref, last);
    if (at == std::string::npos)
        return false;
    const std::size_t table = std::strtoull(pdf.c_str() + at + startxref.size(), nullptr, 10);
    if (table == 0 || table >= at || (pdf[table - 1] != '\n' && pdf[table - 1] != '\r'))
        return false;
    if (pdf.compare(table, 4, "xref") == 0)
        return true;
    // A cross-reference stream instead of a table: its object, "12 0 obj".
    char* end = nullptr;
    std::strtoul(pdf.c_str() + table, &end, 10);
    if (end == pdf.c_str() + table || *end != ' ')
        return false;
    const char* generation = end + 1;
    std::strtoul(generation, &end, 10);
    return end != generation && std::string_view(end).substr(0, 4) == " obj";
}

PrintOutcome PrintOnPrinter(QPrinter& printer, const std::vector<PrintStep>& steps)
{
    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty())
        return PrintToPdfFile(printer, steps);
    PrintOutcome outcome;
    // A printer that cannot take the page says nothing.
    outcome.Printed = PrintSteps(printer, steps);
    return outcome;
}

}  // namespace pitchwell
