#include "app/pages/damage_repair_page.h"

#include "app/result_writer.h"
#include "app/user_dialogs.h"
#include "pages/damage_repair.h"
#include "ui_damage_repair_page.h"

namespace kc::app {

DamageRepairPage::DamageRepairPage(QWidget* parent)
    : CalculatorPage(parent), ui(std::make_unique<Ui::DamageRepairPage>()) {
    ui->setupUi(this);
    ui->cmbPos->showUnchosenText(QStringLiteral("Select Location"));

    const auto recalculate = reported(this, &DamageRepairPage::cmbPosChange);
    connect(ui->cmbPos, &widgets::ComboBox::change, this, recalculate);
    for (auto* box : {ui->speTotalArmor, ui->speDamage})
        connect(box, &widgets::SpinEdit::changed, this, recalculate);
    for (auto* box : {ui->chkFuel, ui->chkFuelSuper})
        connect(box, &QCheckBox::toggled, this, recalculate);
}

DamageRepairPage::~DamageRepairPage() = default;

QStringList DamageRepairPage::resultControls() const {
    return {"lblResultDamage"};
}

void DamageRepairPage::cmbPosChange() {
    const pages::DamageRepairInputs inputs{
        .location = ui->cmbPos->itemIndex(),
        .transports = {.superFuelXport = ui->chkFuelSuper->isChecked(),
                       .fuelTransport = ui->chkFuel->isChecked()},
        .totalArmor = ui->speTotalArmor->value(),
        .damagePercent = ui->speDamage->value(),
    };
    const pages::DamageRepairOutcome outcome = pages::computeDamageRepair(inputs);
    writeResult(ui->lblResultDamage, outcome.text);
    raiseIfFailed(outcome.failure);
}

} // namespace kc::app
