#include "plots/render/PngEncoder.h"

#include <isa-l/crc.h>
#include <isa-l/igzip_lib.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
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

// The Adler-32 `adler` carried over a row: its filter's number, then `count` samples whose sum
// is `sum` and whose sum weighted by their place in the row (0 for the first) is `weighted`, both
// taken modulo the base. Each byte adds the running first half to the second: the filter's
// number's share once, and the first half as it stood before the samples `count` times, and each
// sample once for every byte from it to the row's end.
std::uint32_t AdlerOfRow(std::uint32_t adler, unsigned char filter, std::uint64_t count, std::uint64_t sum,
                         std::uint64_t weighted)
{
    const std::uint64_t a1 = ((adler & 0xFFFF) + filter) % AdlerBase;
    const std::uint64_t b1 = ((adler >> 16) + a1) % AdlerBase;
    const std::uint64_t n = count % AdlerBase;
    const std::uint64_t a = (a1 + sum) % AdlerBase;
    const std::uint64_t b = (b1 + n * a1 % AdlerBase + n * sum % AdlerBase + AdlerBase - weighted) % AdlerBase;
    return std::uint32_t(b << 16 | a);
}

// The general row filter below is compiled twice on x86-64, for the baseline and for AVX2 where
// the processor has it (half the time per picture); the program picks one as it starts.
#if defined(__x86_64__) && defined(__GNUC__)
#define ROW_FILTER_CLONES __attribute__((target_clones("avx2", "default")))
#else
#define ROW_FILTER_CLONES
#endif

// One row of the picture as PNG samples (R, G, B and A when `alpha`) through the Up filter: each
// sample less the one above it, after the filter's number. A plot's flat areas become zeros.
// The pixels are subtracted byte by byte first (whole vectors at a time), then the differences
// are picked apart into samples; `difference` holds a row. True when every sample is zero (the
// row repeats the one above).
ROW_FILTER_CLONES bool FilteredRow(const QRgb* in, const QRgb* above, int w, bool alpha, QRgb* difference, unsigned char* out)
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
// The same for an RGB row with AVX2, where the processor has it, and the row's share of the
// stream's Adler-32 taken on the way: `adler` carried over the row. Eight pixels at a time are
// subtracted and shuffled into their 24 samples in one step each (the loop above stores the
// samples one byte at a time), and summed while they are in hand, plain and weighted by their
// place in the group, which ISA-L's Adler-32 would read again from memory (a fifth of the
// encoding's time). Each 12 bytes of samples are stored as 16; the 4 bytes past them are
// rewritten by the next store, or by the next row (its filter's number and samples), or fall in
// the 16 bytes kept free past the last row.
__attribute__((target("avx2"))) std::uint32_t FilteredRgbRowAvx2(const QRgb* in, const QRgb* above, int w,
                                                                 unsigned char* out, std::uint32_t adler)
{
    *out++ = FilterUp;
    // Each 16-byte half holds four pixels as B, G, R, A: their R, G and B first, then zeros.
    const __m256i pick = _mm256_setr_epi8(2, 1, 0, 6, 5, 4, 10, 9, 8, 14, 13, 12, -1, -1, -1, -1,  //
                                          2, 1, 0, 6, 5, 4, 10, 9, 8, 14, 13, 12, -1, -1, -1, -1);
    // A sample's place in its group of 24.
    const __m256i place = _mm256_setr_epi8(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 0, 0, 0, 0,  //
                                           12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 0, 0, 0, 0);
    const __m256i ones = _mm256_set1_epi16(1);
    const __m256i zero = _mm256_setzero_si256();
    // The weighted sums are exact within a stretch of groups this long, then folded modulo the base.
    constexpr int StretchGroups = 4096;
    std::uint64_t sum = 0, weighted = 0;
    int x = 0;
    while (x + 8 <= w) {
        const int stretchEnd = x + 8 * std::min(StretchGroups, (w - x) / 8);
        const std::uint64_t start = std::uint64_t(x) * 3;  // the stretch's first sample's place
        const std::uint64_t groups = std::uint64_t(stretchEnd - x) / 8;
        __m256i total = zero;    // the stretch's samples so far, in four sums
        __m256i before = zero;   // each group's total before it, added up
        __m256i inGroup = zero;  // the samples weighted by their place in the group
        for (; x < stretchEnd; x += 8, out += 24) {
            const __m256i now = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(in + x));
            const __m256i up = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(above + x));
            const __m256i samples = _mm256_shuffle_epi8(_mm256_sub_epi8(now, up), pick);
            _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm256_castsi256_si128(samples));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 12), _mm256_extracti128_si256(samples, 1));
            before = _mm256_add_epi64(before, total);
            total = _mm256_add_epi64(total, _mm256_sad_epu8(samples, zero));
            inGroup = _mm256_add_epi32(inGroup, _mm256_madd_epi16(_mm256_maddubs_epi16(samples, place), ones));
        }
        alignas(32) std::uint64_t totals[4], befores[4];
        alignas(32) std::uint32_t inGroups[8];
        _mm256_store_si256(reinterpret_cast<__m256i*>(totals), total);
        _mm256_store_si256(reinterpret_cast<__m256i*>(befores), before);
        _mm256_store_si256(reinterpret_cast<__m256i*>(inGroups), inGroup);
        std::uint64_t stretchSum = 0, stretchBefore = 0, stretchWeighted = 0;
        for (int i = 0; i < 4; ++i) {
            stretchSum += totals[i];
            stretchBefore += befores[i];
        }
        for (int i = 0; i < 8; ++i) stretchWeighted += inGroups[i];
        // Group g's samples, g groups into the stretch, are 24 g places further on; the sums
        // before each group count group h's samples once for every later group, (groups - 1 - h)
        // times, so the groups' places weigh (groups - 1) times the whole less those.
        stretchWeighted += 24 * ((groups - 1) * stretchSum - stretchBefore);
        sum = (sum + stretchSum) % AdlerBase;
        weighted = (weighted + start % AdlerBase * (stretchSum % AdlerBase) + stretchWeighted) % AdlerBase;
    }
    for (; x < w; ++x, out += 3) {
        const QRgb now = in[x], up = above[x];
        out[0] = static_cast<unsigned char>(qRed(now) - qRed(up));
        out[1] = static_cast<unsigned char>(qGreen(now) - qGreen(up));
        out[2] = static_cast<unsigned char>(qBlue(now) - qBlue(up));
        const std::uint64_t place = std::uint64_t(x) * 3 % AdlerBase;
        for (std::uint64_t i = 0; i < 3; ++i) {
            sum += out[i];
            weighted += (place + i) * out[i];
        }
        sum %= AdlerBase;
        weighted %= AdlerBase;
    }
    return AdlerOfRow(adler, FilterUp, std::uint64_t(w) * 3, sum, weighted);
}

