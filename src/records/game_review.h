// SPDX-License-Identifier: GPL-3.0-or-later
// The review of the player's side of a finished game: after each guess, how
// many of the level's words could still be the computer's word, and the
// guess not made yet that would have narrowed them most at that point.
#pragma once

#include <string>
#include <vector>

#include "records/game_history.h"

namespace quibbly::GameReview {

// The words a review weighs.
struct Words {
    std::vector<std::string> level;       // the level's file: the computer draws its word from these
    std::vector<std::string> dictionary;  // master.wtf, in file order
    bool repeatsAllowed = false;          // Hard: a guess may repeat a letter
};

enum class Luck { Even, Lucky, Unlucky };
constexpr double LuckyBy = 3;

struct PlayerRow {
    std::string guess;
    int count = 0;
    // Level words that can still be the computer's word after this guess:
    // those that fit every count up to and including it (a word fits when
    // each guess would have scored the same count against it), the words
    // guessed so far aside; 0 once the guess is the computer's word.
    int possible = 0;
    bool found = false;  // the guess is the computer's word
    // The words this guess leaves on average over the words possible before
    // it, each as likely to be the computer's word: none if the guess is the
    // word, else the possible words other than the guess that score the same
    // count. By the same measure as bestLeaves, so that the two compare.
    double leaves = 0;
    // How the words left compare with that average: lucky or unlucky when
    // they differ by a factor of 2 or more and by LuckyBy words or more.
    Luck luck = Luck::Even;
    // The best guess before this one, given the counts so far: a dictionary
    // word the level accepts as a guess, and not guessed yet, that leaves the
    // fewest words on average; ties go to a word that could be the
    // computer's word (it may win at once), then to the dictionary's order.
    // Empty when no level word is possible before the guess.
    std::string best;
    double bestLeaves = 0;  // the words it would have left, on average
};

struct PlayerReview {
    int levelWords = 0;  // the level's whole list, where the chart starts
    std::vector<PlayerRow> rows;
};

PlayerReview ReviewPlayer(const Words& words, const std::vector<GameHistory::Guess>& guesses,
                          const std::string& myWord);

// Reads the level's word file ("easy.wtf", "medium.wtf" or "hard.wtf") and
// "master.wtf" from the current folder. False, with a fault that names the
// file, when one cannot be read.
bool LoadWords(const std::string& level, Words& words, std::string& fault);
// The five-letter words of a word file in its order, its count line aside:
// the dictionary, or a level's words. False, with a message that names the
// file, when it cannot be read or holds no word.
bool ReadDictionary(const std::string& file, std::vector<std::string>& words, std::string& fault);

}  // namespace quibbly::GameReview
