#pragma once

#include <QColor>
#include <QPalette>

#include <algorithm>

namespace kc::widgets {

// A signal colour (pure blue, red) as drawn on `palette`: unchanged on a light window colour; on a dark one
// a light tint of the same hue, which stays readable there.
inline QColor readableOn(const QColor& hue, const QPalette& palette) {
    constexpr int kDarkBelow = 128;
    constexpr int kTintLightness = 190;
    if (palette.color(QPalette::Window).lightness() >= kDarkBelow)
        return hue;
    return QColor::fromHsl(hue.hslHue(), hue.hslSaturation(), std::max(hue.lightness(), kTintLightness));
}

} // namespace kc::widgets
