// SPDX-License-Identifier: GPL-3.0-or-later
//
// make_word_lists: builds Quibbly's word files from the SCOWL word lists.
//
//   make_word_lists <scowl-dir> <out-dir>
//
// <scowl-dir> is the directory holding SCOWL's final lists (on Debian:
// /usr/share/dict/scowl). Writes easy.wtf, medium.wtf, hard.wtf, master.wtf
// and series.wtf into <out-dir>. The output depends only on the input lists:
// everything is sorted and nothing is random, so running the tool twice on
// the same input gives byte-identical files.
//
// The rules are described in tools/wordlists/README.md; keep the two in step.

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

namespace fs = std::filesystem;

// SCOWL size levels we read, most common first. Level 70 is the largest
// list a player might fairly be expected to type words from.
constexpr std::array<int, 8> kLevels{10, 20, 35, 40, 50, 55, 60, 70};

// SCOWL categories we read: the spelling-neutral words plus American
// spellings. Proper names, abbreviations, contractions and the upper-case
// lists are left out on purpose.
constexpr std::array<std::string_view, 2> kCategories{"english-words", "american-words"};

constexpr int kEasyMaxLevel = 35;
constexpr int kMediumMaxLevel = 50;
constexpr int kHardMaxLevel = 60;

constexpr std::size_t kMaxLevelWords = 6000;
// Swap lines per base letter given up. A line that gives up a base letter
// teaches the computer nothing once that letter is known to be in the
// player's word, and the computer tries every line of a series before it
// takes a new base; measured with bench/computer_strength, two lines a
// letter (at most ten a series) find the player's word in the fewest
// guesses (one took 0.9 guesses more on Easy, three 0.4, and twelve lines
// spread evenly over the letters without a cap 1.0).
constexpr std::size_t kLinesPerGivenUpLetter = 2;
// Swap words up to this level are preferred when bringing in a new letter.
constexpr int kSwapCommonMaxLevel = kHardMaxLevel;

// Words that are never secret words and never offered by the computer as a
// guess: vulgar, sexual or slurs. master.wtf still accepts them, since a
// dictionary should not reject what a player types. Lower case.
const std::set<std::string, std::less<>> kBlocked{
    "anals", "arsed", "arses", "asses", "bimbo", "bitch", "boner", "boobs", "booby", "butts",
    "chink", "cocks", "coons", "craps", "cunts", "dagos", "darky", "dicks", "dildo", "dykes",
    "effed", "fagot", "farts", "fucks", "gooks", "gypsy", "homos", "honky", "horny", "hussy",
    "kikes", "kinky", "lesbo", "lynch", "negro", "nigga", "nudes", "nudie", "pakis", "penis",
    "pervs", "pimps", "porno", "porns", "prick", "pubes", "pubic", "pussy", "queer", "raped",
    "raper", "rapes", "semen", "shite", "shits", "skank", "sluts", "sperm", "spick", "spics",
    "spunk", "titty", "turds", "twats", "vulva", "wanks", "wench", "whore",
};

// Words the inflection rules below would wrongly take for an inflection of
// a shorter word ("thing" is not "the" + "-ing"). Lower case.
const std::set<std::string, std::less<>> kNotInflections{
    "diver", "gamer", "liver", "thing", "tweed",
};

using Levels = std::map<std::string, int, std::less<>>;

bool isLowerWord(std::string_view s) {
    return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= 'a' && c <= 'z'; });
}

bool hasDistinctLetters(std::string_view w) {
    unsigned mask = 0;
    for (char c : w) {
        const unsigned bit = 1U << static_cast<unsigned>(c - 'a');
        if (mask & bit) return false;
        mask |= bit;
    }
    return true;
}

unsigned letterMask(std::string_view w) {
    unsigned mask = 0;
    for (char c : w) mask |= 1U << static_cast<unsigned>(c - 'a');
    return mask;
}

std::string upper(std::string_view w) {
    std::string out(w);
    for (char& c : out) c = static_cast<char>(c - 'a' + 'A');
    return out;
}

