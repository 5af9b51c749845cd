// PNG files of the plot pictures, made for speed: plot pictures are large areas of flat colour
// with thin lines, which the "Up" row filter and the fastest level of a deflate compressor pack
// about as small as slower settings do. Their text is anti-aliased, so they have hundreds of
// colours, too many for a palette: the file is 8-bit RGB.
#pragma once

#include <QImage>

#include <string>

namespace plots {

// The picture as the bytes of a PNG file: 8-bit RGB, or RGBA when the picture has an alpha
// channel, with its dots per metre. Empty for an empty picture or when the compressor fails.
std::string EncodePng(const QImage& picture);

}  // namespace plots
