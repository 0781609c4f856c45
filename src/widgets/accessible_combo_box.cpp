#include "widgets/accessible_combo_box.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QLineEdit>

namespace kc::widgets {

namespace {

class AccessibleComboBox final : public QAccessibleWidget {
public:
    explicit AccessibleComboBox(QComboBox* list) : QAccessibleWidget(list, QAccessible::ComboBox) {}

    int childCount() const override { return list()->isEditable() ? 2 : 1; }

    QAccessibleInterface* child(int index) const override {
        if (index == 0)
            return QAccessible::queryAccessibleInterface(list()->view());
        if (index == 1 && list()->isEditable())
            return QAccessible::queryAccessibleInterface(list()->lineEdit());
        return nullptr;
    }

    int indexOfChild(const QAccessibleInterface* child) const override {
        if (child->object() == list()->view())
            return 0;
        if (list()->isEditable() && child->object() == list()->lineEdit())
            return 1;
        return -1;
    }

    // The text field of a list that takes typing has the keyboard, never the list itself.
    QAccessibleInterface* focusChild() const override { return list()->isEditable() ? child(1) : nullptr; }

    QString text(QAccessible::Text kind) const override {
        const QString shown = list()->isEditable() ? list()->lineEdit()->text() : list()->currentText();
        if (kind == QAccessible::Value)
            return shown;
        const QString own = QAccessibleWidget::text(kind);
        return kind == QAccessible::Name && own.isEmpty() ? shown : own;
    }

    QStringList actionNames() const override { return {showMenuAction()}; }

    void doAction(const QString& action) override {
        if (action == showMenuAction())
            list()->showPopup();
    }

private:
    QComboBox* list() const { return static_cast<QComboBox*>(widget()); }
};

QAccessibleInterface* comboBoxes(const QString& className, QObject* object) {
    if (className != QLatin1String("QComboBox") || !object->isWidgetType())
        return nullptr;
    return new AccessibleComboBox(static_cast<QComboBox*>(object));
}

} // namespace

void installComboBoxNames() {
    static const bool installed = [] {
        QAccessible::installFactory(&comboBoxes);
        return true;
    }();
    (void)installed;
}

} // namespace kc::widgets
