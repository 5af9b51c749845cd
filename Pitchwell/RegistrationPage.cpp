#include "Pitchwell/RegistrationPage.h"

#include "Pitchwell/Catalogue.h"
#include "common/FormResizer.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QStandardPaths>

namespace pitchwell {

namespace {

constexpr int Px(int twips) { return twips / tk::TwipsPerPixel; }

// The form's columns and rows, in twips.
constexpr int CaptionLeft = 450, CaptionWidth = 2300, BoxLeft = 2850, BoxWidth = 3600, RowHeight = 330;

QLabel* Caption(const char* name, const std::string& stored, QWidget* page, QRect place)
{
    auto* label = new QLabel(page);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setText(QString::fromStdString(ShownCaption(stored)));
    label->setProperty("storedCaption", QString::fromStdString(stored));
    label->setGeometry(place);
    return label;
}

QLineEdit* Box(const char* name, QWidget* page, QRect place, const QString& text = {})
{
    auto* box = new QLineEdit(text, page);
    box->setObjectName(name);
    box->setGeometry(place);
    return box;
}

std::string Stored(const QLabel* label) { return label->property("storedCaption").toString().toStdString(); }
std::string Text(const QLineEdit* box) { return box->text().toStdString(); }

}  // namespace

RegistrationPage::RegistrationPage(LauncherContext& ctx, QWidget* parent) : QWidget(parent), ctx_(ctx)
{
    setObjectName("pageRegistration");
    const SignUpCaptions c;
    int row = 300;
    auto field = [&](const char* labelName, const std::string& caption, const char* boxName, QLabel*& label,
                     QLineEdit*& box) {
        label = Caption(labelName, caption, this, {Px(CaptionLeft), Px(row), Px(CaptionWidth), Px(RowHeight)});
        box = Box(boxName, this, {Px(BoxLeft), Px(row), Px(BoxWidth), Px(RowHeight)});
        row += 450;
    };
    field("lblSponsor", c.Sponsor, "tbSponsor", lblSponsor, tbSponsor);
    field("lblSponsorsID", c.SponsorsID, "tbSponsorsID", lblSponsorsID, tbSponsorsID);
    lblYourInfo = Caption("lblYourInfo", c.YourInfo, this, {Px(BoxLeft), Px(row), Px(BoxWidth), Px(RowHeight)});
    row += 450;
    field("lblFirstName", c.FirstName, "tbFirstName", lblFirstName, tbFirstName);
    field("lblLastName", c.LastName, "tbLastName", lblLastName, tbLastName);
    field("lblSSNo", c.SSNo, "tbSSNo", lblSSNo, tbSSNo);
    field("lblAddress", c.Address, "tbAddress", lblAddress, tbAddress);
    field("lblCity", c.City, "tbCity", lblCity, tbCity);
    field("lblState", c.State, "tbState", lblState, tbState);
    field("lblZip", c.Zip, "tbZip", lblZip, tbZip);
    // The country is asked for on screen only; the printout goes by city, state and postal code.
    lblCountry = Caption("lblCountry", c.Country, this, {Px(CaptionLeft), Px(row), Px(CaptionWidth), Px(RowHeight)});
    row += 450;
    field("lblEmail", c.Email, "tbEmail", lblEmail, tbEmail);
    field("lblPhone", c.Phone, "tbPhone", lblPhone, tbPhone);
    tbPhone->setText(QString::fromStdString(PhoneSample));

    const int right = BoxLeft + BoxWidth + 900, rightWidth = 5200;
    lblRequired = Caption("lblRequired", c.Required, this, {Px(right), Px(300), Px(rightWidth), Px(RowHeight)});
    lblNote = Caption("lblNote", c.Note, this, {Px(right), Px(900), Px(rightWidth), Px(1300)});
    cmdPrintIBO = new QPushButton("Print Registration", this);
    cmdPrintIBO->setObjectName("cmdPrintIBO");
    cmdPrintIBO->setGeometry(Px(right), Px(2600), Px(2600), Px(500));
    lblPrintedTo = Caption("lblPrintedTo", "", this, {Px(right), Px(3300), Px(rightWidth), Px(1000)});
    connect(cmdPrintIBO, &QPushButton::clicked, this, &RegistrationPage::cmdPrintIBO_Click);
}

SignUpCaptions RegistrationPage::Captions() const
{
    SignUpCaptions c;
    c.Sponsor = Stored(lblSponsor);
    c.SponsorsID = Stored(lblSponsorsID);
    c.YourInfo = Stored(lblYourInfo);
    c.FirstName = Stored(lblFirstName);
    c.LastName = Stored(lblLastName);
    c.SSNo = Stored(lblSSNo);
    c.Address = Stored(lblAddress);
    c.City = Stored(lblCity);
    c.State = Stored(lblState);
    c.Zip = Stored(lblZip);
    c.Country = Stored(lblCountry);
    c.Email = Stored(lblEmail);
    c.Phone = Stored(lblPhone);
    c.Required = Stored(lblRequired);
    c.Note = Stored(lblNote);
    return c;
}

SignUpForm RegistrationPage::Form() const
{
    return {Text(tbSponsor), Text(tbSponsorsID), Text(tbFirstName), Text(tbLastName), Text(tbSSNo), Text(tbAddress),
            Text(tbCity),    Text(tbState),      Text(tbZip),       Text(tbEmail),    Text(tbPhone)};
}

void RegistrationPage::cmdPrintIBO_Click()
{
    QPrinter& printer = ctx_.Printer;
    const bool toFile = printer.outputFormat() == QPrinter::PdfFormat;
    if (toFile && printer.outputFileName().isEmpty()) {
        const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        const QDir dir(documents.isEmpty() ? QDir::homePath() : documents);
        dir.mkpath(".");
        printer.setOutputFileName(dir.filePath("IBO Registration.pdf"));
    }
    // Without a printer nothing is printed and nothing is said; a file that could not be
    // written is told, since the user would otherwise look for a form that is not there.
    const PrintOutcome outcome = PrintOnPrinter(printer, SignUpPrintSteps(Captions(), Form()));
    if (!outcome.FailureText.empty()) {
        lblPrintedTo->clear();
        ctx_.Messages.Show(outcome.FailureText, PrintFailureTitle, tk::MsgIcon::Exclamation, tk::MsgButtons::Ok);
        return;
    }
    if (outcome.Printed && toFile)
        lblPrintedTo->setText("The form was written to " + printer.outputFileName() + ".");
}

}  // namespace pitchwell
