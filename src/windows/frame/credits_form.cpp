// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/frame/credits_form.h"

#include <string>

#include "platform/services.h"

namespace quibbly {

namespace {

// A deep red: pure red on the pink page would stand out too little to read.
constexpr Colour Red = Rgb(176, 0, 0);

Look Writing(Place place, double points = 14.25, bool centred = false) {
    return Look{.place = place,
                .font = Font{.family = "Garamond", .points = points, .bold = true},
                .fore = Red,
                .centred = centred};
}

// Nobody is named who did not take part: the places the team did not fill
// thank the tools and projects the game is made with.
constexpr const char* Team = "The Quibbly team";
constexpr std::array<const char*, 10> Testing{Team,
                                              "GoogleTest",
                                              "Qt Test",
                                              "AddressSanitizer",
                                              "UBSan",  // left column
                                              "You, the player",
                                              "Built with Qt 6",
                                              "SCOWL word lists",
                                              "Liberation fonts",
                                              "EB Garamond"};

}  // namespace

CreditsForm::CreditsForm()
    : Form(FormDesign{.clientWidth = 6975,
                      .clientHeight = 7305,
                      .back = Rgb(255, 192, 255),
                      .border = BorderStyle::FixedDialog,
                      .showInTaskbar = false,
                      .spokenName = "Credits",
                      .controlBox = false}),
      Label1(*this, "Label1", nullptr, Writing({240, 240, 6495, 495}, 20.25, true), "Credits"),
      Label2(*this, "Label2", nullptr, Writing({720, 840, 2055, 375}), "Programming - "),
      Label4(*this, "Label4", nullptr, Writing({720, 1680, 2055, 375}), "Concept - "),
      Label6(*this, "Label6", nullptr, Writing({720, 2520, 3135, 375}), "Word lists and Editing - "),
      Label17(*this, "Label17", nullptr, Writing({600, 3360, 2055, 495}), "Graphics -"),
      Label9(*this, "Label9", nullptr, Writing({720, 4200, 2055, 495}), "Playtesting -"),
      Label3(*this, "Label3", nullptr, Writing({1200, 1200, 5535, 375}), Team),
      Label5(*this, "Label5", nullptr, Writing({1200, 2040, 5535, 375}), Team),
      Label7(*this, "Label7", nullptr, Writing({1200, 2880, 2535, 375}), "Kevin Atkinson"),
      Label8(*this, "Label8", nullptr, Writing({3840, 2880, 2895, 375}), Team),
      Label18(*this, "Label18", nullptr, Writing({1080, 3720, 2655, 375}), Team),
      Label19(*this, "Label19", nullptr, Writing({3840, 3720, 2895, 375}), "Qt SVG"),
      DoneButton(*this, "DoneButton", nullptr,
                 Look{.place = {3120, 6720, 975, 495}, .font = Font{.family = "Arial", .points = 9.75}},
                 "Done") {
    for (int i = 0; i < 10; ++i) {
        const Place place{i < 5 ? 1200 : 3840, 4560 + 360 * (i % 5), i < 5 ? 2535 : 2895, 375};
        Testers[static_cast<std::size_t>(i)] =
            std::make_unique<Label>(*this, "Label" + std::to_string(20 + i), nullptr, Writing(place),
                                    Testing[static_cast<std::size_t>(i)]);
    }
    SetTabOrder({&DoneButton});
    SetEscapeButton(DoneButton);
    SetFocus(&DoneButton);
    DoneButton.Click = [this] { DoneButton_Click(); };
}

void CreditsForm::Form_Activate() {
    Repaint();
}

void CreditsForm::DoneButton_Click() {
    Services().End();
}

}  // namespace quibbly
