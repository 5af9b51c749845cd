#include "common/FormResizer.h"

#include <QAbstractScrollArea>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QSizeGrip>
#include <QApplication>
#include <QProxyStyle>
#include <QStatusBar>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTextEdit>
#include <QToolBar>
#include <QToolButton>

#include <algorithm>
#include <cmath>
#include <memory>

namespace tk {

namespace {

using layout::Prop;
using layout::PropertyError;

QWidget* ClientOf(QWidget* form)
{
    if (auto* main = qobject_cast<QMainWindow*>(form); main && main->centralWidget())
        return main->centralWidget();
    return form;
}

bool IsWindowFurniture(const QWidget* w)
{
    return qobject_cast<const QMenuBar*>(w) || qobject_cast<const QStatusBar*>(w) ||
           qobject_cast<const QToolBar*>(w) || qobject_cast<const QSizeGrip*>(w) || qobject_cast<const QMenu*>(w);
}

// Widgets whose children are their own inner parts, not controls of the form.
bool IsComposite(const QWidget* w)
{
    return qobject_cast<const QAbstractScrollArea*>(w) || qobject_cast<const QComboBox*>(w) ||
           qobject_cast<const QAbstractSpinBox*>(w) || qobject_cast<const QAbstractButton*>(w) ||
           qobject_cast<const QLabel*>(w) || qobject_cast<const QLineEdit*>(w) ||
           qobject_cast<const QAbstractSlider*>(w) || qobject_cast<const QTabBar*>(w) ||
           qobject_cast<const QProgressBar*>(w);
}

void Collect(const QWidget* parent, std::vector<QWidget*>& out)
{
    for (QObject* child : parent->children()) {
        auto* w = qobject_cast<QWidget*>(child);
        if (!w || w->isWindow() || IsWindowFurniture(w))
            continue;
        out.push_back(w);
        if (auto* tabs = qobject_cast<QTabWidget*>(w)) {
            for (int i = 0; i < tabs->count(); ++i) {
                if (QWidget* page = tabs->widget(i); page && !page->layout())
                    Collect(page, out);
            }
            continue;
        }
        if (!IsComposite(w) && !w->layout())
            Collect(w, out);
    }
}

double FontPoints(const QWidget* w)
{
    const QFont f = w->font();
    if (f.pointSizeF() > 0)
        return f.pointSizeF();
    return f.pixelSize() * 72.0 / 96.0;
}

int ToPixels(double twips)
{
    return static_cast<int>(std::lround(twips / TwipsPerPixel));
}

// One widget seen as a control of the given type.
class QtControl : public layout::Control {
public:
    explicit QtControl(QWidget* w) : w_(w), type_(FormResizer::ControlTypeName(w)) {}

    std::string TypeName() const override { return type_; }

    double Get(Prop p) const override
    {
        if (!w_)
            throw PropertyError("control no longer exists");
        const QRect g = w_->geometry();
        if (type_ == "Line")
            return LinePoint(p, g);
        switch (p) {
        case Prop::Top: return g.y() * double(TwipsPerPixel);
        case Prop::Left: return g.x() * double(TwipsPerPixel);
        case Prop::Width: return g.width() * double(TwipsPerPixel);
        case Prop::Height: return g.height() * double(TwipsPerPixel);
        case Prop::FontSize: return FontPoints(w_);
        case Prop::TabHeight:
            if (auto* tabs = qobject_cast<QTabWidget*>(w_.data()))
                return tabs->tabBar()->sizeHint().height() * double(TwipsPerPixel);
            break;
        case Prop::TabMaxWidth:
            // Qt's tabs are as wide as their captions, like a strip without a maximum.
            if (qobject_cast<QTabWidget*>(w_.data()))
                return 0.0;
            break;
        default:
            break;
        }
        throw PropertyError("no such property");
    }