bool HasAvx2()
{
    static const bool has = __builtin_cpu_supports("avx2");
    return has;
}
#else
std::uint32_t FilteredRgbRowAvx2(const QRgb*, const QRgb*, int, unsigned char*, std::uint32_t adler) { return adler; }
bool HasAvx2() { return false; }
#endif

}  // namespace

// The zlib stream of the filtered rows. The rows are filtered a piece at a time, so however
// large the picture, only a few of them are held twice; each piece is compressed in one call by
// ISA-L's fastest level (which packs plot pictures almost as small as zlib's fastest at a tenth
// of its time) straight from the filtered rows: its streaming calls copy every byte of input into
// a window of their own first. The pieces are independent (no match reaches back into the piece
// before); plot pictures come out no larger for it, each piece's blocks having codes of their
// own. The stream's sum is taken as the rows are filtered (AVX2), or row by row by ISA-L, in
// constant time for a row that repeats the one above.
std::string PngEncoder::ZlibStream(const QImage& picture, bool alpha)
{
    const int w = picture.width();
    const std::size_t rowBytes = std::size_t(w) * (alpha ? 4 : 3) + 1;
    const int rowsPerPiece = int(std::clamp<std::size_t>(PieceBytes / rowBytes, 1, std::size_t(picture.height())));
    const std::size_t pieceBytes = rowBytes * std::size_t(rowsPerPiece);
    // Room for a piece stored as it is, should it not compress: a block header for every 64 KB.
    const std::size_t packedBytes = pieceBytes + (pieceBytes / 0xFFFF + 2) * 5 + CompressedSlack;
    const bool fast = vectorFilter_ && !alpha && HasAvx2();
    unsigned char* const rows = rows_.Reserve(pieceBytes + VectorSlack);
    unsigned char* const packed = packed_.Reserve(packedBytes);
    // Room for 16 K matches and literals a block: a plot's piece of rows (mostly long runs of
    // zeros) needs fewer, and the files are the same as with four times the room.
    if (level_.size() < ISAL_DEF_LVL1_SMALL) level_.resize(ISAL_DEF_LVL1_SMALL);
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
            if (fast) {
                adler = FilteredRgbRowAvx2(row(y), above, w, filtered, adler);
                continue;
            }
            const bool repeats = FilteredRow(row(y), above, w, alpha, difference_.data(), filtered);
            adler = repeats ? AdlerOfRow(adler, FilterUp, rowBytes - 1, 0, 0) : isal_adler32(adler, filtered, rowBytes);
        }
        isal_zstream z;
        // The stateless initialisation leaves fields of the state unset that the compressor
        // reads; all but its 80 KB of buffers (which the compressor writes before it reads).
        std::memset(&z, 0, offsetof(isal_zstream, internal_state.buffer));
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
