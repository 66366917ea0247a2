// SPDX-License-Identifier: GPL-3.0-or-later
// The Match window, the Easy level's aid: shows which of the typed letters
// stand where in the computer's word, once per turn of the player.
#pragma once

#include "platform/controls.h"
#include "platform/form.h"

namespace quibbly {

class MatchForm : public Form {
public:
    MatchForm();
    static MatchForm& Instance() { return Forms::Instance<MatchForm>(); }

    Label Label1;
    Label MatchLabel;
    Label Label2;
    TextBox MatchText;
    Button MatchButton;
    Button DoneButton;

    void Form_Activate() override;
    void MatchText_KeyPress(Integer& keyAscii);
    void MatchButton_Click();
    void DoneButton_Click();
};

}  // namespace quibbly
