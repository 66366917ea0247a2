// SPDX-License-Identifier: GPL-3.0-or-later
// Checks the word files shipped in data/: their line format, the level files,
// the master dictionary and the series the computer uses to deduce the
// player's word. Every failure names the file and line at fault.

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <set>

namespace {

constexpr std::size_t kWordLength = 5;
constexpr std::size_t kMaxLevelWords = 6000;
constexpr std::size_t kLinesPerGivenUpLetter = 2;  // make_word_lists writes at most this many

// Words, each with the index of its line (line 1 at index 0).
using Words = std::map<std::string, std::size_t, std::less<>>;

std::string At(std::string_view name, std::size_t index) {  // "name:N: "
    return std::string(name) + ":" + std::to_string(index + 1) + ": ";
}

// The one reader of every file: its lines without their CR LF. Fails for a missing or
// empty file, a lone CR or LF, a byte outside printable ASCII or an unended last line.
std::vector<std::string> Read(std::string_view name) {
    std::ifstream in(std::string(QUIBBLY_DATA_DIR "/") + std::string(name), std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    EXPECT_FALSE(bytes.empty()) << name << " is missing or empty";
    std::vector<std::string> lines;
    std::string line;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') {
            lines.push_back(std::exchange(line, {}));
            ++i;
        } else if (c < 0x20 || c > 0x7e) {
            ADD_FAILURE() << At(name, lines.size()) << "byte " << int{c} << " (only CR LF may end a line)";
        } else {
            line += static_cast<char>(c);
        }
    }
    EXPECT_TRUE(line.empty()) << At(name, lines.size()) << "last line is not ended by CR LF";
    return lines;
}

bool IsWord(std::string_view s) {
    return s.size() == kWordLength && std::ranges::all_of(s, [](char c) { return c >= 'A' && c <= 'Z'; });
}

bool FiveDifferent(std::string_view w) {
    return IsWord(w) && std::set<char>(w.begin(), w.end()).size() == kWordLength;
}

// Letters of `a` that are not in `b`.
std::string LettersNotIn(std::string_view a, std::string_view b) {
    std::string out;
    std::ranges::copy_if(a, std::back_inserter(out), [b](char c) { return b.find(c) == b.npos; });
    return out;
}

// The lines after line 1 of a counted file, which must be their decimal count.
std::vector<std::string> CountedLines(std::string_view name) {
    std::vector<std::string> lines = Read(name);
    const std::string count = lines.empty() ? "" : lines[0];
    const bool number = !count.empty() && count.size() < 10 &&
                        std::ranges::all_of(count, [](char c) { return c >= '0' && c <= '9'; });
    EXPECT_TRUE(number) << At(name, 0) << "no count line";
    if (!number) return {};
    EXPECT_EQ(std::stoul(count), lines.size() - 1) << At(name, 0) << "count does not match the words";
    lines.erase(lines.begin());
    return lines;
}

// master.wtf: counted, a word (a line's first five characters) a line, none twice.
Words ReadMaster() {
    const std::vector<std::string> lines = CountedLines("master.wtf");
    Words master;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string word = lines[i].substr(0, kWordLength), at = At("master.wtf", i + 1);
        if (!IsWord(word))
            ADD_FAILURE() << at << "not five capitals: '" << lines[i] << "'";
        else if (!master.emplace(word, i + 1).second)
            ADD_FAILURE() << at << "duplicate '" << word << "'";
    }
    return master;
}

// A level file: counted, 1 to 6000 words of five capitals (five different
// ones if asked), none twice, every one in master.wtf.
Words ReadLevel(std::string_view name, bool fiveDifferent, const Words& master) {
    const std::vector<std::string> lines = CountedLines(name);
    EXPECT_TRUE(!lines.empty() && lines.size() <= kMaxLevelWords) << name << ": " << lines.size() << " words";
    Words words;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string word = lines[i], at = At(name, i + 1);
        if (!IsWord(word) || (fiveDifferent && !FiveDifferent(word)))
            ADD_FAILURE() << at << "'" << word << "' is not five (different) capitals";
        if (!words.emplace(word, i + 1).second) ADD_FAILURE() << at << "duplicate '" << word << "'";
        if (!master.contains(word)) ADD_FAILURE() << at << "'" << word << "' is not in master.wtf";
    }
    return words;
}

