#include "app/pages/scanning_page.h"

#include "app/page_context.h"
#include "app/result_writer.h"
#include "app/user_dialogs.h"
#include "pages/scanning.h"
#include "rules/game_tables.h"
#include "ui_scanning_page.h"

#include <QMouseEvent>

namespace kc::app {

ScanningPage::ScanningPage(const PageContext& context, QWidget* parent)
    : CalculatorPage(parent), ui(std::make_unique<Ui::ScanningPage>()), tables_(context.tables) {
    ui->setupUi(this);
    for (auto* scanner : {ui->cmbScanner1, ui->cmbScanner2, ui->cmbScanner3})
        scanner->showUnchosenText(QStringLiteral("Select scanner type"));

    const auto recalculate = reported(this, &ScanningPage::speScanNbr1Change);
    for (auto* box :
         {ui->speScanNbr1, ui->speScanNbr2, ui->speScanNbr3, ui->speCustomScan1, ui->speCustomScan2,
          ui->speScanRange1, ui->speScanRange2, ui->spePenScanRange1, ui->spePenScanRange2, ui->speElecTech})
        connect(box, &widgets::SpinEdit::changed, this, recalculate);
    for (auto* scanner : {ui->cmbScanner1, ui->cmbScanner2, ui->cmbScanner3})
        connect(scanner, &widgets::ComboBox::change, this, recalculate);
    for (auto* option : {ui->chkJack, ui->chkNAS})
        connect(option, &QCheckBox::toggled, this, recalculate);
    // The check box is too narrow for its long caption, so the label beside it carries it and takes clicks.
    ui->captionJack->installEventFilter(this);
}

ScanningPage::~ScanningPage() = default;

bool ScanningPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ui->captionJack && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        ui->chkJack->click();
        return true;
    }
    return CalculatorPage::eventFilter(watched, event);
}

QStringList ScanningPage::resultControls() const {
    return {"lblResultScanner"};
}

void ScanningPage::speScanNbr1Change() {
    const auto catalogueRow = [](const widgets::SpinEdit* count, const widgets::ComboBox* scanner) {
        return pages::CatalogueScannerRow{.count = count->value(), .scanner = scanner->itemIndex()};
    };
    const auto typedRow = [](const widgets::SpinEdit* count, const widgets::SpinEdit* standard,
                             const widgets::SpinEdit* penetrating) {
        return pages::TypedScannerRow{
            .count = count->value(),
            .standard = standard->value(),
            .penetrating = penetrating->value(),
        };
    };
    const pages::ScanningInputs inputs{
        .catalogueRows = {catalogueRow(ui->speScanNbr1, ui->cmbScanner1),
                          catalogueRow(ui->speScanNbr2, ui->cmbScanner2),
                          catalogueRow(ui->speScanNbr3, ui->cmbScanner3)},
        .typedRows = {typedRow(ui->speCustomScan1, ui->speScanRange1, ui->spePenScanRange1),
                      typedRow(ui->speCustomScan2, ui->speScanRange2, ui->spePenScanRange2)},
        .builtInScanner = ui->chkJack->isChecked(),
        .electronicsTech = ui->speElecTech->value(),
        .noAdvancedScanners = ui->chkNAS->isChecked(),
    };
    const pages::ScanningOutcome outcome = pages::computeScanning(tables_.ScannerRanges, inputs);
    writeResult(ui->lblResultScanner, pages::scanningResultText(outcome));
    raiseIfFailed(outcome.failure);
}

} // namespace kc::app
