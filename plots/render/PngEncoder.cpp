#include "plots/render/PngEncoder.h"

#include <libdeflate.h>
#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <system_error>
#include <thread>
#include <vector>

namespace plots {

namespace {

constexpr unsigned char Signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr unsigned char FilterUp = 2;
// A band is worth a thread of its own only when it has this many rows at least.
constexpr int LeastRowsPerBand = 64;
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
    PutUint32(out, libdeflate_crc32(0, out.data() + start, size + 4));
}

// One row of the picture as PNG samples: R, G, B (and A) bytes.
void RowSamples(const QImage& picture, int y, bool alpha, unsigned char* out)
{
    const QRgb* in = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
    const int w = picture.width();
    if (alpha) {
        for (int x = 0; x < w; ++x, out += 4) {
            out[0] = static_cast<unsigned char>(qRed(in[x]));
            out[1] = static_cast<unsigned char>(qGreen(in[x]));
            out[2] = static_cast<unsigned char>(qBlue(in[x]));
            out[3] = static_cast<unsigned char>(qAlpha(in[x]));
        }
        return;
    }
    for (int x = 0; x < w; ++x, out += 3) {
        out[0] = static_cast<unsigned char>(qRed(in[x]));
        out[1] = static_cast<unsigned char>(qGreen(in[x]));
        out[2] = static_cast<unsigned char>(qBlue(in[x]));
    }
}

// Rows [First, End) filtered and compressed as a piece of raw deflate data. A band that is not
// the last ends on a byte boundary without closing the stream, so the pieces can be joined.
struct Band {
    int First = 0, End = 0;
    bool Last = false;
    std::string Deflated;
    uLong Adler = 1;  // Adler-32 of the band's filtered rows
    std::size_t Length = 0;
    bool Ok = false;
};

void CompressBand(const QImage& picture, bool alpha, Band& band)
{
    const std::size_t rowBytes = std::size_t(picture.width()) * (alpha ? 4 : 3);
    std::vector<unsigned char> previous(rowBytes, 0), current(rowBytes), filtered(rowBytes + 1);
    if (band.First > 0) RowSamples(picture, band.First - 1, alpha, previous.data());

    z_stream z{};
    if (deflateInit2(&z, 1, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) != Z_OK) return;
    std::vector<unsigned char> out(64 * 1024);
    auto drain = [&](int flush) {
        z.next_in = filtered.data();
        z.avail_in = uInt(filtered.size());
        do {
            z.next_out = out.data();
            z.avail_out = uInt(out.size());
            if (deflate(&z, flush) == Z_STREAM_ERROR) return false;
            band.Deflated.append(reinterpret_cast<const char*>(out.data()), out.size() - z.avail_out);
        } while (z.avail_out == 0 || z.avail_in > 0);
        return true;
    };

    bool ok = true;
    for (int y = band.First; y < band.End && ok; ++y) {
        RowSamples(picture, y, alpha, current.data());
        filtered[0] = FilterUp;
        for (std::size_t i = 0; i < rowBytes; ++i) filtered[i + 1] = static_cast<unsigned char>(current[i] - previous[i]);
        band.Adler = libdeflate_adler32(std::uint32_t(band.Adler), filtered.data(), filtered.size());
        band.Length += filtered.size();
        const bool lastRow = y + 1 == band.End;
        ok = drain(!lastRow ? Z_NO_FLUSH : band.Last ? Z_FINISH : Z_SYNC_FLUSH);
        std::swap(previous, current);
    }
    deflateEnd(&z);
    band.Ok = ok;
}

}  // namespace

std::string EncodePng(const QImage& source, int bands)
{
    if (source.isNull() || source.width() <= 0 || source.height() <= 0) return {};
    const bool alpha = source.hasAlphaChannel();
    const QImage::Format format = alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32;
    const QImage picture = source.format() == format ? source : source.convertToFormat(format);

    if (bands <= 0) bands = int(std::max(1u, std::thread::hardware_concurrency()));
    bands = std::clamp(picture.height() / LeastRowsPerBand, 1, bands);
    std::vector<Band> parts(static_cast<std::size_t>(bands));
    for (int i = 0; i < bands; ++i) {
        Band& b = parts[std::size_t(i)];
        b.First = int(std::int64_t(picture.height()) * i / bands);
        b.End = int(std::int64_t(picture.height()) * (i + 1) / bands);
        b.Last = i + 1 == bands;
    }
    {
        std::vector<std::jthread> helpers;
        std::size_t started = 1;
        try {
            for (; started < parts.size(); ++started)
                helpers.emplace_back([&picture, alpha, &band = parts[started]] { CompressBand(picture, alpha, band); });
        } catch (const std::system_error&) {
            // No more threads to be had: the bands left are compressed here.
        }
        CompressBand(picture, alpha, parts[0]);
        for (std::size_t i = started; i < parts.size(); ++i) CompressBand(picture, alpha, parts[i]);
    }

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

    // One zlib stream: its header, the bands' pieces in order, the Adler-32 of all rows.
    std::string stream("\x78\x01", 2);
    uLong adler = 1;
    for (const Band& b : parts) {
        if (!b.Ok) return {};
        stream += b.Deflated;
        adler = adler32_combine(adler, b.Adler, z_off_t(b.Length));
    }
    PutUint32(stream, std::uint32_t(adler));
    for (std::size_t at = 0; at < stream.size(); at += MostChunkBytes)
        PutChunk(png, "IDAT", stream.data() + at, std::min(MostChunkBytes, stream.size() - at));
    PutChunk(png, "IEND", nullptr, 0);
    return png;
}

}  // namespace plots
