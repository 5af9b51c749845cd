// The launcher's page: the example catalogue (page 5). The two command buttons above the
// inner tab control SSTexamples, whose seven pages hold the option buttons (file names) and
// their description labels, each control array indexed from 1.
#pragma once

#include "Pitchwell/LauncherContext.h"

#include <QWidget>

#include <string>
#include <vector>

class QLabel;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace pitchwell {

class CataloguePage : public QWidget {
    Q_OBJECT
public:
    CataloguePage(LauncherContext& ctx, QWidget* parent = nullptr);

    // One catalogue page's two parallel control arrays; element i (from 1) at [i - 1].
    struct ControlArray {
        std::string ButtonArray;
        std::string LabelArray;
        std::vector<QRadioButton*> Buttons;
        std::vector<QLabel*> Labels;
    };

    QPushButton* cmdEditDemo;
    QPushButton* cmdViewAnswer;
    QTabWidget* SSTexamples;
    std::vector<ControlArray> Arrays;  // in page order

    // The element of a control array by its name ("alg_exam") and index (from 1); null when none.
    QRadioButton* Option(const std::string& buttonArray, int index) const;

    const std::string& SelectedExample() const { return selectedExample_; }

    // The handlers of every option-button array, by page (0 to 6) and index (from 1).
    void Exam_Click(int page, int index);
    void Exam_GotFocus(int page, int index);
    // Another catalogue page is shown: the selection follows it.
    void SSTexamples_Click(int page);
    void SetExampleButtons();
    void cmdEditDemo_Click();
    void cmdViewAnswer_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildCatalogue();

    LauncherContext& ctx_;
    std::vector<std::vector<std::string>> files_;  // the captions, by page and index - 1
    std::string selectedExample_;
    std::vector<int> pageChoice_;                  // by page: the index last chosen there, 0 for none
    int shownPage_ = 0;
    bool disablingFocused_ = false;
};

}  // namespace pitchwell
