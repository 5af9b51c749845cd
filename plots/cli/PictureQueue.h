// Writes the pictures of an export, when asked in the background on a second thread, so that the
// next plot is drawn while the last one is encoded and written. One thread writes them all,
// started with the first picture and kept until the queue ends, so a writer may keep what it
// builds up from one picture to the next. Pictures are written in the order they come, at most
// one is being written while the next is drawn, and a failure is told to the caller on the
// thread that adds the pictures, in order, so the messages come out as if each picture had been
// written as soon as it was drawn.
#pragma once

#include <QImage>

#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

namespace plots {

// What became of one picture.
struct PictureWrite {
    bool Made = true;  // false: the picture could not be encoded
    int Error = 0;     // errno of a failed write; 0 when the file was written
    bool Ok() const { return Made && Error == 0; }
};

class PictureQueue {
public:
    using Writer = std::function<PictureWrite(const QImage& picture, const std::string& path)>;
    struct Failure {
        std::string Path;
        PictureWrite What;
    };

    // Pictures larger than this are written at once, so that a long run at a large size holds
    // one picture, not two.
    static constexpr qsizetype MostBytesInBackground = qsizetype(32) << 20;

    // `inBackground` false: every picture is written as it is added.
    PictureQueue(Writer write, bool inBackground);
    ~PictureQueue();
    PictureQueue(const PictureQueue&) = delete;
    PictureQueue& operator=(const PictureQueue&) = delete;

    // Hands a picture on, once the one before it has been written. When that one failed, its
    // failure comes back and this picture is not taken; when this one is written at once and
    // fails, so does its own. Either way the caller stops there.
    std::optional<Failure> Add(const QImage& picture, const std::string& path);
    // Waits for the last picture; its failure when it could not be written.
    std::optional<Failure> Finish();

private:
    // Idle: nothing handed on; Handed: a picture waits for the writing thread or is being
    // written; Written: its outcome waits to be taken.
    enum class State { Idle, Handed, Written };

    bool StartThread();
    void WriteHanded();

    Writer write_;
    bool inBackground_;
    std::mutex lock_;
    std::condition_variable changed_;
    State state_ = State::Idle;
    bool ending_ = false;
    QImage picture_;  // held only until it is written
    std::string pendingPath_;
    PictureWrite outcome_;
    std::thread thread_;
};

}  // namespace plots
