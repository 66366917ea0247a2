// SPDX-License-Identifier: GPL-3.0-or-later
// The review of the player's guesses: by hand, and against a brute force.
#include "records/game_review.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <random>
#include <tuple>

#include "support/fresh_game.h"

namespace quibbly::testing {
namespace {

using GameReview::PlayerRow;
using GameReview::Words;
using Game = std::vector<GameHistory::Guess>;
using Row =
    std::tuple<std::string, int, double, std::string, double>;  // guess, possible, leaves, best, bestLeaves

std::vector<Row> Rows(const GameReview::PlayerReview& review) {
    std::vector<Row> rows;
    for (const PlayerRow& row : review.rows)
        rows.emplace_back(row.guess, row.possible, row.leaves, row.best, row.bestLeaves);
    return rows;
}

// A word outside the level: nothing fits it after EGQRS (2 + 2; EFFQR 1 + 1 + 2), so no best guess is named.
TEST(GameReviewTest, AWordOutsideTheLevelLeavesNoWordToFit) {
    Words words{{"ABCDE", "ABCDF", "ABCDG", "ABCDH"},
                {"EQRST", "ABCDE", "EGQRS", "FHQRS", "EFFQR", "EEFQS", "ABCDF", "ABCDG", "ABCDH"}};
    words.repeatsAllowed = true;
    EXPECT_EQ(Rows(GameReview::ReviewPlayer(words, {{"EGQRS", 3}, {"PQRST", 5}}, "PQRST")),
              (std::vector<Row>{{"EGQRS", 0, 2.0, "EFFQR", 1.5}, {"PQRST", 0, 0.0, "", 0.0}}));
    // Words no count tells apart, neither a guess: the best guess is still one not made.
    words = {{"ABCDE", "BACDE"}, {"PQRSU", "VWXYZ"}};
    EXPECT_EQ(GameReview::ReviewPlayer(words, {{"PQRSU", 0}, {"PQRSU", 0}}, "ABCDE").rows.back().best,
              "VWXYZ");
}

using GameReviewShipped = FreshGame;

TEST_F(GameReviewShipped, GamesAtEachLevelAgreeWithABruteForceCount) {
    CopyShippedWordFiles();
    std::mt19937 random(2026);
    int luckyOrNot = 0;
    for (const std::string level : {"Easy", "Medium", "Hard", "Hard again"}) {
        // Again at Hard: the same letters twice, a word guessed again, a last guess that is sure.
        const bool again = level == "Hard again";
        Words words;
        std::string fault;
        ASSERT_TRUE(GameReview::LoadWords(again ? "Hard" : level, words, fault)) << fault;
        const bool hard = level.starts_with("Hard");
        auto accepted = [&](const std::string& word) { return hard || Functions::PairCount(word) == 5; };
        const std::string myWord = again ? "RETRO" : words.level[random() % words.level.size()];
        Game game;
        for (const std::string word : {"OTTER", "TORTE", "CAVED", "GUMBO", "OTTER"})
            if (again) game.push_back({word, Functions::MatchCount(word, myWord)});
        while (game.size() < 10 && !again) {
            const std::string& word = words.dictionary[random() % words.dictionary.size()];
            if (accepted(word)) game.push_back({word, Functions::MatchCount(word, myWord)});
        }
        game.push_back({myWord, 5});
        const GameReview::PlayerReview review = GameReview::ReviewPlayer(words, game, myWord);
        ASSERT_EQ(review.rows.size(), game.size());

        std::vector<std::string> fitting = words.level;  // before each guess, none guessed before
        auto leaves = [&](const std::string& guess) {    // the guess itself leaves none, if it is the word
            std::map<int, double> groups;
            for (const std::string& word : fitting)
                if (word != guess) ++groups[Functions::MatchCount(guess, word)];
            double sum = 0;
            for (const auto& [count, size] : groups) sum += size * size;
            return sum / static_cast<double>(fitting.size());
        };
        for (std::size_t i = 0; i < game.size(); ++i) {
            const PlayerRow& row = review.rows[i];
            SCOPED_TRACE(level + " guess " + std::to_string(i + 1) + " " + game[i].word);
            auto guessed = [&](const std::string& word) {
                return std::any_of(game.begin(), game.begin() + static_cast<long>(i),
                                   [&](const GameHistory::Guess& before) { return before.word == word; });
            };
            EXPECT_FALSE(guessed(row.best));
            const double own = leaves(game[i].word);
            EXPECT_DOUBLE_EQ(row.leaves, own);
            EXPECT_LE(row.bestLeaves, own + 1e-9);
            if (fitting.size() <= 200) {  // the whole search where it is quick, by both ways of weighing
                std::string best;
                double least = 0;
                bool bestFits = false;
                for (const std::string& word : words.dictionary) {
                    if (!accepted(word) || guessed(word)) continue;
                    const double left = leaves(word);
                    const bool fits = std::find(fitting.begin(), fitting.end(), word) != fitting.end();
                    if (best.empty() || left < least || (left == least && fits && !bestFits))
                        std::tie(best, least, bestFits) = std::tie(word, left, fits);
                }
                EXPECT_EQ(row.best, best);
                EXPECT_DOUBLE_EQ(row.bestLeaves, least);
            }
            std::erase_if(fitting, [&](const std::string& word) {
                return word == game[i].word || Functions::MatchCount(game[i].word, word) != game[i].count;
            });
            const double left = game[i].word == myWord ? 0 : static_cast<double>(fitting.size());
            EXPECT_EQ(row.possible, left);
            using enum GameReview::Luck;  // a factor of 2 and at least 3 words either way
            EXPECT_EQ(row.luck, left * 2 <= own && own - left >= 3   ? Lucky
                                : left >= own * 2 && left - own >= 3 ? Unlucky
                                                                     : Even);
            luckyOrNot += row.luck != Even;
        }
    }
    EXPECT_GT(luckyOrNot, 0);

    // A missing word file and an unknown level are named.
    std::filesystem::remove("master.wtf");
    Words words;
    std::string fault;
    EXPECT_FALSE(GameReview::LoadWords("Medium", words, fault));
    EXPECT_EQ(fault, "The word file \"master.wtf\" is missing or cannot be read.");
    WriteLines("medium.wtf", {"0", "HOUSE"});
    EXPECT_FALSE(GameReview::LoadWords("Medium", words, fault));
    EXPECT_EQ(fault, "The word file \"medium.wtf\" does not start with a word count from 1 to 6000.");
    EXPECT_FALSE(GameReview::LoadWords("Huge", words, fault));  // a level a damaged record may hold
    EXPECT_EQ(fault, "The game's level \"Huge\" is none of Easy, Medium, Hard and Expert.");
    EXPECT_TRUE(words.level.empty() && words.dictionary.empty());
}

}  // namespace
}  // namespace quibbly::testing
