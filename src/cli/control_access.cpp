#include "cli/control_access.h"

#include "core/text_conversion.h"
#include "widgets/auto_drop_box.h"
#include "widgets/combo_box.h"
#include "widgets/spin_edit.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QCheckBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QRadioButton>
#include <QSpinBox>
#include <QValidator>

#include <algorithm>

namespace kc::cli {

namespace {

// Typing a whole text over a box changes it even when the typed text is the one it held, and that fires the
// box's change in the window; setting the same text from code would fire nothing.
bool retypesTheSameText(const QString& current, const QString& value) {
    return current == value && !value.isEmpty();
}

QString itemsOf(const QComboBox* list);

std::optional<QString> applyToList(QComboBox* list, const QString& value, Strictness strictness) {
    const int index = list->findText(value, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index < 0 && strictness == Strictness::Strict)
        return QStringLiteral("has no item \"%1\" (items: %2)").arg(value, itemsOf(list));
    if (auto* box = qobject_cast<widgets::ComboBox*>(list)) {
        if (index >= 0)
            box->chooseItem(index);
        else if (box->isEditable())
            box->typeText(value);
        else
            return QStringLiteral("has no item \"%1\"").arg(value);
        return std::nullopt;
    }
    if (index < 0)
        return QStringLiteral("has no item \"%1\"").arg(value);
    list->setCurrentIndex(index);
    emit list->activated(index);
    return std::nullopt;
}

std::optional<QString> applyToCheckable(QAbstractButton* button, const QString& value) {
    if (value != QLatin1String("0") && value != QLatin1String("1"))
        return QStringLiteral("takes 1 (checked) or 0 (unchecked), not \"%1\"").arg(value);
    button->setChecked(value == QLatin1String("1"));
    return std::nullopt;
}

std::optional<QString> applyToButton(QAbstractButton* button, const QString& value, TextAnswerSlot& answers) {
    if (value != QLatin1String("click"))
        answers.pending = value; // the answer to the text question the click asks
    else
        answers.acceptInitial = true;
    button->click();
    answers = {};
    return std::nullopt;
}

bool hasSelection(const QAbstractItemView* view) {
    return view->selectionModel() != nullptr && view->selectionModel()->hasSelection();
}

// A list takes "select:N" (a click on line N), "select:-1" (the selection cleared, as a Ctrl+click on the
// selected line does) or "dblclick" (a double click on the selected line).
std::optional<QString> applyToItemView(QAbstractItemView* view, const QString& value) {
    if (value == QLatin1String("dblclick")) {
        const bool selected = hasSelection(view);
        const QModelIndex current = view->currentIndex();
        const QPoint where = current.isValid() ? view->visualRect(current).center() : QPoint(1, 1);
        QMouseEvent doubleClick(QEvent::MouseButtonDblClick, where, view->viewport()->mapToGlobal(where),
                                Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        // Only the double click: the selection stays the one chosen before, whatever lies under the point
        // (the view takes a double click without a press before it as a press, which would select a line).
        QCoreApplication::sendEvent(view->viewport(), &doubleClick);
        if (!selected && hasSelection(view))
            view->selectionModel()->clearSelection();
        return std::nullopt;
    }
    bool isNumber = false;
    const int row = value.startsWith(QLatin1String("select:")) ? value.mid(7).toInt(&isNumber) : -2;
    if (!isNumber)
        return QStringLiteral("takes select:N, select:-1 or dblclick, not \"%1\"").arg(value);
    if (row == -1) {
        const QModelIndex current = view->currentIndex();
        view->selectionModel()->clearSelection();
        if (current.isValid())
            emit view->clicked(current); // the Ctrl+click lands on the line it deselects
        return std::nullopt;
    }
    if (row < 0 || row >= view->model()->rowCount())
        return QStringLiteral("has no line %1").arg(row);
    const QModelIndex line = view->model()->index(row, 0);
    view->setCurrentIndex(line);
    emit view->pressed(line);
    emit view->clicked(line);
    return std::nullopt;
}

std::optional<QString> applyPosition(QWidget* control, const QString& value) {
    bool isNumber = false;
    const int position = value.toInt(&isNumber);
    if (!isNumber)
        return QStringLiteral("takes a whole-number position, not \"%1\"").arg(value);
    if (auto* slider = qobject_cast<QAbstractSlider*>(control))
        slider->setValue(position);
    else
        qobject_cast<QSpinBox*>(control)->setValue(position);
    return std::nullopt;
}

QString itemsOf(const QComboBox* list) {
    QStringList items;
    for (int index = 0; index < list->count(); ++index)
        items << QStringLiteral("\"%1\"").arg(list->itemText(index));
    return items.join(QStringLiteral(", "));
}

QString describeList(const QComboBox* list) {
    const QString kind = list->isEditable() ? QStringLiteral("drop-down list (typing allowed)")
                                            : QStringLiteral("drop-down list");
    const QString initial = list->currentIndex() >= 0
                                ? list->currentText()
                                : QStringLiteral("none selected, text \"%1\"").arg(list->currentText());
    return QStringLiteral("%1; items %2; initial: %3").arg(kind, itemsOf(list), initial);
}

} // namespace

// What a strict run refuses for an integer box, as a sentence; nullopt when the box reads the text as typed.
std::optional<QString> strictProblem(const widgets::SpinEdit& box, const QString& value) {
    const QString range =
        box.minValue() == box.maxValue()
            ? QStringLiteral("a whole number")
            : QStringLiteral("a whole number from %1 to %2").arg(box.minValue()).arg(box.maxValue());
    const std::optional<int> read = parseInteger(value.toStdString());
    const bool inRange =
        read && (box.minValue() == box.maxValue() || (*read >= std::min(box.minValue(), box.maxValue()) &&
                                                      *read <= std::max(box.minValue(), box.maxValue())));
    if (!inRange)
        return QStringLiteral("takes %1, not \"%2\"").arg(range, value);
    if (box.maxLength() > 0 && value.size() > box.maxLength())
        return QStringLiteral("takes at most %1 typed character(s), not \"%2\"")
            .arg(box.maxLength())
            .arg(value);
    return std::nullopt;
}

std::optional<QString> applyValue(QWidget* control, const QString& value, TextAnswerSlot& answers,
                                  Strictness strictness) {
    if (auto* box = qobject_cast<widgets::SpinEdit*>(control)) {
        if (strictness == Strictness::Strict)
            if (const std::optional<QString> problem = strictProblem(*box, value))
                return problem;
        if (retypesTheSameText(box->text(), value))
            emit box->changed();
        else
            box->setText(value);
        return std::nullopt;
    }
    if (auto* edit = qobject_cast<QLineEdit*>(control)) {
        // A text the box refuses (the calculator's beyond 32,767 characters) leaves it as it was, as in the
        // window.
        QString checked = value;
        int position = 0;
        if (edit->validator() != nullptr &&
            edit->validator()->validate(checked, position) == QValidator::Invalid) {
            if (strictness == Strictness::Strict)
                return QStringLiteral("refuses this text of %1 characters, as the window does")
                    .arg(value.size());
            return std::nullopt;
        }
        if (retypesTheSameText(edit->text(), value))
            emit edit->textChanged(value);
        else
            edit->setText(value);
        return std::nullopt;
    }
    if (auto* list = qobject_cast<QComboBox*>(control))
        return applyToList(list, value, strictness);
    if (auto* view = qobject_cast<QAbstractItemView*>(control))
        return applyToItemView(view, value);
    if (qobject_cast<QCheckBox*>(control) != nullptr || qobject_cast<QRadioButton*>(control) != nullptr)
        return applyToCheckable(static_cast<QAbstractButton*>(control), value);
    if (auto* button = qobject_cast<QAbstractButton*>(control))
        return applyToButton(button, value, answers);
    if (qobject_cast<QAbstractSlider*>(control) != nullptr || qobject_cast<QSpinBox*>(control) != nullptr)
        return applyPosition(control, value);
    return QStringLiteral("is not a control that takes a value");
}

QString describeControl(const QWidget* control) {
    if (const auto* box = qobject_cast<const widgets::SpinEdit*>(control)) {
        const QString range = box->minValue() == box->maxValue()
                                  ? QStringLiteral("no limits")
                                  : QStringLiteral("%1 to %2").arg(box->minValue()).arg(box->maxValue());
        const QString typingLimit =
            box->maxLength() > 0 ? QStringLiteral("; at most %1 typed character(s)").arg(box->maxLength())
                                 : QString();
        return QStringLiteral("integer input box; %1, step %2%3; initial %4")
            .arg(range)
            .arg(box->increment())
            .arg(typingLimit, box->text());
    }
    if (const auto* edit = qobject_cast<const QLineEdit*>(control))
        return QStringLiteral("free-text edit box; initial \"%1\"").arg(edit->text());
    if (const auto* list = qobject_cast<const QComboBox*>(control))
        return describeList(list);
    if (qobject_cast<const QAbstractItemView*>(control) != nullptr)
        return QStringLiteral(
            "list (select:N chooses line N, select:-1 clears the choice, dblclick double-clicks "
            "the chosen line)");
    if (const auto* box = qobject_cast<const QCheckBox*>(control))
        return QStringLiteral("check box \"%1\" (1 or 0); initial %2")
            .arg(box->text())
            .arg(box->isChecked() ? 1 : 0);
    if (const auto* radio = qobject_cast<const QRadioButton*>(control))
        return QStringLiteral("radio button \"%1\" (1 or 0); initial %2")
            .arg(radio->text())
            .arg(radio->isChecked() ? 1 : 0);
    if (const auto* button = qobject_cast<const QAbstractButton*>(control))
        return QStringLiteral("button \"%1\" (click, or the answer to the text it asks for)")
            .arg(button->text());
    if (const auto* spin = qobject_cast<const QSpinBox*>(control))
        return QStringLiteral("up-down; positions %1 to %2; initial %3")
            .arg(spin->minimum())
            .arg(spin->maximum())
            .arg(spin->value());
    if (const auto* slider = qobject_cast<const QAbstractSlider*>(control))
        return QStringLiteral("up-down; positions %1 to %2; initial %3")
            .arg(slider->minimum())
            .arg(slider->maximum())
            .arg(slider->value());
    return {};
}

} // namespace kc::cli
