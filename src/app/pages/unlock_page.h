#pragma once

#include "app/calculator_page.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace Ui {
class UnlockPage;
}

namespace kc::app {

struct PageContext;

// The hidden page that unlocks special game items by name. The one page that reaches into others: an
// unlocked engine, beam weapon or torpedo is appended to the lists of the pages that use it.
class UnlockPage : public CalculatorPage {
    Q_OBJECT
public:
    UnlockPage(const PageContext& context, QWidget* parent = nullptr);
    ~UnlockPage() override;

    QStringList resultControls() const override;

    void btnMTunlockClick();
    // Appends the hidden item at `position`, as stored, to the end of each list that takes it.
    void AddUnlockedItem(int position);
    // Every list an unlock can add to, on whichever page it stands.
    QList<QWidget*> listsItAddsTo() const;

private:
    void showOutcome(const QString& text, const QColor& colour);

    std::unique_ptr<Ui::UnlockPage> ui;
    const std::optional<std::vector<std::string>>& hiddenItems_;
};

} // namespace kc::app
