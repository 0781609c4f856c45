#include "app/pages/cloaking_page.h"

#include "app/result_writer.h"
#include "app/user_dialogs.h"
#include "pages/cloaking.h"
#include "ui_cloaking_page.h"

#include <QPainter>
#include <QStyledItemDelegate>

namespace kc::app {

namespace {

constexpr int kRowHeight = 13;
constexpr int kNameX = 4;
constexpr int kCountMargin = 5;
const QColor kNavy(0, 0, 128);
const QColor kLime(0, 255, 0);
const QColor kMaroon(128, 0, 0);

class DesignRowDelegate final : public QStyledItemDelegate {
public:
    DesignRowDelegate(const CloakingPage& page, QObject* parent) : QStyledItemDelegate(parent), page_(page) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        painter->save();
        painter->setFont(option.font);
        page_.lstCloakDrawItem(*painter, index.row(), option.rect,
                               option.state.testFlag(QStyle::State_Selected));
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& /*index*/) const override {
        return {option.rect.width(), kRowHeight};
    }

private:
    const CloakingPage& page_;
};

} // namespace

CloakingPage::CloakingPage(QWidget* parent)
    : CalculatorPage(parent), ui(std::make_unique<Ui::CloakingPage>()) {
    ui->setupUi(this);
    ui->lstCloak->setItemDelegate(new DesignRowDelegate(*this, ui->lstCloak));

    const auto recalculate = reported(this, &CloakingPage::speCloakTransChange);
    for (widgets::SpinEdit* box : deviceBoxes())
        connect(box, &widgets::SpinEdit::changed, this, recalculate);
    for (widgets::SpinEdit* box : {ui->speCloakEmpty, ui->speCloakNbr, ui->speCloakFreight})
        connect(box, &widgets::SpinEdit::changed, this, recalculate);
    connect(ui->chkSuperStealth, &QCheckBox::toggled, this, recalculate);

    // A click, and moving through the list with the keys, both pick a design.
    const auto pick = reported(this, &CloakingPage::lstCloakClick);
    connect(ui->lstCloak, &QListWidget::clicked, this, pick);
    connect(ui->lstCloak->selectionModel(), &QItemSelectionModel::selectionChanged, this, pick);
    connect(ui->btnCloakAdd, &QPushButton::clicked, this, reported(this, &CloakingPage::btnCloakAddClick));
    connect(ui->btnCloakRemove, &QPushButton::clicked, this,
            reported(this, &CloakingPage::btnCloakRemoveClick));
}

CloakingPage::~CloakingPage() = default;

QStringList CloakingPage::resultControls() const {
    return {"pnlResultCloak", "lstCloak"};
}

std::array<widgets::SpinEdit*, storage::kDeviceKinds> CloakingPage::deviceBoxes() const {
    return {ui->speCloakTrans,  ui->speCloakStealth, ui->speCloakSuper, ui->speCloakUltra,
            ui->speCloakShield, ui->speCloakArmor,   ui->speCloakScan};
}

void CloakingPage::showLoadedDesigns() {
    ui->lstCloak->clear();
    for (int slot = 0; slot < CloakDesigns.count; ++slot)
        ui->lstCloak->addItem(QString::fromStdString(storage::designName(CloakDesigns.records.at(slot))));
    if (CloakDesigns.count == 0)
        enableDesignBoxes(false);
}

void CloakingPage::showDesignsAgain() {
    const int slot = selectedSlot();
    const std::optional<storage::RecordBytes> selected =
        slot >= 0 ? std::optional(storage::encodeRecord(CloakDesigns.records.at(slot))) : std::nullopt;
    showLoadedDesigns();
    enableDesignBoxes(CloakDesigns.count > 0);
    for (int row = 0; selected && row < CloakDesigns.count; ++row)
        if (storage::encodeRecord(CloakDesigns.records.at(row)) == *selected) {
            ui->lstCloak->setCurrentRow(row);
            LoadCloakValues();
            return;
        }
}

int CloakingPage::selectedSlot() const {
    const QModelIndexList selected = ui->lstCloak->selectionModel()->selectedIndexes();
    const int row = selected.isEmpty() ? -1 : selected.first().row();
    return storage::isDesignSlot(CloakDesigns, row) ? row : -1;
}

void CloakingPage::enableDesignBoxes(bool enabled) {
    ui->grpCloaking->setEnabled(enabled);
    ui->grpCloakShip->setEnabled(enabled);
}

