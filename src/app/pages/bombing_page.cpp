#include "app/pages/bombing_page.h"

#include "app/page_context.h"
#include "app/result_writer.h"
#include "app/user_dialogs.h"
#include "pages/bombing.h"
#include "rules/game_tables.h"
#include "ui_bombing_page.h"

namespace kc::app {

BombingPage::BombingPage(const PageContext& context, QWidget* parent)
    : CalculatorPage(parent), ui(std::make_unique<Ui::BombingPage>()), tables_(context.tables) {
    ui->setupUi(this);
    for (auto* type : {ui->cmbBombType1, ui->cmbBombType2, ui->cmbBombType3, ui->cmbBombType4})
        type->showUnchosenText(QStringLiteral("Select Type"));
    ui->cmbBombDef->showUnchosenText(QStringLiteral("Select Defense type"));

    const auto recalculate = reported(this, &BombingPage::speBombNbr1Change);
    for (auto* box : {ui->speBombNbr1, ui->speBombNbr2, ui->speBombNbr3, ui->speBombNbr4, ui->speBombers,
                      ui->speBombPop, ui->speBombDef})
        connect(box, &widgets::SpinEdit::changed, this, recalculate);
    for (auto* list :
         {ui->cmbBombType1, ui->cmbBombType2, ui->cmbBombType3, ui->cmbBombType4, ui->cmbBombDef})
        connect(list, &widgets::ComboBox::change, this, recalculate);
}

BombingPage::~BombingPage() = default;

QStringList BombingPage::resultControls() const {
    return {"lblBombres", "lblBombDef"};
}

void BombingPage::speBombNbr1Change() {
    const auto row = [](const widgets::SpinEdit* count, const widgets::ComboBox* type) {
        return pages::BombRowInput{.bombsPerBomber = count->value(), .type = type->itemIndex()};
    };
    const pages::BombingInputs inputs{
        .rows = {row(ui->speBombNbr1, ui->cmbBombType1), row(ui->speBombNbr2, ui->cmbBombType2),
                 row(ui->speBombNbr3, ui->cmbBombType3), row(ui->speBombNbr4, ui->cmbBombType4)},
        .bombers = ui->speBombers->value(),
        .population = ui->speBombPop->value(),
        .defenseType = ui->cmbBombDef->itemIndex(),
        .defenses = ui->speBombDef->value(),
    };
    const pages::BombingOutcome outcome = pages::computeBombing(tables_.BombTable, inputs);
    writeResult(ui->lblBombres, outcome.bombingText);
    writeResult(ui->lblBombDef, outcome.coverageText);
    raiseIfFailed(outcome.failure);
}

} // namespace kc::app
