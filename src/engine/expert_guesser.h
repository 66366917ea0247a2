// SPDX-License-Identifier: GPL-3.0-or-later
// The Expert computer: it keeps every dictionary word the player's word can
// still be and guesses the dictionary word expected to find it soonest.
//
// A count depends only on the set of letters of the player's word, so the
// words that share a letter set (anagrams, and words such as EERIE and ERIER)
// cannot be told apart by counts: once only one such group is left, the
// computer names its words one by one.
//
// The choice is a pure function of the dictionary and the past guesses with
// their true counts, so a game saved with its guesses and counts goes on
// exactly as it would have.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace quibbly::Expert {

// One of the computer's past guesses and the player's true count for it.
struct Turn {
    std::string guess;
    int count = 0;
};
using History = std::vector<Turn>;

// How the guess is chosen. The defaults are the game's; the benchmark and the
// opening tool try the others.
struct Tuning {
    // Score every guess by the expected number of guesses still needed
    // (estimated from the words and the letter sets each count leaves); off:
    // the plain greedy rule, the fewest words left on average.
    bool estimate = false;
    // Look one more guess ahead for the best few guesses by the score, while
    // at most this many words are possible (0: never).
    int lookAheadWidth = 0;
    int lookAheadBelow = 0;
    // Play out the greedy rule on what each of the best few guesses leaves,
    // and take the guess that needs the fewest guesses in all, while at most
    // this many words are possible (0: never).
    int rolloutWidth = 6;
    int rolloutBelow = 200;
    // Solve exactly (over the possible words and the best few other guesses)
    // once at most this many words are possible (0: never).
    int exactBelow = 0;
    // Take the first guesses from the shipped opening when the dictionary is
    // the one it was worked out for.
    bool useOpening = true;
};

// The computer's next guess and why.
struct Choice {
    int word = -1;         // index into the dictionary; -1: no dictionary word fits the counts
    std::string guess;     // the word guessed
    int possible = 0;      // dictionary words the player's word could still be
    double wordsLeft = 0;  // words the guess leaves possible on average, the guess itself not counted
    std::string reason;    // a line for the journal
};

class Guesser {
public:
    // The words are the dictionary in its file order; order breaks ties.
    explicit Guesser(std::vector<std::string> words, Tuning tuning = {});

    const std::vector<std::string>& Words() const { return words_; }
    const Tuning& Settings() const { return tuning_; }

    // The indices, in dictionary order, of the words that give every count of
    // the history and were not guessed already.
    std::vector<int> Possible(const History& history) const;

    // The guess to make after the history.
    Choice NextGuess(const History& history) const;

    // The count of the guess against a word: the positions of the guess whose
    // letter is somewhere in the word.
    static int Count(const std::string& guess, const std::string& word);

    // Guesses chosen by search ahead of time for the first turns, by the
    // counts answered so far ("" for the first guess, then one digit a turn).
    struct OpeningMove {
        const char* counts;
        const char* guess;
    };

    // A fingerprint of the dictionary: the opening applies only to the
    // dictionary it was worked out for.
    static std::uint64_t Fingerprint(const std::vector<std::string>& words);

    // The choice on a set of possible words (indices in dictionary order)
    // with the searches of the tuning, the opening aside.
    Choice Choose(const std::vector<int>& possible) const;

private:
    using Mask = std::uint32_t;
    // The letters a guess holds at least k + 1 times, for k = 0..4.
    struct Layers {
        std::array<Mask, 5> layer{};
        int depth = 0;
        int Count(Mask word) const;
    };
    struct Group {
        Mask letters;
        int words;
    };
    struct Split;
    struct Scored;

    static Layers LayersOf(const std::string& word);
    static Mask LettersOf(const std::string& word);
    std::vector<Group> GroupsOf(const std::vector<int>& possible) const;
    std::vector<Scored> ScoreAll(const std::vector<int>& possible, const std::vector<Group>& groups) const;
    double Estimate(const std::vector<int>& possible) const;
    double LookAhead(const std::vector<int>& possible, int guess) const;
    long GreedyTotal(const std::vector<int>& possible) const;
    double Exact(const std::vector<int>& possible, int depth) const;
    std::vector<std::vector<int>> Outcomes(const std::vector<int>& possible, int guess) const;
    int OpeningGuess(const History& history) const;
    std::string Reason(const Choice& choice) const;

    std::vector<std::string> words_;
    Tuning tuning_;
    std::vector<Mask> letters_;
    std::vector<Layers> layers_;
    bool openingApplies_ = false;
};

}  // namespace quibbly::Expert
