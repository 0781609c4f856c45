#include "app/pages/planet_value_page.h"

#include "app/page_context.h"
#include "app/result_writer.h"
#include "app/user_dialogs.h"
#include "rules/game_tables.h"
#include "ui_planet_value_page.h"
#include "widgets/readable_colour.h"

namespace kc::app {

namespace {

// The bars keep the game's colours on a light window; on a dark one they take a light tint of the same hue.
void tintBar(QFrame* bar, const QColor& hue) {
    const QColor shown = widgets::readableOn(hue, bar->palette());
    if (shown != hue)
        bar->setStyleSheet(
            QStringLiteral("QFrame { background-color: %1; } QFrame:disabled { background-color: #808080; }")
                .arg(shown.name()));
}

void drawRange(QFrame* bar, QLabel* low, QLabel* high, const pages::RangeDrawing& drawing) {
    bar->setGeometry(drawing.bar.left, bar->y(), drawing.bar.width, bar->height());
    low->setText(QString::fromStdString(drawing.lowText));
    high->setText(QString::fromStdString(drawing.highText));
}

} // namespace

PlanetValuePage::PlanetValuePage(const PageContext& context, QWidget* parent)
    : CalculatorPage(parent), ui(std::make_unique<Ui::PlanetValuePage>()), tables_(context.tables) {
    ui->setupUi(this);
    ui->spnGravStat->associate(ui->txtGravStat);
    tintBar(ui->shpGrav, QColor(0, 0, 128));
    tintBar(ui->shpTemp, QColor(128, 0, 0));
    tintBar(ui->shpRad, QColor(0, 128, 0));

    const auto recalculate = reported(this, &PlanetValuePage::txtGravStatChange);
    for (QLineEdit* stat : {ui->txtGravStat, ui->txtTempStat, ui->txtRadStat})
        connect(stat, &QLineEdit::textChanged, this, recalculate);
    connect(ui->spnGravStat, &QAbstractSlider::valueChanged, this,
            reported(this, &PlanetValuePage::spnGravStatChanging));
    for (QCheckBox* immune : {ui->chkGravImune, ui->CheckBox3, ui->CheckBox4})
        connect(immune, &QCheckBox::toggled, this, reported(this, &PlanetValuePage::chkGravImuneClick));

    // The "<" buttons and the gravity ">" act as soon as the mouse goes down, the others on a full click.
    const auto onPress = [this](QAbstractButton* button, void (PlanetValuePage::*handler)()) {
        connect(button, &QAbstractButton::pressed, this, reported(this, handler));
    };
    const auto onClick = [this](QAbstractButton* button, void (PlanetValuePage::*handler)()) {
        connect(button, &QAbstractButton::clicked, this, reported(this, handler));
    };
    onPress(ui->btnGravMl, &PlanetValuePage::btnGravMlMouseDown);
    onPress(ui->btnGravMr, &PlanetValuePage::btnGravMrMouseDown);
    onClick(ui->btnGravEnlarge, &PlanetValuePage::btnGravEnlargeClick);
    onClick(ui->btnGravShrink, &PlanetValuePage::btnGravShrinkClick);
    onPress(ui->Button2, &PlanetValuePage::Button2MouseDown);
    onClick(ui->Button5, &PlanetValuePage::Button5Click);
    onClick(ui->Button8, &PlanetValuePage::Button8Click);
    onClick(ui->Button11, &PlanetValuePage::Button11Click);
    onPress(ui->Button3, &PlanetValuePage::Button3MouseDown);
    onClick(ui->Button6, &PlanetValuePage::Button6Click);
    onClick(ui->Button9, &PlanetValuePage::Button9Click);
    onClick(ui->Button12, &PlanetValuePage::Button12Click);
}

PlanetValuePage::~PlanetValuePage() = default;

QStringList PlanetValuePage::resultControls() const {
    return {"txtGravStat", "lblGravMin", "lblGravMax", "lblTempMin",
            "lbltempMax",  "lblRadMin",  "lblRadMax",  "pnlResultValue"};
}

void PlanetValuePage::setStartRanges() {
    ranges_ = pages::HabRanges{};
    redrawStats();
}

void PlanetValuePage::redrawStats() {
    const pages::StatsDrawing drawing = pages::drawStats(ranges_, tables_.GravLow, tables_.GravHigh);
    drawRange(ui->shpGrav, ui->lblGravMin, ui->lblGravMax, drawing.gravity);
    drawRange(ui->shpTemp, ui->lblTempMin, ui->lbltempMax, drawing.temperature);
    drawRange(ui->shpRad, ui->lblRadMin, ui->lblRadMax, drawing.radiation);
}

void PlanetValuePage::txtGravStatChange() {
    const pages::PlanetValueInputs inputs{
        .gravityPosition = ui->spnGravStat->value(),
        .temperatureText = ui->txtTempStat->text().toStdString(),
        .radiationText = ui->txtRadStat->text().toStdString(),
        .ranges = ranges_,
        .gravityImmune = ui->chkGravImune->isChecked(),
        .temperatureImmune = ui->CheckBox3->isChecked(),
        .radiationImmune = ui->CheckBox4->isChecked(),
    };
    const pages::PlanetValueOutcome outcome = pages::computePlanetValue(inputs);
    writeResult(ui->pnlResultValue, outcome.resultText);
    raiseIfFailed(outcome.failure);
}

void PlanetValuePage::spnGravStatChanging() {
    const QString text = QString::fromStdString(
        pages::gravityText(tables_.GravLow, tables_.GravHigh, ui->spnGravStat->value()));
    if (text != ui->txtGravStat->text()) {
        ui->txtGravStat->setText(text); // its change event recomputes
        return;
    }
    // Neighbouring positions can read the same (0 and 1 are both 0.12 g); the value must still follow the
    // position.
    txtGravStatChange();
}

void PlanetValuePage::chkGravImuneClick() {
    showImmunity(ui->chkGravImune, ui->shpGrav,
                 {ui->btnGravMl, ui->btnGravMr, ui->btnGravEnlarge, ui->btnGravShrink, ui->lblGravMin,
                  ui->toGrav, ui->lblGravMax});
    showImmunity(
        ui->CheckBox3, ui->shpTemp,
        {ui->Button2, ui->Button5, ui->Button8, ui->Button11, ui->lblTempMin, ui->toTemp, ui->lbltempMax});
    showImmunity(
        ui->CheckBox4, ui->shpRad,
        {ui->Button3, ui->Button6, ui->Button9, ui->Button12, ui->lblRadMin, ui->toRad, ui->lblRadMax});
    txtGravStatChange();
}

// An immune axis has no range that matters: its bar, end labels and range buttons show disabled.
void PlanetValuePage::showImmunity(QCheckBox* box, QFrame* bar,
                                   std::initializer_list<QWidget*> rangeControls) {
    const bool immune = box->isChecked();
    bar->setEnabled(!immune);
    for (QWidget* control : rangeControls)
        control->setEnabled(!immune);
}

void PlanetValuePage::applyRangeButton(bool (*change)(pages::HabRange&), pages::HabRange& range, bool always,
                                       bool recompute) {
    if (!change(range) && !always)
        return;
    redrawStats();
    if (recompute)
        txtGravStatChange();
}

void PlanetValuePage::btnGravMlMouseDown() {
    applyRangeButton(pages::shiftRangeDown, ranges_.gravity, false);
}

void PlanetValuePage::btnGravMrMouseDown() {
    applyRangeButton(pages::shiftRangeUp, ranges_.gravity, false);
}

void PlanetValuePage::btnGravEnlargeClick() {
    applyRangeButton(pages::widenRange, ranges_.gravity, true);
}

void PlanetValuePage::btnGravShrinkClick() {
    applyRangeButton(pages::narrowRange, ranges_.gravity, true);
}

// The temperature and radiation "<" only redraw: as in the game's own calculator, the panel keeps its value
// until the next recomputation.
void PlanetValuePage::Button2MouseDown() {
    applyRangeButton(pages::shiftRangeDown, ranges_.temperature, false, false);
}

void PlanetValuePage::Button5Click() {
    applyRangeButton(pages::shiftRangeUp, ranges_.temperature, false);
}

void PlanetValuePage::Button8Click() {
    applyRangeButton(pages::widenRange, ranges_.temperature, true);
}

void PlanetValuePage::Button11Click() {
    applyRangeButton(pages::narrowRange, ranges_.temperature, true);
}

void PlanetValuePage::Button3MouseDown() {
    applyRangeButton(pages::shiftRangeDown, ranges_.radiation, false, false);
}

void PlanetValuePage::Button6Click() {
    applyRangeButton(pages::shiftRangeUp, ranges_.radiation, false);
}

void PlanetValuePage::Button9Click() {
    applyRangeButton(pages::widenRange, ranges_.radiation, true);
}

void PlanetValuePage::Button12Click() {
    applyRangeButton(pages::narrowRange, ranges_.radiation, true);
}

} // namespace kc::app
