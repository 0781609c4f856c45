#pragma once

#include "app/calculator_page.h"

#include <memory>

namespace Ui {
class JammersPage;
}

namespace kc::app {

// Binds the jammers form to its calculation: a change of any jammer, computer or the torpedo rewrites the
// accuracy sentence once a torpedo is chosen.
class JammersPage : public CalculatorPage {
    Q_OBJECT
public:
    explicit JammersPage(QWidget* parent = nullptr);
    ~JammersPage() override;

    QStringList resultControls() const override;

    void speJam10Change();

private:
    std::unique_ptr<Ui::JammersPage> ui;
};

} // namespace kc::app
