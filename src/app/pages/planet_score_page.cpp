#include "app/pages/planet_score_page.h"

#include "app/result_writer.h"
#include "app/user_dialogs.h"
#include "pages/planet_score.h"
#include "ui_planet_score_page.h"

namespace kc::app {

PlanetScorePage::PlanetScorePage(QWidget* parent)
    : CalculatorPage(parent), ui(std::make_unique<Ui::PlanetScorePage>()) {
    ui->setupUi(this);

    // An arrow click changes the text, so the change event alone recalculates once per click.
    const auto recalculate = reported(this, &PlanetScorePage::speNbrPlanetsChange);
    for (auto* box :
         {ui->speNbrPlanets, ui->speNbrUnarmed, ui->speNbrArmed, ui->speNbrCapital, ui->spePop, ui->speRec})
        connect(box, &widgets::SpinEdit::changed, this, recalculate);
    connect(ui->chkStarDock, &QCheckBox::toggled, this, recalculate);
}

PlanetScorePage::~PlanetScorePage() = default;

QStringList PlanetScorePage::resultControls() const {
    return {"pnlResultScore"};
}

void PlanetScorePage::speNbrPlanetsChange() {
    const pages::PlanetScoreOutcome outcome = pages::computePlanetScore({
        .planets = ui->speNbrPlanets->value(),
        .unarmedShips = ui->speNbrUnarmed->value(),
        .escortShips = ui->speNbrArmed->value(),
        .capitalShips = ui->speNbrCapital->value(),
        .population = ui->spePop->value(),
        .resources = ui->speRec->value(),
        .starbaseWithSpaceDock = ui->chkStarDock->isChecked(),
    });
    writeResult(ui->pnlResultScore, outcome.text);
    raiseIfFailed(outcome.failure);
}

} // namespace kc::app
