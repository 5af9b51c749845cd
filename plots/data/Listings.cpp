#include "plots/data/Listings.h"

#include "common/Paths.h"
#include "common/TextFile.h"

#include <QBuffer>
#include <QImageReader>


namespace plots {
namespace {

const char* const CrLf = "\r\n";
const char* const ErrorBanner = "             =============== Error? =========";
const char* const NotRequiredBanner = "====================== Output file not required. =====================";

}  // namespace

Listing ReadListing(const std::string& path)
{
    Listing listing;
    tk::LineReader in;
    if (!in.Open(tk::ResolvePath(path))) return listing;
    listing.Opened = true;
    std::string line;
    while (in.ReadLine(line)) {
        const auto end = line.find_last_not_of(' ');
        line.erase(end == std::string::npos ? 0 : end + 1);
        listing.Text += line;
        listing.Text += CrLf;
    }
    listing.Complete = !in.Failed();
    in.Close();
    return listing;
}

std::string OutputMissingNotice(const std::string& path)
{
    return std::string(CrLf) + CrLf + CrLf + ErrorBanner + CrLf + "Output file is missing in ... " + path + CrLf +
           NotRequiredBanner + CrLf + " ";
}

std::string OutputCorruptedNotice(const std::string& path)
{
    return std::string(CrLf) + CrLf + ErrorBanner + CrLf + "Output file corrupted in ... " + path + CrLf +
           NotRequiredBanner + CrLf;
}

QImage LoadPicture(const std::string& path)
{
    // Read through the file's own name, which need not be UTF-8; a picture is far smaller than
    // this, and a FIFO or device under the name gives no picture rather than a hang.
    constexpr std::size_t MaxPictureBytes = std::size_t(1) << 30;
    std::string bytes;
    if (tk::ReadRegularFile(tk::ResolvePath(path), bytes, MaxPictureBytes) != 0) return QImage();
    QByteArray data = QByteArray::fromStdString(bytes);
    QBuffer buffer(&data);
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    return reader.read();
}

}  // namespace plots
