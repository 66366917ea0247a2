// SPDX-License-Identifier: GPL-3.0-or-later
// The history of games: real games in the statistics window, damaged files,
// streaks; today's word, its order, its days and its share line.
#include "records/game_history.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <set>

#include "records/saved_game.h"
#include "records/todays_word.h"
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
    // one whose Game line is lost, one of another form, one of no level, one
    // without its score, one whose journal holds a note short of a field.
    const std::string damaged[] = {
        "not a record\r\n",
        "Level=Easy\r\nEnd=Won\r\nScore=3\r\n",
        "Game=2026-05-02 10:00\r\nLevel=Easy\r\nEnd=Maybe\r\nScore=4\r\n",
        "Game=2026-05-03 10:00\r\nLevel=Huge\r\nEnd=Won\r\nScore=4\r\n",
        "Game=2026-05-04 10:00\r\nLevel=Easy\r\nEnd=Won\r\n",
        "Game=2026-05-05 10:00\r\nLevel=Easy\r\nEnd=Lost\r\nScore=1\r\nYourWord=SHOUT\r\n"
        "MyWord=ACORN\r\nYourGuesses=CRANE 4\r\nMyGuesses=SHOUT 5\r\n"
        "Journal=SHOUT|5|SOUH|ACILMR|X:412\r\n"};
    WriteBytes(HistoryFile,
               "\xEF\xBB\xBFQuibbly History 1\r\n" + damaged[0] +
                   "Game=2026-05-01 10:00\r\nLevel=Easy\r\nEnd=Won\r\nScore=5\r\nFuture=kept\r\n" +
                   damaged[1] + damaged[2] + damaged[3] + damaged[4] + damaged[5]);
    Start("SHOUT", 0, 1, true);
    form.FileQuit.Choose();
    form.GameStatistics.Choose();
    EXPECT_EQ(Figures(),
              (std::vector<std::string>{"2", "50", "0", "1", "Won 1      Lost 0      Given up 1"}));
    EXPECT_EQ(window.NoteLabel.Caption(),
              "6 damaged records in \"History.Lst\" could not be read; they stay in the file.");

    Boxes();
    platform.Answer(MsgAnswer::Yes);
    window.ClearButton.Press();
    const ShownBox question{
        "Clear the history of all 2 games? The statistics and charts of every level (Easy: 2, "
        "Medium: 0, Hard: 0, Expert: 0) will be lost. The winners list \"Win.Lst\" is not changed. The 6 "
        "damaged records that could not be read stay in the file.",
        "Clear History", MsgIcon::Exclamation, MsgButtons::YesNoDefaultNo};
    EXPECT_EQ(Boxes(), std::vector<ShownBox>{question});
    EXPECT_EQ(ReadBytes(HistoryFile), "Quibbly History 1\r\n" + damaged[0] + damaged[1] + damaged[2] +
                                          damaged[3] + damaged[4] + damaged[5]);
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

// The day's game counts once, whatever is started, saved or loaded after it.
TEST_F(History, TodaysWordCountsTheDaysFirstGameKeepsItsDateThroughASaveAndIsSharedWithoutTheWord) {
    platform.dateTime = "2026-12-07 20:00";
    Form().GameTodaysWord.Choose();
    Restart();  // the item is kept between runs
    QuibblyForm& form = Form();
    EXPECT_TRUE(form.GameTodaysWord.Checked() && form.Caption() == "Quibbly - Today's word 2026-12-07");
    Start("BLIMP", 1, 2, true, {0.0});  // today's word draws nothing: 0.75, the player begins
    Guess("PLANT");
    form.ZeroButton.Press();
    ASSERT_TRUE(SavedGame::SaveGame("today.swg"));
    const std::string saved = ReadBytes("today.swg");
    EXPECT_NE(saved.find(" daily 2026-12-07\r\n"), std::string::npos) << saved;
    form.FileNew.Choose();  // the day's game has begun: a new start is practice
    Boxes();
    Start("BLIMP", 1, 2, true, {0.0});
    EXPECT_EQ(Boxes(),
              std::vector<ShownBox>{Info("You have played today's word at Easy already. This game is "
                                         "practice: it is recorded as an ordinary game.",
                                         "Today's Word")});
    EXPECT_EQ(form.Caption(), "Quibbly - Today's word 2026-12-07 (practice)");
    form.FileQuit.Choose();
    form.FileNew.Choose();  // no board: the day's word again
    EXPECT_EQ(form.Caption(), "Quibbly - Today's word 2026-12-07");
    ASSERT_TRUE(SavedGame::LoadGame("today.swg"));  // still the day's game, and the same bytes
    EXPECT_EQ(form.Caption(), "Quibbly - Today's word 2026-12-07");
    EXPECT_EQ(SavedGame::Format(SavedGame::Capture()), saved);
    Guess("HOUSE");
    ThroughTheWinners(MsgAnswer::No);
    const std::string history = ReadBytes(HistoryFile);  // the practice game, then the day's
    EXPECT_EQ(Parse(history).entries.at(1).game->daily + Parse(history).entries.at(0).game->daily,
              "2026-12-07");

    // The next day the saved copy is finished as practice, held as the same game.
    platform.dateTime = "2026-12-08 09:00";
    ASSERT_TRUE(SavedGame::LoadGame("today.swg"));
    EXPECT_EQ(form.Caption(), "Quibbly - Today's word 2026-12-07 (practice)");
    EXPECT_EQ(SavedGame::Capture().daily, "");
    Guess("HOUSE");
    ThroughTheWinners(MsgAnswer::No);
    EXPECT_EQ(ReadBytes(HistoryFile), history);
    form.GameStatistics.Choose();
    StatisticsForm& window = StatisticsForm::Instance();
    EXPECT_EQ(window.DailyLabel.Caption(), "Today's word: 1 day played, 1 won; streak 1, best 1");
    window.CopyButton.Press();
    EXPECT_EQ(platform.clipboard, "Quibbly 2026-12-07 Easy: today's word in 2 \u2581\u2588");
}

