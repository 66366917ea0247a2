// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/records/winners_form.h"

#include "engine/functions.h"
#include "records/winners_list.h"
#include "windows/main/quibbly_form.h"
#include "windows/records/player_form.h"

namespace quibbly {

namespace {

// A fixed-pitch font, so that the rows' columns line up.
const Font RowFont{.family = "Courier New", .points = 9.75, .bold = true};

}  // namespace

WinnersForm::WinnersForm()
    : Form(FormDesign{.clientWidth = 7500,
                      .clientHeight = 6000,
                      .back = Rgb(255, 255, 255),
                      .border = BorderStyle::FixedDialog,
                      .showInTaskbar = false,
                      .spokenName = "Winners",
                      .backPicture = "winners"}),
      WinnersList(*this, "WinnersList", nullptr, Look{.place = {1080, 0, 5295, 300}, .font = RowFont}),
      OKButton(*this, "OKButton", nullptr, Look{.place = {2640, 4680, 975, 495}}, "OK"),
      ClearButton(*this, "ClearButton", nullptr, Look{.place = {3840, 4680, 975, 495}}, "Clear") {
    WinnersList.SetVisible(false);
    for (int i = 0; i < RowLabels; ++i) {
        Look look{.place = {960, 960 + 240 * i, 5295, 255}, .font = RowFont, .centred = false};
        labels_[static_cast<std::size_t>(i)] =
            std::make_unique<Label>(*this, "WinnersLabel(" + std::to_string(i) + ")", nullptr, look);
    }
    SetTabOrder({&OKButton, &ClearButton});
    SetEscapeButton(OKButton);
    SetFocus(&OKButton);
    OKButton.Click = [this] { OKButton_Click(); };
    ClearButton.Click = [this] { ClearButton_Click(); };
}

void WinnersForm::Form_Activate() {
    PlayerForm& name = PlayerForm::Instance();
    if (name.Visible()) name.Hide();
    SetFocus(&OKButton);
}

void WinnersForm::ClearButton_Click() {
    WinnersList.Clear();
    for (const auto& label : labels_) label->SetCaption("");
}

void WinnersForm::OKButton_Click() {
    Leave(true);
}

void WinnersForm::PressEscape() {
    Leave(false);
}

// Only the OK button confirms a Clear: one stray Escape must not wipe a
// level's best rows.
void WinnersForm::Leave(bool confirmed) {
    using namespace Functions;
    WriteWinners(confirmed);
    Hide();
    QuibblyForm& main = QuibblyForm::Instance();
    main.Show();
    if (GameOn) return;
    AskPlayAgain();
    // Yes has reset the board, and the game is on again: ready for a new word.
    if (GameOn) {
        CandidateIndex = "0";
        main.YourWordText.SetFocus();
    }
}

}  // namespace quibbly
