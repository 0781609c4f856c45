#pragma once

#include "app/calculator_page.h"

#include <memory>

namespace Ui {
class ColonistTransportPage;
}

namespace kc::app {

// Binds the two colonist calculators: each group's inputs recalculate only that group's panel.
class ColonistTransportPage : public CalculatorPage {
    Q_OBJECT
public:
    explicit ColonistTransportPage(QWidget* parent = nullptr);
    ~ColonistTransportPage() override;

    QStringList resultControls() const override;

    void speColISGrowthChange();
    void speColARChange();

private:
    std::unique_ptr<Ui::ColonistTransportPage> ui;
};

} // namespace kc::app
