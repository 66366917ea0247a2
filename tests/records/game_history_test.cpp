// SPDX-License-Identifier: GPL-3.0-or-later
// The history of games: real games in the statistics window, damaged files,
// streaks; today's word, its order, its days and its share line.
#include "records/game_history.h"

#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <random>
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

// A game as the statistics window must count it: the oracle's own record.
struct Made {
    std::string level;
    Ending ending = Ending::Quit;
    int score = 0, myGuesses = 0;  // the computer's guesses, the winning one included
    std::vector<int> counts;       // the player's guesses that missed, by their counts
    std::string date = "2026-05-12";
    int day = -1;  // the day's game of today's word: days before today; -1 none
};

const char* const Levels[] = {"Easy", "Medium", "Hard", "Expert"};

// The date that many days before 2026-12-07, day 340 after the epoch.
std::string DaysBefore(int days) {
    return TodaysWord::DateOfDay(340 - days);
}

std::string Plural(long number, const std::string& one, const std::string& many) {
    return std::to_string(number) + " " + (number == 1 ? one : many);
}

// The share line of a game, built from what the oracle made.
std::string Shared(const Made& game) {
    static const char* const blocks[] = {"\u2581", "\u2582", "\u2583", "\u2584",
                                         "\u2585", "\u2586", "\u2587", "\u2588"};
    const bool daily = game.day >= 0, won = game.ending == Ending::Won;
    std::string line =
        "Quibbly " +
        (daily ? DaysBefore(game.day) + " " + game.level + ": today's word " : game.level + ": ") +
        (won ? (daily ? "in " + std::to_string(game.score)
                      : "won in " + Plural(game.score, "guess", "guesses"))
             : (game.ending == Ending::Lost ? "lost after " : "gave up after ") +
                   Plural(static_cast<long>(game.counts.size()), "guess", "guesses")) +
        (daily ? " " : ", " + game.date + " ");
    for (int count : game.counts) line += blocks[count];
    return line + (won ? blocks[7] : "");
}

