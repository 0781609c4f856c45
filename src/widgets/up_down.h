#pragma once

#include <QAbstractSlider>

class QToolButton;

namespace kc::widgets {

// An up-down control: two small arrow buttons that step a position within [minimum, maximum] without
// wrapping; the up arrow raises it. It shows no number of its own; a page writes what the position means
// into a box beside it. Holding an arrow repeats; the wheel and the Up and Down keys step too, also in the
// associated box.
class UpDown : public QAbstractSlider {
    Q_OBJECT

public:
    explicit UpDown(QWidget* parent = nullptr);

    // The Up and Down keys in `box` step this control.
    void associate(QWidget* box);

    QToolButton* upButton() const { return up_; }
    QToolButton* downButton() const { return down_; }

    QSize sizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QToolButton* up_;
    QToolButton* down_;
};

} // namespace kc::widgets
