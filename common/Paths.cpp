#include "common/Paths.h"

#include "common/TextFile.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace tk {

namespace {

// The single entry of dir that equals name without regard to case, or "".
QString MatchInDir(const QString& dir, const QString& name)
{
    const QDir d(dir.isEmpty() ? QStringLiteral(".") : dir);
    const QStringList entries = d.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    QString found;
    for (const QString& e : entries) {
        if (e.compare(name, Qt::CaseInsensitive) != 0) continue;
        if (!found.isEmpty()) return {};  // ambiguous
        found = e;
    }
    return found;
}

}  // namespace

std::string ResolvePath(const std::string& path)
{
    const QString p = QString::fromStdString(path);
    if (p.isEmpty() || QFileInfo::exists(p)) return path;
    const bool absolute = p.startsWith('/');
    const QStringList parts = p.split('/', Qt::KeepEmptyParts);
    QString built = absolute ? QStringLiteral("/") : QString();
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const QString& part = parts[i];
        if (part.isEmpty()) continue;
        QString candidate = built.isEmpty() ? part : (built.endsWith('/') ? built + part : built + '/' + part);
        if (part != "." && part != ".." && !QFileInfo::exists(candidate)) {
            const QString match = MatchInDir(built, part);
            if (match.isEmpty()) return path;
            candidate = built.isEmpty() ? match : (built.endsWith('/') ? built + match : built + '/' + match);
        }
        built = candidate;
    }
    if (p.endsWith('/') && !built.endsWith('/')) built += '/';
    return built.toStdString();
}

bool HasWildcard(const std::string& name)
{
    return name.find_first_of("*?") != std::string::npos;
}

std::vector<std::string> ListFiles(const std::string& pattern)
{
    std::vector<std::string> out;
    if (pattern.empty()) return out;
    if (!HasWildcard(pattern)) {
        const std::string resolved = ResolvePath(pattern);
        if (QFileInfo(QString::fromStdString(resolved)).isFile()) out.push_back(resolved);
        return out;
    }
    const std::string dirPart = DirectoryPart(pattern);
    const std::string dir = dirPart.empty() && pattern.find('/') == std::string::npos ? "." : ResolvePath(dirPart.empty() ? "/" : dirPart);
    const QString namePattern = QString::fromStdString(NamePart(pattern));
    const QRegularExpression re(QRegularExpression::wildcardToRegularExpression(namePattern, QRegularExpression::UnanchoredWildcardConversion),
                                QRegularExpression::CaseInsensitiveOption);
    const QRegularExpression anchored(QRegularExpression::anchoredPattern(re.pattern()), QRegularExpression::CaseInsensitiveOption);
    const QDir d(QString::fromStdString(dir));
    for (const QFileInfo& fi : d.entryInfoList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name)) {
        if (anchored.match(fi.fileName()).hasMatch())
            out.push_back(pattern.find('/') == std::string::npos ? fi.fileName().toStdString() : fi.filePath().toStdString());
    }
    return out;
}

bool IsFile(const std::string& path)
{
    return !path.empty() && QFileInfo(QString::fromStdString(ResolvePath(path))).isFile();
}

bool IsDirectory(const std::string& path)
{
    return !path.empty() && QFileInfo(QString::fromStdString(ResolvePath(path))).isDir();
}

std::string DirectoryPart(const std::string& path)
{
    const auto pos = path.find_last_of('/');
    return pos == std::string::npos ? std::string() : path.substr(0, pos);
}

std::string NamePart(const std::string& path)
{
    const auto pos = path.find_last_of('/');
    return pos == std::string::npos ? path : path.substr(pos + 1);
}

std::string ExtensionOf(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    const auto stop = path.find_last_of('.');
    if (stop == std::string::npos || stop <= nameStart) return {};
    return path.substr(stop);
}

std::string WithoutExtension(const std::string& path)
{
    return path.substr(0, path.size() - ExtensionOf(path).size());
}

std::string DisplayName(const std::string& path) { return DecodeLine(path); }

std::string CurrentDirectory()
{
    return QDir::currentPath().toStdString();
}

}  // namespace tk
