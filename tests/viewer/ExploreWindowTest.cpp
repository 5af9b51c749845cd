// Exploring a plot in the real window offscreen, by mouse and keys: zoom by box and wheel, pan,
// home, back and forward, the readout, copying, exporting the data and the window's keys; a
// zoomed window draws what the export draws for the same range.
#include "common/Dialogs.h"
#include "common/Registry.h"
#include "plots/cli/Commands.h"
#include "plots/run/Startup.h"
#include "plots/ui/ExploreBar.h"
#include "plots/ui/PictureBox.h"
#include "plots/ui/PlotExplorer.h"
#include "plots/ui/frmPlots.h"
#include "support/ScriptedDialogs.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMimeData>
#include <QMouseEvent>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QWheelEvent>
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

using namespace plots;

namespace {

class ExploreWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(tmp_.isValid());
        samples_ = QString(TK_SOURCE_DIR) + "/samples";
        QDir::setCurrent(samples_);
    }

    // The window started on a sample, showing its plot after `nexts` presses of Next.
    frmPlots& Start(const char* sample, int nexts = 0)
    {
        form_ = std::make_unique<frmPlots>(tk::Registry(tmp_.path().toStdString() + "/registry.ini"), &dialogs_);
        QApplication::setActiveWindow(form_.get());
        form_->WaitUntilShown();
        EXPECT_TRUE(Main(form_->viewer(), form_->registry(), (samples_ + "/" + sample).toStdString()).Started);
        for (int i = 0; i < nexts; ++i) QTest::mouseClick(form_->cmdNext, Qt::LeftButton);
        return *form_;
    }

    // A mouse event on the plot, with the buttons held and keys pressed that a drag has.
    void Mouse(QEvent::Type type, QPointF at, Qt::MouseButton button, Qt::MouseButtons held,
               Qt::KeyboardModifiers keys = Qt::NoModifier)
    {
        QWidget* box = form_->picBox;
        QMouseEvent e(type, at, box->mapToGlobal(at), button, held, keys);
        QApplication::sendEvent(box, &e);
    }
    void Drag(QPointF from, QPointF to, Qt::MouseButton button = Qt::LeftButton, Qt::KeyboardModifiers keys = {})
    {
        Mouse(QEvent::MouseButtonPress, from, button, button, keys);
        Mouse(QEvent::MouseMove, (from + to) / 2, Qt::NoButton, button, keys);
        Mouse(QEvent::MouseMove, to, Qt::NoButton, button, keys);
        Mouse(QEvent::MouseButtonRelease, to, button, Qt::NoButton, keys);
    }
    void Wheel(QPointF at, int notches)
    {
        QWidget* box = form_->picBox;
        QWheelEvent e(at, box->mapToGlobal(at), QPoint(), QPoint(0, 120 * notches), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
        QApplication::sendEvent(box, &e);
    }
    // A widget position at a pixel of the surface.
    QPointF At(QPointF surfacePx) const { return surfacePx / form_->picBox->devicePixelRatioF(); }
    QPointF AtData(double x, double y) const { return At(form_->viewer().ShownView()->ToPixel({x, y})); }
    QImage Shown() const { return form_->viewer().Canvas().Picture().convertToFormat(QImage::Format_RGB32); }

    QTemporaryDir tmp_;
    QString samples_;
    tk::ScriptedDialogs dialogs_;
    std::unique_ptr<frmPlots> form_;
};

qsizetype Differing(const QImage& a, const QImage& b)
{
    if (a.size() != b.size()) return a.width() * qsizetype(a.height());
    qsizetype n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) n += a.pixel(x, y) != b.pixel(x, y);
    return n;
}

std::string Number(double v)
{
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.17g", v);
    return buf;
}

