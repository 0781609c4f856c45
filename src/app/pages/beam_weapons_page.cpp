#include "app/pages/beam_weapons_page.h"

#include "app/result_writer.h"
#include "app/user_dialogs.h"
#include "pages/beam_weapons.h"
#include "ui_beam_weapons_page.h"

namespace kc::app {

BeamWeaponsPage::BeamWeaponsPage(QWidget* parent)
    : CalculatorPage(parent), ui(std::make_unique<Ui::BeamWeaponsPage>()) {
    ui->setupUi(this);
    ui->cmbDamageWeapon->showUnchosenText(QStringLiteral("Select Weapon"));

    const auto recalculate = reported(this, &BeamWeaponsPage::cmbDamageWeaponChange);
    connect(ui->cmbDamageWeapon, &widgets::ComboBox::change, this, recalculate);
    for (auto* box : {ui->speDamageNbrWeapon, ui->speWeaponDist, ui->speDamageEnCap, ui->speDamageFlux,
                      ui->speDamageDeflect})
        connect(box, &widgets::SpinEdit::changed, this, recalculate);
}

BeamWeaponsPage::~BeamWeaponsPage() = default;

QStringList BeamWeaponsPage::resultControls() const {
    return {"pnlResultDamage"};
}

void BeamWeaponsPage::cmbDamageWeaponChange() {
    const pages::BeamWeaponsInputs inputs{
        .weapon = ui->cmbDamageWeapon->itemIndex(),
        .weapons = ui->speDamageNbrWeapon->value(),
        .distance = ui->speWeaponDist->value(),
        .energyCapacitors = ui->speDamageEnCap->value(),
        .fluxCapacitors = ui->speDamageFlux->value(),
        .deflectors = ui->speDamageDeflect->value(),
    };
    const pages::BeamWeaponsOutcome outcome = pages::computeBeamWeapons(inputs);
    writeResult(ui->pnlResultDamage, outcome.text);
    raiseIfFailed(outcome.failure);
}

} // namespace kc::app
