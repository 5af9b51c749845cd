#include "common/Process.h"
#include "UrlRecorder.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <cstdlib>
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

TEST_F(ProcessTest, EditorFromQzEditorKeepsTheFileOneArgument)
{
    struct Case { const char* editor; std::string program; std::vector<std::string> leading; };
    const Case cases[] = {
        {"gedit", "gedit", {}},
        {"  code   --wait ", "code", {"--wait"}},
        {"\"/opt/My Editor/bin/ed\" -n \"two words\"", "/opt/My Editor/bin/ed", {"-n", "two words"}},
        {"vi -c \"set ft=qz\"", "vi", {"-c", "set ft=qz"}},
    };
    for (const Case& c : cases) {
        const ScopedEnv editor("QZ_EDITOR", c.editor);
        std::string program, reason;
        std::vector<std::string> args;
        ASSERT_TRUE(EditorCommand(Awkward(), program, args, reason)) << c.editor;
        std::vector<std::string> expected = c.leading;
        expected.push_back(Awkward());
        EXPECT_EQ(program, c.program) << c.editor;
        EXPECT_EQ(args, expected) << c.editor;
    }
}

TEST_F(ProcessTest, EditorFromTheDesktopEntryForPlainText)
{
    struct Case { const char* exec; std::vector<std::string> args; };  // "F" stands for the file
    const Case cases[] = {
        {"fakeed %f", {"F"}},
        {"fakeed --new-window %U", {"--new-window", "F"}},
        {"fakeed %F --line 1", {"F", "--line", "1"}},
        {"fakeed -i %i %c %k", {"-i", "F"}},
        {"fakeed --file=%f", {"--file=F"}},
        {"fakeed 100%% %u", {"100%", "F"}},
        {"\"fakeed\" \"--title=A \\\\\"B\\\\\"\" %f", {"--title=A \"B\"", "F"}},
        {"fakeed\\s--x %f", {"--x", "F"}},
    };
    const ScopedEnv noEditor("QZ_EDITOR", std::nullopt);
    const ScopedEnv path("PATH", Path("bin").toStdString());
    const ScopedEnv dataDirs("XDG_DATA_DIRS", Path("share").toStdString());
    WriteScript(Path("bin/xdg-mime"), "echo fakeed.desktop\n");
    WriteScript(Path("bin/fakeed"), "exit 0\n");
    for (const Case& c : cases) {
        WriteText(Path("share/applications/fakeed.desktop"),
                  QByteArray("[Desktop Entry]\nName=Fake\nExec=") + c.exec + "\n[Desktop Action New]\nExec=wrong %f\n");
        std::string program, reason;
        std::vector<std::string> args;
        ASSERT_TRUE(EditorCommand(Awkward(), program, args, reason)) << c.exec;
        EXPECT_EQ(program, "fakeed") << c.exec;
        std::vector<std::string> expected;
        for (const std::string& a : c.args)
            expected.push_back(a == "F" ? Awkward() : a == "--file=F" ? "--file=" + Awkward() : a);
        EXPECT_EQ(args, expected) << c.exec;
    }
}

TEST_F(ProcessTest, EditorSearchFallsBackStepByStep)
{
    struct Case { const char* name; const char* mimeAnswer; const char* entryPath; const char* exec;
                  bool openerInstalled; const char* program; };
    const Case cases[] = {
        {"entry in a vendor subdirectory", "vendor-ed.desktop", "share/applications/vendor/ed.desktop", "fakeed %f", false, "fakeed"},
        {"data home before data dirs", "ed.desktop", "home/applications/ed.desktop", "otherprog %f", false, "otherprog"},
        {"entry program missing", "ed.desktop", "share/applications/ed.desktop", "notinstalled %f", true, "xdg-open"},
        {"no default entry", "", "share/applications/ed.desktop", "fakeed %f", true, "xdg-open"},
        {"nothing at all", "", "share/applications/ed.desktop", "fakeed %f", false, ""},
    };
    const ScopedEnv noEditor("QZ_EDITOR", " ");
    const ScopedEnv dataDirs("XDG_DATA_DIRS", Path("share").toStdString());
    const ScopedEnv dataHome("XDG_DATA_HOME", Path("home").toStdString());
    for (const Case& c : cases) {
        QDir(Path("")).removeRecursively();
        QDir().mkpath(tmp.path());
        WriteScript(Path("bin/xdg-mime"), QByteArray("echo '") + c.mimeAnswer + "'\n");
        WriteScript(Path("bin/fakeed"), "exit 0\n");
        WriteScript(Path("bin/otherprog"), "exit 0\n");
        if (c.openerInstalled)
            WriteScript(Path("bin/xdg-open"), "exit 0\n");
        WriteText(Path("share/applications/ed.desktop"), "[Desktop Entry]\nExec=fakeed %f\n");
        WriteText(Path(c.entryPath), QByteArray("[Desktop Entry]\nExec=") + c.exec + "\n");
        const ScopedEnv path("PATH", Path("bin").toStdString());
        std::string program, reason;
        std::vector<std::string> args;
        const bool found = EditorCommand(Awkward(), program, args, reason);
        EXPECT_EQ(found, *c.program != '\0') << c.name;
        if (!found) {
            EXPECT_EQ(reason, "No text editor was found. Set QZ_EDITOR to the command of your text editor.");
            continue;
        }
        EXPECT_EQ(QFileInfo(QString::fromStdString(program)).fileName().toStdString(), c.program) << c.name;
        EXPECT_EQ(args, std::vector<std::string>({Awkward()})) << c.name;
    }
}

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

