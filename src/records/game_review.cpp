// SPDX-License-Identifier: GPL-3.0-or-later
// The review of the player's side of a game. Every word is reduced to the
// set of its letters as a 26-bit mask, so that the count a guess scores
// against a word is a few bit operations: the search for the best guess
// weighs thousands of dictionary words against every word still possible.
// While many words are possible, a guess is weighed instead from a table of
// how many of them hold each set of up to five letters, in a few dozen
// steps whatever their number.
#include "records/game_review.h"

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <unordered_map>

#include "platform/text_file.h"

namespace quibbly::GameReview {

namespace {

using Mask = std::uint32_t;

// The most words a level file may name, as the game reads it.
constexpr int MaxLevelWords = 6000;

Mask LetterBit(char ch) {
    return ch >= 'A' && ch <= 'Z' ? Mask{1} << (ch - 'A') : 0;
}

Mask LettersOf(const std::string& word) {
    Mask mask = 0;
    for (char ch : word) mask |= LetterBit(ch);
    return mask;
}

// A guess as layers of letters: layer k holds the letters the guess has at
// least k + 1 times. The count against a word is then the sum over the
// layers of the layer's letters in the word, since a letter counts at every
// position it stands. Only the first five positions count, as in the game.
struct GuessLayers {
    std::array<Mask, 5> layer{};
    int depth = 0;  // layers in use

    explicit GuessLayers(const std::string& guess) {
        for (std::size_t i = 0; i < 5 && i < guess.size(); ++i) {
            const Mask bit = LetterBit(guess[i]);
            if (bit == 0) continue;
            int k = 0;
            while (layer[static_cast<std::size_t>(k)] & bit) ++k;
            layer[static_cast<std::size_t>(k)] |= bit;
            if (k + 1 > depth) depth = k + 1;
        }
    }

