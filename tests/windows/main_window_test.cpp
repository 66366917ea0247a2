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

TEST_F(MainWindow, StartsReadyForAWordWithTheSadFaceOnTopOfTheOthers) {
    QuibblyForm& form = Form();
    EXPECT_EQ(RecheckPeriod, 7);
    EXPECT_EQ(LetterThreshold, 3);
    for (PictureBox* face : {&form.FaceSad, &form.FaceHappy, &form.FaceNeutral})
        EXPECT_EQ(std::pair(face->Left(), face->Top()), std::pair(720, 1680)) << face->Name();
    EXPECT_TRUE(form.FaceSad.Visible());
    EXPECT_FALSE(form.FaceHappy.Visible() || form.FaceNeutral.Visible());
    EXPECT_TRUE(form.YourWordText.Enabled() && form.YourWordText.HasFocus());
    EXPECT_FALSE(PlayControlsEnabled(form) || form.ResetButton.Enabled() || form.WordMatch.Enabled());
}

TEST_F(MainWindow, LevelMenuChecksOneLevelClearsTheWordAndSetsTheComputersTuning) {
    QuibblyForm& form = Form();
    RecheckPeriod = 5;
    LetterThreshold = 2;
    form.YourWordText.SetText("HOUSE");
    form.LevelHard.Choose();
    EXPECT_TRUE(form.LevelHard.Checked());
    EXPECT_FALSE(form.LevelEasy.Checked() || form.LevelMedium.Checked());
    EXPECT_EQ(form.GameLabel.Caption(), "Hard");
    EXPECT_EQ(form.YourWordText.Text(), "");
    EXPECT_EQ(RecheckPeriod, 3);
    EXPECT_EQ(LetterThreshold, 1);

    form.YourWordText.SetText("MOUSE");
    RecheckPeriod = 5;
    LetterThreshold = 2;
    form.LevelMedium.Choose();
    EXPECT_TRUE(form.LevelMedium.Checked());
    EXPECT_FALSE(form.LevelHard.Checked());
    EXPECT_EQ(form.GameLabel.Caption(), "Medium");
    EXPECT_EQ(form.YourWordText.Text(), "");
    EXPECT_EQ(RecheckPeriod, 3);
    EXPECT_EQ(LetterThreshold, 1);

    form.LevelEasy.Choose();
    EXPECT_EQ(form.GameLabel.Caption(), "Easy");
    EXPECT_EQ(RecheckPeriod, 7);
    EXPECT_EQ(LetterThreshold, 3);
}

TEST_F(MainWindow, PauseResumeAndNewGameSwitchTheControlsAsAGroup) {
    WriteWordFiles();
    QuibblyForm& form = Form();
    form.LevelHard.Choose();
    Start("HOUSE", 0, 2, false);  // the computer moves first
    ASSERT_TRUE(Boxes().empty());
    EXPECT_FALSE(form.GameStart.Enabled());
    EXPECT_FALSE(form.WordMatch.Enabled());  // Match is for Easy games only
    form.LetterButton(2).Press();
    form.ScratchPadText.SetText("notes");

    form.GamePause.Choose();
    EXPECT_TRUE(form.GamePause.Checked());
    EXPECT_FALSE(form.GameResume.Checked());
    EXPECT_FALSE(PlayControlsEnabled(form));
    EXPECT_FALSE(form.LetterButton(0).Enabled());
    EXPECT_FALSE(form.YourGuessList.Enabled());
    EXPECT_FALSE(form.WordHint.Enabled() || form.WordSeries.Enabled());
    EXPECT_TRUE(form.ResetButton.Enabled());
    EXPECT_FALSE(form.YourWordText.Enabled());
    EXPECT_FALSE(form.GameStart.Enabled());
    EXPECT_TRUE(form.GameResume.Enabled() && form.GamePause.Enabled());
    // A disabled marker cannot be clicked, but Reset still clears them all.
    form.LetterButton(3).Press();
    EXPECT_EQ(form.LetterButton(3).BackColor(), MarkerYellow);
    form.ResetButton.Press();
    EXPECT_EQ(form.LetterButton(2).BackColor(), MarkerYellow);

    // Resume during the computer's turn turns every play control on.
    form.GameResume.Choose();
    EXPECT_FALSE(form.GamePause.Checked() || form.GameResume.Checked());
    EXPECT_TRUE(PlayControlsEnabled(form));
    EXPECT_EQ(form.WhoLabel.Caption(), "It's My Turn");
    EXPECT_FALSE(form.YourWordText.Enabled());

    form.LetterButton(4).Press();
    form.FileNew.Choose();
    EXPECT_TRUE(form.LevelHard.Checked());
    EXPECT_FALSE(form.LevelEasy.Checked());
    EXPECT_TRUE(form.LevelEasy.Enabled() && form.LevelMedium.Enabled() && form.LevelHard.Enabled());
    EXPECT_TRUE(form.YourWordText.Enabled());
    EXPECT_EQ(form.YourWordText.Text(), "");
    EXPECT_EQ(form.MyGuessText.Text(), "");
    EXPECT_EQ(form.WhoLabel.Caption(), "");
    EXPECT_EQ(form.ScratchPadText.Text(), "");
    EXPECT_EQ(form.MyGuessList.ListCount(), 0);
    EXPECT_TRUE(form.GameStart.Enabled());
    EXPECT_FALSE(form.GameResume.Enabled() || form.GamePause.Enabled());
    EXPECT_FALSE(PlayControlsEnabled(form));
    EXPECT_TRUE(form.ResetButton.Enabled());
    EXPECT_EQ(form.LetterButton(4).BackColor(), MarkerYellow);
    EXPECT_FLOAT_EQ(TurnNumber, 0.5f);
    EXPECT_TRUE(GameOn);
}

TEST_F(MainWindow, LetterMarkersCycleYellowRedGreenAndLeaveForeignColoursAlone) {
    WriteWordFiles();
    QuibblyForm& form = Form();
    Start("HOUSE", 0, 3, true);
    Button& a = form.LetterButton(0);
    a.Press();
    EXPECT_EQ(a.BackColor(), MarkerRed);
    a.Press();
    EXPECT_EQ(a.BackColor(), MarkerGreen);
    a.Press();
    EXPECT_EQ(a.BackColor(), MarkerYellow);
    for (int i = 1; i < 26; ++i) EXPECT_EQ(form.LetterButton(i).BackColor(), MarkerYellow);

    // A colour that is none of the three markers stays until Reset.
    Button& q = form.LetterButton(16);
    q.SetBackColor(0x123456);
    q.Press();
    EXPECT_EQ(q.BackColor(), 0x123456u);
    form.ResetButton.Press();
    EXPECT_EQ(q.BackColor(), MarkerYellow);
    EXPECT_EQ(q.Caption(), "Q");
}

}  // namespace
}  // namespace quibbly::testing
