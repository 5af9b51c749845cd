#include "plots/render/PngEncoder.h"

#include <QByteArray>
#include <QColor>

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>

namespace plots {
namespace {

// A picture such as a plot makes: flat background, a frame, a noisy curve, a soft gradient,
// and a few random pixels that no filter predicts.
QImage PlotLikePicture(int w, int h, QImage::Format format)
{
    QImage image(w, h, format);
    image.fill(QColor(192, 192, 192));
    std::mt19937 random(std::uint32_t(w * 7919 + h));
    for (int x = 0; x < w; ++x) {
        image.setPixelColor(x, 0, Qt::black);
        image.setPixelColor(x, h - 1, Qt::black);
        image.setPixelColor(x, int(random() % std::uint32_t(h)), Qt::red);
        image.setPixelColor(x, h / 2, QColor(x % 256, 255 - x % 256, (x * 3) % 256, (x * 5) % 256));
    }
    for (int i = 0; i < w * h / 50; ++i)
        image.setPixelColor(int(random() % std::uint32_t(w)), int(random() % std::uint32_t(h)),
                            QColor::fromRgba(QRgb(random())));
    return image;
}

QImage Decoded(const std::string& png)
{
    QImage image;
    image.loadFromData(QByteArray(png.data(), qsizetype(png.size())), "PNG");
    return image;
}

bool SamePixels(const QImage& a, const QImage& b)
{
    if (a.size() != b.size()) return false;
    const QImage::Format f = a.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32;
    const QImage x = a.convertToFormat(f), y = b.convertToFormat(f);
    for (int row = 0; row < x.height(); ++row)
        for (int col = 0; col < x.width(); ++col)
            if (x.pixel(col, row) != y.pixel(col, row)) return false;
    return true;
}

// Noise in every pixel: the compressed rows outgrow the compressor's first output and the
// largest IDAT chunk.
QImage NoisePicture(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    std::mt19937 random(7);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) image.setPixel(x, y, QRgb(random()) | 0xFF000000u);
    return image;
}

// Bands of rows that repeat the row above (the flat areas of a plot, the long lines of its frame
// and grid), each band a new colour and its own vertical lines.
QImage BandedPicture(int w, int h, QImage::Format format)
{
    QImage image(w, h, format);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int band = y / 17;
            const bool line = (x + band) % 23 == 0;
            image.setPixelColor(x, y, line ? QColor(0, 0, 0, 255) : QColor(band * 40 % 256, 255 - band % 256, 128, 100 + band % 100));
        }
    return image;
}

TEST(PngEncoder, DecodesToThePicturesPixels)
{
    enum class Kind { Plot, Noise, Bands };
    struct Case {
        const char* What;
        int W, H;
        QImage::Format Format;
        Kind Drawn = Kind::Plot;
    } cases[] = {
        {"an exported plot", 1024, 768, QImage::Format_RGB32},
        {"an odd width, rows in pieces and a piece left over", 333, 2000, QImage::Format_RGB32},
        {"one pixel", 1, 1, QImage::Format_RGB32},
        {"one row", 500, 1, QImage::Format_RGB32},
        {"one column", 1, 300, QImage::Format_RGB32},
        {"a picture with transparency keeps it", 130, 190, QImage::Format_ARGB32},
        {"premultiplied transparency comes out straight", 64, 200, QImage::Format_ARGB32_Premultiplied},
        {"a 24-bit picture", 99, 140, QImage::Format_RGB888},
        {"an indexed picture", 120, 130, QImage::Format_Indexed8},
        {"noise: a long stream in several IDAT chunks", 701, 613, QImage::Format_RGB32, Kind::Noise},
        {"noise at a width of one pixel", 1, 5000, QImage::Format_RGB32, Kind::Noise},
        {"rows that repeat the row above", 1024, 300, QImage::Format_RGB32, Kind::Bands},
        {"repeated rows at an odd width", 13, 100, QImage::Format_RGB32, Kind::Bands},
        {"repeated rows with transparency", 100, 120, QImage::Format_ARGB32, Kind::Bands},
        {"a row longer than the pieces the encoder compresses and sums", 180000, 3, QImage::Format_RGB32},
    };
    PngEncoder shared;
    PngEncoder baseline(false);
    for (const Case& c : cases) {
        const QImage::Format drawn = c.Format == QImage::Format_Indexed8 ? QImage::Format_RGB32 : c.Format;
        QImage picture = c.Drawn == Kind::Noise   ? NoisePicture(c.W, c.H).convertToFormat(drawn)
                         : c.Drawn == Kind::Bands ? BandedPicture(c.W, c.H, drawn)
                                                  : PlotLikePicture(c.W, c.H, drawn);
        if (c.Format == QImage::Format_Indexed8) picture = picture.convertToFormat(QImage::Format_Indexed8);
        const std::string png = EncodePng(picture);
        const QImage back = Decoded(png);
        ASSERT_FALSE(back.isNull()) << c.What;
        EXPECT_EQ(back.hasAlphaChannel(), picture.hasAlphaChannel()) << c.What;
        EXPECT_TRUE(SamePixels(picture, back)) << c.What;
        // One encoder for a run of pictures of every size gives the same files.
        EXPECT_EQ(shared.Encode(picture), png) << c.What << ": after the pictures before it";
        // A processor without AVX2 writes the same file.
        EXPECT_EQ(baseline.Encode(picture), png) << c.What << ": filtered without AVX2";
    }
}

TEST(PngEncoder, KeepsTheResolutionAndRefusesAnEmptyPicture)
{
    QImage picture = PlotLikePicture(200, 100, QImage::Format_RGB32);
    picture.setDotsPerMeterX(3780);
    picture.setDotsPerMeterY(3780);
    const QImage back = Decoded(EncodePng(picture));
    EXPECT_EQ(back.dotsPerMeterX(), 3780);
    EXPECT_EQ(back.dotsPerMeterY(), 3780);
    EXPECT_TRUE(EncodePng(QImage()).empty());
}

}  // namespace
}  // namespace plots