// A series by its base word: the index of the base's line and the swap words.
using Series = std::map<std::string, std::pair<std::size_t, std::set<std::string>>>;

// series.wtf: a line of five characters starts a series, longer lines are its swap
// lines ("SWAPW X>Y": X given up, Y brought in) and a shorter line closes it.
Series ReadSeries(const Words& master) {
    const std::vector<std::string> lines = Read("series.wtf");
    Series series;
    Series::iterator open = series.end();
    std::map<std::string, std::size_t> givingUp;  // lines by base and letter given up
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        const std::string word = line.substr(0, kWordLength);
        const std::string at = At("series.wtf", i);
        if (line.size() < kWordLength) {
            open = series.end();
            continue;
        }
        if (!FiveDifferent(word)) ADD_FAILURE() << at << "'" << word << "' is not five different capitals";
        if (!master.contains(word)) ADD_FAILURE() << at << "'" << word << "' is not in master.wtf";
        if (line.size() == kWordLength) {
            if (!series.empty() && !(series.rbegin()->first < line))
                ADD_FAILURE() << at << "base '" << line << "' out of order or repeated";
            open = series.try_emplace(line, i, std::set<std::string>{}).first;
        } else if (open == series.end()) {
            ADD_FAILURE() << at << "swap line outside a series: '" << line << "'";
        } else {
            const std::string& base = open->first;
            const std::string givenUp = LettersNotIn(base, word), broughtIn = LettersNotIn(word, base);
            if (givenUp.size() != 1 || broughtIn.size() != 1)
                ADD_FAILURE() << at << "'" << word << "' does not share four letters with '" << base << "'";
            else if (line != word + " " + givenUp + ">" + broughtIn)
                ADD_FAILURE() << at << "'" << line << "' is not 'WORD X>Y' for the letters swapped";
            else if (++givingUp[base + givenUp] > kLinesPerGivenUpLetter)
                ADD_FAILURE() << at << "more than " << kLinesPerGivenUpLetter << " lines give up " << givenUp;
            if (!open->second.second.insert(word).second)
                ADD_FAILURE() << at << "'" << word << "' repeated in the series of '" << base << "'";
        }
    }
    EXPECT_TRUE(open == series.end()) << "series.wtf: the last series is not closed by a short line";
    return series;
}

TEST(WordFiles, LevelFilesAreWellFormedAndMasterIsAToZ) {
    const Words master = ReadMaster();
    ASSERT_FALSE(master.empty());
    // A word belongs to one level only.
    Words easier;
    for (const auto& [name, fiveDifferent] :
         {std::pair{"easy.wtf", true}, std::pair{"medium.wtf", true}, std::pair{"hard.wtf", false}}) {
        const Words words = ReadLevel(name, fiveDifferent, master);
        for (const auto& [word, index] : words)
            if (easier.contains(word))
                ADD_FAILURE() << At(name, index) << "'" << word << "' is in an easier level";
        easier.insert(words.begin(), words.end());
    }
    // master.wtf is a dictionary: A to Z, line by line.
    std::vector<std::pair<std::size_t, std::string>> byLine;
    for (const auto& [word, index] : master) byLine.emplace_back(index, word);
    std::ranges::sort(byLine);
    for (std::size_t i = 1; i < byLine.size(); ++i)
        if (!(byLine[i - 1].second < byLine[i].second))
            ADD_FAILURE() << At("master.wtf", byLine[i].first) << "'" << byLine[i].second
                          << "' is not after '" << byLine[i - 1].second << "'";
}

// The easy words are master words (checked above): they are covered with them.
TEST(WordFiles, SeriesCoverMasterWords) {
    const Words master = ReadMaster();
    const Series series = ReadSeries(master);
    for (const auto& [word, index] : master)
        if (FiveDifferent(word) && !series.contains(word))
            ADD_FAILURE() << At("master.wtf", index) << "'" << word << "' heads no series";

    // The computer learns about a letter outside the base only through a
    // swap line, so most series must have some.
    const auto withSwaps = std::count_if(series.begin(), series.end(),
                                         [](const auto& entry) { return !entry.second.second.empty(); });
    EXPECT_GT(withSwaps * 10, std::ssize(series) * 9) << "fewer than 90% of the series have swaps";
}

}  // namespace
