#include "app/pages/jammers_page.h"

#include "app/result_writer.h"
#include "app/user_dialogs.h"
#include "pages/jammers.h"
#include "ui_jammers_page.h"

namespace kc::app {

JammersPage::JammersPage(QWidget* parent) : CalculatorPage(parent), ui(std::make_unique<Ui::JammersPage>()) {
    ui->setupUi(this);
    ui->cmbTorpType->showUnchosenText(QStringLiteral("Select A torpedo"));

    const auto recalculate = reported(this, &JammersPage::speJam10Change);
    for (auto* box : {ui->speJam10, ui->speJam20, ui->speJam30, ui->speJam50, ui->speBattle,
                      ui->speBattleSuper, ui->speBattleNexus})
        connect(box, &widgets::SpinEdit::changed, this, recalculate);
    connect(ui->cmbTorpType, &widgets::ComboBox::change, this, recalculate);
}

JammersPage::~JammersPage() = default;

QStringList JammersPage::resultControls() const {
    return {"pnlResultTorp"};
}

void JammersPage::speJam10Change() {
    const pages::JammersInputs inputs{
        .jammer10 = ui->speJam10->value(),
        .jammer20 = ui->speJam20->value(),
        .jammer30 = ui->speJam30->value(),
        .jammer50 = ui->speJam50->value(),
        .computer = ui->speBattle->value(),
        .superComputer = ui->speBattleSuper->value(),
        .nexus = ui->speBattleNexus->value(),
        .torpedo = ui->cmbTorpType->itemIndex(),
    };
    const pages::JammersOutcome outcome = pages::computeJammers(inputs);
    writeResult(ui->pnlResultTorp, outcome.text);
    raiseIfFailed(outcome.failure);
}

} // namespace kc::app
