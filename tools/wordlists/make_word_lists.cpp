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
// Swap words up to this level are preferred.
constexpr int kSwapCommonMaxLevel = kHardMaxLevel;
// A swap line that establishes a new letter for fewer than this share of the
// possible secret words is left out: the computer's guess is better spent on
// a new base.
constexpr std::size_t kMinGainPercent = 10;

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

// The letters of each word a player may choose as a secret word at Easy and
// Medium (every dictionary word of five different letters), as bit masks.
using Secrets = std::vector<unsigned>;

// The letter a swap line teaches the computer about a secret word: the line
// gives up `out` and brings in `in`, and its count differs from the base's
// when exactly one of them is in the secret word, which is then established.
unsigned taught(const Swap& s, unsigned secret) {
    const unsigned out = 1U << static_cast<unsigned>(s.out - 'a');
    const unsigned in = 1U << static_cast<unsigned>(s.in - 'a');
    if ((secret & in) && !(secret & out)) return in;
    if ((secret & out) && !(secret & in)) return out;
    return 0;
}

// Picks the swap lines of one base, one at a time: each time the line that
// establishes a letter not yet established by the lines already picked for
// the most possible secret words, so the series as a whole teaches the
// computer as many letters as it can over the words a player may choose.
// Rules:
//  * at most kLinesPerGivenUpLetter lines give up the same base letter, and
//    no two lines have the same (given-up, brought-in) pair;
//  * a line that would teach something for fewer than kMinGainPercent % of
//    the secret words is not worth a guess, and the series stops there;
//  * a word rarer than kSwapCommonMaxLevel counts 10 % less, so common words
//    are preferred; ties go to the more common word, then A to Z.
// The lines are written round robin over the given-up letters (in the order
// of the base's letters), so that two lines giving up the same letter stand
// apart: once one of them shows the letter is in the secret word, the other
// teaches nothing, and the computer starts at a random line and wraps around.
std::vector<Swap> chooseSwaps(const std::string& base, std::vector<Swap> candidates, const Secrets& secrets) {
    std::stable_sort(candidates.begin(), candidates.end(), [](const Swap& a, const Swap& b) {
        return std::pair(a.word->level, a.word->text) < std::pair(b.word->level, b.word->text);
    });
    std::vector<unsigned> established(secrets.size(), 0);
    std::array<std::vector<Swap>, 5> groups;
    std::set<std::pair<char, char>> usedPairs;
    std::set<const Word*> usedWords;
    for (std::size_t lines = 0; lines < 5 * kLinesPerGivenUpLetter; ++lines) {
        long bestGain = -1;
        const Swap* best = nullptr;
        for (const Swap& s : candidates) {
            if (groups[base.find(s.out)].size() == kLinesPerGivenUpLetter || usedWords.contains(s.word) ||
                usedPairs.contains({s.out, s.in}))
                continue;
            long gain = 0;
            for (std::size_t j = 0; j < secrets.size(); ++j)
                gain += (taught(s, secrets[j]) & ~established[j]) != 0;
            if (s.word->level > kSwapCommonMaxLevel) gain = gain * 9 / 10;
            if (gain > bestGain) {
                bestGain = gain;
                best = &s;
            }
        }
        if (best == nullptr || static_cast<std::size_t>(bestGain) * 100 < kMinGainPercent * secrets.size())
            break;
        for (std::size_t j = 0; j < secrets.size(); ++j) established[j] |= taught(*best, secrets[j]);
        groups[base.find(best->out)].push_back(*best);
        usedPairs.emplace(best->out, best->in);
        usedWords.insert(best->word);
    }
    std::vector<Swap> chosen;
    for (std::size_t round = 0; round < kLinesPerGivenUpLetter; ++round)
        for (const std::vector<Swap>& group : groups)
            if (round < group.size()) chosen.push_back(group[round]);
    return chosen;
}

std::vector<std::string> buildSeries(const std::vector<Word>& master, std::size_t& baseCount) {
    std::vector<const Word*> distinct;
    Secrets secrets;
    for (const Word& w : master)
        if (hasDistinctLetters(w.text)) {
            distinct.push_back(&w);
            secrets.push_back(letterMask(w.text));
        }

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
        for (const Swap& s : chooseSwaps(base->text, candidates, secrets)) {
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
    const std::vector<std::string> series = buildSeries(master, bases);
    writeLines(outDir / "series.wtf", series);

    std::cout << "easy " << easy.size() << ", medium " << medium.size() << ", hard " << hard.size()
              << ", master " << master.size() << ", series bases " << bases << " (left out: " << inflections
              << " inflections, " << blocked << " blocked)\n";
    return EXIT_SUCCESS;
}
