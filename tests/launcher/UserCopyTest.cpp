// A packaged launcher's writable copy in the user's data directory: made on the first start,
// brought up to date on later ones, the user's changes kept.
#include "LauncherTestSupport.h"
#include "Pitchwell/UserCopy.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace pitchwell;
using launchertest::FreshDesktop;
using launchertest::ReadAll;
using launchertest::WriteAll;

namespace fs = std::filesystem;

namespace {

// A package's tree below the desktop's root: usr/bin and usr/share/tk-tools with examples.
struct Package {
    explicit Package(FreshDesktop& desk)
        : Bin(desk.MakeDir("usr/bin")), Shared(desk.Root + "/usr/share/tk-tools"),
          Examples(Shared + "/Pitchwell/demos/all")
    {
        desk.MakeDir("usr/share/tk-tools/Pitchwell/demos/all/answers");
        for (const auto& [name, text] : std::vector<std::pair<std::string, std::string>>{
                 {"a.qz", "A1"}, {"b.qz", "B1"}, {"c.qz", "C1"}, {"e.qz", "E1"}, {"answers/d.out", "D1"}})
            WriteAll(Examples + "/" + name, text);
        WriteAll(desk.MakeDir("usr/share/tk-tools/Pitchwell/video") + "/talk.wmv", "video");
    }
    std::string Bin, Shared, Examples;
};

}  // namespace

TEST(UserCopy, OnlyAPackagedLauncherHasASharedBase)
{
    FreshDesktop desk;
    const Package package(desk);
    desk.MakeDir("tk-tools/Pitchwell/demos/all");
    desk.MakeDir("opt/bin");
    const std::vector<std::pair<std::string, std::string>> cases = {
        {package.Bin, package.Shared},
        {package.Bin + "/", package.Shared},
        {desk.Root + "/tk-tools/Pitchwell", ""},   // runs where it is installed
        {desk.Root + "/opt/bin", ""},              // no examples beside it
        {"", ""},
    };
    for (const auto& [own, shared] : cases)
        EXPECT_EQ(SharedBaseDirectory(own), shared) << own;
}

TEST(UserCopy, LaterStartsUpdateWhatTheUserLeftAndKeepWhatTheyChanged)
{
    FreshDesktop desk;
    const Package package(desk);
    const std::string user = desk.Root + "/data/tk-tools";
    const std::string all = user + "/Pitchwell/demos/all";
    const std::string viewer = package.Bin + "/plots";

    UserCopyReport first = UpdateUserCopy(package.Shared, user, viewer);
    ASSERT_EQ(first.Error, "");
    EXPECT_EQ(first.OwnDir, user + "/Pitchwell");
    EXPECT_EQ(first.Written, 5);
    EXPECT_TRUE(first.Kept.empty());
    EXPECT_EQ(ReadAll(all + "/answers/d.out"), "D1");
    EXPECT_EQ(fs::read_symlink(user + "/plots"), fs::path(viewer));
    EXPECT_EQ(ReadAll(user + "/Pitchwell/video/talk.wmv"), "video");

    // Between the starts: the user's changes and a new version of the package.
    WriteAll(all + "/a.qz", "mine a");                 // edited, the package's unchanged: kept silently
    fs::remove(all + "/b.qz");                         // deleted: installed again
    WriteAll(package.Examples + "/c.qz", "C2");        // a new version the user did not touch: taken
    WriteAll(package.Examples + "/e.qz", "E2");        // a new version of a file the user edited:
    WriteAll(all + "/e.qz", "mine e");                 //   kept and named
    WriteAll(all + "/f.qz", "mine f");                 // the user's own file: untouched
    fs::remove(user + "/plots");
    fs::create_symlink("/elsewhere/plots", user + "/plots");  // an old viewer: pointed anew

    for (int start = 2; start <= 3; ++start) {
        const UserCopyReport later = UpdateUserCopy(package.Shared, user, viewer);
        ASSERT_EQ(later.Error, "");
        EXPECT_EQ(later.Written, start == 2 ? 2 : 0) << start;
        EXPECT_EQ(later.Kept, std::vector<std::string>{"e.qz"}) << start;
        const std::vector<std::pair<std::string, std::string>> expected = {
            {"a.qz", "mine a"}, {"b.qz", "B1"}, {"c.qz", "C2"}, {"e.qz", "mine e"}, {"f.qz", "mine f"},
            {"answers/d.out", "D1"}};
        for (const auto& [name, text] : expected)
            EXPECT_EQ(ReadAll(all + "/" + name), text) << name << " after start " << start;
        EXPECT_EQ(fs::read_symlink(user + "/plots"), fs::path(viewer));
    }
}

TEST(UserCopy, TheLauncherRunsInTheCopyOrSaysWhyNot)
{
    FreshDesktop desk;
    const Package package(desk);
    EXPECT_EQ(LauncherRunDirectory(package.Bin), desk.Root + "/data/tk-tools/Pitchwell");
    EXPECT_EQ(ReadAll(desk.Root + "/data/tk-tools/Pitchwell/demos/all/a.qz"), "A1");

    // A data directory that cannot hold the copy: the shared directory, whose start-up then
    // names the directory it cannot write.
    WriteAll(desk.Root + "/blocked", "a file");
    setenv("XDG_DATA_HOME", (desk.Root + "/blocked").c_str(), 1);
    EXPECT_EQ(LauncherRunDirectory(package.Bin), package.Shared + "/Pitchwell");
    desk.MakeDir("tk-tools/Pitchwell/demos");
    EXPECT_EQ(LauncherRunDirectory(desk.Root + "/tk-tools/Pitchwell"), desk.Root + "/tk-tools/Pitchwell");
}
