// SPDX-License-Identifier: GPL-3.0-or-later
// Whole games against the Expert computer through the main window on the
// shipped files: after every turn its possible words are exactly the
// dictionary words that give every true count so far (a wrong count is
// corrected and the game goes on with the true one), and it names the
// player's word within 16 guesses.
#include <algorithm>
#include <array>
#include <cstdio>

#include "engine/expert_guesser.h"
#include "records/journal.h"
#include "support/fresh_game.h"
#include "windows/frame/thinking_form.h"

namespace quibbly::testing {
namespace {

using namespace Functions;

class ExpertGames : public FreshGame {};

TEST_F(ExpertGames, EveryTurnKeepsExactlyTheWordsThatFitAndFindsEveryKindOfWord) {
    CopyShippedWordFiles();
    std::vector<std::string> shipped;
    {
        const std::string master = ReadBytes("master.wtf");
        for (std::size_t at = master.find('\n') + 1; at + 5 <= master.size(); at = master.find('\n', at) + 1)
            shipped.push_back(master.substr(at, 5));
    }
    // The first and last words, repeated letters, and the largest sets of
    // words that share their letters (AEST and AEPRS, ten words each).
    const std::vector<std::string> secrets = {
        shipped.front(), shipped[shipped.size() / 3], shipped.back(), "EERIE", "TESTA", "SPARE", "ABACA"};
    QuibblyForm& form = Form();
    // The shipped dictionary, played by the tree; then another (every tenth
    // word, the player's words and guesses), played by the greedy rule.
    for (const bool tree : {true, false}) {
        std::vector<std::string> words = shipped;
        if (!tree) {
            words = secrets;
            for (const char* guess : {"CRANE", "PLOTS"}) words.push_back(guess);
            for (std::size_t w = 0; w < shipped.size(); w += 10) words.push_back(shipped[w]);
            std::sort(words.begin(), words.end());
            words.erase(std::unique(words.begin(), words.end()), words.end());
            std::vector<std::string> file = {std::to_string(words.size())};
            file.insert(file.end(), words.begin(), words.end());
            WriteLines("master.wtf", file);
        }
        const Expert::Guesser guesser(words);
        EXPECT_EQ(guesser.TreeInUse(), tree);  // without its tree it would be weaker and slower than measured
        for (const std::string& secret : secrets) {
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
                // What it knows of the letters (the markers, the journal, a save): in
                // every word that fits, and in some but not all.
                std::string known, maybe;
                for (char letter = 'A'; letter <= 'Z'; ++letter) {
                    const auto holds = [&](int w) { return words[w].find(letter) != std::string::npos; };
                    if (std::all_of(fit.begin(), fit.end(), holds))
                        known += letter;
                    else if (std::any_of(fit.begin(), fit.end(), holds))
                        maybe += letter;
                }
                if (!history.empty()) {
                    EXPECT_EQ(MyLetters + "|" + PossibleLetters, known + "|" + maybe);
                }
                // The words a guess leaves summed over the counts, squared.
                const auto squares = [&](const std::string& guess) {
                    std::array<double, 6> left{};
                    for (int w : fit)
                        if (words[w] != guess) ++left[static_cast<std::size_t>(MatchCount(guess, words[w]))];
                    double sum = 0;
                    for (double n : left) sum += n * n;
                    return sum;
                };
                const std::string guess = form.MyGuessText.Text();
                ASSERT_EQ(std::count(words.begin(), words.end(), guess), 1);
                EXPECT_FALSE(ThinkingForm::Instance().Visible());
                if (!tree) {
                    // The fewest words left on average; among equals a word that
                    // could be yours, then the first. A single letter set: its first word.
                    std::string greedy = words[fit.front()];
                    const auto set = [&](int w) {
                        std::string letters = words[w];
                        std::sort(letters.begin(), letters.end());
                        return std::string(letters.begin(), std::unique(letters.begin(), letters.end()));
                    };
                    if (std::any_of(fit.begin(), fit.end(),
                                    [&](int w) { return set(w) != set(fit.front()); })) {
                        double best = -1;
                        bool bestFits = false;
                        for (int w = 0; w < static_cast<int>(words.size()); ++w) {
                            const double sum = squares(words[w]);
                            const bool fits = std::binary_search(fit.begin(), fit.end(), w);
                            if (best < 0 || sum < best || (sum == best && fits && !bestFits))
                                best = sum, bestFits = fits, greedy = words[w];
                        }
                    }
                    EXPECT_EQ(guess, greedy);
                }
                // Its reason in the journal: the words possible, and the words
                // the guess leaves on average.
                char average[16];
                std::snprintf(average, sizeof average, squares(guess) / fit.size() < 10 ? "%.1f" : "%.0f",
                              squares(guess) / fit.size());
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
                const std::vector<Journal::Note>& notes = MyJournal.back().notes;
                EXPECT_TRUE(std::any_of(notes.begin(), notes.end(), [&](const Journal::Note& n) {
                    return n.kind == Journal::Note::Kind::Weighed &&
                           n.number == static_cast<int>(fit.size()) && n.other == average;
                })) << Journal::Format(MyJournal.back());
                Guess(MyWord == "CRANE" ? "PLOTS" : "CRANE");  // a miss
            }
            EXPECT_EQ(PlayState, Play::Over);
            EXPECT_LE(guesses, 16);
        }
    }
}

}  // namespace
}  // namespace quibbly::testing
