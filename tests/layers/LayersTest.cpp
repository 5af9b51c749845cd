// The viewer's folders include each other one way only: data, then report, then render, then
// run, then the window and the command line. The core (data, report, render) draws and reports
// without widgets. The launcher's decisions (catalogue, start-up, hand-over, file types) are
// values its windows apply: they include no widget header and show no box. Every include of
// both trees is checked, and a planted wrong include must be caught.
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

// The rank of each folder of plots/; a folder includes its own files and lower ranks only.
const std::map<QString, int> Rank{{"data", 0}, {"report", 1}, {"render", 2}, {"run", 3}, {"ui", 4}, {"cli", 4}};
const int CoreTop = 2;  // data, report and render link no widgets

// What the core may not include: the widget and printing modules, and the shared code that
// shows dialogs and resizes windows.
bool IsWidgetInclude(const QString& header)
{
    static const QRegularExpression widget(
        R"(^(QtWidgets/|QtPrintSupport/|Q(Widget|Application|Dialog|MessageBox|FileDialog|Printer|PrintDialog|PushButton|Label|LineEdit|TextEdit|TabWidget|CheckBox|RadioButton|GroupBox)$)|^common/(Dialogs|FormResizer)\.h$)");
    return widget.match(header).hasMatch();
}

// Every include that breaks the rules, as "file: include".
std::vector<std::string> LayerViolations(const QString& plotsDir)
{
    std::vector<std::string> found;
    static const QRegularExpression include(R"(^\s*#\s*include\s*[<"]([^>"]+)[>"])");
    QDirIterator it(plotsDir, {"*.h", "*.cpp"}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString relative = QDir(plotsDir).relativeFilePath(path);
        const QString folder = relative.section('/', 0, 0);
        if (!Rank.count(folder)) continue;  // the program's entry
        const int rank = Rank.at(folder);
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            found.push_back(relative.toStdString() + ": cannot be read");
            continue;
        }
        for (const QByteArray& line : file.readAll().split('\n')) {
            const auto m = include.match(QString::fromUtf8(line));
            if (!m.hasMatch()) continue;
            const QString header = m.captured(1);
            bool wrong = false;
            if (header.startsWith("plots/")) {
                const QString target = header.section('/', 1, 1);
                wrong = !Rank.count(target) || (target != folder && Rank.at(target) >= rank);
            } else if (rank <= CoreTop) {
                wrong = IsWidgetInclude(header);
            }
            if (wrong) found.push_back(relative.toStdString() + ": " + header.toStdString());
        }
    }
    return found;
}

// The launcher's decision units, by file name without extension.
const QStringList LauncherDecisions{"Catalogue", "CatalogueData", "Startup", "mdlQZ", "FileAssoc", "LauncherPaths"};

// Every line of the launcher's decision code that includes a widget header, a launcher header
// that is not a decision, or shows a box, as "file: line".
std::vector<std::string> LauncherViolations(const QString& launcherDir)
{
    std::vector<std::string> found;
    static const QRegularExpression include(R"(^\s*#\s*include\s*[<"]([^>"]+)[>"])");
    static const QRegularExpression box(R"(\b(MsgBox|QMessageBox|Dialogs)\b|\.Show\s*\()");
    QDirIterator it(launcherDir, {"*.h", "*.cpp"}, QDir::Files);
    while (it.hasNext()) {
        const QString path = it.next();
        if (!LauncherDecisions.contains(QFileInfo(path).completeBaseName())) continue;
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            found.push_back(path.toStdString() + ": cannot be read");
            continue;
        }
        for (const QByteArray& bytes : file.readAll().split('\n')) {
            const QString line = QString::fromUtf8(bytes);
            const auto m = include.match(line);
            bool wrong = false;
            if (m.hasMatch()) {
                const QString header = m.captured(1);
                wrong = IsWidgetInclude(header) ||
                        (header.startsWith("Pitchwell/") && !LauncherDecisions.contains(QFileInfo(header).completeBaseName()));
            } else {
                wrong = !line.trimmed().startsWith("//") && box.match(line).hasMatch();
            }
            if (wrong) found.push_back(QFileInfo(path).fileName().toStdString() + ": " + line.toStdString());
        }
    }
    return found;
}

std::string Listed(const std::vector<std::string>& violations)
{
    std::string all;
    for (const std::string& v : violations) all += "\n  " + v;
    return all;
}

TEST(Layers, TheLauncherDecidesWithoutWidgetsOrBoxes)
{
    const std::vector<std::string> violations = LauncherViolations(TK_SOURCE_DIR "/Pitchwell");
    EXPECT_TRUE(violations.empty()) << Listed(violations);
}

TEST(Layers, NoFolderOfTheViewerIncludesAHigherOneAndTheCoreNoWidgets)
{
    const std::vector<std::string> violations = LayerViolations(TK_SOURCE_DIR "/plots");
    EXPECT_TRUE(violations.empty()) << Listed(violations);
}

TEST(Layers, APlantedWrongIncludeIsCaught)
{
    struct Case {
        const char* File;
        const char* Include;
        bool Wrong;
    } cases[] = {
        {"data/Reader.cpp", "#include \"plots/run/Viewer.h\"", true},
        {"report/Summary.h", "#include \"plots/render/Surface.h\"", true},
        {"render/Frame.cpp", "#  include \"plots/report/Format.h\"", false},
        {"render/Frame.cpp", "#include <QMessageBox>", true},
        {"render/Frame.cpp", "#include \"common/Dialogs.h\"", true},
        {"run/Viewer.cpp", "#include <QPrinter>", false},
        {"ui/Window.cpp", "#include \"plots/cli/Commands.h\"", true},
        {"cli/Check.cpp", "#include \"plots/run/PlotSequence.h\"", false},
        {"data/Kind.h", "#include \"plots/data/PlotData.h\"", false},
        {"../Pitchwell/Catalogue.cpp", "#include <QMessageBox>", true},
        {"../Pitchwell/mdlQZ.h", "#include \"common/Dialogs.h\"", true},
        {"../Pitchwell/Startup.cpp", "#include \"Pitchwell/LauncherContext.h\"", true},
        {"../Pitchwell/FileAssoc.cpp", "    ctx.Messages.Show(text, title);", true},
        {"../Pitchwell/Catalogue.cpp", "#include \"Pitchwell/mdlQZ.h\"", false},
        {"../Pitchwell/Startup.h", "#include \"common/Message.h\"", false},
        {"../Pitchwell/CataloguePage.cpp", "#include <QMessageBox>", false},
    };
    for (const Case& c : cases) {
        QTemporaryDir tree;
        const QString path = QDir::cleanPath(tree.filePath(QString("plots/") + c.File));
        ASSERT_TRUE(QDir().mkpath(QFileInfo(path).path()));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray("// planted\n") + c.Include + "\n");
        file.close();
        const std::size_t found =
            LayerViolations(tree.path() + "/plots").size() + LauncherViolations(tree.path() + "/Pitchwell").size();
        EXPECT_EQ(found, c.Wrong ? 1u : 0u) << c.File << " " << c.Include;
    }
}

}  // namespace