    void Set(Prop p, double value) override
    {
        if (!w_)
            throw PropertyError("control no longer exists");
        QRect g = w_->geometry();
        if (type_ == "Line") {
            SetLinePoint(p, value, g);
            return;
        }
        switch (p) {
        case Prop::Top: g.moveTop(ToPixels(value)); break;
        case Prop::Left: g.moveLeft(ToPixels(value)); break;
        case Prop::Width:
            if (value < 0)
                throw PropertyError("invalid width");
            g.setWidth(ToPixels(value));
            break;
        case Prop::Height:
            if (value < 0)
                throw PropertyError("invalid height");
            g.setHeight(ToPixels(value));
            break;
        case Prop::FontSize: {
            if (!(value >= 1.0) || value > 1000.0)
                throw PropertyError("invalid font size");
            QFont f = w_->font();
            f.setPointSizeF(value);
            w_->setFont(f);
            return;
        }
        case Prop::TabHeight:
            // The tab strip's height follows its font; a set height is not taken.
            throw PropertyError("tab height follows the font");
        case Prop::TabMaxWidth:
            if (value != 0.0)
                throw PropertyError("tabs fit their captions");
            return;
        default:
            throw PropertyError("no such property");
        }
        w_->setGeometry(g);
    }

private:
    bool Horizontal() const
    {
        auto* f = qobject_cast<QFrame*>(w_.data());
        return !f || f->frameShape() != QFrame::VLine;
    }

    // A line frame stands for the segment through its middle.
    double LinePoint(Prop p, const QRect& g) const
    {
        const double t = TwipsPerPixel;
        const bool h = Horizontal();
        switch (p) {
        case Prop::X1: return (h ? g.x() : g.x() + g.width() / 2.0) * t;
        case Prop::X2: return (h ? g.x() + g.width() : g.x() + g.width() / 2.0) * t;
        case Prop::Y1: return (h ? g.y() + g.height() / 2.0 : g.y()) * t;
        case Prop::Y2: return (h ? g.y() + g.height() / 2.0 : g.y() + g.height()) * t;
        default: throw PropertyError("no such property");
        }
    }

    // The four points are kept between calls, so that setting X1, X2, Y1 and Y2 one after the
    // other ends with the frame through the segment they make.
    void SetLinePoint(Prop p, double value, const QRect& g)
    {
        if (!linePoints_) {
            linePoints_ = true;
            for (Prop q : {Prop::X1, Prop::X2, Prop::Y1, Prop::Y2})
                points_[Index(q)] = LinePoint(q, g);
        }
        points_[Index(p)] = value;
        const double x1 = std::min(points_[0], points_[1]) / TwipsPerPixel;
        const double x2 = std::max(points_[0], points_[1]) / TwipsPerPixel;
        const double y1 = std::min(points_[2], points_[3]) / TwipsPerPixel;
        const double y2 = std::max(points_[2], points_[3]) / TwipsPerPixel;
        if (Horizontal()) {
            const int thick = g.height();
            const int top = static_cast<int>(std::lround((y1 + y2) / 2 - thick / 2.0));
            w_->setGeometry(int(std::lround(x1)), top, std::max(1, int(std::lround(x2 - x1))), thick);
        } else {
            const int thick = g.width();
            const int left = static_cast<int>(std::lround((x1 + x2) / 2 - thick / 2.0));
            w_->setGeometry(left, int(std::lround(y1)), thick, std::max(1, int(std::lround(y2 - y1))));
        }
    }

    static int Index(Prop p)
    {
        switch (p) {
        case Prop::X1: return 0;
        case Prop::X2: return 1;
        case Prop::Y1: return 2;
        case Prop::Y2: return 3;
        default: throw PropertyError("no such property");
        }
    }

