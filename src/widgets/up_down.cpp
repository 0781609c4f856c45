#include "widgets/up_down.h"

#include <QKeyEvent>
#include <QToolButton>

namespace kc::widgets {

namespace {

QToolButton* arrowButton(Qt::ArrowType arrow, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setArrowType(arrow);
    button->setAutoRepeat(true);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

} // namespace

UpDown::UpDown(QWidget* parent)
    : QAbstractSlider(parent), up_(arrowButton(Qt::UpArrow, this)), down_(arrowButton(Qt::DownArrow, this)) {
    setOrientation(Qt::Vertical);
    setFocusPolicy(Qt::NoFocus);
    connect(up_, &QToolButton::clicked, this, [this] { triggerAction(SliderSingleStepAdd); });
    connect(down_, &QToolButton::clicked, this, [this] { triggerAction(SliderSingleStepSub); });
}

void UpDown::associate(QWidget* box) {
    box->installEventFilter(this);
}

QSize UpDown::sizeHint() const {
    return {16, 20};
}

void UpDown::resizeEvent(QResizeEvent* event) {
    QAbstractSlider::resizeEvent(event);
    const int upperHeight = height() / 2;
    up_->setGeometry(0, 0, width(), upperHeight);
    down_->setGeometry(0, upperHeight, width(), height() - upperHeight);
}

bool UpDown::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && isEnabled()) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            triggerAction(key == Qt::Key_Up ? SliderSingleStepAdd : SliderSingleStepSub);
            return true;
        }
    }
    return QAbstractSlider::eventFilter(watched, event);
}

} // namespace kc::widgets
