#pragma once

#include "app/calculator_page.h"

#include <memory>

namespace Ui {
class BattleSpeedPage;
}

namespace kc::app {

// Binds the battle speed form to its calculation: a change of the engine, its count, the movement aids or
// either weight rewrites the movement sentence.
class BattleSpeedPage : public CalculatorPage {
    Q_OBJECT
public:
    explicit BattleSpeedPage(QWidget* parent = nullptr);
    ~BattleSpeedPage() override;

    QStringList resultControls() const override;

    void cmbEngineChange();

private:
    std::unique_ptr<Ui::BattleSpeedPage> ui;
};

} // namespace kc::app
