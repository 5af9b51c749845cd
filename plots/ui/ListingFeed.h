// Feeds a listing box its text: at once while the text is small; once it is large (a solver's
// output listing may run to a hundred megabytes) the box shows its start at once while the whole
// goes into a document slice by slice on the event loop, so the window stays answerable, and
// takes that document when it is complete.
#pragma once

#include <QObject>
#include <QTimer>

#include <cstddef>
#include <string>

class QTextDocument;
class QTextEdit;

namespace plots {

class ListingFeed : public QObject {
public:
    // The box shows `text`, which the owner keeps and only ever replaces or extends.
    ListingFeed(QTextEdit* box, const std::string& text);
    // The text was replaced, or had more put at its end.
    void Replaced();
    void Extended();
    // While held, the box is left as it is; Release puts the text in, as Replaced does.
    void Hold() { held_ = true; }
    void Release();
    // True while some of the text is not in the box yet.
    bool Pending() const { return stale_ || shown_ < text_.size(); }

private:
    std::size_t SliceEnd(std::size_t from) const;
    void ReadSlice();

    QTextEdit* box_;
    const std::string& text_;
    std::size_t shown_ = 0;               // bytes of the text read into a document
    QTextDocument* loading_ = nullptr;    // a large text's document until it is whole
    QTimer slices_;
    bool held_ = false;
    bool stale_ = false;  // the text changed while held
};

// The box's text for bytes of a listing, which the core keeps with CR LF (and lone CR) line
// ends: UTF-8 (or Windows-1252 where the bytes are not
// UTF-8), with CR LF and CR as line ends.
QString Displayed(const std::string& text);

}  // namespace plots
