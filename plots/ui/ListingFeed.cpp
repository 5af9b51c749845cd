#include "plots/ui/ListingFeed.h"

#include "common/TextFile.h"

#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

namespace plots {

namespace {

// Up to this much goes into the box in one go, so a slice takes a moment, not seconds.
constexpr std::size_t SliceBytes = 256 * 1024;

}  // namespace

QString Displayed(const std::string& text)
{
    const QString decoded = QString::fromStdString(tk::DecodeLine(text));
    // One pass: CR LF and a lone CR each become one line feed.
    QString shown(decoded.size(), Qt::Uninitialized);
    QChar* out = shown.data();
    const QChar* const end = decoded.constData() + decoded.size();
    for (const QChar* c = decoded.constData(); c != end; ++c) {
        if (*c != u'\r') {
            *out++ = *c;
        } else if (c + 1 == end || c[1] != u'\n') {
            *out++ = u'\n';
        }
    }
    shown.truncate(out - shown.constData());
    return shown;
}

ListingFeed::ListingFeed(QTextEdit* box, const std::string& text) : QObject(box), box_(box), text_(text)
{
    slices_.setInterval(0);
    connect(&slices_, &QTimer::timeout, this, &ListingFeed::ShowSlice);
}

void ListingFeed::Replaced()
{
    shown_ = 0;
    if (text_.size() <= SliceBytes) {
        slices_.stop();
        box_->setPlainText(Displayed(text_));
        shown_ = text_.size();
        return;
    }
    box_->clear();
    // A listing of this size is not undone: the document keeps no copy of what goes in.
    box_->document()->setUndoRedoEnabled(false);
    ShowSlice();
}

void ListingFeed::Extended()
{
    // A small box takes its whole text again, as it always has; a large one is fed on.
    if (!Pending() && text_.size() <= SliceBytes) {
        Replaced();
        return;
    }
    if (!slices_.isActive()) ShowSlice();
}

void ListingFeed::ShowSlice()
{
    std::size_t end = std::min(text_.size(), shown_ + SliceBytes);
    // Whole lines: the slice ends after a line feed when there is one in reach.
    if (end < text_.size()) {
        const std::size_t feed = text_.rfind('\n', end - 1);
        if (feed != std::string::npos && feed >= shown_) end = feed + 1;
    }
    QTextCursor cursor(box_->document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(Displayed(text_.substr(shown_, end - shown_)));
    shown_ = end;
    if (Pending())
        slices_.start();
    else
        slices_.stop();
}

}  // namespace plots
