// What a user would see cut in a window: the texts of its visible controls that are not whole.
// A caption wider or taller than the part of its control that shows text (descenders count), a
// wrapped text with more lines than its label holds, a tab title larger than its tab, a text
// that a parent cuts off or a later sibling covers, a check or option mark smaller than the text
// beside it or outside its control. Font metrics against the contents rect, as the style draws.
#pragma once

#include <QAbstractButton>
#include <QCheckBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTabBar>
#include <QWidget>

#include <string>
#include <vector>

namespace tktest {

namespace wholetexts {

inline std::string Describe(const QWidget* w, const QString& text, const QString& what)
{
    return (w->objectName().isEmpty() ? QString(w->metaObject()->className()) : w->objectName()).toStdString() +
           " \"" + text.left(40).toStdString() + "\": " + what.toStdString();
}

inline QString Size(const QSize& s) { return QString("%1x%2").arg(s.width()).arg(s.height()); }

// The part of the widget that its parents show and no later sibling of it or of a parent covers,
// in the widget's own coordinates.
inline QRegion Shown(const QWidget* w)
{
    QRegion shown(w->rect());
    QPoint offset(0, 0);  // of w in the current ancestor's coordinates
    for (const QWidget* c = w; c->parentWidget() && !c->isWindow(); c = c->parentWidget()) {
        const QWidget* parent = c->parentWidget();
        offset += c->pos();
        QRegion inParent = shown.translated(offset);
        inParent &= parent->rect();
        const QObjectList& siblings = parent->children();
        for (qsizetype i = siblings.indexOf(const_cast<QWidget*>(c)) + 1; i < siblings.size(); ++i) {
            auto* s = qobject_cast<const QWidget*>(siblings[i]);
            if (s && !s->isWindow() && s->isVisible()) inParent -= s->geometry();
        }
        shown = inParent.translated(-offset);
    }
    return shown;
}

// The text, of the given size and placed in the room as aligned, is whole: it fits the room,
// and all of it is shown.
inline void Need(std::vector<std::string>& cut, const QWidget* w, const QString& text, const QSize& size,
                 const QRect& room, Qt::Alignment align = Qt::AlignCenter)
{
    if (size.width() > room.width() || size.height() > room.height()) {
        cut.push_back(Describe(w, text, "needs " + Size(size) + ", has " + Size(room.size())));
        return;
    }
    const QRect placed = QStyle::alignedRect(w->layoutDirection(), align, size, room);
    if (!QRegion(placed).subtracted(Shown(w)).isEmpty())
        cut.push_back(Describe(w, text, "cut off by a parent or covered by a sibling"));
}

// A caption as shown: "&&" is an ampersand, a single "&" marks the access key.
inline QString AsShown(QString caption)
{
    return caption.replace("&&", "\x01").remove('&').replace('\x01', '&');
}

inline QSize TextSize(const QFontMetrics& fm, const QString& text)
{
    return {fm.horizontalAdvance(text), fm.height()};
}

}  // namespace wholetexts

// One line for each text of the window's shown controls that is not whole, naming the control.
inline std::vector<std::string> CutTexts(const QWidget* window)
{
    using namespace wholetexts;
    std::vector<std::string> cut;
    for (const QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->isVisible() || w->window() != window) continue;
        const QFontMetrics fm(w->font());
        const QStyle* style = w->style();
        if (auto* l = qobject_cast<const QLabel*>(w)) {
            if (l->text().isEmpty() || !l->pixmap().isNull()) continue;
            const int m = l->margin() + (l->indent() > 0 ? l->indent() : 0);
            const QRect room = l->contentsRect().adjusted(m, m, -m, -m);
            const QString shown = l->textFormat() == Qt::RichText ? QString() : l->text();
            if (shown.isEmpty()) continue;
            const QSize need = l->wordWrap()
                                   ? fm.boundingRect(QRect(0, 0, room.width(), 1 << 20), Qt::TextWordWrap, shown).size()
                                   : TextSize(fm, shown);
            Need(cut, w, shown, need, room, l->alignment());
        } else if (auto* b = qobject_cast<const QPushButton*>(w)) {
            if (b->text().isEmpty()) continue;
            QStyleOptionButton option;
            option.initFrom(b);
            const QRect room = style->subElementRect(QStyle::SE_PushButtonContents, &option, b);
            const QString text = AsShown(b->text());
            Need(cut, w, text, TextSize(fm, text), room);
        } else if (qobject_cast<const QCheckBox*>(w) || qobject_cast<const QRadioButton*>(w)) {
            auto* b = static_cast<const QAbstractButton*>(w);
            const bool check = qobject_cast<const QCheckBox*>(w) != nullptr;
            QStyleOptionButton option;
            option.initFrom(b);
            option.text = b->text();
            const QRect room = style->subElementRect(check ? QStyle::SE_CheckBoxContents : QStyle::SE_RadioButtonContents,
                                                     &option, b);
            const QRect mark = style->subElementRect(check ? QStyle::SE_CheckBoxIndicator : QStyle::SE_RadioButtonIndicator,
                                                     &option, b);
            const QString text = AsShown(b->text());
            if (!text.isEmpty()) Need(cut, w, text, TextSize(fm, text), room, Qt::AlignLeft | Qt::AlignVCenter);
            if (!w->rect().contains(mark))
                cut.push_back(Describe(w, text, "mark " + Size(mark.size()) + " outside " + Size(w->size())));
            else if (mark.height() < fm.ascent() * 0.6)
                cut.push_back(Describe(w, text, "mark " + Size(mark.size()) + " small beside its text"));
        } else if (auto* g = qobject_cast<const QGroupBox*>(w)) {
            if (g->title().isEmpty()) continue;
            const QString text = AsShown(g->title());
            Need(cut, w, text, TextSize(fm, text), g->rect(), Qt::AlignLeft | Qt::AlignTop);
        } else if (auto* e = qobject_cast<const QLineEdit*>(w)) {
            // A one-line box scrolls its text sideways; it has to be tall enough for a line.
            const QMargins t = e->textMargins();
            const QRect room = e->contentsRect().adjusted(t.left(), t.top(), -t.right(), -t.bottom());
            if (room.height() < fm.height())
                cut.push_back(Describe(w, e->text(), "line " + QString::number(fm.height()) + " high, box " +
                                                         QString::number(room.height())));
        } else if (auto* bar = qobject_cast<const QTabBar*>(w)) {
            // Tabs scrolled out of the strip are reached by its arrows; the others show whole.
            const int hspace = style->pixelMetric(QStyle::PM_TabBarTabHSpace, nullptr, bar);
            const QRegion shown = Shown(bar);
            for (int i = 0; i < bar->count(); ++i) {
                const QString text = AsShown(bar->tabText(i));
                const QRect tab = bar->tabRect(i);
                const QSize need(fm.horizontalAdvance(text) + hspace / 2, fm.height());
                if (need.width() > tab.width() || need.height() > tab.height()) {
                    cut.push_back(Describe(w, text, "tab needs " + Size(need) + ", has " + Size(tab.size())));
                    continue;
                }
                const QRect line = QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, need, tab) & bar->rect();
                if (!line.isEmpty() && !QRegion(line).subtracted(shown).isEmpty())
                    cut.push_back(Describe(w, text, "tab cut off by a parent or covered by a sibling"));
            }
        }
    }
    return cut;
}

}  // namespace tktest
