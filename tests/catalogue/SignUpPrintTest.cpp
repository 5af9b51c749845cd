// The sign-up printout: its steps, and the page printed to a PDF file and read back.
#include "CatalogueTestSupport.h"
#include "store/PrivateTmpfs.h"
#include "store/TestFiles.h"
#include "Pitchwell/RegistrationPage.h"
#include "Pitchwell/SignUpPrint.h"
#include "common/PrintFile.h"

#include <QLabel>
#include <QLineEdit>
#include <QPrinterInfo>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iostream>

using namespace pitchwell;
using namespace cataloguetest;

namespace {

using Kind = PrintStep::Kind;

std::vector<std::string> PrintedLines(const std::vector<PrintStep>& steps)
{
    std::vector<std::string> lines;
    for (const PrintStep& s : steps)
        if (s.What == Kind::Print)
            lines.push_back(s.Text);
    return lines;
}

TEST(SignUpPrint, PhoneLineFollowsTheSampleRule)
{
    const struct {
        const char* Phone;
        const char* Line;
    } cases[] = {
        {"e.g. 321-555-1212", "Day Phone:"},
        {"e.g. 555", "Day Phone:"},
        {"e.g.", "Day Phone:"},
        {"(321) 555-1212", "Day Phone:\t\t(321) 555-1212"},
        {"E.G. 555", "Day Phone:\t\tE.G. 555"},
        {"e.g", "Day Phone:\t\te.g"},
        {"", "Day Phone:\t\t"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Phone);
        SignUpForm form;
        form.Phone = c.Phone;
        const std::vector<std::string> lines = PrintedLines(SignUpPrintSteps({}, form));
        EXPECT_EQ(lines[lines.size() - 6], c.Line);
    }
}

TEST(SignUpPrint, StepsInOrderAtTheirPlaces)
{
    SignUpForm form {"Ann Sponsor", "S-77", "Bo", "Lee", "123-45-6789", "1 Elm St", "Springfield", "IL", "62701",
                     "bo@example.com", "e.g. 321-555-1212"};
    const std::vector<PrintStep> steps = SignUpPrintSteps({}, form);
    const std::vector<PrintStep> head = {
        {Kind::FontSize, 18, ""}, {Kind::CurrentX, 4320, ""}, {Kind::CurrentY, 100, ""},
        {Kind::Print, 0, "IBO Registration Form"}, {Kind::CurrentX, 0, ""}, {Kind::Print, 0, " "},
        {Kind::FontSize, 12, ""}, {Kind::CurrentX, 2160, ""},
        {Kind::Print, 0, "If interested in becoming an Independent Business Owner, fill out "},
    };
    ASSERT_GT(steps.size(), head.size());
    EXPECT_TRUE(std::equal(head.begin(), head.end(), steps.begin()));
    EXPECT_EQ(steps.back().What, Kind::EndDoc);

    // Each line with the horizontal position set before it (-1: none, the line starts at the left).
    std::vector<std::pair<int, std::string>> placed;
    int x = -1;
    for (const PrintStep& s : steps) {
        if (s.What == Kind::CurrentX)
            x = s.Value;
        if (s.What == Kind::Print) {
            placed.push_back({x, s.Text});
            x = -1;
        }
    }
    const std::vector<std::pair<int, std::string>> expected = {
        {4320, "IBO Registration Form"},
        {0, " "},
        {2160, "If interested in becoming an Independent Business Owner, fill out "},
        {2160, "the form below. Print it and mail it with a check for US$20 to IBO "},
        {2160, "Registration Dept., Tavrick Enterprise, " + SignUpStreet + ","},
        {2160, SignUpCityState + ". (The registration fee is due yearly.)"},
        {720, " "},
        {720, "Sponsors Name: *\tAnn Sponsor"},
        {-1, " "},
        {720, "Sponsors ID #: *\t\tS-77"},
        {-1, " "},
        {3600, "--- Now your info ---"},
        {-1, " "},
        {720, "First Name: *\t\tBo"},
        {-1, " "},
        {720, "Last Name: *\t\tLee"},
        {-1, " "},
        {720, "Social Security #: *\t123-45-6789"},
        {-1, " "},
        {720, "Address: *\t\t1 Elm St"},
        {-1, " "},
        {720, "City: *\tSpringfield\tState: *  IL\tPostal Code: *\t62701"},
        {-1, " "},
        {720, "E-Mail: *\t\tbo@example.com"},
        {-1, " "},
        {720, "Day Phone:"},
        {-1, " "},
        {720, "* Represents required data."},
        {-1, " "},
        {720, "Note:  For those registering, we will e-mail you a sample CEO letter, QZ"},
        {1440, "pros & cons list, etc. to help get you past those famous gatekeepers."},
    };
    EXPECT_EQ(placed, expected);
    for (const auto& line : placed)
        EXPECT_EQ(line.second.find("Country"), std::string::npos);
}

TEST(RegistrationPage, PrintsTheFormOnOnePdfPage)
{
    Installation inst;
    const std::string pdf = inst.Record("form.pdf");
    inst.Printer.setOutputFormat(QPrinter::PdfFormat);
    inst.Printer.setOutputFileName(QString::fromStdString(pdf));
    RegistrationPage page(inst.Recording);
    EXPECT_EQ(page.tbPhone->text(), "e.g. 321-555-1212");
    EXPECT_EQ(page.lblNote->text().toStdString(),
              "Note: For those registering, we will e-mail you a sample CEO letter, QZ pros & cons list, etc. to help "
              "get you past those famous gatekeepers.");
    EXPECT_EQ(page.cmdPrintIBO->text(), "Print Registration");
    page.tbSponsor->setText("Ann Sponsor");
    page.tbFirstName->setText("Bo");
    page.tbCity->setText("Springfield");
    page.tbState->setText("IL");
    page.tbZip->setText("62701");
    page.tbPhone->setText("(321) 555-1212");

    // A second printout replaces the first: the printer serves more than once.
    page.cmdPrintIBO->click();
    std::filesystem::remove(pdf);
    page.cmdPrintIBO->click();
    ASSERT_TRUE(std::filesystem::exists(pdf));
    EXPECT_EQ(PdfPages(pdf), 1);
    const std::vector<std::string> lines = PdfLines(pdf);
    const std::vector<std::string> expected = {
        "IBO Registration Form",
        "If interested in becoming an Independent Business Owner, fill out",
        "the form below. Print it and mail it with a check for US$20 to IBO",
        "Registration Dept., Tavrick Enterprise, " + SignUpStreet + ",",
        SignUpCityState + ". (The registration fee is due yearly.)",
        "Sponsors Name: * Ann Sponsor",
        "Sponsors ID #: *",
        "--- Now your info ---",
        "First Name: * Bo",
        "Last Name: *",
        "Social Security #: *",
        "Address: *",
        "City: * Springfield State: * IL Postal Code: * 62701",
        "E-Mail: *",
        "Day Phone: (321) 555-1212",
        "* Represents required data.",
        "Note: For those registering, we will e-mail you a sample CEO letter, QZ",
        "pros & cons list, etc. to help get you past those famous gatekeepers.",
    };
    EXPECT_EQ(lines, expected);
    EXPECT_TRUE(inst.Dialogs.Boxes.empty());
    EXPECT_NE(page.lblPrintedTo->text().toStdString().find(pdf), std::string::npos);
}

TEST(RegistrationPage, WithoutAPrinterNothingHappens)
{
    Installation inst;
    inst.Printer.setOutputFormat(QPrinter::NativeFormat);
    if (inst.Printer.outputFormat() != QPrinter::NativeFormat || inst.Printer.isValid())
        GTEST_SKIP() << "this system prints to files, or has a printer";
    RegistrationPage page(inst.Recording);
    page.tbFirstName->setText("Bo");
    page.cmdPrintIBO->click();
    EXPECT_TRUE(inst.Dialogs.Boxes.empty());
    EXPECT_EQ(page.tbFirstName->text(), "Bo");
    EXPECT_EQ(page.tbPhone->text(), "e.g. 321-555-1212");
    EXPECT_TRUE(page.lblPrintedTo->text().isEmpty());
}

TEST(SignUpPrint, OnlyAFinishedPdfCountsAsWhole)
{
    const std::string body = "%PDF-1.4\n1 0 obj\n<< >>\nendobj\n";
    const std::string table = "xref\n0 2\n0000000000 65535 f \n0000000009 00000 n \ntrailer\n<< /Size 2 >>\n";
    const std::string whole = body + table + "startxref\n" + std::to_string(body.size()) + "\n%%EOF\n";
    const struct {
        const char* Name;
        std::string Content;
        bool Whole;
    } cases[] = {
        {"finished", whole, true},
        {"finished without the last line end", whole.substr(0, whole.size() - 1), true},
        {"empty", "", false},
        {"cut short before its end", whole.substr(0, whole.size() - 4), false},
        {"a part in the middle missing", body.substr(0, 9) + body.substr(20) + table + "startxref\n" +
                                              std::to_string(body.size()) + "\n%%EOF\n", false},
        {"no PDF at all", "%%EOF\n", false},
        {"finished, with a cross-reference stream", body + "startxref\n9\n%%EOF\n", true},
        {"pointing into a line", body + "startxref\n11\n%%EOF\n", false},
    };
    QTemporaryDir dir;
    for (const auto& c : cases) {
        const std::string path = dir.path().toStdString() + "/form.pdf";
        storetest::WriteFile(path, c.Content);
        EXPECT_EQ(tk::IsWholePdf(path), c.Whole) << c.Name;
    }
}

TEST(RegistrationPage, FormThatCannotBeWrittenWholeIsToldAndTheEarlierFileStays)
{
    constexpr std::size_t Page = 4096;
    // The form's PDF takes about four pages of the disk.
    const struct {
        const char* Name;
        std::size_t FreePages;  // 0 and up: on a disk left with this much room
        const char* Reason;     // empty: written
    } cases[] = {
        {"into a directory that is not there", 0, "No such file or directory"},
        {"on a full disk", 0, "No space left on device"},
        {"on a disk with one page left", 1, "No space left on device"},
        {"on a disk with room enough", 16, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        Installation inst;
        const bool missingDir = std::string(c.Reason) == "No such file or directory";
        storetest::PrivateTmpfs disk(64 * Page);
        if (!missingDir && !disk.Skipped().empty()) {
            std::cout << "skipped \"" << c.Name << "\": " << disk.Skipped() << "\n";
            continue;
        }
        const std::string dir = missingDir ? inst.Record("missing-dir") : disk.Path();
        const std::string pdf = dir + "/IBO Registration.pdf";
        inst.Printer.setOutputFormat(QPrinter::PdfFormat);
        inst.Printer.setOutputFileName(QString::fromStdString(pdf));
        RegistrationPage page(inst.Recording);
        std::string earlier;
        if (!missingDir) {
            page.cmdPrintIBO->click();
            earlier = storetest::ReadFile(pdf);
            ASSERT_EQ(PdfPages(pdf), 1);
            ASSERT_TRUE(disk.FillLeaving(c.FreePages * Page));
        }
        page.tbFirstName->setText("Second");
        page.cmdPrintIBO->click();

        EXPECT_EQ(inst.Printer.outputFileName().toStdString(), pdf);
        if (*c.Reason == '\0') {
            EXPECT_TRUE(inst.Dialogs.Boxes.empty());
            EXPECT_EQ(PdfLines(pdf)[8], "First Name: * Second");
            EXPECT_EQ(storetest::NamesIn(dir), std::vector<std::string> {"IBO Registration.pdf"});
            continue;
        }
        ASSERT_EQ(inst.Dialogs.Boxes.size(), 1u);
        const tk::MessageBoxCall& box = inst.Dialogs.Boxes[0];
        EXPECT_EQ(box.Text, "The registration form could not be written to\r\n" + pdf + "\r\n" + c.Reason + ".");
        EXPECT_EQ(box.Title, "Print Registration");
        EXPECT_EQ(box.Icon, tk::MsgIcon::Exclamation);
        EXPECT_TRUE(page.lblPrintedTo->text().isEmpty());
        EXPECT_EQ(page.tbFirstName->text(), "Second");
        if (missingDir) {
            EXPECT_FALSE(std::filesystem::exists(dir));
        } else {
            EXPECT_EQ(storetest::ReadFile(pdf), earlier);
            EXPECT_EQ(storetest::NamesIn(dir), std::vector<std::string> {"IBO Registration.pdf"});
        }
    }
}

TEST(RegistrationPage, FilePrinterWithoutAFileWritesIntoTheDocuments)
{
    Installation inst;
    inst.Printer.setOutputFormat(QPrinter::PdfFormat);
    inst.Printer.setOutputFileName({});
    RegistrationPage page(inst.Recording);
    page.cmdPrintIBO->click();
    const std::string pdf = inst.Printer.outputFileName().toStdString();
    EXPECT_EQ(std::filesystem::path(pdf).filename().string(), "IBO Registration.pdf");
    EXPECT_TRUE(std::filesystem::exists(pdf));
    EXPECT_EQ(PdfLines(pdf).front(), "IBO Registration Form");
    std::filesystem::remove(pdf);
}

}  // namespace
