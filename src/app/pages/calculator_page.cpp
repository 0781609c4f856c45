#include "app/pages/calculator_page.h"

#include "app/user_dialogs.h"
#include "pages/calculator.h"
#include "ui_calculator_page.h"
#include "widgets/history_list.h"
#include "widgets/readable_colour.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QStringListModel>
#include <QStyledItemDelegate>
#include <QToolButton>
#include <QValidator>

#include <algorithm>
#include <iterator>
#include <limits>

namespace kc::app {

namespace {

constexpr int kLineHeight = 13;
constexpr int kTextInset = 4;
const QColor kNavy(0, 0, 128);
const QColor kValueBlue(0, 0, 255);
const QColor kExpressionRed(255, 0, 0);

// Draws a history line: values right-aligned in blue, expressions left-aligned in red, the selected line
// white on navy.
class HistoryDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const QString line = index.data(Qt::DisplayRole).toString();
        const bool selected = option.state.testFlag(QStyle::State_Selected);
        const QRect band(0, option.rect.top(), option.rect.right() + 1, option.rect.height());
        painter->save();
        painter->fillRect(band, selected ? kNavy : option.palette.color(QPalette::Base));
        painter->setFont(option.font);
        const QFontMetrics metrics(option.font);
        const bool isValue = pages::isCalcValueLine(line.toStdString());
        painter->setPen(selected
                            ? QColor(Qt::white)
                            : widgets::readableOn(isValue ? kValueBlue : kExpressionRed, option.palette));
        const int x =
            isValue ? option.rect.right() + 1 - metrics.horizontalAdvance(line) - kTextInset : kTextInset;
        painter->drawText(QRect(x, option.rect.top(), band.width(), option.rect.height()),
                          Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, line);
        if (option.state.testFlag(QStyle::State_HasFocus)) {
            // The keyboard user must see which line Enter would take.
            QStyleOptionFocusRect focus;
            focus.QStyleOption::operator=(option);
            focus.rect = band;
            focus.backgroundColor = selected ? kNavy : option.palette.color(QPalette::Base);
            const QStyle* style = option.widget != nullptr ? option.widget->style() : QApplication::style();
            style->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, option.widget);
        }
        painter->restore();
    }

    // No width of its own: the view makes every line exactly as wide as itself, whether or not its scroll
    // bar shows, so right-aligned values always end at the visible edge.
    QSize sizeHint(const QStyleOptionViewItem& /*option*/, const QModelIndex& /*index*/) const override {
        return {0, kLineHeight};
    }
};

// The longest expression the box holds. A paste, drop, keystroke or keypad press that would make it longer
// is refused whole, with a beep, and the text stays as it was: Qt's own length limit would cut a paste
// silently. Far beyond any real expression, the limit keeps the box, the history and the error report
// quick to draw (a line edit lays its whole text out on every keystroke).
constexpr int kLongestExpression = 32767;

class ExpressionLength final : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int& /*position*/) const override {
        return input.size() <= kLongestExpression ? Acceptable : Invalid;
    }
};

QFont keypadFont(int pixelSize, bool bold) {
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setStyleHint(QFont::SansSerif); // stands in where that face is not installed
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

// The editing shortcuts of any text box (copy, paste, select all, undo, ...): they type no character of
// their own, though the keyboard reports one (Ctrl+V as a control character).
bool isEditingShortcut(const QKeyEvent& key) {
    static const QKeySequence::StandardKey kShortcuts[] = {QKeySequence::Copy,
                                                           QKeySequence::Cut,
                                                           QKeySequence::Paste,
                                                           QKeySequence::SelectAll,
                                                           QKeySequence::Undo,
                                                           QKeySequence::Redo,
                                                           QKeySequence::DeleteStartOfWord,
                                                           QKeySequence::DeleteEndOfWord,
                                                           QKeySequence::Deselect};
    return std::any_of(std::begin(kShortcuts), std::end(kShortcuts),
                       [&](QKeySequence::StandardKey shortcut) { return key.matches(shortcut); });
}

} // namespace

