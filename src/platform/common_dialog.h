// SPDX-License-Identifier: GPL-3.0-or-later
// The invisible common-dialog component of a window: here it only names a
// help file and a help command and hands them to the platform's help viewer.
#pragma once

#include <string>

#include "platform/services.h"

namespace quibbly {

// The help command that opens a help file at its contents.
constexpr int HelpContentsCommand = 3;

struct CommonDialog {
    std::string HelpFile;
    int HelpCommand = 0;
    // Asks the viewer and returns at once; the viewer reports its own faults.
    void ShowHelp() const { Services().ShowHelp(HelpFile, HelpCommand); }
};

}  // namespace quibbly
