// SPDX-License-Identifier: GPL-3.0-or-later
// The start-up window: the first window of the program. Creating it runs the
// whole start-up: shown for five seconds, then hidden for good while the main
// window takes over.
#pragma once

#include "platform/controls.h"
#include "platform/form.h"

namespace quibbly {

class IntroForm : public Form {
public:
    IntroForm();
    static IntroForm& Instance() { return Forms::Instance<IntroForm>(); }

    static constexpr double PauseSeconds = 5.0;

    PictureBox Image1;
    Label Label3;

    void Form_Load() override;
};

}  // namespace quibbly
