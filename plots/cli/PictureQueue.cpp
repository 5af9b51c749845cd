#include "plots/cli/PictureQueue.h"

#include <cerrno>
#include <system_error>
#include <utility>

namespace plots {

PictureQueue::PictureQueue(Writer write, bool inBackground) : write_(std::move(write)), inBackground_(inBackground) {}

PictureQueue::~PictureQueue()
{
    if (pending_.valid()) pending_.wait();
}

std::optional<PictureQueue::Failure> PictureQueue::Finish()
{
    if (!pending_.valid()) return std::nullopt;
    PictureWrite result;
    try {
        result = pending_.get();
    } catch (...) {
        result.Error = ENOMEM;  // the writer gave up on the picture
    }
    if (result.Ok()) return std::nullopt;
    return Failure{std::move(pendingPath_), result};
}

std::optional<PictureQueue::Failure> PictureQueue::Add(const QImage& picture, const std::string& path)
{
    if (auto failed = Finish()) return failed;
    if (inBackground_ && picture.sizeInBytes() <= MostBytesInBackground) {
        try {
            // The picture is shared with the surface, which copies it before drawing the next.
            pending_ = std::async(std::launch::async, [this, picture, path] { return write_(picture, path); });
            pendingPath_ = path;
            return std::nullopt;
        } catch (const std::system_error&) {
            // No thread to be had: written here and now.
        }
    }
    const PictureWrite result = write_(picture, path);
    if (result.Ok()) return std::nullopt;
    return Failure{path, result};
}

}  // namespace plots
