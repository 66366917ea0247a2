// SPDX-License-Identifier: GPL-3.0-or-later
// The computer's next guess, its re-examination of old guesses and the word files it cannot use
// (what it learns from counts is played through whole turns in the turn-cycle test).
#include <algorithm>
#include <filesystem>

#include "records/journal.h"
#include "support/fresh_game.h"
#include "windows/frame/thinking_form.h"

namespace quibbly::testing {
namespace {

using namespace Functions;

class ComputerGuesser : public FreshGameWith<WriteWordFiles> {
protected:
    void SetUp() override {
        FreshGameWith::SetUp();
        WriteLines("easy.wtf", {"2", "HOUSE", "PLANT"});
        WriteLines("series.wtf", {"HOUSE", "MOUSE H>M", "ROUSE H>R", "THOSE U>T", "LOUSE H>L", "PLANT", ""});
    }
    // The player answers the computer's guess with the true count, then
    // guesses a word that is not the computer's.
    void AnswerTruly() {
        QuibblyForm& form = Form();
        const int count = MatchCount(form.MyGuessText.Text(), form.YourWordText.Text());
        form.CountButtons()[static_cast<std::size_t>(count)]->Press();
        Guess(MyWord == "BLIMP" ? "CRISP" : "BLIMP");
    }
};

TEST_F(ComputerGuesser, SwapWordsStartAtARandomOneAndSkipDecidedLettersAndOldGuesses) {
    QuibblyForm& form = Form();
    Start("SHOUT", 0, 3, true);
    form.MyGuessList.AddItem("MOUSE - 3");  // guessed before
    DropLetter('R');                        // decided before

    platform.NextRandom(0.0);   // HOUSE from the easy words
    platform.NextRandom(0.99);  // the rotation starts at the last swap word
    Guess("BLIMP");
    EXPECT_EQ(form.MyGuessText.Text(), "HOUSE");
    EXPECT_EQ(std::vector<std::string>(Candidates.begin() + 1, Candidates.begin() + 1 + CandidateCount),
              (std::vector<std::string>{"HOUSE", "LOUSE H>L", "MOUSE H>M", "ROUSE H>R", "THOSE U>T"}));

    std::vector<std::string> guesses;
    platform.NextRandom(0.9);  // the next list: PLANT
    platform.NextRandom(0.0);
    for (int turn = 0; turn < 3; ++turn) {
        AnswerTruly();
        guesses.push_back(form.MyGuessText.Text());
    }
    // MOUSE was guessed and ROUSE brings in a decided letter: a new list follows.
    EXPECT_EQ(guesses, (std::vector<std::string>{"LOUSE", "THOSE", "PLANT"}));
    EXPECT_EQ(FirstCount, -1);
    // A series longer than a list's room keeps its first 29 swap words.
    std::vector<std::string> longSeries(40, "MOUSE H>M");
    longSeries[0] = "HOUSE";
    WriteLines("series.wtf", longSeries);
    MyLetters.clear();
    platform.NextRandom(0.0);
    BuildFromSeries();
    EXPECT_EQ(CandidateCount, 30);
}

TEST_F(ComputerGuesser, RecheckRulesOutLettersWaitsASecondAndRunsOnTheSeventhTurn) {
    QuibblyForm& form = Form();
    Start("SHOUT", 0, 3, true);
    for (const char* row : {"PLANT - 0", "CUBED - 0", "HOUSE - 3"}) form.MyGuessList.AddItem(row);
    MyLetters = "H";
    DropLetter('H');
    CandidateCount = 5;
    CandidateIndex = "2";
    const double before = platform.clock;
    RecheckGuesses();
    EXPECT_EQ(MyLetters, "HOS");
    EXPECT_EQ(PossibleLetters, "FGIJKMQRVWXYZ");
    EXPECT_EQ(CandidateIndex, "5");  // more than two letters known: the list is used up
    EXPECT_GE(platform.clock - before, 1.0);
    EXPECT_LT(platform.clock - before, 1.1);
    EXPECT_GT(platform.sleeps, 0);
    EXPECT_FALSE(ThinkingForm::Instance().Visible());

    // A wait that runs over midnight ends a second later all the same.
    platform.clock = 86399.5;
    RecheckGuesses();
    EXPECT_GE(platform.clock, 0.5);
    EXPECT_LT(platform.clock, 0.6);

    // The recheck runs on the seventh turn, unless the list is from the dictionary.
    form.FileNew.Choose();
    Start("SHOUT", 0, 3, true);
    form.MyGuessList.AddItem("PLANT - 0");
    TurnNumber = 6.5f;
    platform.NextRandom(0.0);
    platform.NextRandom(0.0);
    MyTurn();
    EXPECT_EQ(PossibleLetters.find_first_of("PLANT"), std::string::npos);

    platform.Answer(MsgAnswer::Yes);  // the game under way is given up
    form.FileNew.Choose();
    Start("SHOUT", 0, 3, true);
    form.MyGuessList.AddItem("PLANT - 0");
    TurnNumber = 13.5f;
    FromMaster = true;
    CandidateIndex = "1";
    CandidateCount = 2;
    Candidates[1] = "HOUSE";
    Candidates[2] = "SHOUT";
    MyTurn();
    EXPECT_EQ(PossibleLetters, Alphabet);
    EXPECT_EQ(form.MyGuessText.Text(), "SHOUT");
    // Six letters known cannot be (a hand-made saved game): it starts over.
    MyLetters = "HOUSET";
    MyTurn();
    ASSERT_FALSE(MyJournal.back().notes.empty());
    EXPECT_EQ(MyJournal.back().notes.front().kind, Journal::Note::Kind::StartOver);
}

TEST_F(ComputerGuesser, FourKnownLettersSwitchToTheDictionaryWhenFewWordsFit) {
    WriteLines("master.wtf", {"9", "CHOSE", "HORSE", "HOSED", "HOUSE", "SHOUT", "THEME", "THEMS", "THOSE",
                              "WHOSE", "HOUSES"});
    QuibblyForm& form = Form();
    Start("WHOSE", 0, 3, true);
    MyLetters = "HOSE";
    for (char letter : std::string("HOSETD")) DropLetter(letter);
    BuildCandidates();
    EXPECT_TRUE(FromMaster);
    EXPECT_EQ(CandidateCount, 5);
    std::vector<std::string> list(Candidates.begin() + 1, Candidates.begin() + 1 + CandidateCount);
    // In file order; a longer line counts by its first five characters.
    EXPECT_EQ(list, (std::vector<std::string>{"CHOSE", "HORSE", "HOUSE", "WHOSE", "HOUSE"}));

    // Thirteen fitting words are too many: a series again.
    std::vector<std::string> many{"13"};
    for (char extra : std::string("ABCFGIJKLMNPQ")) many.push_back(std::string("HOSE") + extra);
    WriteLines("master.wtf", many);
    FromMaster = false;
    platform.NextRandom(0.0);
    BuildCandidates();
    EXPECT_FALSE(FromMaster);
    EXPECT_EQ(Candidates[1], "HOUSE");

    // Repeated letters only at Hard.
    WriteLines("master.wtf", {"3", "THEME", "THEMS", "HOUSE"});
    MyLetters = "THEM";
    PossibleLetters = Alphabet;
    for (char letter : MyLetters) DropLetter(letter);
    BuildFromMaster();
    EXPECT_EQ(CandidateCount, 1);
    EXPECT_EQ(Candidates[1], "THEMS");
    form.FileNew.Choose();
    form.LevelHard.Choose();
    BuildFromMaster();
    EXPECT_EQ(CandidateCount, 2);
    EXPECT_EQ(Candidates[1], "THEME");
}

TEST_F(ComputerGuesser, ListBuildsMicrosecondsApartDrawFreshBaseWords) {
    // 104 easy words that head no series, so that every build is a list of
    // its base word alone.
    std::vector<std::string> easy{"104"};
    for (int step = 1; step <= 4; ++step)
        for (int first = 0; first < 26; ++first) {
            std::string word;
            for (int k = 0; k < 5; ++k) word.push_back(static_cast<char>('A' + (first + k * step) % 26));
            easy.push_back(word);
        }
    WriteLines("easy.wtf", easy);
    WriteLines("series.wtf", {""});
    Start("SHOUT", 0, 3, true);

    // The builds of one long turn, the clock a few microseconds on at every
    // reading: no build replays the draw of the one before.
    platform.tick = 3e-6;
    Services().Randomize();
    std::string previous;
    for (int build = 0; build < 8; ++build) {
        BuildCandidates();
        ASSERT_EQ(CandidateCount, 1);
        EXPECT_NE(Candidates[1], previous) << "build " << build;
        previous = Candidates[1];
    }
}

// A word file the computer needs but cannot use is named once a game, and
// the computer still names a dictionary word.
TEST_F(ComputerGuesser, AFileItCannotUseIsNamedOnceAGameAndItGuessesOn) {
    QuibblyForm& form = Form();
    const ShownBox missing =
        Warn("The word file \"series.wtf\" is missing or cannot be read.", "Word File Error");
    std::filesystem::remove("series.wtf");
    for (int game = 0; game < 2; ++game) {
        if (game > 0) platform.Answer(MsgAnswer::Yes);  // the first game is given up
        form.FileNew.Choose();
        Boxes();
        Start("SHOUT", 0, 2, false);
        EXPECT_EQ(Boxes(), std::vector<ShownBox>{missing});
        for (int turn = 0; turn < 3; ++turn) {
            EXPECT_EQ(form.MyGuessText.Text().size(), 5u);
            BuildFromSeries();
            AnswerTruly();
            const std::vector<ShownBox> later = Boxes();
            ASSERT_EQ(later.size(), 1u);
            EXPECT_EQ(later[0].title, "Your Guess");
        }
    }
    // The easy count of the series' base words, past any whole number.
    WriteLines("series.wtf", {"HOUSE", "MOUSE H>M", ""});
    for (const char* count : {"700000000000000000000", "-700000000000000000000", "6001", "0"}) {
        WriteLines("easy.wtf", {count, "HOUSE", "PLANT"});
        ReportedWordFiles.clear();
        BuildFromSeries();
        EXPECT_EQ(Boxes(), std::vector<ShownBox>{Warn(
                               "The word file \"easy.wtf\" does not start with a word count from 1 to 6000.",
                               "Word File Error")})
            << count;
    }
}

}  // namespace
}  // namespace quibbly::testing
