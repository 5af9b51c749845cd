#include "plots/data/Listings.h"

#include "common/Paths.h"
#include "common/TextFile.h"

#include <QBuffer>
#include <QImageReader>

#include <filesystem>
#include <system_error>


namespace plots {
namespace {

const char* const CrLf = "\r\n";
const char* const ErrorBanner = "             =============== Error? =========";
const char* const NotRequiredBanner = "====================== Output file not required. =====================";

}  // namespace

Listing ReadListing(const std::string& path)
{
    Listing listing;
    ListingReader in(path);
    listing.Opened = in.Opened();
    while (in.Read(listing.Text, std::string::npos)) {
    }
    listing.Complete = in.Complete();
    return listing;
}

ListingReader::ListingReader(const std::string& path)
{
    const std::string resolved = tk::ResolvePath(path);
    opened_ = in_.Open(resolved);
    std::error_code error;
    if (opened_) fileBytes_ = std::filesystem::file_size(resolved, error);
    if (error) fileBytes_ = 0;
}

bool ListingReader::Read(std::string& text, std::size_t bytes)
{
    if (!in_.IsOpen()) return false;
    const std::size_t start = text.size();
    std::string line;
    while (text.size() - start < bytes) {
        if (!in_.ReadLine(line)) {
            complete_ = !in_.Failed();
            in_.Close();
            return false;
        }
        const auto end = line.find_last_not_of(' ');
        line.erase(end == std::string::npos ? 0 : end + 1);
        text += line;
        text += CrLf;
    }
    return true;
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
