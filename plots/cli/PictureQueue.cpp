#include "plots/cli/PictureQueue.h"

#include <system_error>
#include <utility>

namespace plots {

PictureQueue::PictureQueue(Writer write, bool inBackground) : write_(std::move(write)), inBackground_(inBackground) {}

PictureQueue::~PictureQueue()
{
    if (pending_.valid()) pending_.wait();
}

void PictureQueue::Record(bool ok, const QString& path)
{
    if (!ok) failed_.push_back(path);
}

void PictureQueue::Collect()
{
    if (!pending_.valid()) return;
    bool ok = false;
    try {
        ok = pending_.get();
    } catch (...) {
        ok = false;  // the writer gave up (out of memory): the picture is not written
    }
    Record(ok, pendingPath_);
}

void PictureQueue::Add(const QImage& picture, const QString& path)
{
    Collect();
    if (inBackground_ && picture.sizeInBytes() <= MostBytesInBackground) {
        try {
            // The picture is shared with the surface, which copies it before drawing the next.
            pending_ = std::async(std::launch::async, [this, picture, path] { return write_(picture, path); });
            pendingPath_ = path;
            return;
        } catch (const std::system_error&) {
            // No thread to be had: written here and now.
        }
    }
    Record(write_(picture, path), path);
}

std::vector<QString> PictureQueue::Finish()
{
    Collect();
    return std::exchange(failed_, {});
}

}  // namespace plots
