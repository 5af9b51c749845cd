#include "common/Paths.h"
#include "common/Registry.h"
#include "store/TestFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>

#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace tk;
using storetest::ReadFile;
using storetest::WriteFile;

namespace {

const std::string Scrivane = CompanyKey + "\\Scrivane";

QStringList Entries(const QString& dir)
{
    return QDir(dir).entryList(QDir::Files | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
}

class StoreTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    std::string File() const { return dir.path().toStdString() + "/tavrick/registry.ini"; }
    Registry store {File()};
};

}  // namespace

TEST_F(StoreTest, NewUserGetsStoreHoldingTheCompanyKey)
{
    EXPECT_TRUE(store.KeyExists(HKEY_CURRENT_USER, "Software\\Tavrick Enterprise"));
    EXPECT_TRUE(store.KeyExists(HKEY_CURRENT_USER, "software\\TAVRICK ENTERPRISE\\"));
    EXPECT_TRUE(store.KeyExists(HKEY_CURRENT_USER, "Software"));
    EXPECT_FALSE(store.KeyExists(HKEY_CURRENT_USER, Scrivane));
    const std::string content = ReadFile(File());
    EXPECT_NE(content.find("\n[Software\\Tavrick Enterprise]\n"), std::string::npos) << content;
}

TEST_F(StoreTest, MissingKeyReadsTheDefaultForEveryTypeCode)
{
    for (const int type : {REG_SZ, REG_BINARY, REG_DWORD, 0, 2, 7, -1}) {
        const RegValue got = store.GetRegValue(HKEY_CURRENT_USER, Scrivane, "Titles", type, RegValue(17));
        EXPECT_EQ(got, RegValue(17)) << "type " << type;
    }
}

TEST_F(StoreTest, UnsupportedTypeOnExistingKeyRaises1001)
{
    store.SetRegValue(HKEY_CURRENT_USER, CompanyKey, "fileIn", REG_SZ, std::string("x"));
    for (const std::string name : {"fileIn", "missing"}) {
        try {
            store.GetRegValue(HKEY_CURRENT_USER, CompanyKey, name, 2, std::string());
            ADD_FAILURE() << "no error for " << name;
        } catch (const RegistryError& e) {
            EXPECT_EQ(e.Number, 1001);
            EXPECT_STREQ(e.what(), "Unsupported value type");
        }
    }
}

TEST_F(StoreTest, AwkwardTextsRoundTripAsValuesAndNames)
{
    const std::vector<std::string> texts = {
        "plain", "a = b", "quote \" inside", "[not a key]", "back\\slash\\", "two\nlines",
        "cr\r\nlf", "tab\there", "\xc3\xbcnic\xc3\xb8" "de \xe2\x82\xac", "ctl\x01\x7f", "  blanks  ",
        ";comment", "#hash", "\"n\"=text:\"x\"", "\xff\xfe not utf-8 \xc3", "%41 percent", "\\x41",
    };
    for (const std::string& t : texts) {
        store.SetRegValue(HKEY_CURRENT_USER, CompanyKey, "v", REG_SZ, t);
        store.SetRegValue(HKEY_CURRENT_USER, CompanyKey, t, REG_DWORD, 5);
    }
    const Registry again(File());
    EXPECT_EQ(again.GetText(CompanyKey, "v"), texts.back());
    for (const std::string& t : texts) {
        EXPECT_EQ(again.GetInt(CompanyKey, t, -1), 5) << t;
        store.SetText(CompanyKey, "v", t);
        EXPECT_EQ(Registry(File()).GetText(CompanyKey, "v", "default"), t);
    }
}

TEST_F(StoreTest, AwkwardKeyNamesRoundTrip)
{
    for (const std::string level : {"[x]", "100%", "line\nbreak", "\xc3\x84pfel", " spaced ", "\xff"}) {
        const std::string key = Scrivane + "\\" + level;
        EXPECT_FALSE(store.CreateKey(HKEY_CURRENT_USER, key)) << level;
        store.SetInt(key, "n", 3);
        EXPECT_EQ(Registry(File()).GetInt(key, "n"), 3) << level;
        EXPECT_TRUE(Registry(File()).CreateKey(HKEY_CURRENT_USER, key)) << level;
    }
}

