// SPDX-License-Identifier: GPL-3.0-or-later
// Damaged word files, made from slices of the shipped ones: each is answered
// with a message that names the file (or, where the file's format lets the
// game read past the damage, the game plays on), the game stays usable once
// the file is mended, and nothing on disk changes.
#include <algorithm>
#include <iostream>
#include <set>

#include "reliability/damaged_files.h"

namespace quibbly::testing {
namespace {

using namespace Functions;

class DamagedWordFiles : public FreshGame {
protected:
    // Twelve easy words, their series and a dictionary of every word in them,
    // all taken from the shipped files.
    void SetUp() override {
        FreshGame::SetUp();
        const std::vector<std::string> shippedEasy = ShippedLines("easy.wtf");
        easy = {"12"};
        easy.insert(easy.end(), shippedEasy.begin() + 1, shippedEasy.begin() + 13);
        const std::vector<std::string> shippedSeries = ShippedLines("series.wtf");
        const std::set<std::string> bases(easy.begin() + 1, easy.end());
        std::set<std::string> words = bases;
        for (std::size_t i = 0; i < shippedSeries.size(); ++i) {
            if (!bases.contains(shippedSeries[i])) continue;
            series.push_back(shippedSeries[i]);
            for (++i; i < shippedSeries.size() && shippedSeries[i].size() > 5; ++i) {
                series.push_back(shippedSeries[i]);
                words.insert(shippedSeries[i].substr(0, 5));
            }
            --i;
        }
        series.push_back("");  // the last series ends at a short line
        dictionary.assign(words.begin(), words.end());
        master = {std::to_string(dictionary.size())};
        master.insert(master.end(), dictionary.begin(), dictionary.end());
        playerWord = easy[2];
        for (const auto& [name, lines] :
             {std::pair{"easy.wtf", &easy}, {"master.wtf", &master}, {"series.wtf", &series}})
            WriteLines(name, *lines);
    }

    bool InDictionary(const std::string& word) const {
        return std::binary_search(dictionary.begin(), dictionary.end(), word);
    }
    bool Started() { return !Form().GameStart.Enabled() && !MyWord.empty(); }

    // Puts the damage in place and runs play(); checks that the files on disk
    // are as they were, then mends the file. False when the damage cannot be
    // made here.
    template <class Play>
    bool WithDamage(const std::string& name, const std::vector<std::string>& good, const Damaged& damage,
                    Play play) {
        if (!PutInPlace(name, damage)) {
            std::cout << "[   NOTE   ] " << name << " " << damage.what
                      << ": not tried, the superuser reads every file\n";
            WriteLines(name, good);
            return false;
        }
        const auto before = FolderSnapshot();
        play();
        EXPECT_EQ(FolderSnapshot(), before) << name << " " << damage.what << ": the files on disk changed";
        RemoveDamage(name);
        WriteLines(name, good);
        return true;
    }

    void TypeWordAndEnter(bool playerFirst) {
        Form().YourWordText.SetText("");
        platform.NextRandom(0.9);  // the computer's word
        platform.NextRandom(playerFirst ? 0.9 : 0.1);
        Form().YourWordText.Type(playerWord + "\r");
    }

