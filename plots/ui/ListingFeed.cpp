#include "plots/ui/ListingFeed.h"

#include "common/Text.h"
#include "common/TextFile.h"

#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

#include <algorithm>
#include <utility>

namespace plots {

namespace {

// Up to this much goes into the box in one go, so a slice takes a moment, not seconds.
constexpr std::size_t SliceBytes = 256 * 1024;

}  // namespace

QString Displayed(const std::string& text)
{
    const std::string lines = tk::WithLineFeeds(text);
    if (tk::IsValidUtf8(lines)) return QString::fromStdString(lines);
    // Line by line, as a listing's lines are decoded when they are read: a line that is not
    // UTF-8 (a file name in a notice) leaves the others as they are.
    std::string decoded;
    decoded.reserve(lines.size() + lines.size() / 2);
    for (std::size_t from = 0; from <= lines.size();) {
        const std::size_t end = std::min(lines.find('\n', from), lines.size());
        decoded += tk::DecodeLine(lines.substr(from, end - from));
        if (end < lines.size()) decoded += '\n';
        from = end + 1;
    }
    return QString::fromStdString(decoded);
}

ListingFeed::ListingFeed(QTextEdit* box, const std::string& text) : QObject(box), box_(box), text_(text)
{
    slices_.setInterval(0);
    connect(&slices_, &QTimer::timeout, this, &ListingFeed::ReadSlice);
}

void ListingFeed::Hold()
{
    held_ = true;
    slices_.stop();
    if (loading_) stale_ = true;
}

void ListingFeed::Release()
{
    held_ = false;
    if (!std::exchange(stale_, false)) return;
    // Replacing ends a Follow; a text still being read goes on from what is in.
    auto more = std::move(more_);
    Replaced();
    if (more) Follow(std::move(more));
}

void ListingFeed::Replaced()
{
    if (held_) {
        stale_ = true;
        return;
    }
    slices_.stop();
    more_ = nullptr;
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
    box_->setPlainText(Displayed(text_.substr(0, SliceEnd(0))));
    StartLoading();
    ReadSlice();
}

void ListingFeed::Extended()
{
    if (held_) {
        stale_ = true;
        return;
    }
    if (loading_) return;  // the slices take it in
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

void ListingFeed::Follow(std::function<bool()> more)
{
    more_ = std::move(more);
    if (!more_) return;
    if (held_) {
        stale_ = true;  // Release starts it
        return;
    }
    // The box keeps what it shows while the whole goes into a document of its own.
    if (!loading_) StartLoading();
    slices_.start();
}

void ListingFeed::StartLoading()
{
    loading_ = new QTextDocument(box_);
    loading_->setUndoRedoEnabled(false);
    shown_ = 0;
}

std::size_t ListingFeed::SliceEnd(std::size_t from) const
{
    std::size_t end = std::min(text_.size(), from + SliceBytes);
    if (end == text_.size()) return end;
    // Whole lines: the slice ends after a line feed when there is one in reach.
    const std::size_t feed = text_.rfind('\n', end - 1);
    if (feed != std::string::npos && feed >= from) return feed + 1;
    // A line longer than a slice is cut between two characters, never inside a UTF-8 sequence
    // (whose bytes after the first are 10xxxxxx) nor between the CR and the LF of a line end.
    for (int back = 0; back < 3 && end > from + 1 && (static_cast<unsigned char>(text_[end]) & 0xC0) == 0x80; ++back)
        --end;
    if (end > from + 1 && text_[end - 1] == '\r' && text_[end] == '\n') --end;
    return end;
}

void ListingFeed::ReadSlice()
{
    // Caught up with the text read so far: the owner reads the next part.
    if (shown_ == text_.size() && more_ && !more_()) more_ = nullptr;
    const std::size_t end = SliceEnd(shown_);
    QTextCursor cursor(loading_);
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(Displayed(text_.substr(shown_, end - shown_)));
    shown_ = end;
    if (shown_ < text_.size() || more_) {
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
