#include "plots/cli/PictureQueue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>
#include <vector>

namespace plots {
namespace {

// A writer that records what it wrote, on which thread, and how many writes ran at once.
struct RecordingWriter {
    std::mutex Lock;
    std::vector<QString> Written;
    std::vector<std::thread::id> Threads;
    std::atomic<int> Running{0};
    std::atomic<int> MostAtOnce{0};

    PictureQueue::Writer Make(std::vector<QString> failing = {})
    {
        return [this, failing](const QImage&, const QString& path) {
            const int now = ++Running;
            for (int seen = MostAtOnce; now > seen && !MostAtOnce.compare_exchange_weak(seen, now);) {}
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
            {
                std::lock_guard<std::mutex> hold(Lock);
                Written.push_back(path);
                Threads.push_back(std::this_thread::get_id());
            }
            --Running;
            return std::find(failing.begin(), failing.end(), path) == failing.end();
        };
    }
};

QImage Picture(int w = 64, int h = 48) { return QImage(w, h, QImage::Format_RGB32); }

TEST(PictureQueue, WritesInOrderOneAtATimeAndTellsFailuresInOrder)
{
    RecordingWriter writer;
    PictureQueue queue(writer.Make({"p-02.png", "p-04.png"}), true);
    for (const char* name : {"p-01.png", "p-02.png", "p-03.png", "p-04.png", "p-05.png"}) queue.Add(Picture(), name);
    EXPECT_EQ(queue.Finish(), (std::vector<QString>{"p-02.png", "p-04.png"}));
    EXPECT_EQ(writer.Written, (std::vector<QString>{"p-01.png", "p-02.png", "p-03.png", "p-04.png", "p-05.png"}));
    EXPECT_EQ(writer.MostAtOnce, 1) << "the next picture waits for the one before it";
    EXPECT_TRUE(queue.Finish().empty()) << "failures are told once";
}

TEST(PictureQueue, WritesAtOnceWhenAskedOrWhenThePictureIsLarge)
{
    struct Case {
        const char* What;
        bool InBackground;
        QImage Image;
    } cases[] = {
        {"not in the background", false, Picture()},
        {"a picture too large to hold twice", true, Picture(4096, 2049)},
    };
    for (const Case& c : cases) {
        RecordingWriter writer;
        PictureQueue queue(writer.Make({"big.png"}), c.InBackground);
        queue.Add(c.Image, "big.png");
        ASSERT_EQ(writer.Written.size(), 1u) << c.What << ": written before Add returns";
        EXPECT_EQ(writer.Threads[0], std::this_thread::get_id()) << c.What;
        EXPECT_EQ(queue.Finish(), std::vector<QString>{"big.png"}) << c.What;
    }
}

TEST(PictureQueue, ALastPictureIsWrittenEvenWithoutFinish)
{
    RecordingWriter writer;
    {
        PictureQueue queue(writer.Make(), true);
        queue.Add(Picture(), "last.png");
    }
    EXPECT_EQ(writer.Written, std::vector<QString>{"last.png"});
}

}  // namespace
}  // namespace plots
