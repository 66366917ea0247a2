// SPDX-License-Identifier: GPL-3.0-or-later
// One zoom for a window's whole layout: every place, size and font of a
// window is its design's value times the window's zoom. The arithmetic is
// plain, so that any front end (the desktop's widgets, a web page) opens a
// window at the same zoom for the same room.
#pragma once

namespace quibbly::Zoom {

// Below this the text is too small to read: a window that does not fit at
// it scrolls instead.
inline constexpr double Least = 0.6;

// The largest zoom, at most `most` and at least Least, at which a layout of
// designWidth by designHeight (at zoom 1) fits a room of roomWidth by
// roomHeight, in the same units. The room is what is left for the layout
// once the parts of the window that do not zoom (its frame, its menu bar)
// are taken off.
double ToFit(double designWidth, double designHeight, double roomWidth, double roomHeight, double most);

// Whether the layout fits the room at the zoom.
bool Fits(double designWidth, double designHeight, double roomWidth, double roomHeight, double zoom);

// A length of the design, in twips, at a zoom: whole pixels of 15 twips at
// zoom 1, rounded to the nearest.
int Pixels(int twips, double zoom);

}  // namespace quibbly::Zoom
