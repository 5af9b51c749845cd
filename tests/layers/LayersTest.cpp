// The viewer's folders include each other one way only: data, then report, then render, then
// run, then the window and the command line. The core (data, report, render) draws and reports
// without widgets. Every include of the tree is checked, and a planted wrong include must be
// caught.
#include <QDir>
#include <QDirIterator>
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

TEST(Layers, NoFolderOfTheViewerIncludesAHigherOneAndTheCoreNoWidgets)
{
    const std::vector<std::string> violations = LayerViolations(TK_SOURCE_DIR "/plots");
    EXPECT_TRUE(violations.empty()) << [&] {
        std::string all;
        for (const std::string& v : violations) all += "\n  " + v;
        return all;
    }();
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
    };
    for (const Case& c : cases) {
        QTemporaryDir tree;
        const QString path = tree.filePath(c.File);
        ASSERT_TRUE(QDir().mkpath(QFileInfo(path).path()));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray("// planted\n") + c.Include + "\n");
        file.close();
        EXPECT_EQ(LayerViolations(tree.path()).size(), c.Wrong ? 1u : 0u) << c.File << " " << c.Include;
    }
}

}  // namespace
