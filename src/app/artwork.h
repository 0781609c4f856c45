#pragma once

#include <QIcon>
#include <QPixmap>

namespace kc::app {

// The program's own pictures, painted at start so no image files have to travel with it.
QPixmap paintFrontPicture(QSize size);
QIcon stayOnTopGlyph();
QIcon helpGlyph();
QIcon exitGlyph();
QIcon windowIcon();

} // namespace kc::app
