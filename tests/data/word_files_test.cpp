// SPDX-License-Identifier: GPL-3.0-or-later
//
// Checks the word files shipped in data/: their line format, the level
// files, the master dictionary and the series the computer uses to deduce
// the player's word. Every failure names the file and line at fault.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr std::size_t kWordLength = 5;
constexpr std::size_t kMaxLevelWords = 6000;
constexpr std::size_t kMaxSwapLines = 12; // make_word_lists writes at most this many per series

std::string dataPath(std::string_view name)
{
    return std::string(QUIBBLY_DATA_DIR) + "/" + std::string(name);
}

std::string where(std::string_view file, std::size_t lineNo)
{
    std::ostringstream out;
    out << file << ":" << lineNo;
    return out.str();
}

// The lines of a data file (line 1 at index 0), without their CR LF. Fails
// the test for a missing file, a line not ended by CR LF, a lone CR or LF,
// or a byte outside printable ASCII.
std::optional<std::vector<std::string>> readLines(std::string_view name)
{
    std::ifstream in(dataPath(name), std::ios::binary);
    if (!in) {
        ADD_FAILURE() << "cannot open " << dataPath(name);
        return std::nullopt;
    }
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (bytes.empty()) {
        ADD_FAILURE() << name << " is empty";
        return std::nullopt;
    }

    std::vector<std::string> lines;
    std::string current;
    bool ok = true;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        const std::size_t lineNo = lines.size() + 1;
        if (c == '\r') {
            if (i + 1 < bytes.size() && bytes[i + 1] == '\n') {
                lines.push_back(current);
                current.clear();
                ++i;
            } else {
                ADD_FAILURE() << where(name, lineNo) << ": CR not followed by LF";
                ok = false;
            }
        } else if (c == '\n') {
            ADD_FAILURE() << where(name, lineNo) << ": LF not preceded by CR";
            ok = false;
        } else if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) > 0x7e) {
            ADD_FAILURE() << where(name, lineNo) << ": unexpected byte " << static_cast<int>(static_cast<unsigned char>(c));
            ok = false;
        } else {
            current += c;
        }
    }
    if (!current.empty()) {
        ADD_FAILURE() << where(name, lines.size() + 1) << ": last line is not ended by CR LF";
        ok = false;
    }
    if (!ok)
        return std::nullopt;
    return lines;
}

bool isWord(std::string_view s)
{
    return s.size() == kWordLength && std::all_of(s.begin(), s.end(), [](char c) { return c >= 'A' && c <= 'Z'; });
}

bool hasDistinctLetters(std::string_view w)
{
    return std::set<char>(w.begin(), w.end()).size() == w.size();
}

// Letters of `a` that are not in `b`.
std::string lettersNotIn(std::string_view a, std::string_view b)
{
    std::string out;
    for (char c : a)
        if (b.find(c) == std::string_view::npos)
            out += c;
    return out;
}