    bool linePoints_ = false;
    double points_[4] = {0, 0, 0, 0};
    QPointer<QWidget> w_;
    std::string type_;
};

class QtForm : public layout::Form {
public:
    explicit QtForm(QWidget* client) : client_(client)
    {
        std::vector<QWidget*> widgets;
        Collect(client, widgets);
        for (QWidget* w : widgets)
            controls_.push_back(std::make_unique<QtControl>(w));
    }
    double InnerWidth() const override { return client_->width() * double(TwipsPerPixel); }
    double InnerHeight() const override { return client_->height() * double(TwipsPerPixel); }
    std::size_t ControlCount() const override { return controls_.size(); }
    layout::Control& ControlAt(std::size_t index) override { return *controls_.at(index); }

private:
    QWidget* client_;
    std::vector<std::unique_ptr<QtControl>> controls_;
};

// Whether the control's caption shows whole with its present font: no wider and no taller than
// the part of the control that shows it, a wrapped caption with no more lines than the control
// holds. A control without a caption of its own counts as whole.
bool CaptionWhole(const QWidget* w)
{
    const QFontMetrics fm(w->font());
    const auto fits = [](QSize need, QSize room) { return need.width() <= room.width() && need.height() <= room.height(); };
    const auto line = [&](const QString& text) { return QSize(fm.horizontalAdvance(text), fm.height()); };
    if (auto* b = qobject_cast<const QAbstractButton*>(w)) {
        if (b->text().isEmpty()) return true;
        const QString text = QString(b->text()).remove('&');
        if (qobject_cast<const QPushButton*>(w)) {
            const int border = w->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, w);
            const int margin = w->style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, w) + border;
            return fits(line(text), w->size() - QSize(2 * margin, 2 * border));
        }
        if (qobject_cast<const QCheckBox*>(w) || qobject_cast<const QRadioButton*>(w))
            return b->sizeHint().width() <= w->width() && fm.height() <= w->height();
        return true;
    }
    if (auto* l = qobject_cast<const QLabel*>(w)) {
        if (l->text().isEmpty() || l->textFormat() == Qt::RichText || !l->pixmap().isNull()) return true;
        const int m = l->margin() + std::max(0, l->indent());
        const QRect room = l->contentsRect().adjusted(m, m, -m, -m);
        if (!l->wordWrap()) return fits(line(l->text()), room.size());
        return fits(fm.boundingRect(QRect(0, 0, room.width(), 1 << 20), Qt::TextWordWrap, l->text()).size(), room.size());
    }
    if (auto* g = qobject_cast<const QGroupBox*>(w))
        return g->title().isEmpty() || line(QString(g->title()).remove('&')).width() + fm.height() <= w->width();
    return true;
}

// A caption that is not whole with the font that the layout gave it (fonts follow the window's
// height, so a narrow window makes captions too wide for their controls and wrapped ones too
// long): the control's font is made smaller until the caption is whole.
void FitCaption(QWidget* w)
{
    for (int round = 0; round < 40 && !CaptionWhole(w); ++round) {
        const double size = FontPoints(w) * 0.94;
        if (size < 2) return;
        QFont f = w->font();
        f.setPointSizeF(size);
        w->setFont(f);
    }
}

// A tab strip whose tabs came out taller than the strip the layout keeps for them (a small
// window: the tabs' padding does not shrink with their font) would have its captions covered
// by the controls placed just below it; those are moved down to the tabs' lower edge.
void KeepClearOfTabs(const std::vector<QWidget*>& controls)
{
    for (QWidget* w : controls) {
        auto* tabs = qobject_cast<QTabWidget*>(w);
        if (!tabs || tabs->tabBar()->isHidden()) continue;
        const int barBottom = tabs->y() + tabs->tabBar()->sizeHint().height();
        for (QWidget* other : controls) {
            if (other == w || other->parentWidget() != w->parentWidget()) continue;
            const QRect g = other->geometry();
            const bool under = g.left() <= tabs->geometry().right() && g.right() >= tabs->x();
            if (!under || g.top() >= barBottom || g.top() < tabs->y()) continue;
            other->setGeometry(g.left(), barBottom, g.width(), std::max(1, g.bottom() + 1 - barBottom));
        }
    }
}

// Check-box and option-button markers as large as the text beside them grows: the style's
// markers are a fixed size, which beside the text of a large window looks like a speck. In a
// small window a marker is no taller than its control, which would cut it. A tab's padding
// shrinks with a small font the way its text does, so that the tabs of a small window leave
// their pages the room the layout gave them.
class ScaledIndicatorStyle : public QProxyStyle {
public:
    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override
    {
        const int base = QProxyStyle::pixelMetric(metric, option, widget);
        if (!widget) return base;
        switch (metric) {
        case PM_IndicatorWidth:
        case PM_IndicatorHeight:
        case PM_ExclusiveIndicatorWidth:
        case PM_ExclusiveIndicatorHeight: {
            const int size = std::max(base, int(std::lround(QFontMetrics(widget->font()).ascent() * 0.7)));
            return widget->height() > 0 ? std::min(size, widget->height()) : size;
        }
        case PM_TabBarTabVSpace: return std::min(base, QFontMetrics(widget->font()).height());
        default: return base;
        }
    }
};

}  // namespace

