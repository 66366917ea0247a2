// SPDX-License-Identifier: GPL-3.0-or-later
// Damaged saved games and winners lists, made from ones the game wrote: a
// saved game is refused with a message that names it and the board stays as
// it was, or it loads and the game plays on; a winners list that cannot be
// read is named and left as it was, and one that can always ranks a win and
// writes back a list that reads again. Nothing is changed on the disk but by
// the winners window's OK.
#include <fstream>
#include <iostream>
#include <iterator>

#include "records/saved_game.h"
#include "records/winners_list.h"
#include "reliability/damaged_files.h"
#include "windows/other/game_form.h"
#include "windows/other/player_form.h"
#include "windows/other/winners_form.h"

namespace quibbly::testing {
namespace {

using namespace Functions;

std::vector<std::string> LinesOf(const std::string& bytes) {
    std::vector<std::string> lines;
    for (std::size_t start = 0; start < bytes.size();) {
        std::size_t end = bytes.find('\n', start);
        if (end == std::string::npos) end = bytes.size();
        std::string line = bytes.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

class DamagedRecords : public FreshGame {
protected:
    void SetUp() override {
        FreshGame::SetUp();
        WriteWordFiles();
        Start("SHOUT", 1, 3, true, {0.0, 0.0});  // the computer holds PLANT
        Guess("CRISP");
        Form().TwoButton.Press();
        Boxes();
    }
    void Guess(const std::string& word) {
        Form().YourGuessText.SetText(word);
        Form().GuessButton.Press();
    }
    // What a player sees of the game.
    std::vector<std::string> Board() {
        QuibblyForm& form = Form();
        std::vector<std::string> board{MyWord, form.TurnLabel.Caption(), form.WhoLabel.Caption(),
                                       form.GameLabel.Caption(), form.MyGuessText.Text()};
        for (const ListBox* list : {&form.YourGuessList, &form.MyGuessList})
            board.insert(board.end(), list->Rows().begin(), list->Rows().end());
        for (int i = 0; i < 26; ++i) board.push_back(std::to_string(form.LetterButton(i).BackColor()));
        return board;
    }
    bool Put(const std::string& name, const Damaged& damage) {
        if (PutInPlace(name, damage)) return true;
        std::cout << "[   NOTE   ] " << name << " " << damage.what
                  << ": not tried, the superuser reads every file\n";
        return false;
    }
};

TEST_F(DamagedRecords, ADamagedSavedGameIsRefusedByNameAndTheGameGoesOn) {
    QuibblyForm& form = Form();
    form.LetterButton(2).Press();
    ASSERT_TRUE(SavedGame::SaveGame("good.swg"));
    std::ifstream saved("good.swg", std::ios::binary);
    const std::vector<std::string> good = LinesOf(std::string(std::istreambuf_iterator<char>(saved), {}));
    ASSERT_GT(good.size(), 40u);
    const std::string last = std::to_string(good.size());
    // The lines that hold numbers: the counter, the tuning, the three counts.
    const std::size_t yours = 10, mine = 11 + std::stoul(good[10]),
                      candidates = mine + 1 + std::stoul(good[mine]);

    std::vector<std::pair<Damaged, std::string>> table;  // the fault named; "": the game loads
    for (const Damaged& damage : CommonDamage(good)) {
        std::string fault;
        if (damage.what == "empty") fault = "it ends early: line 1 is missing";
        if (damage.what.starts_with("cut after"))
            fault = "it ends early: line " + std::to_string(damage.linesKept + 1) + " is missing";
        // A last line may lack its line end, so a cut within the last colour
        // reads as a shorter number: the game loads with that marker changed.
        if (damage.what == "cut within the last line") fault = "";
        if (damage.what == "missing") fault = "there is no such file";
        if (damage.what == "a folder in its place") fault = "it is a folder";
        if (damage.what == "unreadable") fault = "it cannot be opened for reading";
        // Noise and a huge line push every later value down a line: the
        // file ends before its last colour, or a count reads as none.
        if (damage.what == "binary noise" || damage.what == "a huge second line") fault = "?";
        table.emplace_back(damage, fault);
    }
    auto lie = [&](std::size_t line, const std::string& text, const std::string& fault) {
        std::vector<std::string> lines = good;
        lines[line] = text;
        table.push_back(
            {{"line " + std::to_string(line + 1) + " " + text, Harm::Bytes, Joined(lines)}, fault});
    };
    const std::string at = "line " + std::to_string(yours + 1);
    lie(yours, " -1 ", at + " holds a negative count of rows");
    lie(yours, " 99999999999999999999 ", at + " counts more rows than the game can hold (32767)");
    lie(yours, " 5 ", "?");  // counts that lie shift the rest
    lie(candidates, " 201 ",
        "line " + std::to_string(candidates + 1) + " counts more candidates than the game can hold (200)");
    // Fewer candidates than listed: the rest read as colours (a word reads
    // as 0) and the lines left over are not read; the game loads.
    lie(candidates, " 0 ", "");
    lie(0, " 1e308 ", "");  // the counter reads as 1
    lie(0, " -99999999999999999999 ", "line 1 holds a turn number too large for its field");
    lie(8, " 32768 ", "line 9 holds a number too large for its field");
    lie(good.size() - 1, " -2147483649 ", "line " + last + " holds a number too large for its field");
    ASSERT_GE(table.size(), 50u);

    GameForm& window = GameForm::Instance();
    for (const auto& [damage, fault] : table) {
        SCOPED_TRACE("saved game " + damage.what);
        if (!Put("damaged.swg", damage)) continue;
        const std::vector<std::string> before = Board();
        const auto files = FolderSnapshot();
        form.FileLoad.Choose();
        window.FileText.SetText("damaged.swg");
        window.LoadButton.Press();
        const std::vector<ShownBox> boxes = Boxes();
        EXPECT_EQ(FolderSnapshot(), files);
        if (fault.empty()) {
            EXPECT_TRUE(boxes.empty());
        } else {
            ASSERT_EQ(boxes.size(), 1u);
            const std::string named =
                "The game in \"" + (folder / "damaged.swg").string() + "\" cannot be loaded: ";
            if (fault == "?")
                EXPECT_TRUE(boxes[0].text.starts_with(named)) << boxes[0].text;
            else
                EXPECT_EQ(boxes[0], Warn(named + fault + ".", "Load Game"));
            EXPECT_EQ(Board(), before);
        }
        // The good game loads over whatever came of it, and plays on.
        form.FileLoad.Choose();
        window.FileText.SetText("good.swg");
        window.LoadButton.Press();
        Guess("BLIMP");
        EXPECT_EQ(Boxes().at(0).title, "Your Guess");
        RemoveDamage("damaged.swg");
    }
}

TEST_F(DamagedRecords, ADamagedWinnersListIsNamedWhenUnreadableAndOtherwiseRanksTheWin) {
    QuibblyForm& form = Form();
    std::vector<std::string> good;
    for (int i = 0; i < 15; ++i) {
        char row[64];
        std::snprintf(row, sizeof row, "%-12s%-6s%3d Guesses  05/12/2026",
                      ("Player" + std::to_string(i)).c_str(), i % 3 == 0 ? "Hard" : "Easy", 3 + i);
        good.push_back(row);
    }
    std::vector<Damaged> table = CommonDamage(good);
    // Keys that no win of this game writes: negative, past three digits,
    // none at all, and more rows of the level than a list keeps.
    for (const char* key : {" -5", "999", "1e9", "   ", "-99999"}) {
        std::vector<std::string> lines = good;
        lines[4].replace(18, 3, std::string(key).substr(0, 3));
        table.push_back({std::string("key ") + key, Harm::Bytes, Joined(lines)});
    }
    std::vector<std::string> crowded = good;
    for (int i = 0; i < 20; ++i) crowded.push_back("Nobody      Easy  ??? Guesses  05/12/2026");
    table.push_back({"twenty rows without a number", Harm::Bytes, Joined(crowded)});
    // Found by the fuzzer: a full list whose keys are all 0 is not an empty one.
    table.push_back({"fifteen rows without a number", Harm::Bytes,
                     Joined(std::vector<std::string>(15, "Nobody      Easy  ??? Guesses  05/12/2026"))});
    ASSERT_GE(table.size(), 25u);

    for (const Damaged& damage : table) {
        SCOPED_TRACE("Win.Lst " + damage.what);
        if (!Put(WinnersFile, damage)) continue;
        const auto files = FolderSnapshot();
        // The player wins the game on the board at turn 2.
        Guess(MyWord);
        std::vector<ShownBox> boxes = Boxes();
        ASSERT_GE(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].title, "You win!!");
        EXPECT_EQ(FolderSnapshot(), files) << "the win changed a file before OK";
        const bool unreadable = damage.harm == Harm::Folder || damage.harm == Harm::Unreadable ||
                                damage.what == "a huge second line";
        if (unreadable) {
            ASSERT_EQ(boxes.size(), 2u);
            EXPECT_EQ(boxes[1].title, "Winners List");
            EXPECT_NE(boxes[1].text.find("\"Win.Lst\" cannot be read"), std::string::npos) << boxes[1].text;
        } else {
            EXPECT_EQ(boxes.size(), 1u);
        }
        PlayerForm& name = PlayerForm::Instance();
        const bool asked = name.Visible();
        if (asked) name.NameText.Type("Winner\r");
        WinnersForm::Instance().OKButton.Press();
        boxes = Boxes();
        EXPECT_EQ(boxes.back(), Question("Would you like to play again?"));
        if (unreadable) {
            EXPECT_EQ(FolderSnapshot(), files) << "a list that could not be read was written";
        } else {
            // Written back whole: it reads again without a fault, and a win
            // that asked for a name is in it.
            std::ifstream in(WinnersFile, std::ios::binary);
            const std::string written(std::istreambuf_iterator<char>(in), {});
            EXPECT_EQ(asked, written.find("Winner") != std::string::npos);
            EXPECT_TRUE(asked || damage.what.ends_with("rows without a number"))
                << "a short list refused a win";
            form.GameWinners.Choose();
            EXPECT_TRUE(Boxes().empty());
            WinnersForm::Instance().OKButton.Press();
        }
        Boxes();
        RemoveDamage(WinnersFile);
        // A new game to win at the next row.
        form.FileNew.Choose();
        Start("SHOUT", 1, 3, true, {0.0, 0.0});
        Guess("CRISP");
        form.TwoButton.Press();
        Boxes();
    }
}

}  // namespace
}  // namespace quibbly::testing
