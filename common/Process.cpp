#include "common/Process.h"

#include <QDesktopServices>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStringList>
#include <QUrl>

namespace tk {
namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

// The executable a program name stands for: a path as given, a bare name through PATH.
// Empty with a reason when there is none that can run.
QString FindProgram(const std::string& program, std::string& error)
{
    if (program.empty()) {
        error = "No program was named.";
        return {};
    }
    if (program.find('/') == std::string::npos) {
        const QString found = QStandardPaths::findExecutable(Q(program));
        if (found.isEmpty())
            error = "The program \"" + program + "\" was not found.";
        return found;
    }
    const QFileInfo info(Q(program));
    if (!info.exists()) {
        error = "The program \"" + program + "\" was not found.";
        return {};
    }
    if (!info.isFile() || !info.isExecutable()) {
        error = "The file \"" + program + "\" is not a program that can be run.";
        return {};
    }
    return info.absoluteFilePath();
}

bool StartsWithScheme(const QString& text, const char* scheme)
{
    return text.startsWith(QLatin1String(scheme), Qt::CaseInsensitive);
}

// ---- the desktop's default text editor --------------------------------------------------

// The directories that hold desktop entries, most important first.
QStringList ApplicationDirectories()
{
    QString dataHome = qEnvironmentVariable("XDG_DATA_HOME");
    if (!dataHome.startsWith('/'))
        dataHome = QDir::homePath() + "/.local/share";
    QString dataDirs = qEnvironmentVariable("XDG_DATA_DIRS");
    if (dataDirs.isEmpty())
        dataDirs = "/usr/local/share:/usr/share";
    QStringList result {dataHome + "/applications"};
    for (const QString& dir : dataDirs.split(':', Qt::SkipEmptyParts))
        if (dir.startsWith('/'))
            result << dir + "/applications";
    return result;
}

// The desktop entries registered for a MIME type, as xdg-mime reports them. `asked` tells
// whether xdg-mime could be asked at all.
QStringList DefaultEntries(const QString& mimeType, bool* asked = nullptr)
{
    if (asked)
        *asked = false;
    QProcess query;
    query.start("xdg-mime", {"query", "default", mimeType}, QIODevice::ReadOnly);
    if (!query.waitForStarted(2000))
        return {};
    if (asked)
        *asked = true;
    if (!query.waitForFinished(3000)) {
        query.kill();
        query.waitForFinished(1000);
        return {};
    }
    if (query.exitStatus() != QProcess::NormalExit || query.exitCode() != 0)
        return {};
    const QString output = QString::fromUtf8(query.readAllStandardOutput()).trimmed();
    return output.split(QRegularExpression("[;\\s]+"), Qt::SkipEmptyParts);
}

// The file of a desktop entry id; an id "vendor-name.desktop" may also lie in a subdirectory
// as "vendor/name.desktop".
QString FindDesktopFile(const QString& id)
{
    if (id.contains('/') || !id.endsWith(".desktop"))
        return {};
    for (const QString& dir : ApplicationDirectories()) {
        const QString direct = dir + "/" + id;
        if (QFileInfo(direct).isFile())
            return direct;
        QDirIterator it(dir, {"*.desktop"}, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            if (QDir(dir).relativeFilePath(path).replace('/', '-') == id)
                return path;
        }
    }
    return {};
}

// The Exec line of the entry's main group, with the general string escapes undone.
QString ExecLine(const QString& desktopFile)
{
    QFile file(desktopFile);
    if (!file.open(QIODevice::ReadOnly) || file.size() > 1 << 20)
        return {};
    bool inMainGroup = false;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.startsWith('[')) {
            inMainGroup = line == "[Desktop Entry]";
            continue;
        }
        const qsizetype equals = line.indexOf('=');
        if (!inMainGroup || equals < 0 || line.left(equals).trimmed() != "Exec")
            continue;
        const QString raw = line.mid(equals + 1).trimmed();
        QString value;
        for (qsizetype i = 0; i < raw.size(); ++i) {
            if (raw[i] != '\\' || i + 1 == raw.size()) {
                value += raw[i];
                continue;
            }
            const QChar next = raw[++i];
            if (next == 's')
                value += ' ';
            else if (next == 'n')
                value += '\n';
            else if (next == 't')
                value += '\t';
            else if (next == 'r')
                value += '\r';
            else if (next == '\\')
                value += '\\';
            else
                value += QString('\\') + next;
        }
        return value;
    }
    return {};
}

// Splits an Exec value into arguments: blanks separate, double quotes group, and a backslash
// takes the next character as it is. A quoted word stays a word even when it ends up empty.
struct ExecWord {
    QString Text;
    bool Quoted = false;
};

std::vector<ExecWord> SplitExec(const QString& exec)
{
    std::vector<ExecWord> words;
    ExecWord word;
    bool inWord = false, inQuotes = false;
    for (qsizetype i = 0; i < exec.size(); ++i) {
        const QChar c = exec[i];
        if (c == '\\' && i + 1 < exec.size()) {
            word.Text += exec[++i];
            inWord = true;
        } else if (c == '"') {
            inQuotes = !inQuotes;
            word.Quoted = true;
            inWord = true;
        } else if (c.isSpace() && !inQuotes) {
            if (inWord)
                words.push_back(word);
            word = ExecWord();
            inWord = false;
        } else {
            word.Text += c;
            inWord = true;
        }
    }
    if (inWord)
        words.push_back(word);
    return words;
}

