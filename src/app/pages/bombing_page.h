#pragma once

#include "app/calculator_page.h"

#include <memory>

namespace Ui {
class BombingPage;
}

namespace kc::rules {
struct GameTables;
}

namespace kc::app {

struct PageContext;

// Binds the bombing form to its calculation: a change of any bomb row, the bombers, the population or the
// defenses rewrites the bombing result and then the defense coverage.
class BombingPage : public CalculatorPage {
    Q_OBJECT
public:
    BombingPage(const PageContext& context, QWidget* parent = nullptr);
    ~BombingPage() override;

    QStringList resultControls() const override;

    void speBombNbr1Change();

private:
    std::unique_ptr<Ui::BombingPage> ui;
    const rules::GameTables& tables_;
};

} // namespace kc::app
