// SPDX-License-Identifier: GPL-3.0-or-later
// Whole turns as a player plays them: guesses, answers, the wins, play again and Quit.
#include "support/fresh_game.h"
#include "windows/records/player_form.h"
#include "windows/records/winners_form.h"

namespace quibbly::testing {
namespace {

using namespace Functions;

class TurnCycle : public FreshGame {
protected:
    void SetUp() override {
        FreshGame::SetUp();
        WriteHouseSeries();
    }
    // The computer's list: the base, then the swap words from the first one.
    static constexpr std::initializer_list<double> InFileOrder = {0.0, 0.0};
};

const ShownBox PlayAgain = Question("Would you like to play again?");

TEST_F(TurnCycle, PlayerGuessesAndWinsAndAnswersYesToPlayAgain) {
    QuibblyForm& form = Form();
    Start("SHOUT", 0, 1, true);  // the computer holds HOUSE
    ASSERT_EQ(MyWord, "HOUSE");
    for (double fraction : InFileOrder) platform.NextRandom(fraction);
    Guess("PLANT");
    EXPECT_EQ(Boxes(), std::vector<ShownBox>{Plain("PLANT -  0", "Your Guess")});
    EXPECT_EQ(form.YourGuessList.Rows(), std::vector<std::string>{"PLANT -  0"});
    EXPECT_EQ(form.YourGuessList.ListIndex(), 0);
    // The computer's turn follows with the base word of its series.
    EXPECT_EQ(form.TurnLabel.Caption() + " " + form.WhoLabel.Caption(), "1 It's My Turn");
    EXPECT_EQ(form.MyGuessText.Text(), "HOUSE");
    form.FourButton.Press();
    EXPECT_TRUE(Boxes().empty());
    EXPECT_EQ(form.MyGuessList.Rows(), std::vector<std::string>{"HOUSE - 4"});
    EXPECT_EQ(FirstCount, 4);
    EXPECT_EQ(form.TurnLabel.Caption() + form.MyGuessText.Text(), "2");

    Guess("MOUSE");
    EXPECT_EQ(Boxes(), std::vector<ShownBox>{Plain("MOUSE -  4", "Your Guess")});
    EXPECT_EQ(form.MyGuessText.Text(), "MOUSE");
    form.TwoButton.Press();
    EXPECT_EQ(Boxes(),
              std::vector<ShownBox>{Warn("There were 3 letters that matched.", "Not the correct count")});
    EXPECT_EQ(form.MyGuessList.List(1), "MOUSE - 3");
    EXPECT_EQ(MyLetters, "H");  // MOUSE gave up the H of HOUSE and scored less

    form.LetterButton(7).Press();
    platform.Answer(MsgAnswer::Yes);
    Guess("HOUSE");
    EXPECT_EQ(Boxes(),
              std::vector<ShownBox>{Plain("You guessed my word!!  I had these letters: H", "You win!!")});
    // The first win of the level tops an empty list: the name, the list, then the question.
    PlayerForm::Instance().DoneButton.Press();
    WinnersForm::Instance().OKButton.Press();
    EXPECT_EQ(Boxes(), std::vector<ShownBox>{PlayAgain});
    // Yes clears the board for a new word.
    EXPECT_TRUE(GameOn && form.YourWordText.Enabled() && form.GameStart.Enabled() &&
                !form.GuessButton.Enabled());
    EXPECT_EQ(form.YourWordText.Text() + form.MyGuessText.Text(), "");
    EXPECT_EQ(form.MyGuessList.ListCount() + form.YourGuessList.ListCount(), 0);
    EXPECT_EQ(form.LetterButton(7).BackColor(), MarkerYellow);
}

TEST_F(TurnCycle, ComputerFindsTheWordNoLeavesTheBoardThenAnAnagramAndQuit) {
    QuibblyForm& form = Form();
    Start("HOIST", 0, 1, false, InFileOrder);
    EXPECT_EQ(form.MyGuessText.Text(), "HOUSE");
    // Correct Word on a guess that is not the player's word.
    form.CorrectButton.Press();
    EXPECT_EQ(Boxes(),
              std::vector<ShownBox>{Warn("There were 3 letters that matched.", "I didn't guess your word")});
    EXPECT_EQ(form.MyGuessList.List(0), "HOUSE - 3");
    EXPECT_EQ(FirstCount, 3);

    Guess("PLANT");
    Boxes();
    EXPECT_EQ(form.MyGuessText.Text(), "MOUSE");
    form.TwoButton.Press();  // MOUSE gave up H: H is in the player's word
    EXPECT_TRUE(MyLetters == "H" && PossibleLetters.find('H') == std::string::npos);
    Guess("PLANT");
    EXPECT_EQ(form.MyGuessText.Text(), "ROUSE");
    form.TwoButton.Press();  // H again: known already, not added twice
    EXPECT_EQ(MyLetters, "H");
    Guess("PLANT");
    EXPECT_EQ(form.MyGuessText.Text(), "THOSE");
    form.FourButton.Press();  // THOSE brought in T
    EXPECT_EQ(MyLetters, "HT");
    EXPECT_TRUE(form.FaceNeutral.Visible() && !form.FaceSad.Visible());  // two letters known
    Boxes();

    // The computer guesses the player's word and the player presses a count.
    Guess("PLANT");
    Boxes();
    form.MyGuessText.SetText("HOIST");
    form.LetterButton(0).Press();
    form.FiveButton.Press();
    EXPECT_EQ(Boxes(),
              (std::vector<ShownBox>{Plain("Hey, I did guess your word!!", "I win!!"),
                                     Plain("My word was HOUSE", "You had a good word."), PlayAgain}));
    EXPECT_FALSE(GameOn);
    // No: lists and markers stay usable, the guess and answer controls do not.
    EXPECT_TRUE(form.YourGuessList.Enabled() && form.LetterButton(0).Enabled() && form.WordHint.Enabled());
    EXPECT_EQ(form.LetterButton(0).BackColor(), MarkerRed);
    EXPECT_FALSE(form.GuessButton.Enabled() || form.YourGuessText.Enabled() || form.FiveButton.Enabled() ||
                 form.CorrectButton.Enabled());
    EXPECT_FALSE(form.GameStart.Enabled() || form.YourWordText.Enabled());
    EXPECT_EQ(form.MyGuessList.ListCount(), 4);

    // File > New Game, then Correct Word on the right guess.
    form.FileNew.Choose();
    Start("HOUSE", 0, 1, false, InFileOrder);
    EXPECT_EQ(form.MyGuessText.Text(), "HOUSE");
    platform.Answer(MsgAnswer::No);
    form.CorrectButton.Press();
    EXPECT_EQ(Boxes(),
              (std::vector<ShownBox>{Plain("I guessed your word!!", "I win!!"),
                                     Plain("My word was HOUSE", "You had a good word."), PlayAgain}));
    EXPECT_EQ(platform.unansweredQuestions, 1);

    // A new game: an anagram answered five gives every letter, and Quit shows the word.
    form.FileNew.Choose();
    Start("SHOUT", 0, 1, false, InFileOrder);
    form.MyGuessText.SetText("HOUST");  // an anagram of the player's word
    form.FiveButton.Press();
    EXPECT_TRUE(Boxes().empty());
    EXPECT_EQ(MyLetters, "HOUST");
    EXPECT_TRUE(form.FaceHappy.Visible() && !form.FaceSad.Visible() && !form.FaceNeutral.Visible());

    form.FileQuit.Choose();
    EXPECT_EQ(Boxes(), (std::vector<ShownBox>{Plain("My word was HOUSE", "You quit the game."),
                                              Plain("I had these letters: HOUST", "You quit the game.")}));
    EXPECT_TRUE(GameOn);
    EXPECT_FALSE(form.GuessButton.Enabled() || form.ZeroButton.Enabled() || form.CorrectButton.Enabled());
    EXPECT_TRUE(form.LetterButton(5).Enabled() && form.ResetButton.Enabled());
}

}  // namespace
}  // namespace quibbly::testing
