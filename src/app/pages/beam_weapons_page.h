#pragma once

#include "app/calculator_page.h"

#include <memory>

namespace Ui {
class BeamWeaponsPage;
}

namespace kc::app {

// Binds the beam weapons form to its calculation: a change of the weapon, its count, the distance, the
// capacitors or the deflectors rewrites the damage sentence.
class BeamWeaponsPage : public CalculatorPage {
    Q_OBJECT
public:
    explicit BeamWeaponsPage(QWidget* parent = nullptr);
    ~BeamWeaponsPage() override;

    QStringList resultControls() const override;

    void cmbDamageWeaponChange();

private:
    std::unique_ptr<Ui::BeamWeaponsPage> ui;
};

} // namespace kc::app