TEST_F(StoreTest, ReadLimitsCountTheTerminatingZeroForText)
{
    struct Case { int type; std::size_t length; bool reads; };
    const Case cases[] = {
        {REG_SZ, 1, true}, {REG_SZ, 1023, true}, {REG_SZ, 1024, false}, {REG_SZ, 5000, false},
        {REG_BINARY, 0, true}, {REG_BINARY, 4096, true}, {REG_BINARY, 4097, false},
    };
    const RegValue fallback = std::string("default");
    for (const Case& c : cases) {
        const RegValue value = c.type == REG_SZ ? RegValue(std::string(c.length, 'x'))
                                                : RegValue(Bytes(c.length, 0xAB));
        store.SetRegValue(HKEY_CURRENT_USER, CompanyKey, "big", c.type, value);
        const RegValue got = store.GetRegValue(HKEY_CURRENT_USER, CompanyKey, "big", c.type, fallback);
        EXPECT_EQ(got, c.reads ? value : fallback) << "type " << c.type << " length " << c.length;
    }
}

TEST_F(StoreTest, ValuesAreTakenAsTheKindOfTheirTypeCode)
{
    struct Case { int type; RegValue written; std::optional<RegValue> stored; };
    const Case cases[] = {
        {REG_SZ, 42, std::string("42")},
        {REG_SZ, Bytes {'h', 'i'}, std::string("hi")},
        {REG_BINARY, std::string("AB"), Bytes {0x41, 0x42}},
        {REG_BINARY, 0x01020304, Bytes {4, 3, 2, 1}},
        {REG_DWORD, INT32_MIN, INT32_MIN},
        {REG_DWORD, INT32_MAX, INT32_MAX},
        {REG_DWORD, std::string(" 12 "), 12},
        {REG_DWORD, std::string("-2.5"), -2},
        {REG_DWORD, std::string("3.5"), 4},
        {REG_DWORD, std::string("abc"), std::nullopt},
        {REG_DWORD, std::string(""), std::nullopt},
        {REG_DWORD, std::string("2147483648"), std::nullopt},
        {REG_DWORD, Bytes {1, 0, 0, 0}, std::nullopt},
        {2, std::string("x"), std::nullopt},
        {5, 7, std::nullopt},
    };
    for (const Case& c : cases) {
        store.SetRegValue(HKEY_CURRENT_USER, CompanyKey, "v", REG_SZ, std::string("before"));
        store.SetRegValue(HKEY_CURRENT_USER, CompanyKey, "v", c.type, c.written);
        const int readType = c.stored ? c.type : REG_SZ;
        const RegValue got = store.GetRegValue(HKEY_CURRENT_USER, CompanyKey, "v", readType, std::string("?"));
        EXPECT_EQ(got, c.stored.value_or(std::string("before"))) << "type " << c.type << " index " << c.written.index();
    }
}

TEST_F(StoreTest, EmptyTextAndOtherKindsReadAsTheDefault)
{
    store.SetRegValue(HKEY_CURRENT_USER, CompanyKey, "empty", REG_SZ, std::string());
    store.SetInt(CompanyKey, "number", 9);
    store.SetText(CompanyKey, "text", "12");
    EXPECT_EQ(store.GetText(CompanyKey, "empty", "dflt"), "dflt");
    EXPECT_EQ(store.GetText(CompanyKey, "number", "dflt"), "dflt");
    EXPECT_EQ(store.GetInt(CompanyKey, "text", -7), -7);
    EXPECT_EQ(store.GetRegValue(HKEY_CURRENT_USER, CompanyKey, "number", REG_BINARY, Bytes {9}), RegValue(Bytes {9}));
}