TEST_F(ExploreWindowTest, ABoxZoomsAndEscapeBackAndForwardWalkTheHistory)
{
    frmPlots& f = Start("lorentz2.plt");
    const QImage whole = Shown();
    EXPECT_FALSE(f.exploreBar->isVisible()) << "untouched, the window is as it was";
    EXPECT_TRUE(f.lblReadout->text().isEmpty());

    Drag(AtData(20, 0.5), AtData(60, -0.5));
    ASSERT_TRUE(f.viewer().ShownZoom().IsZoomed());
    const AxisRange x = *f.viewer().ShownZoom().X;
    EXPECT_NEAR(x.Min, 20, 0.5);
    EXPECT_NEAR(x.Max, 60, 0.5);
    EXPECT_TRUE(f.exploreBar->isVisible());
    for (const QToolButton* b : {f.exploreBar->cmdHome, f.exploreBar->cmdBack, f.exploreBar->cmdForward, f.exploreBar->cmdPrevious})
        EXPECT_FALSE(b->icon().isNull()) << b->objectName().toStdString();
    EXPECT_TRUE(f.exploreBar->cmdHome->isEnabled());
    const QImage zoomed = Shown();
    EXPECT_GT(Differing(zoomed, whole), 0);

    // Escape and U return to the plot as the sequence drew it; Back and Forward walk the history.
    QTest::keyClick(&f, Qt::Key_Escape);
    EXPECT_FALSE(f.viewer().ShownZoom().IsZoomed());
    EXPECT_EQ(Differing(Shown(), whole), 0);
    QTest::keyClick(&f, Qt::Key_Right, Qt::AltModifier);
    EXPECT_EQ(f.viewer().ShownZoom().X, x);
    QTest::keyClick(&f, Qt::Key_U);
    EXPECT_FALSE(f.viewer().ShownZoom().IsZoomed());
    QTest::mouseClick(f.exploreBar->cmdForward, Qt::LeftButton);
    EXPECT_TRUE(f.viewer().ShownZoom().IsZoomed());
    QTest::mouseClick(f.exploreBar->cmdHome, Qt::LeftButton);
    EXPECT_FALSE(f.viewer().ShownZoom().IsZoomed());
    EXPECT_FALSE(f.exploreBar->cmdHome->isEnabled());

    // The keyboard zooms about the plot's middle and pans by a tenth of the frame.
    QTest::keyClick(&f, Qt::Key_Plus);
    ASSERT_TRUE(f.viewer().ShownZoom().IsZoomed());
    const AxisRange in = *f.viewer().ShownZoom().X;
    QTest::keyClick(&f, Qt::Key_Right, Qt::ControlModifier);
    const AxisRange right = *f.viewer().ShownZoom().X;
    EXPECT_NEAR(right.Max - right.Min, in.Max - in.Min, 1e-9);
    EXPECT_NEAR(right.Min - in.Min, (in.Max - in.Min) / 10, 0.02 * (in.Max - in.Min));
    ASSERT_TRUE(f.viewer().ShownZoom().Y);
    const AxisRange low = *f.viewer().ShownZoom().Y;
    QTest::keyClick(&f, Qt::Key_Up, Qt::ControlModifier);
    EXPECT_GT(f.viewer().ShownZoom().Y->Min, low.Min) << "up shows higher values";
    QTest::keyClick(&f, Qt::Key_Minus);
    EXPECT_GT(f.viewer().ShownZoom().X->Max - f.viewer().ShownZoom().X->Min, in.Max - in.Min);
    QTest::keyClick(&f, Qt::Key_Escape);

    // The next plot starts unzoomed, with a history of its own.
    Drag(AtData(20, 0.5), AtData(60, -0.5));
    QTest::mouseClick(f.cmdNext, Qt::LeftButton);
    EXPECT_FALSE(f.viewer().ShownZoom().IsZoomed());
    EXPECT_FALSE(f.exploreBar->cmdBack->isEnabled());
}

