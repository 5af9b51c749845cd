#include "Pitchwell/SignUpPrint.h"

#include "common/PrintFile.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>

#include <cmath>

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

std::string PrintFailureText(const std::string& file, const std::string& reason)
{
    return "The registration form could not be written to" "\r\n" + file + "\r\n" + reason + ".";
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

PrintOutcome PrintOnPrinter(QPrinter& printer, const std::vector<PrintStep>& steps)
{
    const tk::PrintedFile printed = tk::PrintWhole(printer, [&](QPrinter& p) { return PrintSteps(p, steps); });
    PrintOutcome outcome;
    outcome.Printed = printed.Printed;
    outcome.File = printed.File;
    if (!printed.Printed && !printed.File.empty()) outcome.FailureText = PrintFailureText(printed.File, printed.Reason);
    return outcome;
}

}  // namespace pitchwell
