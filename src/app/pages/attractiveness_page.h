#pragma once

#include "app/calculator_page.h"

#include <array>
#include <memory>

class QLabel;
class QLineEdit;

namespace Ui {
class AttractivenessPage;
}

namespace kc::widgets {
class ComboBox;
}

namespace kc::app {

// Binds the attractiveness form: five independent rows, one ship design each. A change of any control
// recalculates only its own row, the one its Tag names.
class AttractivenessPage : public CalculatorPage {
    Q_OBJECT
public:
    explicit AttractivenessPage(QWidget* parent = nullptr);
    ~AttractivenessPage() override;

    QStringList resultControls() const override;

    // Recalculates the row of `changed`.
    void CalcAttr(const QObject* changed);

private:
    struct Row {
        QLineEdit* resources;
        QLineEdit* boranium;
        QLineEdit* armor;
        QLineEdit* shields;
        widgets::ComboBox* weapon;
        QLineEdit* deflectors;
        QLineEdit* accuracy;
        QLabel* attractiveness;
    };
    static constexpr int kRowCount = 5;

    std::unique_ptr<Ui::AttractivenessPage> ui;
    std::array<Row, kRowCount> rows_{};
};

} // namespace kc::app
