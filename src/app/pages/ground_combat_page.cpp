#include "app/pages/ground_combat_page.h"

#include "app/result_writer.h"
#include "app/user_dialogs.h"
#include "pages/ground_combat.h"
#include "ui_ground_combat_page.h"

namespace kc::app {

GroundCombatPage::GroundCombatPage(QWidget* parent)
    : CalculatorPage(parent), ui(std::make_unique<Ui::GroundCombatPage>()) {
    ui->setupUi(this);
    const auto recalculate = reported(this, &GroundCombatPage::groChange);
    for (QLineEdit* box : {ui->groundAttackers, ui->groundDefenders, ui->groundDefCov})
        connect(box, &QLineEdit::textChanged, this, recalculate);
    for (QCheckBox* trait : {ui->groundWM, ui->groundIS})
        connect(trait, &QCheckBox::toggled, this, recalculate);
}

GroundCombatPage::~GroundCombatPage() = default;

QStringList GroundCombatPage::resultControls() const {
    return {"groundKilledByDef", "groundWins", "groundPopLeft"};
}

void GroundCombatPage::groChange() {
    const pages::GroundCombatOutcome outcome = pages::computeGroundCombat({
        .attackers = ui->groundAttackers->text().toStdString(),
        .defenders = ui->groundDefenders->text().toStdString(),
        .coverage = ui->groundDefCov->text().toStdString(),
        .attackerIsWarMonger = ui->groundWM->isChecked(),
        .defenderIsInnerStrength = ui->groundIS->isChecked(),
    });
    writeResult(ui->groundKilledByDef, outcome.killed);
    writeResult(ui->groundWins, outcome.winner);
    writeResult(ui->groundPopLeft, outcome.survivors);
    raiseIfFailed(outcome.failure);
}

} // namespace kc::app
