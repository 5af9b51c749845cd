// The catalogue and the video page with the real program starter on a private desktop: its
// own programs directory, desktop entries and type finder, as a user's machine has them. GIO
// reads a desktop's directories once a process, so each test runs in a process of its own.
#include "CatalogueTestSupport.h"
#include "Pitchwell/LauncherCommands.h"
#include "Pitchwell/VideoPage.h"
#include "support/FreshProcess.h"

#include <QLabel>

#include <gtest/gtest.h>

using namespace pitchwell;
using namespace cataloguetest;

namespace {

// A desktop whose programs are only those written into its bin directory, whose default for
// plain text is vim.desktop, a terminal editor, and whose type finder goes by content.
struct PrivateDesktop {
    Installation inst;
    std::string Root = inst.Record("desktop");
    ScopedEnv path {"PATH", Root + "/bin"};
    ScopedEnv dataHome {"XDG_DATA_HOME", Root + "/home"};
    ScopedEnv dataDirs {"XDG_DATA_DIRS", Root + "/share"};
    ScopedEnv configHome {"XDG_CONFIG_HOME", Root + "/config"};
    ScopedEnv configDirs {"XDG_CONFIG_DIRS", Root + "/etc"};
    ScopedEnv noEditor {"QZ_EDITOR", ""};
    ScopedEnv noTerminal {"TERMINAL", ""};

    PrivateDesktop()
    {
        Program("xdg-mime", "case \"$1 $2\" in\n"
                            "'query filetype') IFS= read -r start < \"$3\"\n"
                            "  case \"$start\" in VIDEO-HEADER*) echo video/x-ms-wmv ;;\n"
                            "                    *) echo application/octet-stream ;; esac ;;\n"
                            "esac\nexit 0\n");
        Program("vim", "exit 0\n");
        WriteFile(Root + "/share/applications/vim.desktop",
                  "[Desktop Entry]\nType=Application\nName=Vi IMproved\nExec=vim %F\nTerminal=true\n"
                  "MimeType=text/plain;\n");
        WriteFile(Root + "/share/applications/player.desktop",
                  "[Desktop Entry]\nType=Application\nName=Player\nExec=player %f\nMimeType=video/x-ms-wmv;\n");
        WriteFile(Root + "/share/applications/mimeinfo.cache",
                  "[MIME Cache]\ntext/plain=vim.desktop;\nvideo/x-ms-wmv=player.desktop;\n");
        WriteFile(Root + "/config/mimeapps.list",
                  "[Default Applications]\ntext/plain=vim.desktop\nvideo/x-ms-wmv=player.desktop\n");
        Program("player", "exit 0\n");
    }
    void Program(const std::string& name, const std::string& body)
    {
        const std::string file = Root + "/bin/" + name;
        WriteFile(file, "#!/bin/sh\n" + body);
        ::chmod(file.c_str(), 0755);
    }
};

TEST(DesktopPrograms, DISABLED_ATerminalEditorOpensTheExampleInsideTheTerminalEmulator)
{
    PrivateDesktop desk;
    const std::string record = desk.inst.Record("terminal.rec");
    WriteRecorder(desk.Root + "/bin/x-terminal-emulator", record);
    WriteFile(desk.inst.Examples() + "/Beam.qz");
    EditDemo(desk.inst.Real, "Beam.qz");
    EXPECT_EQ(WaitForRecord(record), (std::vector<std::string> {"-e", "vim", desk.inst.Examples() + "/Beam.qz"}));
    EXPECT_TRUE(desk.inst.Dialogs.Boxes.empty());
}

TEST(DesktopPrograms, DISABLED_ATerminalEditorWithoutATerminalIsReported)
{
    PrivateDesktop desk;
    const std::string record = desk.inst.Record("vim.rec");
    WriteRecorder(desk.Root + "/bin/vim", record);
    WriteFile(desk.inst.Answers() + "/Beam.out");
    ViewAnswer(desk.inst.Real, "Beam.qz");
    ASSERT_EQ(desk.inst.Dialogs.Boxes.size(), 1u);
    const tk::MessageBoxCall& box = desk.inst.Dialogs.Boxes[0];
    EXPECT_EQ(box.Title, "Text editor not started");
    EXPECT_EQ(box.Text, "The text editor could not be started for\r\n" + desk.inst.Answers() + "/Beam.out\r\n"
                        "The text editor Vi IMproved runs in a terminal, and no terminal emulator was found "
                        "(x-terminal-emulator, or the program named by TERMINAL).");
    EXPECT_FALSE(std::filesystem::exists(record));
}

TEST(DesktopPrograms, DISABLED_AWholeVideoGoesToTheDesktopsPlayer)
{
    PrivateDesktop desk;
    ScopedEnv dataDirs("XDG_DATA_DIRS", desk.Root + "/share:/usr/share");
    const std::string record = desk.inst.Record("player.rec");
    WriteRecorder(desk.Root + "/bin/player", record);
    WriteFile(desk.inst.Paths.VideoFile, "VIDEO-HEADER and frames");
    VideoPage page(desk.inst.Real);
    page.mnuFileVideo_Click();
    EXPECT_EQ(WaitForRecord(record), (std::vector<std::string> {desk.inst.Paths.VideoFile}));
    EXPECT_TRUE(desk.inst.Dialogs.Boxes.empty());
}

TEST(DesktopPrograms, DISABLED_APartlyDownloadedVideoGivesTheAssociationMessage)
{
    PrivateDesktop desk;
    // The system's type database names .wmv files, as on any desktop.
    ScopedEnv dataDirs("XDG_DATA_DIRS", desk.Root + "/share:/usr/share");
    const std::string record = desk.inst.Record("player.rec");
    WriteRecorder(desk.Root + "/bin/player", record);
    WriteFile(desk.inst.Paths.VideoFile, std::string("\0\0\0\0partial", 11));
    VideoPage page(desk.inst.Real);
    page.mnuFileVideo_Click();
    EXPECT_FALSE(std::filesystem::exists(record));
    EXPECT_EQ(page.lblVideo2->text().toStdString(), VideoStartingCaption);
    ASSERT_EQ(desk.inst.Dialogs.Boxes.size(), 1u);
    EXPECT_EQ(desk.inst.Dialogs.Boxes[0].Text, NoWmvPlayerText);
    EXPECT_EQ(desk.inst.Dialogs.Boxes[0].Title, NoWmvPlayerTitle);
    EXPECT_EQ(desk.inst.Dialogs.Boxes[0].Icon, tk::MsgIcon::Critical);
}

TEST(DesktopPrograms, EachOnADesktopOfItsOwn)
{
    for (const char* name : {"ATerminalEditorOpensTheExampleInsideTheTerminalEmulator",
                             "ATerminalEditorWithoutATerminalIsReported", "AWholeVideoGoesToTheDesktopsPlayer",
                             "APartlyDownloadedVideoGivesTheAssociationMessage"}) {
        std::string output;
        EXPECT_TRUE(testsupport::PassesInFreshProcess(std::string("DesktopPrograms.DISABLED_") + name, output))
            << name << "\n" << output;
    }
}

}  // namespace