// The bars of a by-guesses chart tallied from the values of the games it
// holds; last: the value of the level's last game, when it is in the chart.
std::vector<ChartBar> Tally(const std::vector<int>& values, int last) {
    if (values.empty()) return {};
    std::vector<ChartBar> bars;
    const int low = *std::min_element(values.begin(), values.end());
    const int high = *std::max_element(values.begin(), values.end());
    for (int guesses = low; guesses <= high && guesses < low + MostBars; ++guesses) {
        const bool rest = guesses == low + MostBars - 1 && high > guesses;
        const auto games =
            rest ? std::count_if(values.begin(), values.end(), [&](int value) { return value >= guesses; })
                 : std::count(values.begin(), values.end(), guesses);
        bars.push_back({static_cast<int>(games), games ? std::to_string(games) : "",
                        std::to_string(guesses) + (rest ? "+" : ""),
                        last == guesses || (rest && last > guesses) ? Kind::Highlighted : Kind::Plain});
    }
    return bars;
}

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
    // Every figure, chart and line of the window, at each level, against a
    // count of the games made; damaged records are named by their number.
    void ExpectShown(int damaged, const std::vector<Made>& games) {
        StatisticsForm& window = StatisticsForm::Instance();
        OptionButton* options[] = {&window.EasyOption, &window.MediumOption, &window.HardOption,
                                   &window.ExpertOption};
        for (int level = 0; level < 4; ++level) {
            std::string ends;  // W won, L lost, Q given up, in order
            std::vector<int> scores, guesses;
            std::vector<ChartBar> recent;
            std::array<char, 40> days{};  // by days before today: the first game's W, L or Q
            const Made* last = nullptr;
            for (const Made& game : games) {
                if (game.level != Levels[level]) continue;
                last = &game;
                ends += "WLQ"[static_cast<int>(game.ending)];
                if (game.ending == Ending::Won) scores.push_back(game.score);
                if (game.ending == Ending::Lost) guesses.push_back(game.myGuesses);
                if (game.day >= 0 && days[game.day] == 0) days[game.day] = ends.back();
                const bool won = game.ending == Ending::Won;  // a bar, or the mark of a loss or a quit
                recent.push_back(
                    {won ? game.score : 0, won ? std::to_string(game.score) : "", "",
                     std::array{Kind::Plain, Kind::Lost, Kind::Quit}[static_cast<std::size_t>(game.ending)]});
            }
            if (recent.size() > RecentGames) recent.erase(recent.begin(), recent.end() - RecentGames);
            if (ends.ends_with('W')) recent.back().kind = Kind::Highlighted;
            auto longest = [](const std::string& text) {  // the longest run of wins
                int run = 0, most = 0;
                for (char end : text) most = std::max(most, run = end == 'W' ? run + 1 : 0);
                return std::to_string(most);
            };
            // The current runs follow the last game (or day) that was no win; npos + 1 is 0.
            const std::string dayRuns(days.rbegin(), days.rend());            // oldest first, today last
            const std::size_t end = dayRuns.size() - (days[0] == 0 ? 2 : 1);  // today's game may be to come
            const long played = static_cast<long>(ends.size()),
                       won = std::count(ends.begin(), ends.end(), 'W');
            const std::string expected =
                std::to_string(played) + " " +
                std::to_string(played ? (200 * won + played) / (2 * played) : 0) + " " +
                std::to_string(ends.size() - (ends.find_last_not_of('W') + 1)) + " " + longest(ends) +
                " Won " + std::to_string(won) + "      Lost " +
                std::to_string(std::count(ends.begin(), ends.end(), 'L')) + "      Given up " +
                std::to_string(std::count(ends.begin(), ends.end(), 'Q')) +
                " Today's word: " + Plural(40 - std::count(days.begin(), days.end(), 0), "day", "days") +
                " played, " + std::to_string(std::count(days.begin(), days.end(), 'W')) + " won; streak " +
                std::to_string(end - dayRuns.find_last_not_of('W', end)) + ", best " + longest(dayRuns) +
                " " + std::to_string(damaged);

            options[level]->Press();
            const std::string note = window.NoteLabel.Visible() ? window.NoteLabel.Caption() : "0 damaged";
            EXPECT_EQ(window.PlayedNumber.Caption() + " " + window.PercentNumber.Caption() + " " +
                          window.StreakNumber.Caption() + " " + window.BestNumber.Caption() + " " +
                          window.OutcomeLabel.Caption() + " " + window.DailyLabel.Caption() + " " +
                          note.substr(0, note.find(" damaged")),
                      expected)
                << Levels[level] << " " << ends;
            EXPECT_EQ(window.ScoreChart.Bars(), Tally(scores, ends.ends_with('W') ? last->score : 0));
            EXPECT_EQ(window.GuessChart.Bars(), Tally(guesses, ends.ends_with('L') ? last->myGuesses : 0));
            EXPECT_EQ(window.RecentChart.Bars(), recent) << Levels[level] << " " << ends;
            platform.clipboard.clear();
            window.CopyButton.Press();
            EXPECT_EQ(platform.clipboard, last ? Shared(*last) : "") << Levels[level];
        }
    }
};

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
    EXPECT_EQ(SavedBytes(), ReadBytes("ended.swg"));
    form.FileQuit.Choose();
    // The copy saved before the end is a replay: won again, neither ranked nor recorded.
    ASSERT_TRUE(SavedGame::LoadGame("middle.swg"));
    Guess("HOUSE");
    EXPECT_EQ(ReadBytes(HistoryFile), history);
    EXPECT_EQ(ReadBytes("Win.Lst"), winners);
}

