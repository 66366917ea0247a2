// SPDX-License-Identifier: GPL-3.0-or-later
// The winners list on real files: ranking, the windows, Clear, faults, two copies at once.
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>

#include "platform/atomic_file.h"
#include "records/game_history.h"
#include "records/winners_list.h"
#include "support/fresh_game.h"
#include "windows/records/player_form.h"
#include "windows/records/winners_form.h"

namespace quibbly::testing {
namespace {

using namespace Functions;
using Rows = std::vector<std::string>;

// The file's rows in sorted order.
Rows FileRows() {
    Rows rows;
    std::string text = ReadBytes(WinnersFile);
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

class WinnersList : public FreshGameWith<WriteWordFiles> {
protected:
    void SetUp() override {
        FreshGameWith::SetUp();
        Form().Show();
    }
    // A game at the checked level won at the given turn; the boxes after "You win!!".
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
    std::string FileText() { return ReadBytes(WinnersFile); }
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

    // Looking again after the game adds the row no second time; OK still asks.
    form.GameWinners.Choose();
    EXPECT_EQ(Shown(), Rows{ann});
    Winners().OKButton.Press();
    EXPECT_EQ(Boxes(), std::vector<ShownBox>{PlayAgain});
}

TEST_F(WinnersList, LongTurnNumbersEqualKeysAndTheListDuringAGame) {
    QuibblyForm& form = Form();
    form.LevelHard.Choose();
    // Equal keys keep the exchange's order: 5, 5, 3 ends as 3, second 5, first 5.
    WriteLines(WinnersFile, {Row("First", "Hard", 5), Row("Second", "Hard", 5), Row("Easy Ed", "Hard", 3),
                             Row("Eve", "Easy", 3), Row("Ed", "Hard", 150), Row("Flo", "Hard", 7)});
    EXPECT_TRUE(WinAt(10).empty());
    EXPECT_TRUE(WorstTopScore == 150 && Name().Visible() && form.Visible());
    Name().NameText.Type("Cy\r");
    Winners().OKButton.Press();
    Boxes();
    // Worse than a short list's worst: the main window goes; the name (ten characters) is asked.
    EXPECT_TRUE(WinAt(999).empty());
    EXPECT_TRUE(!form.Visible() && Name().NameText.Text() == "Cy");
    Name().NameText.SetText("");
    Name().NameText.Type("Diomedes123");
    Name().DoneButton.Press();
    EXPECT_EQ(Shown(), (Rows{Row("Easy Ed", "Hard", 3), Row("Second", "Hard", 5), Row("First", "Hard", 5),
                             Row("Flo", "Hard", 7), "Cy          Hard   10 Guesses  05/12/2026",
                             Row("Ed", "Hard", 150), "Diomedes12  Hard  999 Guesses  05/12/2026"}));
    Winners().OKButton.Press();
    Boxes();
    // A thousand guesses do not fit the row: no name, the list written as it stands.
    const std::string before = FileText();
    EXPECT_TRUE(WinAt(1000).empty());
    EXPECT_TRUE(!Name().Visible() && Winners().Visible());
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
}

TEST_F(WinnersList, UnreadableAndUnwritableFilesLoseNothing) {
    SKIP_ON_THE_WEB("setrlimit");
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

    // A file that cannot grow: one message, the old file whole.
    const Rows rows{Row("Eve", "Easy", 7), Row("Mo", "Medium", 4), Row("Ed", "Easy", 3)};
    WriteLines(WinnersFile, rows);
    Form().GameWinners.Choose();
    const std::string before = FileText();
    WithFileSizeLimit(100, [this] { Winners().OKButton.Press(); });
    EXPECT_EQ(Boxes(), (std::vector<ShownBox>{Warn("The winners list \"Win.Lst\" was not saved: cannot be "
                                                   "written: File too large" +
                                                       after,
                                                   "Winners List"),
                                              PlayAgain}));
    EXPECT_EQ(FileText(), before);

    // Written at the next OK: other levels first, then the level ranked.
    Form().GameWinners.Choose();
    Winners().OKButton.Press();
    EXPECT_EQ(FileText(), Lines({rows[1], rows[2], rows[0]}));
}

TEST_F(WinnersList, AFullLevelRefusesANineTakesAWinWithTheListOpenAndOnlyClearDropsItsRows) {
    // 15 Easy rows (two Medium rows' names hold "Easy"), 13 Medium, 6 Hard.
    Rows rows;
    for (int i = 0; i < 13; ++i) rows.push_back(Row("E" + std::to_string(i), "Easy", 3 + i % 7));
    for (const char* name : {"Easyrider", "Easton Easy"}) rows.push_back(Row(name, "Medium", 4));
    for (int i = 0; i < 13; ++i) rows.push_back(Row("M" + std::to_string(i), "Medium", 2 + i));
    for (int i = 0; i < 6; ++i) rows.push_back(Row("H" + std::to_string(i), "Hard", 5 + i));
    WriteLines(WinnersFile, rows);
    std::sort(rows.begin(), rows.end());
    Form().FileNew.Choose();
    Start("PLANT", 0, 2, true);
    Form().GameWinners.Choose();
    ASSERT_EQ(Winners().WinnersList.ListCount(), 15);
    Guess(MyWord);  // a win in one guess, with the list open
    // The window closes until the win's list is shown; an OK now has nothing to write.
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

    // A Clear that Escape or the desktop's close ends is not written; only
    // OK confirms it, and it drops every row holding the level's name
    // ("Easyrider" of Medium too).
    Boxes();
    const std::string before = FileText();
    for (auto leave : {&Form::PressEscape, &Form::QueryClose}) {
        Form().GameWinners.Choose();
        Winners().ClearButton.Press();
        (Winners().*leave)();
        EXPECT_FALSE(Winners().Visible());
        EXPECT_EQ(FileText(), before);
    }
    EXPECT_EQ(Boxes(), std::vector<ShownBox>(2, PlayAgain));
    Form().GameWinners.Choose();
    Winners().ClearButton.Press();
    EXPECT_TRUE(Shown().empty());
    Winners().OKButton.Press();
    std::erase_if(rows, [](const std::string& row) { return row.find("Easy") != std::string::npos; });
    EXPECT_EQ(FileRows(), rows);
    EXPECT_EQ(Boxes(), std::vector<ShownBox>{PlayAgain});
}

// Two copies of the game in one folder both win and press OK at once: both wins are kept.
TEST_F(WinnersList, BothWinsAreKeptWhenTwoCopiesWriteTheListAtOnce) {
    SKIP_ON_THE_WEB("fork");
    WriteLines(WinnersFile, {Row("Old", "Easy", 5), Row("Mo", "Medium", 4)});
    Start("PLANT", 0, 2, true);
    Boxes();
    int ready[2], go[2];
    ASSERT_TRUE(::pipe(ready) == 0 && ::pipe(go) == 0);
    pid_t copies[2];
    for (int i = 0; i < 2; ++i) {
        if ((copies[i] = ::fork()) != 0) continue;
        // A copy wins and waits with its list shown for the other before OK.
        // Each copy plays a game of its own: a shared identity would let the
        // history refuse the second record, and its row with it.
        Functions::GameId = Services().NewGameId();
        Guess(MyWord);
        Name().NameText.Type(std::string(i == 0 ? "Ann" : "Bob") + "\r");
        char byte = Winners().Visible() ? 'r' : 'x';
        const bool told = ::write(ready[1], &byte, 1) == 1 && ::read(go[0], &byte, 1) == 1;
        Winners().OKButton.Press();
        ::_exit(told ? 0 : 1);
    }
    ::close(ready[1]), ::close(go[0]);
    std::string told(2, ' ');
    EXPECT_TRUE(::read(ready[0], &told[0], 1) == 1 && ::read(ready[0], &told[1], 1) == 1 && told == "rr");
    {
        FolderLock lock(folder.string());  // both copies reach their write together
        EXPECT_TRUE(lock.Held());
        EXPECT_EQ(::write(go[1], "gg", 2), 2);
        ::usleep(200 * 1000);
    }
    for (pid_t copy : copies) {
        int status = 0;
        EXPECT_TRUE(::waitpid(copy, &status, 0) == copy && WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    // Other levels first, then the level ranked; equal wins in the order written.
    const std::string ann = "Ann         Easy    1 Guesses  05/12/2026\r\n", bob = "Bob" + ann.substr(3),
                      mo = Lines({Row("Mo", "Medium", 4)}), old = Lines({Row("Old", "Easy", 5)}),
                      list = FileText();
    EXPECT_TRUE(list == mo + ann + bob + old || list == mo + bob + ann + old) << list;
}

}  // namespace
}  // namespace quibbly::testing
