// SPDX-License-Identifier: GPL-3.0-or-later
// What assistive tools read for a control, from its model alone, for every
// front end: the label that heads it and the name it goes by.
#pragma once

#include <string>

#include "platform/controls.h"

namespace quibbly {

// A heading is the label of one control alone: of those it heads, the nearest.
const Label* HeadingOf(const Control& control);

// The name a screen reader says for the control: the model's spoken name,
// else its heading or its role in words ("HintList" reads "Hint list"); empty
// for controls named by their own caption.
std::string AccessibleText(const Control& control);

}  // namespace quibbly
