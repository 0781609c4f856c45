#include "app/pages/battle_speed_page.h"

#include "app/result_writer.h"
#include "app/user_dialogs.h"
#include "pages/battle_speed.h"
#include "ui_battle_speed_page.h"

namespace kc::app {

BattleSpeedPage::BattleSpeedPage(QWidget* parent)
    : CalculatorPage(parent), ui(std::make_unique<Ui::BattleSpeedPage>()) {
    ui->setupUi(this);
    ui->cmbEngine->showUnchosenText(QStringLiteral("Select an engine"));

    const auto recalculate = reported(this, &BattleSpeedPage::cmbEngineChange);
    connect(ui->cmbEngine, &widgets::ComboBox::change, this, recalculate);
    for (auto* box :
         {ui->speNbrEngines, ui->speNbrManJets, ui->speNbrOver, ui->speEmptyWeight, ui->speFreightWeight})
        connect(box, &widgets::SpinEdit::changed, this, recalculate);
}

BattleSpeedPage::~BattleSpeedPage() = default;

QStringList BattleSpeedPage::resultControls() const {
    return {"pnlResultSpeed"};
}

void BattleSpeedPage::cmbEngineChange() {
    const pages::BattleSpeedInputs inputs{
        .engine = ui->cmbEngine->itemIndex(),
        .engines = ui->speNbrEngines->value(),
        .maneuveringJets = ui->speNbrManJets->value(),
        .overthrusters = ui->speNbrOver->value(),
        .emptyWeight = ui->speEmptyWeight->value(),
        .freightWeight = ui->speFreightWeight->value(),
    };
    const pages::BattleSpeedOutcome outcome = pages::computeBattleSpeed(inputs);
    writeResult(ui->pnlResultSpeed, outcome.text);
    raiseIfFailed(outcome.failure);
}

} // namespace kc::app
