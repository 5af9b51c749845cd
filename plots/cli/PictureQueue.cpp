#include "plots/cli/PictureQueue.h"

#include <cerrno>
#include <system_error>
#include <utility>

namespace plots {

PictureQueue::PictureQueue(Writer write, bool inBackground) : write_(std::move(write)), inBackground_(inBackground) {}

PictureQueue::~PictureQueue()
{
    Finish();
    if (!thread_.joinable()) return;
    {
        const std::lock_guard<std::mutex> hold(lock_);
        ending_ = true;
    }
    changed_.notify_all();
    thread_.join();
}

bool PictureQueue::StartThread()
{
    if (thread_.joinable()) return true;
    try {
        thread_ = std::thread([this] { WriteHanded(); });
        return true;
    } catch (const std::system_error&) {
        return false;  // no thread to be had: written here and now
    }
}

// The writing thread: each picture handed on is written and let go of at once (the surface draws
// the next plot but one into it when no one else holds it), then its outcome is told.
void PictureQueue::WriteHanded()
{
    std::unique_lock<std::mutex> hold(lock_);
    for (;;) {
        changed_.wait(hold, [this] { return ending_ || state_ == State::Handed; });
        if (state_ != State::Handed) return;
        QImage picture = std::move(picture_);
        picture_ = QImage();
        const std::string path = pendingPath_;
        hold.unlock();
        PictureWrite outcome;
        try {
            outcome = write_(picture, path);
        } catch (...) {
            outcome.Error = ENOMEM;  // the writer gave up on the picture
        }
        picture = QImage();
        hold.lock();
        outcome_ = outcome;
        state_ = State::Written;
        changed_.notify_all();
    }
}

std::optional<PictureQueue::Failure> PictureQueue::Finish()
{
    std::unique_lock<std::mutex> hold(lock_);
    if (state_ == State::Idle) return std::nullopt;
    changed_.wait(hold, [this] { return state_ == State::Written; });
    state_ = State::Idle;
    if (outcome_.Ok()) return std::nullopt;
    return Failure{std::move(pendingPath_), outcome_};
}

std::optional<PictureQueue::Failure> PictureQueue::Add(const QImage& picture, const std::string& path)
{
    if (auto failed = Finish()) return failed;
    if (inBackground_ && picture.sizeInBytes() <= MostBytesInBackground && StartThread()) {
        {
            // The picture is shared with the surface, which copies it before drawing the next.
            const std::lock_guard<std::mutex> hold(lock_);
            picture_ = picture;
            pendingPath_ = path;
            state_ = State::Handed;
        }
        changed_.notify_all();
        return std::nullopt;
    }
    const PictureWrite result = write_(picture, path);
    if (result.Ok()) return std::nullopt;
    return Failure{path, result};
}

}  // namespace plots
