#include "widgets/combo_box.h"

#include "widgets/accessible_combo_box.h"

#include <QAbstractItemView>
#include <QEvent>
#include <QLineEdit>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionComboBox>

#include <algorithm>

namespace kc::widgets {

ComboBox::ComboBox(QWidget* parent) : QComboBox(parent) {
    installComboBoxNames();
    setInsertPolicy(QComboBox::NoInsert);
    connect(this, &QComboBox::activated, this, [this] {
        typedOver_ = false;
        emit change();
    });
}

int ComboBox::itemIndex() const {
    return typedOver_ ? -1 : currentIndex();
}

void ComboBox::chooseItem(int index) {
    setCurrentIndex(index);
    emit activated(index);
}

void ComboBox::typeText(const QString& text) {
    if (!isEditable())
        return;
    typedOver_ = true;
    setEditText(text);
    emit change();
}

void ComboBox::showUnchosenText(const QString& text) {
    setCurrentIndex(-1);
    if (isEditable()) {
        connectEditor();
        setEditText(text);
        lineEdit()->setCursorPosition(0); // show the start of the prompt, not its end
    } else {
        setPlaceholderText(text);
    }
    widenToShow(text);
}

// A prompt cut short reads as a different word ("Select Starba"), and a box that allows typing scrolls its
// start out of view when Tab selects it: the box is made at least as wide as its prompt.
void ComboBox::widenToShow(const QString& text) {
    constexpr int kEditorMargins = 2 * 2 + 2; // the editor's own side margins and its caret
    QStyleOptionComboBox option;
    initStyleOption(&option);
    const QSize content(fontMetrics().horizontalAdvance(text) + kEditorMargins, fontMetrics().height());
    const int width = style()->sizeFromContents(QStyle::CT_ComboBox, &option, content, this).width();
    setMaximumWidth(std::max(maximumWidth(), width));
    setMinimumWidth(std::max(minimumWidth(), width));
}

void widenListToItems(QComboBox& box) {
    QAbstractItemView* list = box.view();
    const int itemsWidth =
        list->sizeHintForColumn(0) + 2 * list->frameWidth() +
        (box.count() > box.maxVisibleItems() ? list->verticalScrollBar()->sizeHint().width() : 0);
    list->setMinimumWidth(itemsWidth);
}

void ComboBox::showPopup() {
    // Items appended later (unlocking) count too, so the width is taken each time the list opens.
    widenListToItems(*this);
    QComboBox::showPopup();
}

void ComboBox::connectEditor() {
    // Typing must not complete to an item or add one: the text stays as typed and counts as no choice.
    setCompleter(nullptr);
    disconnect(lineEdit(), &QLineEdit::textEdited, this, nullptr);
    connect(lineEdit(), &QLineEdit::textEdited, this, [this] {
        typedOver_ = true;
        emit change();
    });
}

} // namespace kc::widgets
