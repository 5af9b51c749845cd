// The launcher's installation paths, first run versus later runs, the file types, the existence
// tests with their messages and the plot hand-over.
#include "LauncherTestSupport.h"
#include "Pitchwell/FileAssoc.h"
#include "Pitchwell/Startup.h"
#include "Pitchwell/mdlQZ.h"
#include "support/ScriptedDialogs.h"

#include <gtest/gtest.h>

#include <cerrno>

using namespace pitchwell;
using launchertest::FreshDesktop;
using launchertest::ReadAll;
using launchertest::WriteAll;

namespace {

const std::string BaseDirMessage =
    "Missing Pitchwell's base directory, /TK-Tools; Can't proceed without it.\r\n"
    "Did you re-boot since installing Pitchwell?\r\n"
    "Please re-boot or re-install Pitchwell AND re-boot.";

LauncherPaths PathsFor(const std::string& ownDir)
{
    LauncherPaths paths;
    paths.OwnDir = ownDir;
    return paths;
}

// The set-up of a launcher installed at tk-tools/Pitchwell on the desktop, without a message.
SetupReport SetUpInstalledLauncher(FreshDesktop& desk)
{
    LauncherPaths paths = PathsFor(desk.MakeDir("tk-tools/Pitchwell"));
    tk::ScriptedDialogs dialogs;
    SetupReport report;
    EXPECT_TRUE(Start_Path(paths, dialogs));
    EXPECT_TRUE(Start_INI(paths, dialogs, "12/7/2026", &report));
    EXPECT_TRUE(dialogs.Boxes.empty());
    return report;
}

}  // namespace

TEST(LauncherStartup, BaseDirectoryIsTheParentOfTheOwnDirectory)
{
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"/home/ann/tk-tools/Pitchwell", "/home/ann/tk-tools"},
        {"/home/ann/tk-tools/Pitchwell/", "/home/ann/tk-tools"},
        {"/opt/Program Files/TK-Tools/Pitchwell", "/opt/Program Files/TK-Tools"},
        {"  /d/TK-Tools/Pitchwell  ", "/d/TK-Tools"},
        {"/Pitchwell", ""},   // directly below the root
        {"/", ""},
        {"", ""},
        {"Pitchwell", ""},
    };
    for (const auto& [own, base] : cases)
        EXPECT_EQ(BaseDirectoryOf(own), base) << own;
}

TEST(LauncherStartup, StartPathSetsTheProgramDirectoryOrEnds)
{
    struct Case { std::string own; bool ok; std::string progDir; };
    const std::vector<Case> cases = {
        {"/d/TK-Tools/Pitchwell", true, "/d/TK-Tools/Pitchwell"},
        {"/srv/Program Files/TK-Tools/bin", true, "/srv/Program Files/TK-Tools/Pitchwell"},
        {"/Pitchwell", false, ""},
    };
    for (const auto& c : cases) {
        tk::ScriptedDialogs dialogs;
        LauncherPaths paths = PathsFor(c.own);
        EXPECT_EQ(Start_Path(paths, dialogs), c.ok) << c.own;
        EXPECT_EQ(paths.ProgDir, c.progDir) << c.own;
        EXPECT_EQ(paths.ProgSubDir, "/Pitchwell");
        if (c.ok) {
            EXPECT_TRUE(dialogs.Boxes.empty());
            continue;
        }
        ASSERT_EQ(dialogs.Boxes.size(), 1u);
        EXPECT_EQ(dialogs.Boxes[0].Text, BaseDirMessage);
        EXPECT_EQ(dialogs.Boxes[0].Title, "In 'Start_Path' routine ... Exiting!");
        EXPECT_EQ(dialogs.Boxes[0].Icon, tk::MsgIcon::Critical);
    }
}

TEST(LauncherStartup, MarkerLineHasTheNameTheWordsFifteenBlanksAndTheDate)
{
    const std::string line = MarkerLine("12/7/2026");
    EXPECT_EQ(line, "Pitchwell\u2122 Program Installed               12/7/2026");
    EXPECT_EQ(line.substr(line.find("\u2122")).size(), 34u + 2u + 9u);  // the sign takes 3 bytes in UTF-8
}