    int Count(Mask word) const {
        int count = std::popcount(layer[0] & word);
        for (int k = 1; k < depth; ++k) count += std::popcount(layer[static_cast<std::size_t>(k)] & word);
        return count;
    }
};

bool IsWord(const std::string& line) {
    if (line.size() != 5) return false;
    for (char ch : line)
        if (ch < 'A' || ch > 'Z') return false;
    return true;
}

std::string FileFault(const std::string& file, const std::string& fault) {
    return "The word file \"" + file + "\" " + fault + ".";
}

// The level's file as the game reads it when it draws its word: a count line
// from 1 to 6000, then that many words; the same faults make the same
// message, so that the review refuses exactly what a game would.
bool ReadLevelFile(const std::string& file, std::vector<std::string>& words, std::string& fault) {
    TextFileReader in(file);
    if (!in.IsOpen()) {
        fault = FileFault(file, "is missing or cannot be read");
        return false;
    }
    std::string line;
    if (!in.ReadLine(line)) {
        fault = FileFault(file, "is empty");
        return false;
    }
    const double count = std::nearbyint(NumericValue(line));
    if (count < 1 || count > MaxLevelWords) {
        fault = FileFault(file, "does not start with a word count from 1 to 6000");
        return false;
    }
    const auto wanted = static_cast<std::size_t>(count);
    while (words.size() < wanted && in.ReadLine(line)) {
        if (!IsWord(line)) {
            fault = FileFault(file, "has a line that is not a five-letter word in capitals: line " +
                                        std::to_string(words.size() + 2));
            return false;
        }
        words.push_back(line);
    }
    if (in.Failed()) {
        fault = FileFault(file, "cannot be read to its end");
        return false;
    }
    if (words.size() < wanted) {
        fault = FileFault(file, "holds " + std::to_string(words.size()) + " words, fewer than the " +
                                    std::to_string(wanted) + " its first line names");
        return false;
    }
    return true;
}

// The dictionary: its first line is the word count, which the game skips;
// every later line that is a word of five capitals is a word, in file order.
}  // namespace

bool ReadDictionary(const std::string& file, std::vector<std::string>& words, std::string& fault) {
    TextFileReader in(file);
    if (!in.IsOpen()) {
        fault = FileFault(file, "is missing or cannot be read");
        return false;
    }
    std::string line;
    in.ReadLine(line);
    while (in.ReadLine(line))
        if (IsWord(line)) words.push_back(line);
    if (in.Failed()) {
        fault = FileFault(file, "cannot be read to its end");
        return false;
    }
    if (words.empty()) {
        fault = FileFault(file, "holds no words");
        return false;
    }
    return true;
}

namespace {

constexpr int Choose(int n, int k) {
    long result = 1;
    for (int i = 0; i < k; ++i) result = result * (n - i) / (i + 1);
    return n < k ? 0 : static_cast<int>(result);
}

// Sets of at most five letters, numbered densely (the set of no letter, then
// the sets of one, of two, ...), so that a table can hold a number for each.
constexpr std::array<int, 6> SetsBefore = [] {
    std::array<int, 6> before{};
    for (int size = 1; size < 6; ++size)
        before[static_cast<std::size_t>(size)] =
            before[static_cast<std::size_t>(size - 1)] + Choose(26, size - 1);
    return before;
}();
constexpr int LetterSets = SetsBefore[5] + Choose(26, 5);

// Choose(letter, k) for the 26 letters and k up to 5.
constexpr std::array<std::array<int, 6>, 26> ChooseTable = [] {
    std::array<std::array<int, 6>, 26> table{};
    for (int n = 0; n < 26; ++n)
        for (int k = 0; k < 6; ++k)
            table[static_cast<std::size_t>(n)][static_cast<std::size_t>(k)] = Choose(n, k);
    return table;
}();

// The different letters of a word, from A up, at most five.
int SortedLetters(Mask letters, std::array<int, 5>& letter) {
    int k = 0;
    for (Mask rest = letters; rest != 0 && k < 5; rest &= rest - 1)
        letter[static_cast<std::size_t>(k++)] = std::countr_zero(rest);
    return k;
}

// The numbers of every subset of k letters given from A up; subset s holds
// the letters at the set bits of s. A set's number is SetsBefore[size] plus
// the sum of Choose(letter, i) over its letters, the i-th from A up; each
// subset is its subset without its last letter and that letter.
void SubsetNumbers(const std::array<int, 5>& letter, int k, std::array<int, 32>& number) {
    number[0] = 0;
    for (int s = 1; s < (1 << k); ++s) {
        const int last = std::bit_width(static_cast<unsigned>(s)) - 1;
        const int rest = s & ~(1 << last);
        const int size = std::popcount(static_cast<unsigned>(s));
        number[static_cast<std::size_t>(s)] =
            number[static_cast<std::size_t>(rest)] - SetsBefore[static_cast<std::size_t>(size - 1)] +
            SetsBefore[static_cast<std::size_t>(size)] +
            ChooseTable[static_cast<std::size_t>(letter[static_cast<std::size_t>(last)])]
                       [static_cast<std::size_t>(size)];
    }
}

// A dictionary word the level accepts as a guess, ready to be weighed in
// either of two ways: position by position against each fitting word, or by
// the subsets of its letters (see ReviewPlayer).
struct Candidate {
    GuessLayers layers;
    int levelIndex = -1;  // its place in the level's list, or -1
    int letters = 0;      // how many different letters it has
    std::array<int, 32> subsetNumber{};
    // The count it scores on a word that holds exactly that subset of its
    // letters: each letter counts as often as the guess has it.
    std::array<std::uint8_t, 32> subsetCount{};

