#pragma once

#include "app/calculator_page.h"
#include "core/runtime_error.h"

#include <memory>
#include <optional>

namespace Ui {
class ResourcesPage;
}

namespace kc::app {

// Binds the resources form: every check box and integer box recalculates the one production sentence.
class ResourcesPage : public CalculatorPage {
    Q_OBJECT
public:
    explicit ResourcesPage(QWidget* parent = nullptr);
    ~ResourcesPage() override;

    QStringList resultControls() const override;

    void speRRDrecColChange();

private:
    // Runs the handler for an input change; inside the handler's own run it is the nested run that
    // unchecking "HE PRT" causes, whose failure ends the outer run instead of being reported on its own.
    void inputChanged();

    std::unique_ptr<Ui::ResourcesPage> ui;
    bool handlerRunning_ = false;
    std::optional<RuntimeError> nestedFailure_;
};

} // namespace kc::app
