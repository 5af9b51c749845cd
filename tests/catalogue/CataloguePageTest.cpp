// The catalogue page's controls against the catalogue, and what clicking and focusing an
// example does to the selection and the two command buttons.
#include "CatalogueTestSupport.h"
#include "Pitchwell/LauncherCommands.h"
#include "Pitchwell/CataloguePage.h"

#include <QApplication>
#include <QFocusEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <set>

#include <gtest/gtest.h>

using namespace pitchwell;
using namespace cataloguetest;

namespace {

struct PageExpectation {
    const char* Caption;
    const char* ButtonArray;
    const char* LabelArray;
    int Count;
    const char* FirstFile;
    const char* LastFile;
    const char* LastDescriptionShown;
};

// The seven pages as a user sees them.
const PageExpectation kPages[] = {
    {"&Algebraic Equations", "alg_exam", "alg_descript", 20, "ACmotor.qz", "fit4QZ-W.qz", "Lorentzian fit, A1!"},
    {"&Inital Value Problems", "IVP_Exam", "IVP_Descript", 11, "Beam.qz", "PDE-ivp.qz", "Burgers PDE 1-D Problem"},
    {"&Boundary Value Problems", "BVP_Exam", "BVP_Descript", 6, "CHEMPAR.qz", "Wing.qz",
     "Cantilever beam differential equation"},
    {"In&verse Problems", "IP_Exam", "IP_Desc", 2, "Pharm-IP.qz", "PharmAlg.qz", "same as above but more practical."},
    {"&Statistics", "statistic_Exam", "statistic_Desc", 2, "GunAt2.qz", "Failure.qz", "analysis using Monte Carlo"},
    {"S&olvers", "solver_Exam", "solver_Descript", 18, nullptr, nullptr, nullptr},
    {"&Templates", "template_Exam", "template_Desc", 7, "Algebra.qz", "fit4QZ-W.qz", "Full application"},
};

TEST(CataloguePage, PagesButtonsAndLabelsFollowTheCatalogue)
{
    Installation inst;
    CataloguePage page(inst.Recording);
    EXPECT_EQ(page.cmdEditDemo->text(), "&Edit Demo");
    EXPECT_EQ(page.cmdViewAnswer->text(), "View Answer");
    EXPECT_TRUE(page.cmdEditDemo->isEnabled());
    EXPECT_TRUE(page.cmdViewAnswer->isEnabled());
    ASSERT_EQ(page.SSTexamples->count(), 7);
    ASSERT_EQ(page.Arrays.size(), 7u);
    const std::vector<CatalogueTab> tabs = CatalogueTabs();
    int total = 0;
    for (int p = 0; p < 7; ++p) {
        const PageExpectation& e = kPages[p];
        SCOPED_TRACE(e.Caption);
        EXPECT_EQ(page.SSTexamples->tabText(p).toStdString(), e.Caption);
        const CataloguePage::ControlArray& array = page.Arrays[p];
        EXPECT_EQ(array.ButtonArray, e.ButtonArray);
        EXPECT_EQ(array.LabelArray, e.LabelArray);
        ASSERT_EQ(static_cast<int>(array.Buttons.size()), e.Count);
        ASSERT_EQ(static_cast<int>(array.Labels.size()), e.Count);
        total += e.Count;
        for (int i = 1; i <= e.Count; ++i) {
            QRadioButton* option = page.Option(e.ButtonArray, i);
            ASSERT_NE(option, nullptr);
            EXPECT_EQ(option->objectName().toStdString(), std::string(e.ButtonArray) + "_" + std::to_string(i));
            EXPECT_EQ(array.Labels[i - 1]->objectName().toStdString(), std::string(e.LabelArray) + "_" + std::to_string(i));
            EXPECT_EQ(option->text().toStdString(), tabs[p].Files[i - 1]);
            EXPECT_EQ(array.Labels[i - 1]->text().toStdString(), ShownCaption(tabs[p].Descriptions[i - 1]));
            // Button and label share their row on the page that holds them.
            EXPECT_EQ(option->parentWidget(), page.SSTexamples->widget(p));
            EXPECT_EQ(option->y(), array.Labels[i - 1]->y());
        }
        EXPECT_EQ(page.Option(e.ButtonArray, 0), nullptr);
        EXPECT_EQ(page.Option(e.ButtonArray, e.Count + 1), nullptr);
        if (e.FirstFile) {
            EXPECT_EQ(array.Buttons.front()->text().toStdString(), e.FirstFile);
            EXPECT_EQ(array.Buttons.back()->text().toStdString(), e.LastFile);
            EXPECT_EQ(array.Labels.back()->text().toStdString(), e.LastDescriptionShown);
        }
    }
    EXPECT_EQ(total, 66);
    EXPECT_EQ(page.Option("BVP_Exam", 4)->text(), "OptDes.qz");
    EXPECT_EQ(page.Arrays[2].Labels[3]->text(), "Best Design & Control");
    EXPECT_EQ(page.Option("solver_Exam", 1)->text().left(3), "hb1");
    EXPECT_EQ(page.Option("solver_Exam", 11)->text().left(3), "hb1");
    EXPECT_EQ(page.Option("solver_Exam", 12)->text().left(3), "hb2");
}

void FocusIn(QWidget* w)
{
    QFocusEvent event(QEvent::FocusIn, Qt::TabFocusReason);
    QCoreApplication::sendEvent(w, &event);
}

TEST(CataloguePage, ClickSelectsWithoutTouchingTheButtons)
{
    Installation inst;
    CataloguePage page(inst.Recording);
    page.Option("IP_Exam", 2)->click();
    EXPECT_EQ(page.SelectedExample(), "PharmAlg.qz");
    EXPECT_TRUE(page.cmdEditDemo->isEnabled());
    EXPECT_TRUE(page.cmdViewAnswer->isEnabled());
}

struct FocusCase {
    const char* Name;
    std::vector<std::string> Files;  // below the examples directory
    const char* Array;
    int Index;
    const char* Selected;
    bool Edit, View, OptionEnabled;
};

TEST(CataloguePage, FocusSelectsAndSetsTheButtons)
{
    const FocusCase cases[] = {
        {"source only", {"ACmotor.qz"}, "alg_exam", 1, "ACmotor.qz", true, false, true},
        {"source and answer", {"Beam.qz", "answers/Beam.out"}, "IVP_Exam", 1, "Beam.qz", true, true, true},
        {"answer but no source", {"answers/Orbit.out"}, "BVP_Exam", 5, "Orbit.qz", false, true, false},
        {"text example", {"~FIND-stmt.txt", "answers/~FIND-stmt.txt"}, "template_Exam", 5, "~FIND-stmt.txt", true, true,
         true},
        {"nothing installed", {}, "statistic_Exam", 2, "Failure.qz", false, false, false},
    };
    for (const FocusCase& c : cases) {
        SCOPED_TRACE(c.Name);
        Installation inst;
        for (const std::string& f : c.Files)
            WriteFile(inst.Examples() + "/" + f);
        CataloguePage page(inst.Recording);
        // Only a button of the page shown can have the focus.
        page.SSTexamples->setCurrentWidget(page.Option(c.Array, c.Index)->parentWidget());
        FocusIn(page.Option(c.Array, c.Index));
        EXPECT_EQ(page.SelectedExample(), c.Selected);
        EXPECT_EQ(page.cmdEditDemo->isEnabled(), c.Edit);
        EXPECT_EQ(page.cmdViewAnswer->isEnabled(), c.View);
        EXPECT_EQ(page.Option(c.Array, c.Index)->isEnabled(), c.OptionEnabled);
    }
}

TEST(CataloguePage, AMissingSourceDisablesOnlyTheFocusedExample)
{
    Installation inst;
    CataloguePage page(inst.Recording);
    page.show();
    QApplication::setActiveWindow(&page);
    page.SSTexamples->setCurrentIndex(1);
    QRadioButton* first = page.Option("IVP_Exam", 1);
    first->setFocus(Qt::TabFocusReason);
    QCoreApplication::processEvents();
    if (!first->hasFocus())
        FocusIn(first);  // the platform gave no real focus; the handler runs all the same
    EXPECT_FALSE(first->isEnabled());
    EXPECT_EQ(page.SelectedExample(), "Beam.qz");
    for (int i = 2; i <= 11; ++i)
        EXPECT_TRUE(page.Option("IVP_Exam", i)->isEnabled()) << i;
}

TEST(CataloguePage, CommandButtonsActOnTheSelection)
{
    Installation inst;
    WriteFile(inst.Examples() + "/GunAt.qz");
    WriteFile(inst.Answers() + "/GunAt.out");
    CataloguePage page(inst.Recording);

    page.cmdEditDemo->click();
    ASSERT_EQ(inst.Dialogs.Boxes.size(), 1u);
    EXPECT_EQ(inst.Dialogs.Boxes[0].Title, "Example Files");
    page.cmdViewAnswer->click();  // nothing happens for an empty selection
    EXPECT_EQ(inst.Dialogs.Boxes.size(), 1u);
    EXPECT_TRUE(inst.Recorder.Starts.empty());

    page.Option("IVP_Exam", 4)->click();
    page.cmdEditDemo->click();
    page.cmdViewAnswer->click();
    ASSERT_EQ(inst.Recorder.Starts.size(), 2u);
    EXPECT_EQ(inst.Recorder.Starts[0].Args.back(), inst.Examples() + "/GunAt.qz");
    EXPECT_EQ(inst.Recorder.Starts[1].Args.back(), inst.Answers() + "/GunAt.out");
}

}  // namespace