// Reads every SCOWL list of the chosen categories and levels. The result maps
// each plain lower-case word (any length) to the lowest level it occurs at.
// Lines with capitals, apostrophes, accents or other non a-z bytes are
// skipped.
Levels readScowl(const fs::path& dir) {
    Levels levels;
    for (int level : kLevels) {
        for (std::string_view category : kCategories) {
            const fs::path file = dir / (std::string(category) + "." + std::to_string(level));
            std::ifstream in(file, std::ios::binary);
            if (!in) {
                std::cerr << "make_word_lists: cannot read " << file << '\n';
                std::exit(EXIT_FAILURE);
            }
            std::string line;
            while (std::getline(in, line)) {
                if (!line.empty() && line.back() == '\r') line.pop_back();
                if (!isLowerWord(line)) continue;
                auto [it, inserted] = levels.try_emplace(line, level);
                if (!inserted) it->second = std::min(it->second, level);
            }
        }
    }
    return levels;
}

// Whether `base` is a word of the lists that is at least as common as the
// word derived from it. Requiring the base to be no rarer keeps words such
// as "after" (not "aft" + "-er") and "tweed" (not "twee" + "-d").
bool commonBase(const Levels& levels, std::string_view base, int wordLevel) {
    if (base.size() < 2) return false;
    const auto it = levels.find(base);
    return it != levels.end() && it->second <= wordLevel;
}

bool known(const Levels& levels, std::string_view w) {
    return levels.find(w) != levels.end();
}

bool endsWith(std::string_view w, std::string_view tail) {
    return w.size() > tail.size() && w.substr(w.size() - tail.size()) == tail;
}

// The candidate stems of a word ending in `suffix` (the word minus the
// suffix, the stem plus a dropped final "e", the stem with its doubled final
// consonant undone, and "i" back to "y").
std::vector<std::string> stems(std::string_view w, std::string_view suffix) {
    std::vector<std::string> out;
    const std::string stem(w.substr(0, w.size() - suffix.size()));
    out.push_back(stem);
    out.push_back(stem + "e");
    if (stem.size() >= 3 && stem.back() == stem[stem.size() - 2])
        out.push_back(stem.substr(0, stem.size() - 1));
    if (!stem.empty() && stem.back() == 'i') out.push_back(stem.substr(0, stem.size() - 1) + "y");
    if (suffix == "ing" && endsWith(stem, "y"))
        out.push_back(stem.substr(0, stem.size() - 1) + "ie");  // dying -> die
    return out;
}

// Whether a word is a plain inflection of another word in the lists, which
// makes it a poor secret word: a plural or third person in -s/-es/-ies, a
// past form in -ed/-ied, a present participle in -ing, or a comparative or
// superlative in -er/-est. Comparatives are only recognised when the
// matching form exists too (older + oldest), so agent nouns and words like
// "offer", "tower" or "paper" stay.
bool isInflection(const Levels& levels, std::string_view w, int level) {
    if (kNotInflections.contains(w)) return false;

    if (endsWith(w, "s") && !endsWith(w, "ss")) {
        if (commonBase(levels, w.substr(0, w.size() - 1), level)) return true;  // cards, lines
        if (endsWith(w, "es") && commonBase(levels, w.substr(0, w.size() - 2), level)) return true;  // boxes
        if (endsWith(w, "ies") && commonBase(levels, std::string(w.substr(0, w.size() - 3)) + "y", level))
            return true;  // flies
        if (endsWith(w, "ves")) {
            const std::string stem(w.substr(0, w.size() - 3));
            if (commonBase(levels, stem + "f", level) || commonBase(levels, stem + "fe", level))
                return true;  // elves, wives
        }
    }

    for (std::string_view suffix : {std::string_view("ed"), std::string_view("ing")}) {
        if (!endsWith(w, suffix)) continue;
        for (const std::string& stem : stems(w, suffix))
            if (commonBase(levels, stem, level)) return true;
    }

    // Comparative / superlative: needs both forms to be words.
    for (const auto& [suffix, other] : {std::pair<std::string_view, std::string_view>{"er", "est"},
                                        std::pair<std::string_view, std::string_view>{"est", "er"}}) {
        if (!endsWith(w, suffix)) continue;
        const std::string_view stem = w.substr(0, w.size() - suffix.size());
        for (const std::string& base : stems(w, suffix)) {
            if (!commonBase(levels, base, level)) continue;
            if (known(levels, std::string(stem) + std::string(other))) return true;
        }
    }
    return false;
}

struct Word {
    std::string text;  // lower case
    int level = 0;
};

void writeLines(const fs::path& file, const std::vector<std::string>& lines) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    if (!out) {
        std::cerr << "make_word_lists: cannot write " << file << '\n';
        std::exit(EXIT_FAILURE);
    }
    for (const std::string& line : lines) out << line << "\r\n";
    if (!out.flush()) {
        std::cerr << "make_word_lists: write failed for " << file << '\n';
        std::exit(EXIT_FAILURE);
    }
}

