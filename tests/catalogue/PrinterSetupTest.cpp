// "Printer Set&up..." against a real print system: a private CUPS daemon with a printer that
// writes its jobs into a file (tests/support/with-cups.sh starts it; without it the test is
// skipped). The printer chosen in the set-up dialog prints the sign-up forms that follow.
#include "CatalogueTestSupport.h"
#include "Pitchwell/RegistrationPage.h"
#include "common/Dialogs.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

using namespace pitchwell;
using namespace cataloguetest;

TEST(PrinterSetup, TheChosenPrinterPrintsTheSignUpForms)
{
    const char* printed = std::getenv("TK_PRINTED");
    if (!std::getenv("CUPS_SERVER") || !printed)
        GTEST_SKIP() << "no private print system (run through tests/support/with-cups.sh)";
    Installation inst;
    inst.Printer.setOutputFormat(QPrinter::PdfFormat);  // what the launcher starts with
    tk::QtDialogs dialogs;

    QStringList offered;
    QString title, okText;
    // The dialog is answered as a user would: the printer picked from its list, then OK. Any
    // other dialog (one without a printer to choose) is cancelled.
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) return;
        answer.stop();
        auto* dialog = qobject_cast<QPrintDialog*>(modal);
        if (!dialog) {
            if (auto* other = qobject_cast<QDialog*>(modal)) other->reject();
            return;
        }
        title = dialog->windowTitle();
        for (QComboBox* box : dialog->findChildren<QComboBox*>()) {
            const int at = box->findText("tk-file");
            if (at < 0) continue;
            for (int i = 0; i < box->count(); ++i) offered << box->itemText(i);
            box->setCurrentIndex(at);
        }
        if (auto* buttons = dialog->findChild<QDialogButtonBox*>())
            okText = buttons->button(QDialogButtonBox::Ok)->text();
        dialog->accept();
    });
    answer.start(100);
    ASSERT_TRUE(dialogs.ChoosePrinter(inst.Printer, true)) << "the dialog was not accepted";
    EXPECT_EQ(title, "Print Setup");
    EXPECT_EQ(okText, "OK");
    EXPECT_TRUE(offered.contains("tk-file")) << offered.join(", ").toStdString();
    EXPECT_EQ(inst.Printer.printerName(), "tk-file");
    EXPECT_EQ(inst.Printer.outputFormat(), QPrinter::NativeFormat);

    // Two printouts later, both went to that printer, each one whole page of the form.
    RegistrationPage page(inst.Recording);
    page.tbFirstName->setText("Bo");
    for (int n = 1; n <= 2; ++n) {
        std::filesystem::remove(printed);
        page.cmdPrintIBO->click();
        for (int i = 0; i < 100 && !(std::filesystem::exists(printed) && std::filesystem::file_size(printed) > 0); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        ASSERT_TRUE(std::filesystem::exists(printed)) << "printout " << n << " never reached the printer";
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        EXPECT_EQ(PdfPages(printed), 1);
        const std::vector<std::string> lines = PdfLines(printed);
        ASSERT_FALSE(lines.empty());
        EXPECT_EQ(lines.front(), "IBO Registration Form");
    }
    EXPECT_TRUE(inst.Dialogs.Boxes.empty());
}
