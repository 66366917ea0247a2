// SPDX-License-Identifier: GPL-3.0-or-later
// Plain value types shared by the window models, the engine and the Qt layer.
#pragma once

#include <cstdint>
#include <string>

namespace quibbly {

// The design's Integer.
using Integer = std::int16_t;

// A colour as 0xBBGGRR: blue in the high byte, red in the low byte.
using Colour = std::uint32_t;

constexpr Colour Rgb(unsigned red, unsigned green, unsigned blue) {
    return (blue & 0xFFu) << 16 | (green & 0xFFu) << 8 | (red & 0xFFu);
}
constexpr unsigned RedOf(Colour c) {
    return c & 0xFFu;
}
constexpr unsigned GreenOf(Colour c) {
    return (c >> 8) & 0xFFu;
}
constexpr unsigned BlueOf(Colour c) {
    return (c >> 16) & 0xFFu;
}

// Screen measures are twips: 1440 to the inch, 15 to the pixel at 96 dpi.
constexpr int TwipsPerPixel = 15;

struct Place {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const Place&, const Place&) = default;
};

struct Font {
    std::string family = "Times New Roman";
    double points = 14.25;
    bool bold = false;
};

}  // namespace quibbly