TEST(LauncherStartup, FirstRunWritesTheMarkerRegistersTypesAndEntersUser)
{
    FreshDesktop desk;
    const std::string own = desk.MakeDir("tk-tools/Pitchwell");
    LauncherPaths paths = PathsFor(own);
    tk::ScriptedDialogs dialogs;
    ASSERT_TRUE(Start_Path(paths, dialogs));

    SetupReport first;
    ASSERT_TRUE(Start_INI(paths, dialogs, "12/7/2026", &first));
    EXPECT_TRUE(dialogs.Boxes.empty());
    EXPECT_TRUE(first.FirstRun);
    EXPECT_TRUE(first.RegisteredSource);
    EXPECT_TRUE(first.RegisteredOutput);
    EXPECT_TRUE(first.CreatedUserDir);
    EXPECT_EQ(ReadAll(own + "/Pitchwell.ini"), "Pitchwell\u2122 Program Installed               12/7/2026\r\n");
    EXPECT_EQ(GetAssociation("QZ"), SourceMimeType);
    EXPECT_EQ(GetAssociation("out"), OutputMimeType);
    EXPECT_EQ(std::filesystem::current_path(), std::filesystem::path(own + "/User"));

    // Second run: nothing is written; only the deleted User directory comes back.
    WriteAll(own + "/Pitchwell.ini", "kept\r\n");
    std::filesystem::current_path(desk.Root);
    std::filesystem::remove(own + "/User");
    SetupReport second;
    ASSERT_TRUE(Start_INI(paths, dialogs, "1/1/2030", &second));
    EXPECT_FALSE(second.FirstRun);
    EXPECT_FALSE(second.RegisteredSource);
    EXPECT_TRUE(second.CreatedUserDir);
    EXPECT_EQ(ReadAll(own + "/Pitchwell.ini"), "kept\r\n");
    EXPECT_EQ(std::filesystem::current_path(), std::filesystem::path(own + "/User"));
    EXPECT_TRUE(dialogs.Boxes.empty());
}

// Both types are kinds of plain text, so the desktop opens them with whatever editor the user
// chooses for plain text, now or later; the first run pins no editor of its own.
TEST(LauncherStartup, FirstRunLeavesTheEditorChoiceToTheDesktop)
{
    for (const bool hadList : {true, false}) {
        SCOPED_TRACE(hadList ? "with a mimeapps.list" : "without a mimeapps.list");
        FreshDesktop desk;
        const std::string list = desk.MakeDir("config") + "/mimeapps.list";
        const std::string choice = "[Default Applications]\ntext/plain=vim.desktop;\n";
        if (hadList)
            WriteAll(list, choice);
        const SetupReport report = SetUpInstalledLauncher(desk);
        ASSERT_TRUE(report.RegisteredSource && report.RegisteredOutput);
        if (hadList) {
            EXPECT_EQ(ReadAll(list), choice);
        } else {
            EXPECT_FALSE(std::filesystem::exists(list));
        }
        for (const char* extension : {"qz", "out"}) {
            const std::string package = ReadAll(desk.Root + "/data/mime/packages/pitchwell-" + extension + ".xml");
            EXPECT_NE(package.find("<sub-class-of type=\"text/plain\"/>"), std::string::npos) << package;
        }
    }
}

TEST(LauncherStartup, AnExtensionWithATypeKeepsIt)
{
    FreshDesktop desk;
    const std::string packages = desk.MakeDir("data/mime/packages");
    WriteAll(packages + "/other.xml",
             "<?xml version=\"1.0\"?>\n<mime-info><mime-type type=\"text/x-other-listing\">"
             "<glob pattern=\"*.OUT\"/></mime-type></mime-info>\n");
    const SetupReport report = SetUpInstalledLauncher(desk);
    EXPECT_TRUE(report.RegisteredSource);
    EXPECT_FALSE(report.RegisteredOutput);
    EXPECT_EQ(GetAssociation("out"), "text/x-other-listing");
    EXPECT_EQ(GetAssociation("qz"), SourceMimeType);
    EXPECT_FALSE(std::filesystem::exists(packages + "/pitchwell-out.xml"));
}

TEST(LauncherStartup, AMissingProgramDirectoryFailsWithTheSetupMessage)
{
    FreshDesktop desk;
    // Installed as .../Program Files/TK-Tools/bin: the program directory would be
    // .../Program Files/TK-Tools/Pitchwell, which does not exist.
    const std::string own = desk.MakeDir("Program Files/TK-Tools/bin");
    LauncherPaths paths = PathsFor(own);
    tk::ScriptedDialogs dialogs;
    ASSERT_TRUE(Start_Path(paths, dialogs));
    EXPECT_FALSE(Start_INI(paths, dialogs, "12/7/2026"));
    ASSERT_EQ(dialogs.Boxes.size(), 1u);
    EXPECT_EQ(dialogs.Boxes[0].Text, "Unexpected error #76 occured: \r\nPath =" + desk.Root +
                                         "/Program Files/TK-Tools/Pitchwell\r\nPath not found.  Suggest re-installing "
                                         "Pitchwell.");
    EXPECT_EQ(dialogs.Boxes[0].Title, "In 'Start_INI' routine ...");
    EXPECT_EQ(dialogs.Boxes[0].Icon, tk::MsgIcon::Critical);
    EXPECT_EQ(GetAssociation("qz"), "");  // nothing registered after the failure
}

