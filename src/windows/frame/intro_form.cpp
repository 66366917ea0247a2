// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/frame/intro_form.h"

#include "platform/services.h"
#include "records/kept_game.h"
#include "windows/main/quibbly_form.h"

namespace quibbly {

IntroForm::IntroForm()
    : Form(FormDesign{.clientWidth = 11910,
                      .clientHeight = 8910,
                      .back = Rgb(0, 0, 255),
                      .border = BorderStyle::FixedDialog,
                      .showInTaskbar = false,
                      .spokenName = "Quibbly is starting",
                      .backPicture = "intro_background",
                      .icon = "quibbly",
                      .controlBox = false}),
      Image1(*this, "Image1", nullptr, Look{.place = {1800, 5160, 1350, 1440}, .picture = "intro_picture"}),
      Label3(*this, "Label3", nullptr,
             Look{.place = {840, 6840, 3495, 375},
                  .font = Font{.family = "Arial", .points = 12, .bold = true},
                  .fore = Rgb(128, 255, 255)},
             "Loading...") {}

void IntroForm::Form_Load() {
    Show();
    Repaint();

    // The pause takes the player's input nowhere: the platform's rest keeps
    // the window painted and ignores clicks and keys. The time of day runs
    // over at midnight; a clock set back looks like almost a day gone and
    // ends the pause rather than stretching it.
    Platform& platform = Services();
    const double start = platform.Timer();
    for (;;) {
        double elapsed = platform.Timer() - start;
        if (elapsed < 0) elapsed += 86400.0;
        if (elapsed >= PauseSeconds) break;
        platform.Sleep(50);
    }

    Hide();
    QuibblyForm::Instance().Show();
    KeptGame::OfferAtStart();
}

}  // namespace quibbly
