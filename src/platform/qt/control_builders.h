// SPDX-License-Identifier: GPL-3.0-or-later
// Turning the design's measures, colours, fonts and pictures into Qt terms,
// and one builder per control kind that makes the control's widget and
// binds it to the model.
#pragma once

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QPixmap>
#include <QRect>
#include <QString>
#include <optional>
#include <string>

#include "platform/controls.h"
#include "platform/types.h"

class QWidget;

namespace quibbly {

// A length or place of the design, in twips, in pixels at zoom 1: a place
// on the screen.
int ToPixels(int twips);
QRect ToPixels(const Place& place);
QColor ToQColor(Colour colour);
// The designed font, its size times the zoom.
QFont ToQFont(const Font& font, double zoom = 1.0);
// The zoom of the window a widget lies in (see platform/zoom.h): every
// place, size and font of its controls is the design's times it.
double ZoomOf(const QWidget* widget);
void SetZoomOf(QWidget* window, double zoom);
// The one place a control's widget takes its place and font from the
// design, at its window's zoom (a picture at the place it was moved to).
void PlaceWidget(const Control& control, QWidget* widget);
// The game's text is single-byte Latin-1.
QString ToQString(const std::string& text);
std::string ToModel(const QString& text);
// The picture resource ":/images/<name>.svg", drawn from its source at its
// natural size times the zoom, or stretched to the given size: sharp at any
// zoom and any scale of the screen.
QPixmap Picture(const std::string& name, QSize size = {}, double zoom = 1.0);

// The grey of disabled text on a background: between the two, at least 3
// to 1 against the background where the text stands out by 4.5 to 1.
QColor DisabledText(const QColor& text, const QColor& back);

// Sets the colour of the text a palette writes on a background the design
// fixes (backRole paints it): the designed text colour, or black or white,
// whichever stands out more, and disabled text a readable grey between it
// and the background.
void ReadableText(QPalette& palette, QPalette::ColorRole backRole, const QColor& back,
                  const std::optional<Colour>& fore);

// True while a control that has the keyboard is being switched off: its
// window keeps the keyboard where it is, for the handler to move.
bool HoldingFocus();

// Makes the widget for a control (any kind but MenuItem) as a child of
// parent, placed and styled by the control's design and bound to the model.
QWidget* BuildWidget(Control& control, QWidget* parent);

}  // namespace quibbly
