#include "plots/cli/PictureQueue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <mutex>
#include <new>
#include <string>
#include <thread>
#include <vector>

namespace plots {
namespace {

// A writer that records what it wrote, on which thread, and how many writes ran at once.
struct RecordingWriter {
    std::mutex Lock;
    std::vector<std::string> Written;
    std::vector<std::thread::id> Threads;
    std::atomic<int> Running{0};
    std::atomic<int> MostAtOnce{0};

    PictureQueue::Writer Make(std::vector<std::string> failing = {})
    {
        return [this, failing](const QImage&, const std::string& path) {
            const int now = ++Running;
            for (int seen = MostAtOnce; now > seen && !MostAtOnce.compare_exchange_weak(seen, now);) {}
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
            {
                std::lock_guard<std::mutex> hold(Lock);
                Written.push_back(path);
                Threads.push_back(std::this_thread::get_id());
            }
            --Running;
            PictureWrite result;
            if (std::find(failing.begin(), failing.end(), path) != failing.end()) result.Error = ENOSPC;
            return result;
        };
    }
};

QImage Picture(int w = 64, int h = 48) { return QImage(w, h, QImage::Format_RGB32); }

TEST(PictureQueue, WritesInOrderOneAtATime)
{
    RecordingWriter writer;
    PictureQueue queue(writer.Make(), true);
    for (const char* name : {"p-01.png", "p-02.png", "p-03.png"}) EXPECT_FALSE(queue.Add(Picture(), name));
    const QImage last = Picture();
    EXPECT_FALSE(queue.Add(last, "p-04.png"));
    EXPECT_FALSE(queue.Finish());
    EXPECT_TRUE(last.isDetached()) << "let go of once written, so the surface can draw into it again";
    EXPECT_EQ(writer.Written, (std::vector<std::string>{"p-01.png", "p-02.png", "p-03.png", "p-04.png"}));
    EXPECT_EQ(writer.MostAtOnce, 1) << "the next picture waits for the one before it";
    EXPECT_NE(writer.Threads[0], std::this_thread::get_id()) << "written on another thread";
}

TEST(PictureQueue, AFailureComesBackWithTheNextPictureWhichIsNotTaken)
{
    RecordingWriter writer;
    PictureQueue queue(writer.Make({"p-02.png"}), true);
    EXPECT_FALSE(queue.Add(Picture(), "p-01.png"));
    EXPECT_FALSE(queue.Add(Picture(), "p-02.png"));
    const auto failed = queue.Add(Picture(), "p-03.png");
    ASSERT_TRUE(failed);
    EXPECT_EQ(failed->Path, "p-02.png");
    EXPECT_EQ(failed->What.Error, ENOSPC);
    EXPECT_FALSE(queue.Finish()) << "told once";
    EXPECT_EQ(writer.Written, (std::vector<std::string>{"p-01.png", "p-02.png"})) << "p-03 was not written";

    RecordingWriter last;
    PictureQueue lastQueue(last.Make({"p-02.png"}), true);
    EXPECT_FALSE(lastQueue.Add(Picture(), "p-01.png"));
    EXPECT_FALSE(lastQueue.Add(Picture(), "p-02.png"));
    const auto lastFailed = lastQueue.Finish();
    ASSERT_TRUE(lastFailed) << "the last picture's failure comes with Finish";
    EXPECT_EQ(lastFailed->Path, "p-02.png");
}

TEST(PictureQueue, AWriterThatGivesUpIsAFailureOfItsPicture)
{
    PictureQueue queue([](const QImage&, const std::string&) -> PictureWrite { throw std::bad_alloc(); }, true);
    EXPECT_FALSE(queue.Add(Picture(), "p-01.png"));
    const auto failed = queue.Finish();
    ASSERT_TRUE(failed);
    EXPECT_EQ(failed->Path, "p-01.png");
    EXPECT_EQ(failed->What.Error, ENOMEM);
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
        const auto failed = queue.Add(c.Image, "big.png");
        ASSERT_EQ(writer.Written.size(), 1u) << c.What << ": written before Add returns";
        EXPECT_EQ(writer.Threads[0], std::this_thread::get_id()) << c.What;
        ASSERT_TRUE(failed) << c.What << ": its own failure comes back at once";
        EXPECT_EQ(failed->Path, "big.png") << c.What;
        EXPECT_FALSE(queue.Finish()) << c.What;
    }
}

TEST(PictureQueue, ALastPictureIsWrittenEvenWithoutFinish)
{
    RecordingWriter writer;
    {
        PictureQueue queue(writer.Make(), true);
        queue.Add(Picture(), "last.png");
    }
    EXPECT_EQ(writer.Written, std::vector<std::string>{"last.png"});
}

}  // namespace
}  // namespace plots
