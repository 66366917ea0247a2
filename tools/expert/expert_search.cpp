// SPDX-License-Identifier: GPL-3.0-or-later
// The Expert computer's search by playing games out, and the writing of its
// decision tree: what tools/expert/make_expert_tree and bench/expert_strength
// run. The game takes its guesses from the shipped tree, or by the greedy rule
// (src/engine/expert_guesser.cpp), and never searches: it is not built with
// this file.
#include <algorithm>
#include <cmath>
#include <numeric>

#include "engine/expert_guesser.h"

namespace quibbly::Expert {

namespace {

constexpr int CountValues = 6;  // a count is 0 to 5
// The level of play that searches on at every turn rather than falling back
// to a simpler rule.
constexpr int Searched = 100;

}  // namespace

// What naming a word with guess number `guess` costs: one for each guess,
// and more past the longest game the strategy aims at.
long Guesser::Cost(int guess) const {
    return guess + (guess > tuning_.longest ? tuning_.overtime * (guess - tuning_.longest) : 0);
}

// The cost summed over the possible words when the rule of `level` plays on
// after `made` guesses: level 0 is the greedy rule, each level above tries
// the best few guesses of the greedy rule and plays on with the level below.
long Guesser::PlayOut(const std::vector<int>& possible, int made, int level) const {
    const auto n = static_cast<int>(possible.size());
    if (n == 0) return 0;
    if (n == 1) return Cost(made + 1);
    const std::vector<Group> groups = GroupsOf(possible);
    if (groups.size() == 1) {
        long total = 0;
        for (int i = 1; i <= n; ++i) total += Cost(made + i);
        return total;
    }
    if (n <= tuning_.exactBelow) level = Searched;
    std::uint64_t key = 0;
    if (tuning_.remember) {
        // The words first and the turn and level last: mixed in before the
        // words, they could cancel a difference in the first word, and one
        // set would be taken for another.
        key = 1469598103934665603ull;
        for (int w : possible) key = (key ^ static_cast<std::uint64_t>(w)) * 1099511628211ull;
        key = (key ^ static_cast<std::uint64_t>(made * 128 + level + 1) * 0x9E3779B97F4A7C15ull) *
              1099511628211ull;
        const auto found = remembered_.find(key);
        if (found != remembered_.end()) return found->second;
    }
    long total = 0;
    if (level == 0) {
        total = CostAfter(possible, ChooseGreedy(possible, groups), made, 0);
    } else {
        total = BestByPlayOut(possible, groups, made, level).second;
    }
    if (tuning_.remember) remembered_.emplace(key, total);
    return total;
}

long Guesser::CostAfter(const std::vector<int>& possible, int guess, int made, int level) const {
    long total = 0;
    for (const std::vector<int>& outcome : Outcomes(possible, guess))
        total += PlayOut(outcome, made + 1, level);
    if (std::binary_search(possible.begin(), possible.end(), guess)) total += Cost(made + 1);
    return total;
}

std::vector<std::pair<int, long>> Guesser::PlayOutTotals(const std::vector<int>& possible,
                                                         const std::vector<Group>& groups, int made,
                                                         int level) const {
    std::vector<Scored> scored = ScoreAll(possible, groups);
    for (Scored& s : scored) {
        const Layers& guess = layers_[static_cast<std::size_t>(s.word)];
        for (const Group& group : groups) ++s.sets[static_cast<std::size_t>(guess.Count(group.letters))];
        // A possible guess that is the only word of its set takes the set with it.
        const Mask letters = letters_[static_cast<std::size_t>(s.word)];
        const auto own = std::lower_bound(groups.begin(), groups.end(), letters,
                                          [](const Group& g, Mask m) { return g.letters < m; });
        if (s.possible && own->words == 1) --s.sets[5];
    }
    std::sort(scored.begin(), scored.end());
    const int width = level == Searched ? tuning_.exactWidth : level >= 2 ? tuning_.deepWidth : tuning_.width;
    // A digest of how a guess splits the words, to try only one of the
    // guesses that split alike; and whether it names a word or splits them.
    const auto shape = [](const Scored& s) {
        std::uint64_t digest = s.possible;
        for (std::size_t c = 0; c < CountValues; ++c)
            digest = (digest * 1000003u + static_cast<std::uint64_t>(s.left[c])) * 1000003u +
                     static_cast<std::uint64_t>(s.sets[c]);
        return digest;
    };
    const auto teaches = [&](const Scored& s) {
        return s.possible ||
               *std::max_element(s.left.begin(), s.left.end()) < static_cast<int>(possible.size());
    };
    std::vector<std::uint64_t> shapes;
    std::vector<int> tries;
    const auto take = [&](const Scored& s) {
        if (!teaches(s) || std::find(shapes.begin(), shapes.end(), shape(s)) != shapes.end()) return;
        shapes.push_back(shape(s));
        tries.push_back(s.word);
    };
    for (std::size_t i = 0; i < scored.size() && static_cast<int>(tries.size()) < width; ++i) take(scored[i]);
    // Orders the guesses by a key, keeping the order among equals, and tries
    // the first `count` of them not tried yet.
    const auto takeFirst = [&](int count, const auto& key) {
        std::stable_sort(scored.begin(), scored.end(),
                         [&](const Scored& a, const Scored& b) { return key(a) < key(b); });
        const std::size_t before = tries.size();
        for (std::size_t i = 0; i < scored.size() && static_cast<int>(tries.size() - before) < count; ++i)
            take(scored[i]);
    };
    // A large set of words with the same letters is named word by word once
    // it is found, so its last word comes late: try too the guesses that part
    // it soonest from the other words.
    const auto largest = std::max_element(groups.begin(), groups.end(),
                                          [](const Group& a, const Group& b) { return a.words < b.words; });
    if (tuning_.isolateWidth > 0 && largest->words >= tuning_.isolateFrom) {
        // The words a guess leaves with the largest set.
        const auto withLargest = [&](const Scored& s) {
            return s.left[static_cast<std::size_t>(
                layers_[static_cast<std::size_t>(s.word)].Count(largest->letters))];
        };
        takeFirst(tuning_.isolateWidth, withLargest);
        // And naming one of its words, which tells apart the words that hold
        // all its letters from the rest.
        for (const Scored& s : scored)
            if (s.possible && letters_[static_cast<std::size_t>(s.word)] == largest->letters) {
                take(s);
                break;
            }
    }
    // The words of one letter set count once: try too the guesses that leave
    // the fewest sets.
    if (tuning_.setWidth > 0) {
        const auto setSquares = [](const Scored& s) {
            long sum = 0;
            for (int c : s.sets) sum += static_cast<long>(c) * c;
            return sum;
        };
        takeFirst(tuning_.setWidth, setSquares);
    }
    if (tuning_.spreadWidth > 0) {
        const auto spread = [](const Scored& s) {  // the sum over the counts of m log m
            double sum = 0;
            for (int m : s.left)
                if (m > 1) sum += m * std::log(static_cast<double>(m));
            return sum;
        };
        takeFirst(tuning_.spreadWidth, spread);
    }
    std::vector<std::pair<int, long>> totals;
    totals.reserve(tries.size());
    for (int guess : tries)
        totals.emplace_back(guess, CostAfter(possible, guess, made, level == Searched ? level : level - 1));
    return totals;
}

std::pair<int, long> Guesser::BestByPlayOut(const std::vector<int>& possible,
                                            const std::vector<Group>& groups, int made, int level) const {
    const std::vector<std::pair<int, long>> totals = PlayOutTotals(possible, groups, made, level);
    // The first of the cheapest in the order tried.
    return *std::min_element(totals.begin(), totals.end(),
                             [](const auto& a, const auto& b) { return a.second < b.second; });
}

std::vector<std::pair<int, long>> Guesser::Ranked(const std::vector<int>& possible, int made) const {
    if (possible.empty()) return {};
    const std::vector<Group> groups = GroupsOf(possible);
    if (groups.size() == 1) return {{possible.front(), 0}};
    if (tuning_.width <= 1 || static_cast<int>(possible.size()) > tuning_.playOutBelow)
        return {{ChooseGreedy(possible, groups), 0}};
    std::vector<std::pair<int, long>> totals = PlayOutTotals(possible, groups, made, 1);
    std::stable_sort(totals.begin(), totals.end(),
                     [](const auto& a, const auto& b) { return a.second < b.second; });
    return totals;
}

int Guesser::Search(const std::vector<int>& possible, const std::vector<Group>& groups, int made) const {
    const auto n = static_cast<int>(possible.size());
    int level = 0;
    if (tuning_.width > 1 && n <= tuning_.playOutBelow) level = 1;
    if (tuning_.deepWidth > 1 && n >= tuning_.deepFrom) level = 2;
    if (n <= tuning_.exactBelow) level = Searched;
    return level == 0 ? ChooseGreedy(possible, groups) : BestByPlayOut(possible, groups, made, level).first;
}

Choice Guesser::SearchChoose(const std::vector<int>& possible, int made) const {
    if (possible.empty()) return {};
    const std::vector<Group> groups = GroupsOf(possible);
    return Describe(groups.size() > 1 ? Search(possible, groups, made) : possible.front(), possible);
}

Choice Guesser::SearchNextGuess(const History& history) const {
    const std::vector<int> possible = Possible(history);
    const int fromTree = possible.empty() ? -1 : TreeGuess(history);
    return fromTree >= 0 ? Describe(fromTree, possible)
                         : SearchChoose(possible, static_cast<int>(history.size()));
}

// ---- The tree ----

std::vector<std::uint16_t> Guesser::WriteTree(const Guesser& strategy, const Guesser* strict, int longest,
                                              bool strictBelow, int first) {
    std::vector<std::uint16_t> data;
    std::vector<int> all(strategy.words_.size());
    std::iota(all.begin(), all.end(), 0);
    // Writes the node for the possible words and those below it, and gives
    // the number of the last guess a game below it takes.
    const auto write = [&](const auto& self, const Guesser& by, const std::vector<int>& possible,
                           int made) -> int {
        const std::size_t start = data.size();
        const int guess = made == 0 && first >= 0 ? first : by.SearchChoose(possible, made).word;
        const Guesser& below = strictBelow ? by : strategy;
        data.push_back(static_cast<std::uint16_t>(guess));
        data.push_back(0);
        int last = made + 1;
        const std::vector<std::vector<int>> outcomes = by.Outcomes(possible, guess);
        for (int count = 0; count < CountValues; ++count) {
            if (outcomes[static_cast<std::size_t>(count)].empty()) continue;
            data[start + 1] = static_cast<std::uint16_t>(data[start + 1] | 1 << count);
            last = std::max(last, self(self, below, outcomes[static_cast<std::size_t>(count)], made + 1));
        }
        if (strict != nullptr && &by != strict && last > longest) {
            // Too long a game below: the strict strategy tries this part again.
            std::vector<std::uint16_t> kept(data.begin() + static_cast<long>(start), data.end());
            data.resize(start);
            const int again = self(self, *strict, possible, made);
            if (again < last) return again;
            data.resize(start);
            data.insert(data.end(), kept.begin(), kept.end());
        }
        return last;
    };
    write(write, strategy, all, 0);
    return data;
}

}  // namespace quibbly::Expert
