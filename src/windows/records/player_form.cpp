// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/records/player_form.h"

#include "records/winners_list.h"
#include "windows/records/winners_form.h"

namespace quibbly {

namespace {

Look Heading(Place place) {
    return Look{.place = place, .font = Font{.family = "Arial", .points = 14.25}, .fore = Rgb(0, 0, 0xC0)};
}

}  // namespace

PlayerForm::PlayerForm()
    : Form(FormDesign{.clientWidth = 4695,
                      .clientHeight = 3615,
                      .back = WindowColour,
                      .border = BorderStyle::FixedDialog,
                      .showInTaskbar = false,
                      .spokenName = "A top score: your name"}),
      Label1(*this, "Label1", nullptr, Heading({360, 360, 3855, 735}),
             "Contratulations, you had one of the top scores!!"),
      Label2(*this, "Label2", nullptr, Heading({360, 1560, 3975, 375}), "Please enter your name:"),
      NameText(*this, "NameText", nullptr,
               Look{.place = {1200, 2040, 2175, 375}, .back = Rgb(255, 255, 255), .selectOnFocus = true}, 10),
      DoneButton(*this, "DoneButton", nullptr, Look{.place = {1680, 2760, 1215, 495}}, "Done") {
    SetTabOrder({&NameText, &DoneButton});
    SetEscapeButton(DoneButton);
    SetFocus(&NameText);
    NameText.KeyPress = [this](Integer& key) { NameText_KeyPress(key); };
    DoneButton.Click = [this] { DoneButton_Click(); };
}

void PlayerForm::Form_Activate() {
    NameText.SetFocus();
    Repaint();
}

void PlayerForm::NameText_KeyPress(Integer& keyAscii) {
    constexpr Integer Enter = 13;
    if (keyAscii == Enter) DoneButton_Click();
}

void PlayerForm::DoneButton_Click() {
    Hide();
    Functions::UpdateWinners();
    WinnersForm::Instance().Show();
}

}  // namespace quibbly
