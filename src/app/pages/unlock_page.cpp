#include "app/pages/unlock_page.h"

#include "app/page_context.h"
#include "app/user_dialogs.h"
#include "pages/unlocking.h"
#include "ui_unlock_page.h"
#include "widgets/combo_box.h"

#include <limits>

namespace kc::app {

namespace {

const QColor kMaroon(128, 0, 0);

} // namespace

UnlockPage::UnlockPage(const PageContext& context, QWidget* parent)
    : CalculatorPage(parent), ui(std::make_unique<Ui::UnlockPage>()), hiddenItems_(context.hiddenItems) {
    ui->setupUi(this);
    ui->txtMT->setMaxLength(std::numeric_limits<int>::max());
    showOutcome(QString(), kMaroon);
    connect(ui->btnMTunlock, &QPushButton::clicked, this, reported(this, &UnlockPage::btnMTunlockClick));
    // Enter in the name box unlocks, as the button does.
    connect(ui->txtMT, &QLineEdit::returnPressed, ui->btnMTunlock, &QPushButton::click);
}

UnlockPage::~UnlockPage() = default;

QStringList UnlockPage::resultControls() const {
    return {"pnlMT"};
}

void UnlockPage::showOutcome(const QString& text, const QColor& colour) {
    QPalette palette = ui->pnlMT->palette();
    palette.setColor(QPalette::WindowText, colour);
    ui->pnlMT->setPalette(palette);
    ui->pnlMT->setText(text);
}

void UnlockPage::btnMTunlockClick() {
    showOutcome(QString::fromLatin1(pages::kUnlockFailedText), Qt::red);
    if (!hiddenItems_)
        return;
    const QString typed = ui->txtMT->text();
    const std::optional<int> position = pages::findHiddenItem(*hiddenItems_, typed.toStdString());
    if (!position)
        return;
    showOutcome(QString::fromStdString(pages::unlockSucceededText(typed.toStdString())), Qt::blue);
    AddUnlockedItem(*position);
}

QList<QWidget*> UnlockPage::listsItAddsTo() const {
    QList<QWidget*> lists;
    for (int position = 0; hiddenItems_ && position < static_cast<int>(hiddenItems_->size()); ++position)
        for (const std::string_view target : pages::unlockTargets(position))
            if (auto* list = window()->findChild<widgets::ComboBox*>(
                    QString::fromLatin1(target.data(), static_cast<qsizetype>(target.size()))))
                lists.append(list);
    return lists;
}

void UnlockPage::AddUnlockedItem(int position) {
    if (!hiddenItems_ || position < 0 || position >= static_cast<int>(hiddenItems_->size()))
        return;
    const QString name = QString::fromStdString(hiddenItems_->at(static_cast<std::size_t>(position)));
    for (const std::string_view target : pages::unlockTargets(position)) {
        const QString listName = QString::fromLatin1(target.data(), static_cast<qsizetype>(target.size()));
        // Appending never changes what is chosen, nor fires the list's change event.
        if (auto* list = window()->findChild<widgets::ComboBox*>(listName)) {
            const QSignalBlocker quiet(list);
            const QString shown = list->currentText();
            const int chosen = list->currentIndex();
            list->addItem(name);
            if (list->currentIndex() != chosen)
                list->setCurrentIndex(chosen);
            if (list->isEditable() && list->currentText() != shown)
                list->setEditText(shown);
        }
    }
}

} // namespace kc::app
