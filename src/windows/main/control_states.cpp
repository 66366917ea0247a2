// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's play controls switched on and off as a group, and the
// letter markers' reset.
#include "engine/functions.h"
#include "windows/main/quibbly_form.h"

namespace quibbly::Functions {

namespace {

void SetPlayControls(QuibblyForm& form, bool enabled) {
    for (Button* button : form.CountButtons()) button->SetEnabled(enabled);
    form.CorrectButton.SetEnabled(enabled);
    form.YourGuessText.SetEnabled(enabled);
    form.GuessButton.SetEnabled(enabled);
    form.YourGuessList.SetEnabled(enabled);
    form.WordHint.SetEnabled(enabled);
    form.WordSeries.SetEnabled(enabled);
    for (int i = 0; i < 26; ++i) form.LetterButton(i).SetEnabled(enabled);
}

}  // namespace

void EnableGameControls() {
    QuibblyForm& form = QuibblyForm::Instance();
    form.YourWordText.SetEnabled(false);
    SetPlayControls(form, true);
    form.ResetButton.SetEnabled(true);
    form.GameStart.SetEnabled(false);
}

void DisableGameControls() {
    QuibblyForm& form = QuibblyForm::Instance();
    SetPlayControls(form, false);
    // Reset stays usable while paused and after a game.
    form.ResetButton.SetEnabled(true);
}

void ResetLetterButtons() {
    QuibblyForm& form = QuibblyForm::Instance();
    for (int i = 0; i < 26; ++i) form.LetterButton(i).SetBackColor(MarkerYellow);
}

}  // namespace quibbly::Functions
