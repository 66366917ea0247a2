// SPDX-License-Identifier: GPL-3.0-or-later
// A saved game goes on exactly as the game would have gone without the save,
// on the shipped word files: saved at every move of whole games at each
// level and loaded into a fresh run, it makes the same computer proposals to
// the end, and saving it at once gives the same bytes. A level line that
// names no level is refused.
#include <filesystem>
#include <set>

#include "records/saved_game.h"
#include "support/fresh_game.h"
#include "windows/other/game_form.h"

namespace quibbly::testing {
namespace {

using namespace Functions;
using Lines = std::vector<std::string>;

class KeepExact : public FreshGame {
protected:
    void SetUp() override {
        FreshGame::SetUp();
        CopyShippedWordFiles();
    }
    void UseWindow(MenuItem& item, const std::string& name) {
        item.Choose();
        GameForm::Instance().FileText.SetText(name);
        GameForm::Instance().LoadButton.Press();
    }
    // One move of a player who answers truly and guesses words that are not
    // the computer's; what the board and the messages show after it, or
    // nothing at the end.
    std::string Move() {
        static const char* const guesses[] = {"CRANE", "GHOST", "PLUMB", "FJORD", "WALTZ"};
        QuibblyForm& f = Form();
        if (!GameOn) return "";
        if (f.ZeroButton.Enabled()) {
            const std::string guess = f.MyGuessText.Text();
            if (guess == f.YourWordText.Text())
                f.CorrectButton.Press();
            else
                f.CountButtons()[static_cast<std::size_t>(MatchCount(guess, f.YourWordText.Text()))]->Press();
        } else {
            Guess(guesses[f.YourGuessList.ListCount() % 5]);
        }
        std::string shown = f.WhoLabel.Caption() + " " + f.TurnLabel.Caption() + " " + f.MyGuessText.Text();
        for (const ShownBox& box : Boxes()) shown += " | " + box.title + ": " + box.text;
        return shown;
    }
};

TEST_F(KeepExact, AGameSavedAtAnyMoveGoesOnAsItWouldHaveAndSavesTheSameBytes) {
    struct Game {
        MenuItem QuibblyForm::*level;
        const char* word;
        int wordsInLevel;
        bool playerFirst;
    };
    const Game games[] = {{&QuibblyForm::LevelEasy, "SHOUT", 1359, true},
                          {&QuibblyForm::LevelMedium, "PLUMB", 419, false},
                          {&QuibblyForm::LevelHard, "NYMPH", 1364, true}};
    std::set<std::string> kinds;  // the kinds of save points met
    for (const Game& game : games) {
        Restart();
        (Form().*game.level).Choose();
        Start(game.word, 0, game.wordsInLevel, game.playerFirst);
        Boxes();
        // The game played through once, saved before every move.
        struct Point {
            std::string file;
            double clock;
            std::size_t move;
        };
        std::vector<Point> points;
        Lines moves;
        Lines states;  // the game after each move
        for (int k = 0; GameOn && k < 200; ++k) {
            const std::string file = "move" + std::to_string(k) + ".swg";
            UseWindow(Form().FileSave, file);
            points.push_back({file, platform.clock, moves.size()});
            const long position = std::stol(CandidateIndex);
            kinds.insert(Form().WhoLabel.Caption() + (position > 1 ? " >1" : " " + CandidateIndex));
            if (FromMaster) kinds.insert("dictionary list");
            moves.push_back(Move());
            states.push_back(SavedGame::Format(SavedGame::Capture()));
        }
        ASSERT_FALSE(GameOn) << "the computer did not find " << game.word;

        for (const Point& point : points) {
            SCOPED_TRACE(point.file);
            Restart();
            platform.clock = point.clock;
            UseWindow(Form().FileLoad, point.file);
            EXPECT_TRUE(Boxes().empty());
            UseWindow(Form().FileSave, "again.swg");
            EXPECT_EQ(ReadBytes("again.swg"), ReadBytes(point.file));
            // The next moves (as many as a few rounds of both sides) go as they went.
            const std::size_t last = std::min(point.move + 8, moves.size());
            for (std::size_t move = point.move; move < last; ++move) {
                EXPECT_EQ(Move(), moves[move]) << "move " << move;
                EXPECT_EQ(SavedGame::Format(SavedGame::Capture()), states[move]) << "move " << move;
            }
        }
    }
    // Both turns, positions 0, 1 and beyond, and a list from the dictionary.
    for (const char* kind :
         {"It's Your Turn 0", "It's Your Turn >1", "It's My Turn 1", "It's My Turn >1", "dictionary list"})
        EXPECT_TRUE(kinds.count(kind)) << kind;
}

TEST_F(KeepExact, ALevelLineThatNamesNoLevelIsRefusedAndTheBoardStays) {
    Start("SHOUT", 0, 1359, true);
    UseWindow(Form().FileSave, "good.swg");
    const std::string good = ReadBytes("good.swg");
    Guess("CRANE");
    Boxes();
    const std::string before = SavedGame::Format(SavedGame::Capture());
    for (const char* level : {"a", "", "easy", "Easy Medium"}) {
        std::string odd = good;
        odd.replace(odd.find("\r\nEasy\r\n"), 8, std::string("\r\n") + level + "\r\n");
        WriteBytes("odd.swg", odd);
        UseWindow(Form().FileLoad, "odd.swg");
        const std::vector<ShownBox> boxes = Boxes();
        ASSERT_EQ(boxes.size(), 1u) << level;
        EXPECT_EQ(boxes[0].title, "Load Game");
        EXPECT_EQ(boxes[0].icon, MsgIcon::Exclamation);
        EXPECT_NE(
            boxes[0].text.find("odd.swg\" cannot be loaded: line 3 names no level (it must be Easy, Medium "
                               "or Hard)."),
            std::string::npos)
            << boxes[0].text;
        EXPECT_EQ(SavedGame::Format(SavedGame::Capture()), before);
        EXPECT_EQ(Form().MyGuessText.Text().size(), 5u);
    }
}

}  // namespace
}  // namespace quibbly::testing
