#include "Pitchwell/frmIntro.h"

#include "Pitchwell/LauncherApp.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>

#include <algorithm>
#include <exception>

namespace pitchwell {

namespace {

const QSize DesignSize(520, 330);

}  // namespace

frmIntro::frmIntro(LauncherApp& app, QWidget* parent) : QWidget(parent), app_(app), resizer_(this)
{
    setObjectName("frmIntro");
    setWindowTitle("Intro to MLM of Quazelle ");
    setFixedSize(DesignSize);
    QFont base("Arial");
    base.setPointSizeF(9);
    setFont(base);

    // A label without a buddy shows its text as it stands: the designed "&&" is one "&" here.
    lblTitleIntro = new QLabel(QString::fromUtf8("Quazelle\u2122  Intro & Marketing"), this);
    lblTitleIntro->setObjectName("lblTitleIntro");
    lblTitleIntro->setAlignment(Qt::AlignCenter);
    QFont title = lblTitleIntro->font();
    title.setPointSizeF(16);
    title.setBold(true);
    lblTitleIntro->setFont(title);
    lblTitleIntro->setGeometry(20, 20, 480, 40);

    lblSentence1 = new QLabel(
        "Quazelle turns equations written the way an engineer writes them into answers: "
        "algebraic systems, initial and boundary value problems, inverse problems and fits.", this);
    lblSentence1->setObjectName("lblSentence1");
    lblSentence1->setWordWrap(true);
    lblSentence1->setGeometry(30, 80, 460, 70);

    lblSentence2 = new QLabel(
        "Share it with the people you know who solve hard problems, and earn supplemental income "
        "as an Independent Business Owner. See the plan, the rules and 66 worked examples inside.", this);
    lblSentence2->setObjectName("lblSentence2");
    lblSentence2->setWordWrap(true);
    lblSentence2->setGeometry(30, 160, 460, 70);

    QFont text = lblSentence1->font();
    text.setPointSizeF(10);
    lblSentence1->setFont(text);
    lblSentence2->setFont(text);

    cmdMLM = new QPushButton("&MLM Plan", this);
    cmdMLM->setObjectName("cmdMLM");
    cmdMLM->setGeometry(110, 260, 130, 36);
    cmdMLM->setDefault(true);
    cmdExitIntro = new QPushButton("E&xit", this);
    cmdExitIntro->setObjectName("cmdExitIntro");
    cmdExitIntro->setGeometry(280, 260, 130, 36);
    connect(cmdMLM, &QPushButton::clicked, this, &frmIntro::cmdMLM_Click);
    connect(cmdExitIntro, &QPushButton::clicked, this, &frmIntro::cmdExitIntro_Click);
    resizer_.RecordLayout();
    FitTo(tk::ScreenRoom(this));
    Form_Load();
}

void frmIntro::Form_Load()
{
    QDir::setCurrent(QString::fromStdString(app_.Paths.OwnDir));
}

void frmIntro::FitTo(const QSize& room)
{
    const double scale =
        std::min({1.0, double(room.width()) / DesignSize.width(), double(room.height()) / DesignSize.height()});
    // At its designed size the window stays exactly as designed.
    if (scale >= 1.0 && !shrunk_) return;
    shrunk_ = scale < 1.0;
    setFixedSize((QSizeF(DesignSize) * scale).toSize());
    resizer_.ApplyLayout();
}

void frmIntro::cmdExitIntro_Click()
{
    close();
    deleteLater();
}

void frmIntro::cmdMLM_Click()
{
    LauncherApp& app = app_;  // this window goes away below
    try {
        hide();
        deleteLater();
        app.LoadMain();
    } catch (const std::exception&) {
        app.Context.Messages.Show("Sorry, can't run our video version at this time. ",
                                  "Windows Media Player v. 9 required", tk::MsgIcon::Exclamation, tk::MsgButtons::Ok);
        app.EndProgram();
    }
}

}  // namespace pitchwell
