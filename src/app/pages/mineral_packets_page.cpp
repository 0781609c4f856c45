#include "app/pages/mineral_packets_page.h"

#include "app/result_writer.h"
#include "app/user_dialogs.h"
#include "pages/mineral_packets.h"
#include "ui_mineral_packets_page.h"

namespace kc::app {

MineralPacketsPage::MineralPacketsPage(QWidget* parent)
    : CalculatorPage(parent), ui(std::make_unique<Ui::MineralPacketsPage>()) {
    ui->setupUi(this);

    const auto recalculate = reported(this, &MineralPacketsPage::txtSrcMassNbrChange);
    for (auto* box : {ui->txtSrcMassNbr, ui->txtSrcMassWarp, ui->txtDestMassNbr, ui->txtDestMassWarp,
                      ui->txtDestPop, ui->txtDestDefensNbr, ui->txtDestDefens, ui->txtDestDistance,
                      ui->txtMineralsSpeed, ui->txtMinerals})
        connect(box, &widgets::SpinEdit::changed, this, recalculate);
    for (auto* box : {ui->chkPackPhys, ui->chkITSend, ui->chkPreFPP, ui->chkITrec})
        connect(box, &QCheckBox::toggled, this, recalculate);
    connect(ui->btnMinWarp, &QAbstractButton::clicked, this,
            reported(this, &MineralPacketsPage::btnMinWarpClick));
}

MineralPacketsPage::~MineralPacketsPage() = default;

QStringList MineralPacketsPage::resultControls() const {
    return {"lblTravelTime", "lblMassLoss", "lblMassArived", "lblCaught",      "lblRecovered",
            "lblHit",        "lblKilled",   "lblDefens",     "lblDefensDestr", "lblPacketNotice"};
}

pages::MineralPacketsInputs MineralPacketsPage::inputs() const {
    return {
        .sourceDrivers = ui->txtSrcMassNbr->value(),
        .sourceWarp = ui->txtSrcMassWarp->value(),
        .packetPhysics = ui->chkPackPhys->isChecked(),
        .interstellarSender = ui->chkITSend->isChecked(),
        .buggedPacketPhysics = ui->chkPreFPP->isChecked(),
        .destinationDrivers = ui->txtDestMassNbr->value(),
        .destinationWarp = ui->txtDestMassWarp->value(),
        .population = ui->txtDestPop->value(),
        .defenses = ui->txtDestDefensNbr->value(),
        .coverage = ui->txtDestDefens->value(),
        .distance = ui->txtDestDistance->value(),
        .interstellarReceiver = ui->chkITrec->isChecked(),
        .speed = ui->txtMineralsSpeed->value(),
        .minerals = ui->txtMinerals->value(),
    };
}

void MineralPacketsPage::txtSrcMassNbrChange() {
    const pages::MineralPacketsOutcome outcome = pages::computeMineralPackets(inputs());
    writeResult(ui->lblTravelTime, outcome.travelTime);
    writeResult(ui->lblMassLoss, outcome.massLoss);
    writeResult(ui->lblMassArived, outcome.mineralsArrived);
    writeResult(ui->lblCaught, outcome.mineralsCaught);
    writeResult(ui->lblRecovered, outcome.mineralsRecovered);
    writeResult(ui->lblHit, outcome.mineralsHit);
    writeResult(ui->lblKilled, outcome.peopleKilled);
    writeResult(ui->lblDefens, outcome.peopleSaved);
    writeResult(ui->lblDefensDestr, outcome.defensesDestroyed);
    writeResult(ui->lblPacketNotice, outcome.notice);
    raiseIfFailed(outcome.failure);
}

void MineralPacketsPage::btnMinWarpClick() {
    const pages::BestWarpOutcome outcome = pages::findBestWarp(inputs());
    writeResult(ui->lblPacketNotice, outcome.notice);
    raiseIfFailed(outcome.failure);
    if (!outcome.speed)
        return;
    userDialogs().showMessage(QStringLiteral("Result"),
                              QString::fromStdString(pages::bestWarpMessage(*outcome.speed)));
    // The box clamps a speed beyond its range; when that leaves its text as it was, no change event
    // recalculates, so recalculate here.
    const QString before = ui->txtMineralsSpeed->text();
    ui->txtMineralsSpeed->setValue(*outcome.speed);
    if (ui->txtMineralsSpeed->text() == before)
        txtSrcMassNbrChange();
}

} // namespace kc::app