void writeCounted(const fs::path& file, const std::vector<Word>& words) {
    std::vector<std::string> lines;
    lines.reserve(words.size() + 1);
    lines.push_back(std::to_string(words.size()));
    for (const Word& w : words) lines.push_back(upper(w.text));
    writeLines(file, lines);
}

void writeLevel(const fs::path& file, std::vector<Word> words) {
    if (words.empty() || words.size() > kMaxLevelWords) {
        std::cerr << "make_word_lists: " << file << " would hold " << words.size() << " words (allowed 1.."
                  << kMaxLevelWords << ")\n";
        std::exit(EXIT_FAILURE);
    }
    std::sort(words.begin(), words.end(), [](const Word& a, const Word& b) { return a.text < b.text; });
    writeCounted(file, words);
}

// A swap word for a base: five different letters, four of them shared with
// the base. `out` is the base letter it gives up, `in` the letter it brings.
struct Swap {
    const Word* word = nullptr;
    char out = 0;
    char in = 0;
};

// How many words of the three level files (the possible secret words)
// contain each letter: the more words hold a letter, the likelier a swap
// word bringing it in changes the count.
using LetterCounts = std::array<std::size_t, 26>;

LetterCounts countLetters(const std::vector<const std::vector<Word>*>& lists) {
    LetterCounts counts{};
    for (const std::vector<Word>* list : lists)
        for (const Word& w : *list)
            for (std::size_t i = 0; i < counts.size(); ++i)
                if (w.text.find(static_cast<char>('a' + i)) != std::string::npos) ++counts[i];
    return counts;
}

// Picks the swap words for one base, at most kLinesPerGivenUpLetter for each
// base letter given up, in the order they are written. Swap words bringing
// in letters not yet seen teach the computer
// the most, so they come first, and among them the ones bringing in letters
// of many possible secret words, since their counts change most often; the
// computer starts at a random swap line and wraps around, so the order also
// spreads the given-up letters evenly:
//  1. Candidates are grouped by the base letter they give up, groups in the
//     order of the letters in the base; each group is ordered by the letter
//     brought in, the letter found in the most words of the level files
//     first, then common first (lower SCOWL level, then alphabetical).
//  2. Pass 1, round robin over the five groups: each group in turn offers
//     its first candidate of level kSwapCommonMaxLevel or below whose
//     brought-in letter is not yet used in this series; a group with no
//     such candidate is passed over. The pass ends when a whole round adds
//     nothing.
//  3. Pass 2: the same with candidates of any level, so rarer words are
//     used only for letters the common ones cannot bring in.
//  4. Pass 3, round robin again: each group offers its first remaining
//     candidate whose (given-up, brought-in) pair is not yet in the series
//     (an anagram of a chosen swap word teaches nothing new).
//  5. A group that has given kLinesPerGivenUpLetter lines is passed over.
std::vector<Swap> chooseSwaps(const std::string& base, const std::vector<Swap>& candidates,
                              const LetterCounts& letters) {
    std::array<std::vector<Swap>, 5> groups;
    for (const Swap& s : candidates) groups[base.find(s.out)].push_back(s);
    auto inCount = [&](const Swap& s) { return letters[static_cast<std::size_t>(s.in - 'a')]; };
    for (auto& g : groups)
        std::sort(g.begin(), g.end(), [&](const Swap& a, const Swap& b) {
            if (inCount(a) != inCount(b)) return inCount(a) > inCount(b);
            return std::pair(a.word->level, a.word->text) < std::pair(b.word->level, b.word->text);
        });

    std::vector<Swap> chosen;
    std::array<std::vector<bool>, 5> taken;
    for (std::size_t i = 0; i < groups.size(); ++i) taken[i].assign(groups[i].size(), false);
    std::set<char> usedIn;
    std::set<std::pair<char, char>> usedPairs;

    std::array<std::size_t, 5> given{};
    auto take = [&](std::size_t g, std::size_t i) {
        ++given[g];
        taken[g][i] = true;
        chosen.push_back(groups[g][i]);
        usedIn.insert(groups[g][i].in);
        usedPairs.emplace(groups[g][i].out, groups[g][i].in);
    };

    for (int pass = 1; pass <= 3; ++pass) {
        bool added = true;
        while (added) {
            added = false;
            for (std::size_t g = 0; g < groups.size(); ++g) {
                if (given[g] == kLinesPerGivenUpLetter) continue;
                for (std::size_t i = 0; i < groups[g].size(); ++i) {
                    if (taken[g][i]) continue;
                    const Swap& s = groups[g][i];
                    const bool ok = pass == 1 ? s.word->level <= kSwapCommonMaxLevel && !usedIn.contains(s.in)
                                    : pass == 2 ? !usedIn.contains(s.in)
                                                : !usedPairs.contains({s.out, s.in});
                    if (ok) {
                        take(g, i);
                        added = true;
                        break;
                    }
                }
            }
        }
    }
    return chosen;
}

