// SPDX-License-Identifier: GPL-3.0-or-later
// The main window as a player meets it: its state at start-up, the Level
// menu, Pause and Resume, New Game and the letter markers.
#include "support/fresh_game.h"

namespace quibbly::testing {
namespace {

using namespace Functions;

class MainWindow : public FreshGame {};

bool PlayControlsEnabled(QuibblyForm& form) {
    bool all = true;
    for (Button* button : form.CountButtons()) all = all && button->Enabled();
    return all && form.CorrectButton.Enabled() && form.YourGuessText.Enabled() && form.GuessButton.Enabled();
}

TEST_F(MainWindow, StartsIdleThenLevelsPauseResumeMarkersAndNewGame) {
    QuibblyForm& form = Form();
    const auto tuning = [] { return std::pair<int, int>(RecheckPeriod, LetterThreshold); };
    EXPECT_EQ(tuning(), std::pair(7, 3));
    for (PictureBox* face : {&form.FaceSad, &form.FaceHappy, &form.FaceNeutral})
        EXPECT_EQ(std::pair(face->Left(), face->Top()), std::pair(720, 1680)) << face->Name();
    EXPECT_TRUE(form.FaceSad.Visible());
    EXPECT_FALSE(form.FaceHappy.Visible() || form.FaceNeutral.Visible());
    EXPECT_TRUE(form.YourWordText.Enabled() && form.YourWordText.HasFocus());
    EXPECT_FALSE(PlayControlsEnabled(form) || form.ResetButton.Enabled() || form.WordMatch.Enabled());

    // Each level checks itself alone, clears the word and sets the computer's tuning.
    for (MenuItem* level : {&form.LevelMedium, &form.LevelEasy, &form.LevelHard}) {
        form.YourWordText.SetText("HOUSE");
        RecheckPeriod = 5;
        LetterThreshold = 2;
        level->Choose();
        const bool easy = level == &form.LevelEasy;
        EXPECT_EQ(tuning(), easy                       ? std::pair(7, 3)
                            : level == &form.LevelHard ? std::pair(3, 0)
                                                       : std::pair(2, 0));
        EXPECT_EQ(form.GameLabel.Caption(), level == &form.LevelHard ? "Hard" : easy ? "Easy" : "Medium");
        EXPECT_EQ(form.YourWordText.Text(), "");
        EXPECT_EQ(form.LevelEasy.Checked() + form.LevelMedium.Checked() + form.LevelHard.Checked(), 1);
        EXPECT_TRUE(level->Checked());
    }

    WriteWordFiles();
    Start("HOUSE", 0, 2, false);  // the computer moves first
    ASSERT_TRUE(Boxes().empty());
    EXPECT_FALSE(form.WordMatch.Enabled());  // Match is for Easy games only
    // Markers cycle yellow, red, green; a colour that is none of them stays until Reset.
    Button& a = form.LetterButton(0);
    for (Colour next : {MarkerRed, MarkerGreen, MarkerYellow, MarkerRed}) {
        a.Press();
        EXPECT_EQ(a.BackColor(), next);
    }
    Button& q = form.LetterButton(16);
    q.SetBackColor(0x123456);
    q.Press();
    EXPECT_EQ(q.BackColor(), 0x123456u);
    form.ScratchPadText.SetText("notes");

    form.GamePause.Choose();
    EXPECT_TRUE(form.GamePause.Checked() && !form.GameResume.Checked());
    EXPECT_FALSE(PlayControlsEnabled(form) || form.LetterButton(0).Enabled() || form.YourGuessList.Enabled());
    EXPECT_FALSE(form.WordHint.Enabled() || form.WordSeries.Enabled());
    EXPECT_FALSE(form.YourWordText.Enabled() || form.GameStart.Enabled());
    EXPECT_TRUE(form.ResetButton.Enabled() && form.GameResume.Enabled() && form.GamePause.Enabled());
    // A disabled marker cannot be clicked, but Reset still clears them all.
    form.LetterButton(3).Press();
    EXPECT_EQ(form.LetterButton(3).BackColor(), MarkerYellow);
    form.ResetButton.Press();
    EXPECT_EQ(a.BackColor(), MarkerYellow);
    EXPECT_EQ(q.BackColor(), MarkerYellow);
    EXPECT_EQ(q.Caption(), "Q");

    // Resume during the computer's turn turns every play control on.
    form.GameResume.Choose();
    EXPECT_FALSE(form.GamePause.Checked() || form.GameResume.Checked());
    EXPECT_TRUE(PlayControlsEnabled(form));
    EXPECT_EQ(form.WhoLabel.Caption(), "It's My Turn");
    EXPECT_FALSE(form.YourWordText.Enabled());

    form.LetterButton(4).Press();
    form.FileNew.Choose();
    EXPECT_TRUE(form.LevelHard.Checked() && !form.LevelEasy.Checked());
    EXPECT_TRUE(form.LevelEasy.Enabled() && form.LevelMedium.Enabled() && form.LevelHard.Enabled());
    EXPECT_TRUE(form.YourWordText.Enabled());
    for (const TextBox* box : {&form.YourWordText, &form.MyGuessText, &form.ScratchPadText})
        EXPECT_EQ(box->Text(), "") << box->Name();
    EXPECT_EQ(form.WhoLabel.Caption(), "");
    EXPECT_EQ(form.MyGuessList.ListCount(), 0);
    EXPECT_TRUE(form.GameStart.Enabled() && form.ResetButton.Enabled());
    EXPECT_FALSE(form.GameResume.Enabled() || form.GamePause.Enabled() || PlayControlsEnabled(form));
    EXPECT_EQ(form.LetterButton(4).BackColor(), MarkerYellow);
    EXPECT_FLOAT_EQ(TurnNumber, 0.5f);
    EXPECT_TRUE(GameOn);
}

}  // namespace
}  // namespace quibbly::testing