TEST_F(StoreTest, WritingToAMissingKeyChangesNothing)
{
    store.SetText(CompanyKey, "fileIn", "t-freq.plt");
    const std::string before = ReadFile(File());
    store.SetRegValue(HKEY_CURRENT_USER, Scrivane, "Titles", REG_DWORD, 255);
    store.SetRegValue(HKEY_CURRENT_USER, "Software\\Elsewhere", "x", REG_SZ, std::string("y"));
    EXPECT_FALSE(store.KeyExists(HKEY_CURRENT_USER, Scrivane));
    EXPECT_EQ(ReadFile(File()), before);
}

TEST_F(StoreTest, CreateKeyReportsExistingKeysAndKeepsTheirValues)
{
    EXPECT_TRUE(store.CreateKey(HKEY_CURRENT_USER, CompanyKey));
    EXPECT_FALSE(store.CreateKey(HKEY_CURRENT_USER, "software\\tavrick enterprise\\Scrivane\\Deep"));
    EXPECT_TRUE(store.KeyExists(HKEY_CURRENT_USER, Scrivane));
    store.SetRegValue(HKEY_CURRENT_USER, Scrivane, "Titles", REG_DWORD, 255);
    EXPECT_TRUE(store.CreateKey(HKEY_CURRENT_USER, "SOFTWARE\\Tavrick Enterprise\\SCRIVANE"));
    EXPECT_EQ(store.GetInt(Scrivane, "titles"), 255);
    // The first writer's spelling stays.
    const std::string content = ReadFile(File());
    EXPECT_NE(content.find("[Software\\Tavrick Enterprise\\Scrivane\\Deep]"), std::string::npos) << content;
    EXPECT_EQ(content.find("SCRIVANE"), std::string::npos) << content;
}

TEST_F(StoreTest, ValueNamesIgnoreCaseAndKeepTheFirstSpelling)
{
    store.SetText(CompanyKey, "fileIn", "a");
    store.SetText(CompanyKey, "FILEIN", "b");
    EXPECT_EQ(store.GetText(CompanyKey, "Filein"), "b");
    const std::string content = ReadFile(File());
    EXPECT_NE(content.find("\"fileIn\"=text:\"b\""), std::string::npos) << content;
    EXPECT_EQ(content.find("FILEIN"), std::string::npos);
}

// Store names and file names match by the same rule: letters of any script when the name is
// UTF-8, the ASCII letters alone when it is not (Windows-1252 names from the tools).
TEST_F(StoreTest, NamesMatchAsFileNamesDo)
{
    const struct {
        const char* Stored;
        const char* Asked;
        bool Match;
    } cases[] = {
        {"fileIn", "FILEIN", true},
        {"\xc3\x84rger", "\xc3\xa4RGER", true},         // UTF-8 letters fold
        {"\xc4rger", "\xe4rger", false},                  // Windows-1252 bytes do not
        {"\xc4RGER", "\xc4rger", true},                   // but their ASCII letters do
        {"\xe0\x80\x80" "a", "\xe0\x80\x80" "A", true},         // an overlong form is no UTF-8
        {"\xe0\x80\x80" "a", "\xc3\xa0\xc2\x80\xc2\x80" "a", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Asked);
        const std::string named = std::string("v") + c.Stored;
        store.SetText(CompanyKey, named, "x");
        EXPECT_EQ(store.GetText(CompanyKey, std::string("v") + c.Asked), c.Match ? "x" : "");
        const std::string file = dir.path().toStdString() + "/" + c.Stored;
        WriteFile(file, "x");
        EXPECT_EQ(IsFile(dir.path().toStdString() + "/" + c.Asked), c.Match);
        std::filesystem::remove(file);
    }
}

TEST_F(StoreTest, FileIsReadableTextAndWritesLeaveNoTemporaries)
{
    store.SetText(CompanyKey, "ActivePath", "/home/u/a \"b\"/");
    store.SetInt(Scrivane, "Curve1", 65535);
    store.SetRegValue(HKEY_CURRENT_USER, Scrivane, "Raw", REG_BINARY, Bytes {0x00, 0xFF});
    const std::string content = ReadFile(File());
    for (const std::string line : {"[Software]\n", "\"ActivePath\"=text:\"/home/u/a \\\"b\\\"/\"\n",
                                   "[Software\\Tavrick Enterprise\\Scrivane]\n\"Curve1\"=int32:65535\n",
                                   "\"Raw\"=bytes:00ff\n"})
        EXPECT_NE(content.find(line), std::string::npos) << line << "\n" << content;
    EXPECT_EQ(Entries(dir.path() + "/tavrick"), QStringList({"registry.ini", "registry.ini.lock"}));
}

