#pragma once

#include "app/calculator_page.h"
#include "parser/parser.h"

#include <memory>

class QAbstractButton;
class QStringListModel;

namespace Ui {
class CalcPage;
}

namespace kc::app {

// The keypad calculator: an expression box, a keypad and a history of expressions and their values. Unlike
// the other pages it keeps state between actions: the history, for as long as the window lives.
class CalcPage : public CalculatorPage {
    Q_OBJECT
public:
    explicit CalcPage(QWidget* parent = nullptr);
    ~CalcPage() override;

    QStringList resultControls() const override;

    // Every keypad button but "=": appends the button's caption to the expression.
    void btnC0Click(const QAbstractButton* sender);
    // "=" and Enter: the expression, then its value, go into the history.
    void btnCeqClick();
    void lstCDblClick();
    void txtCalcEnter();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Returns true when the key press is consumed.
    bool txtCalcKeyPress(const QKeyEvent& key);
    // Adds to the end of the expression, unless that makes it too long (then the box beeps).
    void appendToExpression(const QString& tail);
    void appendLine(const QString& line);

    std::unique_ptr<Ui::CalcPage> ui;
    QStringListModel* history_;
    // The expression parser, used by this page only.
    parser::TParser Parser;
};

} // namespace kc::app
