// The launcher's page: the sign-up form (page 4). The user types sponsor and personal data;
// "Print Registration" prints the one-page form on the printer chosen with "Printer Set&up...".
#pragma once

#include "Pitchwell/LauncherContext.h"
#include "Pitchwell/SignUpPrint.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;

namespace pitchwell {

class RegistrationPage : public QWidget {
    Q_OBJECT
public:
    RegistrationPage(LauncherContext& ctx, QWidget* parent = nullptr);

    void cmdPrintIBO_Click();
    // The captions and texts as they stand.
    SignUpCaptions Captions() const;
    SignUpForm Form() const;

    QLabel *lblSponsor, *lblSponsorsID, *lblYourInfo, *lblFirstName, *lblLastName, *lblSSNo, *lblAddress, *lblCity,
        *lblState, *lblZip, *lblCountry, *lblEmail, *lblPhone, *lblRequired, *lblNote;
    QLineEdit *tbSponsor, *tbSponsorsID, *tbFirstName, *tbLastName, *tbSSNo, *tbAddress, *tbCity, *tbState, *tbZip,
        *tbEmail, *tbPhone;
    QPushButton* cmdPrintIBO;
    // Where a printout to a file went, when the printer writes files.
    QLabel* lblPrintedTo;

private:
    LauncherContext& ctx_;
};

}  // namespace pitchwell
