#include "app/page_fonts.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLayout>
#include <QTextDocument>
#include <QWidget>

#include <algorithm>

namespace kc::app {

namespace {

int widestLine(const QFontMetrics& metrics, const QString& text) {
    int widest = 0;
    for (const QString& line : text.split(QLatin1Char('\n')))
        widest = std::max(widest, metrics.horizontalAdvance(line));
    return widest;
}

// Every caption shows whole (a label's lines, a check box's or button's text within its own width) and no
// control runs past its parent's edge.
bool showsEverythingWhole(const QWidget& page) {
    for (const QWidget* widget : page.findChildren<QWidget*>())
        if (widget->isVisibleTo(&page) && !widget->parentWidget()->rect().contains(widget->geometry()))
            return false;
    for (const QLabel* label : page.findChildren<QLabel*>()) {
        if (!label->isVisibleTo(&page) || label->text().isEmpty())
            continue;
        const bool clipped =
            label->wordWrap() ? label->heightForWidth(label->width()) > label->height()
            : Qt::mightBeRichText(label->text())
                ? label->sizeHint().width() > label->width()
                : widestLine(label->fontMetrics(), label->text()) > label->contentsRect().width();
        if (clipped)
            return false;
    }
    for (const QAbstractButton* button : page.findChildren<QAbstractButton*>())
        if (button->isVisibleTo(&page) && !button->text().isEmpty() &&
            button->sizeHint().width() > button->width())
            return false;
    return true;
}

// Lays the page out now, every nested layout after the one that placed its widget, as showing it would.
void layOut(QWidget& page) {
    QList<QWidget*> widgets{&page};
    widgets += page.findChildren<QWidget*>();
    for (QWidget* widget : widgets)
        if (QLayout* layout = widget->layout()) {
            layout->invalidate();
            layout->activate();
        }
}

bool fits(QWidget& page, QSize room) {
    page.resize(room);
    layOut(page);
    if (const QLayout* layout = page.layout()) {
        const QSize needed = layout->minimumSize();
        if (needed.width() > room.width() || needed.height() > room.height())
            return false;
    }
    return showsEverythingWhole(page);
}

} // namespace

int fitLargerFont(QWidget& page, QSize room, int normalPixels, int largestPixels) {
    for (int pixels = largestPixels; pixels > normalPixels; --pixels) {
        setPageFontPixels(page, pixels);
        if (fits(page, room))
            return pixels;
    }
    setPageFontPixels(page, normalPixels);
    return normalPixels;
}

void setPageFontPixels(QWidget& page, int pixels) {
    QFont font = page.font();
    font.setPixelSize(pixels);
    page.setFont(font);
}

} // namespace kc::app
