// SPDX-License-Identifier: GPL-3.0-or-later
// The Expert computer plays whole games on the shipped dictionary: after every
// turn its possible words are exactly the dictionary words that give every
// count so far, and it names the player's word within 16 guesses.
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>

#include <gtest/gtest.h>

#include "engine/expert_guesser.h"
#include "engine/functions.h"

namespace quibbly::testing {
namespace {

std::vector<std::string> ShippedDictionary() {
    const char* set = std::getenv("QUIBBLY_DATA_DIR");
    const std::filesystem::path data = set != nullptr && *set != '\0' ? set : QUIBBLY_DATA_DIR;
    std::ifstream in(data / "master.wtf", std::ios::binary);
    std::string line;
    std::getline(in, line);
    const int count = std::atoi(line.c_str());
    std::vector<std::string> words;
    while (std::getline(in, line)) words.push_back(line.substr(0, 5));
    EXPECT_EQ(static_cast<int>(words.size()), count);
    return words;
}

// The words the player's word can be, by the game's own count.
std::vector<int> Filter(const std::vector<std::string>& words, const Expert::History& history) {
    std::vector<int> left;
    for (std::size_t w = 0; w < words.size(); ++w) {
        bool fits = true;
        for (const Expert::Turn& turn : history)
            if (turn.guess == words[w] || Functions::MatchCount(turn.guess, words[w]) != turn.count)
                fits = false;
        if (fits) left.push_back(static_cast<int>(w));
    }
    return left;
}

TEST(ExpertGuesser, FindsEveryKindOfWordOnTheShippedDictionaryKeepingExactlyTheWordsThatFit) {
    const std::vector<std::string> words = ShippedDictionary();
    const Expert::Guesser guesser(words);
    // Without its tree the computer would be weaker and slower than measured.
    EXPECT_TRUE(guesser.TreeInUse());

    // The first and last words, repeated letters, and the largest sets of
    // words that share their letters (AEST and AEPRS, ten words each).
    const std::vector<std::string> secrets = {
        words.front(), words[words.size() / 3], words.back(), "EERIE", "TESTA", "SPARE", "PARES", "ABACA"};
    for (const std::string& secret : secrets) {
        SCOPED_TRACE(secret);
        const auto index = static_cast<int>(std::find(words.begin(), words.end(), secret) - words.begin());
        ASSERT_LT(index, static_cast<int>(words.size()));
        Expert::History history;
        std::set<std::string> guessed;
        bool named = false;
        while (!named && history.size() < 16) {
            const Expert::Choice choice = guesser.NextGuess(history);
            ASSERT_GE(choice.word, 0);
            EXPECT_EQ(choice.guess, words[static_cast<std::size_t>(choice.word)]);
            EXPECT_TRUE(guessed.insert(choice.guess).second) << choice.guess << " guessed again";
            // The journal's line names the guess and how many words could be the player's.
            EXPECT_NE(choice.reason.find(choice.guess), std::string::npos) << choice.reason;
            EXPECT_EQ(choice.possible, static_cast<int>(Filter(words, history).size()));
            named = choice.guess == secret;
            history.push_back({choice.guess, Functions::MatchCount(choice.guess, secret)});
            const std::vector<int> possible = guesser.Possible(history);
            EXPECT_EQ(possible, Filter(words, history));
            if (!named) {
                EXPECT_TRUE(std::binary_search(possible.begin(), possible.end(), index));
            }
        }
        EXPECT_TRUE(named) << "not named in 16 guesses";

        // A game saved after a few turns goes on exactly: a guesser built
        // afresh gives the same guess for the same past.
        const Expert::History saved(history.begin(), history.begin() + static_cast<long>(history.size() / 2));
        EXPECT_EQ(Expert::Guesser(words).NextGuess(saved).guess, guesser.NextGuess(saved).guess);
    }

    // Counts no word gives leave nothing to guess, and say so.
    const Expert::Choice none = guesser.NextGuess({{"ABACA", 0}, {"CABAL", 5}});
    EXPECT_EQ(none.word, -1);
    EXPECT_EQ(none.possible, 0);
    EXPECT_FALSE(none.reason.empty());
}

}  // namespace
}  // namespace quibbly::testing
