#include "plots/ui/SettingsPanel.h"

#include "plots/report/Format.h"
#include "plots/run/SettingsStore.h"
#include "plots/run/Startup.h"

#include <QApplication>
#include <QCheckBox>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace plots {

namespace {

const std::array<const char*, 4> GridTypeCaptions = {"Solid", "Dashed", "Dotted", "Dashed-Dot-Dot"};
const std::array<const char*, 4> GridLinesCaptions = {"No Grid Lines", "X && Y Axes", "X Axis Only", "Y Axis Only"};
const std::array<const char*, 6> ColourCaptions = {"Axes:", "Titles:", "Misc Info:", "Curve1:", "Curve2:", "Background:"};

void SetBackground(QLineEdit* box, const QColor& colour)
{
    QPalette p = box->palette();
    p.setColor(QPalette::Base, colour);
    box->setPalette(p);
}

// The choice whose button is checked; the first when none is.
template <typename Choice>
Choice CheckedChoice(const std::array<QRadioButton*, 4>& options)
{
    for (int i = 0; i < 4; ++i)
        if (options[i]->isChecked()) return static_cast<Choice>(i);
    return static_cast<Choice>(0);
}

void Check(const std::array<QRadioButton*, 4>& options, int choice) { options.at(choice)->setChecked(true); }

std::string Text(const QLineEdit* box) { return box->text().toStdString(); }

}  // namespace

void SetTwips(QWidget* w, int left, int top, int width, int height)
{
    const auto px = [](int twips) { return (twips + 7) / 15; };
    w->setGeometry(px(left), px(top), px(width), px(height));
}

SettingsPanel::SettingsPanel(Viewer& viewer, tk::Registry& registry, tk::Dialogs& dialogs,
                             std::function<bool()> setupShown, QWidget* parent)
    : QGroupBox(parent), viewer_(viewer), registry_(registry), dialogs_(dialogs), setupShown_(std::move(setupShown))
{
    setObjectName("fraSettings");
    colours_ = DesignColours;
    BuildControls();
    SetGridDefaults();
    for (int i = 0; i < 6; ++i) SetSwatchColour(i, colours_[i]);
    SyncSettings();
}

