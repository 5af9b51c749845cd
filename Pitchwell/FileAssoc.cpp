#include "Pitchwell/FileAssoc.h"

#include "common/Text.h"
#include "common/TextFile.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QXmlStreamReader>

#include <cstdlib>
#include <sstream>

namespace pitchwell {

namespace {

std::string Env(const char* name)
{
    const char* v = std::getenv(name);
    return v ? std::string(v) : std::string();
}

std::string Home()
{
    return Env("HOME");
}

std::vector<std::string> SplitColons(const std::string& text)
{
    std::vector<std::string> parts;
    std::stringstream in(text);
    std::string part;
    while (std::getline(in, part, ':')) {
        if (!part.empty())
            parts.push_back(part);
    }
    return parts;
}

bool ReadLines(const std::string& path, std::vector<std::string>& lines)
{
    tk::LineReader reader;
    if (!reader.Open(path))
        return false;
    std::string line;
    while (reader.ReadLine(line))
        lines.push_back(line);
    return true;
}

// The type of a glob in a globs2 ("weight:type:glob[:flags]") or globs ("type:glob") file.
std::string TypeInGlobFile(const std::string& path, const std::string& glob, bool withWeights)
{
    std::vector<std::string> lines;
    if (!ReadLines(path, lines))
        return {};
    for (const std::string& line : lines) {
        if (line.empty() || line[0] == '#')
            continue;
        std::vector<std::string> fields;
        std::stringstream in(line);
        std::string f;
        while (std::getline(in, f, ':'))
            fields.push_back(f);
        const std::size_t typeAt = withWeights ? 1 : 0;
        if (fields.size() > typeAt + 1 && tk::Lower(fields[typeAt + 1]) == glob)
            return fields[typeAt];
    }
    return {};
}

// The type of a glob in the mime packages of one directory (for a cache not yet rebuilt).
std::string TypeInPackages(const std::string& packagesDir, const std::string& glob)
{
    const QStringList files = QDir(QString::fromStdString(packagesDir)).entryList({"*.xml"}, QDir::Files);
    for (const QString& name : files) {
        std::string bytes;
        constexpr std::size_t MaxPackageBytes = 16 << 20;
        const QByteArray path = QFile::encodeName(QString::fromStdString(packagesDir) + "/" + name);
        if (tk::ReadRegularFile(path.toStdString(), bytes, MaxPackageBytes) != 0)
            continue;
        QXmlStreamReader xml(QByteArray::fromStdString(bytes));
        QString type;
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement)
                continue;
            if (xml.name() == QLatin1String("mime-type"))
                type = xml.attributes().value("type").toString();
            else if (xml.name() == QLatin1String("glob") &&
                     tk::Lower(xml.attributes().value("pattern").toString().toStdString()) == glob && !type.isEmpty())
                return type.toStdString();
        }
    }
    return {};
}

std::string PackageXml(const std::string& extension, const std::string& mimeType, const std::string& description)
{
    QString xml;
    QXmlStreamWriter out(&xml);
    out.setAutoFormatting(true);
    out.writeStartDocument();
    out.writeStartElement("mime-info");
    // The namespace the shared-mime-info format requires; an identifier, never fetched.
    out.writeDefaultNamespace(QStringLiteral("http://www.freedesktop.org/standards/shared-mime-info"));
    out.writeStartElement("mime-type");
    out.writeAttribute("type", QString::fromStdString(mimeType));
    out.writeTextElement("comment", QString::fromStdString(description));
    out.writeEmptyElement("sub-class-of");
    out.writeAttribute("type", "text/plain");
    out.writeEmptyElement("glob");
    out.writeAttribute("pattern", QString::fromStdString("*." + tk::Lower(extension)));
    out.writeEndElement();
    out.writeEndElement();
    out.writeEndDocument();
    return xml.toStdString();
}

}  // namespace

std::string DataHome()
{
    const std::string v = Env("XDG_DATA_HOME");
    return v.empty() ? Home() + "/.local/share" : v;
}

std::vector<std::string> DataDirs()
{
    std::vector<std::string> dirs{DataHome()};
    std::string sys = Env("XDG_DATA_DIRS");
    if (sys.empty())
        sys = "/usr/local/share:/usr/share";
    for (const std::string& d : SplitColons(sys))
        dirs.push_back(d);
    return dirs;
}

std::string GetAssociation(const std::string& extension)
{
    if (extension.empty())
        return {};
    const std::string glob = "*." + tk::Lower(extension);
    const std::vector<std::string> dirs = DataDirs();
    for (std::size_t i = 0; i < dirs.size(); ++i) {
        const std::string mime = dirs[i] + "/mime";
        std::string type = TypeInGlobFile(mime + "/globs2", glob, true);
        if (type.empty())
            type = TypeInGlobFile(mime + "/globs", glob, false);
        if (type.empty() && i == 0)
            type = TypeInPackages(mime + "/packages", glob);
        if (!type.empty())
            return type;
    }
    return {};
}

void CreateAssociation(const std::string& extension, const std::string& mimeType, const std::string& description)
{
    const std::string mimeDir = DataHome() + "/mime";
    const std::string packages = mimeDir + "/packages";
    if (!QDir().mkpath(QString::fromStdString(packages)))
        return;
    const std::string file = packages + "/pitchwell-" + tk::Lower(extension) + ".xml";
    if (!tk::WriteTextFile(file, PackageXml(extension, mimeType, description)))
        return;

    const QString updater = QStandardPaths::findExecutable("update-mime-database");
    if (!updater.isEmpty()) {
        QProcess update;
        update.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        update.start(updater, {QString::fromStdString(mimeDir)});
        update.waitForFinished(60000);
    }
}

}  // namespace pitchwell