    Candidate(const std::string& word, int levelIndex) : layers(word), levelIndex(levelIndex) {
        std::array<int, 5> letter{};
        letters = SortedLetters(LettersOf(word), letter);
        SubsetNumbers(letter, letters, subsetNumber);
        std::array<std::uint8_t, 5> times{};
        for (int p = 0; p < letters; ++p)
            for (char ch : word)
                times[static_cast<std::size_t>(p)] += ch - 'A' == letter[static_cast<std::size_t>(p)];
        for (int s = 1; s < (1 << letters); ++s) {
            const int last = std::bit_width(static_cast<unsigned>(s)) - 1;
            subsetCount[static_cast<std::size_t>(s)] =
                static_cast<std::uint8_t>(subsetCount[static_cast<std::size_t>(s & ~(1 << last))] +
                                          times[static_cast<std::size_t>(last)]);
        }
    }
};

}  // namespace

bool LoadWords(const std::string& level, Words& words, std::string& fault) {
    std::string file;
    if (level == "Easy") file = "easy.wtf";
    if (level == "Medium") file = "medium.wtf";
    if (level == "Hard" || level == "Expert") file = "hard.wtf";  // Expert plays by Hard's rules
    if (file.empty()) {
        fault = "The game's level \"" + level + "\" is none of Easy, Medium, Hard and Expert.";
        return false;
    }
    Words read;
    read.repeatsAllowed = level == "Hard" || level == "Expert";
    if (!ReadLevelFile(file, read.level, fault) || !ReadDictionary("master.wtf", read.dictionary, fault))
        return false;
    words = std::move(read);
    return true;
}

namespace {

// Above this many fitting words a candidate is weighed by the subsets of its
// letters (a fixed cost of about a hundred steps), below it word by word.
constexpr std::size_t WordByWordUpTo = 48;

// The sum over counts c of n_c * n_c, where n_c is how many of the fitting
// words the candidate scores c against, found word by word; the fitting word
// at the level's place `itself` is the candidate, which leaves no word when
// it is the computer's word and is no longer possible when it is not, so it
// is in no group. The sum only grows as words are added, so the weighing
// stops once it passes limit (when limit is not negative): such a candidate
// cannot be the best.
long SumWordByWord(const Candidate& candidate, const std::vector<Mask>& fitting,
                   const std::vector<int>& fittingAt, int itself, long limit) {
    std::array<long, 6> group{};
    long sum = 0;
    for (std::size_t w = 0; w < fitting.size(); ++w) {
        if (fittingAt[w] == itself) continue;
        long& size = group[static_cast<std::size_t>(candidate.layers.Count(fitting[w]))];
        sum += 2 * size + 1;
        ++size;
        if (limit >= 0 && sum > limit) return sum;
    }
    return sum;
}

// The same sum from holding[t]: how many fitting words hold every letter of
// the letter set numbered t. Over the subsets of the candidate's letters,
// inclusion and exclusion turn "holds at least these" into "holds exactly
// these of the candidate's letters", and each exact subset has its count. A
// candidate that fits is taken out of its own group, that of all its letters.
long SumBySubsets(const Candidate& candidate, const std::vector<int>& holding, bool fits) {
    const int subsets = 1 << candidate.letters;
    std::array<long, 32> exact{};
    for (int s = 0; s < subsets; ++s)
        exact[static_cast<std::size_t>(s)] =
            holding[static_cast<std::size_t>(candidate.subsetNumber[static_cast<std::size_t>(s)])];
    for (int p = 0; p < candidate.letters; ++p)
        for (int s = 0; s < subsets; ++s)
            if (!((s >> p) & 1))
                exact[static_cast<std::size_t>(s)] -= exact[static_cast<std::size_t>(s | (1 << p))];
    std::array<long, 6> group{};
    for (int s = 0; s < subsets; ++s)
        group[candidate.subsetCount[static_cast<std::size_t>(s)]] += exact[static_cast<std::size_t>(s)];
    if (fits) --group[candidate.subsetCount[static_cast<std::size_t>(subsets - 1)]];
    long sum = 0;
    for (long size : group) sum += size * size;
    return sum;
}

}  // namespace

PlayerReview ReviewPlayer(const Words& words, const std::vector<GameHistory::Guess>& guesses,
                          const std::string& myWord) {
    PlayerReview review;
    review.levelWords = static_cast<int>(words.level.size());

    // The level's words that can still be the computer's word, by their place
    // in the list and by their letters: those that fit every count so far and
    // have not been guessed. A word the list repeats is weighed once. A line
    // that is not a word (only a caller that did not read the file with
    // LoadWords can give one) never fits.
    std::vector<int> fitting;
    std::vector<Mask> fittingMasks;
    std::vector<char> isFitting(words.level.size(), 0);
    std::unordered_map<std::string, int> levelIndex;
    for (std::size_t i = 0; i < words.level.size(); ++i) {
        const bool first = levelIndex.emplace(words.level[i], static_cast<int>(i)).second;
        if (!first || !IsWord(words.level[i])) continue;
        fitting.push_back(static_cast<int>(i));
        fittingMasks.push_back(LettersOf(words.level[i]));
        isFitting[i] = 1;
    }
    auto fits = [&](int index) { return index >= 0 && isFitting[static_cast<std::size_t>(index)] != 0; };

    std::vector<Candidate> candidates;
    std::vector<const std::string*> candidateWords;
    candidates.reserve(words.dictionary.size());
    candidateWords.reserve(words.dictionary.size());
    for (const std::string& word : words.dictionary) {
        if (!IsWord(word) || (!words.repeatsAllowed && std::popcount(LettersOf(word)) != 5)) continue;
        const auto found = levelIndex.find(word);
        candidates.emplace_back(word, found == levelIndex.end() ? -1 : found->second);
        candidateWords.push_back(&word);
    }
    std::vector<char> guessed(candidates.size(), 0);  // the player has guessed it: no best guess

    std::vector<int> holding(LetterSets);
    std::array<int, 32> numbers{};
    std::array<int, 5> letter{};
    for (const GameHistory::Guess& guess : guesses) {
        PlayerRow row;
        row.guess = guess.word;
        row.count = guess.count;

        // The best guess before this one has the least sum of squares of the
        // groups it splits the possible words into, itself left out: that sum
        // over N is the words it leaves on average. Ties go to a word that
        // could be the computer's word (it may end the game at once), then to
        // the dictionary's order.
        const std::size_t n = fittingMasks.size();
        const bool bySubsets = n > WordByWordUpTo;
        if (bySubsets) {
            std::fill(holding.begin(), holding.end(), 0);
            for (Mask word : fittingMasks) {
                const int k = SortedLetters(word, letter);
                SubsetNumbers(letter, k, numbers);
                for (int s = 0; s < (1 << k); ++s)
                    ++holding[static_cast<std::size_t>(numbers[static_cast<std::size_t>(s)])];
            }
        }
        long bestSum = -1;
        bool bestFits = false;
        std::size_t bestAt = 0;
        for (std::size_t c = 0; n > 0 && c < candidates.size(); ++c) {
            if (guessed[c] != 0) continue;
            const Candidate& candidate = candidates[c];
            const bool possible = fits(candidate.levelIndex);
            const long sum = bySubsets ? SumBySubsets(candidate, holding, possible)
                                       : SumWordByWord(candidate, fittingMasks, fitting,
                                                       possible ? candidate.levelIndex : -1, bestSum);
            if (bestSum < 0 || sum < bestSum || (sum == bestSum && possible && !bestFits)) {
                bestSum = sum;
                bestFits = possible;
                bestAt = c;
            }
        }
        if (bestSum >= 0) {
            row.best = *candidateWords[bestAt];
            row.bestLeaves = static_cast<double>(bestSum) / static_cast<double>(n);
        }

        // This guess weighed the same way, then the words on which it scores
        // the count it got are kept, but for the guess itself.
        const auto level = levelIndex.find(guess.word);
        const int itself = level != levelIndex.end() && fits(level->second) ? level->second : -1;
        const GuessLayers layers(guess.word);
        if (n > 0)
            row.leaves = static_cast<double>(
                             SumWordByWord(Candidate(guess.word, -1), fittingMasks, fitting, itself, -1)) /
                         static_cast<double>(n);
        std::size_t kept = 0;
        for (std::size_t w = 0; w < n; ++w) {
            if (fitting[w] != itself && layers.Count(fittingMasks[w]) == guess.count) {
                fittingMasks[kept] = fittingMasks[w];
                fitting[kept] = fitting[w];
                ++kept;
            } else {
                isFitting[static_cast<std::size_t>(fitting[w])] = 0;
            }
        }
        fittingMasks.resize(kept);
        fitting.resize(kept);
        for (std::size_t c = 0; c < candidates.size(); ++c)
            if (*candidateWords[c] == guess.word) guessed[c] = 1;
        row.found = guess.word == myWord;
        row.possible = row.found ? 0 : static_cast<int>(kept);
        const double left = row.possible;
        if (left * 2 <= row.leaves && row.leaves - left >= LuckyBy) row.luck = Luck::Lucky;
        if (left >= row.leaves * 2 && left - row.leaves >= LuckyBy) row.luck = Luck::Unlucky;
        review.rows.push_back(std::move(row));
    }
    return review;
}

}  // namespace quibbly::GameReview
