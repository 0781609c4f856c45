#pragma once

#include "app/calculator_page.h"

#include <memory>

namespace Ui {
class MinefieldsPage;
}

namespace kc::app {

// Binds the minefield form: three independent calculators, each with its own handler that writes only its
// own result label.
class MinefieldsPage : public CalculatorPage {
    Q_OBJECT
public:
    explicit MinefieldsPage(QWidget* parent = nullptr);
    ~MinefieldsPage() override;

    QStringList resultControls() const override;

    // Mines swept a year by the chosen weapon and number of ships.
    void cmbWeaponChange();
    // Mines a field loses a year.
    void chkSpaceDem2Click();
    // The size a field grows to at a steady laying rate.
    void txtMinesYearChange();

private:
    std::unique_ptr<Ui::MinefieldsPage> ui;
};

} // namespace kc::app
