// SPDX-License-Identifier: GPL-3.0-or-later
// The winners list as a player meets it: wins ranked against "Win.Lst", the
// name and winners windows, Clear, Game > Winners and the question after a
// game, on real files, including files that cannot be read or written.
#include <signal.h>
#include <sys/resource.h>

#include <fstream>
#include <sstream>

#include "records/winners_list.h"
#include "support/fresh_game.h"
#include "windows/other/player_form.h"
#include "windows/other/winners_form.h"

namespace quibbly::testing {
namespace {

using namespace Functions;

const ShownBox PlayAgain = Question("Would you like to play again?");

std::string FileText(const std::string& name = WinnersFile) {
    std::ifstream in(name, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Rows as the file lays them out, with a date of our own.
std::string Row(const std::string& name, const std::string& level, int guesses) {
    char row[64];
    std::snprintf(row, sizeof row, "%-12s%-6s%3d Guesses  1/2/26", name.c_str(), level.c_str(), guesses);
    return row;
}

class WinnersList : public FreshGame {
protected:
    void SetUp() override {
        FreshGame::SetUp();
        WriteWordFiles();
        Form().Show();
    }
    // A new game at the checked level, won by the player at the given turn;
    // returns the boxes that follow "You win!!".
    std::vector<ShownBox> WinAt(int turn) {
        Form().FileNew.Choose();
        Start("PLANT", 0, 2, true);
        TurnNumber = static_cast<float>(turn);
        Form().TurnLabel.SetCaption(std::to_string(turn));
        Form().YourGuessText.SetText(MyWord);
        Form().GuessButton.Press();
        std::vector<ShownBox> boxes = Boxes();
        EXPECT_EQ(boxes.at(0).title, "You win!!");
        boxes.erase(boxes.begin());
        return boxes;
    }
    std::vector<std::string> Shown() {
        std::vector<std::string> rows;
        for (int k = 0; k < WinnersForm::RowLabels; ++k)
            if (!Winners().WinnersLabel(k).Caption().empty())
                rows.push_back(Winners().WinnersLabel(k).Caption());
        EXPECT_EQ(rows, Winners().WinnersList.Rows());
        return rows;
    }
    PlayerForm& Name() { return PlayerForm::Instance(); }
    WinnersForm& Winners() { return WinnersForm::Instance(); }
};

TEST_F(WinnersList, EveryWinTopsAShortListThroughNameListOkAndPlayAgain) {
    QuibblyForm& form = Form();
    EXPECT_EQ(WinAt(1), std::vector<ShownBox>{});
    // No file yet: the name window over the main window, ready for typing.
    EXPECT_TRUE(Name().Visible() && Name().NameText.HasFocus() && form.Visible());
    EXPECT_FALSE(Winners().Visible());
    Name().NameText.Type("Ann\r");  // Enter acts as Done
    EXPECT_FALSE(Name().Visible());
    EXPECT_TRUE(Winners().Visible() && Winners().Focus() == &Winners().OKButton);
    EXPECT_EQ(Shown(), std::vector<std::string>{"Ann         Easy    1 Guesses  05/12/2026"});
    EXPECT_FALSE(std::filesystem::exists(WinnersFile));  // written at OK only
    Winners().OKButton.Press();
    EXPECT_EQ(FileText(), "Ann         Easy    1 Guesses  05/12/2026\r\n");
    EXPECT_EQ(Boxes(), std::vector<ShownBox>{PlayAgain});  // answered No
    EXPECT_FALSE(Winners().Visible());
    EXPECT_FALSE(form.GuessButton.Enabled() || form.YourGuessText.Enabled() || form.ZeroButton.Enabled() ||
                 form.CorrectButton.Enabled());
    EXPECT_TRUE(form.LetterButton(0).Enabled());

    // Looking again after the game adds the row no second time; OK still asks.
    form.GameWinners.Choose();
    EXPECT_EQ(Shown().size(), 1u);
    platform.Answer(MsgAnswer::Yes);
    CandidateIndex = "4";  // where the computer's list stood
    Winners().OKButton.Press();
    EXPECT_EQ(Boxes(), std::vector<ShownBox>{PlayAgain});
    EXPECT_TRUE(GameOn && form.YourWordText.Enabled() && form.YourWordText.HasFocus());
    EXPECT_EQ(CandidateIndex, "0");
    EXPECT_EQ(FileText(), "Ann         Easy    1 Guesses  05/12/2026\r\n");

    // One row: a poor score still qualifies; the name box kept the name and
    // takes ten characters at most.
    EXPECT_EQ(WinAt(12), std::vector<ShownBox>{});
    EXPECT_EQ(Name().NameText.Text(), "Ann");
    Name().NameText.SetText("");
    Name().NameText.Type("Bartholomew");
    EXPECT_EQ(Name().NameText.Text(), "Bartholome");
    Name().DoneButton.Press();
    EXPECT_EQ(Shown(), (std::vector<std::string>{"Ann         Easy    1 Guesses  05/12/2026",
                                                 "Bartholome  Easy   12 Guesses  05/12/2026"}));
    Winners().OKButton.Press();
    Boxes();

    // Worse than the worst of two: the main window goes, the name is asked.
    EXPECT_EQ(WinAt(15), std::vector<ShownBox>{});
    EXPECT_EQ(WorstTopScore, 12);
    EXPECT_TRUE(Name().Visible());
    EXPECT_FALSE(form.Visible());
    Name().NameText.SetText("");
    Name().DoneButton.Press();
    EXPECT_EQ(Shown().back(), "            Easy   15 Guesses  05/12/2026");
    Winners().OKButton.Press();
    EXPECT_TRUE(form.Visible());
    EXPECT_EQ(FileText().size(), 3 * 43u);
}

TEST_F(WinnersList, AFullLevelTakesAnEightTrimsANineRefusesANineAndKeepsOtherLevelsInOrder) {
    // Fifteen Easy rows, worst 9, among other levels' rows; LF and CR LF lines.
    std::string file = Row("Mia", "Medium", 4) + "\n" + Row("Hal", "Hard", 2) + "\r\n";
    for (int i = 0; i < 15; ++i) file += Row("E" + std::to_string(i), "Easy", i < 3 ? 9 : 2 + i % 6) + "\r\n";
    file += Row("Max", "Medium", 7) + "\n";
    std::ofstream(WinnersFile, std::ios::binary) << file;

    EXPECT_EQ(WinAt(9), std::vector<ShownBox>{});
    // Not among the best: no name, the list as it stands, the main window gone.
    EXPECT_FALSE(Name().Visible() || Form().Visible());
    EXPECT_TRUE(Winners().Visible());
    EXPECT_EQ(WinnerCount, 15);
    EXPECT_EQ(WorstTopScore, 9);
    const std::vector<std::string> before = Shown();
    ASSERT_EQ(before.size(), 15u);
    EXPECT_EQ(before.back().substr(0, 2), "E2");  // the three nines last, E0 and E1 too
    Winners().OKButton.Press();
    const std::string others =
        Row("Mia", "Medium", 4) + "\r\n" + Row("Hal", "Hard", 2) + "\r\n" + Row("Max", "Medium", 7) + "\r\n";
    std::string ranked;
    for (const std::string& row : before) ranked += row + "\r\n";
    EXPECT_EQ(FileText(), others + ranked);
    EXPECT_EQ(Boxes(), std::vector<ShownBox>{PlayAgain});
    EXPECT_TRUE(Form().Visible());

    EXPECT_EQ(WinAt(8), std::vector<ShownBox>{});
    EXPECT_TRUE(Name().Visible() && Form().Visible());
    Name().NameText.SetText("Zoe");
    Name().DoneButton.Press();
    const std::vector<std::string> after = Shown();
    ASSERT_EQ(after.size(), 15u);
    EXPECT_EQ(after[12], "Zoe         Easy    8 Guesses  05/12/2026");
    EXPECT_EQ(std::vector(after.begin(), after.begin() + 12),
              std::vector(before.begin(), before.begin() + 12));
    EXPECT_EQ(std::count_if(after.begin(), after.end(), [](auto& r) { return WinnerKey(r) == 9; }), 2);
}

TEST_F(WinnersList, LongTurnNumbersEqualKeysGameMenuDuringAGameAndClear) {
    QuibblyForm& form = Form();
    form.LevelHard.Choose();
    // Equal keys keep the order of the exchange: 5, 5, 3 ends as 3, the second 5, the first 5.
    // "Easy Ed" is a Hard row whose name holds another level's name.
    WriteLines(WinnersFile, {Row("First", "Hard", 5), Row("Second", "Hard", 5), Row("Easy Ed", "Hard", 3),
                             Row("Eve", "Easy", 3), Row("Ed", "Hard", 150), Row("Flo", "Hard", 7)});
    EXPECT_EQ(WinAt(10), std::vector<ShownBox>{});
    EXPECT_EQ(WorstTopScore, 150);
    EXPECT_TRUE(Name().Visible() && form.Visible());
    Name().NameText.Type("Cy\r");
    Winners().OKButton.Press();
    Boxes();
    EXPECT_EQ(WinAt(1000), std::vector<ShownBox>{});
    Name().NameText.SetText("Di");
    Name().DoneButton.Press();
    EXPECT_EQ(Shown(), (std::vector<std::string>{
                           Row("Easy Ed", "Hard", 3), Row("Second", "Hard", 5), Row("First", "Hard", 5),
                           Row("Flo", "Hard", 7), "Cy          Hard   10 Guesses  05/12/2026",
                           "Di          Hard  1000 Guesses  05/12/2026", Row("Ed", "Hard", 150)}));
    platform.Answer(MsgAnswer::Yes);
    Winners().OKButton.Press();
    Boxes();

    // During a game the list is shown and written back, and nothing is asked.
    Start("PLANT", 0, 2, true);
    std::filesystem::remove(WinnersFile);
    form.GameWinners.Choose();
    EXPECT_EQ(Shown().size(), 0u);
    WriteLines(WinnersFile, {Row("Hal", "Hard", 2), Row("Eve", "Easy", 3)});
    form.GameWinners.Choose();
    EXPECT_FALSE(Name().Visible());
    Winners().OKButton.Press();
    EXPECT_TRUE(Boxes().empty());
    EXPECT_EQ(FileText(), Row("Eve", "Easy", 3) + "\r\n" + Row("Hal", "Hard", 2) + "\r\n");
    EXPECT_TRUE(GameOn && form.GuessButton.Enabled());

    // Clear then OK after a won game: the level's rows leave the file, even
    // the Easy row whose name holds "Hard"; the question still comes.
    WriteLines(WinnersFile, {Row("Mia", "Medium", 4), Row("Hal", "Hard", 2), Row("Hardy", "Easy", 3),
                             Row("Eve", "Easy", 3)});
    EXPECT_EQ(WinAt(4), std::vector<ShownBox>{});
    Name().DoneButton.Press();
    Winners().ClearButton.Press();
    EXPECT_EQ(Shown().size(), 0u);
    Winners().OKButton.Press();
    EXPECT_EQ(FileText(), Row("Mia", "Medium", 4) + "\r\n" + Row("Eve", "Easy", 3) + "\r\n");
    EXPECT_EQ(Boxes(), std::vector<ShownBox>{PlayAgain});
}

TEST_F(WinnersList, UnreadableUnwritableAndOverlongFilesLoseNothing) {
    // A folder in the file's place cannot be read: one message, nothing written.
    std::filesystem::create_directory(WinnersFile);
    EXPECT_EQ(WinAt(3),
              std::vector<ShownBox>{Warn("The winners list \"Win.Lst\" cannot be read: Is a directory. "
                                         "The list on the disk is left as it was.",
                                         "Winners List")});
    Name().DoneButton.Press();
    Winners().OKButton.Press();
    EXPECT_EQ(Boxes(), std::vector<ShownBox>{PlayAgain});
    Form().GameWinners.Choose();  // told again at the next look
    EXPECT_EQ(Boxes().size(), 1u);
    EXPECT_TRUE(std::filesystem::is_directory(WinnersFile));
    std::filesystem::remove(WinnersFile);

    // More rows than the list holds: 25 of the level, 60 of another.
    std::vector<std::string> lines;
    for (int i = 0; i < 60; ++i) lines.push_back(Row("M" + std::to_string(i), "Medium", i % 9));
    for (int i = 0; i < 25; ++i)
        lines.insert(lines.begin() + 2 * i, Row("E" + std::to_string(i), "Easy", 30 - i));
    WriteLines(WinnersFile, lines);
    Form().GameWinners.Choose();
    const std::vector<std::string> best = Shown();
    ASSERT_EQ(best.size(), 15u);
    EXPECT_EQ(best.front(), Row("E24", "Easy", 6));
    EXPECT_EQ(best.back(), Row("E10", "Easy", 20));
    const std::string before = FileText();

    // A file that cannot grow: one message, the old file whole, no leftovers.
    struct rlimit limit {};
    getrlimit(RLIMIT_FSIZE, &limit);
    const rlimit small{100, limit.rlim_max};
    signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
    Winners().OKButton.Press();
    setrlimit(RLIMIT_FSIZE, &limit);
    EXPECT_EQ(Boxes(),
              (std::vector<ShownBox>{Warn("The winners list \"Win.Lst\" cannot be written: File too large. "
                                          "The list on the disk is left as it was.",
                                          "Winners List"),
                                     PlayAgain}));
    EXPECT_EQ(FileText(), before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator("."), {}),
              6);  // five word files and the list

    Form().GameWinners.Choose();
    Winners().OKButton.Press();
    std::string medium;
    for (const std::string& line : lines)
        if (line[0] == 'M') medium += line + "\r\n";
    std::string ranked;
    for (const std::string& row : best) ranked += row + "\r\n";
    EXPECT_EQ(FileText(), medium + ranked);
}

}  // namespace
}  // namespace quibbly::testing
