// PNG files of the plot pictures, made for speed: plot pictures are large areas of flat colour
// with thin lines, which the "Up" row filter and the fastest level of a deflate compressor pack
// about as small as slower settings do. Their text is anti-aliased, so they have hundreds of
// colours, too many for a palette: the file is 8-bit RGB.
#pragma once

#include <QImage>

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace plots {

// Encodes pictures one after another, keeping its working buffers (about 0.6 MB) from one
// picture to the next, so that a run of pictures allocates and faults them in once. One encoder
// serves one thread at a time.
class PngEncoder {
public:
    // `vectorFilter` false: the rows are filtered as on a processor without AVX2 (the files are
    // the same either way).
    explicit PngEncoder(bool vectorFilter = true) : vectorFilter_(vectorFilter) {}

    // The picture as the bytes of a PNG file: 8-bit RGB, or RGBA when the picture has an alpha
    // channel, with its dots per metre. Empty for an empty picture or when the compressor fails.
    std::string Encode(const QImage& picture);

private:
    std::string ZlibStream(const QImage& picture, bool alpha);

    // Bytes that are written before they are read, so never cleared.
    struct Buffer {
        std::unique_ptr<unsigned char[]> Data;
        std::size_t Size = 0;
        unsigned char* Reserve(std::size_t size);
    };

    bool vectorFilter_;
    Buffer rows_;                        // a piece of filtered rows
    Buffer packed_;                      // that piece compressed
    std::vector<unsigned char> level_;   // the compressor's working memory
    std::vector<QRgb> difference_;       // one row less the row above
    std::vector<QRgb> zeros_;            // the row above the first
};

// One picture with an encoder of its own.
std::string EncodePng(const QImage& picture);

}  // namespace plots
