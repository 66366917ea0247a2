// SPDX-License-Identifier: GPL-3.0-or-later
// The Expert computer's choice of guess. See expert_guesser.h.
#include "engine/expert_guesser.h"

#include <algorithm>
#include <iterator>
#include <unordered_set>

namespace quibbly::Expert {

namespace {

// The guesses for the shipped dictionary, worked out ahead of time by
// tools/expert/make_expert_tree with a search too slow for a turn
// (TreeFingerprint, TreeData).
#include "engine/expert_tree.inc"

constexpr int CountValues = 6;  // a count is 0 to 5

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

Guesser::Guesser(std::vector<std::string> words, Tuning tuning) : tuning_(tuning) {
    // A word a damaged dictionary repeats is one word: a guess of it leaves
    // none of its copies.
    std::unordered_set<std::string> seen;
    for (std::string& word : words)
        if (seen.insert(word).second) words_.push_back(std::move(word));
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

std::vector<Guesser::Scored> Guesser::ScoreAll(const std::vector<int>& possible,
                                               const std::vector<Group>& groups) const {
    // A possible guess ends the game when it is the word: it leaves itself out.
    std::vector<bool> isPossible(words_.size(), false);
    for (int w : possible) isPossible[static_cast<std::size_t>(w)] = true;
    std::vector<Scored> scored;
    scored.reserve(words_.size());
    for (int w = 0; w < static_cast<int>(words_.size()); ++w) {
        const Layers& guess = layers_[static_cast<std::size_t>(w)];
        Scored s{0, false, w, {}, {}};
        for (const Group& group : groups)
            s.left[static_cast<std::size_t>(guess.Count(group.letters))] += group.words;
        s.possible = isPossible[static_cast<std::size_t>(w)];
        if (s.possible) s.left[5] -= 1;
        for (int m : s.left) s.score += static_cast<double>(m) * m;
        scored.push_back(s);
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

int Guesser::ChooseGreedy(const std::vector<int>& possible, const std::vector<Group>& groups) const {
    const std::vector<Scored> scored = ScoreAll(possible, groups);
    return std::min_element(scored.begin(), scored.end())->word;
}

Choice Guesser::Choose(const std::vector<int>& possible) const {
    if (possible.empty()) return {};
    const std::vector<Group> groups = GroupsOf(possible);
    // Counts cannot tell one set's words apart: they are named in turn.
    return Describe(groups.size() > 1 ? ChooseGreedy(possible, groups) : possible.front(), possible);
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
        choice = Choose(possible);
    return choice;
}

}  // namespace quibbly::Expert
