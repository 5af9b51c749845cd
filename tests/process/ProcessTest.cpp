#include "common/Process.h"
#include "support/FreshProcess.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <cstdlib>
#include <iterator>
#include <map>
#include <optional>

using namespace tk;

namespace {

// Sets an environment variable for one test and puts the old value back afterwards.
class ScopedEnv {
public:
    ScopedEnv(const char* name, std::optional<std::string> value) : name_(name)
    {
        if (const char* old = std::getenv(name))
            saved_ = old;
        if (value)
            setenv(name, value->c_str(), 1);
        else
            unsetenv(name);
    }
    ~ScopedEnv()
    {
        if (saved_)
            setenv(name_, saved_->c_str(), 1);
        else
            unsetenv(name_);
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    const char* name_;
    std::optional<std::string> saved_;
};

void WriteScript(const QString& path, const QByteArray& body)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("#!/bin/sh\n" + body);
    f.close();
    f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

void WriteText(const QString& path, const QByteArray& text)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(text);
}

class ProcessTest : public ::testing::Test {
protected:
    QTemporaryDir tmp;
    QString Path(const QString& name) const { return tmp.path() + "/" + name; }
    // A file name a shell would take apart; it must always arrive as one argument.
    std::string Awkward() const { return Path("my notes; $(touch pwned) \"q\" it's.qz").toStdString(); }
};

}  // namespace

TEST_F(ProcessTest, StartPassesEveryArgumentUnchangedAndRunsNoShell)
{
    WriteScript(Path("record"), "out=\"$1\"; shift\nprintf '%s\\0' \"$@\" > \"$out.part\"\nmv \"$out.part\" \"$out\"\n");
    const std::string out = Path("args").toStdString();
    const std::vector<std::string> args = {
        out, "two words", "quote\"d", "it's", ";$(touch " + Path("pwned").toStdString() + ")",
        "", "line\nbreak", "*", Awkward(),
    };
    SystemStarter starter;
    std::string error;
    ASSERT_TRUE(starter.Start(Path("record").toStdString(), args, error)) << error;
    EXPECT_EQ(error, "");
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(QString::fromStdString(out)); }, 60000));
    QFile f(QString::fromStdString(out));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray recorded = f.readAll();
    std::vector<std::string> got;
    for (const QByteArray& part : recorded.split('\0'))
        got.push_back(part.toStdString());
    got.pop_back();  // after the last terminator
    EXPECT_EQ(got, std::vector<std::string>(args.begin() + 1, args.end()));
    EXPECT_FALSE(QFile::exists(Path("pwned")));
}

TEST_F(ProcessTest, StartExplainsWhyAProgramCannotRun)
{
    WriteText(Path("plain.txt"), "not a program");
    struct Case { std::string program; std::string error; };
    const Case cases[] = {
        {"no-such-program-here", "The program \"no-such-program-here\" was not found."},
        {Path("missing/tool").toStdString(), "The program \"" + Path("missing/tool").toStdString() + "\" was not found."},
        {Path("plain.txt").toStdString(), "The file \"" + Path("plain.txt").toStdString() + "\" is not a program that can be run."},
        {tmp.path().toStdString(), "The file \"" + tmp.path().toStdString() + "\" is not a program that can be run."},
        {"", "No program was named."},
    };
    SystemStarter starter;
    for (const Case& c : cases) {
        std::string error;
        EXPECT_FALSE(starter.Start(c.program, {"x"}, error)) << c.program;
        EXPECT_EQ(error, c.error);
    }
}

TEST_F(ProcessTest, OpenRefusesWhatIsNeitherAFileNorAWebAddress)
{
    const std::string missing = Path("missing.avi").toStdString();
    const struct { std::string given, error; } cases[] = {
        {missing, "The file \"" + missing + "\" does not exist."},
        {"", "The file \"\" does not exist."},
        {"mailto:someone", "The file \"mailto:someone\" does not exist."},
        {"http://", "\"http://\" is not a valid address."},
    };
    SystemStarter starter;
    for (const auto& c : cases) {
        std::string error;
        EXPECT_FALSE(starter.Open(c.given, error)) << c.given;
        EXPECT_EQ(error, c.error);
    }
}