TEST_F(History, DamagedRecordsAreCountedAndKeptAndAMissingFileIsEmpty) {
    QuibblyForm& form = Form();
    form.GameStatistics.Choose();
    StatisticsForm& window = StatisticsForm::Instance();
    ExpectShown(0, {});
    EXPECT_FALSE(window.ClearButton.Enabled() || window.CopyButton.Enabled());
    window.OKButton.Press();

    const std::string winners = "Ann         Easy    3 Guesses  05/12/2026\r\n";
    WriteBytes("Win.Lst", winners);
    // Behind a byte-order mark: text before the first record, a good record,
    // one whose Game line is lost, one of another form, one of no level, one
    // without its score.
    const std::string damaged[] = {"not a record\r\n", "Level=Easy\r\nEnd=Won\r\nScore=3\r\n",
                                   "Game=2026-05-02 10:00\r\nLevel=Easy\r\nEnd=Maybe\r\nScore=4\r\n",
                                   "Game=2026-05-03 10:00\r\nLevel=Huge\r\nEnd=Won\r\nScore=4\r\n",
                                   "Game=2026-05-04 10:00\r\nLevel=Easy\r\nEnd=Won\r\n"};
    WriteBytes(HistoryFile,
               "\xEF\xBB\xBFQuibbly History 1\r\n" + damaged[0] +
                   "Game=2026-05-01 10:00\r\nLevel=Easy\r\nEnd=Won\r\nScore=5\r\nFuture=kept\r\n" +
                   damaged[1] + damaged[2] + damaged[3] + damaged[4]);
    Start("SHOUT", 0, 1, true);
    form.FileQuit.Choose();
    form.GameStatistics.Choose();
    ExpectShown(5, {{"Easy", Ending::Won, 5, 0, {}, "2026-05-01"}, {"Easy", Ending::Quit, 1}});
    EXPECT_EQ(window.NoteLabel.Caption(),
              "5 damaged records in \"History.Lst\" could not be read; they stay in the file.");

    Boxes();
    platform.Answer(MsgAnswer::Yes);
    window.ClearButton.Press();
    const ShownBox question{
        "Clear the history of all 2 games? The statistics and charts of every level (Easy: 2, "
        "Medium: 0, Hard: 0, Expert: 0) will be lost. The winners list \"Win.Lst\" is not changed. The 5 "
        "damaged records that could not be read stay in the file.",
        "Clear History", MsgIcon::Exclamation, MsgButtons::YesNoDefaultNo};
    EXPECT_EQ(Boxes(), std::vector<ShownBox>{question});
    EXPECT_EQ(ReadBytes(HistoryFile),
              "Quibbly History 1\r\n" + damaged[0] + damaged[1] + damaged[2] + damaged[3] + damaged[4]);
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

// Histories of every ending, level and kind of game from fixed seeds, as
// the file holds them, with damaged records between: the window shows what a
// count of the records gives.
TEST_F(History, EveryFigureOfTheStatisticsIsACountOfTheRecordsOfGeneratedHistories) {
    platform.dateTime = "2026-12-07 20:00";
    for (unsigned seed = 1; seed <= 10; ++seed) {
        std::mt19937 random(seed);
        auto pick = [&random](unsigned below) { return static_cast<int>(random() % below); };
        std::vector<Made> games;
        std::string file = "Quibbly History 1\r\n";
        int damaged = 0;
        const int count = pick(4) == 0 ? pick(3) : 20 + pick(130), spread = pick(2) ? 6 : 40;  // > 20 bars
        const int wins = 1 + pick(6), span = 8 + pick(20), daily = 1 + pick(3);  // long runs in some
        for (int i = 0; i < count; ++i) {
            if (pick(12) == 0) {
                const char* const faults[] = {"Huge\r\nEnd=Won", "Easy\r\nEnd=Maybe",
                                              "Hard\r\nEnd=Quit\r\n?"};
                file += "Game=2026-11-30 10:00\r\nLevel=" + std::string(faults[pick(3)]) + "\r\nScore=4\r\n";
                ++damaged;
                continue;
            }
            Made game{Levels[pick(4)], static_cast<Ending>(std::max(0, pick(wins + 2) - wins + 1)),
                      1 + pick(spread), 1 + pick(spread)};
            game.counts.resize(static_cast<std::size_t>(pick(8)));
            std::string yours, mine = game.ending == Ending::Lost ? "SHOUT 5" : "";
            for (int& missed : game.counts) yours += ",PLANT " + std::to_string(missed = pick(6));
            if (game.ending == Ending::Won) yours += ",HOUSE 5";
            for (int k = 1; k < game.myGuesses && game.ending == Ending::Lost; ++k) mine = "CRISP 1," + mine;
            game.date = DaysBefore(count - i);
            if (pick(daily) == 0) game.day = pick(span);
            file +=
                "Game=" + game.date + " 12:00\r\nLevel=" + game.level +
                "\r\nEnd=" + std::array{"Won", "Lost", "Quit"}[static_cast<std::size_t>(game.ending)] +
                "\r\nScore=" + std::to_string(game.score) +
                "\r\nYourWord=SHOUT\r\nMyWord=HOUSE\r\nYourGuesses=" + yours.substr(yours.empty() ? 0 : 1) +
                "\r\nMyGuesses=" + mine + "\r\n" +
                (game.day < 0 ? "" : "Daily=" + DaysBefore(game.day) + "\r\n");
            games.push_back(game);
        }
        WriteBytes(HistoryFile, file);
        Form().GameStatistics.Choose();
        ExpectShown(damaged, games);
        StatisticsForm::Instance().OKButton.Press();
    }
}

// Today's word is played once a date and level, whatever was played before;
// every game that ends, given up included, leaves one record, and a copy of a
// game that has ended (a replay) leaves none and is not ranked.
TEST_F(History, TodaysWordOnceADayAndEveryGameEndsInOneRecord) {
    using namespace Functions;
    WriteLines("easy.wtf", {"2", "HOUSE", "PLANT"});
    platform.dateTime = "2026-12-03 20:00";
    Form().GameTodaysWord.Choose();
    Restart();  // the item is kept between runs
    auto answerTruly = [&] {
        Form()
            .CountButtons()[static_cast<std::size_t>(MatchCount(Form().MyGuessText.Text(), "BLIMP"))]
            ->Press();
    };
    auto dayGame = [&](const char* date) {
        platform.dateTime = std::string(date) + " 20:00";
        Form().FileNew.Choose();
        Start("BLIMP", 1, 2, true, {0.0});  // today's word draws nothing: 0.75, the player begins
        EXPECT_EQ(MyWord, TodaysWord::Position("Easy", date, 2) == 0 ? "HOUSE" : "PLANT");
        EXPECT_EQ(Form().Caption(), std::string("Quibbly - Today's word ") + date);
    };
    dayGame("2026-12-03");
    const std::string first = MyWord;
    Guess("CRISP");
    answerTruly();
    ASSERT_TRUE(SavedGame::SaveGame("d3.swg"));
    EXPECT_NE(ReadBytes("d3.swg").find(" daily 2026-12-03 game " + GameId + "\r\n"), std::string::npos);
    Boxes();
    // Leaving it is giving it up: No, the default, keeps it.
    Form().FileNew.Choose();
    EXPECT_EQ(Boxes(),
              (std::vector<ShownBox>{{"This game is under way. If you leave it now, it counts as given up, "
                                      "as Quit Game does. Do you want to give it up?",
                                      "New Game", MsgIcon::Exclamation, MsgButtons::YesNoDefaultNo}}));
    platform.Answer(MsgAnswer::Yes);
    UseGameWindow(Form().FileLoad, "d3");
    const std::vector<ShownBox> boxes = Boxes();
    ASSERT_EQ(boxes.size(), 4u);
    EXPECT_EQ(boxes[0].title + boxes[1].text, "Load GameMy word was " + first);
    EXPECT_EQ(boxes[3],
              Info("This game has been played to its end before: it is a replay. You can play it on, but it "
                   "is not recorded and does not enter the winners list.",
                   "Load Game"));
    EXPECT_EQ(Form().Caption(), "Quibbly - Replay");

    // The same day again: an ordinary game, its word drawn at random, ranked as any.
    Form().FileNew.Choose();
    Start("BLIMP", first == std::string("HOUSE") ? 1 : 0, 2, true);
    EXPECT_EQ(Boxes(),
              std::vector<ShownBox>{Info("You have played today's word at Easy already. This game is an "
                                         "ordinary game, with a word drawn at random.",
                                         "Today's Word")});
    EXPECT_NE(MyWord, first);
    Guess(MyWord);
    ThroughTheWinners(MsgAnswer::No);

    // The next day's game is saved, and the program ends beside it; two days
    // later the save is an ordinary game, and that day's own game counts.
    dayGame("2026-12-04");
    Guess("CRISP");
    answerTruly();
    ASSERT_TRUE(SavedGame::SaveGame("d4.swg"));
    Restart();
    platform.dateTime = "2026-12-06 20:00";
    ASSERT_TRUE(SavedGame::LoadGame("d4.swg"));
    EXPECT_EQ(Form().Caption() + SavedGame::Capture().daily, "Quibbly");
    Form().FileQuit.Choose();
    dayGame("2026-12-06");
    Guess(MyWord);
    ThroughTheWinners(MsgAnswer::No);
    dayGame("2026-12-07");
    Form().FileQuit.Choose();
    Form().FileQuit.Choose();  // a game ends once
    Form().FileNew.Choose();   // between games: nothing to record
    Form().FileQuit.Choose();

    Form().GameStatistics.Choose();
    ExpectShown(0, {{"Easy", Ending::Quit, 2, 0, {1}, "2026-12-03", 4},  // the day's game given up for a load
                    {"Easy", Ending::Won, 1, 0, {}, "2026-12-03"},       // the ordinary game after it
                    {"Easy", Ending::Quit, 2, 0, {1}, "2026-12-06"},     // the save of a day before
                    {"Easy", Ending::Won, 1, 0, {}, "2026-12-06", 1},
                    {"Easy", Ending::Quit, 1, 0, {}, "2026-12-07", 0}});
}

// The order of a level's words: the same in every process, each once a round, by the local date.
TEST(TodaysWord, TheOrderIsTheSameInAnotherProcessAndComesRoundOnlyAfterTheWholeList) {
    SKIP_ON_THE_WEB("fork (a second process)");
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
    for (const char* wrong : {"2026-02-29", "2026-13-01", "2026-12", "2026-12-071", "2026/12/07"})
        EXPECT_FALSE(TodaysWord::DayNumber(wrong)) << wrong;
}

}  // namespace
}  // namespace quibbly::testing
