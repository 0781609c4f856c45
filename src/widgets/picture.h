#pragma once

#include <QImage>
#include <QWidget>

#include <functional>

class QPainter;

namespace kc::widgets {

// A picture that code draws on and that keeps what was drawn until it is drawn again, like a canvas. It is
// held at the screen's pixel ratio, so texts stay sharp on scaled screens while coordinates stay those of the
// widget. Changing one pixel repaints only that pixel.
class Picture : public QWidget {
    Q_OBJECT

public:
    explicit Picture(QWidget* parent = nullptr);

    // Draws a fresh picture of the widget's size; what was there before is gone.
    void redraw(const std::function<void(QPainter&)>& drawing);
    void setPixel(QPoint at, const QColor& colour);
    QColor pixel(QPoint at) const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage canvas_;
};

} // namespace kc::widgets
