// SPDX-License-Identifier: GPL-3.0-or-later
// The focus ring: a thick outline in the game's colours around the control
// that has the keyboard, whatever the style draws, at any scale.
#pragma once

class QWidget;

namespace quibbly {

// Marks a control's widget as one the ring goes round when it, or a widget
// inside it, has the focus. The ring is drawn in the control's container,
// over the neighbours it may touch.
void RingOnFocus(QWidget* control);

}  // namespace quibbly
