#include "app/pages/fuel_usage_page.h"

#include "app/page_context.h"
#include "app/result_writer.h"
#include "app/user_dialogs.h"
#include "pages/fuel_usage.h"
#include "rules/game_tables.h"
#include "ui_fuel_usage_page.h"

namespace kc::app {

FuelUsagePage::FuelUsagePage(const PageContext& context, QWidget* parent)
    : CalculatorPage(parent), ui(std::make_unique<Ui::FuelUsagePage>()), tables_(context.tables) {
    ui->setupUi(this);
    ui->cmbFuelEngine->showUnchosenText(QStringLiteral("Select an engine"));

    const auto recalculate = reported(this, &FuelUsagePage::speRangeWeightChange);
    for (auto* box : {ui->speFuelMass, ui->speFuelDistance, ui->speFuelSpeed})
        connect(box, &widgets::SpinEdit::changed, this, recalculate);
    connect(ui->cmbFuelEngine, &widgets::ComboBox::change, this, recalculate);
    connect(ui->chkIFE, &QCheckBox::toggled, this, recalculate);
}

FuelUsagePage::~FuelUsagePage() = default;

QStringList FuelUsagePage::resultControls() const {
    return {"pnlResultFuel"};
}

void FuelUsagePage::speRangeWeightChange() {
    const pages::FuelUsageInputs inputs{
        .mass = ui->speFuelMass->value(),
        .speed = ui->speFuelSpeed->value(),
        .engine = ui->cmbFuelEngine->itemIndex(),
        .distance = ui->speFuelDistance->value(),
        .improvedFuelEfficiency = ui->chkIFE->isChecked(),
    };
    const pages::FuelUsageOutcome outcome = pages::computeFuelUsage(tables_.FuelTable, inputs);
    writeResult(ui->pnlResultFuel, outcome.text);
    raiseIfFailed(outcome.failure);
}

} // namespace kc::app
