#pragma once

#include <QComboBox>

namespace kc::widgets {

// A drop-down list that opens itself when the pointer enters it while AutoDrop is on, so a page can be picked
// without aiming at the arrow. Everything else is the plain QComboBox.
class TAutoDropBox : public QComboBox {
    Q_OBJECT
    Q_PROPERTY(bool AutoDrop READ autoDrop WRITE setAutoDrop)
    Q_PROPERTY(bool Sorted READ sorted WRITE setSorted)

public:
    explicit TAutoDropBox(QWidget* parent = nullptr);

    bool autoDrop() const { return autoDrop_; }
    void setAutoDrop(bool on) { autoDrop_ = on; }

    // A sorted box keeps its items in case-insensitive alphabetical order as they are added.
    bool sorted() const { return sorted_; }
    void setSorted(bool on) { sorted_ = on; }
    // Adds an item at its sorted place (at the end when the box is not sorted); returns its index.
    int addListItem(const QString& text);

    bool isDroppedDown() const;

    // The pointer notifications, public so the window (and tests) can raise them as the platform does.
    void CMMouseEnter();
    void CMMouseLeave();

    void showPopup() override;
    void hidePopup() override;

signals:
    void OnMouseEnter(TAutoDropBox* sender);
    void OnMouseLeave(TAutoDropBox* sender);

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    bool pointerIsOver() const;

    bool autoDrop_ = false;
    bool sorted_ = false;
    // The list closed with the pointer still over the box: the enter notification that follows is not a real
    // entry and must not drop the list again.
    bool pointerStayedOver_ = false;
};

} // namespace kc::widgets
