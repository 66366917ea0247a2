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
#include <unordered_map>
#include <utility>
#include <vector>

namespace quibbly::Expert {

// One of the computer's past guesses and the player's true count for it.
struct Turn {
    std::string guess;
    int count = 0;
};
using History = std::vector<Turn>;

// How the guess is chosen where no tree applies. The game takes the greedy
// rule: the guess that leaves the fewest words on average (among equals a
// word that could be the answer, then the first in the dictionary). The tree
// tool and the benchmark search by these settings
// (tools/expert/expert_search.cpp, not part of the game).
struct Tuning {
    // Playing out tries the `width` best guesses of the greedy rule that
    // split the words differently, with the `setWidth` guesses that leave the
    // fewest letter sets, the `spreadWidth` best by m log m and, once a set
    // of at least `isolateFrom` words shares its letters, the `isolateWidth`
    // guesses that leave fewest words with it; it plays every game on to its
    // end with the greedy rule and takes the guess whose games cost least in
    // all. It plays out while at most `playOutBelow` words are possible.
    int width = 4;
    int setWidth = 0;
    int spreadWidth = 0;
    int isolateWidth = 0;
    int isolateFrom = 0;
    int playOutBelow = 100;
    // From `deepFrom` possible words on (0: never) the `deepWidth` best
    // guesses are played out with playing out instead of the greedy rule;
    // up to `exactBelow` words, with the `exactWidth` best guesses at every
    // turn to the end.
    int deepWidth = 0;
    int deepFrom = 0;
    int exactBelow = 0;
    int exactWidth = 0;
    // A game's cost is its guesses, and `overtime` more for each guess past
    // `longest`: a few long games weigh more than the mean alone says.
    int longest = 16;
    int overtime = 0;
    // Keep the cost of every set of words played out, for the tree tool,
    // which plays out the same sets again and again.
    bool remember = false;
    // Take the guesses from the shipped decision tree when the dictionary is
    // the one it was worked out for and the history follows it.
    bool useTree = true;
};

// The computer's next guess and why.
struct Choice {
    int word = -1;         // index into the dictionary; -1: no dictionary word fits the counts
    std::string guess;     // the word guessed
    int possible = 0;      // dictionary words the player's word could still be
    double wordsLeft = 0;  // words the guess leaves possible on average, the guess itself not counted
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

    // The guess to make after the history: the tree's, or else the greedy one.
    Choice NextGuess(const History& history) const;
    // The same, searching by the tuning off the tree (the tree tool and the
    // benchmark only).
    Choice SearchNextGuess(const History& history) const;

    // The count of the guess against a word: the positions of the guess whose
    // letter is somewhere in the word.
    static int Count(const std::string& guess, const std::string& word);

    // A fingerprint of the dictionary: the shipped tree applies only to the
    // dictionary it was worked out for.
    static std::uint64_t Fingerprint(const std::vector<std::string>& words);

    // The greedy choice on a set of possible words (indices in dictionary
    // order), the tree aside; and the choice by the searches of the tuning
    // after `made` guesses.
    Choice Choose(const std::vector<int>& possible) const;
    Choice SearchChoose(const std::vector<int>& possible, int made) const;

    // The guesses that playing out tries on a set of possible words after
    // `made` guesses, each with the cost of its games played on with the
    // greedy rule, cheapest first (among equals in the order tried, so the
    // first is the choice of SearchChoose). Where the tuning does not play
    // out, only the choice, with cost 0.
    std::vector<std::pair<int, long>> Ranked(const std::vector<int>& possible, int made) const;

    // True when the shipped tree is in use.
    bool TreeInUse() const { return !tree_.empty(); }

    // A decision tree written out in preorder, a node as two numbers: the
    // dictionary index of its guess, then a bit for each count 0..5 that
    // leads to a node of its own, which follow in count order. Where a game
    // below a node would take more than `longest` guesses, the strict
    // strategy, if any, works out that part again (only that node's guess
    // unless `strictBelow`), and its tree is taken if its longest game is
    // shorter. `first`, if not -1, is the first guess.
    static std::vector<std::uint16_t> WriteTree(const Guesser& strategy, const Guesser* strict = nullptr,
                                                int longest = 0, bool strictBelow = true, int first = -1);

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
    // What a guess leaves: the words and the letter sets each count leaves.
    struct Scored {
        double score;  // the greedy rule's measure, the sum of the squares of the words left: lower is better
        bool possible;
        int word;
        std::array<int, 6> left;  // the words each count leaves
        std::array<int, 6> sets;  // the letter sets each count leaves: the tree tool's search fills them
        bool operator<(const Scored& other) const {
            if (score != other.score) return score < other.score;
            if (possible != other.possible) return possible;
            return word < other.word;
        }
    };

    static Layers LayersOf(const std::string& word);
    static Mask LettersOf(const std::string& word);
    std::vector<Group> GroupsOf(const std::vector<int>& possible) const;
    std::vector<Scored> ScoreAll(const std::vector<int>& possible, const std::vector<Group>& groups) const;
    std::vector<std::vector<int>> Outcomes(const std::vector<int>& possible, int guess) const;
    long Cost(int guess) const;
    int ChooseGreedy(const std::vector<int>& possible, const std::vector<Group>& groups) const;
    long PlayOut(const std::vector<int>& possible, int made, int level) const;
    long CostAfter(const std::vector<int>& possible, int guess, int made, int level) const;
    int Search(const std::vector<int>& possible, const std::vector<Group>& groups, int made) const;
    std::vector<std::pair<int, long>> PlayOutTotals(const std::vector<int>& possible,
                                                    const std::vector<Group>& groups, int made,
                                                    int level) const;
    std::pair<int, long> BestByPlayOut(const std::vector<int>& possible, const std::vector<Group>& groups,
                                       int made, int level) const;
    struct Node {
        int guess;
        std::array<int, 6> next;  // the node after each count; -1: none
    };
    bool ReadTree(const std::uint16_t* data, std::size_t size);
    int TreeGuess(const History& history) const;
    Choice Describe(int guess, const std::vector<int>& possible) const;

    std::vector<std::string> words_;
    Tuning tuning_;
    std::vector<Mask> letters_;
    std::vector<Layers> layers_;
    std::vector<Node> tree_;
    mutable std::unordered_map<std::uint64_t, long> remembered_;
};

}  // namespace quibbly::Expert