    std::vector<std::string> easy, series, master, dictionary;
    std::string playerWord;
};

TEST_F(DamagedWordFiles, ALevelFileIsRefusedByNameUntilItIsMended) {
    std::vector<std::pair<Damaged, std::string>>
        table;  // the damage and the fault named; "": the game starts
    for (const Damaged& damage : CommonDamage(easy)) {
        std::string fault = "is missing or cannot be read";
        if (damage.what == "empty") fault = "is empty";
        if (damage.what == "binary noise") fault = "does not start with a word count from 1 to 6000";
        if (damage.what == "a huge second line" || damage.what == "cut within the last line")
            fault = "has a line that is not a five-letter word in capitals: line " +
                    std::to_string(damage.what == "a huge second line" ? 2 : 13);
        if (damage.what.starts_with("cut after"))
            fault = "holds " + std::to_string(damage.linesKept - 1) +
                    " words, fewer than the 12 its first line names";
        if (damage.what == "CR LF and LF mixed" || damage.what == "no line end after the last line")
            fault = "";
        table.emplace_back(damage, fault);
    }
    const std::string badCount = "does not start with a word count from 1 to 6000";
    for (const auto& [count, fault] : std::vector<std::pair<std::string, std::string>>{
             {"0", badCount},
             {"-3", badCount},
             {"6001", badCount},
             {"99999999999999999999", badCount},
             {"-99999999999999999999", badCount},
             {"nan", badCount},
             {"13", "holds 12 words, fewer than the 13 its first line names"},
             {"1e308", ""},  // read as 1: only plain decimals count
             {"2.5", ""},
             {"  12", ""}})
        table.emplace_back(CountsThatLie(easy, {count}).front(), fault);
    ASSERT_GE(table.size(), 25u);

    QuibblyForm& form = Form();
    for (const auto& [damage, fault] : table) {
        SCOPED_TRACE("easy.wtf " + damage.what);
        const bool tried = WithDamage("easy.wtf", easy, damage, [&] {
            TypeWordAndEnter(true);
            if (fault.empty()) {
                EXPECT_TRUE(Boxes().empty());
                EXPECT_TRUE(Started());
                EXPECT_TRUE(std::find(easy.begin() + 1, easy.end(), MyWord) != easy.end()) << MyWord;
                return;
            }
            EXPECT_EQ(Boxes(), std::vector<ShownBox>{
                                   Warn("The word file \"easy.wtf\" " + fault + ".", "Word File Error")});
            EXPECT_FALSE(Started());
            EXPECT_EQ(form.YourWordText.Text(), playerWord);
            EXPECT_TRUE(form.YourWordText.Enabled() && form.GameStart.Enabled());
            EXPECT_FALSE(form.GuessButton.Enabled() || form.ZeroButton.Enabled());
        });
        if (tried && !Started()) {
            // Mended, the same word starts the game.
            TypeWordAndEnter(true);
            EXPECT_TRUE(Boxes().empty());
            EXPECT_TRUE(Started() && form.GuessButton.Enabled());
        }
        form.FileNew.Choose();
    }
}

TEST_F(DamagedWordFiles, ADamagedDictionaryIsNamedWhenItHoldsNoWordsAndOtherwiseOnlyLacksWords) {
    const auto wordLine = std::find(master.begin(), master.end(), playerWord) - master.begin();
    const ShownBox noWords = Warn("The word file \"master.wtf\" holds no words.", "Word File Error");
    const ShownBox unreadable =
        Warn("The word file \"master.wtf\" is missing or cannot be read.", "Word File Error");
    const ShownBox notFound = Warn("Please check that you've spelled that right.", "Word not found");
    std::vector<std::pair<Damaged, std::vector<ShownBox>>> table;  // no box: the game starts
    for (const Damaged& damage : CommonDamage(master)) {
        std::vector<ShownBox> boxes;
        if (damage.what == "empty" || damage.what == "binary noise" || damage.linesKept == 1)
            boxes = {noWords};
        if (damage.what.starts_with("cut after") && damage.linesKept > 1 && damage.linesKept <= wordLine)
            boxes = {notFound};
        if (damage.harm != Harm::Bytes) boxes = {unreadable};
        table.emplace_back(damage, boxes);
    }
    // The count line is skipped: whatever it says, the words are read.
    for (const Damaged& damage : CountsThatLie(master, {"0", "-5", "99999999999999999999", "nan", ""}))
        table.emplace_back(damage, std::vector<ShownBox>{});
    ASSERT_GE(table.size(), 25u);

    QuibblyForm& form = Form();
    for (const auto& [damage, boxes] : table) {
        SCOPED_TRACE("master.wtf " + damage.what);
        const bool tried = WithDamage("master.wtf", master, damage, [&] {
            TypeWordAndEnter(true);
            // Enter looks the word up once, and Start once more if it passed.
            EXPECT_EQ(Boxes(), boxes);
            EXPECT_EQ(Started(), boxes.empty());
            EXPECT_EQ(form.YourWordText.Text(), playerWord);
        });
        if (tried && !Started()) {
            TypeWordAndEnter(true);
            EXPECT_TRUE(Boxes().empty());
            EXPECT_TRUE(Started());
        }
        form.FileNew.Choose();
    }
}

TEST_F(DamagedWordFiles, TheComputerPlaysOnWithADamagedSeriesFileAndNamesAMissingOneOnceAGame) {
    QuibblyForm& form = Form();
    const ShownBox missing =
        Warn("The word file \"series.wtf\" is missing or cannot be read.", "Word File Error");
    std::vector<Damaged> table = CommonDamage(series);
    ASSERT_GE(table.size(), 50u);
    for (const Damaged& damage : table) {
        SCOPED_TRACE("series.wtf " + damage.what);
        WithDamage("series.wtf", series, damage, [&] {
            // The series format skips lines it does not know, so damage costs
            // the computer its plan, not the game: it still names a word.
            TypeWordAndEnter(false);
            const std::vector<ShownBox> boxes = Boxes();
            EXPECT_EQ(boxes,
                      damage.harm == Harm::Bytes ? std::vector<ShownBox>{} : std::vector<ShownBox>{missing});
            EXPECT_TRUE(InDictionary(form.MyGuessText.Text())) << form.MyGuessText.Text();
            // A turn later the game goes on, and a missing file is not named again.
            const int count = MatchCount(form.MyGuessText.Text(), playerWord);
            form.CountButtons()[static_cast<std::size_t>(count)]->Press();
            form.YourGuessText.SetText(MyWord == dictionary[0] ? dictionary[1] : dictionary[0]);
            form.GuessButton.Press();
            const std::vector<ShownBox> later = Boxes();
            ASSERT_EQ(later.size(), 1u);
            EXPECT_EQ(later[0].title, "Your Guess");
            EXPECT_TRUE(InDictionary(form.MyGuessText.Text())) << form.MyGuessText.Text();
        });
        form.FileNew.Choose();
    }

    // The computer draws its series from the easy words at every level.
    form.LevelMedium.Choose();
    WriteLines("medium.wtf", {"1", playerWord == easy[1] ? easy[3] : easy[1]});
    // A count past any whole number (found by the fuzzer) is a fault like a
    // missing file.
    std::vector<std::pair<Damaged, std::string>> easyTable = {
        {{"missing", Harm::Missing}, "is missing or cannot be read"}};
    for (const char* count : {"700000000000000000000", "-700000000000000000000", "6001", "0"})
        easyTable.emplace_back(CountsThatLie(easy, {count}).front(),
                               "does not start with a word count from 1 to 6000");
    for (const auto& [damage, fault] : easyTable) {
        SCOPED_TRACE("easy.wtf " + damage.what);
        WithDamage("easy.wtf", easy, damage, [&] {
            TypeWordAndEnter(false);
            EXPECT_EQ(Boxes(), std::vector<ShownBox>{
                                   Warn("The word file \"easy.wtf\" " + fault + ".", "Word File Error")});
            EXPECT_TRUE(InDictionary(form.MyGuessText.Text())) << form.MyGuessText.Text();
        });
        form.FileNew.Choose();
    }
}

}  // namespace
}  // namespace quibbly::testing