// The user's text editor, the video player and the browser, on a desktop of the test's own:
// desktop entries whose programs record the arguments they were started with, the desktop's
// defaults in mimeapps.list, and the programs of PATH. "F" stands for the file edited, "V" for
// the video opened.
struct EditorCase {
    const char* Name;
    const char* QzEditor;       // nullptr: unset
    const char* Terminal;       // $TERMINAL; nullptr: unset
    bool XTerminalEmulator;     // x-terminal-emulator is installed
    std::vector<std::string> Entries;  // the desktop entries for plain text, by name
    const char* MimeApps;       // $XDG_CONFIG_HOME/mimeapps.list
    std::vector<std::string> Started;  // the program's name and its arguments; empty: none
    const char* Reason;         // a part of the reason when none could start
    const char* Opened = nullptr;  // what is opened ({D}: the desktop's directory); nullptr: F is edited
};

const char* const DefaultGui = "[Default Applications]\ntext/plain=gui.desktop\n";
const char* const DefaultVim = "[Default Applications]\ntext/plain=vim.desktop\n";
const char* const DefaultPlayers = "[Default Applications]\nvideo/x-msvideo=player.desktop\nx-scheme-handler/https=browser.desktop\n"
                                   "x-scheme-handler/http=browser.desktop\n";
const char* const Video = "{D}/video #1?.avi";

const EditorCase EditorCases[] = {
    {"QZ_EDITOR with its options", "myed --wait -c \"set ft=qz\"", nullptr, false, {"gui"}, DefaultGui,
     {"myed", "--wait", "-c", "set ft=qz", "F"}, nullptr},
    {"QZ_EDITOR as a quoted path", "\"{D}/my editors/ed\" 100%", nullptr, false, {}, "", {"ed", "100%", "F"}, nullptr},
    {"QZ_EDITOR not installed", "nosuch -n", nullptr, false, {"gui"}, DefaultGui, {},
     "The program \"nosuch\" was not found."},
    {"the desktop's default", nullptr, nullptr, false, {"vim", "gui"}, DefaultGui, {"guied", "--new-window", "F"},
     nullptr},
    {"an Exec line with a quoted path", nullptr, nullptr, false, {"quoted"}, "[Default Applications]\ntext/plain=quoted.desktop\n",
     {"ed", "--line", "1", "F"}, nullptr},
    {"a terminal editor in TERMINAL", nullptr, "myterm", true, {"vim", "gui"}, DefaultVim, {"myterm", "-e", "vim", "F"},
     nullptr},
    {"TERMINAL with its own option", nullptr, "myterm --exec", false, {"vim"}, DefaultVim,
     {"myterm", "--exec", "vim", "F"}, nullptr},
    {"x-terminal-emulator without TERMINAL", nullptr, nullptr, true, {"vim"}, DefaultVim,
     {"x-terminal-emulator", "-e", "vim", "F"}, nullptr},
    {"TERMINAL not installed", nullptr, "noterm", true, {"vim"}, DefaultVim, {"x-terminal-emulator", "-e", "vim", "F"},
     nullptr},
    {"no terminal: the next editor for plain text", nullptr, nullptr, false, {"vim", "gui"}, DefaultVim,
     {"guied", "--new-window", "F"}, nullptr},
    {"no terminal: a removed association is not taken", nullptr, nullptr, false, {"vim", "gui"},
     "[Default Applications]\ntext/plain=vim.desktop\n[Removed Associations]\ntext/plain=gui.desktop;\n", {},
     "The text editor Vi IMproved runs in a terminal, and no terminal emulator was found"},
    {"no terminal and no other editor", nullptr, nullptr, false, {"vim"}, DefaultVim, {},
     "The text editor Vi IMproved runs in a terminal, and no terminal emulator was found"},
    {"the default's program is missing", nullptr, nullptr, false, {"missing", "gui"},
     "[Default Applications]\ntext/plain=missing.desktop\n", {"guied", "--new-window", "F"}, nullptr},
    {"none installed", nullptr, nullptr, false, {}, "", {},
     "No text editor was found. Set QZ_EDITOR to the command of your text editor."},
    {"a video: the desktop's player", nullptr, nullptr, false, {"termplayer", "player", "browser"}, DefaultPlayers,
     {"player", "V"}, nullptr, Video},
    {"a video as a file address", nullptr, nullptr, false, {"player"}, DefaultPlayers, {"player", "V"}, nullptr,
     "file://{D}/video%20%231%3F.avi"},
    {"a video: a player that runs in a terminal", nullptr, "myterm", false, {"termplayer"},
     "[Default Applications]\nvideo/x-msvideo=termplayer.desktop\n", {"myterm", "-e", "tplayer", "V"}, nullptr, Video},
    {"a video: no player", nullptr, nullptr, false, {"browser"}, DefaultPlayers, {}, "No program is associated with",
     Video},
    {"a web address: the browser", nullptr, nullptr, false, {"player", "browser"}, DefaultPlayers,
     {"browser", "https://video.invalid/demo.avi?x=1"}, nullptr, "https://video.invalid/demo.avi?x=1"},
    {"a web address in capitals", nullptr, nullptr, false, {"browser"}, DefaultPlayers,
     {"browser", "http://video.invalid/"}, nullptr, "HTTP://video.invalid/"},
    {"a web address: no browser", nullptr, nullptr, false, {"player"}, DefaultPlayers, {},
     "No program is associated with", "https://video.invalid/"},
};

