#include "Pitchwell/frmAbout.h"

#include "Pitchwell/Startup.h"

#include <QLabel>
#include <QPushButton>

namespace pitchwell {

frmAbout::frmAbout(QWidget* owner) : QDialog(owner)
{
    setObjectName("frmAbout");
    setWindowTitle("About ...");
    setFixedSize(360, 150);
    txtTitle = new QLabel(this);
    txtTitle->setObjectName("txtTitle");
    txtTitle->setAlignment(Qt::AlignCenter);
    QFont big = txtTitle->font();
    big.setPointSizeF(12);
    big.setBold(true);
    txtTitle->setFont(big);
    txtTitle->setGeometry(10, 20, 340, 30);
    Label4 = new QLabel(QString(47, QChar('-')), this);
    Label4->setObjectName("Label4");
    Label4->setAlignment(Qt::AlignCenter);
    Label4->setGeometry(10, 55, 340, 20);
    cmdOkay = new QPushButton("&OK", this);
    cmdOkay->setObjectName("cmdOkay");
    cmdOkay->setGeometry(140, 95, 80, 30);
    cmdOkay->setDefault(true);
    connect(cmdOkay, &QPushButton::clicked, this, &frmAbout::cmdOkay_Click);
    Form_Initialize();
}

void frmAbout::Form_Initialize()
{
    txtTitle->setText(QString::fromStdString(ProgramName + " (Version " + ProgramVersion + ")"));
}

void frmAbout::cmdOkay_Click()
{
    hide();
}

}  // namespace pitchwell