TEST_F(StoreTest, LinkedStoreFileIsChangedWhereItPoints)
{
    QDir().mkpath(dir.path() + "/tavrick");
    QDir().mkpath(dir.path() + "/dotfiles");
    const QString target = dir.path() + "/dotfiles/registry.ini";
    WriteFile(target.toStdString(), "[Software\\Tavrick Enterprise]\n\"fileIn\"=text:\"a\"\n");
    ASSERT_TRUE(QFile::link(target, QString::fromStdString(File())));
    store.SetText(CompanyKey, "fileIn", "b");
    EXPECT_TRUE(QFileInfo(QString::fromStdString(File())).isSymLink());
    EXPECT_EQ(Registry(target.toStdString()).GetText(CompanyKey, "fileIn"), "b");
}

TEST_F(StoreTest, HandEditedFilesAreAccepted)
{
    QDir().mkpath(dir.path() + "/tavrick");
    WriteFile(File(), "# mine\r\n\r\n  [Software\\Tavrick Enterprise\\Scrivane]  \r\n"
                      "  \"Titles\"=int32:-1  \r\n\"T\"=text:\"x\\ty\"\n\"B\"=bytes:0A0b\n; end");
    EXPECT_TRUE(store.KeyExists(HKEY_CURRENT_USER, "Software"));
    EXPECT_EQ(store.GetInt(Scrivane, "Titles"), -1);
    EXPECT_EQ(store.GetText(Scrivane, "T"), "x\ty");
    EXPECT_EQ(store.GetRegValue(HKEY_CURRENT_USER, Scrivane, "B", REG_BINARY, Bytes()), RegValue(Bytes {10, 11}));
}

TEST_F(StoreTest, DamagedFileReadsEmptyAndIsKeptBeforeTheNextWrite)
{
    const std::string damaged[] = {
        std::string("\x00\x01\x02 binary", 10), "just some words", "\"value\"=int32:1\n[before a key]",
        "[k]\n\"v\"=int32:many", "[k]\n\"v\"=text:\"unterminated", "[k]\n\"v\"=bytes:abc",
        "[k]\n\"v\"=float:1", "[unclosed\n", "[k]\n\"v\"=text:\"bad \\q escape\"", "[100%zz]",
    };
    QDir().mkpath(dir.path() + "/tavrick");
    for (const std::string& content : damaged) {
        for (const QString& name : Entries(dir.path() + "/tavrick"))
            QFile::remove(dir.path() + "/tavrick/" + name);
        WriteFile(File(), content);
        EXPECT_FALSE(store.KeyExists(HKEY_CURRENT_USER, CompanyKey)) << content;
        EXPECT_EQ(store.GetText("k", "v", "d"), "d");
        store.SetRegValue(HKEY_CURRENT_USER, CompanyKey, "unseen", REG_SZ, std::string("x"));
        EXPECT_EQ(ReadFile(File()), content);

        store.SetText(Scrivane, "txtXmin", "1.5");
        EXPECT_EQ(store.GetText(Scrivane, "txtXmin"), "1.5");
        EXPECT_TRUE(store.KeyExists(HKEY_CURRENT_USER, CompanyKey));
        const QStringList kept = QDir(dir.path() + "/tavrick").entryList({"registry.ini.damaged-*"});
        ASSERT_EQ(kept.size(), 1) << content;
        EXPECT_EQ(ReadFile(dir.path().toStdString() + "/tavrick/" + kept[0].toStdString()), content);
    }
}

