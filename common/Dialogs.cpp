#include "common/Dialogs.h"

#include "common/TextFile.h"

#include <QApplication>
#include <QColorDialog>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QStringList>

namespace tk {

namespace {

// "All Files (*.*)|*.*|Bitmap (*.bmp)|*.bmp" becomes Qt's name filters. "*.*" matches every
// file here, also names without a full stop, and each pattern is offered in capitals too,
// since runs made elsewhere may carry upper-case extensions.
QStringList QtFilters(const std::string& filter)
{
    const QStringList parts = QString::fromStdString(filter).split('|', Qt::SkipEmptyParts);
    QStringList out;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns;
        for (const QString& p : parts[i + 1].split(';', Qt::SkipEmptyParts)) {
            const QString t = p.trimmed();
            if (t == "*.*") {
                patterns << "*";
                continue;
            }
            patterns << t;
            if (t.toUpper() != t) patterns << t.toUpper();
        }
        out << parts[i] + " (" + patterns.join(' ') + ")";
    }
    return out;
}

std::optional<FileChoice> RunFileDialog(QWidget* parent, const FileDialogRequest& r, bool save)
{
    QFileDialog dlg(parent);
    ConfigureFileDialog(dlg, r, save);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return std::nullopt;
    const int filter = int(dlg.nameFilters().indexOf(dlg.selectedNameFilter())) + 1;
    return FileChoice{QFile::encodeName(dlg.selectedFiles().front()).toStdString(), filter > 0 ? filter : r.FilterIndex};
}

}  // namespace

void ConfigureFileDialog(QFileDialog& dlg, const FileDialogRequest& r, bool save)
{
    dlg.setWindowTitle(QString::fromStdString(r.Title));
    dlg.setDirectory(QFile::decodeName(QByteArray::fromStdString(r.InitialDir)));
    dlg.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dlg.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    // Options before the filters: setting one afterwards resets the chosen filter to the first.
    dlg.setOption(QFileDialog::HideNameFilterDetails);
    if (save) dlg.setOption(QFileDialog::DontConfirmOverwrite);  // the program asks its own question
    const QStringList filters = QtFilters(r.Filter);
    dlg.setNameFilters(filters);
    if (r.FilterIndex >= 1 && r.FilterIndex <= filters.size()) dlg.selectNameFilter(filters[r.FilterIndex - 1]);
    if (save && !r.ProposedName.empty()) dlg.selectFile(QString::fromStdString(DecodeLine(r.ProposedName)));
}

MsgResult QtDialogs::MsgBox(const MessageBoxCall& call)
{
    QMessageBox box(parent_);
    // Texts may name files whose names are not UTF-8: they are shown as the user can read them.
    box.setWindowTitle(QString::fromStdString(DecodeLine(call.Title)));
    box.setText(QString::fromStdString(DecodeLine(call.Text)).replace("\r\n", "\n"));
    switch (call.Icon) {
    case MsgIcon::None: box.setIcon(QMessageBox::NoIcon); break;
    case MsgIcon::Critical: box.setIcon(QMessageBox::Critical); break;
    case MsgIcon::Question: box.setIcon(QMessageBox::Question); break;
    case MsgIcon::Exclamation: box.setIcon(QMessageBox::Warning); break;
    case MsgIcon::Information: box.setIcon(QMessageBox::Information); break;
    }
    switch (call.Buttons) {
    case MsgButtons::Ok: box.setStandardButtons(QMessageBox::Ok); break;
    case MsgButtons::OkCancel: box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
    case MsgButtons::YesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
    case MsgButtons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    case MsgButtons::RetryCancel: box.setStandardButtons(QMessageBox::Retry | QMessageBox::Cancel); break;
    }
    switch (box.exec()) {
    case QMessageBox::Ok: return MsgResult::Ok;
    case QMessageBox::Yes: return MsgResult::Yes;
    case QMessageBox::No: return MsgResult::No;
    case QMessageBox::Retry: return MsgResult::Retry;
    default: return MsgResult::Cancel;
    }
}

std::optional<std::string> QtDialogs::OpenFile(const FileDialogRequest& request)
{
    const auto choice = RunFileDialog(parent_, request, false);
    if (!choice) return std::nullopt;
    return choice->Path;
}

std::optional<std::string> QtDialogs::SaveFile(const FileDialogRequest& request)
{
    const auto choice = RunFileDialog(parent_, request, true);
    if (!choice) return std::nullopt;
    return choice->Path;
}

std::optional<FileChoice> QtDialogs::SaveFileAs(const FileDialogRequest& request)
{
    return RunFileDialog(parent_, request, true);
}

std::optional<std::uint32_t> QtDialogs::PickColour(std::uint32_t initial)
{
    const QColor start(initial & 0xFF, (initial >> 8) & 0xFF, (initial >> 16) & 0xFF);
    const QColor chosen = QColorDialog::getColor(start, parent_);
    if (!chosen.isValid()) return std::nullopt;
    return std::uint32_t(chosen.red()) | (std::uint32_t(chosen.green()) << 8) |
           (std::uint32_t(chosen.blue()) << 16);
}

bool QtDialogs::ChoosePrinter(QPrinter& printer, bool setupOnly)
{
    if (setupOnly) {
        QPageSetupDialog dlg(&printer, parent_);
        return dlg.exec() == QDialog::Accepted;
    }
    QPrintDialog dlg(&printer, parent_);
    dlg.setOption(QAbstractPrintDialog::PrintToFile, printer.outputFormat() == QPrinter::PdfFormat);
    dlg.setOption(QAbstractPrintDialog::PrintPageRange, false);
    return dlg.exec() == QDialog::Accepted;
}

void QtDialogs::Beep()
{
    QApplication::beep();
}

}  // namespace tk
