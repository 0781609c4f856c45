#pragma once

#include "app/calculator_page.h"

#include <memory>

namespace Ui {
class OvergatingPage;
}

namespace kc::app {

// Binds the overgating form: a choice of either gate, or a change of the ship's weight or the distance,
// rewrites the damage of both directions.
class OvergatingPage : public CalculatorPage {
    Q_OBJECT
public:
    explicit OvergatingPage(QWidget* parent = nullptr);
    ~OvergatingPage() override;

    QStringList resultControls() const override;

    void cmbOGAClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void placeWeightInItsGap();

    std::unique_ptr<Ui::OvergatingPage> ui;
};

} // namespace kc::app
