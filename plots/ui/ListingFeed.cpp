#include "plots/ui/ListingFeed.h"

#include "common/Text.h"
#include "common/TextFile.h"

#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

#include <utility>

namespace plots {

namespace {

// Up to this much goes into the box in one go, so a slice takes a moment, not seconds.
constexpr std::size_t SliceBytes = 256 * 1024;

}  // namespace

QString Displayed(const std::string& text) { return QString::fromStdString(tk::DecodeLine(tk::WithLineFeeds(text))); }

ListingFeed::ListingFeed(QTextEdit* box, const std::string& text) : QObject(box), box_(box), text_(text)
{
    slices_.setInterval(0);
    connect(&slices_, &QTimer::timeout, this, &ListingFeed::ReadSlice);
}

void ListingFeed::Release()
{
    held_ = false;
    if (std::exchange(stale_, false)) Replaced();
}

void ListingFeed::Replaced()
{
    if (held_) {
        stale_ = true;
        return;
    }
    slices_.stop();
    delete loading_;
    loading_ = nullptr;
    shown_ = 0;
    if (text_.size() <= SliceBytes) {
        box_->setPlainText(Displayed(text_));
        shown_ = text_.size();
        return;
    }
    // The start at once; the whole text goes into a document of its own, which the box takes
    // when it is complete. A document on screen would be laid out slice by slice, several
    // times slower than one laid out once.
    const std::size_t start = SliceEnd(0);
    box_->setPlainText(Displayed(text_.substr(0, start)));
    loading_ = new QTextDocument(box_);
    loading_->setUndoRedoEnabled(false);
    ReadSlice();
}

void ListingFeed::Extended()
{
    if (held_) {
        stale_ = true;
        return;
    }
    if (Pending() && loading_) return;  // the slices take it in
    if (text_.size() - shown_ > SliceBytes || text_.size() <= SliceBytes) {
        Replaced();
        return;
    }
    // A few more lines after a listing that is in: they go straight into the box.
    QTextCursor cursor(box_->document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(Displayed(text_.substr(shown_)));
    shown_ = text_.size();
}

std::size_t ListingFeed::SliceEnd(std::size_t from) const
{
    std::size_t end = std::min(text_.size(), from + SliceBytes);
    // Whole lines: the slice ends after a line feed when there is one in reach.
    if (end < text_.size()) {
        const std::size_t feed = text_.rfind('\n', end - 1);
        if (feed != std::string::npos && feed >= from) end = feed + 1;
    }
    return end;
}

void ListingFeed::ReadSlice()
{
    const std::size_t end = SliceEnd(shown_);
    QTextCursor cursor(loading_);
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(Displayed(text_.substr(shown_, end - shown_)));
    shown_ = end;
    if (Pending()) {
        slices_.start();
        return;
    }
    slices_.stop();
    // The box's look goes with its document: font, tab stops, margin.
    QTextDocument* shown = box_->document();
    loading_->setDefaultFont(shown->defaultFont());
    loading_->setDefaultTextOption(shown->defaultTextOption());
    loading_->setDocumentMargin(shown->documentMargin());
    // The box's own first document goes with the box's text control; one of ours goes here.
    const bool ours = shown->parent() == box_;
    box_->setDocument(loading_);
    if (ours) delete shown;
    loading_ = nullptr;
}

}  // namespace plots
