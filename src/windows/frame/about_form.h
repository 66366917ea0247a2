// SPDX-License-Identifier: GPL-3.0-or-later
// The About window: the program's icon, name, origin and version.
#pragma once

#include "platform/controls.h"
#include "platform/form.h"

namespace quibbly {

class AboutForm : public Form {
public:
    AboutForm();
    static AboutForm& Instance() { return Forms::Instance<AboutForm>(); }

    PictureBox Picture1;
    Frame Frame1;
    Label Label3;
    Label Label1;
    Label Label2;
    Button OKButton;

    // Shows the version and puts the focus on OK.
    void Form_Activate() override;
    void OKButton_Click();
};

}  // namespace quibbly