// A month at Easy (W won, L lost, Q given up, - none), practice and Medium between.
TEST(HistorySummary, TodaysWordStreaksAreRunsOfConsecutiveDatesWon) {
    std::string days, file;
    auto record = [&file](const char* level, char end, const std::string& daily) {
        static const char* const endings[] = {"Won", "Lost", "Quit"};
        file += "Game=2026-12-01 12:00\nLevel=" + std::string(level) +
                "\nEnd=" + endings[std::string_view("WLQ").find(end)] + "\nScore=4\n" +
                (daily.empty() ? "" : "Daily=" + daily + "\n");
    };
    unsigned seed = 11;
    for (long day = 300; day < 331; ++day) {
        seed = seed * 1103515245u + 12345u;
        const char kind = "WWWWLQ--"[(seed >> 16) % 8];
        days += kind;
        const std::string date = TodaysWord::DateOfDay(day);
        record("Easy", "WL"[seed >> 31], "");  // practice
        if (kind != '-') record("Easy", kind, date);
        record("Medium", 'W', date);
    }
    ASSERT_TRUE(days.find('-') != std::string::npos && days.find('L') != std::string::npos);
    // The runs of W, read off the text of the days.
    std::vector<int> runs;
    for (std::size_t at = days.find('W'); at != std::string::npos; at = days.find('W', at)) {
        const std::size_t end = std::min(days.find_first_not_of('W', at), days.size());
        runs.push_back(static_cast<int>(end - at));
        at = end;
    }
    const GameHistory::History history = Parse(file);
    for (long today : {330L, 331L, 332L}) {
        // Today's game still to come leaves yesterday's run current.
        const bool reaches = days.back() == 'W' && today <= 331;
        const DailySummary expected{static_cast<int>(days.size() - std::count(days.begin(), days.end(), '-')),
                                    static_cast<int>(std::count(days.begin(), days.end(), 'W')),
                                    reaches ? runs.back() : 0, *std::max_element(runs.begin(), runs.end())};
        EXPECT_EQ(SummariseDaily(history, "Easy", TodaysWord::DateOfDay(today)), expected) << days;
    }
}

// The order of a level's words: the same in every process, each once a round, by the local date.
TEST(TodaysWord, TheOrderIsTheSameInAnotherProcessAndComesRoundOnlyAfterTheWholeList) {
    std::string words;
    for (int count : {7, 2000}) {
        std::set<int> seen;
        for (long day = -count; day < 2 * count; ++day) {
            const int at = TodaysWord::Position("Easy", TodaysWord::DateOfDay(day), count);
            ASSERT_EQ(TodaysWord::DayNumber(TodaysWord::DateOfDay(day)), day);
            if (day >= 0 && day < count) seen.insert(at);
            EXPECT_EQ(at, TodaysWord::Position("Easy", TodaysWord::DateOfDay(day + count), count));
            EXPECT_NE(at, TodaysWord::Position("Easy", TodaysWord::DateOfDay(day + 1), count));
            words += std::to_string(at) + " ";
        }
        EXPECT_EQ(seen.size(), static_cast<std::size_t>(count));
    }
    if (const char* out = std::getenv("QUIBBLY_ORDER_OUT")) return WriteBytes(out, words);
    const auto out =
        (std::filesystem::temp_directory_path() / ("order." + std::to_string(getpid()))).string();
    const std::string child = "QUIBBLY_ORDER_OUT=" + out + " " +
                              std::filesystem::read_symlink("/proc/self/exe").string() +
                              " --gtest_filter=TodaysWord.* >/dev/null";
    ASSERT_EQ(std::system(child.c_str()), 0);
    EXPECT_EQ(ReadBytes(out), words);
    std::filesystem::remove(out);

    // 23:30 on 2026-12-07 in London is already the 8th on Kiritimati.
    const char* zone = std::getenv("TZ");
    const std::string kept = zone ? zone : "";
    std::tm moment{.tm_min = 30, .tm_hour = 23, .tm_mday = 7, .tm_mon = 11, .tm_year = 126};
    std::string dates;
    for (const char* tz : {"GMT0", "LINT-14"}) {
        setenv("TZ", tz, 1);
        tzset();
        dates += LocalDateTime(timegm(&moment)).substr(0, 10) + " ";
    }
    zone ? setenv("TZ", kept.c_str(), 1) : unsetenv("TZ");
    tzset();
    EXPECT_EQ(dates, "2026-12-07 2026-12-08 ");
    EXPECT_FALSE(TodaysWord::DayNumber("2026-02-29") || TodaysWord::DayNumber("2026-13-01"));
}

}  // namespace
}  // namespace quibbly::testing
