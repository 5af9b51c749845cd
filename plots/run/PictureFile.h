// The plot on the surface as a picture file: a Windows bitmap or a PNG picture of the surface,
// or an SVG drawing or a PDF page drawn as vectors at the surface's size. Save As and the export
// write these, through the file writer that leaves nothing incomplete under a final name.
#pragma once

#include <QByteArray>
#include <QImage>

#include <functional>
#include <optional>
#include <string>

namespace plots {

class PngEncoder;
class Surface;

enum class PictureFormat { Bmp, Png, Svg, Pdf };

// The format a file name's extension names (in any letter case); nothing for another one.
std::optional<PictureFormat> PictureFormatOfName(const std::string& path);
// "bmp", "png", "svg" or "pdf", as the command line names them; nothing for another word.
std::optional<PictureFormat> PictureFormatNamed(const std::string& word);
const char* PictureExtension(PictureFormat format);

// What the surface shows, as the file's bytes: the surface's picture for the bitmap formats, the
// same plot drawn again by `draw` as vectors at the surface's size for the others. Empty when it
// could not be made.
QByteArray PictureBytes(const std::function<void(Surface&)>& draw, const Surface& surface, PictureFormat format,
                        const std::string& title);

// A picture in a bitmap format (BMP or PNG) as the file's bytes; empty when it could not be
// made or the format is not a bitmap one. Needs nothing but the picture, so it can run on
// another thread while the next plot is drawn.
QByteArray BitmapBytes(const QImage& picture, PictureFormat format);
// The same through an encoder that keeps its buffers from one picture to the next.
QByteArray BitmapBytes(const QImage& picture, PictureFormat format, PngEncoder& png);

}  // namespace plots
