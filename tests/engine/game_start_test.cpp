// SPDX-License-Identifier: GPL-3.0-or-later
// Starting a game: the checks on the player's word and their messages, the draws of the
// computer's word and of the first turn, and word files that cannot be used.
#include <unistd.h>

#include <filesystem>

#include "support/fresh_game.h"

namespace quibbly::testing {
namespace {

using namespace Functions;

class GameStart : public FreshGameWith<WriteWordFiles> {
protected:
    // The state before a game, with the player's word still in its box.
    void ExpectIdle(const std::string& word) {
        QuibblyForm& form = Form();
        EXPECT_EQ(form.YourWordText.Text(), word);
        EXPECT_TRUE(form.YourWordText.Enabled() && form.GameStart.Enabled() && form.LevelHard.Enabled());
        EXPECT_FALSE(form.GamePause.Enabled() || form.GuessButton.Enabled() || form.ZeroButton.Enabled() ||
                     form.WordHint.Enabled());
        EXPECT_EQ(form.WhoLabel.Caption() + MyWord, "");
    }
    std::vector<ShownBox> StartWith(const std::string& word) {
        Form().YourWordText.SetText(word);
        Form().GameStart.Choose();
        return Boxes();
    }
};

const ShownBox ShortWord = Info("You must have 5-letter word.", "Game Start Error");
const ShownBox NotFound = Warn("Please check that you've spelled that right.", "Word not found");
const ShownBox Repeated = Info(
    "You are not playing the hard game, you cannot have duplicate letters in your word.", "Game Start Error");
const ShownBox Invalid = Info("You must use a valid word.", "Game Start Error");

TEST_F(GameStart, EveryRuleRefusesAWordThenTypingAGoodWordStartsThePlayersTurn) {
    QuibblyForm& form = Form();
    const std::vector<std::pair<std::string, std::vector<ShownBox>>> refused = {
        {"ABC", {ShortWord, NotFound}}, {"ABCDE", {NotFound}},          {"LEVEL", {Repeated}},
        {"LEV1L", {Invalid, NotFound}}, {"HOU E", {Invalid, NotFound}},
    };
    for (const auto& [word, boxes] : refused) EXPECT_EQ(StartWith(word), boxes) << word;
    EXPECT_TRUE(!WordOK && TurnNumber == 0.5f);
    ExpectIdle("HOU E");

    // Typed letters turn to capitals, five at most (typed through the widgets in the Qt test); Enter starts.
    form.YourWordText.SetText("HOUSE");
    form.YourWordText.Type("\b\bsE!x");
    EXPECT_EQ(form.YourWordText.Text(), "HOUSE");
    platform.NextRandom(0.5);  // PLANT
    platform.NextRandom(0.9);  // the player begins
    form.YourWordText.Type("\r");
    EXPECT_TRUE(Boxes().empty());  // only the first five characters of HOUSES count
    EXPECT_EQ(form.YourWordText.Text(), "HOUSE");
    EXPECT_EQ(MyWord, "PLANT");
    EXPECT_TRUE(WordOK && GameOn && PossibleLetters == Alphabet && FirstCount == -1);
    EXPECT_FALSE(form.GameStart.Enabled() || form.YourWordText.Enabled() || form.LevelEasy.Enabled() ||
                 form.ZeroButton.Enabled() || form.CorrectButton.Enabled());
    EXPECT_TRUE(form.GamePause.Enabled() && form.WordMatch.Enabled() && form.WordHint.Enabled() &&
                form.LetterButton(25).Enabled() && form.ResetButton.Enabled());
    EXPECT_TRUE(form.GuessButton.Enabled() && form.YourGuessText.HasFocus());

    // Enter in the guess box guesses; a bad guess shows only the first check.
    form.YourGuessText.Type("abc\r");
    EXPECT_EQ(form.YourGuessText.Text(), "ABC");
    EXPECT_EQ(Boxes(), std::vector<ShownBox>{ShortWord});
    form.YourGuessText.SetText("");
    form.YourGuessText.Type("hho1s\r");
    EXPECT_EQ(Boxes(), std::vector<ShownBox>{Invalid});
    EXPECT_EQ(form.WhoLabel.Caption(), "It's Your Turn");

    // At Hard a word may repeat letters.
    form.FileNew.Choose();
    form.LevelHard.Choose();
    Start("LEVEL", 0, 2, true);
    EXPECT_TRUE(Boxes().empty());
    EXPECT_EQ(form.GameLabel.Caption(), "Hard");
}

TEST_F(GameStart, TheComputerWordComesFromTheLevelFileAndAnEvenDrawLetsTheComputerBegin) {
    QuibblyForm& form = Form();
    form.LevelMedium.Choose();
    form.YourWordText.SetText("HOUSE");
    platform.NextRandom(0.9999);  // the last word of the level file
    platform.NextRandom(0.5);     // exactly one half: the computer begins
    form.GameStart.Choose();
    EXPECT_EQ(MyWord, "MOUSE");
    EXPECT_FALSE(form.WordMatch.Enabled());
    EXPECT_EQ(form.WhoLabel.Caption(), "It's My Turn");
    EXPECT_EQ(form.MyGuessText.Text().size(), 5u);
    EXPECT_TRUE(form.ZeroButton.Enabled() && form.CorrectButton.Enabled());
    EXPECT_FALSE(form.YourGuessText.Enabled() || form.GuessButton.Enabled());

    // Every draw lands on a word line, never the count line.
    for (double fraction : {0.0, 0.49, 0.51, 0.99999}) {
        form.FileNew.Choose();
        form.YourWordText.SetText("HOUSE");
        platform.NextRandom(fraction);
        platform.NextRandom(0.9);
        form.GameStart.Choose();
        EXPECT_TRUE(MyWord == "BLIMP" || MyWord == "MOUSE") << fraction << " gave " << MyWord;
    }
}

TEST_F(GameStart, AWordFileThatCannotBeUsedIsNamedAndTheGameStaysIdle) {
    QuibblyForm& form = Form();
    auto fault = [](const std::string& text) {
        return std::vector<ShownBox>{Warn("The word file \"" + text, "Word File Error")};
    };
    auto matchAndReset = [&] { return std::pair(form.WordMatch.Enabled(), form.ResetButton.Enabled()); };
    const auto beforeFirstGame = matchAndReset();
    const std::string noCount = "easy.wtf\" does not start with a word count from 1 to 6000.";
    const std::vector<std::pair<std::vector<std::string>, std::string>> damaged = {
        {{"words", "HOUSE"}, noCount},
        {{"6001", "HOUSE"}, noCount},
        {{"0"}, noCount},
        {{"4", "HOUSE", "PLANT"}, "easy.wtf\" holds 2 words, fewer than the 4 its first line names."},
        {{"2", "HOUSE", "pl"}, "easy.wtf\" has a line that is not a five-letter word in capitals: line 3."},
        {{}, "easy.wtf\" is empty."},
    };
    for (const auto& [lines, text] : damaged) {
        WriteLines("easy.wtf", lines);
        EXPECT_EQ(StartWith("HOUSE"), fault(text));
        EXPECT_EQ(matchAndReset(), beforeFirstGame);
    }
    std::filesystem::remove("easy.wtf");
    std::filesystem::create_directory("easy.wtf");
    EXPECT_EQ(StartWith("HOUSE"), fault("easy.wtf\" is missing or cannot be read."));
    std::filesystem::remove("easy.wtf");
    EXPECT_EQ(StartWith("HOUSE"), fault("easy.wtf\" is missing or cannot be read."));
    ExpectIdle("HOUSE");

    // A count that rounds into range is taken as the word count.
    WriteLines("easy.wtf", {"1.4", "CRISP", "PLANT"});
    EXPECT_TRUE(StartWith("HOUSE").empty());
    EXPECT_EQ(MyWord, "CRISP");
    EXPECT_EQ(LevelWordCount, 1);

    // After a game Match and Reset stay open, and a failed start keeps them so.
    form.FileNew.Choose();
    const auto afterAGame = matchAndReset();
    EXPECT_NE(afterAGame, beforeFirstGame);
    form.LevelMedium.Choose();
    std::filesystem::remove("medium.wtf");
    EXPECT_EQ(StartWith("HOUSE"), fault("medium.wtf\" is missing or cannot be read."));
    EXPECT_EQ(matchAndReset(), afterAGame);

    // Without the dictionary no word passes, and nothing starts; one that
    // holds no words is named as such, not taken for a misspelling.
    form.FileNew.Choose();
    std::filesystem::remove("master.wtf");
    EXPECT_EQ(StartWith("HOUSE"), fault("master.wtf\" is missing or cannot be read."));
    EXPECT_FALSE(WordOK);
    ExpectIdle("HOUSE");
    WriteLines("master.wtf", {"14"});
    EXPECT_EQ(StartWith("HOUSE"), fault("master.wtf\" holds no words."));
    ExpectIdle("HOUSE");

    // A file its owner may not read (only a normal user can be refused).
    if (::geteuid() != 0) {
        WriteWordFiles();
        std::filesystem::permissions("medium.wtf", std::filesystem::perms::none);
        EXPECT_EQ(StartWith("HOUSE"), fault("medium.wtf\" is missing or cannot be read."));
        ExpectIdle("HOUSE");
    }
}

}  // namespace
}  // namespace quibbly::testing
