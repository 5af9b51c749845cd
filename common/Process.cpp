#include "common/Process.h"
#include "common/TextFile.h"

#include <QDesktopServices>
#include <QDir>
#include <QDirIterator>
#include <QBuffer>
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

// A freedesktop base directory list, most important first: the user's own directory
// ($homeVariable, else the home default), then the system's ($dirsVariable, else the default).
QStringList BaseDirectories(const char* homeVariable, const QString& homeDefault, const char* dirsVariable,
                            const QString& dirsDefault)
{
    QString home = qEnvironmentVariable(homeVariable);
    if (!home.startsWith('/'))
        home = QDir::homePath() + "/" + homeDefault;
    QString dirs = qEnvironmentVariable(dirsVariable);
    if (dirs.isEmpty())
        dirs = dirsDefault;
    QStringList result {home};
    for (const QString& dir : dirs.split(':', Qt::SkipEmptyParts))
        if (dir.startsWith('/'))
            result << dir;
    return result;
}

// The directories that hold desktop entries, most important first.
QStringList ApplicationDirectories()
{
    QStringList result;
    for (const QString& dir : BaseDirectories("XDG_DATA_HOME", ".local/share", "XDG_DATA_DIRS", "/usr/local/share:/usr/share"))
        result << dir + "/applications";
    return result;
}

// Runs xdg-mime with the arguments and takes what it printed; false when it could not be
// run, did not finish in time or failed. `started` tells whether it could be run at all.
bool AskXdgMime(const QStringList& arguments, QString& output, bool* started = nullptr)
{
    QProcess query;
    query.start("xdg-mime", arguments, QIODevice::ReadOnly);
    const bool running = query.waitForStarted(2000);
    if (started)
        *started = running;
    if (!running)
        return false;
    if (!query.waitForFinished(5000)) {
        query.kill();
        query.waitForFinished(1000);
        return false;
    }
    if (query.exitStatus() != QProcess::NormalExit || query.exitCode() != 0)
        return false;
    output = QString::fromUtf8(query.readAllStandardOutput()).trimmed();
    return true;
}

// The desktop entries registered for a MIME type, as xdg-mime reports them. `asked` tells
// whether xdg-mime could be asked at all.
QStringList DefaultEntries(const QString& mimeType, bool* asked = nullptr)
{
    QString output;
    if (!AskXdgMime({"query", "default", mimeType}, output, asked))
        return {};
    return output.split(QRegularExpression("[;\\s]+"), Qt::SkipEmptyParts);
}

// The type the desktop's opener finds for a file, by xdg-mime: the opener's own look at the
// name and, where it goes by content, the content. Empty when xdg-mime cannot tell.
QString OpenerFileType(const QString& path)
{
    QString output;
    if (!AskXdgMime({"query", "filetype", path}, output))
        return {};
    // "video/x-ms-wmv; charset=binary": the type without its parameters.
    return output.section(';', 0, 0).trimmed();
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

// A desktop entry's string value with the general escapes undone.
QString Unescape(const QString& raw)
{
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

// What the editor search needs of a desktop entry's main group.
struct DesktopEntry {
    QString Exec;
    QString Name;
    bool Terminal = false;  // the program runs in a terminal
    bool Hidden = false;    // the entry is deleted for this user
};

// A small file of the desktop's, read whole into memory: nothing at all when it is larger than
// the limit or no regular file (a FIFO there must not hang the program).
bool OpenSmallFile(const QString& path, std::size_t limit, QBuffer& buffer)
{
    std::string bytes;
    if (tk::ReadRegularFile(QFile::encodeName(path).toStdString(), bytes, limit) != 0)
        return false;
    buffer.setData(QByteArray::fromStdString(bytes));
    return buffer.open(QIODevice::ReadOnly);
}

DesktopEntry ReadDesktopEntry(const QString& desktopFile)
{
    DesktopEntry entry;
    QBuffer file;
    if (!OpenSmallFile(desktopFile, 1 << 20, file))
        return entry;
    bool inMainGroup = false;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.startsWith('[')) {
            inMainGroup = line == "[Desktop Entry]";
            continue;
        }
        const qsizetype equals = line.indexOf('=');
        if (!inMainGroup || equals < 0)
            continue;
        const QString key = line.left(equals).trimmed();
        const QString value = line.mid(equals + 1).trimmed();
        if (key == "Exec")
            entry.Exec = Unescape(value);
        else if (key == "Name")
            entry.Name = Unescape(value);
        else if (key == "Terminal")
            entry.Terminal = value == "true" || value == "1";
        else if (key == "Hidden")
            entry.Hidden = value == "true" || value == "1";
    }
    return entry;
}

// The mimeapps.list files, most important first.
QStringList MimeAppsLists()
{
    QStringList lists;
    for (const QString& dir : BaseDirectories("XDG_CONFIG_HOME", ".config", "XDG_CONFIG_DIRS", "/etc/xdg"))
        lists << dir + "/mimeapps.list";
    for (const QString& dir : ApplicationDirectories())
        lists << dir + "/mimeapps.list";
    return lists;
}

