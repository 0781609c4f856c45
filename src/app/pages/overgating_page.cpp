#include "app/pages/overgating_page.h"

#include "app/user_dialogs.h"
#include "pages/overgating.h"
#include "ui_overgating_page.h"

#include <QEvent>

namespace kc::app {

namespace {

// The weight box stands in the blanks of its caption, between "Ship weight :" and "kT".
const QString kWeightCaptionBeforeGap = QStringLiteral("Ship weight : ");
const QString kWeightCaptionGap = QStringLiteral("                           ");

} // namespace

OvergatingPage::OvergatingPage(QWidget* parent)
    : CalculatorPage(parent), ui(std::make_unique<Ui::OvergatingPage>()) {
    ui->setupUi(this);
    for (auto* gate : {ui->cmbOGA, ui->cmbOGB})
        gate->showUnchosenText(QString());
    ui->captionOGWeight->setMinimumHeight(ui->speOGWeight->sizeHint().height());
    ui->captionOGWeight->installEventFilter(this);
    placeWeightInItsGap();

    const auto recalculate = reported(this, &OvergatingPage::cmbOGAClick);
    connect(ui->cmbOGA, &widgets::ComboBox::change, this, recalculate);
    connect(ui->cmbOGB, &widgets::ComboBox::change, this, recalculate);
    for (auto* box : {ui->speOGWeight, ui->speOGDist})
        connect(box, &widgets::SpinEdit::changed, this, recalculate);
}

OvergatingPage::~OvergatingPage() = default;

QStringList OvergatingPage::resultControls() const {
    return {"lblOGA2B", "lblOGB2A"};
}

void OvergatingPage::cmbOGAClick() {
    const pages::OvergatingOutcome outcome = pages::computeOvergating({
        .gateA = ui->cmbOGA->itemIndex(),
        .gateB = ui->cmbOGB->itemIndex(),
        .weight = ui->speOGWeight->value(),
        .distance = ui->speOGDist->value(),
    });
    ui->lblOGA2B->setText(QString::fromStdString(outcome.aToB));
    ui->lblOGB2A->setText(QString::fromStdString(outcome.bToA));
}

bool OvergatingPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ui->captionOGWeight &&
        (event->type() == QEvent::Resize || event->type() == QEvent::FontChange))
        placeWeightInItsGap();
    return CalculatorPage::eventFilter(watched, event);
}

void OvergatingPage::placeWeightInItsGap() {
    QLabel* caption = ui->captionOGWeight;
    const QFontMetrics metrics = caption->fontMetrics();
    const int left = caption->contentsRect().left() + metrics.horizontalAdvance(kWeightCaptionBeforeGap);
    const int width = metrics.horizontalAdvance(kWeightCaptionGap);
    const int height = ui->speOGWeight->sizeHint().height();
    ui->speOGWeight->setGeometry(left, (caption->height() - height) / 2, width, height);
}

} // namespace kc::app
