// Files written whole or not at all: on a real full or read-only file system, and with the
// failures a writer meets on any machine.
#include "common/Registry.h"
#include "common/SafeFile.h"
#include "common/TextFile.h"
#include "store/PrivateTmpfs.h"
#include "store/TestFiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <functional>

#include <sys/stat.h>
#include <unistd.h>

using namespace tk;
using namespace storetest;

namespace {

constexpr std::size_t Page = 4096;

mode_t ModeOf(const std::string& path)
{
    struct stat info {};
    ::stat(path.c_str(), &info);
    return info.st_mode & 07777;
}

// What every write must end in: the whole new content under the final name, or the old file
// as it was, and no temporary file either way.
void ExpectWholeOrNothing(bool ok, const std::string& dir, const std::string& target, const std::string& oldContent,
                          const std::string& newContent)
{
    EXPECT_EQ(ReadFile(target), ok ? newContent : oldContent);
    EXPECT_EQ(NamesIn(dir), std::vector<std::string> {std::filesystem::path(target).filename().string()});
}

}  // namespace

TEST(SafeFile, FullDiskFailsPartWayAndLeavesTheOldFile)
{
    const struct {
        std::size_t FreePages;
        std::size_t NewBytes;
    } cases[] = {
        {0, 1},        {1, 1},         {1, Page},     {1, Page + 1}, {2, Page + 1},
        {2, 3 * Page}, {3, 3 * Page},  {3, 70000},    {0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("free pages " + std::to_string(c.FreePages) + ", new bytes " + std::to_string(c.NewBytes));
        PrivateTmpfs disk(64 * Page);
        if (!disk.Skipped().empty())
            GTEST_SKIP() << disk.Skipped();
        const std::string target = disk.Path() + "/settings.txt";
        const std::string oldContent(2 * Page + 100, 'o');
        WriteFile(target, oldContent);
        ASSERT_TRUE(disk.FillLeaving(c.FreePages * Page));
        const std::string newContent(c.NewBytes, 'n');

        SafeFile file(target);
        const bool ok = file.Open() && file.Write(newContent.data(), newContent.size() / 2) &&
                        file.Write(newContent.substr(newContent.size() / 2)) && file.Commit();
        // The temporary file is new, so the new content has to fit in the free pages.
        EXPECT_EQ(ok, (c.NewBytes + Page - 1) / Page <= c.FreePages);
        EXPECT_EQ(file.Error(), ok ? 0 : ENOSPC);
        EXPECT_EQ(file.ErrorText(), ok ? "" : "No space left on device");
        ExpectWholeOrNothing(ok, disk.Path(), target, oldContent, newContent);
    }
}

TEST(SafeFile, ReadOnlyDiskLeavesTheOldFile)
{
    PrivateTmpfs disk(16 * Page);
    if (!disk.Skipped().empty())
        GTEST_SKIP() << disk.Skipped();
    const std::string target = disk.Path() + "/plot.bmp";
    WriteFile(target, "old");
    ASSERT_TRUE(disk.MakeReadOnly());
    int error = 0;
    EXPECT_FALSE(WriteFileWhole(target, "new", &error));
    EXPECT_EQ(error, EROFS);
    ExpectWholeOrNothing(false, disk.Path(), target, "old", "new");
}

TEST(SafeFile, StoreAndTextFilesOnAFullDiskKeepWhatTheyHad)
{
    PrivateTmpfs disk(32 * Page);
    if (!disk.Skipped().empty())
        GTEST_SKIP() << disk.Skipped();
    Registry store(disk.Path() + "/registry.ini");
    store.SetText(CompanyKey, "fileIn", "t-freq.plt");
    const std::string storeBefore = ReadFile(store.StoreFile());
    ASSERT_TRUE(WriteTextFile(disk.Path() + "/notes.txt", "first"));
    ASSERT_TRUE(disk.FillLeaving(Page));

    store.SetText(CompanyKey, "ActivePath", std::string(5000, 'p'));  // the store grows past a page
    EXPECT_FALSE(WriteTextFile(disk.Path() + "/notes.txt", std::string(Page + 1, 'x')));
    EXPECT_EQ(ReadFile(store.StoreFile()), storeBefore);
    EXPECT_EQ(store.GetText(CompanyKey, "fileIn"), "t-freq.plt");
    EXPECT_EQ(ReadFile(disk.Path() + "/notes.txt"), "first");
    EXPECT_EQ(NamesIn(disk.Path()), (std::vector<std::string> {"notes.txt", "registry.ini", "registry.ini.lock"}));
}

class SafeFileTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    std::string Path(const std::string& name) const { return dir.path().toStdString() + "/" + name; }
};

TEST_F(SafeFileTest, FailuresBeforeTheRenameLeaveTheTargetAndNoTemporary)
{
    QDir().mkpath(dir.path() + "/taken.txt/inside");
    WriteFile(Path("old.txt"), "old");
    const struct {
        const char* Name;
        std::string Target;
        std::function<bool(const std::string&)> Whole;
        int Error;
    } cases[] = {
        {"the check says no", Path("old.txt"), [](const std::string&) { return false; }, EIO},
        {"the check fails with a reason", Path("old.txt"),
         [](const std::string&) {
             errno = EACCES;
             return false;
         },
         EACCES},
        {"a directory holds the name", Path("taken.txt"), {}, EISDIR},
        {"no such directory", Path("missing/new.txt"), {}, ENOENT},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        SafeFile file(c.Target);
        const bool opened = file.Open();
        EXPECT_TRUE(!opened || file.Write("new"));
        EXPECT_FALSE(file.Commit(c.Whole));
        EXPECT_EQ(file.Error(), c.Error);
        EXPECT_EQ(ReadFile(Path("old.txt")), "old");
        EXPECT_EQ(NamesIn(dir.path().toStdString()), (std::vector<std::string> {"old.txt", "taken.txt"}));
    }
}

