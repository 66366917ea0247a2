// SPDX-License-Identifier: GPL-3.0-or-later
// Starting a game: the checks on the player's word, the messages a player
// sees, the draw of the computer's word and of the first turn, and the
// word files that cannot be used.
#include <filesystem>

#include "support/fresh_game.h"

namespace quibbly::testing {
namespace {

using namespace Functions;

class GameStart : public FreshGame {
protected:
    void SetUp() override {
        FreshGame::SetUp();
        WriteWordFiles();
    }
    // The state before a game, with the player's word still in its box.
    void ExpectIdle(const std::string& word) {
        QuibblyForm& form = Form();
        EXPECT_EQ(form.YourWordText.Text(), word);
        EXPECT_TRUE(form.YourWordText.Enabled());
        EXPECT_TRUE(form.GameStart.Enabled());
        EXPECT_FALSE(form.GameResume.Enabled());
        EXPECT_FALSE(form.GamePause.Enabled());
        EXPECT_TRUE(form.LevelEasy.Enabled() && form.LevelMedium.Enabled() && form.LevelHard.Enabled());
        EXPECT_FALSE(form.GuessButton.Enabled());
        EXPECT_FALSE(form.ZeroButton.Enabled());
        EXPECT_FALSE(form.WordHint.Enabled());
        EXPECT_EQ(form.WhoLabel.Caption(), "");
        EXPECT_EQ(MyWord, "");
    }
};

const ShownBox ShortWord = Info("You must have 5-letter word.", "Game Start Error");
const ShownBox NotFound = Warn("Please check that you've spelled that right.", "Word not found");
const ShownBox Repeated = Info(
    "You are not playing the hard game, you cannot have duplicate letters in your word.", "Game Start Error");
const ShownBox Invalid = Info("You must use a valid word.", "Game Start Error");

TEST_F(GameStart, ShortWordShowsBothMessagesAndAGoodWordStartsThePlayersTurn) {
    QuibblyForm& form = Form();
    form.YourWordText.SetText("ABC");
    form.GameStart.Choose();
    EXPECT_EQ(Boxes(), (std::vector<ShownBox>{ShortWord, NotFound}));
    EXPECT_FLOAT_EQ(TurnNumber, 0.5f);
    ExpectIdle("ABC");

    Start("HOUSE", 1, 3, true);
    EXPECT_TRUE(Boxes().empty());
    EXPECT_EQ(MyWord, "PLANT");
    EXPECT_TRUE(WordOK && GameOn);
    EXPECT_EQ(PossibleLetters, Alphabet);
    EXPECT_EQ(FirstCount, -1);
    EXPECT_FALSE(form.GameStart.Enabled());
    EXPECT_TRUE(form.GameResume.Enabled() && form.GamePause.Enabled());
    EXPECT_FALSE(form.LevelEasy.Enabled() || form.LevelMedium.Enabled() || form.LevelHard.Enabled());
    EXPECT_TRUE(form.WordMatch.Enabled());  // an Easy game
    EXPECT_TRUE(form.WordHint.Enabled() && form.WordSeries.Enabled() && form.WordIdea.Enabled());
    EXPECT_FALSE(form.YourWordText.Enabled());
    EXPECT_TRUE(form.LetterButton(25).Enabled() && form.ResetButton.Enabled() &&
                form.YourGuessList.Enabled());
    // The player's turn.
    EXPECT_EQ(form.TurnLabel.Caption(), "1");
    EXPECT_EQ(form.WhoLabel.Caption(), "It's Your Turn");
    EXPECT_TRUE(form.YourGuessText.Enabled() && form.GuessButton.Enabled());
    EXPECT_TRUE(form.YourGuessText.HasFocus());
    EXPECT_FALSE(form.ZeroButton.Enabled() || form.CorrectButton.Enabled());
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

TEST_F(GameStart, EveryWordCheckRuleWithItsMessage) {
    QuibblyForm& form = Form();
    auto check = [&](const std::string& word) {
        form.YourWordText.SetText(word);
        form.GameStart.Choose();
        return Boxes();
    };
    EXPECT_EQ(check("ABCDE"), std::vector<ShownBox>{NotFound});
    EXPECT_EQ(check("LEVEL"), std::vector<ShownBox>{Repeated});
    EXPECT_EQ(check("LEV1L"), (std::vector<ShownBox>{Invalid, NotFound}));
    EXPECT_EQ(check("HOU E"), (std::vector<ShownBox>{Invalid, NotFound}));
    EXPECT_FALSE(WordOK);
    ExpectIdle("HOU E");
    // Only the first five characters of a dictionary line count: HOUSES holds HOUSE.
    EXPECT_TRUE(check("HOUSE").empty());
    EXPECT_EQ(form.WhoLabel.Caption().empty(), false);

    form.FileNew.Choose();
    form.LevelHard.Choose();
    EXPECT_TRUE(check("LEVEL").empty());
    EXPECT_EQ(form.GameLabel.Caption(), "Hard");
    EXPECT_TRUE(MyWord == "THEME" || MyWord == "LEVEL");
}

TEST_F(GameStart, TypedLettersTurnToCapitalsAndEnterStarts) {
    QuibblyForm& form = Form();
    form.YourWordText.Type("hoUse!x");
    EXPECT_EQ(form.YourWordText.Text(), "HOUSE");  // at most five characters
    form.YourWordText.Type("\b\bsE");
    EXPECT_EQ(form.YourWordText.Text(), "HOUSE");
    platform.NextRandom(0.0);
    platform.NextRandom(0.9);
    form.YourWordText.Type("\r");
    EXPECT_TRUE(Boxes().empty());
    EXPECT_EQ(MyWord, "HOUSE");
    EXPECT_FALSE(form.YourWordText.Enabled());
    EXPECT_EQ(form.YourWordText.Text(), "HOUSE");  // Enter inserts nothing

    // Enter in the guess box guesses; a bad guess shows only the first check.
    form.YourGuessText.Type("abc\r");
    EXPECT_EQ(form.YourGuessText.Text(), "ABC");
    EXPECT_EQ(Boxes(), std::vector<ShownBox>{ShortWord});
    form.YourGuessText.SetText("");
    form.YourGuessText.Type("hho1s\r");
    EXPECT_EQ(Boxes(), std::vector<ShownBox>{Invalid});
    EXPECT_EQ(form.WhoLabel.Caption(), "It's Your Turn");
}

TEST_F(GameStart, AWordFileThatCannotBeUsedIsNamedAndTheGameStaysIdle) {
    QuibblyForm& form = Form();
    auto startWithEasyFile = [&](const std::vector<std::string>& lines) {
        WriteLines("easy.wtf", lines);
        form.YourWordText.SetText("HOUSE");
        form.GameStart.Choose();
        return Boxes();
    };
    auto fault = [](const std::string& text) { return std::vector<ShownBox>{Warn(text, "Word File Error")}; };
    auto matchAndReset = [&] { return std::pair(form.WordMatch.Enabled(), form.ResetButton.Enabled()); };
    const auto beforeFirstGame = matchAndReset();

    EXPECT_EQ(startWithEasyFile({"words", "HOUSE"}),
              fault("The word file \"easy.wtf\" does not start with a word count from 1 to 6000."));
    ExpectIdle("HOUSE");
    EXPECT_EQ(matchAndReset(), beforeFirstGame);
    EXPECT_EQ(startWithEasyFile({"6001", "HOUSE"}),
              fault("The word file \"easy.wtf\" does not start with a word count from 1 to 6000."));
    EXPECT_EQ(startWithEasyFile({"0"}),
              fault("The word file \"easy.wtf\" does not start with a word count from 1 to 6000."));
    EXPECT_EQ(startWithEasyFile({"4", "HOUSE", "PLANT"}),
              fault("The word file \"easy.wtf\" holds 2 words, fewer than the 4 its first line names."));
    EXPECT_EQ(
        startWithEasyFile({"2", "HOUSE", "pl"}),
        fault("The word file \"easy.wtf\" has a line that is not a five-letter word in capitals: line 3."));
    EXPECT_EQ(startWithEasyFile({}), fault("The word file \"easy.wtf\" is empty."));
    ExpectIdle("HOUSE");

    std::filesystem::remove("easy.wtf");
    std::filesystem::create_directory("easy.wtf");
    EXPECT_EQ(startWithEasyFile({}), fault("The word file \"easy.wtf\" is missing or cannot be read."));
    std::filesystem::remove("easy.wtf");
    form.GameStart.Choose();
    EXPECT_EQ(Boxes(), fault("The word file \"easy.wtf\" is missing or cannot be read."));
    ExpectIdle("HOUSE");

    // A count that rounds into range is taken as the word count.
    EXPECT_TRUE(startWithEasyFile({"1.4", "CRISP", "PLANT"}).empty());
    EXPECT_EQ(MyWord, "CRISP");
    EXPECT_EQ(LevelWordCount, 1);

    // After a game Match and Reset stay open, and a failed start keeps them so.
    form.FileNew.Choose();
    const auto afterAGame = matchAndReset();
    EXPECT_NE(afterAGame, beforeFirstGame);
    form.LevelMedium.Choose();
    std::filesystem::remove("medium.wtf");
    form.YourWordText.SetText("HOUSE");
    form.GameStart.Choose();
    EXPECT_EQ(Boxes(), fault("The word file \"medium.wtf\" is missing or cannot be read."));
    EXPECT_EQ(matchAndReset(), afterAGame);

    // Without the dictionary no word passes, and nothing starts.
    form.FileNew.Choose();
    std::filesystem::remove("master.wtf");
    form.YourWordText.SetText("HOUSE");
    form.GameStart.Choose();
    EXPECT_EQ(Boxes(), fault("The word file \"master.wtf\" is missing or cannot be read."));
    EXPECT_FALSE(WordOK);
    ExpectIdle("HOUSE");
}

}  // namespace
}  // namespace quibbly::testing