void ScaleIndicatorsWithText()
{
    if (qobject_cast<QApplication*>(QCoreApplication::instance())) QApplication::setStyle(new ScaledIndicatorStyle);
}

QSize ScreenRoom(const QWidget* window)
{
    const QScreen* screen = window->screen();
    if (!screen) return QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    const int title = window->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, window);
    return screen->availableGeometry().size() - QSize(8, title + 8);
}

void FitCaptions(QWidget* control)
{
    if (control) FitCaption(control);
}

struct FormResizer::Impl {
    QPointer<QWidget> form;
    layout::LayoutFractions fractions;
};

FormResizer::FormResizer(QWidget* form) : impl_(new Impl{form, {}}) {}
FormResizer::~FormResizer() { delete impl_; }

void FormResizer::RecordLayout()
{
    if (!impl_->form)
        return;
    QtForm form(ClientOf(impl_->form));
    impl_->fractions = layout::RecordLayout(form);
}

void FormResizer::ApplyLayout()
{
    if (!impl_->form)
        return;
    // The controls are listed afresh each time and paired with their fractions by index.
    QtForm form(ClientOf(impl_->form));
    layout::ApplyLayout(form, impl_->fractions);
    const std::vector<QWidget*> controls = Controls();
    for (QWidget* w : controls) FitCaption(w);
    KeepClearOfTabs(controls);
}

std::vector<QWidget*> FormResizer::Controls() const
{
    std::vector<QWidget*> widgets;
    if (impl_->form)
        Collect(ClientOf(impl_->form), widgets);
    return widgets;
}

const layout::LayoutFractions& FormResizer::Fractions() const { return impl_->fractions; }

double FormResizer::InnerWidth() const
{
    return impl_->form ? ClientOf(impl_->form)->width() * double(TwipsPerPixel) : 0.0;
}

double FormResizer::InnerHeight() const
{
    return impl_->form ? ClientOf(impl_->form)->height() * double(TwipsPerPixel) : 0.0;
}

std::string FormResizer::ControlTypeName(const QWidget* w)
{
    if (const QVariant named = w->property(ControlTypeProperty); named.isValid())
        return named.toString().toStdString();
    if (qobject_cast<const QPushButton*>(w) || qobject_cast<const QToolButton*>(w))
        return "CommandButton";
    if (qobject_cast<const QCheckBox*>(w))
        return "CheckBox";
    if (qobject_cast<const QRadioButton*>(w))
        return "OptionButton";
    if (qobject_cast<const QLabel*>(w))
        return "Label";
    if (qobject_cast<const QLineEdit*>(w) || qobject_cast<const QTextEdit*>(w) ||
        qobject_cast<const QPlainTextEdit*>(w))
        return "TextBox";
    if (qobject_cast<const QGroupBox*>(w))
        return "Frame";
    if (qobject_cast<const QTabWidget*>(w))
        return "SSTab";
    if (qobject_cast<const QComboBox*>(w))
        return "ComboBox";
    if (qobject_cast<const QTableView*>(w))
        return "MSHFlexGrid";
    if (qobject_cast<const QListView*>(w))
        return "ListBox";
    if (auto* bar = qobject_cast<const QScrollBar*>(w))
        return bar->orientation() == Qt::Vertical ? "VScrollBar" : "HScrollBar";
    if (auto* frame = qobject_cast<const QFrame*>(w);
        frame && (frame->frameShape() == QFrame::HLine || frame->frameShape() == QFrame::VLine))
        return "Line";
    if (qobject_cast<const QAbstractSlider*>(w) || qobject_cast<const QProgressBar*>(w) ||
        qobject_cast<const QAbstractSpinBox*>(w) || qobject_cast<const QAbstractScrollArea*>(w))
        return "Other";
    // Plain and custom widgets are drawing surfaces or containers, as picture boxes are.
    return "PictureBox";
}

}  // namespace tk
