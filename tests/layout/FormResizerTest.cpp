// A real Qt window resized offscreen: its controls follow the recorded fractions, a window
// below the threshold leaves them alone, and the control types map as the layout expects.
#include "common/FormResizer.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTextEdit>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {

// A small form laid out with absolute positions at 600 x 400 pixels (9000 x 6000 twips).
class TestForm : public QMainWindow {
public:
    TestForm() : resizer(this)
    {
        menuBar()->addMenu("&File");
        auto* client = new QWidget(this);
        setCentralWidget(client);
        button = new QPushButton("&Go", client);
        button->setGeometry(30, 20, 120, 30);
        tabs = new QTabWidget(client);
        tabs->setGeometry(30, 60, 540, 300);
        auto* page0 = new QWidget;
        auto* page1 = new QWidget;
        tabs->addTab(page0, "First");
        tabs->addTab(page1, "Second");
        label = new QLabel("A label", page0);
        label->setGeometry(20, 20, 200, 30);
        QFont f = label->font();
        f.setPointSizeF(10);
        label->setFont(f);
        hiddenText = new QTextEdit(page1);
        hiddenText->setGeometry(20, 20, 300, 200);
        group = new QGroupBox("Group", page0);
        group->setGeometry(20, 60, 300, 150);
        check = new QCheckBox("Check", group);
        check->setGeometry(10, 30, 120, 20);
        line = new QFrame(client);
        line->setFrameShape(QFrame::HLine);
        line->setGeometry(30, 370, 540, 3);
        laidOut = new QWidget(client);
        laidOut->setGeometry(400, 10, 150, 40);
        auto* inner = new QVBoxLayout(laidOut);
        inner->addWidget(new QLineEdit);
        resize(600, 400 + menuBar()->sizeHint().height());
    }

    void resizeEvent(QResizeEvent* e) override
    {
        QMainWindow::resizeEvent(e);
        if (recorded)
            resizer.ApplyLayout();
    }

    void ResizeClient(int w, int h)
    {
        resize(w, h + menuBar()->height());
        QApplication::processEvents();
        ASSERT_EQ(centralWidget()->width(), w);
        ASSERT_EQ(centralWidget()->height(), h);
    }

    tk::FormResizer resizer;
    bool recorded = false;
    QPushButton* button;
    QTabWidget* tabs;
    QLabel* label;
    QTextEdit* hiddenText;
    QGroupBox* group;
    QCheckBox* check;
    QFrame* line;
    QWidget* laidOut;
};

}  // namespace

TEST(FormResizer, WidgetsMapOntoControlTypes)
{
    QWidget form;
    QScrollBar vbar(Qt::Vertical, &form), hbar(Qt::Horizontal, &form);
    QRadioButton option(&form);
    QWidget custom(&form);
    QLabel named(&form);
    named.setProperty(tk::ControlTypeProperty, "Image");
    const std::vector<std::pair<QWidget*, std::string>> cases = {
        {&vbar, "VScrollBar"}, {&hbar, "HScrollBar"}, {&option, "OptionButton"},
        {&custom, "PictureBox"}, {&named, "Image"},
    };
    for (const auto& [w, name] : cases)
        EXPECT_EQ(tk::FormResizer::ControlTypeName(w), name);
}

TEST(FormResizer, ControlsAreListedAsAFormDesignerWould)
{
    TestForm form;
    const std::vector<QWidget*> controls = form.resizer.Controls();
    // The menu bar, the tab pages, the tab widget's inner parts and the laid-out widget's child
    // are not controls; the pages' children are.
    const std::vector<QWidget*> expected = {form.button, form.tabs, form.label, form.group, form.check,
                                            form.hiddenText, form.line, form.laidOut};
    EXPECT_EQ(controls, expected);
    EXPECT_EQ(tk::FormResizer::ControlTypeName(form.hiddenText), "TextBox");
    EXPECT_EQ(tk::FormResizer::ControlTypeName(form.group), "Frame");
    EXPECT_EQ(tk::FormResizer::ControlTypeName(form.line), "Line");
    EXPECT_EQ(tk::FormResizer::ControlTypeName(form.tabs), "SSTab");
}

TEST(FormResizer, WindowResizedLargerBelowTheThresholdAndBack)
{
    TestForm form;
    form.show();
    form.ResizeClient(600, 400);
    form.resizer.RecordLayout();
    form.recorded = true;
    EXPECT_DOUBLE_EQ(form.resizer.InnerWidth(), 9000);

    struct Step {
        int w, h;
        QRect button, label, hiddenText, check, line;
        double labelFont;
    };
    const std::vector<Step> steps = {
        {1200, 800, {60, 40, 240, 60}, {40, 40, 400, 60}, {40, 40, 600, 400}, {20, 60, 240, 40}, {60, 742, 1080, 3}, 20},
        // 120 x 90 pixels is 1800 x 1350 twips: below the threshold, nothing moves.
        {120, 90, {60, 40, 240, 60}, {40, 40, 400, 60}, {40, 40, 600, 400}, {20, 60, 240, 40}, {60, 742, 1080, 3}, 20},
        {600, 400, {30, 20, 120, 30}, {20, 20, 200, 30}, {20, 20, 300, 200}, {10, 30, 120, 20}, {30, 370, 540, 3}, 10},
        // Wider only: places and sizes follow, fonts do not.
        {1200, 400, {60, 20, 240, 30}, {40, 20, 400, 30}, {40, 20, 600, 200}, {20, 30, 240, 20}, {60, 370, 1080, 3}, 10},
    };
    for (const auto& s : steps) {
        form.ResizeClient(s.w, s.h);
        const QString at = QString("%1x%2").arg(s.w).arg(s.h);
        EXPECT_EQ(form.button->geometry(), s.button) << at.toStdString();
        EXPECT_EQ(form.label->geometry(), s.label) << at.toStdString();
        EXPECT_EQ(form.hiddenText->geometry(), s.hiddenText) << at.toStdString();
        EXPECT_EQ(form.check->geometry(), s.check) << at.toStdString();
        EXPECT_EQ(form.line->geometry(), s.line) << at.toStdString();
        EXPECT_NEAR(form.label->font().pointSizeF(), s.labelFont, 0.01) << at.toStdString();
    }
    // The tab widget keeps its place and scales its size; the laid-out widget scales as a box.
    EXPECT_EQ(form.tabs->pos(), QPoint(30, 60));
    EXPECT_EQ(form.tabs->size(), QSize(1080, 300));
    EXPECT_EQ(form.laidOut->geometry(), QRect(800, 10, 300, 40));
    // The page that was hidden when recording shows its control at the scaled place.
    form.tabs->setCurrentIndex(1);
    QApplication::processEvents();
    EXPECT_TRUE(form.hiddenText->isVisible());
    EXPECT_EQ(form.hiddenText->geometry(), QRect(40, 20, 600, 200));
}
