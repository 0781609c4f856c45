#pragma once

#include "app/calculator_page.h"

#include <memory>

namespace Ui {
class ScanningPage;
}

namespace kc::rules {
struct GameTables;
}

namespace kc::app {

struct PageContext;

// Binds the scanning form to its calculation: any change of a count, a scanner type, a typed range or an
// option recombines every scanner into the fleet's two ranges.
class ScanningPage : public CalculatorPage {
    Q_OBJECT
public:
    ScanningPage(const PageContext& context, QWidget* parent = nullptr);
    ~ScanningPage() override;

    QStringList resultControls() const override;

    void speScanNbr1Change();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::unique_ptr<Ui::ScanningPage> ui;
    const rules::GameTables& tables_;
};

} // namespace kc::app
