#pragma once

#include <QIcon>
#include <QPalette>
#include <QPixmap>

class QPainter;

namespace kc::app {

// The program's own pictures, painted by code so no image files have to travel with it.
void paintFrontPicture(QPainter& painter, QSize size);
QIcon stayOnTopGlyph(const QPalette& palette);
QIcon helpGlyph();
QIcon exitGlyph(const QPalette& palette);

} // namespace kc::app
