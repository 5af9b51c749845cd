#include "plots/render/PngEncoder.h"

#include <isa-l/crc.h>
#include <isa-l/igzip_lib.h>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace plots {

namespace {

constexpr unsigned char Signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr unsigned char FilterUp = 2;
// Rows are filtered into a buffer this many at a time and handed to the compressor.
constexpr int RowsPerPiece = 32;
// The compressed stream grows by this much whenever the compressor fills it.
constexpr std::size_t OutputStep = 64 * 1024;
// Compressed data goes into IDAT chunks of at most this size.
constexpr std::size_t MostChunkBytes = 1 << 20;

void PutUint32(std::string& out, std::uint32_t v)
{
    const char bytes[4] = {char(v >> 24), char(v >> 16), char(v >> 8), char(v)};
    out.append(bytes, 4);
}

void PutChunk(std::string& out, const char type[4], const char* data, std::size_t size)
{
    PutUint32(out, std::uint32_t(size));
    const std::size_t start = out.size();
    out.append(type, 4);
    if (size > 0) out.append(data, size);
    // The gzip CRC-32 is the one PNG uses.
    PutUint32(out, crc32_gzip_refl(0, reinterpret_cast<const unsigned char*>(out.data() + start), size + 4));
}

// The row filter is compiled twice on x86-64, for the baseline and for AVX2 where the processor
// has it (half the time per picture); the program picks one as it starts.
#if defined(__x86_64__) && defined(__GNUC__)
#define ROW_FILTER_CLONES __attribute__((target_clones("avx2", "default")))
#else
#define ROW_FILTER_CLONES
#endif

// One row of the picture as PNG samples (R, G, B and A when `alpha`) through the Up filter: each
// sample less the one above it, led by the filter's number. A plot's flat areas become zeros.
// The pixels are subtracted byte by byte first (whole vectors at a time), then the differences
// are picked apart into samples; `difference` holds a row.
ROW_FILTER_CLONES void FilteredRow(const QRgb* in, const QRgb* above, int w, bool alpha, QRgb* difference, unsigned char* out)
{
    *out++ = FilterUp;
    const auto* a = reinterpret_cast<const unsigned char*>(in);
    const auto* b = reinterpret_cast<const unsigned char*>(above);
    auto* d = reinterpret_cast<unsigned char*>(difference);
    for (std::size_t i = 0; i < std::size_t(w) * sizeof(QRgb); ++i) d[i] = static_cast<unsigned char>(a[i] - b[i]);
    if (alpha) {
        for (int x = 0; x < w; ++x, out += 4) {
            out[0] = static_cast<unsigned char>(qRed(difference[x]));
            out[1] = static_cast<unsigned char>(qGreen(difference[x]));
            out[2] = static_cast<unsigned char>(qBlue(difference[x]));
            out[3] = static_cast<unsigned char>(qAlpha(difference[x]));
        }
        return;
    }
    for (int x = 0; x < w; ++x, out += 3) {
        out[0] = static_cast<unsigned char>(qRed(difference[x]));
        out[1] = static_cast<unsigned char>(qGreen(difference[x]));
        out[2] = static_cast<unsigned char>(qBlue(difference[x]));
    }
}

// The zlib stream of the filtered rows, compressed by ISA-L's fastest level, which packs plot
// pictures almost as small as zlib's fastest at a tenth of its time. The rows are filtered a
// piece at a time, so however large the picture, only a few of them are held twice.
std::string ZlibStream(const QImage& picture, bool alpha)
{
    const std::size_t rowBytes = std::size_t(picture.width()) * (alpha ? 4 : 3) + 1;
    std::vector<unsigned char> rows(rowBytes * RowsPerPiece);
    // The row above the first is all zeros.
    const std::vector<QRgb> zeros(std::size_t(picture.width()), 0);
    std::vector<QRgb> difference(std::size_t(picture.width()));
    auto row = [&picture](int y) { return reinterpret_cast<const QRgb*>(picture.constScanLine(y)); };
    std::vector<unsigned char> work(ISAL_DEF_LVL1_DEFAULT);
    isal_zstream z;
    isal_deflate_init(&z);
    z.level = 1;
    z.level_buf = work.data();
    z.level_buf_size = std::uint32_t(work.size());
    z.gzip_flag = IGZIP_ZLIB;
    z.flush = NO_FLUSH;

    std::string out;
    std::size_t used = 0;
    for (int first = 0; first < picture.height(); first += RowsPerPiece) {
        const int end = std::min(picture.height(), first + RowsPerPiece);
        for (int y = first; y < end; ++y)
            FilteredRow(row(y), y > 0 ? row(y - 1) : zeros.data(), picture.width(), alpha, difference.data(),
                        rows.data() + rowBytes * std::size_t(y - first));
        z.next_in = rows.data();
        z.avail_in = std::uint32_t(rowBytes * std::size_t(end - first));
        z.end_of_stream = end == picture.height();
        do {
            if (used == out.size()) out.resize(out.size() + OutputStep);
            z.next_out = reinterpret_cast<unsigned char*>(out.data()) + used;
            z.avail_out = std::uint32_t(out.size() - used);
            if (isal_deflate(&z) != COMP_OK) return {};
            used = out.size() - z.avail_out;
        } while (z.avail_in > 0 || (z.end_of_stream && z.internal_state.state != ZSTATE_END));
    }
    out.resize(used);
    return out;
}

}  // namespace

std::string EncodePng(const QImage& source)
{
    if (source.isNull() || source.width() <= 0 || source.height() <= 0) return {};
    const bool alpha = source.hasAlphaChannel();
    const QImage::Format format = alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32;
    const QImage picture = source.format() == format ? source : source.convertToFormat(format);
    const std::string stream = ZlibStream(picture, alpha);
    if (stream.empty()) return {};

    std::string png(reinterpret_cast<const char*>(Signature), sizeof Signature);
    std::string header;
    PutUint32(header, std::uint32_t(picture.width()));
    PutUint32(header, std::uint32_t(picture.height()));
    header += char(8);                // bits per sample
    header += char(alpha ? 6 : 2);    // RGBA or RGB
    header.append(3, char(0));        // deflate, adaptive filtering, no interlace
    PutChunk(png, "IHDR", header.data(), header.size());
    if (picture.dotsPerMeterX() > 0 && picture.dotsPerMeterY() > 0) {
        std::string phys;
        PutUint32(phys, std::uint32_t(picture.dotsPerMeterX()));
        PutUint32(phys, std::uint32_t(picture.dotsPerMeterY()));
        phys += char(1);  // per metre
        PutChunk(png, "pHYs", phys.data(), phys.size());
    }
    for (std::size_t at = 0; at < stream.size(); at += MostChunkBytes)
        PutChunk(png, "IDAT", stream.data() + at, std::min(MostChunkBytes, stream.size() - at));
    PutChunk(png, "IEND", nullptr, 0);
    return png;
}

}  // namespace plots
