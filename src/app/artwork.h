#pragma once

#include <QIcon>
#include <QPalette>
#include <QPixmap>

namespace kc::app {

// The program's own pictures, painted at start so no image files have to travel with it.
QPixmap paintFrontPicture(QSize size);
QIcon stayOnTopGlyph(const QPalette& palette);
QIcon helpGlyph();
QIcon exitGlyph(const QPalette& palette);

} // namespace kc::app