// The entry's command for one file: %f, %F, %u and %U become the file, %% a percent sign,
// other field codes are dropped; without a file code the file is added at the end.
bool ExpandExec(const QString& exec, const QString& file, std::vector<std::string>& argv)
{
    bool fileGiven = false;
    for (const ExecWord& word : SplitExec(exec)) {
        QString expanded;
        bool onlyCodes = !word.Text.isEmpty();
        for (qsizetype i = 0; i < word.Text.size(); ++i) {
            if (word.Text[i] != '%' || i + 1 == word.Text.size()) {
                expanded += word.Text[i];
                onlyCodes = false;
                continue;
            }
            const QChar code = word.Text[++i];
            if (QString("fFuU").contains(code)) {
                expanded += file;
                fileGiven = true;
                onlyCodes = false;
            } else if (code == '%') {
                expanded += '%';
                onlyCodes = false;
            }
        }
        if (!onlyCodes || word.Quoted)
            argv.push_back(expanded.toStdString());
    }
    if (argv.empty())
        return false;
    if (!fileGiven)
        argv.push_back(file.toStdString());
    return true;
}

bool DesktopEditor(const std::string& file, std::string& program, std::vector<std::string>& args)
{
    for (const QString& id : DefaultEntries("text/plain")) {
        const QString entry = FindDesktopFile(id);
        if (entry.isEmpty())
            continue;
        std::vector<std::string> argv;
        if (!ExpandExec(ExecLine(entry), Q(file), argv))
            continue;
        std::string unused;
        if (FindProgram(argv.front(), unused).isEmpty())
            continue;
        program = argv.front();
        args.assign(argv.begin() + 1, argv.end());
        return true;
    }
    return false;
}

}  // namespace

bool SystemStarter::Start(const std::string& program, const std::vector<std::string>& args, std::string& error)
{
    error.clear();
    const QString executable = FindProgram(program, error);
    if (executable.isEmpty())
        return false;
    QStringList arguments;
    for (const std::string& a : args)
        arguments << Q(a);
    if (!QProcess::startDetached(executable, arguments)) {
        error = "The program \"" + program + "\" could not be started.";
        return false;
    }
    return true;
}

bool SystemStarter::Open(const std::string& documentOrUrl, std::string& error)
{
    error.clear();
    const QString text = Q(documentOrUrl);
    QUrl url;
    if (StartsWithScheme(text, "http://") || StartsWithScheme(text, "https://")) {
        url = QUrl(text, QUrl::StrictMode);
        if (!url.isValid() || url.host().isEmpty()) {
            error = "\"" + documentOrUrl + "\" is not a valid address.";
            return false;
        }
    } else {
        // A local document, also when given as a file: address.
        const QString local = StartsWithScheme(text, "file:") ? QUrl(text).toLocalFile() : text;
        const QFileInfo info(local);
        if (local.isEmpty() || !info.exists()) {
            error = "The file \"" + documentOrUrl + "\" does not exist.";
            return false;
        }
        url = QUrl::fromLocalFile(info.absoluteFilePath());
        if (HasAssociatedProgram && !HasAssociatedProgram(url.toLocalFile().toStdString())) {
            error = "No program is associated with \"" + documentOrUrl + "\".";
            return false;
        }
    }
    if (!QDesktopServices::openUrl(url)) {
        error = "No associated program could open \"" + documentOrUrl + "\".";
        return false;
    }
    return true;
}

bool SystemStarter::DesktopHasAssociatedProgram(const std::string& path)
{
    const QMimeType type = QMimeDatabase().mimeTypeForFile(Q(path), QMimeDatabase::MatchExtension);
    QStringList types {type.name()};
    types << type.aliases() << type.allAncestors();
    for (const QString& t : types) {
        bool asked = false;
        const QStringList entries = DefaultEntries(t, &asked);
        // Without xdg-mime nothing can be known here; the opener itself then decides.
        if (!asked)
            return true;
        for (const QString& id : entries)
            if (!FindDesktopFile(id).isEmpty())
                return true;
    }
    return false;
}

bool EditorCommand(const std::string& file, std::string& program, std::vector<std::string>& args)
{
    program.clear();
    args.clear();
    const QStringList chosen = QProcess::splitCommand(qEnvironmentVariable("QZ_EDITOR"));
    if (!chosen.isEmpty() && !chosen.front().isEmpty()) {
        program = chosen.front().toStdString();
        for (qsizetype i = 1; i < chosen.size(); ++i)
            args.push_back(chosen[i].toStdString());
        args.push_back(file);
        return true;
    }
    if (DesktopEditor(file, program, args))
        return true;
    std::string unused;
    const QString opener = FindProgram("xdg-open", unused);
    if (opener.isEmpty())
        return false;
    program = opener.toStdString();
    args = {file};
    return true;
}

}  // namespace tk
