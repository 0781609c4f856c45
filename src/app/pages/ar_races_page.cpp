#include "app/pages/ar_races_page.h"

#include "app/result_writer.h"
#include "app/user_dialogs.h"
#include "pages/ar_races.h"
#include "ui_ar_races_page.h"

namespace kc::app {

namespace {

std::optional<pages::Starbase> starbaseAt(int index) {
    if (index < 0 || index > static_cast<int>(pages::Starbase::DeathStar))
        return std::nullopt;
    return static_cast<pages::Starbase>(index);
}

} // namespace

ArRacesPage::ArRacesPage(QWidget* parent) : CalculatorPage(parent), ui(std::make_unique<Ui::ArRacesPage>()) {
    ui->setupUi(this);
    ui->cmbStarBase->showUnchosenText(QStringLiteral("Select Starbase"));

    const auto recalculate = reported(this, &ArRacesPage::speARpopChange);
    for (auto* box : {ui->speARpop, ui->speARvalue, ui->speARenergy, ui->speAReff})
        connect(box, &widgets::SpinEdit::changed, this, recalculate);
    connect(ui->cmbStarBase, &widgets::ComboBox::change, this, recalculate);
    connect(ui->chkNoAdvScanners, &QCheckBox::toggled, this, recalculate);
}

ArRacesPage::~ArRacesPage() = default;

QStringList ArRacesPage::resultControls() const {
    return {"lblARScanRange", "lblARpenScan", "lblARresources", "lblARMining"};
}

void ArRacesPage::speARpopChange() {
    const pages::ArRacesInputs inputs{
        .population = ui->speARpop->value(),
        .planetValue = ui->speARvalue->value(),
        .starbase = starbaseAt(ui->cmbStarBase->itemIndex()),
        .energyTech = ui->speARenergy->value(),
        .efficiency = ui->speAReff->value(),
        .noAdvancedScanners = ui->chkNoAdvScanners->isChecked(),
    };
    const pages::ArRacesOutcome outcome = pages::computeArRaces(inputs);
    writeResult(ui->lblARScanRange, outcome.scanningRange);
    writeResult(ui->lblARpenScan, outcome.penetratingRange);
    writeResult(ui->lblARresources, outcome.resources);
    writeResult(ui->lblARMining, outcome.mining);
    raiseIfFailed(outcome.failure);
}

} // namespace kc::app
