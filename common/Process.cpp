// GIO first: Qt's keywords (signals, slots) are macros that its headers would trip over.
#include <gio/gdesktopappinfo.h>
#include <gio/gio.h>

#include "common/Process.h"

#include "common/Text.h"

#include <QFileInfo>
#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <QUrl>

#include <cstdlib>
#include <memory>

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

// ---- GIO ----------------------------------------------------------------------------------

struct ObjectUnref {
    void operator()(gpointer object) const { g_object_unref(object); }
};
using AppInfo = std::unique_ptr<GAppInfo, ObjectUnref>;

// A GIO error's text, the error freed.
std::string TakeMessage(GError* error)
{
    const std::string text = error ? error->message : "unknown error";
    if (error) g_error_free(error);
    return text;
}

// A command for an Exec line: each word quoted, percent signs kept from being field codes.
std::string ExecWords(const QStringList& words)
{
    std::string line;
    for (const QString& word : words) {
        char* quoted = g_shell_quote(word.toStdString().c_str());
        std::string text = quoted;
        g_free(quoted);
        std::string escaped;
        for (const char c : text) escaped += c == '%' ? std::string("%%") : std::string(1, c);
        line += (line.empty() ? "" : " ") + escaped;
    }
    return line;
}

std::string NameOf(GAppInfo* app)
{
    const char* name = g_app_info_get_name(app);
    return name && *name ? name : g_app_info_get_id(app) ? g_app_info_get_id(app) : "";
}

// Starts the program on an address, detached, as the desktop would (its Exec line expanded by
// GIO: a local file as one argument, its path or its address as the line asks).
bool LaunchUri(GAppInfo* app, const std::string& uri, std::string& error)
{
    GList uris {const_cast<char*>(uri.c_str()), nullptr, nullptr};
    GError* failure = nullptr;
    const bool started = g_app_info_launch_uris(app, &uris, nullptr, &failure);
    if (!started) error = "The program " + NameOf(app) + " could not be started: " + TakeMessage(failure) + ".";
    return started;
}

// The address of a local file.
std::string FileUri(const std::string& file)
{
    GFile* const location = g_file_new_for_path(file.c_str());
    char* const uri = g_file_get_uri(location);
    g_object_unref(location);
    const std::string text = uri;
    g_free(uri);
    return text;
}

bool Launch(GAppInfo* app, const std::string& file, std::string& error)
{
    return LaunchUri(app, FileUri(file), error);
}

// The program an entry's Exec line starts. GIO's own answer stops at the first blank, even
// inside a quoted path.
std::string ProgramOf(GAppInfo* app)
{
    const char* const exec = g_app_info_get_commandline(app);
    int argc = 0;
    char** argv = nullptr;
    if (!exec || !g_shell_parse_argv(exec, &argc, &argv, nullptr)) return {};
    const std::string program = argv[0];
    g_strfreev(argv);
    return program;
}