// Every kind of plot, zoomed by box, wheel or pan, is the picture the export draws for the
// range the window shows.
TEST_F(ExploreWindowTest, EveryZoomedPlotIsTheExportOfItsRange)
{
    enum Gesture { Box, WheelIn, Pan };
    const struct {
        const char* Sample;
        int Plot;  // counted from 1, as the export numbers its files
        Gesture How;
    } cases[] = {
        {"lorentz2.plt", 1, Box},     {"lorentz2.plt", 1, WheelIn}, {"lorentz2.plt", 2, Pan}, {"tunewave.plt", 1, Box},
        {"tunewave.plt", 2, WheelIn}, {"tunewave.plt", 4, Box},   {"tunewave.plt", 5, Pan},
        {"expdecay.plt", 1, Box},     {"dampsine.plt", 1, WheelIn}, {"power3.plt", 2, Box},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.Sample) + " plot " + std::to_string(c.Plot) + " gesture " + std::to_string(c.How));
        frmPlots& f = Start(c.Sample, c.Plot - 1);
        const QRectF frame = f.viewer().ShownView()->FramePx();
        const QPointF mid = frame.center();
        const QPointF quarter(frame.width() / 4, frame.height() / 4);
        if (c.How == Box) Drag(At(mid - quarter), At(mid + quarter / 2));
        if (c.How == WheelIn) Wheel(At(mid + quarter / 3), 2);
        if (c.How == Pan) Drag(At(mid), At(mid + quarter), Qt::LeftButton, Qt::ShiftModifier);
        ASSERT_TRUE(f.viewer().ShownZoom().IsZoomed());
        const PlotZoom zoom = f.viewer().ShownZoom();
        const QImage zoomed = Shown();
        std::vector<std::string> args{(tmp_.path() + "/zoomed").toStdString(), "--size",
                                      std::to_string(zoomed.width()) + "x" + std::to_string(zoomed.height())};
        if (zoom.X) args.insert(args.end(), {"--x-range", Number(zoom.X->Min) + ":" + Number(zoom.X->Max)});
        if (zoom.Y) args.insert(args.end(), {"--y-range", Number(zoom.Y->Min) + ":" + Number(zoom.Y->Max)});
        args.push_back((samples_ + "/" + c.Sample).toStdString());
        ASSERT_EQ(RunExportCommand(args), 0);
        const std::string stem = QFileInfo(c.Sample).completeBaseName().toStdString();
        const QImage exported =
            QImage(tmp_.path() + "/zoomed/" + QString::fromStdString(stem) + (c.Plot < 10 ? "-0" : "-") +
                   QString::number(c.Plot) + ".png")
                .convertToFormat(QImage::Format_RGB32);
        EXPECT_EQ(Differing(zoomed, exported), 0);
        form_.reset();
    }
}

TEST_F(ExploreWindowTest, WheelZoomsAboutTheMouseAndShiftDragPans)
{
    frmPlots& f = Start("lorentz2.plt");
    const AxisRange before = f.viewer().ShownView()->ShownX();
    const QPointF at = AtData(30, 0);
    Wheel(at, 1);
    ASSERT_TRUE(f.viewer().ShownZoom().X);
    const AxisRange in = *f.viewer().ShownZoom().X;
    EXPECT_NEAR(in.Max - in.Min, 0.8 * (before.Max - before.Min), 1e-6 * (before.Max - before.Min));
    EXPECT_NEAR(f.viewer().ShownView()->ToData(at * f.picBox->devicePixelRatioF()).x(), 30, 0.05)
        << "the point under the mouse stays under it";

    const QPointF from = AtData(30, 0), to = AtData(40, 0);
    for (auto [button, keys] : {std::pair{Qt::LeftButton, Qt::ShiftModifier}, std::pair{Qt::MiddleButton, Qt::NoModifier}}) {
        const AxisRange was = *f.viewer().ShownZoom().X;
        Drag(from, to, button, keys);
        const AxisRange now = *f.viewer().ShownZoom().X;
        EXPECT_NEAR(now.Min, was.Min - 10, 0.05);
        EXPECT_NEAR(now.Max - now.Min, was.Max - was.Min, 1e-6);
    }
    QTest::keyClick(&f, Qt::Key_Left, Qt::AltModifier);
    QTest::keyClick(&f, Qt::Key_Left, Qt::AltModifier);
    EXPECT_EQ(*f.viewer().ShownZoom().X, in) << "each pan is one step of the history";
}

TEST_F(ExploreWindowTest, TheStatusLineReadsTheDataUnderTheMouseAndSnapsToACurve)
{
    frmPlots& f = Start("lorentz2.plt", 1);  // the curve against the data
    const PlotView view = *f.viewer().ShownView();
    const Series& x = f.viewer().Run().Data().DataX;
    const Series& y = f.viewer().Run().Data().DataY1;
    const std::size_t i = x.size() / 3;
    const QPointF point = At(view.ToPixel({x[i], y[i]}));
    Mouse(QEvent::MouseMove, point + QPointF(0, 30), Qt::NoButton, Qt::NoButton);
    EXPECT_TRUE(f.lblReadout->text().startsWith("X: ")) << f.lblReadout->text().toStdString();
    Mouse(QEvent::MouseMove, point, Qt::NoButton, Qt::NoButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return f.lblReadout->text().contains("#"); }, PlotExplorer::SnapRestMs * 5));
    const std::string snapped = f.lblReadout->text().toStdString();
    EXPECT_EQ(snapped.rfind("DATA  #", 0), 0u) << snapped;
}

