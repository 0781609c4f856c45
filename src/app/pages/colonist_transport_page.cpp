#include "app/pages/colonist_transport_page.h"

#include "app/result_writer.h"
#include "app/user_dialogs.h"
#include "pages/colonist_transport.h"
#include "ui_colonist_transport_page.h"

namespace kc::app {

ColonistTransportPage::ColonistTransportPage(QWidget* parent)
    : CalculatorPage(parent), ui(std::make_unique<Ui::ColonistTransportPage>()) {
    ui->setupUi(this);

    const auto innerStrength = reported(this, &ColonistTransportPage::speColISGrowthChange);
    for (auto* box : {ui->speColISGrowth, ui->speColISFull, ui->speColISyears})
        connect(box, &widgets::SpinEdit::changed, this, innerStrength);
    const auto alternateReality = reported(this, &ColonistTransportPage::speColARChange);
    for (auto* box : {ui->speColAR, ui->speColARyears})
        connect(box, &widgets::SpinEdit::changed, this, alternateReality);
}

ColonistTransportPage::~ColonistTransportPage() = default;

QStringList ColonistTransportPage::resultControls() const {
    return {"pnlResultColIS", "pnlResultColAR"};
}

void ColonistTransportPage::speColISGrowthChange() {
    const pages::ColonistOutcome outcome = pages::computeInnerStrength({
        .growthRate = ui->speColISGrowth->value(),
        .space = ui->speColISFull->value(),
        .years = ui->speColISyears->value(),
    });
    writeResult(ui->pnlResultColIS, outcome.text);
    raiseIfFailed(outcome.failure);
}

void ColonistTransportPage::speColARChange() {
    const pages::ColonistOutcome outcome = pages::computeAlternateReality({
        .colonists = ui->speColAR->value(),
        .years = ui->speColARyears->value(),
    });
    writeResult(ui->pnlResultColAR, outcome.text);
    raiseIfFailed(outcome.failure);
}

} // namespace kc::app
