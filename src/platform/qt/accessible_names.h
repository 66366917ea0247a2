// SPDX-License-Identifier: GPL-3.0-or-later
// The names that screen readers and other assistive tools announce for the
// controls.
#pragma once

#include <QString>

#include "platform/accessible_text.h"
#include "platform/controls.h"

namespace quibbly {

// A text box or list box is named by the label that heads it (the nearest
// captioned label just above it or just to its left, in the same frame), a
// picture by its picture. Labels and buttons carry their own captions, which
// Qt announces as they change, so they get no fixed name here; nor do frames
// and caption-less labels, which only group or decorate.
QString AccessibleName(const Control& control);

// HeadingOf (platform/accessible_text.h) gives the label that heads a text
// box, list, chart, progress bar or file list, which the Qt layer ties to it.

}  // namespace quibbly
