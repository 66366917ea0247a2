// SPDX-License-Identifier: GPL-3.0-or-later
// The winners list loses a level's rows only to Clear: a win with the list
// open from the Game menu keeps them, and a win too long for the row's
// columns never enters the list.
#include <algorithm>

#include "records/winners_list.h"
#include "support/fresh_game.h"
#include "windows/other/player_form.h"
#include "windows/other/winners_form.h"

namespace quibbly::testing {
namespace {

using namespace Functions;
using Rows = std::vector<std::string>;

std::string Row(const std::string& name, const std::string& level, int guesses) {
    char row[64];
    std::snprintf(row, sizeof row, "%-12s%-6s%3d Guesses  1/2/26", name.c_str(), level.c_str(), guesses);
    return row;
}

Rows FileRows() {
    Rows rows;
    std::string text = ReadBytes(WinnersFile);
    for (std::size_t at = 0, end; (end = text.find("\r\n", at)) != std::string::npos; at = end + 2)
        rows.push_back(text.substr(at, end - at));
    std::sort(rows.begin(), rows.end());
    return rows;
}

class KeepLists : public FreshGame {
protected:
    void SetUp() override {
        FreshGame::SetUp();
        WriteWordFiles();
        Form().Show();
    }
    // 34 rows: 15 of Easy (two of them Medium rows whose names hold "Easy"),
    // 13 of Medium and 6 of Hard; the worst Easy row has 9 guesses.
    Rows WriteFullFile() {
        Rows rows;
        for (int i = 0; i < 13; ++i) rows.push_back(Row("E" + std::to_string(i), "Easy", 3 + i % 7));
        rows.push_back(Row("Easyrider", "Medium", 4));
        rows.push_back(Row("Easton Easy", "Medium", 6));
        for (int i = 0; i < 13; ++i) rows.push_back(Row("M" + std::to_string(i), "Medium", 2 + i));
        for (int i = 0; i < 6; ++i) rows.push_back(Row("H" + std::to_string(i), "Hard", 5 + i));
        WriteLines(WinnersFile, rows);
        std::sort(rows.begin(), rows.end());
        return rows;
    }
    void WinAt(int turn) {
        Form().FileNew.Choose();
        Start("PLANT", 0, 2, true);
        TurnNumber = static_cast<float>(turn);
        Form().TurnLabel.SetCaption(std::to_string(turn));
        Guess(MyWord);
    }
    PlayerForm& Name() { return PlayerForm::Instance(); }
    WinnersForm& Winners() { return WinnersForm::Instance(); }
};

TEST_F(KeepLists, AWinWithTheListOpenKeepsTheLevelsRowsAndOnlyClearDropsThem) {
    const Rows before = WriteFullFile();
    Start("PLANT", 0, 2, true);
    Form().GameWinners.Choose();
    ASSERT_TRUE(Winners().Visible());
    ASSERT_EQ(Winners().WinnersList.ListCount(), 15);
    Guess(MyWord);  // a win in one guess, with the list open
    // The win's reading emptied the window: it closes until the win's list
    // is shown, and an OK now would have no list to write.
    EXPECT_FALSE(Winners().Visible());
    EXPECT_TRUE(Name().Visible());
    EXPECT_FALSE(WriteWinners());
    EXPECT_EQ(FileRows(), before);
    Name().NameText.Type("Zoe\r");
    ASSERT_TRUE(Winners().Visible());
    Form().GameWinners.Choose();  // looked at again before OK: the win still waits to be written
    EXPECT_EQ(Winners().WinnersList.ListCount(), 15);
    Winners().OKButton.Press();
    // Every row stays but the worst Easy row (E6, 9 guesses), pushed out by the win.
    Rows expected = before;
    expected.erase(std::find(expected.begin(), expected.end(), Row("E6", "Easy", 9)));
    expected.push_back("Zoe         Easy    1 Guesses  05/12/2026");
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(FileRows(), expected);

    // Clear in a window that shows the rows drops them, and only them.
    Boxes();
    Form().GameWinners.Choose();
    Winners().ClearButton.Press();
    Winners().OKButton.Press();
    Rows others;
    for (const std::string& row : expected)
        if (row.find("Easy") == std::string::npos) others.push_back(row);
    EXPECT_EQ(FileRows(), others);
}

TEST_F(KeepLists, AWinOfAThousandGuessesOrMoreNeverEntersTheList) {
    Rows rows{Row("Ann", "Easy", 3), Row("Bob", "Easy", 999)};
    WriteLines(WinnersFile, rows);
    WinAt(1000);
    // Not asked for a name: the list is shown as it stands, and stays so.
    EXPECT_FALSE(Name().Visible());
    ASSERT_TRUE(Winners().Visible());
    EXPECT_EQ(Winners().WinnersList.Rows(), rows);
    Winners().OKButton.Press();
    EXPECT_EQ(FileRows(), rows);
    // One guess less still fits the row's three columns.
    Boxes();
    WinAt(999);
    ASSERT_TRUE(Name().Visible());
    Name().NameText.Type("Cy\r");
    EXPECT_EQ(Winners().WinnersList.Rows().back(), "Cy          Easy  999 Guesses  05/12/2026");
}

}  // namespace
}  // namespace quibbly::testing