TEST_F(StoreTest, OversizedFileReadsAsDamaged)
{
    QDir().mkpath(dir.path() + "/tavrick");
    std::string huge = "[Software\\Tavrick Enterprise]\n";
    huge += std::string(9 << 20, ';');
    WriteFile(File(), huge);
    EXPECT_FALSE(store.KeyExists(HKEY_CURRENT_USER, CompanyKey));
    store.SetText(CompanyKey, "fileIn", "x");
    EXPECT_EQ(store.GetText(CompanyKey, "fileIn"), "x");
    EXPECT_EQ(QDir(dir.path() + "/tavrick").entryList({"registry.ini.damaged-*"}).size(), 1);
}

TEST_F(StoreTest, UnwritableStoreIsSilentAndCreateKeyFailsWith1001)
{
    WriteFile(dir.path().toStdString() + "/plainfile", "x");
    // A directory below a regular file cannot be made, not even by root.
    Registry blocked(dir.path().toStdString() + "/plainfile/tavrick/registry.ini");
    EXPECT_TRUE(blocked.KeyExists(HKEY_CURRENT_USER, CompanyKey));
    blocked.SetText(CompanyKey, "fileIn", "x");
    blocked.SetRegValue(HKEY_CURRENT_USER, CompanyKey, "fileIn", REG_SZ, std::string("x"));
    EXPECT_EQ(blocked.GetText(CompanyKey, "fileIn", "none"), "none");
    EXPECT_TRUE(blocked.CreateKey(HKEY_CURRENT_USER, CompanyKey));
    try {
        blocked.CreateKey(HKEY_CURRENT_USER, Scrivane);
        ADD_FAILURE() << "no error";
    } catch (const RegistryError& e) {
        EXPECT_EQ(e.Number, 1001);
        EXPECT_STREQ(e.what(), "Unable to create the registry key");
    }
    // A store whose file name is taken by a directory reads as empty and takes no writes.
    Registry taken(dir.path().toStdString());
    EXPECT_FALSE(taken.KeyExists(HKEY_CURRENT_USER, CompanyKey));
    taken.SetInt(CompanyKey, "n", 1);
    EXPECT_EQ(taken.GetInt(CompanyKey, "n", -1), -1);
}