TEST_F(ProcessTest, OpenHandsLocalFilesAndWebAddressesToTheDesktop)
{
    UrlRecorder recorder;
    for (const char* scheme : {"file", "http", "https"})
        QDesktopServices::setUrlHandler(scheme, &recorder, "open");
    WriteText(Path("video #1?.avi"), "x");
    const QString savedCurrent = QDir::currentPath();
    QDir::setCurrent(tmp.path());
    struct Case { std::string given; std::optional<QUrl> opened; };
    const Case cases[] = {
        {Path("video #1?.avi").toStdString(), QUrl::fromLocalFile(Path("video #1?.avi"))},
        {"video #1?.avi", QUrl::fromLocalFile(Path("video #1?.avi"))},
        {QUrl::fromLocalFile(Path("video #1?.avi")).toString().toStdString(), QUrl::fromLocalFile(Path("video #1?.avi"))},
        {"https://video.invalid/demo.avi?x=1", QUrl("https://video.invalid/demo.avi?x=1")},
        {"HTTP://video.invalid/", QUrl("http://video.invalid/")},
        {Path("missing.avi").toStdString(), std::nullopt},
        {"", std::nullopt},
        {"mailto:someone", std::nullopt},
        {"http://", std::nullopt},
    };
    SystemStarter starter;
    starter.HasAssociatedProgram = [](const std::string&) { return true; };
    for (const Case& c : cases) {
        recorder.Opened.clear();
        std::string error;
        EXPECT_EQ(starter.Open(c.given, error), c.opened.has_value()) << c.given;
        EXPECT_EQ(error.empty(), c.opened.has_value()) << c.given << ": " << error;
        EXPECT_EQ(recorder.Opened, c.opened ? QList<QUrl> {*c.opened} : QList<QUrl> {}) << c.given;
    }
    for (const char* scheme : {"file", "http", "https"})
        QDesktopServices::unsetUrlHandler(scheme);
    QDir::setCurrent(savedCurrent);
}

TEST_F(ProcessTest, ALocalDocumentWithoutAnAssociatedProgramIsNotHandedToTheOpener)
{
    // The desktop's opener would report success and then find nothing to play the file with.
    UrlRecorder recorder;
    for (const char* scheme : {"file", "https"})
        QDesktopServices::setUrlHandler(scheme, &recorder, "open");
    WriteText(Path("talk.wmv"), "x");
    SystemStarter starter;
    std::string asked;
    starter.HasAssociatedProgram = [&](const std::string& path) {
        asked = path;
        return false;
    };
    std::string error;
    EXPECT_FALSE(starter.Open(Path("talk.wmv").toStdString(), error));
    EXPECT_EQ(asked, Path("talk.wmv").toStdString());
    EXPECT_NE(error.find("No program is associated with"), std::string::npos) << error;
    EXPECT_TRUE(recorder.Opened.isEmpty());
    // Web addresses go to the browser without that check.
    EXPECT_TRUE(starter.Open("https://www.example.com/tavrick/marketing/qz-presentation.wmv", error)) << error;
    EXPECT_EQ(recorder.Opened.size(), 1);
    for (const char* scheme : {"file", "https"})
        QDesktopServices::unsetUrlHandler(scheme);
}

