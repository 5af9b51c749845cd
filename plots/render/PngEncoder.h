// PNG files of the plot pictures, made for speed: plot pictures are large areas of flat colour
// with thin lines, which the "Up" row filter and zlib's fastest level pack about as small as
// slower settings do. The rows are cut into bands that are compressed on the machine's cores at
// the same time and joined into one zlib stream, so the file is an ordinary PNG.
#pragma once

#include <QImage>

#include <string>

namespace plots {

// The picture as the bytes of a PNG file: 8-bit RGB, or RGBA when the picture has an alpha
// channel, with its dots per metre. `bands` is how many parts are compressed at once (0: one
// per processor core); the bytes differ with it, the decoded pixels never do. Empty for an
// empty picture or when the compressor fails.
std::string EncodePng(const QImage& picture, int bands = 0);

}  // namespace plots
