// The plot window driven offscreen: its state after loading, its captions, the settings panel
// with its enabling rules, checks and store, and the window's part in a run.
#include "common/Dialogs.h"
#include "common/FormResizer.h"
#include "common/Registry.h"
#include "plots/run/Startup.h"
#include "plots/run/WholeSequence.h"
#include "plots/ui/PictureBox.h"
#include "plots/ui/SettingsPanel.h"
#include "plots/ui/frmPlots.h"
#include "support/ScriptedDialogs.h"
#include "support/WholeTexts.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QMimeData>
#include <QUrl>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <chrono>
#include <fstream>
#include <functional>
#include <thread>
#include <memory>
#include <string>

using namespace plots;

namespace {

const std::string& Key = SettingsSubkey;

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(tmp_.isValid()); }

    tk::Registry Store() { return tk::Registry(tmp_.path().toStdString() + "/registry.ini"); }

    frmPlots& Open()
    {
        form_ = std::make_unique<frmPlots>(Store(), &dialogs_);
        QApplication::setActiveWindow(form_.get());
        form_->WaitUntilShown();
        return *form_;
    }

    // A run on a sample's data with a 3 MB output listing (UTF-8, its last line Windows-1252);
    // returns the listing's text as a whole read gives it.
    std::string RunWithALargeListing()
    {
        EXPECT_TRUE(QFile::copy(QString(TK_SOURCE_DIR) + "/samples/lorentz2.plt", tmp_.filePath("run.plt")));
        std::string listing;
        for (int i = 0; listing.size() < (3 << 20); ++i) listing += " Iteration " + std::to_string(i) + " \xc3\xa4\r\n";
        std::ofstream(tmp_.filePath("run.out").toStdString(), std::ios::binary) << listing << "Gr\xf6\xdf" "e\r\n";
        return listing + "Gr\xc3\xb6\xc3\x9f" "e\r\n";
    }

    std::array<Colour, 6> Swatches() const
    {
        std::array<Colour, 6> c{};
        for (int i = 0; i < 6; ++i) c[i] = form_->settings->SwatchColour(i);
        return c;
    }

    QTemporaryDir tmp_;
    tk::ScriptedDialogs dialogs_;
    std::unique_ptr<frmPlots> form_;
};

struct CommandState {
    Command Which;
    bool Enabled;
    bool Visible;
};

TEST_F(WindowTest, AfterLoadTheCommandsAreAsDesigned)
{
    frmPlots& f = Open();
    const CommandState states[] = {
        {Command::OpenPlotFile, true, true}, {Command::PlotResults, false, true}, {Command::Next, false, true},
        {Command::SaveAs, false, true},      {Command::Print, false, true},       {Command::Quit, false, true},
        {Command::SaveSettings, true, true}, {Command::ExitPlots, true, true},
    };
    for (const CommandState& s : states) {
        SCOPED_TRACE(f.CommandButton(s.Which)->text().toStdString());
        EXPECT_EQ(f.CommandButton(s.Which)->isEnabled(), s.Enabled);
        EXPECT_EQ(f.CommandVisible(s.Which), s.Visible);
    }
    EXPECT_EQ(f.CurrentTab(), TabSetup);
    EXPECT_EQ(f.windowTitle(), "Plots from Tavrick Ent.");
    EXPECT_TRUE(f.isMaximized() || f.isVisible());
    EXPECT_EQ(f.viewer().Run().State().PictureIndex, 2);
    EXPECT_EQ(f.viewer().Run().State().FileIndex, 1);
    EXPECT_EQ(f.viewer().Run().State().SettingsKey, Key);
    // The Setup page shows its buttons and the panel; the other pages' controls are hidden.
    EXPECT_TRUE(f.cmdOpen->isVisible());
    EXPECT_TRUE(f.settings->isVisible());
    EXPECT_FALSE(f.cmdNext->isVisible());
    EXPECT_FALSE(f.picBox->isVisible());
}

TEST_F(WindowTest, EveryControlCarriesItsCaption)
{
    frmPlots& f = Open();
    SettingsPanel& s = *f.settings;
    const std::pair<QString, QString> captions[] = {
        {f.cmdPlotResults->text(), "&Plot results >>"},
        {f.cmdOpen->text(), "&Open Plot File ..."},
        {f.cmdExit->text(), "E&xit Plots"},
        {f.cmdSaveOptions->text(), "&Save Settings"},
        {f.cmdAbout->text(), "&About"},
        {f.cmdSaveAs->text(), "Save &As ..."},
        {f.cmdPrint->text(), "&Print ..."},
        {f.cmdNext->text(), "&Next >>"},
        {f.cmdQuit->text(), "Quit"},
        {f.Plot_Tabs->tabText(0), "Setup"},
        {f.Plot_Tabs->tabText(1), "Input"},
        {f.Plot_Tabs->tabText(2), "Output"},
        {f.Plot_Tabs->tabText(3), "Plot"},
        {s.chkBlacknWhite->text(), "Black && White Plots"},
        {s.fraGridType->title(), "Type of Grid Lines"},
        {s.optGridType[0]->text(), "Solid"},
        {s.optGridType[1]->text(), "Dashed"},
        {s.optGridType[2]->text(), "Dotted"},
        {s.optGridType[3]->text(), "Dashed-Dot-Dot"},
        {s.fraGridLines->title(), "Plot Grid Lines"},
        {s.optGridLines[0]->text(), "No Grid Lines"},
        {s.optGridLines[1]->text(), "X && Y Axes"},
        {s.optGridLines[2]->text(), "X Axis Only"},
        {s.optGridLines[3]->text(), "Y Axis Only"},
        {s.lblColor[0]->text(), "Axes:"},
        {s.lblColor[1]->text(), "Titles:"},
        {s.lblColor[2]->text(), "Misc Info:"},
        {s.lblColor[3]->text(), "Curve1:"},
        {s.lblColor[4]->text(), "Curve2:"},
        {s.lblColor[5]->text(), "Background:"},
        {s.cmdColor[0]->text(), "Pick Color"},
        {s.fraXaxis->title(), "X-axis Scaling Setup "},
        {s.chkXaxis->text(), "Use following X values for plots:"},
        {s.lblXmin->text(), "Enter X-min value:"},
        {s.lblXstep->text(), "X-step for 10 steps:"},
        {s.fraYaxis->title(), "Y-axis Scaling Setup "},
        {s.chkYaxis->text(), "Use following Y values for plots:"},
        {s.lblYmin->text(), "Enter Y-min value:"},
        {s.lblYstep->text(), "Y-step for 5 steps:"},
    };
    for (const auto& [shown, expected] : captions) EXPECT_EQ(shown, expected);
}

