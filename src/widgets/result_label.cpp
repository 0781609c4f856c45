#include "widgets/result_label.h"

#include <QPainter>
#include <QStyle>

namespace kc::widgets {

void ResultLabel::paintEvent(QPaintEvent* event) {
    QString shown = text();
    if (!shown.contains(QLatin1Char('\r'))) {
        QLabel::paintEvent(event);
        return;
    }
    shown.remove(QLatin1Char('\r'));
    QPainter painter(this);
    drawFrame(&painter);
    const int gap = margin();
    const QRect area = contentsRect().adjusted(gap, gap, -gap, -gap);
    style()->drawItemText(&painter, area, QStyle::visualAlignment(layoutDirection(), alignment()), palette(),
                          isEnabled(), shown, foregroundRole());
}

} // namespace kc::widgets
