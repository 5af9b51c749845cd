#include "plots/render/PngEncoder.h"

#include <isa-l/crc.h>
#include <isa-l/igzip_lib.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#endif

namespace plots {

namespace {

constexpr unsigned char Signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr unsigned char FilterUp = 2;
// Rows are filtered into a buffer of about this size (whole rows, at least one) and compressed
// in one go.
constexpr std::size_t PieceBytes = 512 * 1024;
// Room past the filtered rows for the vector filter's last store.
constexpr std::size_t VectorSlack = 16;
// Room past the compressed piece for the block headers and the end of the stream.
constexpr std::size_t CompressedSlack = 1024;
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

// Adler-32, the zlib stream's sum of the filtered rows, is sent by the stream's end.
constexpr std::uint32_t AdlerBase = 65521;

// The Adler-32 of a row that is its filter's number and then `zeros` zero bytes, in constant
// time: each zero adds the running sum once more to the second half.
std::uint32_t AdlerOfZeroRow(std::uint32_t adler, unsigned char filter, std::size_t zeros)
{
    const std::uint64_t a = ((adler & 0xFFFF) + filter) % AdlerBase;
    const std::uint64_t b = ((adler >> 16) + a * ((zeros + 1) % AdlerBase)) % AdlerBase;
    return std::uint32_t(b << 16 | a);
}

// One row of the picture as PNG samples (R, G, B and A when `alpha`) through the Up filter: each
// sample less the one above it, after the filter's number. A plot's flat areas become zeros.
// The pixels are subtracted byte by byte first (whole vectors at a time), then the differences
// are picked apart into samples; `difference` holds a row. True when every sample is zero (the
// row repeats the one above).
bool FilteredRow(const QRgb* in, const QRgb* above, int w, bool alpha, QRgb* difference, unsigned char* out)
{
    *out++ = FilterUp;
    const auto* a = reinterpret_cast<const unsigned char*>(in);
    const auto* b = reinterpret_cast<const unsigned char*>(above);
    auto* d = reinterpret_cast<unsigned char*>(difference);
    const QRgb samples = alpha ? 0xFFFFFFFFu : 0x00FFFFFFu;
    QRgb any = 0;
    for (std::size_t i = 0; i < std::size_t(w) * sizeof(QRgb); ++i) d[i] = static_cast<unsigned char>(a[i] - b[i]);
    for (int x = 0; x < w; ++x) any |= difference[x] & samples;
    if (alpha) {
        for (int x = 0; x < w; ++x, out += 4) {
            out[0] = static_cast<unsigned char>(qRed(difference[x]));
            out[1] = static_cast<unsigned char>(qGreen(difference[x]));
            out[2] = static_cast<unsigned char>(qBlue(difference[x]));
            out[3] = static_cast<unsigned char>(qAlpha(difference[x]));
        }
        return any == 0;
    }
    for (int x = 0; x < w; ++x, out += 3) {
        out[0] = static_cast<unsigned char>(qRed(difference[x]));
        out[1] = static_cast<unsigned char>(qGreen(difference[x]));
        out[2] = static_cast<unsigned char>(qBlue(difference[x]));
    }
    return any == 0;
}

#if defined(__x86_64__) && defined(__GNUC__)
// The same for an RGB row with AVX2, where the processor has it: eight pixels at a time are
// subtracted and shuffled into their 24 samples in one step each, where the loop above stores
// the samples one byte at a time (a third of the whole encoding's time). Each 12 bytes of
// samples are stored as 16; the 4 bytes past them are rewritten by the next store, or by the
// next row (its filter's number and samples), or fall in the 16 bytes kept free past the last
// row.
__attribute__((target("avx2"))) bool FilteredRgbRowAvx2(const QRgb* in, const QRgb* above, int w, unsigned char* out)
{
    *out++ = FilterUp;
    // Each 16-byte half holds four pixels as B, G, R, A: their R, G and B first, then zeros.
    const __m256i pick = _mm256_setr_epi8(2, 1, 0, 6, 5, 4, 10, 9, 8, 14, 13, 12, -1, -1, -1, -1,  //
                                          2, 1, 0, 6, 5, 4, 10, 9, 8, 14, 13, 12, -1, -1, -1, -1);
    __m256i any = _mm256_setzero_si256();
    int x = 0;
    for (; x + 8 <= w; x += 8, out += 24) {
        const __m256i now = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(in + x));
        const __m256i before = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(above + x));
        const __m256i samples = _mm256_shuffle_epi8(_mm256_sub_epi8(now, before), pick);
        any = _mm256_or_si256(any, samples);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm256_castsi256_si128(samples));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 12), _mm256_extracti128_si256(samples, 1));
    }
    QRgb rest = 0;
    for (; x < w; ++x, out += 3) {
        const QRgb now = in[x], before = above[x];
        out[0] = static_cast<unsigned char>(qRed(now) - qRed(before));
        out[1] = static_cast<unsigned char>(qGreen(now) - qGreen(before));
        out[2] = static_cast<unsigned char>(qBlue(now) - qBlue(before));
        rest |= (now ^ before) & 0x00FFFFFFu;
    }
    return rest == 0 && _mm256_testz_si256(any, any);
}

