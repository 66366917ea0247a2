// SPDX-License-Identifier: GPL-3.0-or-later
// Whole games against the Expert computer through the main window on the
// shipped files: after every turn its possible words are exactly the
// dictionary words that give every true count so far (a wrong count is
// corrected and the game goes on with the true one), and it names the
// player's word within 16 guesses.
#include <algorithm>

#include "engine/expert_guesser.h"
#include "support/fresh_game.h"
#include "windows/frame/thinking_form.h"

namespace quibbly::testing {
namespace {

using namespace Functions;

class ExpertGames : public FreshGame {};

TEST_F(ExpertGames, EveryTurnKeepsExactlyTheWordsThatFitAndFindsEveryKindOfWord) {
    CopyShippedWordFiles();
    std::vector<std::string> words;
    {
        const std::string master = ReadBytes("master.wtf");
        for (std::size_t at = master.find('\n') + 1; at + 5 <= master.size(); at = master.find('\n', at) + 1)
            words.push_back(master.substr(at, 5));
    }
    const Expert::Guesser guesser(words);
    EXPECT_TRUE(guesser.TreeInUse());  // without its tree it would be weaker and slower than measured
    QuibblyForm& form = Form();
    // The first and last words, repeated letters, and the largest sets of
    // words that share their letters (AEST and AEPRS, ten words each).
    for (const std::string& secret :
         {words.front(), words[words.size() / 3], words.back(), std::string("EERIE"), std::string("TESTA"),
          std::string("SPARE"), std::string("ABACA")}) {
        SCOPED_TRACE(secret);
        form.FileNew.Choose();
        form.LevelExpert.Choose();
        Start(secret, 0, 2, false);  // the computer guesses first
        int guesses = 1;
        for (; PlayState == Play::MyTurn && guesses <= 16; ++guesses) {
            Expert::History history;
            for (const std::string& row : form.MyGuessList.Rows())
                history.push_back({row.substr(0, 5), row.back() - '0'});
            std::vector<int> fit;  // a brute force: every word that scores every count, not yet guessed
            for (int w = 0; w < static_cast<int>(words.size()); ++w)
                if (std::all_of(history.begin(), history.end(), [&](const Expert::Turn& t) {
                        return t.guess != words[w] && MatchCount(t.guess, words[w]) == t.count;
                    }))
                    fit.push_back(w);
            ASSERT_EQ(guesser.Possible(history), fit);
            const std::string guess = form.MyGuessText.Text();
            ASSERT_EQ(std::count(words.begin(), words.end(), guess), 1);
            EXPECT_FALSE(ThinkingForm::Instance().Visible());
            const int count = MatchCount(guess, secret);
            Boxes();
            if (guess == secret) {
                form.CorrectButton.Press();
                break;
            }
            // Every third count is wrong: the true one is kept.
            form.CountButtons()[static_cast<std::size_t>(guesses % 3 == 0 ? (count + 1) % 5 : count)]
                ->Press();
            EXPECT_EQ(form.MyGuessList.Rows().back(), guess + " -" + NumberText(count));
            Guess(MyWord == "CRANE" ? "PLOTS" : "CRANE");  // a miss
        }
        EXPECT_EQ(PlayState, Play::Over);
        EXPECT_LE(guesses, 16);
    }
}

}  // namespace
}  // namespace quibbly::testing
