// SPDX-License-Identifier: GPL-3.0-or-later
// Whole games against the Expert computer through the main window on the
// shipped files: after every turn its possible words are exactly the
// dictionary words that give every true count so far (a wrong count is
// corrected and the game goes on with the true one), and it names the
// player's word within 16 guesses.
#include <algorithm>

#include "engine/expert_guesser.h"
#include "support/fresh_game.h"

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
    int corrected = 0;
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
            const int count = MatchCount(guess, secret);
            Boxes();
            if (guess == secret) {
                form.CorrectButton.Press();
                break;
            }
            const bool lie = guesses % 3 == 0;
            form.CountButtons()[static_cast<std::size_t>(lie ? (count + 1) % 5 : count)]->Press();
            if (lie) {
                EXPECT_EQ(Boxes().front(), Warn("There were" + NumberText(count) + " letters that matched.",
                                                "Not the correct count"));
                ++corrected;
            }
            EXPECT_EQ(form.MyGuessList.Rows().back(), guess + " -" + NumberText(count));
            Guess(MyWord == "CRANE" ? "PLOTS" : "CRANE");  // a miss
        }
        EXPECT_EQ(PlayState, Play::Over);
        EXPECT_LE(guesses, 16);
    }
    EXPECT_GT(corrected, 5);
}

// The tree tool weighs the guesses that playing out ranks by the costs the
// ranking gives: each must be what the games really cost when every word of
// the dictionary is played with that first guess and the greedy rule after.
TEST_F(ExpertGames, RankedCostsAreTheGuessesOfTheGamesPlayedOut) {
    CopyShippedWordFiles();
    std::vector<std::string> words;
    {
        const std::string master = ReadBytes("master.wtf");
        int line = 0;
        for (std::size_t at = master.find('\n') + 1; at + 5 <= master.size(); at = master.find('\n', at) + 1)
            if (line++ % 20 == 0) words.push_back(master.substr(at, 5));
    }
    const Expert::Guesser ranking(words, {.width = 6, .playOutBelow = 1000, .useTree = false});
    const Expert::Guesser greedy(words, {.width = 0, .useTree = false});
    EXPECT_FALSE(ranking.TreeInUse());
    std::vector<int> all(words.size());
    for (std::size_t i = 0; i < all.size(); ++i) all[i] = static_cast<int>(i);
    const std::vector<std::pair<int, long>> ranked = ranking.Ranked(all, 0);
    ASSERT_GE(ranked.size(), 3u);
    EXPECT_EQ(ranked.front().first, ranking.Choose(all, 0).word);
    for (std::size_t i = 0; i < 3; ++i) {
        const std::string first = words[static_cast<std::size_t>(ranked[i].first)];
        SCOPED_TRACE(first);
        if (i > 0) {
            EXPECT_LE(ranked[i - 1].second, ranked[i].second);
        }
        long total = 0;
        for (const std::string& secret : words) {
            Expert::History history;
            std::string guess = first;
            while (guess != secret && history.size() < 30) {
                history.push_back({guess, Expert::Guesser::Count(guess, secret)});
                guess = greedy.NextGuess(history).guess;
            }
            total += static_cast<long>(history.size()) + 1;
        }
        EXPECT_EQ(total, ranked[i].second);
    }
}

}  // namespace
}  // namespace quibbly::testing
