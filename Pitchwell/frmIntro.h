// The introduction window, the launcher's first window: a title, two sentences and the way on
// to the main window ("&MLM Plan") or out ("E&xit").
#pragma once

#include "common/FormResizer.h"

#include <QWidget>

#include <functional>

class QLabel;
class QPushButton;

namespace pitchwell {

class LauncherApp;

class frmIntro : public QWidget {
    Q_OBJECT
public:
    explicit frmIntro(LauncherApp& app, QWidget* parent = nullptr);

    QLabel* lblTitleIntro;
    QLabel* lblSentence1;
    QLabel* lblSentence2;
    QPushButton* cmdMLM;
    QPushButton* cmdExitIntro;

    // The window at its designed size, or, where the screen leaves less room (its size without
    // the window's frame), made smaller as a whole to fit.
    void FitTo(const QSize& room);

    void cmdMLM_Click();
    void cmdExitIntro_Click();

private:
    void Form_Load();
    LauncherApp& app_;
    tk::FormResizer resizer_;
    bool shrunk_ = false;
};

}  // namespace pitchwell
