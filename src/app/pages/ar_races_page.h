#pragma once

#include "app/calculator_page.h"

#include <memory>

namespace Ui {
class ArRacesPage;
}

namespace kc::app {

// Binds the AR races form to its calculation: every input change recalculates all four results.
class ArRacesPage : public CalculatorPage {
    Q_OBJECT
public:
    explicit ArRacesPage(QWidget* parent = nullptr);
    ~ArRacesPage() override;

    QStringList resultControls() const override;

    void speARpopChange();

private:
    std::unique_ptr<Ui::ArRacesPage> ui;
};

} // namespace kc::app