// Editors that run in a terminal (Terminal=true) are started inside the user's terminal
// emulator, as the desktop's opener does; without one the next editor for plain text is taken,
// and without that the reason is given, never a terminal program without a terminal.
TEST_F(ProcessTest, TerminalEditorsRunInATerminalOrGiveWayToTheNextEditor)
{
    struct Case {
        const char* name;
        const char* terminalVariable;   // $TERMINAL; nullptr when unset
        bool xTerminalEmulator;         // x-terminal-emulator is installed
        const char* mimeapps;           // $XDG_CONFIG_HOME/mimeapps.list
        const char* cache;              // the desktop database's mimeinfo.cache
        std::vector<std::string> command;  // "F" stands for the file; empty: none
        const char* reason;             // a part of the reason when there is none
    };
    const Case cases[] = {
        {"x-terminal-emulator", nullptr, true, "", "", {"x-terminal-emulator", "-e", "vim", "F"}, nullptr},
        {"TERMINAL, one word", "myterm", true, "", "", {"myterm", "-e", "vim", "F"}, nullptr},
        {"TERMINAL with its own option", "myterm --exec", false, "", "", {"myterm", "--exec", "vim", "F"}, nullptr},
        {"TERMINAL not installed", "noterm", true, "", "", {"x-terminal-emulator", "-e", "vim", "F"}, nullptr},
        {"no terminal: an added association", nullptr, false,
         "[Added Associations]\ntext/plain=vim.desktop;gui.desktop;\n", "", {"guied", "F"}, nullptr},
        {"no terminal: the desktop database", nullptr, false, "",
         "[MIME Cache]\ntext/plain=vim.desktop;gui.desktop;\n", {"guied", "F"}, nullptr},
        {"no terminal: a removed association is not taken", nullptr, false,
         "[Removed Associations]\ntext/plain=gui.desktop;\n", "[MIME Cache]\ntext/plain=gui.desktop;\n", {},
         "Vi IMproved runs in a terminal, and no terminal emulator was found"},
        {"no terminal and no other editor", nullptr, false, "", "", {},
         "Vi IMproved runs in a terminal, and no terminal emulator was found"},
    };
    const ScopedEnv noEditor("QZ_EDITOR", std::nullopt);
    const ScopedEnv dataDirs("XDG_DATA_DIRS", Path("share").toStdString());
    const ScopedEnv dataHome("XDG_DATA_HOME", Path("home").toStdString());
    const ScopedEnv configHome("XDG_CONFIG_HOME", Path("config").toStdString());
    const ScopedEnv configDirs("XDG_CONFIG_DIRS", Path("etc").toStdString());
    const ScopedEnv path("PATH", Path("bin").toStdString());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QDir(Path("")).removeRecursively();
        QDir().mkpath(tmp.path());
        WriteScript(Path("bin/xdg-mime"), "echo vim.desktop\n");
        WriteScript(Path("bin/xdg-open"), "exit 0\n");
        for (const char* program : {"vim", "guied", "myterm"})
            WriteScript(Path("bin/") + program, "exit 0\n");
        if (c.xTerminalEmulator)
            WriteScript(Path("bin/x-terminal-emulator"), "exit 0\n");
        WriteText(Path("share/applications/vim.desktop"),
                  "[Desktop Entry]\nName=Vi IMproved\nExec=vim %F\nTerminal=true\n");
        WriteText(Path("share/applications/gui.desktop"), "[Desktop Entry]\nName=Gui\nExec=guied %f\n");
        WriteText(Path("config/mimeapps.list"), c.mimeapps);
        WriteText(Path("share/applications/mimeinfo.cache"), c.cache);
        const ScopedEnv terminal("TERMINAL",
                                 c.terminalVariable ? std::optional<std::string>(c.terminalVariable) : std::nullopt);
        std::string program, reason;
        std::vector<std::string> args;
        const bool found = EditorCommand(Awkward(), program, args, reason);
        ASSERT_EQ(found, !c.command.empty()) << program;
        if (!found) {
            EXPECT_NE(reason.find(c.reason), std::string::npos) << reason;
            continue;
        }
        std::vector<std::string> got {QFileInfo(QString::fromStdString(program)).fileName().toStdString()};
        for (const std::string& a : args)
            got.push_back(a == Awkward() ? "F" : a);
        EXPECT_EQ(got, c.command);
    }
}
