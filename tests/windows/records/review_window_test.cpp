// SPDX-License-Identifier: GPL-3.0-or-later
// The review window after real games: open only between games, its rows true to each game played.
#include <filesystem>

#include "records/journal.h"
#include "records/saved_game.h"
#include "support/fresh_game.h"
#include "windows/records/player_form.h"
#include "windows/records/review_form.h"
#include "windows/records/statistics_form.h"
#include "windows/records/winners_form.h"

namespace quibbly::testing {
namespace {

class ReviewWindow : public FreshGame {
protected:
    // Answers the computer's guess with its true count against the player's word.
    void AnswerTruly() {
        const Integer count = Functions::MatchCount(Form().MyGuessText.Text(), Form().YourWordText.Text());
        Form().CountButtons()[static_cast<std::size_t>(count)]->Press();
    }
};

TEST_F(ReviewWindow, OpensOnlyBetweenGamesAndShowsEachGameOfTheHistory) {
    WriteWordFiles();
    QuibblyForm& form = Form();
    EXPECT_FALSE(form.GameReview.Enabled());  // nothing to review yet

    // Won at Easy against HOUSE: PLANT, the computer's turn, then HOUSE.
    Start("SHOUT", 0, 3, true, {0.0, 0.0});
    EXPECT_FALSE(form.GameReview.Enabled());
    Guess("PLANT");
    const std::string myGuess = form.MyGuessText.Text();
    const Integer myCount = Functions::MatchCount(myGuess, "SHOUT");
    AnswerTruly();
    form.GamePause.Choose();
    EXPECT_FALSE(form.GameReview.Enabled());  // paused is still under way
    form.GameResume.Choose();
    Guess("HOUSE");
    EXPECT_TRUE(form.GameReview.Enabled());  // at once, before the winners
    if (PlayerForm::Instance().Visible()) PlayerForm::Instance().NameText.Type("ANN\r");
    platform.Answer(MsgAnswer::No);
    WinnersForm::Instance().OKButton.Press();

    form.GameReview.Choose();
    ReviewForm& review = ReviewForm::Instance();
    ASSERT_TRUE(review.Visible());
    EXPECT_EQ(review.GameLabel.Caption(), "Easy, won in 2 guesses, 2026-05-12 12:00 (game 1 of 1)");
    // PLANT shares no letter with HOUSE and one with CRISP: one word is left.
    const std::vector<std::string> yours = review.YourList.Rows();
    ASSERT_EQ(yours.size(), 3u);
    EXPECT_TRUE(yours[0].starts_with(" 1 PLANT     0     1")) << yours[0];
    EXPECT_TRUE(yours[1].starts_with(" 2 HOUSE     5 found")) << yours[1];  // it leaves no word
    EXPECT_EQ(yours[2], "You found my word, HOUSE.");
    // The start, then your guess and the best one side by side, each numbered.
    const std::vector<ChartBar>& bars = review.PossibleChart.Bars();
    ASSERT_EQ(bars.size(), 5u);
    EXPECT_TRUE(bars[0].above == "3" && bars[1].above == "1" && bars[0].value > bars[1].value &&
                bars[3].value == 0);
    // The computer's turn as its journal keeps it, its first reason under it.
    GameHistory::History history;
    std::string fault;
    ASSERT_TRUE(GameHistory::Load(history, fault));
    const Journal::Turn& turn = history.entries.back().game->journal.at(0);
    ASSERT_GE(review.MyList.ListCount(), 2);
    EXPECT_TRUE(review.MyList.List(0).starts_with(" 1  " + myGuess + "      " + std::to_string(myCount)));
    EXPECT_NE(review.MyList.List(0).find(turn.known + "  " + turn.ruledOut), std::string::npos);
    EXPECT_EQ(review.MyList.List(1).substr(5), Journal::Reasons(turn).at(0).substr(1));  // whole, one row
    EXPECT_FALSE(review.MyNote.Visible() || review.PreviousButton.Enabled() || review.NextButton.Enabled());

    // A new game closes the review and takes the item away until it ends;
    // New Game alone starts none.
    form.FileNew.Choose();
    EXPECT_TRUE(form.GameReview.Enabled() && review.Visible());
    Start("CRISP", 1, 3, true, {0.0, 0.0});  // against PLANT
    EXPECT_FALSE(form.GameReview.Enabled());
    EXPECT_FALSE(review.Visible());
    Guess("HOUSE");
    const std::string myFirst = form.MyGuessText.Text();
    AnswerTruly();
    // A game loaded from a save is under way too; its review says where the computer's thoughts start.
    ASSERT_TRUE(SavedGame::SaveGame("middle.swg"));
    Functions::ResetGame();  // the board cleared with no record, as by a program that ended beside it
    ASSERT_TRUE(SavedGame::LoadGame("middle.swg"));
    EXPECT_FALSE(form.GameReview.Enabled());
    Guess("SHOUT");
    AnswerTruly();
    form.FileQuit.Choose();
    EXPECT_TRUE(form.GameReview.Enabled());

    form.GameReview.Choose();
    EXPECT_EQ(review.GameLabel.Caption(), "Easy, given up at turn 3, 2026-05-12 12:00 (game 2 of 2)");
    EXPECT_EQ(
        review.MyNote.Visible() ? review.MyNote.Caption() : "",
        "This game was loaded from a saved game at the computer's turn 2, so its thoughts start there.");
    ASSERT_GE(review.MyList.ListCount(), 2);
    EXPECT_EQ(review.MyList.List(0).substr(0, 9), " 1  " + myFirst);  // as the history keeps it
    EXPECT_EQ(review.MyList.List(1).substr(0, 4), " 2  ");            // the journal from here
    EXPECT_EQ(review.YourList.Rows().back(), "My word was PLANT.");
    EXPECT_TRUE(review.PreviousButton.Enabled() && !review.NextButton.Enabled());
    review.PreviousButton.Press();
    EXPECT_EQ(review.GameLabel.Caption(), "Easy, won in 2 guesses, 2026-05-12 12:00 (game 1 of 2)");

    // Without the dictionary the rows give way to a note that names it.
    std::filesystem::remove("master.wtf");
    review.NextButton.Press();
    const std::string note = review.YourNote.Caption();
    EXPECT_TRUE(!review.YourList.Visible() && review.YourNote.Visible()) << note;
    EXPECT_TRUE(note.find("\"master.wtf\"") != note.npos && note.find("My word was PLANT.") != note.npos)
        << note;
    review.PressEscape();
    EXPECT_FALSE(review.Visible());

    // A new run finds the history at its start; a cleared one leaves nothing to review.
    Restart();
    EXPECT_TRUE(Form().GameReview.Enabled());
    platform.Answer(MsgAnswer::Yes);
    Form().GameStatistics.Choose();
    StatisticsForm::Instance().ClearButton.Press();
    EXPECT_FALSE(Form().GameReview.Enabled());
}

}  // namespace
}  // namespace quibbly::testing
