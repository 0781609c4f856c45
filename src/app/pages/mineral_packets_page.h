#pragma once

#include "app/calculator_page.h"

#include <memory>

namespace Ui {
class MineralPacketsPage;
}

namespace kc::pages {
struct MineralPacketsInputs;
}

namespace kc::app {

// Binds the mineral packets form to the packet's flight: every input change recalculates all results, and
// the best-warp button searches the speeds at and above the source driver's capacity.
class MineralPacketsPage : public CalculatorPage {
    Q_OBJECT
public:
    explicit MineralPacketsPage(QWidget* parent = nullptr);
    ~MineralPacketsPage() override;

    QStringList resultControls() const override;

    void txtSrcMassNbrChange();
    void btnMinWarpClick();

private:
    pages::MineralPacketsInputs inputs() const;

    std::unique_ptr<Ui::MineralPacketsPage> ui;
};

} // namespace kc::app
