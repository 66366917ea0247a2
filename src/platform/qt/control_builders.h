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

int ToPixels(int twips);
QRect ToPixels(const Place& place);
QColor ToQColor(Colour colour);
QFont ToQFont(const Font& font);
// The game's text is single-byte Latin-1.
QString ToQString(const std::string& text);
std::string ToModel(const QString& text);
// The picture resource ":/images/<name>.svg", drawn at its natural size or
// stretched to the given size.
QPixmap Picture(const std::string& name, QSize size = {});

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
