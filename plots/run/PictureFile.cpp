#include "plots/run/PictureFile.h"

#include "common/Paths.h"
#include "common/Text.h"
#include "plots/render/PngEncoder.h"
#include "plots/render/Surface.h"
#include "plots/render/VectorPicture.h"

#include <QBuffer>
#include <QImage>

namespace plots {

std::optional<PictureFormat> PictureFormatNamed(const std::string& word)
{
    const std::string w = tk::Lower(word);
    if (w == "bmp") return PictureFormat::Bmp;
    if (w == "png") return PictureFormat::Png;
    if (w == "svg") return PictureFormat::Svg;
    if (w == "pdf") return PictureFormat::Pdf;
    return std::nullopt;
}

std::optional<PictureFormat> PictureFormatOfName(const std::string& path)
{
    const std::string ext = tk::ExtensionOf(path);
    if (ext.size() < 2) return std::nullopt;
    return PictureFormatNamed(ext.substr(1));
}

const char* PictureExtension(PictureFormat format)
{
    switch (format) {
    case PictureFormat::Bmp: return "bmp";
    case PictureFormat::Png: return "png";
    case PictureFormat::Svg: return "svg";
    case PictureFormat::Pdf: return "pdf";
    }
    return "";
}

QByteArray PictureBytes(const std::function<void(Surface&)>& draw, const Surface& surface, PictureFormat format,
                        const std::string& title)
{
    const QString name = QString::fromStdString(title);
    switch (format) {
    case PictureFormat::Svg: return DrawSvg(surface.PixelWidth(), surface.PixelHeight(), draw, name);
    case PictureFormat::Pdf: return DrawPdf(surface.PixelWidth(), surface.PixelHeight(), draw, name);
    case PictureFormat::Bmp:
    case PictureFormat::Png: break;
    }
    return BitmapBytes(surface.Picture(), format);
}

QByteArray BitmapBytes(const QImage& picture, PictureFormat format)
{
    PngEncoder png;
    return BitmapBytes(picture, format, png);
}

QByteArray BitmapBytes(const QImage& picture, PictureFormat format, PngEncoder& png)
{
    if (format == PictureFormat::Png) {
        const std::string bytes = png.Encode(picture);
        return QByteArray(bytes.data(), qsizetype(bytes.size()));
    }
    if (format != PictureFormat::Bmp) return {};
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    return picture.save(&buffer, "BMP") ? bytes : QByteArray();
}

}  // namespace plots