// The desktop entry ids a group of an association file lists for a type.
QStringList IdsInGroup(const QString& listFile, const QString& group, const QString& mimeType)
{
    QBuffer file;
    if (!OpenSmallFile(listFile, 4 << 20, file))
        return {};
    QStringList ids;
    bool inGroup = false;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.startsWith('[')) {
            inGroup = line == group;
            continue;
        }
        const qsizetype equals = line.indexOf('=');
        if (inGroup && equals > 0 && line.left(equals).trimmed() == mimeType)
            ids << line.mid(equals + 1).split(';', Qt::SkipEmptyParts);
    }
    return ids;
}

// The desktop entries that open a type, most preferred first: the desktop's default as
// xdg-mime reports it, then the defaults and the added associations of the mimeapps.list
// files, then the desktop database's cache. An entry that a list removes from the type is
// only taken as somebody's explicit default.
QStringList Handlers(const QString& mimeType)
{
    const QStringList lists = MimeAppsLists();
    QStringList removed;
    for (const QString& list : lists)
        removed << IdsInGroup(list, "[Removed Associations]", mimeType);
    QStringList ids = DefaultEntries(mimeType);
    for (const QString& list : lists)
        ids << IdsInGroup(list, "[Default Applications]", mimeType);
    QStringList others;
    for (const QString& list : lists)
        others << IdsInGroup(list, "[Added Associations]", mimeType);
    for (const QString& dir : ApplicationDirectories())
        others << IdsInGroup(dir + "/mimeinfo.cache", "[MIME Cache]", mimeType);
    for (const QString& id : others)
        if (!removed.contains(id))
            ids << id;
    ids.removeDuplicates();
    return ids;
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

// The user's terminal emulator, as the desktop's opener runs a terminal program: $TERMINAL
// (a single word gets "-e" added, a longer command is taken as it is), otherwise
// x-terminal-emulator -e. Empty when neither is installed.
QStringList TerminalCommand()
{
    std::string unused;
    QStringList chosen = QProcess::splitCommand(qEnvironmentVariable("TERMINAL"));
    if (!chosen.isEmpty() && !FindProgram(chosen.front().toStdString(), unused).isEmpty()) {
        if (chosen.size() == 1)
            chosen << "-e";
        return chosen;
    }
    if (!FindProgram("x-terminal-emulator", unused).isEmpty())
        return {"x-terminal-emulator", "-e"};
    return {};
}

// The first handler of plain text that can run: a graphical editor as it is, a terminal
// editor inside the user's terminal emulator, or, without one, the next handler. `skipped`
// says why a terminal editor was passed over.
bool DesktopEditor(const std::string& file, std::string& program, std::vector<std::string>& args,
                   std::string& skipped)
{
    for (const QString& id : Handlers("text/plain")) {
        const QString entryFile = FindDesktopFile(id);
        if (entryFile.isEmpty())
            continue;
        const DesktopEntry entry = ReadDesktopEntry(entryFile);
        std::vector<std::string> argv;
        if (entry.Hidden || !ExpandExec(entry.Exec, Q(file), argv))
            continue;
        std::string unused;
        if (FindProgram(argv.front(), unused).isEmpty())
            continue;
        if (entry.Terminal) {
            const QStringList terminal = TerminalCommand();
            if (terminal.isEmpty()) {
                if (skipped.empty())
                    skipped = "The text editor " + (entry.Name.isEmpty() ? id : entry.Name).toStdString() +
                              " runs in a terminal, and no terminal emulator was found (x-terminal-emulator, "
                              "or the program named by TERMINAL).";
                continue;
            }
            std::vector<std::string> inTerminal;
            for (const QString& word : terminal)
                inTerminal.push_back(word.toStdString());
            argv.insert(argv.begin(), inTerminal.begin(), inTerminal.end());
        }
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
    // The type the opener itself will find: it may go by content, and a partly downloaded file
    // is then no video at all, whatever its name says.
    const QMimeDatabase database;
    QString found = OpenerFileType(Q(path));
    if (found.isEmpty())
        found = database.mimeTypeForFile(Q(path)).name();
    const QMimeType type = database.mimeTypeForName(found);
    QStringList types {found};
    if (type.isValid())
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

bool EditorCommand(const std::string& file, std::string& program, std::vector<std::string>& args,
                   std::string& reason)
{
    program.clear();
    args.clear();
    reason.clear();
    const QStringList chosen = QProcess::splitCommand(qEnvironmentVariable("QZ_EDITOR"));
    if (!chosen.isEmpty() && !chosen.front().isEmpty()) {
        program = chosen.front().toStdString();
        for (qsizetype i = 1; i < chosen.size(); ++i)
            args.push_back(chosen[i].toStdString());
        args.push_back(file);
        return true;
    }
    std::string skipped;
    if (DesktopEditor(file, program, args, skipped))
        return true;
    // The opener would try the same terminal editor and find no terminal either.
    if (!skipped.empty()) {
        reason = skipped;
        return false;
    }
    std::string unused;
    const QString opener = FindProgram("xdg-open", unused);
    if (opener.isEmpty()) {
        reason = "No text editor was found. Set QZ_EDITOR to the command of your text editor.";
        return false;
    }
    program = opener.toStdString();
    args = {file};
    return true;
}

}  // namespace tk
