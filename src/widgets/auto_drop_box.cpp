#include "widgets/auto_drop_box.h"

#include <QAbstractItemView>
#include <QCursor>
#include <QEnterEvent>

#include <utility>

TAutoDropBox::TAutoDropBox(QWidget* parent) : QComboBox(parent) {
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

void TAutoDropBox::hidePopup() {
    QComboBox::hidePopup();
    pointerStayedOver_ = rect().contains(mapFromGlobal(QCursor::pos()));
}

void TAutoDropBox::enterEvent(QEnterEvent* event) {
    QComboBox::enterEvent(event);
    if (std::exchange(pointerStayedOver_, false))
        return;
    CMMouseEnter();
}

void TAutoDropBox::leaveEvent(QEvent* event) {
    QComboBox::leaveEvent(event);
    pointerStayedOver_ = false;
    CMMouseLeave();
}