TEST_F(ExploreWindowTest, CopyAndExportDataGiveTheShownPlot)
{
    frmPlots& f = Start("lorentz2.plt");
    QTest::keyClick(&f, Qt::Key_C, Qt::ControlModifier);
    const QMimeData* copied = QApplication::clipboard()->mimeData();
    ASSERT_NE(copied, nullptr);
    EXPECT_EQ(qvariant_cast<QImage>(copied->imageData()).size(), f.viewer().Canvas().Picture().size());
    EXPECT_TRUE(copied->data("image/svg+xml").startsWith("<?xml"));

    const QString csv = tmp_.path() + "/plot";
    dialogs_.FileAnswers = {csv.toStdString()};
    ASSERT_TRUE(f.viewer().ExportShownData());
    QFile file(csv + ".csv");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = file.readAll().split('\n');
    EXPECT_EQ(lines.front(), "Time,Error");
    EXPECT_EQ(lines.size(), f.viewer().Run().Data().PointCount + 2);  // the header, the rows and the end
}

TEST_F(ExploreWindowTest, PreviousAndThePlotListShowWhatNextDrewThere)
{
    frmPlots& f = Start("tunewave.plt");  // the map first
    std::vector<QImage> drawn{Shown()};
    for (int i = 0; i < 2; ++i) {
        QTest::mouseClick(f.cmdNext, Qt::LeftButton);
        drawn.push_back(Shown());
    }
    const std::string output = f.OutputText();
    ASSERT_EQ(f.viewer().StepTitles().size(), 3u);
    EXPECT_EQ(f.viewer().StepTitles().front(), "1. Poles (X), Zeroes (O) and Doublets (D)");

    QTest::keyClick(&f, Qt::Key_PageUp);
    EXPECT_EQ(Differing(Shown(), drawn[1]), 0);
    QTest::keyClick(&f, Qt::Key_PageUp);
    EXPECT_EQ(Differing(Shown(), drawn[0]), 0);
    EXPECT_FALSE(f.viewer().CanShowPrevious());
    QTest::mouseClick(f.cmdNext, Qt::LeftButton);
    EXPECT_EQ(Differing(Shown(), drawn[1]), 0) << "Next shows again what it drew there";
    ASSERT_TRUE(f.viewer().ShowStep(2));
    EXPECT_EQ(Differing(Shown(), drawn[2]), 0);
    EXPECT_EQ(f.OutputText(), output) << "going back and forth reads and reports nothing";

    QTest::mouseClick(f.cmdNext, Qt::LeftButton);  // past the plots shown: the run goes on
    EXPECT_EQ(f.viewer().StepTitles().size(), 4u);
    EXPECT_NE(f.OutputText(), output);
}

TEST_F(ExploreWindowTest, KeysReachTheCommandsOfTheShownPage)
{
    frmPlots& f = Start("lorentz2.plt");
    QTest::keyClick(&f, Qt::Key_PageDown);
    EXPECT_NE(f.OutputText().find("Calling 2nd line plot"), std::string::npos);
    QTest::keyClick(&f, Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(f.CurrentTab(), TabSetup) << "from the last tab to the first";
    QTest::keyClick(&f, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(f.CurrentTab(), TabPlot);
    QTest::keyClick(&f, Qt::Key_F1);
    ASSERT_FALSE(dialogs_.Boxes.empty());
    EXPECT_NE(dialogs_.Boxes.back().Text.find("Alt+Q"), std::string::npos);
    QTest::keyClick(&f, Qt::Key_S, Qt::ControlModifier);
    ASSERT_FALSE(dialogs_.FileRequests.empty());
    EXPECT_EQ(dialogs_.FileRequests.back().Title, "Save Plot File As ...");
    QTest::keyClick(&f, Qt::Key_Q, Qt::AltModifier);
    EXPECT_EQ(f.CurrentTab(), TabSetup) << "Quit ended the run";
    EXPECT_TRUE(f.cmdOpen->isEnabled());
    QTest::keyClick(&f, Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(dialogs_.FileRequests.back().Title, "Open Response Input File");
}

}  // namespace
