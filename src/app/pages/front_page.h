#pragma once

#include "app/calculator_page.h"

#include <memory>

namespace Ui {
class FrontPage;
}

namespace kc::app {

// The page shown at start: the program's picture and version.
class FrontPage : public CalculatorPage {
    Q_OBJECT
public:
    explicit FrontPage(QWidget* parent = nullptr);
    ~FrontPage() override;

private:
    std::unique_ptr<Ui::FrontPage> ui;
};

} // namespace kc::app
