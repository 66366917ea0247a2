// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/frame/thinking_form.h"

#include "windows/main/quibbly_form.h"

namespace quibbly {

ThinkingForm::ThinkingForm()
    : Form(FormDesign{.clientWidth = 4560,
                      .clientHeight = 3030,
                      .back = Rgb(255, 128, 128),
                      .border = BorderStyle::FixedDialog,
                      .showInTaskbar = false,
                      .spokenName = "I'm Thinking"}),
      Image1(*this, "Image1", nullptr, Look{.place = {1440, 480, 1380, 1470}, .picture = "thinking"}),
      // Dark red writing: pale yellow on the salmon page would stand out too little to read.
      Label1(*this, "Label1", nullptr,
             Look{.place = {1200, 2040, 1935, 495}, .font = Font{.points = 18}, .fore = Rgb(112, 0, 0)},
             "I'm Thinking") {}

void ThinkingForm::Form_Activate() {
    SetTop(QuibblyForm::Instance().Top() + 300);
}

}  // namespace quibbly
