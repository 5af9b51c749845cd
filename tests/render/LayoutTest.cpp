// Every plot of every sample run, drawn at sizes from a small window to a 4K screen: each text
// lies whole inside the surface, and the titles and legends do not print over each other.
#include "plots/run/Viewer.h"
#include "plots/run/WholeSequence.h"
#include "support/RecordingSurface.h"

#include <QDir>
#include <gtest/gtest.h>

#include <functional>
#include <sstream>

namespace plots {
namespace {

struct Size {
    int W, H;
};
// From the plot surface of a maximised window on a 640 x 480 screen to a 4K picture.
const Size Sizes[] = {{620, 380}, {640, 480}, {800, 600}, {1024, 768}, {1260, 861}, {1920, 1080}, {3840, 2160}};

// Each plot of a sample's sequence at a surface size, recorded; `look` returns false to stop.
void RecordEachPlot(const Size& size, const std::string& file,
                    const std::function<bool(const RecordingSurface&, PlotKind)>& look)
{
    SequenceOptions options;
    options.Width = size.W;
    options.Height = size.H;
    RenderWholeSequence(file, options, [&](const SequencePlot& plot, Surface&, PlotKind kind, int) {
        RecordingSurface recording(size.W, size.H);
        plot.DrawShownOn(recording);
        return look(recording, kind);
    });
}

std::string Describe(const DrawCall& d)
{
    std::ostringstream o;
    o << '"' << d.Text_ << "\" at " << d.Ink.x() << "," << d.Ink.y() << " size " << d.Ink.width() << "x"
      << d.Ink.height();
    return o.str();
}

bool Overprint(const DrawCall& a, const DrawCall& b)
{
    // Glyphs that touch by a pixel (a parenthesis beside a dash) print nothing over each other.
    const QRectF overlap = a.Ink.intersected(b.Ink);
    return overlap.width() > 1.5 && overlap.height() > 1.5;
}

// What is wrong with one recorded plot: texts outside, titles and legends over each other or
// over an axis label. (The pole-zero markers mark data and may stand anywhere.)
std::vector<std::string> LayoutFaults(const RecordingSurface& s)
{
    std::vector<std::string> faults;
    const QRectF surface(-0.5, -0.5, s.PixelWidth() + 1, s.PixelHeight() + 1);
    std::vector<DrawCall> blocks, labels;
    for (const DrawCall& d : s.Texts()) {
        if (d.Text_.find_first_not_of(" \t") == std::string::npos) continue;
        if (!surface.contains(d.Ink)) faults.push_back("outside: " + Describe(d));
        const bool marker = d.Text_ == "X" || d.Text_ == "O" || d.Text_ == "dO";
        if (d.InPixelUnits) blocks.push_back(d);
        else if (!marker) labels.push_back(d);
    }
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        for (std::size_t j = i + 1; j < blocks.size(); ++j)
            if (Overprint(blocks[i], blocks[j]))
                faults.push_back("over each other: " + Describe(blocks[i]) + " and " + Describe(blocks[j]));
        for (const DrawCall& label : labels)
            if (Overprint(blocks[i], label))
                faults.push_back("over a label: " + Describe(blocks[i]) + " and " + Describe(label));
    }
    return faults;
}

TEST(Layout, TextsStayWholeAndApartAtEverySize)
{
    const QStringList samples = QDir(TK_SOURCE_DIR "/samples").entryList({"*.plt"}, QDir::Files, QDir::Name);
    ASSERT_GE(samples.size(), 10);
    for (const Size& size : Sizes) {
        for (const QString& sample : samples) {
            const std::string file = (TK_SOURCE_DIR "/samples/" + sample).toStdString();
            RecordEachPlot(size, file, [&](const RecordingSurface& recording, PlotKind kind) {
                for (const std::string& fault : LayoutFaults(recording))
                    ADD_FAILURE() << size.W << "x" << size.H << " " << sample.toStdString() << " "
                                  << PlotKindName(kind) << ": " << fault;
                return true;
            });
        }
    }
}

// The columns where a legend line's values start: the pieces after its label that hold a value.
std::vector<double> ValueColumns(const DrawCall& d)
{
    std::vector<double> columns;
    const QStringList pieces = QString::fromStdString(d.Text_).split('\t');
    for (qsizetype i = 1; i < pieces.size(); ++i)
        if (!pieces[i].trimmed().isEmpty()) columns.push_back(d.PieceX[std::size_t(i)]);
    return columns;
}

// The parameter and pole-zero legends print their labels at x = 15 and their values at tab
// stops; the labels differ in width, and the values of every row still stand in one column.
TEST(Layout, LegendValuesStandInOneColumnAtEverySize)
{
    const Size sizes[] = {{400, 300}, {640, 480}, {600, 1000}, {1024, 768}, {1280, 1024}, {1920, 1080}, {3840, 2160}};
    const QStringList samples = QDir(TK_SOURCE_DIR "/samples").entryList({"*.plt", "*.2lt"}, QDir::Files, QDir::Name);
    int blocks = 0;
    for (const Size& size : sizes) {
        for (const QString& sample : samples) {
            const std::string file = (TK_SOURCE_DIR "/samples/" + sample).toStdString();
            RecordEachPlot(size, file, [&](const RecordingSurface& recording, PlotKind kind) {
                std::vector<DrawCall> rows;
                for (const DrawCall& d : recording.Texts())
                    if (d.InPixelUnits && d.P1.x() == 15 && ValueColumns(d).size() > 0) rows.push_back(d);
                if (rows.size() < 2) return true;
                ++blocks;
                const std::vector<double> first = ValueColumns(rows[0]);
                for (const DrawCall& row : rows) {
                    const std::vector<double> columns = ValueColumns(row);
                    for (std::size_t i = 0; i < std::min(first.size(), columns.size()); ++i)
                        EXPECT_NEAR(columns[i], first[i], 0.5)
                            << size.W << "x" << size.H << " " << sample.toStdString() << " " << PlotKindName(kind)
                            << ": value " << i + 1 << " of \"" << row.Text_ << "\" against \"" << rows[0].Text_ << "\"";
                }
                return true;
            });
        }
    }
    EXPECT_GE(blocks, 7 * 8) << "the samples' legends with several rows";
}

// The turned Y-axis title grows with the surface as the X-axis title beside it does.
TEST(Layout, AmplitudeTitleScalesWithTheOtherTexts)
{
    int measured = 0;
    for (const Size& size : {Size{400, 300}, Size{640, 480}, Size{1280, 1024}, Size{3840, 2160}}) {
        RecordEachPlot(size, TK_SOURCE_DIR "/samples/sine2.plt", [&](const RecordingSurface& recording, PlotKind) {
            const DrawCall* amplitude = recording.FindText("Amplitude");
            const DrawCall* time = recording.FindText("Time");
            if (!amplitude || !time) return true;
            // A turned text's line height is its box's width.
            const double ratio = amplitude->Box.width() / time->Box.height();
            EXPECT_GT(ratio, 0.75) << size.W << "x" << size.H;
            EXPECT_LT(ratio, 1.33) << size.W << "x" << size.H;
            ++measured;
            return false;
        });
    }
    EXPECT_EQ(measured, 4);
}

}  // namespace
}  // namespace plots
