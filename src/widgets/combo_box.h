#pragma once

#include <QComboBox>

namespace kc::widgets {

// Opens `box`'s list at least as wide as its longest item, however narrow the box.
void widenListToItems(QComboBox& box);

// A page's drop-down list. When it allows typing, typed text deselects the item, as with the classic combo
// box: itemIndex() is then -1 and the text stays as typed. change() fires on every choice from the list and
// on every typed change; choices made by code fire nothing.
class ComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit ComboBox(QWidget* parent = nullptr);

    // The chosen item's position, or -1 when nothing is chosen or the text was typed over.
    int itemIndex() const;

    // What a user's choice from the list does.
    void chooseItem(int index);
    // What a user's typing does: the whole text replaced (only for a list that allows typing).
    void typeText(const QString& text);

    // Sets the text shown while nothing is chosen, and widens the box to show it whole.
    void showUnchosenText(const QString& text);

    // The list opens at least as wide as its longest item, so a narrow box still shows whole names.
    void showPopup() override;

signals:
    void change();

private:
    void connectEditor();
    void widenToShow(const QString& text);

    bool typedOver_ = false;
};

} // namespace kc::widgets
