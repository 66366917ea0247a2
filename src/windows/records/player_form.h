// SPDX-License-Identifier: GPL-3.0-or-later
// The name window: congratulates the player on a top score and takes the
// name for the winners list. The name stays in the box for the whole run.
#pragma once

#include "platform/controls.h"
#include "platform/form.h"

namespace quibbly {

class PlayerForm : public Form {
public:
    PlayerForm();
    static PlayerForm& Instance() { return Forms::Instance<PlayerForm>(); }

    static constexpr Colour WindowColour = Rgb(255, 128, 128);

    Label Label1;
    Label Label2;
    TextBox NameText;
    Button DoneButton;

    void Form_Activate() override;
    void NameText_KeyPress(Integer& keyAscii);
    void DoneButton_Click();
};

}  // namespace quibbly
