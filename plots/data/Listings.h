// The run's other files, read as the viewer shows them: the tool's output listing and the
// run's source, line by line with CR LF line ends, and a finished plot kept as a picture. The
// caller decides where the text goes and what a missing or broken file means to the user.
#pragma once

#include "common/TextFile.h"

#include <QImage>

#include <string>

namespace plots {

struct Listing {
    std::string Text;       // every line read, trailing spaces removed, CR LF after each
    bool Opened = false;    // the file could be opened
    bool Complete = false;  // and was read to its end
};

Listing ReadListing(const std::string& path);

// Reads a listing a part at a time, so that a window can show its start while the rest is
// read: the parts put together are ReadListing's text. Each line is decoded on its own, so no
// part read later changes one read before.
class ListingReader {
public:
    explicit ListingReader(const std::string& path);
    bool Opened() const { return opened_; }
    // The file's size when it was opened: about the length of its text.
    std::size_t FileBytes() const { return fileBytes_; }
    // Appends the next whole lines to `text`, until at least `bytes` were appended; false once
    // nothing more can be read (the end of the file, a read error, an overlong line).
    bool Read(std::string& text, std::size_t bytes);
    // The listing was read to its end.
    bool Complete() const { return complete_; }

private:
    tk::LineReader in_;
    bool opened_ = false;
    bool complete_ = false;
    std::size_t fileBytes_ = 0;
};

// What the output box gets for an output listing that is missing, or that broke off while it
// was read (after the lines read so far).
std::string OutputMissingNotice(const std::string& path);
std::string OutputCorruptedNotice(const std::string& path);

// A picture plot, its format told by its content (the numbered pictures of a series are GIF
// files whatever their extension says); a null image when it cannot be read.
QImage LoadPicture(const std::string& path);

}  // namespace plots