TEST_F(WindowTest, CaptionNamesThePlotFile)
{
    const std::pair<std::string, std::string> cases[] = {
        {"", "Plots from Tavrick Ent."},
        {"t-freq", "t-freq ... Plots from Tavrick Ent."},
        {"/jobs/run1/t-freq", "t-freq ... Plots from Tavrick Ent."},
        {"/jobs/run1/", "Plots from Tavrick Ent."},
    };
    frmPlots& f = Open();
    for (const auto& [base, caption] : cases) {
        f.viewer().Run().State().PlotBase = base;
        f.ShowFilename();
        EXPECT_EQ(f.windowTitle().toStdString(), caption) << base;
    }
}

struct LoadCase {
    const char* Name;
    std::function<void(tk::Registry&)> Prepare;
    std::array<Colour, 6> Colours;
    GridStyle GridType;
    GridAxes GridLines;
    bool BlackAndWhite;
    bool AxisTicked;
    QString XminText, XstepText;
};

class LoadSettingsTest : public WindowTest, public ::testing::WithParamInterface<LoadCase> {};

// What the store holds is shown by the controls and reaches the drawing (which values are read
// how is the settings store's own test).
TEST_P(LoadSettingsTest, RestoresTheSetupTab)
{
    const LoadCase& c = GetParam();
    tk::Registry store = Store();
    c.Prepare(store);
    frmPlots& f = Open();
    SettingsPanel& s = *f.settings;
    EXPECT_EQ(Swatches(), c.Colours);
    EXPECT_EQ(s.GridType(), c.GridType);
    EXPECT_EQ(s.GridLines(), c.GridLines);
    EXPECT_EQ(s.chkBlacknWhite->isChecked(), c.BlackAndWhite);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(s.txtColor[i]->isEnabled(), !c.BlackAndWhite);
        EXPECT_EQ(s.cmdColor[i]->isEnabled(), !c.BlackAndWhite);
        EXPECT_EQ(s.lblColor[i]->isEnabled(), !c.BlackAndWhite);
    }
    EXPECT_EQ(s.chkXaxis->isChecked(), c.AxisTicked);
    EXPECT_EQ(s.txtXmin->isEnabled(), c.AxisTicked);
    EXPECT_EQ(s.txtXstep->isEnabled(), c.AxisTicked);
    EXPECT_EQ(s.txtXmin->text(), c.XminText);
    EXPECT_EQ(s.txtXstep->text(), c.XstepText);
    // The drawing sees what the controls show.
    const DisplaySettings& d = f.viewer().Settings();
    EXPECT_EQ(d.Colours, c.Colours);
    EXPECT_EQ(d.GridType, c.GridType);
    EXPECT_EQ(d.GridLines, c.GridLines);
    EXPECT_EQ(d.BlackAndWhite, c.BlackAndWhite);
    EXPECT_EQ(d.X.Enabled, c.AxisTicked);
    EXPECT_EQ(d.X.MinText, c.XminText.toStdString());
}

const std::array<Colour, 6> Saved = {0x102030, 0x405060, 0x708090, 0xA0B0C0, 0xD0E0F0, 0x010203};

void SaveColours(tk::Registry& r, Colour titles)
{
    const char* names[] = {"Axes", "Titles", "MiscInfo", "Curve1", "Curve2", "Background"};
    for (int i = 0; i < 6; ++i) r.SetInt(Key, names[i], std::int32_t(i == 1 ? titles : Saved[i]));
}

const LoadCase LoadCases[] = {
    {"NoKeyGivesDefaultColoursDottedAndBothAxes", [](tk::Registry&) {}, DefaultColours, GridStyle::Dotted,
     GridAxes::XAndY, false, false, "", ""},
    {"OnlyBlackAndWhiteGivesSolidNoGridAndDesignColours",
     [](tk::Registry& r) {
         r.CreateKey(tk::HKEY_CURRENT_USER, Key);
         r.SetInt(Key, "BlacknWhite", 1);
     },
     DesignColours, GridStyle::Solid, GridAxes::None, true, false, "", ""},
    {"SavedColoursAndAxisRangeAreRestored",
     [](tk::Registry& r) {
         r.CreateKey(tk::HKEY_CURRENT_USER, Key);
         SaveColours(r, Saved[1]);
         r.SetInt(Key, "GridType", 1);
         r.SetInt(Key, "GridLines", 3);
         r.SetInt(Key, "chkXaxis", 1);
         r.SetText(Key, "txtXmin", "-2.5");
         r.SetText(Key, "txtXstep", "0.5");
     },
     Saved, GridStyle::Dashed, GridAxes::YOnly, false, true, "-2.5", "0.5"},
    {"StoredTextsWinOverTheFilledRange",
     [](tk::Registry& r) {
         r.CreateKey(tk::HKEY_CURRENT_USER, Key);
         r.SetInt(Key, "chkXaxis", 1);
     },
     DesignColours, GridStyle::Solid, GridAxes::None, false, true, "", ""},
};

