// Feeds a listing box its text: at once while the text is small; once it is large (a solver's
// output listing may run to a hundred megabytes) the box shows its start at once while the whole
// goes into a document slice by slice on the event loop, so the window stays answerable, and
// takes that document when it is complete. The owner may still be reading the text: it hands
// the feed a way to put the next part at the text's end, which the feed asks for as it goes.
#pragma once

#include <QObject>
#include <QTimer>

#include <cstddef>
#include <functional>
#include <string>

class QTextDocument;
class QTextEdit;

namespace plots {

class ListingFeed : public QObject {
public:
    // The box shows `text`, which the owner keeps and only ever replaces or extends.
    ListingFeed(QTextEdit* box, const std::string& text);
    // The text was replaced (which ends a Follow), or had more put at its end.
    void Replaced();
    void Extended();
    // More of the text is to come: `more` puts the next part at its end and returns false once
    // nothing more will come. The box takes the whole when `more` has said so; nothing stops it.
    void Follow(std::function<bool()> more);
    // True while some of the text is not in the box yet.
    bool Pending() const { return shown_ < text_.size() || loading_ || more_; }

private:
    std::size_t SliceEnd(std::size_t from) const;
    void StartLoading();
    void ReadSlice();

    QTextEdit* box_;
    const std::string& text_;
    std::size_t shown_ = 0;               // bytes of the text read into a document
    QTextDocument* loading_ = nullptr;    // a large text's document until it is whole
    std::function<bool()> more_;          // the rest of a text still being read
    QTimer slices_;
};

// The box's text for bytes of a listing, which the core keeps with CR LF (and lone CR) line
// ends: UTF-8 (or Windows-1252 for a line whose bytes are not UTF-8), with CR LF and CR as line
// ends.
QString Displayed(const std::string& text);

}  // namespace plots
