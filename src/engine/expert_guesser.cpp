// SPDX-License-Identifier: GPL-3.0-or-later
// The Expert computer's choice of guess. See expert_guesser.h.
#include "engine/expert_guesser.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iterator>
#include <numeric>

namespace quibbly::Expert {

namespace {

// The guesses for the shipped dictionary, worked out ahead of time by
// tools/expert/make_expert_tree with a search too slow for a turn
// (TreeFingerprint, TreeData).
#include "engine/expert_tree.inc"

constexpr int CountValues = 6;  // a count is 0 to 5
// The level of play that searches on at every turn rather than falling back
// to a simpler rule.
constexpr int Searched = 100;

// Bits set in a letter mask, by two look-ups: as fast as the processor's own
// instruction, which the portable build cannot assume.
struct BitCounts {
    std::array<std::uint8_t, 1 << 13> of{};
    constexpr BitCounts() {
        for (unsigned i = 1; i < of.size(); ++i) of[i] = static_cast<std::uint8_t>(of[i / 2] + (i & 1));
    }
};
constexpr BitCounts Bits;

inline int BitCount(std::uint32_t mask) {
    return Bits.of[mask & 0x1FFF] + Bits.of[(mask >> 13) & 0x1FFF];
}

bool IsCapital(char ch) {
    return ch >= 'A' && ch <= 'Z';
}

}  // namespace

// ---- Letters ----

Guesser::Mask Guesser::LettersOf(const std::string& word) {
    Mask mask = 0;
    for (std::size_t i = 0; i < 5 && i < word.size(); ++i)
        if (IsCapital(word[i])) mask |= Mask{1} << (word[i] - 'A');
    return mask;
}

// A letter counts at every position it stands, so the count against a word
// is the sum over the layers of the layer's letters in the word.
Guesser::Layers Guesser::LayersOf(const std::string& word) {
    Layers layers;
    for (std::size_t i = 0; i < 5 && i < word.size(); ++i) {
        if (!IsCapital(word[i])) continue;
        const Mask bit = Mask{1} << (word[i] - 'A');
        int k = 0;
        while (layers.layer[static_cast<std::size_t>(k)] & bit) ++k;
        layers.layer[static_cast<std::size_t>(k)] |= bit;
        layers.depth = std::max(layers.depth, k + 1);
    }
    return layers;
}

int Guesser::Layers::Count(Mask word) const {
    int count = 0;
    for (int k = 0; k < depth; ++k) count += BitCount(layer[static_cast<std::size_t>(k)] & word);
    return count;
}

int Guesser::Count(const std::string& guess, const std::string& word) {
    int count = 0;
    for (std::size_t i = 0; i < 5 && i < guess.size(); ++i)
        if (word.find(guess[i]) != std::string::npos) ++count;
    return count;
}

std::uint64_t Guesser::Fingerprint(const std::vector<std::string>& words) {
    // FNV-1a over the words, each closed by a newline.
    std::uint64_t hash = 14695981039346656037ull;
    for (const std::string& word : words)
        for (char ch : word + "\n") {
            hash ^= static_cast<unsigned char>(ch);
            hash *= 1099511628211ull;
        }
    return hash;
}

Guesser::Guesser(std::vector<std::string> words, Tuning tuning) : words_(std::move(words)), tuning_(tuning) {
    letters_.reserve(words_.size());
    layers_.reserve(words_.size());
    for (const std::string& word : words_) {
        letters_.push_back(LettersOf(word));
        layers_.push_back(LayersOf(word));
    }
    if (tuning_.useTree && Fingerprint(words_) == TreeFingerprint && !ReadTree(TreeData, std::size(TreeData)))
        tree_.clear();
}

std::vector<int> Guesser::Possible(const History& history) const {
    std::vector<Layers> guesses;
    guesses.reserve(history.size());
    for (const Turn& turn : history) guesses.push_back(LayersOf(turn.guess));
    std::vector<int> possible;
    for (int w = 0; w < static_cast<int>(words_.size()); ++w) {
        const std::string& word = words_[static_cast<std::size_t>(w)];
        bool fits = true;
        for (std::size_t t = 0; fits && t < history.size(); ++t)
            fits = history[t].guess != word &&
                   guesses[t].Count(letters_[static_cast<std::size_t>(w)]) == history[t].count;
        if (fits) possible.push_back(w);
    }
    return possible;
}

// ---- Scores ----

std::vector<Guesser::Group> Guesser::GroupsOf(const std::vector<int>& possible) const {
    std::vector<Mask> masks;
    masks.reserve(possible.size());
    for (int w : possible) masks.push_back(letters_[static_cast<std::size_t>(w)]);
    std::sort(masks.begin(), masks.end());
    std::vector<Group> groups;
    for (Mask m : masks) {
        if (!groups.empty() && groups.back().letters == m)
            ++groups.back().words;
        else
            groups.push_back({m, 1});
    }
    return groups;
}

// What a guess leaves: the words each count leaves and a digest of how they
// fall into letter sets, to try only one of the guesses that split alike.
struct Guesser::Scored {
    double score;  // the greedy rule's measure of what is left: lower is better
    bool possible;
    int word;
    std::uint64_t shape;
    bool teaches;     // it names a word or splits the words
    int withLargest;  // the words left with the largest set of words that share their letters
    long setSquares;  // the sum over the counts of the squared number of letter sets left
    double spread;    // the sum over the counts of m log m, m the words left
    bool operator<(const Scored& other) const {
        if (score != other.score) return score < other.score;
        if (possible != other.possible) return possible;
        return word < other.word;
    }
};

std::vector<Guesser::Scored> Guesser::ScoreAll(const std::vector<int>& possible,
                                               const std::vector<Group>& groups) const {
    // The size of each possible word's letter set, to take a possible guess
    // out of its own set: it ends the game when it is the word.
    std::vector<int> setSize(words_.size(), 0);
    for (int w : possible) {
        const Mask letters = letters_[static_cast<std::size_t>(w)];
        const auto at = std::lower_bound(groups.begin(), groups.end(), letters,
                                         [](const Group& g, Mask m) { return g.letters < m; });
        setSize[static_cast<std::size_t>(w)] = at->words;
    }
    const Mask largest = std::max_element(groups.begin(), groups.end(), [](const Group& a, const Group& b) {
                             return a.words < b.words;
                         })->letters;
    std::vector<Scored> scored;
    scored.reserve(words_.size());
    for (int w = 0; w < static_cast<int>(words_.size()); ++w) {
        const Layers& guess = layers_[static_cast<std::size_t>(w)];
        std::array<int, CountValues> left{};
        std::array<int, CountValues> sets{};
        for (const Group& group : groups) {
            const auto count = static_cast<std::size_t>(guess.Count(group.letters));
            left[count] += group.words;
            sets[count] += 1;
        }
        const std::size_t largestCount = static_cast<std::size_t>(guess.Count(largest));
        const int own = setSize[static_cast<std::size_t>(w)];
        if (own > 0) {
            left[5] -= 1;
            if (own == 1) sets[5] -= 1;
        }
        double score = 0;
        std::uint64_t shape = own > 0;
        for (std::size_t c = 0; c < CountValues; ++c) {
            const double m = left[c];
            switch (tuning_.measure) {
                case 0:
                    score += m * m;
                    break;
                case 1:
                    score += m * sets[c];
                    break;
                case 2:
                    score += m > 0 ? m * std::log(m) : 0;
                    break;
                case 3:
                    score += sets[c] > 0 ? m * std::log(static_cast<double>(sets[c])) : 0;
                    break;
                default:
                    score += m * (m + sets[c]);
                    break;
            }
            shape = (shape * 1000003u + static_cast<std::uint64_t>(left[c])) * 1000003u +
                    static_cast<std::uint64_t>(sets[c]);
        }
        if (own > 0) score *= 1 - tuning_.possibleBonus / 100.0;
        const bool teaches =
            own > 0 || *std::max_element(left.begin(), left.end()) < static_cast<int>(possible.size());
        long setSquares = 0;
        for (int c : sets) setSquares += static_cast<long>(c) * c;
        double spread = 0;
        for (int m : left)
            if (m > 1) spread += m * std::log(static_cast<double>(m));
        scored.push_back({score, own > 0, w, shape, teaches, left[largestCount], setSquares, spread});
    }
    return scored;
}

std::vector<std::vector<int>> Guesser::Outcomes(const std::vector<int>& possible, int guess) const {
    std::vector<std::vector<int>> outcomes(CountValues);
    const Layers& layers = layers_[static_cast<std::size_t>(guess)];
    for (int w : possible)
        if (w != guess)
            outcomes[static_cast<std::size_t>(layers.Count(letters_[static_cast<std::size_t>(w)]))].push_back(
                w);
    return outcomes;
}

// ---- The choice ----

// What naming a word with guess number `guess` costs: one for each guess,
// and more past the longest game the strategy aims at.
long Guesser::Cost(int guess) const {
    return guess + (guess > tuning_.longest ? tuning_.overtime * (guess - tuning_.longest) : 0);
}

int Guesser::ChooseGreedy(const std::vector<int>& possible, const std::vector<Group>& groups) const {
    const std::vector<Scored> scored = ScoreAll(possible, groups);
    return std::min_element(scored.begin(), scored.end())->word;
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
    std::sort(scored.begin(), scored.end());
    const int width = level == Searched ? tuning_.exactWidth : level >= 2 ? tuning_.deepWidth : tuning_.width;
    std::vector<std::uint64_t> shapes;
    std::vector<int> tries;
    const auto take = [&](const Scored& s) {
        if (!s.teaches || std::find(shapes.begin(), shapes.end(), s.shape) != shapes.end()) return;
        shapes.push_back(s.shape);
        tries.push_back(s.word);
    };
    for (std::size_t i = 0; i < scored.size() && static_cast<int>(tries.size()) < width; ++i) take(scored[i]);
    // A large set of words with the same letters is named word by word once
    // it is found, so its last word comes late: try too the guesses that part
    // it soonest from the other words.
    const auto largest = std::max_element(groups.begin(), groups.end(),
                                          [](const Group& a, const Group& b) { return a.words < b.words; });
    if (tuning_.isolateWidth > 0 && largest->words >= tuning_.isolateFrom) {
        std::stable_sort(scored.begin(), scored.end(),
                         [](const Scored& a, const Scored& b) { return a.withLargest < b.withLargest; });
        const std::size_t before = tries.size();
        for (std::size_t i = 0;
             i < scored.size() && static_cast<int>(tries.size() - before) < tuning_.isolateWidth; ++i)
            take(scored[i]);
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
        std::stable_sort(scored.begin(), scored.end(),
                         [](const Scored& a, const Scored& b) { return a.setSquares < b.setSquares; });
        const std::size_t before = tries.size();
        for (std::size_t i = 0;
             i < scored.size() && static_cast<int>(tries.size() - before) < tuning_.setWidth; ++i)
            take(scored[i]);
    }
    if (tuning_.spreadWidth > 0) {
        std::stable_sort(scored.begin(), scored.end(),
                         [](const Scored& a, const Scored& b) { return a.spread < b.spread; });
        const std::size_t before = tries.size();
        for (std::size_t i = 0;
             i < scored.size() && static_cast<int>(tries.size() - before) < tuning_.spreadWidth; ++i)
            take(scored[i]);
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

Choice Guesser::Choose(const std::vector<int>& possible, int made) const {
    if (possible.empty()) return {};
    const std::vector<Group> groups = GroupsOf(possible);
    int guess = possible.front();  // counts cannot tell one set's words apart: name them in turn
    if (groups.size() > 1) {
        const auto n = static_cast<int>(possible.size());
        int level = 0;
        if (tuning_.width > 1 && n <= tuning_.playOutBelow) level = 1;
        if (tuning_.deepWidth > 1 && n >= tuning_.deepFrom) level = 2;
        if (n <= tuning_.exactBelow) level = Searched;
        guess =
            level == 0 ? ChooseGreedy(possible, groups) : BestByPlayOut(possible, groups, made, level).first;
    }
    return Describe(guess, possible);
}

// ---- The shipped tree ----

bool Guesser::ReadTree(const std::uint16_t* data, std::size_t size) {
    // Nodes waiting for their place: a parent and the count that leads on.
    std::vector<std::pair<int, int>> pending;
    std::size_t at = 0;
    do {
        if (at + 2 > size || data[at] >= words_.size() || data[at + 1] >= 1 << 6) return false;
        const int node = static_cast<int>(tree_.size());
        tree_.push_back({data[at], {-1, -1, -1, -1, -1, -1}});
        if (!pending.empty()) {
            const auto [parent, count] = pending.back();
            pending.pop_back();
            tree_[static_cast<std::size_t>(parent)].next[static_cast<std::size_t>(count)] = node;
        }
        // The children follow in count order, so they wait in reverse.
        for (int count = 5; count >= 0; --count)
            if (data[at + 1] & 1 << count) pending.push_back({node, count});
        at += 2;
    } while (!pending.empty());
    return at == size;
}

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
        const int guess = made == 0 && first >= 0 ? first : by.Choose(possible, made).word;
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

int Guesser::TreeGuess(const History& history) const {
    if (tree_.empty()) return -1;
    int node = 0;
    for (const Turn& turn : history) {
        const Node& at = tree_[static_cast<std::size_t>(node)];
        if (words_[static_cast<std::size_t>(at.guess)] != turn.guess || turn.count < 0 || turn.count > 5)
            return -1;
        node = at.next[static_cast<std::size_t>(turn.count)];
        if (node < 0) return -1;
    }
    return tree_[static_cast<std::size_t>(node)].guess;
}

// ---- The turn ----

Choice Guesser::Describe(int guess, const std::vector<int>& possible) const {
    Choice choice;
    choice.word = guess;
    choice.guess = words_[static_cast<std::size_t>(guess)];
    choice.possible = static_cast<int>(possible.size());
    long squares = 0;
    for (const std::vector<int>& outcome : Outcomes(possible, guess))
        squares += static_cast<long>(outcome.size() * outcome.size());
    choice.wordsLeft = static_cast<double>(squares) / choice.possible;
    return choice;
}

Choice Guesser::NextGuess(const History& history) const {
    const std::vector<int> possible = Possible(history);
    Choice choice;
    const int fromTree = possible.empty() ? -1 : TreeGuess(history);
    if (fromTree >= 0)
        choice = Describe(fromTree, possible);
    else
        choice = Choose(possible, static_cast<int>(history.size()));
    choice.reason = Reason(choice);
    return choice;
}

std::string Guesser::Reason(const Choice& choice) const {
    if (choice.word < 0) return "No word in the dictionary gives every count so far.";
    if (choice.possible == 1) return "Only " + choice.guess + " could be yours; it guessed it.";
    char left[32];
    std::snprintf(left, sizeof left, "%.1f", choice.wordsLeft);
    std::string text = std::to_string(choice.possible) + " words could be yours; it guessed " + choice.guess;
    return text + ", which leaves " + left + " on average.";
}

}  // namespace quibbly::Expert
