#pragma once

#include "app/calculator_page.h"
#include "core/extended.h"

#include <memory>
#include <optional>

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
    // The yearly repair rate for the chosen location and transports; none while no location with a rate is
    // chosen.
    std::optional<Single> getRepairRate() const;

    std::unique_ptr<Ui::DamageRepairPage> ui;
};

} // namespace kc::app
