// SPDX-License-Identifier: GPL-3.0-or-later
// The computer's journal agrees with its state after every turn of whole games at each level;
// the history keeps it; a game loaded from a saved file keeps it from the turn it was loaded at.
#include <algorithm>

#include "records/game_history.h"
#include "support/fresh_game.h"

namespace quibbly::testing {
namespace {

using namespace Functions;
using Kind = Journal::Note::Kind;

class JournalTest : public FreshGame {
protected:
    void SetUp() override {
        FreshGame::SetUp();
        CopyShippedWordFiles();
    }
    static bool Has(const std::string& letters, char letter) {
        return letters.find(letter) != std::string::npos;
    }
    // Plays to the end: guesses that miss the computer's word, and true
    // counts except every fifth answer, which is one too many or, every
    // tenth, Correct Word.
    void PlayOut() {
        static const char* const guesses[] = {"CRANE", "GHOST", "PLUMB", "FJORD", "WALTZ", "DITCH"};
        QuibblyForm& f = Form();
        for (int k = 0; GameOn && k < 400; ++k) {
            if (!f.ZeroButton.Enabled()) {
                const char* guess = guesses[f.YourGuessList.ListCount() % 6];
                Guess(guess == MyWord ? "QUERY" : guess);
                continue;
            }
            const std::string guess = f.MyGuessText.Text();
            const int truth = MatchCount(guess, f.YourWordText.Text());
            const bool lie = guess != f.YourWordText.Text() && MyJournal.size() % 5 == 4;
            // Answered by the keys, which press the buttons: 0 to 5, and C or c.
            const int answer = lie ? (truth + 1) % 6 : truth;
            const Integer key = guess == f.YourWordText.Text() || (lie && MyJournal.size() % 10 == 9)
                                    ? (MyJournal.size() % 2 ? 'c' : 'C')
                                    : '0' + answer;
            ASSERT_TRUE(f.Form_KeyPreview(key));
            Boxes();
            if (GameOn) CheckTurn(guess, truth, lie);
        }
        ASSERT_FALSE(GameOn);
    }
    // The turn just answered against the computer's state.
    void CheckTurn(const std::string& guess, int truth, bool lie) {
        ASSERT_FALSE(MyJournal.empty());
        const Journal::Turn& turn = MyJournal.back();
        ASSERT_EQ(MyJournal.size() + static_cast<std::size_t>(JournalFrom) - 1,
                  static_cast<std::size_t>(Form().MyGuessList.ListCount()));
        EXPECT_EQ(turn.guess, guess);
        EXPECT_EQ(turn.count, truth);
        EXPECT_EQ(turn.known, MyLetters);
        for (char letter = 'A'; letter <= 'Z'; ++letter)
            EXPECT_EQ(Has(turn.ruledOut, letter), !Has(PossibleLetters + MyLetters, letter)) << letter;
        // What follows the last start-over holds at the turn's end.
        const auto over = std::find_if(turn.notes.rbegin(), turn.notes.rend(),
                                       [](const Journal::Note& n) { return n.kind == Kind::StartOver; });
        const Journal::Note* list = nullptr;
        for (auto note = over.base(); note != turn.notes.end(); ++note) {
            const Kind kind = note->kind;
            seen.push_back(kind);
            if (kind == Kind::NewSeries || kind == Kind::FromWords) list = &*note;
            for (char letter : kind == Kind::Recheck ? note->word : std::string())
                EXPECT_FALSE(Has(PossibleLetters, letter)) << letter;  // ruled out
            const std::string in = kind == Kind::Recheck   ? note->other
                                   : kind == Kind::CameIn  ? note->word
                                   : kind == Kind::WentOut ? note->other
                                                           : "";
            for (char letter : in) EXPECT_TRUE(Has(MyLetters, letter)) << letter;
            EXPECT_TRUE(kind != Kind::Corrected || note->other == std::to_string(truth));
        }
        EXPECT_EQ(lie, std::any_of(turn.notes.begin(), turn.notes.end(),
                                   [](const Journal::Note& n) { return n.kind == Kind::Corrected; }));
        EXPECT_TRUE(list == nullptr || list->kind != Kind::FromWords ||
                    (FromMaster && CandidateCount == list->number));
        EXPECT_TRUE(list == nullptr || list->kind != Kind::NewSeries ||
                    Candidates[1].substr(0, 5) == list->word);
    }
    static GameHistory::Game LastRecord() {
        GameHistory::History history;
        std::string fault;
        EXPECT_TRUE(GameHistory::Load(history, fault)) << fault;
        return history.entries.empty() ? GameHistory::Game{}
                                       : history.entries.back().game.value_or(GameHistory::Game{});
    }
    std::vector<Kind> seen;
};

TEST_F(JournalTest, EachTurnAgreesWithTheComputersStateAndTheHistoryKeepsIt) {
    struct Game {
        MenuItem QuibblyForm::*level;
        const char* word;
        int wordsInLevel;
    };
    const Game games[] = {{&QuibblyForm::LevelEasy, "SHOUT", 1359},
                          {&QuibblyForm::LevelMedium, "PLUMB", 419},
                          {&QuibblyForm::LevelHard, "SHEEP", 1364}};
    for (const Game& game : games) {
        SCOPED_TRACE(game.word);
        Restart();
        (Form().*game.level).Choose();
        Start(game.word, 7, game.wordsInLevel, false);
        Boxes();
        PlayOut();
        const GameHistory::Game kept = LastRecord();
        EXPECT_EQ(kept.journalFrom, 1);
        EXPECT_EQ(kept.journal, MyJournal);
        ASSERT_EQ(kept.journal.size(), kept.myGuesses.size());
        EXPECT_EQ(kept.journal.back().count, 5);
        EXPECT_EQ(kept.journal.back().notes.back().kind, Kind::Named);
    }
    // The games met every kind of note a normal game brings.
    for (Kind kind :
         {Kind::NewSeries, Kind::FromWords, Kind::Recheck, Kind::CameIn, Kind::WentOut, Kind::Corrected})
        EXPECT_NE(std::count(seen.begin(), seen.end(), kind), 0) << static_cast<int>(kind);
    // A note out of its range or short of a field does not read (its record is damaged).
    Journal::Turn read;
    EXPECT_TRUE(Journal::Parse("CRANE|1|||B:5;C:10:1;X:412:3.5", read));
    for (const char* bad : {"CRANE|1|||B:6", "CRANE|1|||X:412", "CRANE|1|||C:11:1"})
        EXPECT_FALSE(Journal::Parse(bad, read)) << bad;

    // Saved on the computer's turn and loaded into a new run: the journal
    // starts at that turn, and the history says so.
    Restart();
    Form().LevelMedium.Choose();
    Start("PLUMB", 3, 419, false);
    for (int k = 0; k < 3; ++k) {
        Form()
            .CountButtons()[static_cast<std::size_t>(MatchCount(Form().MyGuessText.Text(), "PLUMB"))]
            ->Press();
        Guess("CRANE");
    }
    Boxes();
    UseGameWindow(Form().FileSave, "middle.swg");
    Restart();
    UseGameWindow(Form().FileLoad, "middle.swg");
    EXPECT_EQ(JournalFrom, 4);  // each turn from here is checked as it is answered
    PlayOut();
    EXPECT_EQ(LastRecord().journalFrom, 4);
    EXPECT_EQ(LastRecord().journal, MyJournal);
}

}  // namespace
}  // namespace quibbly::testing
