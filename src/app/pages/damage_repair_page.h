#pragma once

#include "app/calculator_page.h"

#include <memory>

namespace Ui {
class DamageRepairPage;
}

namespace kc::app {

// Binds the damage repair form to its calculation: a change of the location, either transport box, the armor
// or the damage rewrites the repair sentence.
class DamageRepairPage : public CalculatorPage {
    Q_OBJECT
public:
    explicit DamageRepairPage(QWidget* parent = nullptr);
    ~DamageRepairPage() override;

    QStringList resultControls() const override;

    void cmbPosChange();

private:
    std::unique_ptr<Ui::DamageRepairPage> ui;
};

} // namespace kc::app
