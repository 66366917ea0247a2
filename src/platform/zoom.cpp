// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/zoom.h"

#include <algorithm>
#include <cmath>

#include "platform/types.h"

namespace quibbly::Zoom {

double ToFit(double designWidth, double designHeight, double roomWidth, double roomHeight, double most) {
    if (!(designWidth > 0 && designHeight > 0)) return std::max(most, Least);
    const double fit = std::min(roomWidth / designWidth, roomHeight / designHeight);
    return std::clamp(fit, Least, std::max(most, Least));
}

bool Fits(double designWidth, double designHeight, double roomWidth, double roomHeight, double zoom) {
    // Each length is whole pixels: a rounding of half a pixel still fits.
    return designWidth * zoom <= roomWidth + 0.5 && designHeight * zoom <= roomHeight + 0.5;
}

int Pixels(int twips, double zoom) {
    return static_cast<int>(std::lround(twips * zoom / TwipsPerPixel));
}

}  // namespace quibbly::Zoom
