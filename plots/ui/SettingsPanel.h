// The Setup tab's settings panel: black-and-white output, grid lines and their style, the six
// element colours and the fixed axis ranges. It keeps the viewer's display settings in step
// with its controls, and loads and saves them under the plot window's settings key.
#pragma once

#include "common/Dialogs.h"
#include "common/Registry.h"
#include "plots/render/Colour.h"
#include "plots/run/Viewer.h"

#include <QGroupBox>

#include <array>
#include <functional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace plots {

// Places a control in twips (15 to a pixel), as the window is designed.
void SetTwips(QWidget* w, int left, int top, int width, int height);

class SettingsPanel : public QGroupBox {
    Q_OBJECT
public:
    // `setupShown` tells whether the Setup tab is the one shown.
    SettingsPanel(Viewer& viewer, tk::Registry& registry, tk::Dialogs& dialogs,
                  std::function<bool()> setupShown, QWidget* parent);

    // The controls, by the names the window gives them.
    QCheckBox* chkBlacknWhite;
    // Anti-aliased curves, frame and grid; off draws the classic hard-edged lines.
    QCheckBox* chkSmoothLines;
    QGroupBox* fraGridType;
    std::array<QRadioButton*, 4> optGridType;
    QGroupBox* fraGridLines;
    std::array<QRadioButton*, 4> optGridLines;
    std::array<QLabel*, 6> lblColor;
    std::array<QLineEdit*, 6> txtColor;
    std::array<QPushButton*, 6> cmdColor;
    QGroupBox* fraXaxis;
    QCheckBox* chkXaxis;
    QLabel* lblXmin;
    QLabel* lblXstep;
    QLineEdit* txtXmin;
    QLineEdit* txtXstep;
    QGroupBox* fraYaxis;
    QCheckBox* chkYaxis;
    QLabel* lblYmin;
    QLabel* lblYstep;
    QLineEdit* txtYmin;
    QLineEdit* txtYstep;

    Colour SwatchColour(int index) const { return colours_.at(index); }
    void SetSwatchColour(int index, Colour c);
    GridStyle GridType() const;
    GridAxes GridLines() const;

    void SetGridDefaults();
    void ClearAxisChecks();
    void LoadSettings();
    // Writes every setting; the colours only when black-and-white is off.
    void SaveSettings();
    void ApplyBlackAndWhite();
    void UpdateXFields();
    void UpdateYFields();
    // The axis boxes follow their check boxes when the Setup tab comes into view, so that a
    // ticked axis never shows boxes that cannot be edited; the focus stays where it is.
    void ShowAxisFields();
    // The swatches, their buttons and the three check boxes (not the labels).
    void EnableSettings(bool flag);
    void cmdColor_Click(int index);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    void chkXaxis_Click();
    void chkYaxis_Click();
    void UpdateAxisFields(QCheckBox* check, QLineEdit* minBox, QLineEdit* stepBox, bool giveFocus = true);
    void FillEmptyRange(QLineEdit* minBox, QLineEdit* stepBox, double min, double max, int steps);
    void ValidateStep(QLineEdit* box, const std::string& axis);
    // What the controls show, the colours as the swatches keep them.
    DisplaySettings Shown() const;
    void ShowSettings(const DisplaySettings& s);
    // Copies the controls' state into the viewer's display settings.
    void SyncSettings();

    Viewer& viewer_;
    tk::Registry& registry_;
    tk::Dialogs& dialogs_;
    std::function<bool()> setupShown_;
    std::array<Colour, 6> colours_{};
    bool checkPending_ = false;
};

}  // namespace plots
