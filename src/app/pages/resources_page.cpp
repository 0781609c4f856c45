#include "app/pages/resources_page.h"

#include "app/result_writer.h"
#include "app/user_dialogs.h"
#include "pages/resources.h"
#include "ui_resources_page.h"

#include <QScopedValueRollback>

#include <utility>

namespace kc::app {

ResourcesPage::ResourcesPage(QWidget* parent)
    : CalculatorPage(parent), ui(std::make_unique<Ui::ResourcesPage>()) {
    ui->setupUi(this);

    for (auto* box : {ui->chkRRDJoat, ui->chkRRDHE, ui->chkRRDOBRM})
        connect(box, &QCheckBox::toggled, this, &ResourcesPage::inputChanged);
    // The factory cost recalculates although it does not enter the production.
    for (auto* box :
         {ui->speRRDrecCol, ui->speRRDFactProd, ui->speRRDFactCost, ui->speRRDOpperate, ui->speRRDvalue})
        connect(box, &widgets::SpinEdit::changed, this, &ResourcesPage::inputChanged);
}

ResourcesPage::~ResourcesPage() = default;

QStringList ResourcesPage::resultControls() const {
    return {"Label135"};
}

void ResourcesPage::inputChanged() {
    if (!handlerRunning_) {
        runReported([this] { speRRDrecColChange(); });
        return;
    }
    try {
        speRRDrecColChange();
    } catch (const RuntimeError& failure) {
        nestedFailure_ = failure;
    }
}

void ResourcesPage::speRRDrecColChange() {
    if (ui->chkRRDJoat->isChecked()) {
        // JoaT and HE exclude each other, JoaT winning. Unchecking HE fires its click, which runs this
        // handler once more inside this run.
        const QScopedValueRollback running(handlerRunning_, true);
        ui->chkRRDHE->setChecked(false);
        if (nestedFailure_)
            throw *std::exchange(nestedFailure_, std::nullopt);
    }
    const pages::ResourcesInputs inputs{
        .jackOfAllTrades = ui->chkRRDJoat->isChecked(),
        .hyperExpansion = ui->chkRRDHE->isChecked(),
        .onlyBasicRemoteMining = ui->chkRRDOBRM->isChecked(),
        .colonistsPerResource = ui->speRRDrecCol->value(),
        .resourcesPerTenFactories = ui->speRRDFactProd->value(),
        .factoriesPerTenThousand = ui->speRRDOpperate->value(),
        .planetValue = ui->speRRDvalue->value(),
    };
    const pages::ResourcesOutcome outcome = pages::computeResources(inputs);
    writeResult(ui->Label135, outcome.text);
    raiseIfFailed(outcome.failure);
}

} // namespace kc::app
