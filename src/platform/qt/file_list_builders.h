// SPDX-License-Identifier: GPL-3.0-or-later
// The widgets of the file-system lists and of the combo box.
#pragma once

#include "platform/controls.h"

class QWidget;

namespace quibbly {

// Makes the widget of a drive list, folder list, file list or combo box,
// bound to its model.
QWidget* BuildFileControl(Control& control, QWidget* parent);

}  // namespace quibbly
