#include "Pitchwell/CataloguePage.h"

#include "Pitchwell/LauncherCommands.h"
#include "common/FormResizer.h"

#include <QButtonGroup>
#include <QEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

#include <algorithm>

namespace pitchwell {

namespace {

constexpr int Px(int twips) { return twips / tk::TwipsPerPixel; }

// The inner tab control's designed place on the page, and the rows of one catalogue page. The
// rows are tall enough for an option button's round mark in a window shrunk to 640 by 410, and
// far enough apart that they never touch.
constexpr int TabsLeft = 300, TabsTop = 750, TabsWidth = 13100, TabsHeight = 8600;
constexpr int RowsTop = 150, RowsHeight = 7800, RowStep = 390, RowHeight = 370;
constexpr int OptionLeft = 300, OptionWidth = 2700, LabelLeft = 3100, LabelWidth = 9700;

// Properties that say where an option button sits in the catalogue.
constexpr char PageProperty[] = "tkCataloguePage";
constexpr char IndexProperty[] = "tkCatalogueIndex";

}  // namespace

CataloguePage::CataloguePage(LauncherContext& ctx, QWidget* parent) : QWidget(parent), ctx_(ctx)
{
    setObjectName("pageExamples");
    cmdEditDemo = new QPushButton("&Edit Demo", this);
    cmdEditDemo->setObjectName("cmdEditDemo");
    cmdEditDemo->setGeometry(Px(450), Px(200), Px(1900), Px(450));
    cmdViewAnswer = new QPushButton("View Answer", this);
    cmdViewAnswer->setObjectName("cmdViewAnswer");
    cmdViewAnswer->setGeometry(Px(2550), Px(200), Px(1900), Px(450));
    connect(cmdEditDemo, &QPushButton::clicked, this, &CataloguePage::cmdEditDemo_Click);
    connect(cmdViewAnswer, &QPushButton::clicked, this, &CataloguePage::cmdViewAnswer_Click);

    SSTexamples = new QTabWidget(this);
    SSTexamples->setObjectName("SSTexamples");
    SSTexamples->setGeometry(Px(TabsLeft), Px(TabsTop), Px(TabsWidth), Px(TabsHeight));
    // Scaled as a whole, its top included, like a frame: a tab control whose top stays put while
    // the window shrinks around it cuts its last rows and its frame in a small window.
    SSTexamples->setProperty(tk::ControlTypeProperty, "Frame");
    SSTexamples->setUsesScrollButtons(true);
    BuildCatalogue();
}

void CataloguePage::BuildCatalogue()
{
    const std::vector<CatalogueTab> tabs = CatalogueTabs();
    for (std::size_t p = 0; p < tabs.size(); ++p) {
        const CatalogueTab& tab = tabs[p];
        // A group per page: the arrow keys move among the examples of the page shown and stop
        // at its ends. A group spanning all pages would move to the nearest row of any page,
        // hidden ones included.
        auto* group = new QButtonGroup(this);
        group->setExclusive(true);
        auto* page = new QWidget;
        page->setObjectName(QString::fromStdString("SSTexamples_page" + std::to_string(p)));
        const int count = static_cast<int>(tab.Files.size());
        const int step = std::min(RowStep, count > 0 ? RowsHeight / count : RowStep);
        ControlArray array {tab.ButtonArray, tab.LabelArray, {}, {}};
        for (int i = 1; i <= count; ++i) {
            const int top = RowsTop + (i - 1) * step;
            auto* option = new QRadioButton(QString::fromStdString(tab.Files[i - 1]), page);
            option->setObjectName(QString::fromStdString(tab.ButtonArray + "_" + std::to_string(i)));
            option->setGeometry(Px(OptionLeft), Px(top), Px(OptionWidth), Px(RowHeight));
            option->setProperty(PageProperty, static_cast<int>(p));
            option->setProperty(IndexProperty, i);
            option->installEventFilter(this);
            group->addButton(option);
            connect(option, &QRadioButton::clicked, this, [this, p, i] { Exam_Click(static_cast<int>(p), i); });
            auto* label = new QLabel(page);
            label->setObjectName(QString::fromStdString(tab.LabelArray + "_" + std::to_string(i)));
            label->setTextFormat(Qt::PlainText);
            label->setText(QString::fromStdString(ShownCaption(tab.Descriptions[i - 1])));
            label->setGeometry(Px(LabelLeft), Px(top), Px(LabelWidth), Px(RowHeight));
            label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
            array.Buttons.push_back(option);
            array.Labels.push_back(label);
        }
        Arrays.push_back(std::move(array));
        files_.push_back(tab.Files);
        SSTexamples->addTab(page, QString::fromStdString(tab.Caption));
    }
    pageChoice_.assign(files_.size(), 0);
    connect(SSTexamples, &QTabWidget::currentChanged, this, &CataloguePage::SSTexamples_Click);
}

QRadioButton* CataloguePage::Option(const std::string& buttonArray, int index) const
{
    for (const ControlArray& array : Arrays) {
        if (array.ButtonArray != buttonArray)
            continue;
        if (index < 1 || index > static_cast<int>(array.Buttons.size()))
            return nullptr;
        return array.Buttons[index - 1];
    }
    return nullptr;
}

void CataloguePage::Exam_Click(int page, int index)
{
    if (page < 0 || page >= static_cast<int>(files_.size()))
        return;
    const std::vector<std::string>& files = files_[page];
    if (index < 1 || index > static_cast<int>(files.size()))
        return;
    selectedExample_ = files[index - 1];
    pageChoice_[page] = index;
}

void CataloguePage::SSTexamples_Click(int page)
{
    // The selection is always an example of the page shown: the one last chosen there, or
    // none, so that "&Edit Demo" never opens an example the user cannot see.
    if (page < 0 || page >= static_cast<int>(files_.size()))
        return;
    shownPage_ = page;
    const int index = pageChoice_[page];
    if (index == 0) {
        selectedExample_.clear();
        cmdEditDemo->setEnabled(true);
        cmdViewAnswer->setEnabled(true);
        return;
    }
    selectedExample_ = files_[page][index - 1];
    SetExampleButtons();
}

void CataloguePage::Exam_GotFocus(int page, int index)
{
    // Disabling the focused button hands the focus on; that is not a choice of the next example,
    // or one missing source would disable a whole page of examples in a chain.
    if (disablingFocused_)
        return;
    // Showing another page moves the focus from the page that goes to the first example of the
    // one that comes, before the page counts as shown; that is not the user's choice either.
    if (page != shownPage_)
        return;
    Exam_Click(page, index);
    if (page < 0 || page >= static_cast<int>(Arrays.size()) || index < 1 ||
        index > static_cast<int>(Arrays[page].Buttons.size()))
        return;
    SetExampleButtons();
    // A source that is missing makes its own option button unusable until the next start.
    if (cmdEditDemo->isEnabled())
        return;
    // An exclusive group takes the Tab key only at one button, the checked or last focused one;
    // were that the button disabled here, the page's other examples could no longer be reached
    // from the keyboard. The nearest enabled example takes the tab stop and the focus instead.
    const std::vector<QRadioButton*>& buttons = Arrays[page].Buttons;
    QRadioButton* next = nullptr;
    for (int i = index; i < static_cast<int>(buttons.size()) && !next; ++i)
        if (buttons[i]->isEnabled()) next = buttons[i];
    for (int i = index - 2; i >= 0 && !next; --i)
        if (buttons[i]->isEnabled()) next = buttons[i];
    QRadioButton* gone = buttons[index - 1];
    const bool hadFocus = gone->hasFocus();
    disablingFocused_ = true;
    gone->setEnabled(false);
    if (next && hadFocus) next->setFocus(Qt::TabFocusReason);
    disablingFocused_ = false;
    if (!next)
        return;
    // The arrow key that brought the focus here hands the group's tab stop round once it is
    // done; the stop is set after that.
    QMetaObject::invokeMethod(
        next, [next] { next->setFocusPolicy(Qt::FocusPolicy(next->focusPolicy() | Qt::TabFocus)); },
        Qt::QueuedConnection);
}

void CataloguePage::SetExampleButtons()
{
    const ExampleButtonStates states = pitchwell::SetExampleButtons(ctx_, selectedExample_);
    cmdEditDemo->setEnabled(states.EditDemo);
    cmdViewAnswer->setEnabled(states.ViewAnswer);
}

void CataloguePage::cmdEditDemo_Click()
{
    EditDemo(ctx_, selectedExample_);
}

void CataloguePage::cmdViewAnswer_Click()
{
    ViewAnswer(ctx_, selectedExample_);
}

bool CataloguePage::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn) {
        const QVariant page = watched->property(PageProperty);
        const QVariant index = watched->property(IndexProperty);
        if (page.isValid() && index.isValid())
            Exam_GotFocus(page.toInt(), index.toInt());
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace pitchwell
