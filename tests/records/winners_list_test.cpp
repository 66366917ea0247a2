// SPDX-License-Identifier: GPL-3.0-or-later
// The winners list as a player meets it: wins ranked against "Win.Lst", the
// name and winners windows, Clear, Game > Winners and the question after a
// game, on real files, including files that cannot be read or written and
// two copies of the game writing the list at once.
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>

#include "platform/atomic_file.h"
#include "records/winners_list.h"
#include "support/fresh_game.h"
#include "windows/other/player_form.h"
#include "windows/other/winners_form.h"

namespace quibbly::testing {
namespace {

using namespace Functions;
using Rows = std::vector<std::string>;

const ShownBox PlayAgain = Question("Would you like to play again?");

std::string FileText() {
    return ReadBytes(WinnersFile);
}

// The file's rows in sorted order.
std::vector<std::string> FileRows() {
    std::vector<std::string> rows;
    std::string text = FileText();
    for (std::size_t at = 0, end; (end = text.find("\r\n", at)) != std::string::npos; at = end + 2)
        rows.push_back(text.substr(at, end - at));
    std::sort(rows.begin(), rows.end());
    return rows;
}

std::string Lines(const Rows& rows) {
    std::string text;
    for (const std::string& row : rows) text += row + "\r\n";
    return text;
}

// A row as the file lays it out, with a date of another form.
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
        Guess(MyWord);
        std::vector<ShownBox> boxes = Boxes();
        EXPECT_EQ(boxes.at(0).title, "You win!!");
        return {boxes.begin() + 1, boxes.end()};
    }
    // The rows in the labels, which the hidden list holds too.
    Rows Shown() {
        Rows rows;
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
    EXPECT_TRUE(WinAt(1).empty());
    // No file yet: the name window over the main window, ready for typing.
    EXPECT_TRUE(Name().Visible() && Name().NameText.HasFocus() && form.Visible() && !Winners().Visible());
    Name().NameText.Type("Ann\r");  // Enter acts as Done
    EXPECT_TRUE(!Name().Visible() && Winners().Visible() && Winners().Focus() == &Winners().OKButton);
    const std::string ann = "Ann         Easy    1 Guesses  05/12/2026";
    EXPECT_EQ(Shown(), Rows{ann});
    EXPECT_FALSE(std::filesystem::exists(WinnersFile));  // written at OK only
    Winners().OKButton.Press();
    EXPECT_EQ(FileText(), ann + "\r\n");
    EXPECT_EQ(Boxes(), std::vector<ShownBox>{PlayAgain});  // answered No
    EXPECT_FALSE(Winners().Visible() || form.GuessButton.Enabled() || form.YourGuessText.Enabled() ||
                 form.ZeroButton.Enabled() || form.CorrectButton.Enabled());
    EXPECT_TRUE(form.LetterButton(0).Enabled());

    // Looking again after the game adds the row no second time; OK still asks.
    form.GameWinners.Choose();
    EXPECT_EQ(Shown(), Rows{ann});
    platform.Answer(MsgAnswer::Yes);
    CandidateIndex = "4";  // where the computer's list stood
    Winners().OKButton.Press();
    EXPECT_EQ(Boxes(), std::vector<ShownBox>{PlayAgain});
    EXPECT_TRUE(GameOn && CandidateIndex == "0" && form.YourWordText.Enabled() &&
                form.YourWordText.HasFocus());
    EXPECT_EQ(FileText(), ann + "\r\n");

    // One row: a poor score still qualifies; the name box kept the name and
    // takes ten characters at most.
    EXPECT_TRUE(WinAt(12).empty());
    EXPECT_EQ(Name().NameText.Text(), "Ann");
    Name().NameText.SetText("");
    Name().NameText.Type("Bartholomew");
    Name().DoneButton.Press();
    EXPECT_EQ(Shown(), (Rows{ann, "Bartholome  Easy   12 Guesses  05/12/2026"}));
}

TEST_F(WinnersList, AFullLevelTakesAnEightTrimsANineRefusesANineAndKeepsOtherLevelsInOrder) {
    // Fifteen Easy rows, worst 9, among other levels' rows; LF and CR LF lines.
    std::string file = Row("Mia", "Medium", 4) + "\n" + Row("Hal", "Hard", 2) + "\r\n";
    for (int i = 0; i < 15; ++i) file += Row("E" + std::to_string(i), "Easy", i < 3 ? 9 : 2 + i % 6) + "\r\n";
    std::ofstream(WinnersFile, std::ios::binary) << file + Row("Max", "Medium", 7) + "\n";

    // Not among the best: no name, the list as it stands, the main window gone.
    EXPECT_TRUE(WinAt(9).empty());
    EXPECT_FALSE(Name().Visible() || Form().Visible());
    EXPECT_TRUE(Winners().Visible() && WinnerCount == 15 && WorstTopScore == 9);
    const Rows before = Shown();
    ASSERT_EQ(before.size(), 15u);
    EXPECT_EQ(before.back().substr(0, 2), "E2");  // the three nines last
    Winners().OKButton.Press();
    EXPECT_EQ(FileText(), Lines({Row("Mia", "Medium", 4), Row("Hal", "Hard", 2), Row("Max", "Medium", 7)}) +
                              Lines(before));
    EXPECT_EQ(Boxes(), std::vector<ShownBox>{PlayAgain});

    // An eight ranks above the nines and pushes the last one out; no name.
    EXPECT_TRUE(WinAt(8).empty());
    EXPECT_TRUE(Name().Visible() && Form().Visible());
    Name().NameText.SetText("");
    Name().DoneButton.Press();
    const Rows after = Shown();
    Rows expected(before.begin(), before.begin() + 12);
    expected.push_back("            Easy    8 Guesses  05/12/2026");
    ASSERT_EQ(after.size(), 15u);
    EXPECT_EQ(Rows(after.begin(), after.begin() + 13), expected);
    EXPECT_EQ(WinnerKey(after[13]) + WinnerKey(after[14]), 18);  // one of the three nines is gone
}

TEST_F(WinnersList, LongTurnNumbersEqualKeysGameMenuDuringAGameAndClear) {
    QuibblyForm& form = Form();
    form.LevelHard.Choose();
    // Equal keys keep the order of the exchange: 5, 5, 3 ends as 3, the
    // second 5, the first 5. "Easy Ed" is a Hard row all the same.
    WriteLines(WinnersFile, {Row("First", "Hard", 5), Row("Second", "Hard", 5), Row("Easy Ed", "Hard", 3),
                             Row("Eve", "Easy", 3), Row("Ed", "Hard", 150), Row("Flo", "Hard", 7)});
    EXPECT_TRUE(WinAt(10).empty());
    EXPECT_TRUE(WorstTopScore == 150 && Name().Visible() && form.Visible());
    Name().NameText.Type("Cy\r");
    Winners().OKButton.Press();
    Boxes();
    EXPECT_TRUE(WinAt(999).empty());
    EXPECT_FALSE(form.Visible());  // worse than the worst: the main window goes, the name is asked
    Name().NameText.SetText("Di");
    Name().DoneButton.Press();
    EXPECT_EQ(Shown(), (Rows{Row("Easy Ed", "Hard", 3), Row("Second", "Hard", 5), Row("First", "Hard", 5),
                             Row("Flo", "Hard", 7), "Cy          Hard   10 Guesses  05/12/2026",
                             Row("Ed", "Hard", 150), "Di          Hard  999 Guesses  05/12/2026"}));
    Winners().OKButton.Press();
    Boxes();
    // A thousand guesses do not fit the row's columns: no name is asked, and
    // the list is shown and written as it stands.
    const std::string before = FileText();
    EXPECT_TRUE(WinAt(1000).empty());
    EXPECT_FALSE(Name().Visible());
    ASSERT_TRUE(Winners().Visible());
    EXPECT_EQ(Shown().back(), "Di          Hard  999 Guesses  05/12/2026");
    platform.Answer(MsgAnswer::Yes);
    Winners().OKButton.Press();
    EXPECT_EQ(FileText(), before);
    Boxes();

    // During a game the list is shown and written back, and nothing is asked.
    Start("PLANT", 0, 2, true);
    WriteLines(WinnersFile, {Row("Hal", "Hard", 2), Row("Eve", "Easy", 3)});
    form.GameWinners.Choose();
    Winners().OKButton.Press();
    EXPECT_TRUE(Boxes().empty() && GameOn && form.GuessButton.Enabled() && !Name().Visible());
    EXPECT_EQ(FileText(), Lines({Row("Eve", "Easy", 3), Row("Hal", "Hard", 2)}));

    // Clear then OK after a won game: the level's rows leave the file, even
    // the Easy row whose name holds "Hard"; the question still comes.
    WriteLines(WinnersFile, {Row("Mia", "Medium", 4), Row("Hal", "Hard", 2), Row("Hardy", "Easy", 3),
                             Row("Eve", "Easy", 3)});
    EXPECT_TRUE(WinAt(4).empty());
    Name().DoneButton.Press();
    Winners().ClearButton.Press();
    EXPECT_TRUE(Shown().empty());
    Winners().OKButton.Press();
    EXPECT_EQ(FileText(), Lines({Row("Mia", "Medium", 4), Row("Eve", "Easy", 3)}));
    EXPECT_EQ(Boxes(), std::vector<ShownBox>{PlayAgain});
}

TEST_F(WinnersList, UnreadableUnwritableAndOverlongFilesLoseNothing) {
    // A folder in the file's place cannot be read: one message, nothing written.
    std::filesystem::create_directory(WinnersFile);
    const std::string after = ". The list on the disk is left as it was.";
    EXPECT_EQ(WinAt(3),
              std::vector<ShownBox>{Warn(
                  "The winners list \"Win.Lst\" cannot be read: Is a directory" + after, "Winners List")});
    Name().DoneButton.Press();
    Winners().OKButton.Press();
    EXPECT_EQ(Boxes(), std::vector<ShownBox>{PlayAgain});
    Form().GameWinners.Choose();  // told again at the next look
    EXPECT_EQ(Boxes().size(), 1u);
    EXPECT_TRUE(std::filesystem::is_directory(WinnersFile));
    std::filesystem::remove(WinnersFile);

    // More rows than the list holds: 25 of the level among 60 of another.
    Rows lines, medium;
    for (int i = 0; i < 60; ++i) medium.push_back(Row("M" + std::to_string(i), "Medium", i % 9));
    lines = medium;
    for (int i = 0; i < 25; ++i)
        lines.insert(lines.begin() + 2 * i, Row("E" + std::to_string(i), "Easy", 30 - i));
    WriteLines(WinnersFile, lines);
    Form().GameWinners.Choose();
    const Rows best = Shown();
    ASSERT_EQ(best.size(), 15u);
    EXPECT_TRUE(best.front() == Row("E24", "Easy", 6) && best.back() == Row("E10", "Easy", 20));
    const std::string before = FileText();

    // A file that cannot grow: one message, the old file whole, no leftovers.
    WithFileSizeLimit(100, [this] { Winners().OKButton.Press(); });
    EXPECT_EQ(
        Boxes(),
        (std::vector<ShownBox>{
            Warn("The winners list \"Win.Lst\" was not saved: cannot be written: File too large" + after,
                 "Winners List"),
            PlayAgain}));
    EXPECT_EQ(FileText(), before);
    // No temporary file left: the word files, the list and the history of games.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator("."), {}), 7);

    Form().GameWinners.Choose();
    Winners().OKButton.Press();
    EXPECT_EQ(FileText(), Lines(medium) + Lines(best));
}

// A win with the list open from the Game menu keeps the level's rows; only
// Clear drops them, and only them.
TEST_F(WinnersList, AWinWithTheListOpenKeepsTheLevelsRowsAndOnlyClearDropsThem) {
    // 15 Easy rows (two Medium rows' names hold "Easy"), 13 Medium, 6 Hard.
    Rows rows;
    for (int i = 0; i < 13; ++i) rows.push_back(Row("E" + std::to_string(i), "Easy", 3 + i % 7));
    for (const char* name : {"Easyrider", "Easton Easy"}) rows.push_back(Row(name, "Medium", 4));
    for (int i = 0; i < 13; ++i) rows.push_back(Row("M" + std::to_string(i), "Medium", 2 + i));
    for (int i = 0; i < 6; ++i) rows.push_back(Row("H" + std::to_string(i), "Hard", 5 + i));
    WriteLines(WinnersFile, rows);
    std::sort(rows.begin(), rows.end());
    Start("PLANT", 0, 2, true);
    Form().GameWinners.Choose();
    ASSERT_EQ(Winners().WinnersList.ListCount(), 15);
    Guess(MyWord);  // a win in one guess, with the list open
    // The win's reading emptied the window: it closes until the win's list
    // is shown, and an OK now would have no list to write.
    EXPECT_TRUE(!Winners().Visible() && Name().Visible());
    EXPECT_FALSE(WriteWinners());
    EXPECT_EQ(FileRows(), rows);
    Name().NameText.Type("Zoe\r");
    Form().GameWinners.Choose();  // looked at again before OK: the win still waits to be written
    Winners().OKButton.Press();
    // Every row stays but the worst Easy row (E6, 9 guesses), pushed out by the win.
    rows.erase(std::find(rows.begin(), rows.end(), Row("E6", "Easy", 9)));
    rows.push_back("Zoe         Easy    1 Guesses  05/12/2026");
    std::sort(rows.begin(), rows.end());
    EXPECT_EQ(FileRows(), rows);

    Form().GameWinners.Choose();
    Winners().ClearButton.Press();
    Winners().OKButton.Press();
    std::erase_if(rows, [](const std::string& row) { return row.find("Easy") != std::string::npos; });
    EXPECT_EQ(FileRows(), rows);
}

// Two copies of the game in one folder, as two processes: both win while the
// other's list is open, both press OK at once, and both wins are kept.
TEST_F(WinnersList, BothWinsAreKeptWhenTwoCopiesWriteTheListAtOnce) {
    WriteLines(WinnersFile, {Row("Old", "Easy", 5), Row("Mo", "Medium", 4)});
    Start("PLANT", 0, 2, true);
    Boxes();
    int ready[2];
    int go[2];
    ASSERT_TRUE(::pipe(ready) == 0 && ::pipe(go) == 0);
    pid_t copies[2];
    for (int i = 0; i < 2; ++i) {
        copies[i] = ::fork();
        ASSERT_GE(copies[i], 0);
        if (copies[i] != 0) continue;
        // A copy wins, its list is shown with its own row, and it waits for
        // the other copy to get that far before OK.
        Guess(MyWord);
        Name().NameText.Type(std::string(i == 0 ? "Ann" : "Bob") + "\r");
        char byte = Winners().Visible() ? 'r' : 'x';
        const bool told = ::write(ready[1], &byte, 1) == 1 && ::read(go[0], &byte, 1) == 1;
        Winners().OKButton.Press();
        ::_exit(told ? 0 : 1);
    }
    ::close(ready[1]);
    ::close(go[0]);
    std::string told;
    char byte = 0;
    while (told.size() < 2 && ::read(ready[0], &byte, 1) == 1) told.push_back(byte);
    EXPECT_EQ(told, "rr");
    {
        // Both copies reach their write together, held at the lock.
        FolderLock lock(folder.string());
        EXPECT_TRUE(lock.Held());
        EXPECT_EQ(::write(go[1], "gg", 2), 2);
        ::usleep(200 * 1000);
    }
    for (pid_t copy : copies) {
        int status = 0;
        ASSERT_EQ(::waitpid(copy, &status, 0), copy);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    // Other levels first, then the level ranked; equal wins in the order written.
    const std::string ann = "Ann         Easy    1 Guesses  05/12/2026";
    const std::string bob = "Bob         Easy    1 Guesses  05/12/2026";
    const std::string list = FileText();
    EXPECT_TRUE(list == Lines({Row("Mo", "Medium", 4), ann, bob, Row("Old", "Easy", 5)}) ||
                list == Lines({Row("Mo", "Medium", 4), bob, ann, Row("Old", "Easy", 5)}))
        << list;
}

}  // namespace
}  // namespace quibbly::testing