TEST_F(StoreTest, TwoProcessesWritingAtOnceLoseNothing)
{
    constexpr int Writes = 500;
    // Memory-backed when the machine has it: this is about the lock, not the disk.
    QTemporaryDir shared(QDir("/dev/shm").exists() ? "/dev/shm/store-XXXXXX" : dir.path() + "/shared-XXXXXX");
    const std::string file = shared.path().toStdString() + "/registry.ini";
    Registry store(file);
    store.CreateKey(HKEY_CURRENT_USER, Scrivane);
    std::vector<pid_t> children;
    for (const char* prefix : {"viewer", "launcher"}) {
        const pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            Registry mine(file);
            for (int i = 0; i < Writes; ++i)
                mine.SetRegValue(HKEY_CURRENT_USER, Scrivane, prefix + std::to_string(i), REG_DWORD, i);
            _exit(0);  // no Qt or test teardown in the child
        }
        children.push_back(pid);
    }
    for (const pid_t pid : children) {
        int status = 0;
        ASSERT_EQ(waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    int missing = 0;
    for (const char* prefix : {"viewer", "launcher"})
        for (int i = 0; i < Writes; ++i)
            missing += store.GetInt(Scrivane, prefix + std::to_string(i), -1) != i;
    EXPECT_EQ(missing, 0);
}

TEST(StoreLocation, UserStoreLiesUnderTheConfigHome)
{
    const std::string savedConfig = std::getenv("XDG_CONFIG_HOME");
    const std::string home = std::getenv("HOME");
    EXPECT_EQ(Registry::ForUser().StoreFile(), savedConfig + "/tavrick/registry.ini");
    setenv("XDG_CONFIG_HOME", "relative/dir", 1);
    EXPECT_EQ(Registry::UserStoreFile(), home + "/.config/tavrick/registry.ini");
    unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(Registry::UserStoreFile(), home + "/.config/tavrick/registry.ini");
    setenv("XDG_CONFIG_HOME", savedConfig.c_str(), 1);
}

namespace {

const std::string ByteOrderMark = "\xEF\xBB\xBF";

QStringList KeptCopies(const QString& dir) { return QDir(dir).entryList({"registry.ini.damaged-*"}, QDir::Files); }

}  // namespace

TEST_F(StoreTest, ByteOrderMarkAndBadLinesHideNothingElse)
{
    const std::string scrivane = "[Software\\Tavrick Enterprise\\Scrivane]\r\n\"Titles\"=int32:5\r\n";
    const struct {
        const char* Name;
        std::string Content;
        bool BadLines;
    } cases[] = {
        {"byte-order mark from an editor", ByteOrderMark + scrivane, false},
        {"byte-order mark where files were joined", scrivane + ByteOrderMark + "[Other]\n", false},
        {"a value that does not parse", scrivane + "\"Curve1\"=int32:red\n\"Curve2\"=int32:7\n", true},
        {"a value line before any key", "\"stray\"=int32:1\n" + scrivane, true},
        {"the values of a key line that does not parse stay out", scrivane + "[Scr%zz]\n\"Titles\"=int32:9\n", true},
        {"more junk than settings", scrivane + [] {
             std::string junk;
             for (int i = 0; i < 30; ++i) junk += "junk line " + std::to_string(i) + "\n";
             return junk + std::string("\0\0\0\n", 4);
         }(), true},
    };
    const QString tavrick = dir.path() + "/tavrick";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        QDir(tavrick).removeRecursively();
        QDir().mkpath(tavrick);
        WriteFile(File(), c.Content);
        EXPECT_EQ(store.RecoverDamagedStore(), "");
        EXPECT_EQ(ReadFile(File()), c.Content);
        EXPECT_TRUE(store.KeyExists(HKEY_CURRENT_USER, CompanyKey));
        EXPECT_EQ(store.GetInt(Scrivane, "Titles"), 5);

        store.SetInt(Scrivane, "Curve2", 8);
        EXPECT_EQ(Registry(File()).GetInt(Scrivane, "Titles"), 5);
        EXPECT_EQ(Registry(File()).GetInt(Scrivane, "Curve2"), 8);
        // The lines that did not parse are not lost: the file they were in is kept.
        const QStringList kept = KeptCopies(tavrick);
        ASSERT_EQ(kept.size(), c.BadLines ? 1 : 0);
        if (c.BadLines) {
            EXPECT_EQ(ReadFile((tavrick + "/" + kept[0]).toStdString()), c.Content);
        }
    }
}

TEST_F(StoreTest, UnreadableStoreIsSetAsideOnceAtStartAndAFreshOneSeeded)
{
    const std::string damaged[] = {
        std::string("\x7f" "ELF\x02\x01\x01\x00\x00\x00\n(x)\n\x00\x01", 16),
        // Saved as UTF-16 by an editor.
        std::string("\xff\xfe[\0S\0]\0\n\0\"\0v\0\"\0=\0i\0n\0t\0\x33\0\x32\0:\0\x31\0\n\0", 38),
        "not a settings file\nat all\n",
    };
    const QString tavrick = dir.path() + "/tavrick";
    for (const std::string& content : damaged) {
        QDir(tavrick).removeRecursively();
        QDir().mkpath(tavrick);
        WriteFile(File(), content);
        // Until the start-up call, the store reads as empty.
        EXPECT_FALSE(store.KeyExists(HKEY_CURRENT_USER, CompanyKey));

        const std::string keptAs = store.RecoverDamagedStore();
        ASSERT_FALSE(keptAs.empty()) << content;
        EXPECT_EQ(std::filesystem::path(keptAs).parent_path(), tavrick.toStdString());
        EXPECT_EQ(ReadFile(keptAs), content);
        EXPECT_TRUE(store.KeyExists(HKEY_CURRENT_USER, CompanyKey));
        EXPECT_EQ(store.RecoverDamagedStore(), "");
        EXPECT_EQ(KeptCopies(tavrick).size(), 1);
        EXPECT_NE(DamagedStoreNotice(keptAs).find(keptAs), std::string::npos);
    }
}

