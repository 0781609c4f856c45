#pragma once

#include "app/calculator_page.h"

#include <memory>

namespace Ui {
class PlanetScorePage;
}

namespace kc::app {

// Binds the planet score form: every count, the planet's figures and the spacedock box recalculate the panel.
class PlanetScorePage : public CalculatorPage {
    Q_OBJECT
public:
    explicit PlanetScorePage(QWidget* parent = nullptr);
    ~PlanetScorePage() override;

    QStringList resultControls() const override;

    void speNbrPlanetsChange();

private:
    std::unique_ptr<Ui::PlanetScorePage> ui;
};

} // namespace kc::app
