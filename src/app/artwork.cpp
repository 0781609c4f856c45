#include "app/artwork.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace kc::app {

namespace {

constexpr int kGlyphSize = 16;

// A fixed little generator, so the starfield looks the same at every start.
class StarScatter {
public:
    int next(int bound) {
        seed_ = seed_ * 1103515245u + 12345u;
        return static_cast<int>((seed_ >> 16) % static_cast<unsigned>(bound));
    }

private:
    unsigned seed_ = 20261209u;
};

void paintStars(QPainter& painter, QSize size) {
    StarScatter scatter;
    for (int i = 0; i < 140; ++i) {
        const int shade = 120 + scatter.next(136);
        painter.setPen(QColor(shade, shade, 255 - scatter.next(60)));
        painter.drawPoint(scatter.next(size.width()), scatter.next(size.height()));
    }
}

void paintPlanet(QPainter& painter, QSize size) {
    const QPointF centre(size.width() * 0.74, size.height() * 0.62);
    const qreal radius = size.height() * 0.34;
    QRadialGradient surface(centre - QPointF(radius * 0.4, radius * 0.4), radius * 1.4);
    surface.setColorAt(0.0, QColor(250, 196, 120));
    surface.setColorAt(0.55, QColor(176, 84, 40));
    surface.setColorAt(1.0, QColor(30, 10, 20));
    painter.setPen(Qt::NoPen);
    painter.setBrush(surface);
    painter.drawEllipse(centre, radius, radius);

    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(220, 210, 170, 170), 3));
    painter.drawEllipse(centre, radius * 1.6, radius * 0.35);
}

void paintShip(QPainter& painter, QSize size) {
    QPainterPath hull;
    const QPointF nose(size.width() * 0.40, size.height() * 0.47);
    hull.moveTo(nose);
    hull.lineTo(nose + QPointF(-34, 10));
    hull.lineTo(nose + QPointF(-26, 0));
    hull.lineTo(nose + QPointF(-34, -10));
    hull.closeSubpath();
    painter.setPen(QPen(QColor(190, 200, 220), 1));
    painter.setBrush(QColor(110, 120, 150));
    painter.drawPath(hull);
    painter.setPen(QPen(QColor(120, 200, 255, 160), 2));
    painter.drawLine(nose + QPointF(-28, 0), nose + QPointF(-70, 0));
}

void paintTitle(QPainter& painter, QSize size) {
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(29);
    painter.setFont(font);
    painter.setPen(QColor(255, 230, 120));
    painter.drawText(QRect(12, 10, size.width() - 24, 40), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("Korvath!"));
    font.setPixelSize(16);
    painter.setFont(font);
    painter.setPen(QColor(200, 220, 255));
    painter.drawText(QRect(14, 46, size.width() - 24, 24), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("Calculator"));
}

// Painted once per common device pixel ratio, so a scaled desktop gets sharp glyphs, not a blown-up 1x one.
template <typename Paint> QIcon glyph(Paint paint) {
    QIcon icon;
    for (const qreal ratio : {1.0, 1.5, 2.0, 3.0}) {
        const int side = qRound(kGlyphSize * ratio);
        QPixmap pixmap(side, side);
        pixmap.setDevicePixelRatio(ratio);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        paint(painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace

void paintFrontPicture(QPainter& painter, QSize size) {
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, size.height());
    sky.setColorAt(0.0, QColor(4, 6, 28));
    sky.setColorAt(1.0, QColor(18, 8, 46));
    painter.fillRect(QRect(QPoint(0, 0), size), sky);
    paintStars(painter, size);
    paintPlanet(painter, size);
    paintShip(painter, size);
    paintTitle(painter, size);
}

// Outlines in the palette's text colour, so they show on a dark desktop theme as on a light one.
QIcon stayOnTopGlyph(const QPalette& palette) {
    return glyph([&](QPainter& painter) {
        painter.setPen(QPen(palette.color(QPalette::WindowText), 1.5));
        painter.setBrush(QColor(200, 40, 40));
        painter.drawEllipse(QPointF(8, 5), 3.5, 3.5);
        painter.drawLine(QPointF(8, 8.5), QPointF(8, 15));
    });
}

QIcon helpGlyph() {
    return glyph([](QPainter& painter) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(30, 90, 200));
        painter.drawEllipse(QRectF(1, 1, 14, 14));
        QFont font = painter.font();
        font.setBold(true);
        font.setPixelSize(12);
        painter.setFont(font);
        painter.setPen(Qt::white);
        painter.drawText(QRectF(1, 1, 14, 14), Qt::AlignCenter, QStringLiteral("?"));
    });
}

QIcon exitGlyph(const QPalette& palette) {
    return glyph([&](QPainter& painter) {
        painter.setPen(QPen(palette.color(QPalette::WindowText), 1));
        painter.setBrush(QColor(150, 100, 50));
        painter.drawRect(QRectF(3, 1.5, 9, 13));
        painter.setBrush(QColor(240, 210, 80));
        painter.drawEllipse(QPointF(10, 8.5), 1, 1);
    });
}

} // namespace kc::app
