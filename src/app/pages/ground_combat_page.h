#pragma once

#include "app/calculator_page.h"

#include <memory>

namespace Ui {
class GroundCombatPage;
}

namespace kc::app {

// Binds the ground combat form: any change of the three numbers or the two race traits works out the
// invasion again.
class GroundCombatPage : public CalculatorPage {
    Q_OBJECT
public:
    explicit GroundCombatPage(QWidget* parent = nullptr);
    ~GroundCombatPage() override;

    QStringList resultControls() const override;

    void groChange();

private:
    std::unique_ptr<Ui::GroundCombatPage> ui;
};

} // namespace kc::app
