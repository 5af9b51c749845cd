// The About window: the program's name and version, made once and shown again on request.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace pitchwell {

class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(QWidget* owner);

    QLabel* txtTitle;
    QLabel* Label4;
    QPushButton* cmdOkay;

    void cmdOkay_Click();

private:
    void Form_Initialize();
};

}  // namespace pitchwell