bool RunsInATerminal(GAppInfo* app)
{
    return G_IS_DESKTOP_APP_INFO(app) && g_desktop_app_info_get_boolean(G_DESKTOP_APP_INFO(app), "Terminal");
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

// The terminal program run inside the terminal emulator: an entry of its own whose Exec line
// is the terminal's command followed by the program's Exec line, so GIO still expands the
// program's field codes.
AppInfo InTerminal(GAppInfo* app, const QStringList& terminal)
{
    GKeyFile* const entry = g_key_file_new();
    const std::string exec = ExecWords(terminal) + " " + g_app_info_get_commandline(app);
    g_key_file_set_string(entry, G_KEY_FILE_DESKTOP_GROUP, G_KEY_FILE_DESKTOP_KEY_TYPE, G_KEY_FILE_DESKTOP_TYPE_APPLICATION);
    g_key_file_set_string(entry, G_KEY_FILE_DESKTOP_GROUP, G_KEY_FILE_DESKTOP_KEY_NAME, NameOf(app).c_str());
    g_key_file_set_string(entry, G_KEY_FILE_DESKTOP_GROUP, G_KEY_FILE_DESKTOP_KEY_EXEC, exec.c_str());
    AppInfo wrapped(G_APP_INFO(g_desktop_app_info_new_from_keyfile(entry)));
    g_key_file_unref(entry);
    return wrapped;
}

// The programs the desktop knows for plain text, its default first.
std::vector<AppInfo> PlainTextEditors()
{
    std::vector<AppInfo> editors;
    if (GAppInfo* const preferred = g_app_info_get_default_for_type("text/plain", FALSE))
        editors.emplace_back(preferred);
    GList* const all = g_app_info_get_all_for_type("text/plain");
    for (GList* item = all; item; item = item->next) {
        AppInfo app(G_APP_INFO(item->data));
        if (!editors.empty() && g_app_info_equal(editors.front().get(), app.get())) continue;
        editors.push_back(std::move(app));
    }
    g_list_free(all);
    return editors;
}

// $QZ_EDITOR as a program that takes the file as its last argument.
bool LaunchChosenEditor(const std::string& command, const std::string& file, std::string& error)
{
    int argc = 0;
    char** argv = nullptr;
    GError* failure = nullptr;
    if (!g_shell_parse_argv(command.c_str(), &argc, &argv, &failure)) {
        error = "QZ_EDITOR is not a command: " + TakeMessage(failure) + ".";
        return false;
    }
    const std::string program = argv[0];
    QStringList words;
    for (int i = 0; i < argc; ++i) words << QString::fromStdString(argv[i]);
    g_strfreev(argv);
    if (FindProgram(program, error).isEmpty()) return false;
    const AppInfo app(g_app_info_create_from_commandline(ExecWords(words).c_str(), program.c_str(),
                                                         G_APP_INFO_CREATE_NONE, &failure));
    if (!app) {
        error = "QZ_EDITOR is not a command: " + TakeMessage(failure) + ".";
        return false;
    }
    return Launch(app.get(), file, error);
}

// The desktop's default program for a local file's type, the type being the one the desktop's
// opener finds (xdg-mime, which may go by content): a partly downloaded video is no video.
// GIO looks at the type's parents and aliases too.
AppInfo DefaultProgramForFile(const std::string& path);

// Starts a desktop program on an address as the desktop does: one that runs in a terminal
// inside the user's terminal emulator.
bool LaunchDesktopProgram(GAppInfo* app, const std::string& uri, std::string& error);

// Runs xdg-mime with the arguments and takes what it printed; false when it could not be
// run, did not finish in time or failed.
bool AskXdgMime(const QStringList& arguments, QString& output)
{
    QProcess query;
    query.start("xdg-mime", arguments, QIODevice::ReadOnly);
    if (!query.waitForStarted(2000))
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

AppInfo DefaultProgramForFile(const std::string& path)
{
    QString found = OpenerFileType(Q(path));
    if (found.isEmpty()) found = QMimeDatabase().mimeTypeForFile(Q(path)).name();
    return AppInfo(g_app_info_get_default_for_type(found.toStdString().c_str(), FALSE));
}

bool LaunchDesktopProgram(GAppInfo* app, const std::string& uri, std::string& error)
{
    if (!RunsInATerminal(app)) return LaunchUri(app, uri, error);
    const QStringList terminal = TerminalCommand();
    if (terminal.isEmpty()) {
        error = "The program " + NameOf(app) +
                " runs in a terminal, and no terminal emulator was found (x-terminal-emulator, or the program "
                "named by TERMINAL).";
        return false;
    }
    const AppInfo wrapped = InTerminal(app, terminal);
    return wrapped && LaunchUri(wrapped.get(), uri, error);
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
    AppInfo app;
    std::string uri;
    if (StartsWithScheme(text, "http://") || StartsWithScheme(text, "https://")) {
        const QUrl url(text, QUrl::StrictMode);
        if (!url.isValid() || url.host().isEmpty()) {
            error = "\"" + documentOrUrl + "\" is not a valid address.";
            return false;
        }
        // The browser: the desktop's program for the address's scheme.
        app.reset(g_app_info_get_default_for_uri_scheme(url.scheme().toLower().toStdString().c_str()));
        uri = url.toString(QUrl::FullyEncoded).toStdString();
    } else {
        // A local document, also when given as a file: address.
        const QString local = StartsWithScheme(text, "file:") ? QUrl(text).toLocalFile() : text;
        const QFileInfo info(local);
        if (local.isEmpty() || !info.exists()) {
            error = "The file \"" + documentOrUrl + "\" does not exist.";
            return false;
        }
        const std::string path = info.absoluteFilePath().toStdString();
        app = DefaultProgramForFile(path);
        uri = FileUri(path);
    }
    if (!app) {
        error = "No program is associated with \"" + documentOrUrl + "\".";
        return false;
    }
    return LaunchDesktopProgram(app.get(), uri, error);
}

bool SystemStarter::Edit(const std::string& file, std::string& error)
{
    error.clear();
    const char* const chosen = std::getenv("QZ_EDITOR");
    if (chosen && !TrimWhite(chosen).empty()) return LaunchChosenEditor(chosen, file, error);
    std::string skipped;
    for (const AppInfo& editor : PlainTextEditors()) {
        std::string unused;
        if (FindProgram(ProgramOf(editor.get()), unused).isEmpty()) continue;
        if (!RunsInATerminal(editor.get())) return Launch(editor.get(), file, error);
        const QStringList terminal = TerminalCommand();
        if (terminal.isEmpty()) {
            if (skipped.empty())
                skipped = "The text editor " + NameOf(editor.get()) +
                          " runs in a terminal, and no terminal emulator was found (x-terminal-emulator, "
                          "or the program named by TERMINAL).";
            continue;
        }
        const AppInfo wrapped = InTerminal(editor.get(), terminal);
        if (wrapped) return Launch(wrapped.get(), file, error);
    }
    error = !skipped.empty() ? skipped : "No text editor was found. Set QZ_EDITOR to the command of your text editor.";
    return false;
}

}  // namespace tk