TEST_F(StoreTest, EmptyStoreIsSeededWithTheCompanyKeyWithoutNotice)
{
    const QString tavrick = dir.path() + "/tavrick";
    for (const std::string& content : {std::string(), std::string(" \r\n\n\t"), ByteOrderMark + "\n"}) {
        for (const bool atStart : {true, false}) {
            QDir(tavrick).removeRecursively();
            QDir().mkpath(tavrick);
            WriteFile(File(), content);
            if (atStart) {
                EXPECT_EQ(store.RecoverDamagedStore(), "");
            }
            EXPECT_TRUE(store.KeyExists(HKEY_CURRENT_USER, CompanyKey));
            EXPECT_NE(ReadFile(File()).find("\n[Software\\Tavrick Enterprise]\n"), std::string::npos);
            EXPECT_TRUE(KeptCopies(tavrick).isEmpty());
        }
    }
}

TEST_F(StoreTest, WritersKilledMidWriteLeaveAWholeStoreAndTheNextWriterClearsUp)
{
    store.SetInt(Scrivane, "Titles", 42);
    const QString tavrick = dir.path() + "/tavrick";
    for (int round = 0; round < 12; ++round) {
        const pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            Registry mine(File());
            for (int i = 0;; ++i)
                mine.SetText(Scrivane, "Big", std::string(300000, char('a' + i % 26)));
        }
        usleep(1000 * (1 + round * 3));
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
        EXPECT_EQ(Registry(File()).GetInt(Scrivane, "Titles"), 42) << "round " << round;
    }
    // What earlier writers, also those of older versions, may have left behind.
    WriteFile(File() + ".tmp-a1B2c3", "half");
    WriteFile(dir.path().toStdString() + "/tavrick/.registry.ini.tmp-Z9y8X7", "half");
    WriteFile(File() + ".tmp-notes.txt", "mine");
    store.SetInt(Scrivane, "Titles", 43);
    EXPECT_EQ(Registry(File()).GetInt(Scrivane, "Titles"), 43);
    EXPECT_EQ(Entries(tavrick), QStringList({"registry.ini", "registry.ini.lock", "registry.ini.tmp-notes.txt"}));
}

// A store that cannot be used is named for what it is: a folder under the store's name, or a
// folder the store cannot be written into (checked as an ordinary user: root writes anywhere).
TEST_F(StoreTest, AStoreThatCannotBeUsedNamesItsCause)
{
    QDir().mkpath(QString::fromStdString(File()));
    EXPECT_FALSE(store.CanRead());
    EXPECT_NE(store.StoreProblem().find(File() + " is a folder"), std::string::npos) << store.StoreProblem();
    QDir(dir.path()).removeRecursively();

    const std::string locked = dir.path().toStdString() + "/locked";
    QDir().mkpath(QString::fromStdString(locked));
    ::chmod(dir.path().toLocal8Bit().constData(), 0755);
    ::chmod(locked.c_str(), 0555);
    const Registry readOnly(locked + "/tavrick/registry.ini");
    int pipeEnds[2];
    ASSERT_EQ(::pipe(pipeEnds), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(2);
        const std::string problem = readOnly.StoreProblem() + (readOnly.CanWrite() ? "|writable" : "|not writable");
        const ssize_t written = ::write(pipeEnds[1], problem.data(), problem.size());
        ::_exit(written == ssize_t(problem.size()) ? 0 : 3);
    }
    ::close(pipeEnds[1]);
    std::string problem;
    char buffer[512];
    for (ssize_t n; (n = ::read(pipeEnds[0], buffer, sizeof buffer)) > 0;) problem.append(buffer, std::size_t(n));
    ::close(pipeEnds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    EXPECT_NE(problem.find("cannot be saved: the folder " + locked + " cannot be written to"), std::string::npos) << problem;
    EXPECT_NE(problem.find("|not writable"), std::string::npos) << problem;
    ::chmod(locked.c_str(), 0755);
}