void SettingsPanel::BuildControls()
{
    const auto named = [](QWidget* w, const QString& name) {
        w->setObjectName(name);
        return w;
    };

    fraGridType = new QGroupBox("Type of Grid Lines", this);
    fraGridType->setObjectName("fraGridType");
    SetTwips(fraGridType, 150, 150, 2700, 1950);
    fraGridLines = new QGroupBox("Plot Grid Lines", this);
    fraGridLines->setObjectName("fraGridLines");
    SetTwips(fraGridLines, 3000, 150, 2700, 1950);
    for (int i = 0; i < 4; ++i) {
        optGridType[i] = new QRadioButton(GridTypeCaptions[i], fraGridType);
        named(optGridType[i], QString("optGridType_%1").arg(i));
        SetTwips(optGridType[i], 180, 330 + i * 390, 2400, 330);
        optGridLines[i] = new QRadioButton(GridLinesCaptions[i], fraGridLines);
        named(optGridLines[i], QString("optGridLines_%1").arg(i));
        SetTwips(optGridLines[i], 180, 330 + i * 390, 2400, 330);
        connect(optGridType[i], &QRadioButton::toggled, this, [this] { SyncSettings(); });
        connect(optGridLines[i], &QRadioButton::toggled, this, [this] { SyncSettings(); });
    }

    chkBlacknWhite = new QCheckBox("Black && White Plots", this);
    named(chkBlacknWhite, "chkBlacknWhite");
    SetTwips(chkBlacknWhite, 150, 2250, 3600, 360);
    connect(chkBlacknWhite, &QCheckBox::toggled, this, [this] {
        ApplyBlackAndWhite();
        SyncSettings();
    });

    chkSmoothLines = new QCheckBox("Smooth lines", this);
    named(chkSmoothLines, "chkSmoothLines");
    SetTwips(chkSmoothLines, 6150, 5010, 1800, 360);
    connect(chkSmoothLines, &QCheckBox::toggled, this, [this] {
        SyncSettings();
        viewer_.Redraw();
    });

    for (int i = 0; i < 6; ++i) {
        const int top = 2760 + i * 600;
        lblColor[i] = new QLabel(ColourCaptions[i], this);
        named(lblColor[i], QString("lblColor_%1").arg(i));
        lblColor[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        SetTwips(lblColor[i], 150, top + 30, 1350, 330);
        txtColor[i] = new QLineEdit(this);
        named(txtColor[i], QString("txtColor_%1").arg(i));
        txtColor[i]->setReadOnly(true);
        txtColor[i]->setFocusPolicy(Qt::NoFocus);
        SetTwips(txtColor[i], 1560, top, 1800, 390);
        cmdColor[i] = new QPushButton("Pick Color", this);
        named(cmdColor[i], QString("cmdColor_%1").arg(i));
        SetTwips(cmdColor[i], 3480, top - 15, 1500, 420);
        connect(cmdColor[i], &QPushButton::clicked, this, [this, i] { cmdColor_Click(i); });
    }

    const auto axisFrame = [&](const QString& axis, int top, QGroupBox*& frame, QCheckBox*& check, QLabel*& lblMin,
                               QLabel*& lblStep, QLineEdit*& minBox, QLineEdit*& stepBox, const char* stepCaption) {
        frame = new QGroupBox(axis + "-axis Scaling Setup ", this);
        named(frame, "fra" + axis + "axis");
        SetTwips(frame, 6000, top, 5550, 2250);
        check = new QCheckBox("Use following " + axis + " values for plots:", frame);
        named(check, "chk" + axis + "axis");
        SetTwips(check, 240, 420, 5000, 360);
        lblMin = new QLabel("Enter " + axis + "-min value:", frame);
        named(lblMin, "lbl" + axis + "min");
        SetTwips(lblMin, 240, 1020, 2600, 330);
        minBox = new QLineEdit("0", frame);
        named(minBox, "txt" + axis + "min");
        SetTwips(minBox, 2900, 960, 2400, 390);
        lblStep = new QLabel(stepCaption, frame);
        named(lblStep, "lbl" + axis + "step");
        SetTwips(lblStep, 240, 1620, 2600, 330);
        stepBox = new QLineEdit("0", frame);
        named(stepBox, "txt" + axis + "step");
        SetTwips(stepBox, 2900, 1560, 2400, 390);
        for (QLineEdit* box : {minBox, stepBox}) {
            box->installEventFilter(this);
            connect(box, &QLineEdit::textChanged, this, [this] { SyncSettings(); });
        }
    };
    axisFrame("X", 150, fraXaxis, chkXaxis, lblXmin, lblXstep, txtXmin, txtXstep, "X-step for 10 steps:");
    axisFrame("Y", 2600, fraYaxis, chkYaxis, lblYmin, lblYstep, txtYmin, txtYstep, "Y-step for 5 steps:");
    // Setting a check box from code runs its click behaviour, as a user's click does.
    connect(chkXaxis, &QCheckBox::toggled, this, [this] { chkXaxis_Click(); });
    connect(chkYaxis, &QCheckBox::toggled, this, [this] { chkYaxis_Click(); });
}

void SettingsPanel::SetSwatchColour(int index, Colour c)
{
    colours_.at(index) = c;
    SetBackground(txtColor[index], ToQColor(c & 0xFFFFFF));
    SyncSettings();
}

GridStyle SettingsPanel::GridType() const { return CheckedChoice<GridStyle>(optGridType); }
GridAxes SettingsPanel::GridLines() const { return CheckedChoice<GridAxes>(optGridLines); }

void SettingsPanel::SetGridDefaults()
{
    const DisplaySettings defaults;
    Check(optGridLines, int(defaults.GridLines));
    Check(optGridType, int(defaults.GridType));
}

void SettingsPanel::ClearAxisChecks()
{
    chkXaxis->setChecked(false);
    chkYaxis->setChecked(false);
}

void SettingsPanel::LoadSettings()
{
    viewer_.Run().UseSettingsKey(SettingsSubkey);
    ShowSettings(LoadDisplaySettings(registry_, SettingsSubkey, Shown()));
}

void SettingsPanel::ShowSettings(const DisplaySettings& s)
{
    chkBlacknWhite->setChecked(s.BlackAndWhite);
    chkSmoothLines->setChecked(s.SmoothLines);
    Check(optGridType, int(s.GridType));
    Check(optGridLines, int(s.GridLines));
    // Ticking an axis fills its empty boxes from the shown plot; the kept texts then win.
    const auto showAxis = [](const AxisOverride& axis, QCheckBox* check, QLineEdit* minBox, QLineEdit* stepBox) {
        check->setChecked(axis.Enabled);
        stepBox->setText(QString::fromStdString(axis.StepText));
        minBox->setText(QString::fromStdString(axis.MinText));
    };
    showAxis(s.X, chkXaxis, txtXmin, txtXstep);
    showAxis(s.Y, chkYaxis, txtYmin, txtYstep);
    for (int i = 0; i < 6; ++i) SetSwatchColour(i, s.Colours[i]);
    SyncSettings();
}

void SettingsPanel::SaveSettings()
{
    viewer_.Run().UseSettingsKey(SettingsSubkey);
    try {
        SaveDisplaySettings(registry_, SettingsSubkey, Shown());
    } catch (const tk::RegistryError& e) {
        // Without the key nothing could be kept; say so rather than pretend it was saved.
        dialogs_.Show(e.what(), "Graphel", tk::MsgIcon::Critical, tk::MsgButtons::Ok);
    }
}

void SettingsPanel::ApplyBlackAndWhite()
{
    const bool colour = !chkBlacknWhite->isChecked();
    for (int i = 0; i < 6; ++i) {
        txtColor[i]->setEnabled(colour);
        cmdColor[i]->setEnabled(colour);
        lblColor[i]->setEnabled(colour);
    }
}

void SettingsPanel::UpdateAxisFields(QCheckBox* check, QLineEdit* minBox, QLineEdit* stepBox, bool giveFocus)
{
    const bool editable = setupShown_() && check->isChecked();
    const QPalette system = QApplication::palette();
    const QColor back = editable ? system.color(QPalette::Active, QPalette::Base)
                                 : system.color(QPalette::Disabled, QPalette::Text);
    for (QLineEdit* box : {minBox, stepBox}) {
        box->setEnabled(editable);
        SetBackground(box, back);
    }
    // The focus can only go to a box the user can see.
    if (giveFocus && editable && window()->isVisible()) minBox->setFocus();
}

void SettingsPanel::UpdateXFields() { UpdateAxisFields(chkXaxis, txtXmin, txtXstep); }
void SettingsPanel::UpdateYFields() { UpdateAxisFields(chkYaxis, txtYmin, txtYstep); }

void SettingsPanel::ShowAxisFields()
{
    UpdateAxisFields(chkXaxis, txtXmin, txtXstep, false);
    UpdateAxisFields(chkYaxis, txtYmin, txtYstep, false);
}

void SettingsPanel::EnableSettings(bool flag)
{
    for (int i = 0; i < 6; ++i) {
        txtColor[i]->setEnabled(flag);
        cmdColor[i]->setEnabled(flag);
    }
    chkBlacknWhite->setEnabled(flag);
    chkXaxis->setEnabled(flag);
    chkYaxis->setEnabled(flag);
    UpdateXFields();
    UpdateYFields();
}

void SettingsPanel::cmdColor_Click(int index)
{
    if (const auto chosen = dialogs_.PickColour(colours_.at(index) & 0xFFFFFF)) SetSwatchColour(index, *chosen & 0xFFFFFF);
}

void SettingsPanel::FillEmptyRange(QLineEdit* minBox, QLineEdit* stepBox, double min, double max, int steps)
{
    if (minBox->text().isEmpty()) minBox->setText(QString::fromStdString(FormatGeneral(min)));
    if (stepBox->text().isEmpty()) stepBox->setText(QString::fromStdString(FormatGeneral((max - min) / steps)));
}

void SettingsPanel::chkXaxis_Click()
{
    UpdateXFields();
    FillEmptyRange(txtXmin, txtXstep, viewer_.Axis().Xmin, viewer_.Axis().Xmax, 10);
    SyncSettings();
}

void SettingsPanel::chkYaxis_Click()
{
    UpdateYFields();
    FillEmptyRange(txtYmin, txtYstep, viewer_.Axis().Ymin, viewer_.Axis().Ymax, 5);
    SyncSettings();
}

void SettingsPanel::ValidateStep(QLineEdit* box, const std::string& axis)
{
    const std::string text = Text(box);
    if (text.empty() || LeadingNumber(text) != 0) return;
    dialogs_.Show("Please enter a non-zero number for " + axis + "-step size.", "Graphel", tk::MsgIcon::Exclamation,
                  tk::MsgButtons::Ok);
    box->setFocus();
}

bool SettingsPanel::eventFilter(QObject* watched, QEvent* event)
{
    auto* box = qobject_cast<QLineEdit*>(watched);
    if (!box) return QGroupBox::eventFilter(watched, event);
    if (event->type() == QEvent::FocusIn) {
        // After the click that gave the focus has placed the cursor.
        QMetaObject::invokeMethod(box, &QLineEdit::selectAll, Qt::QueuedConnection);
    } else if (event->type() == QEvent::FocusOut && (box == txtXstep || box == txtYstep)) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        // Switching to another window or opening a menu is not leaving the box.
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason && !checkPending_) {
            checkPending_ = true;
            // Checked once the focus has moved, so that the box (a modal window) cannot
            // interrupt a click half-way; the click it would have made is then dropped.
            QMetaObject::invokeMethod(
                this,
                [this, box] {
                    checkPending_ = false;
                    if (box->window()->isVisible()) ValidateStep(box, box == txtXstep ? "X" : "Y");
                },
                Qt::QueuedConnection);
        }
    }
    return QGroupBox::eventFilter(watched, event);
}

DisplaySettings SettingsPanel::Shown() const
{
    DisplaySettings s = viewer_.Settings();
    s.BlackAndWhite = chkBlacknWhite->isChecked();
    s.SmoothLines = chkSmoothLines->isChecked();
    s.GridType = GridType();
    s.GridLines = GridLines();
    s.Colours = colours_;
    s.X = {chkXaxis->isChecked(), Text(txtXmin), Text(txtXstep)};
    s.Y = {chkYaxis->isChecked(), Text(txtYmin), Text(txtYstep)};
    return s;
}

void SettingsPanel::SyncSettings()
{
    DisplaySettings s = Shown();
    for (Colour& c : s.Colours) c &= 0xFFFFFF;
    viewer_.UseSettings(s);
}

}  // namespace plots
