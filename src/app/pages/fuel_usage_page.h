#pragma once

#include "app/calculator_page.h"

#include <memory>

namespace Ui {
class FuelUsagePage;
}

namespace kc::rules {
struct GameTables;
}

namespace kc::app {

struct PageContext;

// Binds the fuel usage form to its calculation: a change of mass, speed, engine, distance or the trait
// rewrites the fuel sentence.
class FuelUsagePage : public CalculatorPage {
    Q_OBJECT
public:
    FuelUsagePage(const PageContext& context, QWidget* parent = nullptr);
    ~FuelUsagePage() override;

    QStringList resultControls() const override;

    void speRangeWeightChange();

private:
    std::unique_ptr<Ui::FuelUsagePage> ui;
    const rules::GameTables& tables_;
};

} // namespace kc::app