QByteArray Expanded(const char* text, const QString& dir) { return QByteArray(text).replace("{D}", dir.toUtf8()); }

// One case, in a process of its own (see FreshProcess.h): TK_EDITOR_CASE names it,
// TK_EDITOR_DIR is its desktop.
TEST(EditorOnADesktop, DISABLED_OneCase)
{
    const EditorCase& c = EditorCases[std::atoi(std::getenv("TK_EDITOR_CASE"))];
    const QString d = qEnvironmentVariable("TK_EDITOR_DIR");
    const QString record = d + "/record";
    // Each program writes its name and its arguments, each ended by a zero byte.
    const QByteArray recorder = "{ printf '%s\\0' \"${0##*/}\"; for a in \"$@\"; do printf '%s\\0' \"$a\"; done; } > '" +
                                record.toUtf8() + ".part'\n/bin/mv '" + record.toUtf8() + ".part' '" + record.toUtf8() + "'\n";
    for (const char* program : {"bin/vim", "bin/guied", "bin/myed", "bin/myterm", "my editors/ed", "bin/player",
                                "bin/tplayer", "bin/browser"})
        WriteScript(d + "/" + program, recorder);
    if (c.XTerminalEmulator) WriteScript(d + "/bin/x-terminal-emulator", recorder);
    // Each entry: the types it opens, and the rest of it.
    const std::map<std::string, std::pair<std::vector<QByteArray>, QByteArray>> entries {
        {"vim", {{"text/plain"}, "Name=Vi IMproved\nExec=vim %F\nTerminal=true\n"}},
        {"gui", {{"text/plain"}, "Name=Gui\nExec=guied --new-window %f\n"}},
        {"quoted", {{"text/plain"}, "Name=Quoted\nExec=\"{D}/my editors/ed\" --line 1 %f\n"}},
        {"missing", {{"text/plain"}, "Name=Missing\nExec=notinstalled %f\n"}},
        {"player", {{"video/x-msvideo"}, "Name=Player\nExec=player %f\n"}},
        {"termplayer", {{"video/x-msvideo"}, "Name=Terminal Player\nExec=tplayer %f\nTerminal=true\n"}},
        {"browser", {{"x-scheme-handler/http", "x-scheme-handler/https"}, "Name=Browser\nExec=browser %u\n"}},
    };
    // The desktop database's index of the entries by type, as update-desktop-database writes it.
    std::map<QByteArray, QByteArray> byType;
    for (const std::string& name : c.Entries) {
        const auto& [types, body] = entries.at(name);
        QByteArray mimeTypes;
        for (const QByteArray& type : types) {
            mimeTypes += type + ";";
            byType[type] += QByteArray::fromStdString(name) + ".desktop;";
        }
        WriteText(d + "/share/applications/" + QString::fromStdString(name) + ".desktop",
                  "[Desktop Entry]\nType=Application\nMimeType=" + mimeTypes + "\n" + Expanded(body.constData(), d));
    }
    QByteArray cache = "[MIME Cache]\n";
    for (const auto& [type, names] : byType) cache += type + "=" + names + "\n";
    WriteText(d + "/share/applications/mimeinfo.cache", cache);
    WriteText(d + "/config/mimeapps.list", c.MimeApps);
    setenv("PATH", (d + "/bin").toUtf8().constData(), 1);
    setenv("XDG_DATA_HOME", (d + "/home").toUtf8().constData(), 1);
    // A video's type comes from the system's type database.
    setenv("XDG_DATA_DIRS", (d + "/share" + (c.Opened ? ":/usr/share" : "")).toUtf8().constData(), 1);
    setenv("XDG_CONFIG_HOME", (d + "/config").toUtf8().constData(), 1);
    setenv("XDG_CONFIG_DIRS", (d + "/etc").toUtf8().constData(), 1);
    const ScopedEnv editor("QZ_EDITOR", c.QzEditor ? std::optional<std::string>(Expanded(c.QzEditor, d).toStdString())
                                                   : std::nullopt);
    const ScopedEnv terminal("TERMINAL", c.Terminal ? std::optional<std::string>(c.Terminal) : std::nullopt);
    // A file name a shell would take apart; it must arrive as one argument.
    const std::string file = (d + "/my notes; $(touch pwned) \"q\" it's.qz").toStdString();
    const std::string video = Expanded(Video, d).toStdString();
    // A video file's first bytes, as the type database knows them.
    WriteText(QString::fromStdString(video), QByteArray("RIFF\x10\0\0\0AVI LIST", 16));

    SystemStarter starter;
    std::string error;
    const bool started = c.Opened ? starter.Open(Expanded(c.Opened, d).toStdString(), error) : starter.Edit(file, error);
    ASSERT_EQ(started, !c.Started.empty()) << error;
    if (!started) {
        EXPECT_NE(error.find(c.Reason), std::string::npos) << error;
        return;
    }
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(record); }, 60000));
    QFile f(record);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    std::vector<std::string> got;
    for (const QByteArray& part : f.readAll().split('\0'))
        got.push_back(part.toStdString() == file ? "F" : part.toStdString() == video ? "V" : part.toStdString());
    got.pop_back();  // after the last terminator
    EXPECT_EQ(got, c.Started);
    EXPECT_FALSE(QFile::exists(d + "/pwned"));
}

TEST(EditorOnADesktop, IsTheEditorTheDesktopWouldStart)
{
    for (std::size_t i = 0; i < std::size(EditorCases); ++i) {
        QTemporaryDir desktop;
        const ScopedEnv index("TK_EDITOR_CASE", std::to_string(i));
        const ScopedEnv dir("TK_EDITOR_DIR", desktop.path().toStdString());
        std::string output;
        EXPECT_TRUE(testsupport::PassesInFreshProcess("EditorOnADesktop.DISABLED_OneCase", output))
            << EditorCases[i].Name << "\n" << output;
    }
}
