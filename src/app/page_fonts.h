#pragma once

#include <QSize>

class QWidget;

namespace kc::app {

// Large fonts make the window a quarter taller, and the page's text grows into the room: the page takes the
// largest pixel size from `largestPixels` down to `normalPixels` at which it still fits `room` and shows
// every caption whole (its width never grows). Returns the size chosen.
int fitLargerFont(QWidget& page, QSize room, int normalPixels, int largestPixels);

// The page's text at `pixels`.
void setPageFontPixels(QWidget& page, int pixels);

} // namespace kc::app
