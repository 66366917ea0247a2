// SPDX-License-Identifier: GPL-3.0-or-later
// The Expert computer's choice of guess. See expert_guesser.h.
#include "engine/expert_guesser.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdio>
#include <iterator>
#include <numeric>

namespace quibbly::Expert {

namespace {

// The first guesses, worked out ahead of time by tools/expert_opening for the
// shipped dictionary.
#include "engine/expert_opening.inc"

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

Guesser::Guesser(std::vector<std::string> words, Tuning tuning) : words_(std::move(words)), tuning_(tuning) {
    letters_.reserve(words_.size());
    layers_.reserve(words_.size());
    for (const std::string& word : words_) {
        letters_.push_back(LettersOf(word));
        layers_.push_back(LayersOf(word));
    }
    openingApplies_ = tuning_.useOpening && Fingerprint(words_) == OpeningFingerprint;
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

// What one count of a guess leaves: the words, their letter sets and the sum
// of the squared sizes of the sets.
struct Guesser::Split {
    std::array<int, CountValues> words{};
    std::array<int, CountValues> groups{};
    std::array<long, CountValues> squares{};
};

struct Guesser::Scored {
    double score;  // lower is better
    bool possible;
    int word;
    double wordsLeft;
    std::uint64_t shape;  // the words and letter sets each count leaves, to skip guesses that split alike
    bool operator<(const Scored& other) const {
        if (score != other.score) return score < other.score;
        if (possible != other.possible) return possible;
        return word < other.word;
    }
};

namespace {

// The guesses it takes on average to tell `groups` letter sets apart, on top
// of naming the words of the set found: measured on whole games, by the
// logarithm of the number of sets.
double TellingApart(int groups) {
    struct Point {
        double groups, guesses;
    };
    static constexpr Point Table[] = {{1, 0},      {2, 0.51},  {3, 0.92},    {4, 1.18},   {5, 1.44},
                                      {6, 1.56},   {8, 1.84},  {10.4, 2.07}, {17, 2.25},  {22, 2.46},
                                      {30, 2.69},  {42, 2.97}, {87, 3.3},    {180, 3.85}, {400, 4.3},
                                      {1300, 5.0}, {4549, 5.8}};
    constexpr int Last = static_cast<int>(std::size(Table)) - 1;
    const double x = std::log(static_cast<double>(groups));
    int i = 1;
    while (i < Last && Table[i].groups < groups) ++i;
    const double x0 = std::log(Table[i - 1].groups), x1 = std::log(Table[i].groups);
    return Table[i - 1].guesses + (Table[i].guesses - Table[i - 1].guesses) * (x - x0) / (x1 - x0);
}

// The guesses still needed, this one included, to name a word among
// `words` in `groups` letter sets whose squared sizes sum to `squares`.
// One set is named word by word; several cost the guesses that tell the
// sets apart, about a logarithm of their number, besides.
double GuessesNeeded(int words, int groups, long squares) {
    if (words == 0) return 0;
    if (groups == 1) return (words + 1) / 2.0;
    const double naming = (static_cast<double>(squares) + words) / (2.0 * words);
    return naming + TellingApart(groups);
}

}  // namespace

std::vector<Guesser::Scored> Guesser::ScoreAll(const std::vector<int>& possible,
                                               const std::vector<Group>& groups) const {
    const int n = static_cast<int>(possible.size());
    // The size of the letter set of each possible word, to take a possible
    // guess out of its own set.
    std::vector<int> setSize(words_.size(), 0);
    {
        std::size_t g = 0;
        std::vector<std::pair<Mask, int>> byMask;
        for (int w : possible) byMask.push_back({letters_[static_cast<std::size_t>(w)], w});
        std::sort(byMask.begin(), byMask.end());
        for (const auto& [mask, w] : byMask) {
            while (groups[g].letters != mask) ++g;
            setSize[static_cast<std::size_t>(w)] = groups[g].words;
        }
    }
    std::vector<Scored> scored;
    scored.reserve(words_.size());
    for (int w = 0; w < static_cast<int>(words_.size()); ++w) {
        const Layers& guess = layers_[static_cast<std::size_t>(w)];
        Split split;
        for (const Group& group : groups) {
            const int count = guess.Count(group.letters);
            split.words[static_cast<std::size_t>(count)] += group.words;
            split.groups[static_cast<std::size_t>(count)] += 1;
            split.squares[static_cast<std::size_t>(count)] += static_cast<long>(group.words) * group.words;
        }
        const int own = setSize[static_cast<std::size_t>(w)];
        if (own > 0) {
            // The guess itself ends the game when it is the word.
            split.words[5] -= 1;
            split.squares[5] -= 2L * own - 1;
            if (own == 1) split.groups[5] -= 1;
        }
        long squares = 0;
        double needed = 0;
        for (int c = 0; c < CountValues; ++c) {
            const auto o = static_cast<std::size_t>(c);
            squares += static_cast<long>(split.words[o]) * split.words[o];
            if (tuning_.estimate)
                needed += split.words[o] * GuessesNeeded(split.words[o], split.groups[o], split.squares[o]);
        }
        const double left = static_cast<double>(squares) / n;
        std::uint64_t shape = own > 0;
        for (int c = 0; c < CountValues; ++c) {
            const auto o = static_cast<std::size_t>(c);
            shape = shape * 1000003u + static_cast<std::uint64_t>(split.words[o]);
            shape = shape * 1000003u + static_cast<std::uint64_t>(split.groups[o]);
        }
        scored.push_back({tuning_.estimate ? 1 + needed / n : left, own > 0, w, left, shape});
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

// The guesses expected to be still needed on the possible words, by the
// score of the best guess.
double Guesser::Estimate(const std::vector<int>& possible) const {
    const int n = static_cast<int>(possible.size());
    if (n <= 1) return n;
    const std::vector<Group> groups = GroupsOf(possible);
    if (groups.size() == 1) return (n + 1) / 2.0;
    const std::vector<Scored> scored = ScoreAll(possible, groups);
    const Scored best = *std::min_element(scored.begin(), scored.end());
    if (tuning_.estimate) return best.score;
    return 1 + GuessesNeeded(n, static_cast<int>(groups.size()), 0) - 1;
}

double Guesser::LookAhead(const std::vector<int>& possible, int guess) const {
    const double n = static_cast<double>(possible.size());
    double total = 0;
    for (const std::vector<int>& outcome : Outcomes(possible, guess))
        total += static_cast<double>(outcome.size()) * Estimate(outcome);
    return 1 + total / n;
}

// The guesses the greedy rule needs, summed over the possible words.
long Guesser::GreedyTotal(const std::vector<int>& possible) const {
    const long n = static_cast<long>(possible.size());
    if (n <= 1) return n;
    const std::vector<Group> groups = GroupsOf(possible);
    if (groups.size() == 1) return n * (n + 1) / 2;
    const std::vector<Scored> scored = ScoreAll(possible, groups);
    const Scored best = *std::min_element(scored.begin(), scored.end());
    long total = n;
    for (const std::vector<int>& outcome : Outcomes(possible, best.word)) total += GreedyTotal(outcome);
    return total;
}

double Guesser::Exact(const std::vector<int>& possible, int depth) const {
    const int n = static_cast<int>(possible.size());
    if (n <= 1) return n;
    const std::vector<Group> groups = GroupsOf(possible);
    if (groups.size() == 1) return (n + 1) / 2.0;
    if (depth <= 0) return Estimate(possible);
    std::vector<Scored> scored = ScoreAll(possible, groups);
    std::sort(scored.begin(), scored.end());
    double best = 1e9;
    int tried = 0;
    for (const Scored& s : scored) {
        if (tried >= tuning_.lookAheadWidth) break;
        ++tried;
        double total = 0;
        for (const std::vector<int>& outcome : Outcomes(possible, s.word))
            total += static_cast<double>(outcome.size()) * Exact(outcome, depth - 1);
        best = std::min(best, 1 + total / n);
    }
    return best;
}

// ---- The choice ----

Choice Guesser::Choose(const std::vector<int>& possible) const {
    Choice choice;
    choice.possible = static_cast<int>(possible.size());
    if (possible.empty()) return choice;
    const std::vector<Group> groups = GroupsOf(possible);
    if (groups.size() == 1) {
        // Counts cannot tell these words apart: name them in turn.
        choice.word = possible.front();
        choice.wordsLeft = choice.possible - 1;
    } else {
        std::vector<Scored> scored = ScoreAll(possible, groups);
        const int width = std::min<int>(tuning_.lookAheadWidth, static_cast<int>(scored.size()));
        std::partial_sort(scored.begin(), scored.begin() + std::max(width, 1), scored.end());
        Scored best = scored.front();
        if (tuning_.rolloutWidth > 0 && choice.possible <= tuning_.rolloutBelow) {
            std::sort(scored.begin(), scored.end());
            long bestTotal = -1;
            std::vector<std::uint64_t> shapes;
            for (const Scored& s : scored) {
                if (static_cast<int>(shapes.size()) >= tuning_.rolloutWidth) break;
                if (std::find(shapes.begin(), shapes.end(), s.shape) != shapes.end()) continue;
                shapes.push_back(s.shape);
                long total = choice.possible;
                for (const std::vector<int>& outcome : Outcomes(possible, s.word))
                    total += GreedyTotal(outcome);
                if (bestTotal < 0 || total < bestTotal) {
                    bestTotal = total;
                    best = s;
                }
            }
        } else if (tuning_.exactBelow > 0 && choice.possible <= tuning_.exactBelow) {
            double bestValue = 1e9;
            for (int i = 0; i < width; ++i) {
                double total = 0;
                for (const std::vector<int>& outcome :
                     Outcomes(possible, scored[static_cast<std::size_t>(i)].word))
                    total += static_cast<double>(outcome.size()) * Exact(outcome, 3);
                const double value = 1 + total / choice.possible;
                if (value < bestValue - 1e-12) {
                    bestValue = value;
                    best = scored[static_cast<std::size_t>(i)];
                }
            }
        } else if (width > 1 && choice.possible <= tuning_.lookAheadBelow) {
            double bestValue = 1e9;
            for (int i = 0; i < width; ++i) {
                const double value = LookAhead(possible, scored[static_cast<std::size_t>(i)].word);
                if (value < bestValue - 1e-12) {
                    bestValue = value;
                    best = scored[static_cast<std::size_t>(i)];
                }
            }
        }
        choice.word = best.word;
        choice.wordsLeft = best.wordsLeft;
    }
    choice.guess = words_[static_cast<std::size_t>(choice.word)];
    return choice;
}

int Guesser::OpeningGuess(const History& history) const {
    if (!openingApplies_) return -1;
    std::string counts;
    for (const Turn& turn : history) counts += static_cast<char>('0' + turn.count);
    for (const OpeningMove& move : OpeningMoves) {
        if (counts != move.counts) continue;
        // The opening holds only the guesses it played, so a history that
        // took another way is not in it.
        return -1;
    }
    return -1;
}

Choice Guesser::NextGuess(const History& history) const {
    const std::vector<int> possible = Possible(history);
    Choice choice = Choose(possible);
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
