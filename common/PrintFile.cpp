#include "common/PrintFile.h"

#include "common/SafeFile.h"

#include <QFile>
#include <QPrinter>

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string_view>

#include <sys/statvfs.h>

namespace tk {

namespace {

// The PDF engine does not report its write errors; a file cut short on a disk without a free
// block was cut short by the full disk.
int WhyCutShort(const std::string& path)
{
    struct statvfs info {};
    return ::statvfs(path.c_str(), &info) == 0 && info.f_bavail == 0 ? ENOSPC : EIO;
}

}  // namespace

bool IsWholePdf(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    const std::string pdf((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad() || pdf.compare(0, 5, "%PDF-") != 0)
        return false;
    const std::string marker = "%%EOF";
    const std::size_t last = pdf.find_last_not_of("\r\n \t");
    if (last == std::string::npos || last + 1 < marker.size() ||
        pdf.compare(last + 1 - marker.size(), marker.size(), marker) != 0)
        return false;
    const std::string startxref = "startxref";
    const std::size_t at = pdf.rfind(startxref, last);
    if (at == std::string::npos)
        return false;
    const std::size_t table = std::strtoull(pdf.c_str() + at + startxref.size(), nullptr, 10);
    if (table == 0 || table >= at || (pdf[table - 1] != '\n' && pdf[table - 1] != '\r'))
        return false;
    if (pdf.compare(table, 4, "xref") == 0)
        return true;
    // A cross-reference stream instead of a table: its object, "12 0 obj".
    char* end = nullptr;
    std::strtoul(pdf.c_str() + table, &end, 10);
    if (end == pdf.c_str() + table || *end != ' ')
        return false;
    const char* generation = end + 1;
    std::strtoul(generation, &end, 10);
    return end != generation && std::string_view(end).substr(0, 4) == " obj";
}

PrintedFile PrintWhole(QPrinter& printer, const std::function<bool(QPrinter&)>& print)
{
    PrintedFile outcome;
    if (printer.outputFormat() != QPrinter::PdfFormat || printer.outputFileName().isEmpty()) {
        // A printer that cannot take the page says nothing of it.
        outcome.Printed = print(printer);
        return outcome;
    }
    outcome.File = QFile::encodeName(printer.outputFileName()).toStdString();
    SafeFile file(outcome.File);
    if (file.Open()) {
        const QString chosen = printer.outputFileName();
        printer.setOutputFileName(QFile::decodeName(file.TemporaryPath().c_str()));
        const bool printed = print(printer);
        printer.setOutputFileName(chosen);
        outcome.Printed = file.Commit([&](const std::string& path) {
            if (printed && IsWholePdf(path)) return true;
            errno = WhyCutShort(path);
            return false;
        });
    }
    if (!outcome.Printed) outcome.Reason = file.ErrorText();
    return outcome;
}

}  // namespace tk
