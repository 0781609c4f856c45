#include "widgets/auto_drop_box.h"

#include <QAbstractItemView>
#include <QEnterEvent>

TAutoDropBox::TAutoDropBox(QWidget* parent) : QComboBox(parent) {}

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

void TAutoDropBox::enterEvent(QEnterEvent* event) {
    QComboBox::enterEvent(event);
    CMMouseEnter();
}

void TAutoDropBox::leaveEvent(QEvent* event) {
    QComboBox::leaveEvent(event);
    CMMouseLeave();
}