namespace {

// A catalogue page in a window of its own that has the keyboard, every example installed.
struct ShownCatalogue {
    Installation inst;
    CataloguePage page {inst.Recording};
    ShownCatalogue()
    {
        for (const CatalogueTab& tab : CatalogueTabs())
            for (const std::string& file : tab.Files)
                WriteFile(inst.Examples() + "/" + file);
        page.resize(960, 640);
        page.show();
        QApplication::setActiveWindow(&page);
    }
    void Choose(int tab, const char* array, int index)
    {
        page.SSTexamples->setCurrentIndex(tab);
        // On the round mark: the rest of the button's row takes no click.
        QRadioButton* option = page.Option(array, index);
        QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(6, option->height() / 2));
    }
};

struct ArrowCase {
    const char* Name;
    int Tab;
    const char* Array;
    int Start;
    Qt::Key Key;
    const char* Selected;  // afterwards
};

}  // namespace

TEST(CataloguePage, ArrowKeysMoveWithinThePageShownAndStopAtItsEnds)
{
    const ArrowCase cases[] = {
        {"down from Circuit stays on Algebraic Equations", 0, "alg_exam", 2, Qt::Key_Down, "Damper.qz"},
        {"up from Circuit", 0, "alg_exam", 2, Qt::Key_Up, "ACmotor.qz"},
        {"up at the first row", 0, "alg_exam", 1, Qt::Key_Up, "ACmotor.qz"},
        {"down at the last row", 0, "alg_exam", 20, Qt::Key_Down, "fit4QZ-W.qz"},
        {"down on Templates", 6, "template_Exam", 2, Qt::Key_Down, "BVP.qz"},
        {"down at the end of Templates", 6, "template_Exam", 7, Qt::Key_Down, "fit4QZ-W.qz"},
        {"down at the end of Statistics", 4, "statistic_Exam", 2, Qt::Key_Down, "Failure.qz"},
    };
    for (const ArrowCase& c : cases) {
        SCOPED_TRACE(c.Name);
        ShownCatalogue shown;
        shown.Choose(c.Tab, c.Array, c.Start);
        QWidget* focused = QApplication::focusWidget();
        ASSERT_EQ(focused, shown.page.Option(c.Array, c.Start));
        QTest::keyClick(focused, c.Key);
        EXPECT_EQ(shown.page.SelectedExample(), c.Selected);
        EXPECT_EQ(shown.page.SSTexamples->currentIndex(), c.Tab);
        const CatalogueTab tab = CatalogueTabs()[c.Tab];
        EXPECT_NE(std::find(tab.Files.begin(), tab.Files.end(), shown.page.SelectedExample()), tab.Files.end());
    }
}