CalcPage::CalcPage(QWidget* parent)
    : CalculatorPage(parent), ui(std::make_unique<Ui::CalcPage>()), history_(new QStringListModel(this)) {
    ui->setupUi(this);
    ui->lstC->setModel(history_);
    ui->lstC->setItemDelegate(new HistoryDelegate(ui->lstC));
    ui->lstC->viewport()->installEventFilter(this);
    ui->lstC->installEventFilter(this);
    ui->txtCalc->installEventFilter(this);
    ui->txtCalc->setMaxLength(std::numeric_limits<int>::max());
    ui->txtCalc->setValidator(new ExpressionLength(ui->txtCalc));
    connect(ui->txtCalc, &QLineEdit::inputRejected, this, [] { QApplication::beep(); });

    const QList<QToolButton*> digits = {ui->btnC0, ui->btnC1, ui->btnC2, ui->btnC3, ui->btnC4,  ui->btnC5,
                                        ui->btnC6, ui->btnC7, ui->btnC8, ui->btnC9, ui->btnCdot};
    for (QToolButton* button : findChildren<QToolButton*>()) {
        const bool isDigit = digits.contains(button);
        QPalette palette = button->palette();
        palette.setColor(QPalette::ButtonText,
                         widgets::readableOn(isDigit ? kValueBlue : kExpressionRed, palette));
        button->setPalette(palette);
        button->setFont(keypadFont(button == ui->btnCsqrt ? 12 : 15, button != ui->btnCmult));
        if (button == ui->btnCeq)
            connect(button, &QToolButton::clicked, this, reported(this, &CalcPage::btnCeqClick));
        else
            connect(button, &QToolButton::clicked, this,
                    [this, button] { runReported([&] { btnC0Click(button); }); });
    }
}

CalcPage::~CalcPage() = default;

QStringList CalcPage::resultControls() const {
    return {"lstC", "txtCalc"};
}

void CalcPage::btnC0Click(const QAbstractButton* sender) {
    // Appended at the end whatever the caret or selection, as on a pocket calculator.
    appendToExpression(sender->text());
    ui->txtCalc->setFocus();
    txtCalcEnter();
}

void CalcPage::btnCeqClick() {
    const QString expression = ui->txtCalc->text();
    appendLine(expression);
    Parser.setExpression(expression.toStdString());
    appendLine(QString::fromStdString(pages::calcValueLine(Parser.Value())));
    ui->lstC->scrollToTop(history_->rowCount() - 1);
    ui->txtCalc->clear();
    ui->txtCalc->setFocus();
    txtCalcEnter();
}

void CalcPage::lstCDblClick() {
    const QModelIndexList selected = ui->lstC->selectionModel()->selectedIndexes();
    if (!selected.isEmpty())
        appendToExpression(selected.first().data().toString());
    ui->txtCalc->setFocus();
    txtCalcEnter();
}

void CalcPage::txtCalcEnter() {
    ui->txtCalc->deselect();
    ui->txtCalc->end(false);
}

void CalcPage::appendToExpression(const QString& tail) {
    const QString text = ui->txtCalc->text() + tail;
    if (text.size() > kLongestExpression) {
        QApplication::beep();
        return;
    }
    ui->txtCalc->setText(text);
}

void CalcPage::appendLine(const QString& line) {
    const int row = history_->rowCount();
    history_->insertRows(row, 1);
    history_->setData(history_->index(row), line);
}

bool CalcPage::txtCalcKeyPress(const QKeyEvent& key) {
    // Keys that type no character (arrows, Delete, Tab) and the editing shortcuts keep their usual meaning.
    const QString typed = key.text();
    if (typed.isEmpty() || key.key() == Qt::Key_Delete || key.key() == Qt::Key_Tab ||
        key.key() == Qt::Key_Backtab || isEditingShortcut(key))
        return false;
    const char32_t character = typed.size() == 1 ? typed.front().unicode() : U'\0';
    if (!pages::calcKeepsTypedCharacter(character))
        return true;
    if (character == U'\r')
        runReported([this] { btnCeqClick(); });
    return false;
}

bool CalcPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ui->txtCalc && event->type() == QEvent::KeyPress)
        return txtCalcKeyPress(static_cast<const QKeyEvent&>(*event));
    if (watched == ui->txtCalc && event->type() == QEvent::FocusIn) {
        // The box's own focus handling (select all on Tab) runs first, so the caret rule wins.
        ui->txtCalc->event(event);
        txtCalcEnter();
        return true;
    }
    if (watched == ui->lstC->viewport() && event->type() == QEvent::MouseButtonDblClick)
        runReported([this] { lstCDblClick(); });
    if (watched == ui->lstC && event->type() == QEvent::KeyPress) {
        // Enter takes the selected line, as a double click does, so the history can be reused by keyboard.
        const int key = static_cast<const QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            runReported([this] { lstCDblClick(); });
            return true;
        }
    }
    return CalculatorPage::eventFilter(watched, event);
}

} // namespace kc::app
