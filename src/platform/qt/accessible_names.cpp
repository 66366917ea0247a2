// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/accessible_names.h"

#include "platform/qt/control_builders.h"

namespace quibbly {

QString AccessibleName(const Control& control) {
    return ToQString(AccessibleText(control));
}

}  // namespace quibbly
