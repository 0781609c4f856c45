#include "widgets/picture.h"

#include <QPaintEvent>
#include <QPainter>

namespace kc::widgets {

Picture::Picture(QWidget* parent) : QWidget(parent) {
    // Everything visible comes from the canvas; nothing beneath needs painting first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void Picture::redraw(const std::function<void(QPainter&)>& drawing) {
    const qreal ratio = devicePixelRatioF();
    QImage canvas((QSizeF(size()) * ratio).toSize(), QImage::Format_RGB32);
    canvas.setDevicePixelRatio(ratio);
    {
        QPainter painter(&canvas);
        drawing(painter);
    }
    canvas_ = std::move(canvas);
    update();
}

void Picture::setPixel(QPoint at, const QColor& colour) {
    if (canvas_.isNull())
        return;
    const QRect pixelArea(at, QSize(1, 1));
    QPainter painter(&canvas_);
    painter.fillRect(pixelArea, colour);
    update(pixelArea);
}

QColor Picture::pixel(QPoint at) const {
    const QPointF device = QPointF(at) * canvas_.devicePixelRatio();
    return canvas_.pixelColor(device.toPoint());
}

QSize Picture::sizeHint() const {
    return minimumSize();
}

void Picture::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    if (canvas_.isNull()) {
        painter.fillRect(event->rect(), palette().color(QPalette::Button));
        return;
    }
    painter.drawImage(QPoint(0, 0), canvas_); // clipped to the area that needs it
}

} // namespace kc::widgets