std::vector<std::string> buildSeries(const std::vector<Word>& master, const LetterCounts& letters,
                                     std::size_t& baseCount) {
    std::vector<const Word*> distinct;
    for (const Word& w : master)
        if (hasDistinctLetters(w.text)) distinct.push_back(&w);

    // Index the swap pool by letter set: a swap word for a base has the
    // base's letters minus one plus one. Blocked words are never offered.
    std::map<unsigned, std::vector<const Word*>> byMask;
    for (const Word* w : distinct)
        if (!kBlocked.contains(w->text)) byMask[letterMask(w->text)].push_back(w);

    std::vector<std::string> lines;
    baseCount = 0;
    for (const Word* base : distinct) {
        const unsigned mask = letterMask(base->text);
        std::vector<Swap> candidates;
        for (char out : base->text) {
            const unsigned without = mask & ~(1U << static_cast<unsigned>(out - 'a'));
            for (char in = 'a'; in <= 'z'; ++in) {
                const unsigned bit = 1U << static_cast<unsigned>(in - 'a');
                if (mask & bit) continue;
                const auto it = byMask.find(without | bit);
                if (it == byMask.end()) continue;
                for (const Word* w : it->second) candidates.push_back(Swap{w, out, in});
            }
        }
        lines.push_back(upper(base->text));
        ++baseCount;
        for (const Swap& s : chooseSwaps(base->text, candidates, letters)) {
            std::string line = upper(s.word->text);
            line += ' ';
            line += static_cast<char>(s.out - 'a' + 'A');
            line += '>';
            line += static_cast<char>(s.in - 'a' + 'A');
            lines.push_back(std::move(line));
        }
    }
    // Closes the last series: a series runs until a line of five characters
    // or fewer.
    lines.emplace_back();
    return lines;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: make_word_lists <scowl-dir> <out-dir>\n"
                     "  e.g. make_word_lists /usr/share/dict/scowl data\n";
        return EXIT_FAILURE;
    }
    const fs::path scowlDir = argv[1];
    const fs::path outDir = argv[2];
    std::error_code ec;
    fs::create_directories(outDir, ec);
    if (ec) {
        std::cerr << "make_word_lists: cannot create " << outDir << ": " << ec.message() << '\n';
        return EXIT_FAILURE;
    }

    const Levels levels = readScowl(scowlDir);

    std::vector<Word> master;  // alphabetical, since `levels` is a sorted map
    for (const auto& [text, level] : levels)
        if (text.size() == 5) master.push_back(Word{text, level});

    std::vector<Word> easy, medium, hard;
    std::size_t inflections = 0, blocked = 0;
    for (const Word& w : master) {
        if (w.level > kHardMaxLevel) continue;
        if (kBlocked.contains(w.text)) {
            ++blocked;
            continue;
        }
        if (isInflection(levels, w.text, w.level)) {
            ++inflections;
            continue;
        }
        const bool distinct = hasDistinctLetters(w.text);
        if (distinct && w.level <= kEasyMaxLevel)
            easy.push_back(w);
        else if (distinct && w.level <= kMediumMaxLevel)
            medium.push_back(w);
        else
            hard.push_back(w);
    }

    writeLevel(outDir / "easy.wtf", easy);
    writeLevel(outDir / "medium.wtf", medium);
    writeLevel(outDir / "hard.wtf", hard);
    // master.wtf is the dictionary a player reads in the Hint window, so it
    // stays in plain A-to-Z order.
    writeCounted(outDir / "master.wtf", master);

    std::size_t bases = 0;
    const std::vector<std::string> series = buildSeries(master, countLetters({&easy, &medium, &hard}), bases);
    writeLines(outDir / "series.wtf", series);

    std::cout << "easy " << easy.size() << ", medium " << medium.size() << ", hard " << hard.size()
              << ", master " << master.size() << ", series bases " << bases << " (left out: " << inflections
              << " inflections, " << blocked << " blocked)\n";
    return EXIT_SUCCESS;
}
