// SPDX-License-Identifier: GPL-3.0-or-later
// Whole turns as a player plays them: guesses, answers, the wins, play again and Quit.
#include <algorithm>
#include <bitset>
#include <cstdio>
#include <random>
#include <set>

#include "support/fresh_game.h"
#include "windows/records/player_form.h"
#include "windows/records/winners_form.h"

namespace quibbly::testing {
namespace {

using namespace Functions;

class TurnCycle : public FreshGameWith<WriteHouseSeries> {
protected:
    // The computer's list: the base, then the swap words from the first one.
    static constexpr std::initializer_list<double> InFileOrder = {0.0, 0.0};
};

TEST_F(TurnCycle, ComputerFindsTheWordNoLeavesTheBoardThenAnAnagramAndQuit) {
    QuibblyForm& form = Form();
    Start("HOIST", 0, 1, false, InFileOrder);
    EXPECT_EQ(form.MyGuessText.Text(), "HOUSE");
    // Correct Word on a guess that is not the player's word.
    form.CorrectButton.Press();
    Boxes();
    EXPECT_EQ(FirstCount, 3);

    Guess("PLANT");
    Boxes();
    EXPECT_EQ(form.MyGuessText.Text(), "MOUSE");
    form.TwoButton.Press();  // MOUSE gave up H: H is in the player's word
    EXPECT_TRUE(MyLetters == "H" && PossibleLetters.find('H') == std::string::npos);
    Guess("PLANT");
    EXPECT_EQ(form.MyGuessText.Text(), "ROUSE");
    // What a screen reader hears as the focus comes: the guess and the question, then the count given.
    EXPECT_EQ(form.ZeroButton.Description(), "My guess is ROUSE. How many letters did I get right?");
    form.TwoButton.Press();  // H again: known already, not added twice
    EXPECT_EQ(form.YourGuessText.Description(), "ROUSE: 2 letters right. It's Your Turn");
    EXPECT_EQ(MyLetters, "H");
    Guess("PLANT");
    EXPECT_EQ(form.MyGuessText.Text(), "THOSE");
    form.FourButton.Press();  // THOSE brought in T
    EXPECT_EQ(MyLetters, "HT");
    EXPECT_TRUE(form.FaceNeutral.Visible() && !form.FaceSad.Visible());  // two letters known
    Boxes();

    // The computer guesses the player's word and the player presses a count.
    Guess("PLANT");
    Boxes();
    form.MyGuessText.SetText("HOIST");
    form.LetterButton(0).Press();
    form.FiveButton.Press();
    EXPECT_EQ(Boxes(),
              (std::vector<ShownBox>{Plain("Hey, I did guess your word!!", "I win!!"),
                                     Plain("My word was HOUSE", "You had a good word."), PlayAgain}));
    EXPECT_FALSE(GameOn);
    // No: the markers stay usable (the guess and answer controls go as after a win), no new word yet.
    EXPECT_TRUE(form.LetterButton(0).Enabled() && form.WordHint.Enabled());
    EXPECT_EQ(form.LetterButton(0).BackColor(), MarkerRed);
    EXPECT_FALSE(form.GameStart.Enabled() || form.YourWordText.Enabled());
    EXPECT_EQ(form.MyGuessList.ListCount(), 4);

    // A new game: an anagram answered five gives every letter, and Quit shows the word.
    form.FileNew.Choose();
    Start("SHOUT", 0, 1, false, InFileOrder);
    form.MyGuessText.SetText("HOUST");  // an anagram of the player's word
    form.FiveButton.Press();
    EXPECT_TRUE(Boxes().empty());
    EXPECT_EQ(MyLetters, "HOUST");
    EXPECT_TRUE(form.FaceHappy.Visible() && !form.FaceSad.Visible() && !form.FaceNeutral.Visible());

    form.FileQuit.Choose();
    EXPECT_EQ(Boxes(), (std::vector<ShownBox>{Plain("My word was HOUSE", "You quit the game."),
                                              Plain("I had these letters: HOUST", "You quit the game.")}));
    EXPECT_TRUE(GameOn);
    EXPECT_FALSE(form.GuessButton.Enabled() || form.ZeroButton.Enabled() || form.CorrectButton.Enabled());
    EXPECT_TRUE(form.LetterButton(5).Enabled() && form.ResetButton.Enabled());
}

// The letters of a guess found anywhere in a word, by a table of the word's letters.
int LettersFound(const std::string& guess, const std::string& word) {
    std::bitset<26> in;
    for (char letter : word) in.set(static_cast<std::size_t>(letter - 'A'));
    return static_cast<int>(
        std::count_if(guess.begin(), guess.end(), [&](char letter) { return in.test(letter - 'A'); }));
}

// Games of every ending at every level (seed % 3 and seed % 4), each guess and
// answer by the handlers and each count right or wrong at random: every count
// the player reads and the turn counter agree with a count made apart.
using ShippedTurns = FreshGame;  // the word files the game ships

TEST_F(ShippedTurns, EveryCountAndTurnShownInGeneratedGamesIsCountedAgainTheLongWay) {
    CopyShippedWordFiles();
    QuibblyForm& form = Form();
    std::vector<std::string> words;  // the dictionary's words, after its count
    const std::string master = ReadBytes("master.wtf");
    for (std::size_t at = master.find('\n') + 1; at + 5 <= master.size(); at = master.find('\n', at) + 1)
        words.push_back(master.substr(at, 5));
    for (unsigned seed = 1; seed <= 24; ++seed) {
        std::mt19937 random(seed);
        auto pick = [&random](std::size_t below) { return random() % below; };
        const auto [item, level] = form.Levels()[seed % 4];
        item->Choose();
        const std::size_t rounds = 2 + pick(7), ending = seed % 3;  // won, lost, given up
        std::vector<int> best(pick(2) ? 15 : pick(15));  // the level's winners list, full in half the games
        std::string list;
        for (int& guesses : best) {
            char row[64];
            guesses = 1 + static_cast<int>(pick(rounds + (seed % 2 ? 1 : 8)));
            std::snprintf(row, sizeof row, "Pat         %-6s%3d Guesses  1/2/26\r\n", level, guesses);
            list += row;
        }
        WriteBytes("Win.Lst", list);
        auto word = [&] {  // Hard and Expert (seed % 4 of 2 and 3) take words that repeat a letter
            std::string chosen;
            while (chosen.empty() || (seed % 4 < 2 && std::set(chosen.begin(), chosen.end()).size() < 5))
                chosen = words[pick(words.size())];
            return chosen;
        };
        const std::string yours = word();
        for (int n = 0; n < 60; ++n) platform.NextRandom(std::generate_canonical<double, 32>(random));
        Start(yours, static_cast<int>(pick(2)), 2, pick(2) == 0);
        form.LetterButton(7).Press();  // a marker, until the board is cleared
        Boxes();
        for (std::size_t round = 0; GameOn && PlayState != Play::Over; ++round) {
            const std::string turn = std::to_string(1 + round / 2);  // a guess or an answer a round
            EXPECT_EQ(form.TurnLabel.Caption(), turn) << seed << " " << round;
            const bool last = round >= 2 * rounds;
            if (last && ending == 2) {
                form.FileQuit.Choose();
            } else if (PlayState == Play::YourTurn && last && ending == 0) {
                const std::string win = "You guessed my word!!  I had these letters: " + MyLetters;
                Guess(MyWord);
                EXPECT_EQ(Boxes(), std::vector<ShownBox>{Plain(win, "You win!!")});
                const bool better = best.size() < 15 ||
                                    std::stoi(turn) < *std::max_element(best.begin(), best.end());  // named
                EXPECT_EQ(PlayerForm::Instance().Visible(), better);
                if (better) PlayerForm::Instance().NameText.Type("ANN\r");
                best.push_back(std::stoi(turn));  // the list as it is shown: ranked, the best 15 kept
                std::sort(best.begin(), best.end());
                best.resize(std::min<std::size_t>(best.size(), 15));
                std::vector<int> shown;
                for (const std::string& row : WinnersForm::Instance().WinnersList.Rows())
                    shown.push_back(std::stoi(row.substr(18, 3)));
                EXPECT_EQ(shown, best);
                platform.Answer(MsgAnswer::Yes);
                WinnersForm::Instance().OKButton.Press();
                // Yes clears the board for a new word, the computer's list and the letters' markers.
                EXPECT_TRUE(GameOn && form.YourWordText.Enabled() && form.YourWordText.HasFocus() &&
                            form.GameStart.Enabled() && CandidateIndex == "0" &&
                            !form.GuessButton.Enabled() && form.LetterButton(7).BackColor() == MarkerYellow);
                EXPECT_EQ(form.MyGuessList.ListCount() + form.YourGuessList.ListCount(), 0);
                break;
            } else if (PlayState == Play::YourTurn) {
                std::string guess = word();
                while (guess == MyWord) guess = word();
                Guess(guess);
                const std::string row = guess + " -  " + std::to_string(LettersFound(guess, MyWord));
                EXPECT_EQ(Boxes(), std::vector<ShownBox>{Plain(row, "Your Guess")});
                EXPECT_EQ(form.YourGuessList.List(form.YourGuessList.ListIndex()), row);  // added, selected
            } else if (form.MyGuessText.Text() == yours || (last && ending == 1)) {
                form.MyGuessText.SetText(yours);
                platform.Answer(MsgAnswer::No);
                form.CorrectButton.Press();
                EXPECT_EQ(Boxes(), (std::vector<ShownBox>{
                                       Plain("I guessed your word!!", "I win!!"),
                                       Plain("My word was " + MyWord, "You had a good word."), PlayAgain}));
            } else {
                const std::string guess = form.MyGuessText.Text();
                const std::size_t answer = pick(7);  // a count, or 6: Correct Word
                const int found = LettersFound(guess, yours);
                (answer == 6 ? form.CorrectButton : *form.CountButtons()[answer]).Press();
                const ShownBox told =
                    Warn("There were " + std::to_string(found) + " letters that matched.",
                         answer == 6 ? "I didn't guess your word" : "Not the correct count");
                EXPECT_EQ(Boxes(), static_cast<int>(answer) == found ? std::vector<ShownBox>{}
                                                                     : std::vector<ShownBox>{told});
                EXPECT_EQ(form.MyGuessList.List(form.MyGuessList.ListCount() - 1),
                          guess + " - " + std::to_string(found));
            }
        }
        form.FileNew.Choose();
    }
}

}  // namespace
}  // namespace quibbly::testing
