// SPDX-License-Identifier: GPL-3.0-or-later
// The game in progress kept after every move: offered at the next start and
// dropped on No, removed when the game ends or the board is cleared, and
// never touched by a second copy. The kill loop (reliability/) proves the
// exact continuation; the fuzz target, the files that cannot be loaded.
#include "records/kept_game.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "records/game_history.h"
#include "records/saved_game.h"
#include "support/fresh_game.h"
#include "windows/frame/intro_form.h"

namespace quibbly::testing {
namespace {

using KeptGame::KeptFile;

class Kept : public FreshGame {
protected:
    void SetUp() override {
        FreshGame::SetUp();
        WriteHouseSeries();  // the computer holds HOUSE and guesses HOUSE first
    }
    static bool IsKept() { return std::filesystem::exists(KeptFile); }
};

TEST_F(Kept, TheNextStartOffersTheGameAndEveryEndOrClearedBoardRemovesIt) {
    SKIP_ON_THE_WEB("flock");
    ASSERT_TRUE(KeptGame::Claim());
    Start("SHOUT", 0, 1, false, {0.0, 0.0});  // the computer guesses first
    Form().TwoButton.Press();
    Boxes();
    // A marker and a note are kept as they change, not only at the next move.
    Form().LetterButton(4).Press();
    EXPECT_EQ(ReadBytes(KeptFile), SavedGame::Format(SavedGame::Capture()));
    Form().ScratchPadText.Type("E out");
    EXPECT_EQ(ReadBytes(KeptFile), SavedGame::Format(SavedGame::Capture()));
    // A new run through the start-up window: the question, No, and a board for a new word.
    Restart();
    IntroForm::Instance();
    const std::vector<ShownBox> asked = Boxes();
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_TRUE(
        asked[0].text.starts_with("A game left unfinished on 20") &&
        asked[0].text.ends_with(" is kept. Would you like to continue it? If not, it counts as given up.") &&
        asked[0].buttons == MsgButtons::YesNo)
        << asked[0].text;
    QuibblyForm& form = Form();
    EXPECT_TRUE(!IsKept() && form.Visible() && form.YourWordText.Enabled() &&
                form.MyGuessList.ListCount() == 0);
    // Not continued, it is given up: one record, as Quit Game would have left.
    const std::string history = ReadBytes(GameHistory::HistoryFile);
    EXPECT_NE(history.find("\r\nEnd=Quit\r\nScore=1\r\nYourWord=SHOUT\r\nMyWord=HOUSE\r\nYourGuesses="
                           "\r\nMyGuesses=HOUSE 4\r\nJournal=HOUSE|4|"),
              std::string::npos)
        << history;
    EXPECT_EQ(GameHistory::Parse(history).entries.size(), 1u);

    for (MenuItem* end : {&form.FileQuit, &form.FileNew}) {
        Start("SHOUT", 0, 1, true);
        EXPECT_TRUE(IsKept());
        end->Choose();
        EXPECT_FALSE(IsKept());
        form.FileNew.Choose();
    }
    Start("SHOUT", 0, 1, true);
    Guess("HOUSE");  // the player wins
    EXPECT_FALSE(IsKept());

    // A second copy, while the first holds its claim, neither offers, keeps nor removes its game.
    KeptGame::Release();
    const std::string first = "the first copy's game\r\n";
    WriteBytes(KeptFile, first);
    const int held = ::open(KeptGame::ClaimFile, O_RDWR | O_CREAT, 0644);
    ASSERT_TRUE(held >= 0 && ::flock(held, LOCK_EX) == 0);
    Boxes();
    KeptGame::OfferAtStart();
    form.FileNew.Choose();
    Start("SHOUT", 0, 1, true);
    form.FileQuit.Choose();
    EXPECT_EQ(ReadBytes(KeptFile), first);
    EXPECT_EQ(platform.unansweredQuestions, 1);  // the first run's offer alone
    ::close(held);
}

}  // namespace
}  // namespace quibbly::testing
