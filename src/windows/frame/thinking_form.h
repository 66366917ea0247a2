// SPDX-License-Identifier: GPL-3.0-or-later
// The "I'm Thinking" window that the computer shows while it builds its lists
// and re-examines its guesses.
#pragma once

#include "platform/controls.h"
#include "platform/form.h"

namespace quibbly {

class ThinkingForm : public Form {
public:
    ThinkingForm();
    static ThinkingForm& Instance() { return Forms::Instance<ThinkingForm>(); }

    PictureBox Image1;
    Label Label1;

    // Places the window 300 twips below the main window's top edge.
    void Form_Activate() override;
};

}  // namespace quibbly
