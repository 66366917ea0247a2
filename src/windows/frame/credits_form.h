// SPDX-License-Identifier: GPL-3.0-or-later
// The credits window that File > Exit shows; its Done button ends the program.
#pragma once

#include <array>
#include <memory>

#include "platform/controls.h"
#include "platform/form.h"

namespace quibbly {

class CreditsForm : public Form {
public:
    CreditsForm();
    static CreditsForm& Instance() { return Forms::Instance<CreditsForm>(); }

    // The headings.
    Label Label1, Label2, Label4, Label6, Label17, Label9;
    // Who is credited under each heading.
    Label Label3;            // programming
    Label Label5;            // concept
    Label Label7, Label8;    // word lists and editing
    Label Label18, Label19;  // graphics
    // Playtesting, Label20 to Label29: the left column first.
    std::array<std::unique_ptr<Label>, 10> Testers;
    Button DoneButton;

    // Paints the window at once.
    void Form_Activate() override;
    // Ends the program: nothing is asked and nothing is saved.
    void DoneButton_Click();
};

}  // namespace quibbly
