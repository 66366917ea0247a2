// SPDX-License-Identifier: GPL-3.0-or-later
// The game in progress kept after every move: continued or dropped at the
// next start, removed when the game ends or the board is cleared, moved
// aside when it cannot be loaded, and never touched by a second copy.
#include "records/kept_game.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "records/saved_game.h"
#include "support/fresh_game.h"
#include "windows/frame/intro_form.h"

namespace quibbly::testing {
namespace {

using namespace Functions;
using KeptGame::KeptFile;

class Kept : public FreshGame {
protected:
    void SetUp() override {
        FreshGame::SetUp();
        WriteHouseSeries();  // the computer holds HOUSE and guesses HOUSE first
    }
    static std::string Board() { return SavedGame::Format(SavedGame::Capture()); }
    static bool IsKept() { return std::filesystem::exists(KeptFile); }
    // A new run of the program, through its start-up window, answering the offer.
    void RunAgain(MsgAnswer answer) {
        Restart();
        platform.Answer(answer);
        IntroForm::Instance();
    }
};

TEST_F(Kept, EveryMoveIsKeptAndTheNextStartContinuesItExactlyOrDropsIt) {
    ASSERT_TRUE(KeptGame::Claim());
    Start("SHOUT", 0, 1, false, {0.0, 0.0});  // the computer guesses first
    EXPECT_EQ(ReadBytes(KeptFile), Board());
    Form().TwoButton.Press();
    EXPECT_EQ(ReadBytes(KeptFile), Board());
    Guess("PLANT");
    const std::string board = Board();
    EXPECT_EQ(ReadBytes(KeptFile), board);
    EXPECT_EQ(Form().WhoLabel.Caption(), "It's My Turn");

    // The program ends with the game under way; the next start asks.
    std::filesystem::last_write_time(KeptFile, std::filesystem::file_time_type::clock::now());
    Boxes();
    RunAgain(MsgAnswer::Yes);
    const std::vector<ShownBox> asked = Boxes();
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_TRUE(asked[0].text.starts_with("A game left unfinished on 20") &&
                asked[0].text.ends_with(" is kept. Would you like to continue it?"))
        << asked[0].text;
    EXPECT_EQ(asked[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(Board(), board);
    QuibblyForm& form = Form();  // the new run's window
    EXPECT_TRUE(form.Visible() && form.FiveButton.Enabled() && !form.GuessButton.Enabled() &&
                form.GamePause.Enabled());
    EXPECT_EQ(ReadBytes(KeptFile), board);

    RunAgain(MsgAnswer::No);
    EXPECT_FALSE(IsKept());
    QuibblyForm& again = Form();
    EXPECT_TRUE(again.YourWordText.Enabled() && again.MyGuessList.ListCount() == 0);

    // The end of a game and a cleared board remove it; no file, no question.
    for (MenuItem* end : {&again.FileQuit, &again.FileNew}) {
        Start("SHOUT", 0, 1, true);
        EXPECT_TRUE(IsKept());
        end->Choose();
        EXPECT_FALSE(IsKept());
        again.FileNew.Choose();
    }
    Start("SHOUT", 0, 1, true);
    Guess("HOUSE");  // the player wins
    EXPECT_FALSE(IsKept());
    Boxes();
    RunAgain(MsgAnswer::Yes);
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(Kept, ASecondCopyLeavesTheFirstCopysGameAloneAndADamagedOneIsMovedAside) {
    QuibblyForm& form = Form();
    const std::string first = "the first copy's game\r\n";
    WriteBytes(KeptFile, first);
    const int held = ::open(KeptGame::ClaimFile, O_RDWR | O_CREAT, 0644);
    ASSERT_TRUE(held >= 0 && ::flock(held, LOCK_EX) == 0);  // as the first copy's run holds it
    KeptGame::OfferAtStart();
    Start("SHOUT", 0, 1, true, {0.0, 0.0});
    Guess("PLANT");
    form.FileNew.Choose();
    EXPECT_EQ(ReadBytes(KeptFile), first);
    EXPECT_TRUE(Boxes().size() == 1u && platform.unansweredQuestions == 0);  // PLANT's count alone
    ::close(held);

    // Once the first copy has gone, its file cannot be loaded: named once, kept aside.
    for (const char* aside : {"Unfinished.Bad", "Unfinished 2.Bad"}) {
        WriteBytes(KeptFile, first);
        RunAgain(MsgAnswer::Yes);
        EXPECT_EQ(Boxes(),
                  std::vector<ShownBox>{
                      Warn("The game left unfinished in \"Unfinished.Gam\" cannot be loaded: it ends early: "
                           "line 2 is missing. It is kept as \"" +
                               std::string(aside) + "\" and not offered again.",
                           "Unfinished Game")});
        EXPECT_EQ(ReadBytes(aside), first);
        EXPECT_FALSE(IsKept());
        EXPECT_TRUE(Form().YourWordText.Enabled());
    }
}

}  // namespace
}  // namespace quibbly::testing