TEST_F(SafeFileTest, AnotherWriterFillsTheTemporaryAndTheCheckSeesItWhole)
{
    WriteFile(Path("form.pdf"), "old");
    SafeFile file(Path("form.pdf"));
    ASSERT_TRUE(file.Open());
    EXPECT_EQ(std::filesystem::path(file.TemporaryPath()).parent_path(), dir.path().toStdString());
    EXPECT_EQ(std::filesystem::path(file.TemporaryPath()).filename().string().rfind(".form.pdf.tmp-", 0), 0u);
    WriteFile(file.TemporaryPath(), "%PDF-1.4 ... %%EOF\n");
    std::string seen;
    EXPECT_TRUE(file.Commit([&](const std::string& path) {
        seen = ReadFile(path);
        return true;
    }));
    EXPECT_EQ(seen, "%PDF-1.4 ... %%EOF\n");
    EXPECT_EQ(ReadFile(Path("form.pdf")), seen);
    EXPECT_EQ(NamesIn(dir.path().toStdString()), std::vector<std::string> {"form.pdf"});
}

TEST_F(SafeFileTest, UncommittedFileIsDiscarded)
{
    {
        SafeFile file(Path("new.txt"));
        ASSERT_TRUE(file.Open());
        ASSERT_TRUE(file.Write("half"));
    }
    EXPECT_TRUE(NamesIn(dir.path().toStdString()).empty());
}

TEST_F(SafeFileTest, ReplacedFileKeepsItsPermissionsAndANewOneFollowsTheUmask)
{
    WriteFile(Path("kept.txt"), "old");
    ::chmod(Path("kept.txt").c_str(), 0640);
    const mode_t previous = ::umask(027);
    const bool keptWritten = WriteFileWhole(Path("kept.txt"), "new");
    const bool newWritten = WriteFileWhole(Path("made.txt"), "new");
    ::umask(previous);
    ASSERT_TRUE(keptWritten && newWritten);
    EXPECT_EQ(ModeOf(Path("kept.txt")), 0640u);
    EXPECT_EQ(ModeOf(Path("made.txt")), 0640u);
}

// A link at the target's name is followed where an open would follow it: the user's own link
// anywhere, but not one another user planted in a shared, sticky directory such as /tmp.
TEST_F(SafeFileTest, LinkIsFollowedOnlyWhereTheKernelWouldFollowIt)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "giving a link another owner needs root";
    constexpr uid_t Me = 0, Other = 65534;  // nobody
    const struct {
        const char* Name;
        mode_t DirMode;
        uid_t DirOwner;
        std::vector<uid_t> LinkOwners;  // a chain of links, the first at the target's name
        bool Followed;
    } cases[] = {
        {"the user's own link in a private folder", 0755, Me, {Me}, true},
        {"the user's own link in a shared folder", 01777, Me, {Me}, true},
        {"another user's link in a shared folder", 01777, Me, {Other}, false},
        {"another user's link behind the user's own", 01777, Me, {Me, Other}, false},
        {"the shared folder's owner's link", 01777, Other, {Other}, true},
        {"another user's link in a folder that is not sticky", 0777, Me, {Other}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        const std::string shared = Path("shared"), victim = Path("precious.txt");
        std::filesystem::remove_all(shared);
        QDir().mkpath(QString::fromStdString(shared));
        ::chmod(shared.c_str(), c.DirMode);
        ASSERT_EQ(::chown(shared.c_str(), c.DirOwner, c.DirOwner), 0);
        WriteFile(victim, "old");
        std::string to = victim;
        for (std::size_t i = c.LinkOwners.size(); i-- > 0;) {
            const std::string link = shared + "/link" + std::to_string(i);
            std::filesystem::create_symlink(to, link);
            ASSERT_EQ(::lchown(link.c_str(), c.LinkOwners[i], c.LinkOwners[i]), 0);
            to = link;
        }
        int error = 0;
        EXPECT_EQ(WriteFileWhole(shared + "/link0", "new", &error), c.Followed);
        EXPECT_EQ(ReadFile(victim), c.Followed ? "new" : "old");
        EXPECT_EQ(error, c.Followed ? 0 : EACCES);
        EXPECT_TRUE(std::filesystem::is_symlink(shared + "/link0"));
        EXPECT_EQ(NamesIn(dir.path().toStdString()), (std::vector<std::string> {"precious.txt", "shared"}));
        EXPECT_EQ(NamesIn(shared).size(), c.LinkOwners.size());
        if (!c.Followed) {
            EXPECT_NE(DescribeWriteError(shared + "/link0", error).find("another user"), std::string::npos);
        }
    }
}

TEST_F(SafeFileTest, NameThatFillsADirectoryEntryStillGetsATemporaryBesideIt)
{
    const std::string name(255, 'n');
    ASSERT_TRUE(WriteFileWhole(Path(name), "content"));
    EXPECT_EQ(ReadFile(Path(name)), "content");
    EXPECT_EQ(NamesIn(dir.path().toStdString()), std::vector<std::string> {name});
}
