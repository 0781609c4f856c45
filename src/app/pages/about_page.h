#pragma once

#include "app/calculator_page.h"

#include <memory>

class QCheckBox;
class QPushButton;

namespace Ui {
class AboutPage;
}

namespace kc::app {

// The about/settings page. Its controls belong to the window's own handlers, which the window connects.
class AboutPage : public CalculatorPage {
    Q_OBJECT
public:
    explicit AboutPage(QWidget* parent = nullptr);
    ~AboutPage() override;

    QCheckBox* autoDropBox() const;
    QCheckBox* largeFontsBox() const;
    QPushButton* exitButton() const;

private:
    std::unique_ptr<Ui::AboutPage> ui;
};

} // namespace kc::app
