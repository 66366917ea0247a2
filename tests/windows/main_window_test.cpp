// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's Level menu, Pause and Resume, New Game and letter markers.
#include "support/fresh_game.h"

namespace quibbly::testing {
namespace {

using namespace Functions;

class MainWindow : public FreshGame {};

// True when any control of a turn takes input.
bool PlayControlsEnabled(QuibblyForm& form) {
    bool any = form.CorrectButton.Enabled() || form.YourGuessText.Enabled() || form.GuessButton.Enabled();
    for (Button* button : form.CountButtons()) any = any || button->Enabled();
    return any;
}

TEST_F(MainWindow, LevelsPauseResumeMarkersAndNewGame) {
    QuibblyForm& form = Form();
    // Each level checks itself alone and clears the word.
    for (MenuItem* level : {&form.LevelMedium, &form.LevelEasy, &form.LevelHard}) {
        form.YourWordText.SetText("HOUSE");
        level->Choose();
        EXPECT_TRUE(level->Checked() && form.YourWordText.Text().empty() &&
                    "&" + form.GameLabel.Caption() == level->Caption());
        EXPECT_EQ(form.LevelEasy.Checked() + form.LevelMedium.Checked() + form.LevelHard.Checked(), 1);
    }

    WriteWordFiles();
    Start("HOUSE", 0, 2, false);  // the computer moves first
    // A marker whose colour is none of the three keeps it until Reset.
    Button& q = form.LetterButton(16);
    q.SetBackColor(0x123456);
    q.Press();
    EXPECT_EQ(q.BackColor(), 0x123456u);
    form.LetterButton(0).Press();

    form.GamePause.Choose();
    EXPECT_TRUE(form.GamePause.Checked() && !form.GameResume.Checked());
    EXPECT_FALSE(PlayControlsEnabled(form) || form.LetterButton(0).Enabled() ||
                 form.YourGuessList.Enabled() || form.WordHint.Enabled() || form.WordSeries.Enabled() ||
                 form.GameStart.Enabled());
    EXPECT_TRUE(form.ResetButton.Enabled() && form.GameResume.Enabled() && form.GamePause.Enabled());
    // A disabled marker cannot be clicked, but Reset still clears them all.
    form.LetterButton(3).Press();
    EXPECT_EQ(form.LetterButton(3).BackColor(), MarkerYellow);
    form.ResetButton.Press();
    EXPECT_TRUE(form.LetterButton(0).BackColor() == MarkerYellow && q.BackColor() == MarkerYellow);

    // Resume during the computer's turn gives back the answers alone.
    form.GameResume.Choose();
    EXPECT_FALSE(form.GamePause.Checked() || form.GameResume.Checked() || form.YourWordText.Enabled() ||
                 form.YourGuessText.Enabled() || form.GuessButton.Enabled() || form.WordMatch.Enabled());
    EXPECT_TRUE(form.CorrectButton.Enabled() && form.FiveButton.Enabled() && form.LetterButton(0).Enabled());

    form.LetterButton(4).Press();
    form.ScratchPadText.SetText("notes");
    form.FileNew.Choose();
    EXPECT_TRUE(form.LevelHard.Checked() && form.LevelEasy.Enabled() && form.YourWordText.Enabled());
    EXPECT_EQ(form.YourWordText.Text() + form.MyGuessText.Text() + form.ScratchPadText.Text() +
                  form.WhoLabel.Caption(),
              "");
    EXPECT_TRUE(form.MyGuessList.ListCount() == 0 && form.GameStart.Enabled() && form.ResetButton.Enabled());
    EXPECT_FALSE(form.GameResume.Enabled() || form.GamePause.Enabled() || PlayControlsEnabled(form));
    EXPECT_EQ(PlayState, Play::Idle);  // no turn to take a key or a guess
    EXPECT_EQ(form.LetterButton(4).BackColor(), MarkerYellow);
}

}  // namespace
}  // namespace quibbly::testing