void CloakingPage::speCloakTransChange() {
    if (CloakDesigns.loading)
        return;
    const int slot = selectedSlot();
    if (slot >= 0) {
        storage::DesignValues values;
        const auto boxes = deviceBoxes();
        for (std::size_t kind = 0; kind < boxes.size(); ++kind)
            values.devices.at(kind) = boxes.at(kind)->value();
        values.emptyWeight = ui->speCloakEmpty->value();
        values.number = ui->speCloakNbr->value();
        storage::storeDesignValues(CloakDesigns.records.at(slot), values);
        ui->lstCloak->viewport()->update(ui->lstCloak->visualItemRect(ui->lstCloak->item(slot)));
        emit designsChanged();
    }
    CloakDesigns.freight = ui->speCloakFreight->value();
    CloakDesigns.superStealth = ui->chkSuperStealth->isChecked();
    const pages::CloakingOutcome outcome = pages::computeCloaking(CloakDesigns);
    writeResult(ui->pnlResultCloak, outcome.text);
    raiseIfFailed(outcome.failure);
}

void CloakingPage::LoadCloakValues() {
    const int slot = selectedSlot();
    if (slot < 0)
        return;
    const storage::DesignValues values = storage::designValues(CloakDesigns.records.at(slot));
    // Each box clamps what it is given, so a stored weight of 0 shows as 10 while the record keeps 0.
    CloakDesigns.loading = true;
    const auto boxes = deviceBoxes();
    for (std::size_t kind = 0; kind < boxes.size(); ++kind)
        boxes.at(kind)->setValue(static_cast<int>(values.devices.at(kind)));
    ui->speCloakEmpty->setValue(static_cast<int>(values.emptyWeight));
    ui->speCloakNbr->setValue(static_cast<int>(values.number));
    CloakDesigns.loading = false;
}

void CloakingPage::lstCloakClick() {
    LoadCloakValues();
}

void CloakingPage::btnCloakAddClick() {
    enableDesignBoxes(true);
    if (CloakDesigns.count >= storage::kDesignSlots) {
        userDialogs().showMessage(QStringLiteral("The Outer Limit"),
                                  QStringLiteral("Only 16 designs allowed"), MessageIcon::Warning);
        return;
    }
    const std::optional<QString> name = userDialogs().askText(
        QStringLiteral("Add new design"), QStringLiteral("Give this ship design a name (8 chars max) :"),
        QStringLiteral("Ship %1").arg(CloakDesigns.count + 1), static_cast<int>(storage::kNameBytes));
    if (!name)
        return;
    storage::AddDesign(CloakDesigns, name->toStdString());
    const int slot = CloakDesigns.count - 1;
    ui->lstCloak->addItem(QString::fromStdString(storage::designName(CloakDesigns.records.at(slot))));
    ui->lstCloak->setCurrentRow(slot);
    LoadCloakValues();
    emit designsChanged();
}

void CloakingPage::btnCloakRemoveClick() {
    const int slot = selectedSlot();
    if (slot < 0) {
        userDialogs().showMessage(QStringLiteral("Can't remove"), QStringLiteral("None Selected"),
                                  MessageIcon::Error);
        return;
    }
    storage::RemoveDesign(CloakDesigns, slot);
    delete ui->lstCloak->takeItem(slot);
    emit designsChanged();
    if (CloakDesigns.count == 0) {
        enableDesignBoxes(false); // the panel keeps its text
        return;
    }
    // The first design is loaded and stored straight back, so a value a box clamped is stored as shown.
    ui->lstCloak->setCurrentRow(0);
    LoadCloakValues();
    speCloakTransChange();
}

void CloakingPage::lstCloakDrawItem(QPainter& canvas, int index, const QRect& rect, bool selected) const {
    if (!storage::isDesignSlot(CloakDesigns, index))
        return;
    const storage::DesignRecord& design = CloakDesigns.records.at(index);
    const QString ships = QString::number(design.number);
    const int shipsWidth = canvas.fontMetrics().horizontalAdvance(ships);
    const QPalette& palette = ui->lstCloak->palette();
    canvas.fillRect(QRect(0, rect.top(), rect.right() + 1, rect.height()),
                    selected ? kNavy : palette.color(QPalette::Base));
    const auto drawAt = [&](int x, const QColor& colour, const QString& text) {
        canvas.setPen(colour);
        canvas.drawText(QRect(x, rect.top(), rect.right() + 1 - x, rect.height()),
                        Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
    };
    drawAt(kNameX, selected ? QColor(Qt::white) : palette.color(QPalette::Text),
           QString::fromStdString(storage::designName(design)));
    drawAt(rect.right() + 1 - shipsWidth - kCountMargin, selected ? kLime : kMaroon, ships);
}

} // namespace kc::app
