#include "app/pages/beam_weapons_page.h"

#include "app/result_writer.h"
#include "app/user_dialogs.h"
#include "pages/beam_weapons.h"
#include "rules/weapons.h"
#include "ui_beam_weapons_page.h"

namespace kc::app {

namespace {

std::optional<pages::BeamWeapon> weaponAt(int position) {
    const auto power = rules::GetWeaponPower(position, "Power");
    const auto range = rules::GetWeaponPower(position, "Range");
    if (!power || !range)
        return std::nullopt;
    return pages::BeamWeapon{.power = *power, .range = *range};
}

} // namespace

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
    const int weapon = ui->cmbDamageWeapon->itemIndex();
    const pages::BeamWeaponsInputs inputs{
        .weaponChosen = weapon >= 0,
        .weapon = weaponAt(weapon),
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