INSTANTIATE_TEST_SUITE_P(Cases, LoadSettingsTest, ::testing::ValuesIn(LoadCases),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST_F(WindowTest, SavedSettingsAreThereInTheNextRun)
{
    frmPlots& f = Open();
    SettingsPanel& s = *f.settings;
    QTest::mouseClick(s.optGridType[3], Qt::LeftButton);
    QTest::mouseClick(s.optGridLines[2], Qt::LeftButton);
    dialogs_.ColourAnswers = {Colour(0x123456)};
    QTest::mouseClick(s.cmdColor[4], Qt::LeftButton);
    EXPECT_EQ(s.SwatchColour(4), 0x123456u);
    QTest::mouseClick(s.chkYaxis, Qt::LeftButton);
    s.txtYmin->clear();
    QTest::keyClicks(s.txtYmin, "-1.5");
    s.txtYstep->clear();
    QTest::keyClicks(s.txtYstep, "2");
    QTest::mouseClick(s.chkSmoothLines, Qt::LeftButton);
    QTest::mouseClick(f.cmdSaveOptions, Qt::LeftButton);

    tk::Registry store = Store();
    const auto intValue = [&](const char* name) {
        return std::get<std::int32_t>(store.GetRegValue(tk::HKEY_CURRENT_USER, Key, name, tk::REG_DWORD, std::int32_t(-99)));
    };
    const auto textValue = [&](const char* name) {
        return std::get<std::string>(store.GetRegValue(tk::HKEY_CURRENT_USER, Key, name, tk::REG_SZ, std::string("?")));
    };
    EXPECT_EQ(intValue("BlacknWhite"), 0);
    EXPECT_EQ(intValue("GridType"), 3);
    EXPECT_EQ(intValue("GridLines"), 2);
    EXPECT_EQ(intValue("Curve2"), 0x123456);
    EXPECT_EQ(intValue("Axes"), std::int32_t(DefaultColours[0]));
    EXPECT_EQ(intValue("chkXaxis"), 0);
    EXPECT_EQ(intValue("chkYaxis"), 1);
    EXPECT_EQ(textValue("txtYmin"), "-1.5");
    EXPECT_EQ(textValue("txtYstep"), "2");
    EXPECT_EQ(intValue("SmoothLines"), 1);
    EXPECT_TRUE(dialogs_.Boxes.empty()) << "no message confirms the save";

    form_.reset();
    frmPlots& again = Open();
    EXPECT_EQ(again.settings->GridType(), GridStyle::DashDotDot);
    EXPECT_EQ(again.settings->GridLines(), GridAxes::XOnly);
    EXPECT_EQ(again.settings->SwatchColour(4), 0x123456u);
    EXPECT_TRUE(again.settings->chkYaxis->isChecked());
    EXPECT_EQ(again.settings->txtYmin->text(), "-1.5");
    EXPECT_EQ(again.settings->txtYstep->text(), "2");
    EXPECT_TRUE(again.settings->chkSmoothLines->isChecked());
    EXPECT_TRUE(again.viewer().Settings().SmoothLines);
}

TEST_F(WindowTest, SavingInBlackAndWhiteLeavesTheStoredColours)
{
    {
        tk::Registry store = Store();
        store.CreateKey(tk::HKEY_CURRENT_USER, Key);
        SaveColours(store, Saved[1]);
    }
    frmPlots& f = Open();
    dialogs_.ColourAnswers = {Colour(0x00FF00)};
    QTest::mouseClick(f.settings->cmdColor[0], Qt::LeftButton);
    QTest::mouseClick(f.settings->chkBlacknWhite, Qt::LeftButton);
    ASSERT_TRUE(f.settings->chkBlacknWhite->isChecked());
    EXPECT_FALSE(f.settings->cmdColor[0]->isEnabled());
    EXPECT_TRUE(f.viewer().Settings().BlackAndWhite);
    QTest::mouseClick(f.cmdSaveOptions, Qt::LeftButton);
    tk::Registry store = Store();
    EXPECT_EQ(store.GetInt(Key, "BlacknWhite"), 1);
    EXPECT_EQ(store.GetInt(Key, "Axes"), std::int32_t(Saved[0]));
}

TEST_F(WindowTest, CancelledColourDialogChangesNothing)
{
    frmPlots& f = Open();
    const Colour before = f.settings->SwatchColour(2);
    dialogs_.ColourAnswers = {std::nullopt};
    QTest::mouseClick(f.settings->cmdColor[2], Qt::LeftButton);
    EXPECT_EQ(f.settings->SwatchColour(2), before);
}

struct StepCase {
    const char* Name;
    bool YAxis;
    QString Text;
    bool Refused;
};

class StepCheckTest : public WindowTest, public ::testing::WithParamInterface<StepCase> {};

TEST_P(StepCheckTest, ZeroStepCannotBeLeft)
{
    const StepCase& c = GetParam();
    frmPlots& f = Open();
    SettingsPanel& s = *f.settings;
    QCheckBox* check = c.YAxis ? s.chkYaxis : s.chkXaxis;
    QLineEdit* step = c.YAxis ? s.txtYstep : s.txtXstep;
    QLineEdit* min = c.YAxis ? s.txtYmin : s.txtXmin;
    QTest::mouseClick(check, Qt::LeftButton);
    ASSERT_TRUE(step->isEnabled());
    step->setFocus(Qt::TabFocusReason);
    step->clear();
    QTest::keyClicks(step, c.Text);
    min->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    if (c.Refused) {
        ASSERT_EQ(dialogs_.Boxes.size(), 1u);
        const std::string axis = c.YAxis ? "Y" : "X";
        EXPECT_EQ(dialogs_.Boxes[0].Text, "Please enter a non-zero number for " + axis + "-step size.");
        EXPECT_EQ(dialogs_.Boxes[0].Title, "Graphel");
        EXPECT_EQ(dialogs_.Boxes[0].Icon, tk::MsgIcon::Exclamation);
        EXPECT_EQ(dialogs_.Boxes[0].Buttons, tk::MsgButtons::Ok);
        EXPECT_EQ(QApplication::focusWidget(), step);
    } else {
        EXPECT_TRUE(dialogs_.Boxes.empty());
        EXPECT_EQ(QApplication::focusWidget(), min);
    }
}

const StepCase StepCases[] = {
    {"LettersX", false, "abc", true}, {"ZeroX", false, "0", true},  {"ZeroPointZeroY", true, "0.0", true},
    {"LettersY", true, "abc", true},  {"HalfX", false, "0.5", false}, {"EmptyX", false, "", false},
    {"EmptyY", true, "", false},      {"LeadingNumberY", true, "2abc", false},
};

INSTANTIATE_TEST_SUITE_P(Cases, StepCheckTest, ::testing::ValuesIn(StepCases),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST_F(WindowTest, MinimumBoxesAreNotChecked)
{
    frmPlots& f = Open();
    QTest::mouseClick(f.settings->chkXaxis, Qt::LeftButton);
    f.settings->txtXmin->setFocus(Qt::TabFocusReason);
    f.settings->txtXmin->setText("0");
    f.settings->txtXstep->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    EXPECT_TRUE(dialogs_.Boxes.empty());
}

TEST_F(WindowTest, FocusSelectsTheWholeText)
{
    frmPlots& f = Open();
    QTest::mouseClick(f.settings->chkXaxis, Qt::LeftButton);
    f.settings->txtXstep->setText("12.5");
    f.settings->txtXstep->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    EXPECT_EQ(f.settings->txtXstep->selectedText(), "12.5");
}

TEST_F(WindowTest, TickingAnAxisAfterAPlotFillsTheEmptyRange)
{
    frmPlots& f = Open();
    AxisState axis = f.viewer().Axis();
    axis.Xmin = 0;
    axis.Xmax = 50;
    axis.Ymin = -1;
    axis.Ymax = 4;
    f.viewer().UseAxis(axis);
    QTest::mouseClick(f.settings->chkXaxis, Qt::LeftButton);
    QTest::mouseClick(f.settings->chkYaxis, Qt::LeftButton);
    EXPECT_EQ(f.settings->txtXmin->text(), "0");
    EXPECT_EQ(f.settings->txtXstep->text(), "5");
    EXPECT_EQ(f.settings->txtYmin->text(), "-1");
    EXPECT_EQ(f.settings->txtYstep->text(), "1");
    EXPECT_TRUE(f.viewer().Settings().X.Enabled);
    EXPECT_EQ(f.viewer().Settings().X.StepText, "5");
    // Texts already there are kept.
    QTest::mouseClick(f.settings->chkXaxis, Qt::LeftButton);
    axis.Xmax = 100;
    f.viewer().UseAxis(axis);
    QTest::mouseClick(f.settings->chkXaxis, Qt::LeftButton);
    EXPECT_EQ(f.settings->txtXstep->text(), "5");
}

TEST_F(WindowTest, RunTimeEnablingIgnoresBlackAndWhite)
{
    frmPlots& f = Open();
    QTest::mouseClick(f.settings->chkBlacknWhite, Qt::LeftButton);
    f.SetCommandVisible(Command::SaveSettings, false);
    f.EnableSettings(true);
    for (int i = 0; i < 6; ++i) {
        EXPECT_TRUE(f.settings->txtColor[i]->isEnabled());
        EXPECT_TRUE(f.settings->cmdColor[i]->isEnabled());
        EXPECT_FALSE(f.settings->lblColor[i]->isEnabled()) << "labels are left as they were";
    }
    EXPECT_TRUE(f.CommandVisible(Command::SaveSettings));
    EXPECT_TRUE(f.cmdSaveOptions->isVisible());
}

// A solver's listing may run to a hundred megabytes: the box shows its start at once and the
// rest as it goes in, in order, with what the run says after it at its end.
TEST_F(WindowTest, ALargeListingShowsItsStartAtOnceAndAllOfItInTheEnd)
{
    frmPlots& f = Open();
    std::string listing;
    for (int i = 0; listing.size() < (3 << 20); ++i) listing += " Iteration " + std::to_string(i) + "\r\n";
    f.SetOutputText("summary\r\n");
    f.AppendOutput(listing);
    f.AppendOutput("\tCalling 1st line plot");
    EXPECT_TRUE(f.tbOutBox->toPlainText().startsWith("summary\n Iteration 0\n Iteration 1\n"));
    EXPECT_TRUE(f.ListingsLoading());
    while (f.ListingsLoading()) QCoreApplication::processEvents();
    QString whole = QString::fromStdString("summary\r\n" + listing + "\tCalling 1st line plot");
    whole.remove('\r');
    EXPECT_EQ(f.tbOutBox->toPlainText(), whole);
    // A new run's text replaces a listing still going in.
    f.SetOutputText(listing);
    f.SetOutputText("next run");
    EXPECT_FALSE(f.ListingsLoading());
    EXPECT_EQ(f.tbOutBox->toPlainText(), "next run");
}

// A line longer than a slice is cut between characters: not inside a UTF-8 sequence, not
// between the CR and the LF of its end.
TEST_F(WindowTest, ALineLongerThanASliceKeepsItsCharactersAndLineEnd)
{
    frmPlots& f = Open();
    const std::size_t Slice = 256 * 1024;
    const struct {
        const char* Name;
        std::string Line;
    } cases[] = {
        {"CR LF across the slice end", std::string(Slice - 1, 'a') + "\r\nb"},
        {"two-byte character across the slice end", std::string(Slice - 1, 'a') + "\xc3\xa4" "b"},
        {"three-byte character across the slice end", std::string(Slice - 2, 'a') + "\xe2\x82\xac" "b"},
    };
    for (const auto& c : cases) {
        f.SetOutputText("summary\r\n" + c.Line);
        while (f.ListingsLoading()) QCoreApplication::processEvents();
        EXPECT_TRUE(f.tbOutBox->toPlainText() == QString::fromStdString("summary\n" + c.Line).remove('\r')) << c.Name;
    }
}

// The window reads a run's output listing a part at a time: its start is in the box when the
// run has started, the rest goes in as it is read, and what the run says meanwhile follows it.
// A line that is not UTF-8 far into the file is decoded as a whole read decodes it.
TEST_F(WindowTest, ARunsLargeListingIsShownAsItIsRead)
{
    const std::string listing = RunWithALargeListing();
    frmPlots& f = Open();
    ASSERT_TRUE(Main(f.viewer(), f.registry(), tmp_.filePath("run.plt").toStdString()).Started);
    EXPECT_LT(f.OutputText().size(), listing.size()) << "not read whole before the run went on";
    EXPECT_TRUE(f.tbOutBox->toPlainText().contains("= Iteration 0 \u00e4\n Iteration 1 \u00e4\n"));
    EXPECT_TRUE(f.ListingsLoading());
    while (f.ListingsLoading()) QCoreApplication::processEvents();
    const std::string text = f.OutputText();
    const std::size_t at = text.find(listing);
    ASSERT_TRUE(at != std::string::npos);
    const std::string after = "\r\n\tCalling 1st line plot";
    EXPECT_EQ(text.substr(at + listing.size(), after.size()), after);
    EXPECT_TRUE(f.tbOutBox->toPlainText() == QString::fromStdString(text).remove('\r'));
}

// A listing still going in stops with its run: another run opened, or the window closed.
TEST_F(WindowTest, AListingStillGoingInStopsWithItsRun)
{
    RunWithALargeListing();
    ASSERT_TRUE(QFile::copy(QString(TK_SOURCE_DIR) + "/samples/sine2.plt", tmp_.filePath("next.plt")));
    std::ofstream(tmp_.filePath("next.out").toStdString(), std::ios::binary) << "next run's listing\r\n";
    for (const bool close : {false, true}) {
        SCOPED_TRACE(close ? "window closed" : "another run opened");
        frmPlots& f = Open();
        ASSERT_TRUE(Main(f.viewer(), f.registry(), tmp_.filePath("run.plt").toStdString()).Started);
        ASSERT_TRUE(f.ListingsLoading());
        if (close) {
            f.close();
        } else {
            QMimeData mime;
            mime.setUrls({QUrl::fromLocalFile(tmp_.filePath("next.plt"))});
            QDropEvent dropped(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
            QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(&f, &enter);
            QApplication::sendEvent(&f, &dropped);
            QTest::mouseClick(f.cmdPlotResults, Qt::LeftButton);
        }
        const std::string before = f.OutputText();
        while (f.ListingsLoading()) QCoreApplication::processEvents();
        EXPECT_TRUE(f.OutputText() == before) << "nothing more was read";
        EXPECT_TRUE(f.tbOutBox->toPlainText() == QString::fromStdString(before).remove('\r'));
        if (!close) {
            EXPECT_EQ(before.find("Iteration"), std::string::npos);
            EXPECT_NE(before.find("next run's listing\r\n\r\n\tCalling 1st line plot"), std::string::npos);
        }
    }
}

TEST_F(WindowTest, ListingsShowLineBreaksAndKeepTheText)
{
    frmPlots& f = Open();
    f.SetOutputText("first\r\nsecond");
    f.AppendOutput("\r\n\tCalling 1st line plot");
    EXPECT_EQ(f.OutputText(), "first\r\nsecond\r\n\tCalling 1st line plot");
    EXPECT_EQ(f.tbOutBox->toPlainText(), "first\nsecond\n\tCalling 1st line plot");
    // A line that is not UTF-8 (a file name in a notice) leaves the other lines as they are.
    f.SetOutputText("Gr\xc3\xb6\xc3\x9f" "e\r\nin ... /tmp/m\xe4rz.out");
    EXPECT_EQ(f.tbOutBox->toPlainText(), QString::fromUtf8("Gr\xc3\xb6\xc3\x9f" "e\nin ... /tmp/m\xc3\xa4rz.out"));
    f.SetInputText("a\rb\r\n");
    EXPECT_EQ(f.tbInBox->toPlainText(), "a\nb\n");
    EXPECT_TRUE(f.tbOutBox->isReadOnly());
    // In a fixed-pitch font, so that tables and the summary's columns line up: narrow and wide
    // letters take the same room (a font's own fixed-pitch flag is not always set).
    for (QTextEdit* box : {f.tbInBox, f.tbOutBox})
        EXPECT_EQ(QFontMetricsF(box->font()).horizontalAdvance("iiii"), QFontMetricsF(box->font()).horizontalAdvance("WWWW"))
            << box->objectName().toStdString();
}

// A solver tool writing the data file from another process's point of view: opened and
// truncated, written piece by piece with pauses between, then closed. Each piece ends at a byte
// offset; the time the last byte went out is kept.
class SlowWriter {
public:
    struct Piece {
        qsizetype End;
        int PauseMs;  // after this piece
    };
    SlowWriter(const QString& path, QByteArray bytes, std::vector<Piece> pieces)
        : thread_([this, file = QFile::encodeName(path).toStdString(), bytes = std::move(bytes), pieces] {
              const int fd = ::open(file.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
              qsizetype at = 0;
              for (const Piece& piece : pieces) {
                  if (fd >= 0 && ::write(fd, bytes.constData() + at, size_t(piece.End - at)) < 0) break;
                  at = piece.End;
                  std::this_thread::sleep_for(std::chrono::milliseconds(piece.PauseMs));
              }
              lastByte_ = std::chrono::steady_clock::now();
              if (fd >= 0) ::close(fd);
              done_ = true;
          })
    {
    }
    ~SlowWriter() { thread_.join(); }
    bool Done() const { return done_; }
    std::chrono::steady_clock::time_point LastByte() const { return lastByte_; }

private:
    std::atomic<bool> done_{false};
    std::chrono::steady_clock::time_point lastByte_;
    std::thread thread_;
};

// The shown run's data file written again (a solver finished once more) is read afresh and the
// plot of the same kind drawn from it, once the file is whole: a slow writer's pauses, in the
// data or inside the header, never show a part of it, and no box comes up for a file nobody
// opened. A writer that stops half way is told once in the notice line; the plot stays.
TEST_F(WindowTest, RewrittenDataFileIsShownOnceWhole)
{
    const QString run = tmp_.filePath("tunewave.plt");
    ASSERT_TRUE(QFile::copy(QString(TK_SOURCE_DIR) + "/samples/tunewave.plt", run));
    QFile::setPermissions(run, QFile::ReadOwner | QFile::WriteOwner);
    QFile sample(run);
    ASSERT_TRUE(sample.open(QIODevice::ReadOnly));
    const QByteArray original = sample.readAll();
    sample.close();
    frmPlots& f = Open();
    // A stalled writer is told after 10 s; a shorter wait keeps the test short.
    f.dataWatch().SetStallMs(3000);
    ASSERT_TRUE(Main(f.viewer(), f.registry(), run.toStdString()).Started);
    QTest::mouseClick(f.cmdNext, Qt::LeftButton);
    ASSERT_EQ(f.viewer().ShownKind(), PlotKind::FirstLinePlot);

    // Every plot drawn, with how much of the file it was drawn from.
    struct Drawn {
        std::string Title;
        int Points;
        std::chrono::steady_clock::time_point At;
    };
    std::vector<Drawn> drawn;
    f.viewer().WhenPlotDrawn([&](PlotKind) {
        drawn.push_back({f.viewer().Run().Data().TitleLine, f.viewer().Run().Data().DataY1.size() > 0 ? int(f.viewer().Run().Data().DataY1.size()) : 0,
                         std::chrono::steady_clock::now()});
    });

    const qsizetype half = original.size() / 2, inHeader = original.indexOf("\n", 10) + 5;
    struct Case {
        const char* What;
        QByteArray Title;
        std::vector<SlowWriter::Piece> Pieces;
    } cases[] = {
        {"written at once", "Elliptic low-pass, run two", {{-1, 0}}},
        {"in two halves, 2 s apart", "Elliptic low-pass, run three", {{half, 2000}, {-1, 0}}},
        {"paused inside the header", "Elliptic low-pass, run four", {{inHeader, 2000}, {-1, 0}}},
    };
    for (Case& c : cases) {
        SCOPED_TRACE(c.What);
        QByteArray changed = original;
        changed.replace("Elliptic low-pass, 5 poles", c.Title);
        for (SlowWriter::Piece& piece : c.Pieces)
            if (piece.End < 0) piece.End = changed.size();
        drawn.clear();
        const QImage before = f.viewer().Canvas().Picture();
        SlowWriter writer(run, changed, c.Pieces);
        ASSERT_TRUE(QTest::qWaitFor([&] { return f.viewer().Run().Data().TitleLine == c.Title.toStdString(); }, 8000));
        ASSERT_TRUE(writer.Done());
        ASSERT_EQ(drawn.size(), 1u) << "drawn once, from the whole file";
        EXPECT_EQ(drawn[0].Title, c.Title.toStdString());
        EXPECT_EQ(drawn[0].Points, 61);
        EXPECT_LT(drawn[0].At - writer.LastByte(), std::chrono::milliseconds(1500));
        EXPECT_EQ(f.viewer().ShownKind(), PlotKind::FirstLinePlot) << "the plot of the same kind";
        EXPECT_NE(f.viewer().Canvas().Picture(), before) << "drawn anew with the new title";
        EXPECT_EQ(f.lblNotice->text(), "The plot data file was written again; the plot was drawn anew from it.");
    }
    EXPECT_TRUE(dialogs_.Boxes.empty()) << (dialogs_.Boxes.empty() ? "" : dialogs_.Boxes[0].Title);

    struct Stop {
        const char* What;
        QByteArray Bytes;
        const char* Lacks;
    } stops[] = {
        {"a writer that stops half way", original.left(original.indexOf("\n 2.5 ")), "(50 of its 61 points are there)"},
        {"a header that cannot be read", "Elliptic low-pass\r\n0\r\nx\r\n-2 two 61\r\n",
         "(it cannot be read at modelX, line 4)"},
    };
    for (const Stop& c : stops) {
        SCOPED_TRACE(c.What);
        drawn.clear();
        const QImage shown = f.viewer().Canvas().Picture();
        { SlowWriter writer(run, c.Bytes, {{c.Bytes.size(), 0}}); }
        ASSERT_TRUE(QTest::qWaitFor([&] { return f.lblNotice->text().contains("not whole"); }, 8000));
        EXPECT_EQ(f.lblNotice->text().toStdString(),
                  std::string("The plot data file was written again but is not whole ") + c.Lacks +
                      "; the plot shown is from before.");
        f.lblNotice->clear();
        QTest::qWait(4000);
        EXPECT_EQ(f.lblNotice->text(), "") << "told once";
        EXPECT_TRUE(drawn.empty());
        EXPECT_EQ(f.viewer().Canvas().Picture(), shown) << "the previous picture stays";
    }
    EXPECT_TRUE(dialogs_.Boxes.empty()) << (dialogs_.Boxes.empty() ? "" : dialogs_.Boxes[0].Title);
    EXPECT_FALSE(f.Unloaded());
}

// Fonts follow the window's height only, so a small or a tall narrow window makes captions too
// wide for their controls: each is then made smaller until it is whole, and the pages' controls
// keep clear of the tabs, whose padding does not shrink with their font.
TEST_F(WindowTest, CaptionsStayWholeInSmallAndTallWindows)
{
    tk::ScaleIndicatorsWithText();  // as the program does
    frmPlots& f = Open();
    f.showNormal();
    for (const QSize size : {QSize(400, 300), QSize(640, 480), QSize(600, 1000)}) {
        SCOPED_TRACE(std::to_string(size.width()) + "x" + std::to_string(size.height()));
        f.resize(size);
        QTest::qWait(50);
        for (int tab = 0; tab < f.Plot_Tabs->count(); ++tab) {
            if (!f.Plot_Tabs->isTabEnabled(tab)) continue;
            f.Plot_Tabs->setCurrentIndex(tab);
            QApplication::processEvents();
            for (const std::string& cut : tktest::CutTexts(&f)) ADD_FAILURE() << "tab " << tab << ": " << cut;
        }
        const int tabsBottom = f.Plot_Tabs->y() + f.Plot_Tabs->tabBar()->height();
        for (QWidget* page : {static_cast<QWidget*>(f.settings), static_cast<QWidget*>(f.picBox),
                              static_cast<QWidget*>(f.tbInBox), static_cast<QWidget*>(f.tbOutBox)})
            EXPECT_GE(page->y(), tabsBottom) << page->objectName().toStdString() << " covers the tabs";
    }
}

// A plot data file or picture dropped on the window opens as "&Open Plot File ..." opens it; a
// run under way ends first; other files are not taken.
TEST_F(WindowTest, DroppedFilesOpenAsTheOpenCommandOpensThem)
{
    const QString samples = QString(TK_SOURCE_DIR) + "/samples";
    ASSERT_TRUE(QFile::copy(samples + "/sine2.plt", tmp_.filePath("SINE2.PLT")));
    ASSERT_TRUE(QFile::copy(samples + "/expdecay.plt", tmp_.filePath("expdecay.plt")));
    ASSERT_TRUE(QFile::copy(samples + "/expdecay.2lt", tmp_.filePath("expdecay.2lt")));
    ASSERT_TRUE(QFile::copy(samples + "/lorentz2.out", tmp_.filePath("notes.txt")));
    frmPlots& f = Open();
    const auto drop = [&](const QString& name) {
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(tmp_.filePath(name))});
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&f, &enter);
        if (!enter.isAccepted()) return false;
        QDropEvent dropped(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&f, &dropped);
        return true;
    };
    struct Case {
        const char* Name;
        bool Taken;
        const char* Caption;
    } cases[] = {
        {"SINE2.PLT", true, "SINE2 ... Plots from Tavrick Ent."},
        {"notes.txt", false, "SINE2 ... Plots from Tavrick Ent."},
        {"expdecay.2lt", true, "expdecay ... Plots from Tavrick Ent."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        EXPECT_EQ(drop(c.Name), c.Taken);
        EXPECT_EQ(f.windowTitle().toStdString(), c.Caption);
        if (!c.Taken) continue;
        EXPECT_TRUE(f.cmdPlotResults->isEnabled()) << "the run waits for Plot results, as after Open";
        QTest::mouseClick(f.cmdPlotResults, Qt::LeftButton);
        EXPECT_EQ(f.viewer().ShownKind(), PlotKind::FirstLinePlot);
    }
    EXPECT_TRUE(dialogs_.Boxes.empty());
}

TEST_F(WindowTest, EachTabShowsItsOwnControls)
{
    frmPlots& f = Open();
    struct Page {
        int Tab;
        QWidget* Shown;
        QWidget* Hidden;
    };
    const Page pages[] = {{TabPlot, f.picBox, f.settings},
                          {TabOutput, f.tbOutBox, f.picBox},
                          {TabInput, f.tbInBox, f.tbOutBox},
                          {TabSetup, f.cmdExit, f.cmdQuit}};
    for (const Page& p : pages) {
        f.ShowTab(p.Tab);
        EXPECT_EQ(f.CurrentTab(), p.Tab);
        EXPECT_TRUE(p.Shown->isVisible()) << p.Tab;
        EXPECT_FALSE(p.Hidden->isVisible()) << p.Tab;
    }
}

TEST_F(WindowTest, ClosingClearsTheHandedOverName)
{
    Store().SetText(tk::CompanyKey, "fileIn", "t-freq.plt");
    frmPlots& f = Open();
    QTest::mouseClick(f.cmdExit, Qt::LeftButton);
    EXPECT_TRUE(f.Unloaded());
    EXPECT_FALSE(f.isVisible());
    EXPECT_EQ(Store().GetText(tk::CompanyKey, "fileIn", "unset"), "unset");
    EXPECT_TRUE(dialogs_.Boxes.empty());
}

TEST_F(WindowTest, FatalMessageEndsTheProgram)
{
    Store().SetText(tk::CompanyKey, "fileIn", "t-freq.plt");
    frmPlots& f = Open();
    f.FatalExit("==Warning== No h(t) data in file");
    ASSERT_EQ(dialogs_.Boxes.size(), 1u);
    EXPECT_EQ(dialogs_.Boxes[0].Text, "==Warning== No h(t) data in file");
    EXPECT_EQ(dialogs_.Boxes[0].Title, "Must exit!");
    EXPECT_EQ(dialogs_.Boxes[0].Icon, tk::MsgIcon::Exclamation);
    EXPECT_EQ(dialogs_.Boxes[0].Buttons, tk::MsgButtons::Ok);
    EXPECT_TRUE(f.Unloaded());
    EXPECT_TRUE(f.EndedByFatalExit());
    EXPECT_EQ(Store().GetText(tk::CompanyKey, "fileIn"), "");
}

// After every resize the window draws its plot again at the new size, the same picture the
// export draws at that size: one drawing path.
TEST_F(WindowTest, ResizedWindowRedrawsItsPlotAsTheExportDrawsIt)
{
    const QString samples = QString(TK_SOURCE_DIR) + "/samples";
    QDir::setCurrent(samples);
    frmPlots& f = Open();
    ASSERT_TRUE(Main(f.viewer(), f.registry(), (samples + "/tunewave.plt").toStdString()).Started);
    QTest::mouseClick(f.cmdNext, Qt::LeftButton);  // the first line plot, after the map
    f.showNormal();
    for (const QSize window : {QSize(700, 520), QSize(1400, 980), QSize(900, 640)}) {
        SCOPED_TRACE(std::to_string(window.width()) + "x" + std::to_string(window.height()));
        // Several sizes in quick succession come to one redraw at the last one.
        f.resize(window - QSize(40, 40));
        f.resize(window);
        const QSize wanted = f.picBox->SurfaceSize();
        ASSERT_TRUE(QTest::qWaitFor([&] { return f.viewer().Canvas().Picture().size() == wanted; }, 2000));
        const QImage shown = f.viewer().Canvas().Picture();

        SequenceOptions options;
        options.Width = wanted.width();
        options.Height = wanted.height();
        QImage exported;
        RenderWholeSequence((samples + "/tunewave.plt").toStdString(), options,
                            [&](const SequencePlot&, Surface& surface, PlotKind, int number) {
                                if (number == 2) exported = surface.Picture();
                                return number < 2;
                            });
        ASSERT_FALSE(exported.isNull());

        ASSERT_EQ(shown.size(), exported.size());
        // The same picture: at most the smoothing of a few glyph edges may differ, as the font
        // cache holds large glyphs rendered one way or another.
        qsizetype differing = 0;
        const QImage a = shown.convertToFormat(QImage::Format_RGB32), b = exported.convertToFormat(QImage::Format_RGB32);
        for (int y = 0; y < a.height(); ++y)
            for (int x = 0; x < a.width(); ++x) differing += a.pixel(x, y) != b.pixel(x, y);
        EXPECT_LT(differing, qsizetype(a.width()) * a.height() / 500) << "the window and the export draw the same picture";
    }
    // The panel and the surface stay in proportion to the window.
    EXPECT_NEAR(double(f.settings->width()) / f.width(), double(f.picBox->width()) / f.width(), 0.01);
}

// On a screen of device pixel ratio 2 (QT_SCALE_FACTOR=2, a second run of this test) the plot
// is drawn with twice as many pixels each way as the control is wide and high.
TEST_F(WindowTest, PlotIsDrawnAtTheScreensFullResolution)
{
    frmPlots& f = Open();
    const double ratio = f.picBox->devicePixelRatioF();
    const QSize surface = f.viewer().Canvas().Picture().size();
    EXPECT_NEAR(surface.width(), f.picBox->width() * ratio, 1);
    EXPECT_NEAR(surface.height(), f.picBox->height() * ratio, 1);
    if (qEnvironmentVariable("QT_SCALE_FACTOR") == "2") {
        EXPECT_EQ(ratio, 2);
    }
}

TEST_F(WindowTest, StartedOnASampleTheFirstPlotIsShownAndNextGoesOn)
{
    const QString samples = QString(TK_SOURCE_DIR) + "/samples";
    QDir::setCurrent(samples);
    frmPlots& f = Open();
    const StartupResult r = Main(f.viewer(), f.registry(), (samples + "/lorentz2.plt").toStdString());
    ASSERT_TRUE(r.Started);
    EXPECT_EQ(f.windowTitle(), "lorentz2 ... Plots from Tavrick Ent.");
    EXPECT_EQ(f.CurrentTab(), TabPlot);
    EXPECT_TRUE(f.cmdNext->isEnabled());
    EXPECT_FALSE(f.cmdOpen->isEnabled());
    EXPECT_FALSE(f.cmdSaveOptions->isEnabled());
    EXPECT_TRUE(f.CommandVisible(Command::SaveSettings));
    EXPECT_NE(f.OutputText().find("Calling 1st line plot"), std::string::npos);
    // Something was drawn on the surface the control shows.
    const QImage picture = f.viewer().Canvas().Picture();
    EXPECT_EQ(picture.size(), f.picBox->SurfaceSize()) << "drawn at the size it is seen at";
    EXPECT_NE(picture.pixel(picture.width() / 2, picture.height() / 2), picture.pixel(1, 1));

    QTest::mouseClick(f.cmdNext, Qt::LeftButton);
    EXPECT_NE(f.OutputText().find("Calling 2nd line plot"), std::string::npos);
    QTest::mouseClick(f.cmdQuit, Qt::LeftButton);
    EXPECT_EQ(f.CurrentTab(), TabSetup);
    EXPECT_TRUE(f.cmdOpen->isEnabled());
    EXPECT_TRUE(f.cmdSaveOptions->isEnabled());
    EXPECT_TRUE(dialogs_.Boxes.empty());
}

// Started on a plot file, the run begins while the Input tab is shown; a ticked axis still
// offers its boxes for editing once the Setup tab is in view, and Quit keeps its focus.
TEST_F(WindowTest, TickedAxisBoxesCanBeEditedOnTheSetupTabAfterAStartedRun)
{
    struct Case {
        const char* Name;
        bool XTicked, YTicked;
        std::function<void(frmPlots&)> ToSetup;
        bool OpenFocused;
    };
    const std::vector<Case> cases{
        {"X ticked, Quit", true, false, [](frmPlots& f) { QTest::mouseClick(f.cmdQuit, Qt::LeftButton); }, true},
        {"Y ticked, Quit", false, true, [](frmPlots& f) { QTest::mouseClick(f.cmdQuit, Qt::LeftButton); }, true},
        {"both ticked, Setup tab chosen", true, true, [](frmPlots& f) { f.Plot_Tabs->setCurrentIndex(TabSetup); },
         false},
        {"none ticked, Quit", false, false, [](frmPlots& f) { QTest::mouseClick(f.cmdQuit, Qt::LeftButton); },
         true},
    };
    const QString samples = QString(TK_SOURCE_DIR) + "/samples";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        QDir::setCurrent(samples);
        {
            tk::Registry r = Store();
            r.CreateKey(tk::HKEY_CURRENT_USER, Key);
            r.SetInt(Key, "chkXaxis", c.XTicked ? 1 : 0);
            r.SetText(Key, "txtXmin", "0");
            r.SetText(Key, "txtXstep", "1");
            r.SetInt(Key, "chkYaxis", c.YTicked ? 1 : 0);
            r.SetText(Key, "txtYmin", "-1");
            r.SetText(Key, "txtYstep", "0.5");
        }
        frmPlots& f = Open();
        const StartupResult r = Main(f.viewer(), f.registry(), (samples + "/lorentz2.plt").toStdString());
        ASSERT_TRUE(r.Started);
        c.ToSetup(f);
        ASSERT_EQ(f.CurrentTab(), TabSetup);
        const SettingsPanel& s = *f.settings;
        EXPECT_EQ(s.txtXmin->isEnabled(), c.XTicked);
        EXPECT_EQ(s.txtXstep->isEnabled(), c.XTicked);
        EXPECT_EQ(s.txtYmin->isEnabled(), c.YTicked);
        EXPECT_EQ(s.txtYstep->isEnabled(), c.YTicked);
        if (c.OpenFocused) {
            EXPECT_TRUE(f.cmdOpen->hasFocus());
        }
        EXPECT_TRUE(dialogs_.Boxes.empty());
        form_.reset();
    }
}

TEST_F(WindowTest, PlotFileWithoutDataEndsTheProgramAtStartUp)
{
    QFile sample(QString(TK_SOURCE_DIR) + "/samples/lorentz2.plt");
    ASSERT_TRUE(sample.open(QIODevice::ReadOnly));
    QByteArray header;
    for (int i = 0; i < 9; ++i) header += sample.readLine();  // the header, no data rows
    const QString path = tmp_.path() + "/empty1.plt";
    QFile out(path);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(header);
    out.close();
    Store().SetText(tk::CompanyKey, "fileIn", "empty1.plt");

    frmPlots& f = Open();
    const StartupResult r = Main(f.viewer(), f.registry(), path.toStdString());
    EXPECT_EQ(r.ReadFile, "empty1.plt");
    EXPECT_FALSE(r.Started) << "nothing is started after the window has unloaded";
    EXPECT_TRUE(f.Unloaded());
    EXPECT_TRUE(f.EndedByFatalExit());
    ASSERT_FALSE(dialogs_.Boxes.empty());
    EXPECT_EQ(dialogs_.Boxes.back().Text, "No data in file");
    EXPECT_EQ(dialogs_.Boxes.back().Title, "Must exit!");
    EXPECT_EQ(Store().GetText(tk::CompanyKey, "fileIn"), "");
}

}  // namespace
