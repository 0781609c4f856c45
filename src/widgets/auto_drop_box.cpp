#include "widgets/auto_drop_box.h"

#include "widgets/accessible_combo_box.h"
#include "widgets/combo_box.h"

#include <QAbstractItemView>
#include <QCursor>
#include <QEnterEvent>

namespace kc::widgets {

TAutoDropBox::TAutoDropBox(QWidget* parent) : QComboBox(parent) {
    installComboBoxNames();
    // Styles that pop the list up over the box (Fusion among them) would show every item and ignore
    // maxVisibleItems: drop it down below the box instead.
    setStyleSheet(QStringLiteral("QComboBox { combobox-popup: 0; }"));
}

int TAutoDropBox::addListItem(const QString& text) {
    int position = count();
    if (sorted_) {
        position = 0;
        while (position < count() && QString::compare(itemText(position), text, Qt::CaseInsensitive) <= 0)
            ++position;
    }
    insertItem(position, text);
    return position;
}

bool TAutoDropBox::isDroppedDown() const {
    return view() != nullptr && view()->isVisible();
}

void TAutoDropBox::CMMouseEnter() {
    emit OnMouseEnter(this);
    if (autoDrop_ && !isDroppedDown())
        showPopup();
}

void TAutoDropBox::CMMouseLeave() {
    emit OnMouseLeave(this); // the list stays open; it closes as any list does
}

bool TAutoDropBox::pointerIsOver() const {
    return rect().contains(mapFromGlobal(QCursor::pos()));
}

// The closed box keeps its width; the list shows every caption whole.
void TAutoDropBox::showPopup() {
    kc::widgets::widenListToItems(*this);
    QComboBox::showPopup();
}

void TAutoDropBox::hidePopup() {
    QComboBox::hidePopup();
    pointerStayedOver_ = pointerIsOver();
}

void TAutoDropBox::enterEvent(QEnterEvent* event) {
    QComboBox::enterEvent(event);
    if (pointerStayedOver_)
        return;
    CMMouseEnter();
}

// Closing the list hands the pointer back from the list's grab, and the window system may report that as
// leaves and new entries although the pointer never moved off the box: only a pointer really outside ends
// the stay.
void TAutoDropBox::leaveEvent(QEvent* event) {
    QComboBox::leaveEvent(event);
    if (!pointerIsOver())
        pointerStayedOver_ = false;
    CMMouseLeave();
}

} // namespace kc::widgets
