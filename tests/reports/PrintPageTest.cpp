#include "plots/render/PrintedPage.h"
#include "plots/report/RunSummary.h"

#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace plots;

namespace {

std::string RunTool(const QString& program, const QStringList& args)
{
    QProcess p;
    p.start(program, args);
    p.waitForFinished(-1);
    return p.readAllStandardOutput().toStdString();
}

}  // namespace

TEST(PrintedPage, OrientationFollowsThePictureAndTheCaptionIsPrintedBelowIt)
{
    const struct {
        const char* Name;
        int Width, Height;
        bool Landscape;
    } cases[] = {
        {"wide picture", 1024, 768, true},
        {"tall picture", 400, 900, false},
        {"square picture", 500, 500, false},
    };
    for (const auto& c : cases) {
        QTemporaryDir dir;
        const QString pdf = dir.filePath("page.pdf");
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        // The plot is drawn as vectors: its text is text on the page.
        const auto draw = [](Surface& s) {
            s.Clear();
            s.SetCurrentX(20);
            s.SetCurrentY(20);
            s.Print("Error Amplitude");
            s.Line(0, 0, s.PixelWidth(), s.PixelHeight(), Red);
        };
        ASSERT_TRUE(PrintPlotPage(printer, QSize(c.Width, c.Height), draw, PrintCaption("/runs/lorentz2", ".01299989")))
            << c.Name;

        const std::string info = RunTool("pdfinfo", {pdf});
        ASSERT_NE(info.find("Pages:           1"), std::string::npos) << info;
        const auto size = info.find("Page size:");
        ASSERT_NE(size, std::string::npos) << info;
        double w = 0, h = 0;
        ASSERT_EQ(std::sscanf(info.c_str() + size, "Page size: %lf x %lf", &w, &h), 2) << info;
        EXPECT_EQ(w > h, c.Landscape) << c.Name << ": " << info;

        const std::string text = RunTool("pdftotext", {"-layout", pdf, "-"});
        EXPECT_NE(text.find("Input file name = /runs/lorentz2"), std::string::npos) << c.Name << ": " << text;
        EXPECT_NE(text.find("errorSum = .01299989"), std::string::npos) << c.Name << ": " << text;
        EXPECT_NE(text.find("Error Amplitude"), std::string::npos) << c.Name << ": the plot's text is text";
    }
}

TEST(PrintedPage, NothingToDrawIsNotPrinted)
{
    QTemporaryDir dir;
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath("page.pdf"));
    EXPECT_FALSE(PrintPlotPage(printer, QSize(), [](Surface&) {}, PrintCaption("run", "1")));
}
