#include "app/pages/attractiveness_page.h"

#include "app/result_writer.h"
#include "app/user_dialogs.h"
#include "pages/attractiveness.h"
#include "ui_attractiveness_page.h"

namespace kc::app {

namespace {

// Every control of a row carries the row's number in this property.
constexpr const char* kRowProperty = "Tag";
// Eight column headings and boxes wide enough for their texts share the window only with small headings.
constexpr int kHeadingPixels = 9;

std::optional<pages::WeaponType> weaponAt(int index) {
    if (index < 0 || index > static_cast<int>(pages::WeaponType::Missile))
        return std::nullopt;
    return static_cast<pages::WeaponType>(index);
}

template <typename Control> Control* rowControl(const QWidget* page, const char* column, int row) {
    auto* control = page->findChild<Control*>(QStringLiteral("attr%1%2").arg(QLatin1String(column)).arg(row));
    Q_ASSERT(control != nullptr && control->property(kRowProperty).toInt() == row);
    return control;
}

std::string textOf(const QLineEdit* box) {
    return box->text().toStdString();
}

} // namespace

AttractivenessPage::AttractivenessPage(QWidget* parent)
    : CalculatorPage(parent), ui(std::make_unique<Ui::AttractivenessPage>()) {
    ui->setupUi(this);
    for (QLabel* heading : {ui->headingRes, ui->headingBor, ui->headingArm, ui->headingShi, ui->headingWTyp,
                            ui->headingDef, ui->headingAcc, ui->headingAttr}) {
        QFont small = heading->font();
        small.setPixelSize(kHeadingPixels);
        heading->setFont(small);
    }
    for (int r = 0; r < kRowCount; ++r) {
        rows_[r] = Row{
            .resources = rowControl<QLineEdit>(this, "Res", r),
            .boranium = rowControl<QLineEdit>(this, "Bor", r),
            .armor = rowControl<QLineEdit>(this, "Arm", r),
            .shields = rowControl<QLineEdit>(this, "Shi", r),
            .weapon = rowControl<widgets::ComboBox>(this, "WTyp", r),
            .deflectors = rowControl<QLineEdit>(this, "Def", r),
            .accuracy = rowControl<QLineEdit>(this, "Acc", r),
            .attractiveness = rowControl<QLabel>(this, "Attr", r),
        };
        const Row& row = rows_[r];
        row.weapon->showUnchosenText(QString());
        connect(row.weapon, &widgets::ComboBox::change, this,
                [this, weapon = row.weapon] { runReported([&] { CalcAttr(weapon); }); });
        for (QLineEdit* box :
             {row.resources, row.boranium, row.armor, row.shields, row.deflectors, row.accuracy})
            connect(box, &QLineEdit::textChanged, this, [this, box] { runReported([&] { CalcAttr(box); }); });
    }
}

AttractivenessPage::~AttractivenessPage() = default;

QStringList AttractivenessPage::resultControls() const {
    return {"attrAttr0", "attrAttr1", "attrAttr2", "attrAttr3", "attrAttr4"};
}

void AttractivenessPage::CalcAttr(const QObject* changed) {
    bool isRow = false;
    const int r = changed->property(kRowProperty).toInt(&isRow);
    if (!isRow || r < 0 || r >= kRowCount)
        return;
    const Row& row = rows_[r];
    const pages::AttractivenessOutcome outcome = pages::computeAttractiveness({
        .resources = textOf(row.resources),
        .boranium = textOf(row.boranium),
        .armor = textOf(row.armor),
        .shields = textOf(row.shields),
        .weapon = weaponAt(row.weapon->itemIndex()),
        .deflectors = textOf(row.deflectors),
        .accuracy = textOf(row.accuracy),
    });
    if (outcome.deflectorsApply) {
        row.deflectors->setEnabled(*outcome.deflectorsApply);
        row.accuracy->setEnabled(!*outcome.deflectorsApply);
    }
    writeResult(row.attractiveness, outcome.attractiveness);
    raiseIfFailed(outcome.failure);
}

} // namespace kc::app
