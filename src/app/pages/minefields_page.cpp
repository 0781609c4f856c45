#include "app/pages/minefields_page.h"

#include "app/result_writer.h"
#include "app/user_dialogs.h"
#include "pages/minefields.h"
#include "ui_minefields_page.h"

namespace kc::app {

MinefieldsPage::MinefieldsPage(QWidget* parent)
    : CalculatorPage(parent), ui(std::make_unique<Ui::MinefieldsPage>()) {
    ui->setupUi(this);
    ui->cmbWeapon->showUnchosenText(QStringLiteral("Select Weapon"));

    const auto sweep = reported(this, &MinefieldsPage::cmbWeaponChange);
    connect(ui->cmbWeapon, &widgets::ComboBox::change, this, sweep);
    connect(ui->speNumber, &widgets::SpinEdit::changed, this, sweep);

    const auto decay = reported(this, &MinefieldsPage::chkSpaceDem2Click);
    connect(ui->chkSpaceDem2, &QCheckBox::toggled, this, decay);
    connect(ui->speMines, &widgets::SpinEdit::changed, this, decay);
    connect(ui->spePlanetsInField, &widgets::SpinEdit::changed, this, decay);

    const auto diameter = reported(this, &MinefieldsPage::txtMinesYearChange);
    connect(ui->chkSpaceDem, &QCheckBox::toggled, this, diameter);
    connect(ui->txtMinesYear, &widgets::SpinEdit::changed, this, diameter);
    connect(ui->txtPlanetsInField, &widgets::SpinEdit::changed, this, diameter);
}

MinefieldsPage::~MinefieldsPage() = default;

QStringList MinefieldsPage::resultControls() const {
    return {"lblResultSweep", "lblResultMines", "lblResultMine2"};
}

void MinefieldsPage::cmbWeaponChange() {
    // With no weapon chosen the label keeps its text.
    writeResult(ui->lblResultSweep, pages::computeMineSweep({
                                        .weapon = ui->cmbWeapon->itemIndex(),
                                        .ships = ui->speNumber->value(),
                                    }));
}

void MinefieldsPage::chkSpaceDem2Click() {
    const std::string text = pages::computeDecayRate({
        .spaceDemolition = ui->chkSpaceDem2->isChecked(),
        .mines = ui->speMines->value(),
        .planets = ui->spePlanetsInField->value(),
    });
    ui->lblResultMines->setText(QString::fromStdString(text));
}

void MinefieldsPage::txtMinesYearChange() {
    const std::string text = pages::computeMaximumDiameter({
        .spaceDemolition = ui->chkSpaceDem->isChecked(),
        .minesPerYear = ui->txtMinesYear->value(),
        .planets = ui->txtPlanetsInField->value(),
    });
    ui->lblResultMine2->setText(QString::fromStdString(text));
}

} // namespace kc::app
