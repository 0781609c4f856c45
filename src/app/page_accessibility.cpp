#include "app/page_accessibility.h"

#include "app/calculator_page.h"
#include "widgets/copyable_lines.h"
#include "widgets/up_down.h"

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

namespace kc::app {

namespace {

// A screen reader announces the part that has the keyboard, so it must carry the name of its whole.
void nameEditableParts(CalculatorPage& page) {
    for (QComboBox* list : page.findChildren<QComboBox*>())
        if (QLineEdit* edit = list->lineEdit())
            edit->setAccessibleName(list->accessibleName());
    for (QAbstractSpinBox* box : page.findChildren<QAbstractSpinBox*>())
        for (QLineEdit* edit : box->findChildren<QLineEdit*>(QString(), Qt::FindDirectChildrenOnly))
            edit->setAccessibleName(box->accessibleName());
    for (widgets::UpDown* upDown : page.findChildren<widgets::UpDown*>()) {
        upDown->upButton()->setAccessibleName(upDown->accessibleName() + QObject::tr(" up"));
        upDown->downButton()->setAccessibleName(upDown->accessibleName() + QObject::tr(" down"));
    }
}

void makeResultsCopyable(CalculatorPage& page) {
    for (const QString& name : page.resultControls()) {
        QWidget* control = page.findChild<QWidget*>(name);
        if (auto* label = qobject_cast<QLabel*>(control))
            label->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        else if (auto* view = qobject_cast<QAbstractItemView*>(control))
            widgets::makeLinesCopyable(*view);
    }
}

} // namespace

void prepareAccessibility(CalculatorPage& page) {
    nameEditableParts(page);
    makeResultsCopyable(page);
}

} // namespace kc::app
