// SPDX-License-Identifier: GPL-3.0-or-later
// The history of games: real games in the statistics window, damaged files, streaks.
#include "records/game_history.h"

#include <cstdio>

#include "records/saved_game.h"
#include "support/fresh_game.h"
#include "windows/records/player_form.h"
#include "windows/records/statistics_form.h"
#include "windows/records/winners_form.h"

namespace quibbly::testing {
namespace {

using namespace GameHistory;
using Kind = ChartBar::Kind;

class History : public FreshGame {
protected:
    void SetUp() override {
        FreshGame::SetUp();
        WriteHouseSeries();  // the computer holds HOUSE at Easy and guesses HOUSE first
    }
    // After a win: a name if asked, OK in the winners list, then play again or not.
    void ThroughTheWinners(MsgAnswer again) {
        if (PlayerForm::Instance().Visible()) PlayerForm::Instance().NameText.Type("ANN\r");
        platform.Answer(again);
        WinnersForm::Instance().OKButton.Press();
    }
    std::vector<std::string> Figures() {
        StatisticsForm& s = StatisticsForm::Instance();
        return {s.PlayedNumber.Caption(), s.PercentNumber.Caption(), s.StreakNumber.Caption(),
                s.BestNumber.Caption(), s.OutcomeLabel.Caption()};
    }
};

TEST_F(History, GamesWonLostAndGivenUpAtTwoLevelsShowInTheStatistics) {
    QuibblyForm& form = Form();
    Start("SHOUT", 0, 1, true);  // won with the first guess
    Guess("HOUSE");
    ThroughTheWinners(MsgAnswer::Yes);
    Start("HOUSE", 0, 1, false, {0.0, 0.0});  // the computer's first guess is the player's word
    platform.Answer(MsgAnswer::Yes);
    form.ThreeButton.Press();
    Start("CRISP", 0, 1, true, {0.0, 0.0});  // given up on turn 2
    Guess("PLANT");
    form.OneButton.Press();
    form.FileQuit.Choose();
    form.FileQuit.Choose();  // a game ends once
    form.FileNew.Choose();
    form.FileQuit.Choose();  // between games: nothing to record
    form.FileNew.Choose();
    Start("BLIMP", 0, 1, true, {0.0, 0.0});  // won on turn 2
    Guess("PLANT");
    form.ZeroButton.Press();
    platform.dateTime = "2026-05-13 09:30";
    Guess("HOUSE");
    ThroughTheWinners(MsgAnswer::Yes);
    form.LevelMedium.Choose();
    Start("SHOUT", 0, 2, true);  // Medium: BLIMP, won with the first guess
    Guess("BLIMP");
    ThroughTheWinners(MsgAnswer::No);
    for (const ShownBox& box : Boxes()) EXPECT_NE(box.title, "History") << box.text;

    const std::string bytes = ReadBytes(HistoryFile);
    EXPECT_EQ(Format(Parse(bytes)), bytes);
    EXPECT_NE(bytes.find("End=Quit\r\nScore=2\r\nYourWord=CRISP\r\nMyWord=HOUSE\r\nYourGuesses=PLANT 0\r\n"),
              std::string::npos);

    // The window opens at the main window's level, Medium.
    form.GameStatistics.Choose();
    StatisticsForm& window = StatisticsForm::Instance();
    ASSERT_TRUE(window.Visible() && window.MediumOption.Value() && Figures()[0] == "1");
    window.EasyOption.Press();
    EXPECT_EQ(Figures(),
              (std::vector<std::string>{"4", "50", "1", "1", "Won 2      Lost 1      Given up 1"}));
    EXPECT_EQ(window.ScoreChart.Bars(),
              (std::vector<ChartBar>{{1, "1", "1", Kind::Plain}, {1, "1", "2", Kind::Highlighted}}));
    EXPECT_EQ(window.GuessChart.Bars(), (std::vector<ChartBar>{{1, "1", "1", Kind::Plain}}));
    EXPECT_EQ(window.RecentChart.Bars(), (std::vector<ChartBar>{{1, "1", "", Kind::Plain},
                                                                {0, "", "", Kind::Lost},
                                                                {0, "", "", Kind::Quit},
                                                                {2, "2", "", Kind::Highlighted}}));
    window.CopyButton.Press();
    EXPECT_EQ(platform.clipboard, "Quibbly Easy: won in 2 guesses, 2026-05-13 \u2581\u2588");
}

// Resume gives back the turn's own controls, and a finished game, or a copy
// of it saved after its end, is never played, ranked or recorded again.
TEST_F(History, AFinishedGameStaysFinishedWhateverThePlayerDoes) {
    QuibblyForm& form = Form();
    Start("SHOUT", 0, 1, true, {0.0, 0.0});
    form.GamePause.Choose();
    form.GameResume.Choose();
    EXPECT_TRUE(form.YourGuessText.Enabled() && form.GuessButton.Enabled());
    EXPECT_FALSE(form.ThreeButton.Enabled() || form.CorrectButton.Enabled());
    form.CountButton_Click(3);  // no guess of the computer's to answer
    EXPECT_TRUE(Boxes().empty() && form.MyGuessList.ListCount() == 0);
    Guess("PLANT");
    form.FourButton.Press();
    ASSERT_TRUE(SavedGame::SaveGame("middle.swg"));
    Guess("HOUSE");
    ThroughTheWinners(MsgAnswer::No);
    ASSERT_TRUE(SavedGame::SaveGame("ended.swg"));
    const std::string history = ReadBytes(HistoryFile), winners = ReadBytes("Win.Lst");
    ASSERT_EQ(Parse(history).entries.size(), 1u);
    Boxes();
    auto playAgain = [&] {  // by the handlers, as any key or menu would
        for (void (QuibblyForm::*handler)() :
             {&QuibblyForm::GameResume_Click, &QuibblyForm::GamePause_Click, &QuibblyForm::GameResume_Click,
              &QuibblyForm::GuessButton_Click, &QuibblyForm::CorrectButton_Click})
            (form.*handler)();
        EXPECT_TRUE(Boxes().empty() && form.YourGuessList.Enabled());
        EXPECT_FALSE(form.GamePause.Enabled() || form.GameResume.Enabled() || form.GuessButton.Enabled() ||
                     form.YourGuessText.Enabled() || form.ZeroButton.Enabled());
    };
    playAgain();
    ASSERT_TRUE(SavedGame::LoadGame("ended.swg"));
    EXPECT_EQ(form.YourGuessText.Text() + form.TurnLabel.Caption(), "HOUSE2");
    playAgain();
    EXPECT_EQ(SavedGame::Format(SavedGame::Capture()), ReadBytes("ended.swg"));
    form.FileQuit.Choose();
    // The copy saved before the end plays on and is given up: the same game, recorded once.
    ASSERT_TRUE(SavedGame::LoadGame("middle.swg"));
    form.FileQuit.Choose();
    EXPECT_EQ(ReadBytes(HistoryFile), history);
    EXPECT_EQ(ReadBytes("Win.Lst"), winners);
}

TEST_F(History, DamagedRecordsAreCountedAndKeptAndAMissingFileIsEmpty) {
    QuibblyForm& form = Form();
    form.GameStatistics.Choose();
    StatisticsForm& window = StatisticsForm::Instance();
    EXPECT_EQ(Figures(), (std::vector<std::string>{"0", "0", "0", "0", "Won 0      Lost 0      Given up 0"}));
    EXPECT_FALSE(window.ClearButton.Enabled() || window.CopyButton.Enabled());
    window.OKButton.Press();

    const std::string winners = "Ann         Easy    3 Guesses  05/12/2026\r\n";
    WriteBytes("Win.Lst", winners);
    // Behind a byte-order mark: text before the first record, a good record,
    // one whose Game line is lost, one of another form, one of no level.
    const std::string damaged[] = {"not a record\r\n", "Level=Easy\r\nEnd=Won\r\nScore=3\r\n",
                                   "Game=2026-05-02 10:00\r\nLevel=Easy\r\nEnd=Maybe\r\nScore=4\r\n",
                                   "Game=2026-05-03 10:00\r\nLevel=Huge\r\nEnd=Won\r\nScore=4\r\n"};
    WriteBytes(HistoryFile,
               "\xEF\xBB\xBFQuibbly History 1\r\n" + damaged[0] +
                   "Game=2026-05-01 10:00\r\nLevel=Easy\r\nEnd=Won\r\nScore=5\r\nFuture=kept\r\n" +
                   damaged[1] + damaged[2] + damaged[3]);
    Start("SHOUT", 0, 1, true);
    form.FileQuit.Choose();
    form.GameStatistics.Choose();
    EXPECT_EQ(Figures(),
              (std::vector<std::string>{"2", "50", "0", "1", "Won 1      Lost 0      Given up 1"}));
    EXPECT_EQ(window.NoteLabel.Caption(),
              "4 damaged records in \"History.Lst\" could not be read; they stay in the file.");

    Boxes();
    platform.Answer(MsgAnswer::Yes);
    window.ClearButton.Press();
    const ShownBox question{
        "Clear the history of all 2 games? The statistics and charts of every level (Easy: 2, "
        "Medium: 0, Hard: 0, Expert: 0) will be lost. The winners list \"Win.Lst\" is not changed. The 4 "
        "damaged records that could not be read stay in the file.",
        "Clear History", MsgIcon::Exclamation, MsgButtons::YesNoDefaultNo};
    EXPECT_EQ(Boxes(), std::vector<ShownBox>{question});
    EXPECT_EQ(ReadBytes(HistoryFile),
              "Quibbly History 1\r\n" + damaged[0] + damaged[1] + damaged[2] + damaged[3]);
    // The winners list is not touched.
    EXPECT_EQ(ReadBytes("Win.Lst"), winners);
    EXPECT_EQ(window.PlayedNumber.Caption(), "0");

    // A history that cannot be read is named, and left alone.
    std::filesystem::remove(HistoryFile);
    std::filesystem::create_directory(HistoryFile);
    form.FileNew.Choose();
    Start("SHOUT", 0, 1, true);
    form.FileQuit.Choose();
    EXPECT_EQ(Boxes().front(),
              Warn("The history of games \"History.Lst\" cannot be read: Is a directory. This "
                   "game is not recorded, and the file is left as it was.",
                   "History"));
    form.GameStatistics.Choose();
    EXPECT_EQ(window.NoteLabel.Caption(),
              "The history of games \"History.Lst\" cannot be read: Is a directory.");
    EXPECT_FALSE(window.ClearButton.Enabled());
}

TEST(HistorySummary, AStreakIsARunOfWinsAtOneLevelThatALossOrAQuitEnds) {
    std::string file;
    for (const char* game : {"Easy Won 3", "Easy Won 4", "Medium Lost 9", "Easy Won 30", "Easy Quit 2",
                             "Easy Won 6", "Hard Won 2", "Expert Won 8", "Easy Won 7"}) {
        char level[8], end[8], score[4];
        ASSERT_EQ(std::sscanf(game, "%7s %7s %3s", level, end, score), 3);
        file +=
            "Game=2026-05-12 12:00\nLevel=" + std::string(level) + "\nEnd=" + end + "\nScore=" + score +
            "\nYourWord=SHOUT\nMyWord=HOUSE\nYourGuesses=\nMyGuesses=" + (end[0] == 'L' ? "HOUSE 5\n" : "\n");
    }
    const GameHistory::History history = Parse(file);
    const Summary easy = Summarise(history, "Easy");
    EXPECT_EQ((std::vector<int>{easy.played, easy.won, easy.lost, easy.quit, easy.winPercent,
                                easy.currentStreak, easy.bestStreak}),
              (std::vector<int>{6, 5, 0, 1, 83, 2, 3}));
    // Scores 3 to 30 take more bars than a chart holds: the last takes the rest.
    ASSERT_EQ(easy.yourScores.size(), static_cast<std::size_t>(MostBars));
    EXPECT_EQ(easy.yourScores.back(), (Bar{22, 1, true, false}));
    EXPECT_EQ(easy.yourScores[4], (Bar{7, 1, false, true}));
    const Summary medium = Summarise(history, "Medium");
    EXPECT_EQ((std::vector<int>{medium.played, medium.lost, medium.currentStreak, medium.bestStreak}),
              (std::vector<int>{1, 1, 0, 0}));
    EXPECT_EQ(Summarise(history, "Expert").won, 1);  // an Expert record reads back
}

}  // namespace
}  // namespace quibbly::testing
