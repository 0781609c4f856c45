#include "app/page_text.h"

#include "app/calculator_page.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

namespace kc::app {

namespace {

QString accessibleName(QWidget* widget) {
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
    const QString name = accessible != nullptr ? accessible->text(QAccessible::Name) : QString();
    return name.isEmpty() ? widget->objectName() : name;
}

// The value an input holds as the player reads it; empty for what is no input (a button, a result list).
std::optional<QString> inputValue(const QWidget* widget) {
    if (const auto* box = qobject_cast<const QAbstractSpinBox*>(widget))
        return box->text();
    if (const auto* list = qobject_cast<const QComboBox*>(widget))
        return list->currentText();
    if (const auto* edit = qobject_cast<const QLineEdit*>(widget))
        return edit->text();
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget);
        button != nullptr && button->isCheckable())
        return QString::fromLatin1(button->isChecked() ? "yes" : "no");
    return std::nullopt;
}

// The box that owns an editable part (the text field inside a list or an integer box), or nullptr.
bool isPartOfAnotherInput(const QWidget* widget) {
    const QWidget* parent = widget->parentWidget();
    return qobject_cast<const QComboBox*>(parent) != nullptr ||
           qobject_cast<const QAbstractSpinBox*>(parent) != nullptr;
}

QString resultName(QWidget* control) {
    const QString description = control->accessibleDescription();
    return description.isEmpty() ? accessibleName(control) : description;
}

} // namespace

QStringList controlTexts(const QWidget* control) {
    if (const auto* label = qobject_cast<const QLabel*>(control))
        return {label->text()};
    if (const auto* edit = qobject_cast<const QLineEdit*>(control))
        return {edit->text()};
    if (const auto* view = qobject_cast<const QAbstractItemView*>(control)) {
        QStringList lines;
        const QAbstractItemModel* model = view->model();
        for (int row = 0; model != nullptr && row < model->rowCount(); ++row)
            lines << model->index(row, 0).data().toString();
        return lines;
    }
    if (const auto* button = qobject_cast<const QAbstractButton*>(control))
        return {button->text()};
    return {QString()};
}

QString pageAsText(const CalculatorPage& page) {
    QStringList text{page.windowTitle()};
    const QStringList results = page.resultControls();
    // The focus chain runs through the whole window; the page's inputs are the part of it inside the page.
    for (QWidget* widget = page.nextInFocusChain(); widget != &page; widget = widget->nextInFocusChain()) {
        if (!page.isAncestorOf(widget) || !widget->isVisibleTo(&page) || isPartOfAnotherInput(widget) ||
            results.contains(widget->objectName()))
            continue;
        if (const std::optional<QString> value = inputValue(widget))
            text << accessibleName(widget) + QStringLiteral(": ") + *value;
        if (widget->nextInFocusChain() == widget)
            break;
    }
    for (const QString& name : results) {
        auto* control = page.findChild<QWidget*>(name);
        if (control == nullptr)
            continue;
        QStringList lines;
        for (const QString& shown : controlTexts(control))
            lines << QString(shown).remove(QLatin1Char('\r')).split(QLatin1Char('\n'));
        if (lines.size() == 1)
            text << resultName(control) + QStringLiteral(": ") + lines.front();
        else
            text << resultName(control) + QLatin1Char(':') << lines;
    }
    return text.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

} // namespace kc::app