bool HasAvx2()
{
    static const bool has = __builtin_cpu_supports("avx2");
    return has;
}
#else
bool FilteredRgbRowAvx2(const QRgb*, const QRgb*, int, unsigned char*) { return false; }
bool HasAvx2() { return false; }
#endif

}  // namespace

// The zlib stream of the filtered rows. The rows are filtered a piece at a time, so however
// large the picture, only a few of them are held twice; each piece is compressed in one call by
// ISA-L's fastest level (which packs plot pictures almost as small as zlib's fastest at a tenth
// of its time) straight from the filtered rows: its streaming calls copy every byte of input into
// a window of their own first. The pieces are independent blocks (no match reaches back into
// the piece before), which costs a few bytes a piece. The stream's sum is taken row by row, in
// constant time for a row that repeats the one above.
std::string PngEncoder::ZlibStream(const QImage& picture, bool alpha)
{
    const int w = picture.width();
    const std::size_t rowBytes = std::size_t(w) * (alpha ? 4 : 3) + 1;
    const int rowsPerPiece = int(std::clamp<std::size_t>(PieceBytes / rowBytes, 1, std::size_t(picture.height())));
    const std::size_t pieceBytes = rowBytes * std::size_t(rowsPerPiece);
    // Room for a piece stored as it is, should it not compress: a block header for every 64 KB.
    const std::size_t packedBytes = pieceBytes + (pieceBytes / 0xFFFF + 2) * 5 + CompressedSlack;
    const bool fast = !alpha && HasAvx2();
    unsigned char* const rows = rows_.Reserve(pieceBytes + VectorSlack);
    unsigned char* const packed = packed_.Reserve(packedBytes);
    if (level_.size() < ISAL_DEF_LVL1_DEFAULT) level_.resize(ISAL_DEF_LVL1_DEFAULT);
    if (zeros_.size() < std::size_t(w)) zeros_.assign(std::size_t(w), 0);
    if (!fast && difference_.size() < std::size_t(w)) difference_.resize(std::size_t(w));
    auto row = [&picture](int y) { return reinterpret_cast<const QRgb*>(picture.constScanLine(y)); };

    // zlib's header: deflate with a 32 KB window, the fastest level.
    std::string out("\x78\x01", 2);
    std::uint32_t adler = 1;
    for (int first = 0; first < picture.height(); first += rowsPerPiece) {
        const int end = std::min(picture.height(), first + rowsPerPiece);
        unsigned char* filtered = rows;
        for (int y = first; y < end; ++y, filtered += rowBytes) {
            const QRgb* above = y > 0 ? row(y - 1) : zeros_.data();
            const bool repeats = fast ? FilteredRgbRowAvx2(row(y), above, w, filtered)
                                      : FilteredRow(row(y), above, w, alpha, difference_.data(), filtered);
            adler = repeats ? AdlerOfZeroRow(adler, FilterUp, rowBytes - 1) : isal_adler32(adler, filtered, rowBytes);
        }
        isal_zstream z;
        isal_deflate_stateless_init(&z);
        z.level = 1;
        z.level_buf = level_.data();
        z.level_buf_size = std::uint32_t(level_.size());
        z.gzip_flag = IGZIP_DEFLATE;
        z.next_in = rows;
        z.avail_in = std::uint32_t(filtered - rows);
        z.end_of_stream = end == picture.height();
        // Every piece but the last ends on a byte, so that the next one's blocks follow it.
        z.flush = z.end_of_stream ? NO_FLUSH : FULL_FLUSH;
        z.next_out = packed;
        z.avail_out = std::uint32_t(packedBytes);
        if (isal_deflate_stateless(&z) != COMP_OK) return {};
        out.append(reinterpret_cast<const char*>(packed), packedBytes - z.avail_out);
    }
    PutUint32(out, adler);
    return out;
}

unsigned char* PngEncoder::Buffer::Reserve(std::size_t size)
{
    // Not cleared: most of the compressed piece's room is never written, so never faulted in.
    if (size > Size) {
        Data = std::make_unique_for_overwrite<unsigned char[]>(size);
        Size = size;
    }
    return Data.get();
}

std::string EncodePng(const QImage& picture)
{
    PngEncoder encoder;
    return encoder.Encode(picture);
}

std::string PngEncoder::Encode(const QImage& source)
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
