// Writes the pictures of an export on a second thread, so that the next plot is drawn while the
// last one is encoded. Pictures are written in the order they come, at most one is being
// written while the next is drawn, and the ones that could not be written are told once the
// run is over, in order, so the messages come out as if each had been written at once.
#pragma once

#include <QImage>
#include <QString>

#include <functional>
#include <future>
#include <vector>

namespace plots {

class PictureQueue {
public:
    // Writes one picture to a path; false when it could not.
    using Writer = std::function<bool(const QImage& picture, const QString& path)>;

    // Pictures larger than this are written at once, so that a long run at a large size holds
    // one picture, not two.
    static constexpr qsizetype MostBytesInBackground = qsizetype(32) << 20;

    // `inBackground` false: every picture is written as it is added.
    PictureQueue(Writer write, bool inBackground);
    ~PictureQueue();
    PictureQueue(const PictureQueue&) = delete;
    PictureQueue& operator=(const PictureQueue&) = delete;

    // Hands a picture on, after the one before it has been written.
    void Add(const QImage& picture, const QString& path);
    // Waits for the last picture; the paths that could not be written, in the order added.
    std::vector<QString> Finish();

private:
    void Collect();
    void Record(bool ok, const QString& path);

    Writer write_;
    bool inBackground_;
    std::future<bool> pending_;
    QString pendingPath_;
    std::vector<QString> failed_;
};

}  // namespace plots