TEST(LauncherExistence, ErrorsGiveTheirMessagesAndEnd)
{
    struct Case {
        std::string name;
        std::vector<PathProbe> probes;     // answered in turn
        std::vector<tk::MsgResult> answers;
        bool wantDirectory;
        bool result;
        std::vector<std::string> texts;
        bool unloaded;
    };
    const PathProbe file{0, true, false, false};
    const PathProbe dir{0, true, true, false};
    const std::string floppy = "Put a floppy disk in the drive and cloce the drive door.";
    const std::string device = "This drive or path does not exist: /mnt/x";
    const std::vector<Case> cases = {
        {"file", {file}, {}, false, true, {}, false},
        {"directory asked as file", {dir}, {}, false, false, {}, false},
        {"hidden file", {{0, true, false, true}}, {}, false, false, {}, false},
        {"directory", {dir}, {}, true, true, {}, false},
        {"missing", {{}}, {}, true, false, {}, false},
        {"not ready, retried", {{ENOMEDIUM}, file}, {tk::MsgResult::Ok}, false, true, {floppy}, false},
        {"not ready, cancelled", {{ENOMEDIUM}, file}, {tk::MsgResult::Cancel}, false, false, {floppy}, false},
        {"device back on retry", {{ENODEV}, dir}, {}, true, true, {device}, false},
        {"device stays away", {{ENODEV}, {ENODEV}, dir}, {}, true, false, {device}, false},
        {"permission, file", {{EACCES}}, {}, false, false, {"Unexpected error #70 occured: Permission denied"}, false},
        {"permission, directory", {{EACCES}}, {}, true, false, {"Unexpected error #70 occured: Permission denied"}, true},
    };
    for (const auto& c : cases) {
        tk::ScriptedDialogs dialogs;
        dialogs.Answers = c.answers;
        std::size_t next = 0;
        const auto probe = [&](const std::string&) { return c.probes.at(std::min(next++, c.probes.size() - 1)); };
        bool unloaded = false;
        EXPECT_EQ(ExistsWithMessages(dialogs, "/mnt/x", c.wantDirectory, probe, [&] { unloaded = true; }), c.result)
            << c.name;
        EXPECT_EQ(unloaded, c.unloaded) << c.name;
        ASSERT_EQ(dialogs.Boxes.size(), c.texts.size()) << c.name;
        for (std::size_t i = 0; i < c.texts.size(); ++i) {
            EXPECT_EQ(dialogs.Boxes[i].Text, c.texts[i]) << c.name;
            EXPECT_EQ(dialogs.Boxes[i].Title, c.wantDirectory ? "In 'dirExists' routine ..." : "In 'FileExists' routine ...");
        }
    }
}

TEST(LauncherExistence, RealFilesAreFoundWithoutRegardToCase)
{
    FreshDesktop desk;
    const std::string answers = desk.MakeDir("demos/all/Answers");
    WriteAll(answers + "/Lorentz2.PLT", "x");
    WriteAll(answers + "/.hidden", "x");
    tk::ScriptedDialogs dialogs;
    EXPECT_TRUE(FileExists(dialogs, desk.Root + "/demos/all/answers/lorentz2.plt"));
    EXPECT_FALSE(FileExists(dialogs, answers));
    EXPECT_FALSE(FileExists(dialogs, answers + "/.hidden"));
    EXPECT_FALSE(FileExists(dialogs, answers + "/missing.plt"));
    EXPECT_TRUE(dirExists(dialogs, desk.Root + "/DEMOS/all/answers"));
    EXPECT_FALSE(dirExists(dialogs, answers + "/Lorentz2.PLT"));
    EXPECT_TRUE(dialogs.Boxes.empty());
}

TEST(LauncherHandOver, SavePlotRequestWritesTheThreeValues)
{
    FreshDesktop desk;
    const std::vector<std::pair<std::string, std::string>> directories = {
        {"/inst/Pitchwell/demos/all/answers", "/inst/Pitchwell/demos/all/answers/"},
        {"/inst/Pitchwell/demos/all/answers/", "/inst/Pitchwell/demos/all/answers/"},
    };
    for (const auto& [given, stored] : directories) {
        tk::Registry store(desk.Root + "/store-" + std::to_string(stored.size() + given.size()));
        SavePlotRequest(store, "lorentz2.plt", given, "/Pitchwell");
        EXPECT_TRUE(store.KeyExists(tk::HKEY_CURRENT_USER, tk::CompanyKey));
        EXPECT_EQ(store.GetText(tk::CompanyKey, "ActivePath"), stored);
        EXPECT_EQ(store.GetText(tk::CompanyKey, "ProgramPath"), "/Pitchwell");
        EXPECT_EQ(store.GetText(tk::CompanyKey, "fileIn"), "lorentz2.plt");
    }
}
