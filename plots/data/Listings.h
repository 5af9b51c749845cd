// The run's other files, read as the viewer shows them: the tool's output listing and the
// run's source, line by line with CR LF line ends, and a finished plot kept as a picture. The
// caller decides where the text goes and what a missing or broken file means to the user.
#pragma once

#include <QImage>

#include <string>

namespace plots {

struct Listing {
    std::string Text;       // every line read, trailing spaces removed, CR LF after each
    bool Opened = false;    // the file could be opened
    bool Complete = false;  // and was read to its end
};

Listing ReadListing(const std::string& path);

// What the output box gets for an output listing that is missing, or that broke off while it
// was read (after the lines read so far).
std::string OutputMissingNotice(const std::string& path);
std::string OutputCorruptedNotice(const std::string& path);

// A picture plot, its format told by its content (the numbered pictures of a series are GIF
// files whatever their extension says); a null image when it cannot be read.
QImage LoadPicture(const std::string& path);

}  // namespace plots