TEST(CataloguePage, TheSelectionIsAlwaysOnThePageShown)
{
    ShownCatalogue shown;
    shown.Choose(0, "alg_exam", 2);
    EXPECT_EQ(shown.page.SelectedExample(), "Circuit.qz");

    // Nothing was chosen on Templates: "&Edit Demo" asks for a choice instead of opening Circuit.
    shown.page.SSTexamples->setCurrentIndex(6);
    EXPECT_EQ(shown.page.SelectedExample(), "");
    shown.page.cmdEditDemo->click();
    EXPECT_TRUE(shown.inst.Recorder.Starts.empty());
    ASSERT_EQ(shown.inst.Dialogs.Boxes.size(), 1u);
    EXPECT_EQ(shown.inst.Dialogs.Boxes[0].Title, EmptySelectionTitle);

    // Each page keeps its own choice, and showing it again makes that choice the selection.
    shown.Choose(6, "template_Exam", 2);
    EXPECT_EQ(shown.page.SelectedExample(), "IVP.qz");
    shown.page.SSTexamples->setCurrentIndex(0);
    EXPECT_EQ(shown.page.SelectedExample(), "Circuit.qz");
    EXPECT_TRUE(shown.page.Option("alg_exam", 2)->isChecked());
    shown.page.cmdEditDemo->click();
    ASSERT_EQ(shown.inst.Recorder.Starts.size(), 1u);
    EXPECT_EQ(shown.inst.Recorder.Starts[0].Args.back(), shown.inst.Examples() + "/Circuit.qz");
}

TEST(CataloguePage, EveryEnabledExampleStaysReachableByKeyboardAfterAMissingSource)
{
    ShownCatalogue shown;
    std::remove((shown.inst.Examples() + "/Damper.qz").c_str());
    shown.Choose(0, "alg_exam", 1);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    QCoreApplication::processEvents();
    ASSERT_FALSE(shown.page.Option("alg_exam", 3)->isEnabled());

    // Tab comes back into the page's examples, and the arrows from there reach every other one.
    QWidget* reached = nullptr;
    for (int i = 0; i < 12 && !reached; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget* focused = QApplication::focusWidget();
        if (focused && focused->objectName().startsWith("alg_exam_")) reached = focused;
    }
    ASSERT_NE(reached, nullptr) << "Tab never reaches the Algebraic Equations examples";
    std::set<std::string> chosen;
    for (Qt::Key key : {Qt::Key_Up, Qt::Key_Down})
        for (int i = 0; i < 21; ++i) {
            QTest::keyClick(QApplication::focusWidget(), key);
            chosen.insert(shown.page.SelectedExample());
        }
    EXPECT_EQ(chosen.size(), 19u);
    EXPECT_EQ(chosen.count("Damper.qz"), 0u);
}