// Parses line 1 of a counted file; fails the test unless it is a plain
// decimal number.
std::optional<std::size_t> countLine(std::string_view file, const std::vector<std::string> &lines)
{
    if (lines.empty()) {
        ADD_FAILURE() << file << ": no count line";
        return std::nullopt;
    }
    const std::string &first = lines.front();
    if (first.empty() || first.size() > 9 || !std::all_of(first.begin(), first.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        ADD_FAILURE() << where(file, 1) << ": count line is not a decimal number: '" << first << "'";
        return std::nullopt;
    }
    return std::stoul(first);
}

struct Master {
    std::vector<std::string> words;
    std::set<std::string, std::less<>> set;
};

// Reads master.wtf, checking it on the way: count line, one word per line
// (its first five characters, all capitals), strictly alphabetical.
Master loadMaster()
{
    Master master;
    const auto lines = readLines("master.wtf");
    if (!lines)
        return master;
    const auto count = countLine("master.wtf", *lines);
    if (!count)
        return master;
    EXPECT_EQ(*count, lines->size() - 1) << "master.wtf: count line does not match the number of words";
    for (std::size_t i = 1; i < lines->size(); ++i) {
        const std::string &line = (*lines)[i];
        const std::string word = line.substr(0, kWordLength);
        if (!isWord(word)) {
            ADD_FAILURE() << where("master.wtf", i + 1) << ": not five capitals: '" << line << "'";
            continue;
        }
        if (!master.words.empty() && !(master.words.back() < word))
            ADD_FAILURE() << where("master.wtf", i + 1) << ": '" << word << "' is not after '"
                          << master.words.back() << "' (order or duplicate)";
        master.words.push_back(word);
        master.set.insert(word);
    }
    return master;
}

// Reads a level file and checks it against the master dictionary.
std::vector<std::string> checkLevelFile(std::string_view name, bool distinctLetters, const Master &master)
{
    std::vector<std::string> words;
    const auto lines = readLines(name);
    if (!lines)
        return words;
    const auto count = countLine(name, *lines);
    if (!count)
        return words;
    EXPECT_EQ(*count, lines->size() - 1) << name << ": count line does not match the number of words";
    EXPECT_GE(*count, 1U) << name << ": no words";
    EXPECT_LE(*count, kMaxLevelWords) << name << ": too many words";

    std::set<std::string, std::less<>> seen;
    for (std::size_t i = 1; i < lines->size(); ++i) {
        const std::string &word = (*lines)[i];
        const std::string at = where(name, i + 1);
        if (!isWord(word)) {
            ADD_FAILURE() << at << ": line is not exactly five capitals: '" << word << "'";
            continue;
        }
        if (distinctLetters && !hasDistinctLetters(word))
            ADD_FAILURE() << at << ": '" << word << "' repeats a letter";
        if (!seen.insert(word).second)
            ADD_FAILURE() << at << ": duplicate '" << word << "'";
        if (!master.set.contains(word))
            ADD_FAILURE() << at << ": '" << word << "' is not in master.wtf";
        words.push_back(word);
    }
    return words;
}

struct Series {
    std::string base;
    std::size_t lineNo = 0;
    std::vector<std::string> swaps;
};

// Reads series.wtf and checks every line of it against the master
// dictionary. A line of five characters starts a series; longer lines are
// swap lines of the open series; a shorter line closes it.
std::vector<Series> loadSeries(const Master &master)
{
    constexpr std::string_view name = "series.wtf";
    std::vector<Series> series;
    const auto lines = readLines(name);
    if (!lines)
        return series;

    bool open = false;
    for (std::size_t i = 0; i < lines->size(); ++i) {
        const std::string &line = (*lines)[i];
        const std::string at = where(name, i + 1);

        if (line.size() < kWordLength) {
            open = false;
            continue;
        }
        if (line.size() == kWordLength) {
            if (!isWord(line) || !hasDistinctLetters(line))
                ADD_FAILURE() << at << ": base '" << line << "' is not five different capitals";
            if (!master.set.contains(line))
                ADD_FAILURE() << at << ": base '" << line << "' is not in master.wtf";
            if (!series.empty() && !(series.back().base < line))
                ADD_FAILURE() << at << ": base '" << line << "' is not after '" << series.back().base
                              << "' (order or duplicate)";
            series.push_back(Series{line, i + 1, {}});
            open = true;
            continue;
        }

        // A swap line: "SWAPW X>Y", X given up, Y brought in (the last character).
        if (!open) {
            ADD_FAILURE() << at << ": swap line outside a series: '" << line << "'";
            continue;
        }
        Series &current = series.back();
        const std::string &base = current.base;
        const std::string swap = line.substr(0, kWordLength);
        current.swaps.push_back(swap);
        if (!isWord(swap) || !hasDistinctLetters(swap)) {
            ADD_FAILURE() << at << ": swap word '" << swap << "' is not five different capitals";
            continue;
        }
        if (!master.set.contains(swap))
            ADD_FAILURE() << at << ": swap word '" << swap << "' is not in master.wtf";

        const std::string givenUp = lettersNotIn(base, swap);
        const std::string broughtIn = lettersNotIn(swap, base);
        if (givenUp.size() != 1 || broughtIn.size() != 1) {
            ADD_FAILURE() << at << ": '" << swap << "' does not share exactly four letters with base '" << base << "'";
            continue;
        }
        const char last = line.back();
        if (last != broughtIn[0])
            ADD_FAILURE() << at << ": last character '" << last << "' is not the letter '" << broughtIn
                          << "' that '" << swap << "' brings into '" << base << "'";
        const std::string expected = swap + " " + givenUp + ">" + broughtIn;
        if (line != expected)
            ADD_FAILURE() << at << ": swap line '" << line << "', expected '" << expected << "'";
        if (std::count(current.swaps.begin(), current.swaps.end(), swap) > 1)
            ADD_FAILURE() << at << ": '" << swap << "' repeated in the series of '" << base << "'";
    }

    if (open)
        ADD_FAILURE() << name << ": the last series (base '" << series.back().base
                      << "') is not closed by a line shorter than five characters";
    for (const Series &s : series)
        if (s.swaps.size() > kMaxSwapLines)
            ADD_FAILURE() << where(name, s.lineNo) << ": series of '" << s.base << "' has " << s.swaps.size()
                          << " swap lines (at most " << kMaxSwapLines << ")";
    return series;
}

TEST(WordFiles, MasterIsCountedAlphabeticalAndWellFormed)
{
    const Master master = loadMaster();
    EXPECT_FALSE(master.words.empty());
}

TEST(WordFiles, LevelFilesAreWellFormedAndInMaster)
{
    const Master master = loadMaster();
    ASSERT_FALSE(master.words.empty());
    const auto easy = checkLevelFile("easy.wtf", true, master);
    const auto medium = checkLevelFile("medium.wtf", true, master);
    const auto hard = checkLevelFile("hard.wtf", false, master);

    // A word belongs to one level only.
    const std::set<std::string> easySet(easy.begin(), easy.end());
    const std::set<std::string> mediumSet(medium.begin(), medium.end());
    for (std::size_t i = 0; i < medium.size(); ++i)
        if (easySet.contains(medium[i]))
            ADD_FAILURE() << where("medium.wtf", i + 2) << ": '" << medium[i] << "' is also in easy.wtf";
    for (std::size_t i = 0; i < hard.size(); ++i)
        if (easySet.contains(hard[i]) || mediumSet.contains(hard[i]))
            ADD_FAILURE() << where("hard.wtf", i + 2) << ": '" << hard[i] << "' is also in easy.wtf or medium.wtf";
}

TEST(WordFiles, SeriesCoverMasterAndEasyWords)
{
    const Master master = loadMaster();
    ASSERT_FALSE(master.words.empty());
    const std::vector<Series> series = loadSeries(master);
    ASSERT_FALSE(series.empty());

    EXPECT_GE(master.words.size(), series.size()) << "master.wtf holds fewer words than series.wtf has bases";

    std::set<std::string, std::less<>> bases;
    for (const Series &s : series)
        bases.insert(s.base);
    for (std::size_t i = 0; i < master.words.size(); ++i) {
        const std::string &w = master.words[i];
        if (hasDistinctLetters(w) && !bases.contains(w))
            ADD_FAILURE() << where("master.wtf", i + 2) << ": '" << w << "' heads no series";
    }

    const auto easy = checkLevelFile("easy.wtf", true, master);
    ASSERT_FALSE(easy.empty());
    for (std::size_t i = 0; i < easy.size(); ++i)
        if (!bases.contains(easy[i]))
            ADD_FAILURE() << where("easy.wtf", i + 2) << ": '" << easy[i] << "' heads no series";

    // The computer learns about a letter outside the base only through a
    // swap line, so most series must have some.
    const auto withSwaps = std::count_if(series.begin(), series.end(), [](const Series &s) { return !s.swaps.empty(); });
    EXPECT_GT(withSwaps * 10, static_cast<long>(series.size()) * 9) << "fewer than 90% of the series have swap lines";
}

} // namespace
