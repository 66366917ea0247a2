// SPDX-License-Identifier: GPL-3.0-or-later
// The ways out of the windows: Escape and the desktop's close take each
// window's own way out, so no close leaves the player without a window; and
// the boxes whose text the program selects, so that typing replaces it.
#include <filesystem>
#include <set>

#include "support/fresh_game.h"
#include "windows/other/about_form.h"
#include "windows/other/credits_form.h"
#include "windows/other/game_form.h"
#include "windows/other/player_form.h"
#include "windows/other/winners_form.h"
#include "windows/tools/hint_form.h"
#include "windows/tools/idea_form.h"
#include "windows/tools/match_form.h"
#include "windows/tools/series_form.h"

namespace quibbly::testing {
namespace {

namespace fs = std::filesystem;

class WayOut : public FreshGame {};

std::set<fs::path> FolderNow() {
    return {fs::directory_iterator("."), {}};
}

TEST_F(WayOut, EscapeAndTheDesktopsCloseTakeEachWindowsOwnWayOut) {
    WriteWordFiles();
    QuibblyForm& form = Form();
    form.Show();
    Start("HOUSE", 1, 3, true);  // Easy: Hint, Series and Match are open to the player
    const std::set<fs::path> before = FolderNow();

    // Escape during a search is Stop: the window stays with what it found.
    form.WordHint.Choose();
    HintForm& hint = HintForm::Instance();
    hint.LettersText.SetText("E");
    platform.AtYield(2, [&hint] { hint.PressEscape(); });
    hint.ShowButton.Press();
    EXPECT_TRUE(hint.Visible() && hint.ShowButton.Enabled() && hint.DoneButton.Caption() == "Done");
    EXPECT_LE(hint.HintList.ListCount(), 2);
    hint.PressEscape();
    EXPECT_FALSE(hint.Visible());
    // The desktop's close during a search stops it and closes the window.
    form.WordSeries.Choose();
    SeriesForm& series = SeriesForm::Instance();
    series.WordText.SetText("PLANT");
    platform.AtYield(1, [&series] { series.QueryClose(); });
    series.ShowButton.Press();
    EXPECT_TRUE(!series.Visible() && !series.Searching && series.DoneButton.Caption() == "Done");

    // The other windows: Escape is Cancel, Done or OK, and does nothing else.
    for (const auto& [item, window] :
         {std::pair<MenuItem*, quibbly::Form*>{&form.WordIdea, &IdeaForm::Instance()},
          {&form.WordMatch, &MatchForm::Instance()},
          {&form.HelpAbout, &AboutForm::Instance()},
          {&form.FileSave, &GameForm::Instance()}}) {
        item->Choose();
        ASSERT_TRUE(window->Visible());
        window->PressEscape();
        EXPECT_FALSE(window->Visible());
    }
    EXPECT_EQ(form.YourWordText.Text(), "HOUSE");  // not the Idea's word
    EXPECT_EQ(FolderNow(), before);                // nothing saved

    // About again: the same window, its version set again, the focus on OK.
    AboutForm& about = AboutForm::Instance();
    about.Label2.SetCaption("");
    about.SetFocus(nullptr);
    form.HelpAbout.Choose();
    EXPECT_TRUE(about.Visible() && about.Label2.Caption().starts_with("Version "));
    EXPECT_EQ(about.Focus(), &about.OKButton);
    about.OKButton.Press();
    // Help opens the help file at its contents and says nothing itself.
    form.HelpContents.Choose();
    EXPECT_EQ(platform.helpShown, std::vector<std::string>{"Quibbly.HLP#3"});

    // The main window's close is File > Exit: the credits, asking nothing,
    // and the game goes on beside them.
    form.QueryClose();
    EXPECT_TRUE(CreditsForm::Instance().Visible() && form.Visible() && !platform.ended);
    EXPECT_TRUE(Boxes().empty());
    form.YourGuessText.Type("CRISP\r");
    EXPECT_EQ(form.YourGuessList.Rows(), std::vector<std::string>{"CRISP -  1"});
    Boxes();
    // Escape on the credits is Done: the program ends at once, asking and
    // writing nothing.
    const std::set<fs::path> playing = FolderNow();
    CreditsForm::Instance().PressEscape();
    EXPECT_TRUE(platform.ended);
    EXPECT_TRUE(Boxes().empty());
    EXPECT_EQ(FolderNow(), playing);
}

TEST_F(WayOut, ClosingTheNameAndWinnersWindowsLeadsBackToTheHiddenMainWindow) {
    WriteWordFiles();
    const std::string list =
        "Ann         Easy    2 Guesses  05/12/2026\r\nBea         Easy    3 Guesses  05/12/2026\r\n";
    WriteBytes("Win.Lst", list);
    QuibblyForm& form = Form();
    form.Show();
    // A full name box from an earlier win of this run.
    PlayerForm& name = PlayerForm::Instance();
    name.NameText.SetText("Bartholome");
    Start("PLANT", 0, 2, true);
    Functions::TurnNumber = 5;
    form.TurnLabel.SetCaption("5");
    Guess(Functions::MyWord);
    ASSERT_EQ(Boxes().size(), 1u);  // "You win!!"
    // Not better than the worst row: the main window goes, the name window comes.
    EXPECT_TRUE(!form.Visible() && name.Visible() && name.NameText.HasFocus() && name.NameText.Selected());
    name.NameText.Type("Robin");
    EXPECT_EQ(name.NameText.Text(), "Robin");

    name.QueryClose();
    WinnersForm& winners = WinnersForm::Instance();
    EXPECT_TRUE(!name.Visible() && winners.Visible() && !form.Visible());
    EXPECT_EQ(winners.WinnersLabel(2).Caption(), "Robin       Easy    5 Guesses  05/12/2026");
    platform.Answer(MsgAnswer::No);
    winners.QueryClose();
    EXPECT_TRUE(!winners.Visible() && form.Visible());
    EXPECT_EQ(ReadBytes("Win.Lst"), list + "Robin       Easy    5 Guesses  05/12/2026\r\n");
    EXPECT_EQ(Boxes(), std::vector<ShownBox>{Question("Would you like to play again?")});
}

// The game folder lies in a hidden folder, and its offered name ".swg" is a
// dot file: both stay in reach.
TEST_F(WayOut, SaveWindowListsDotFilesKeepsTheWayHomeAndReplacesTheOfferedName) {
    const fs::path game = folder / ".local" / "share" / "quibbly";
    for (const fs::path& made : {game, folder / ".cache", folder / "docs"}) fs::create_directories(made);
    fs::current_path(game);
    WriteBytes(".hidden.txt", "x");
    QuibblyForm& form = Form();

    form.FileSave.Choose();
    GameForm& window = GameForm::Instance();
    EXPECT_TRUE(window.FileText.HasFocus() && window.FileText.Selected());
    window.LoadButton.Press();  // saves under the offered name
    form.FileLoad.Choose();
    EXPECT_EQ(window.Label3.Caption(), "Files of type:");
    EXPECT_EQ(window.File1.Files(), std::vector<std::string>{".swg"});
    window.TypeCombo.Choose(1);
    EXPECT_EQ(window.File1.Files(), (std::vector<std::string>{".hidden.txt", ".swg"}));

    // At home the hidden folder on the way back is listed, no other one.
    ASSERT_TRUE(window.Dir1.SetPath(folder.string()));
    std::vector<std::string> below;
    for (const auto& entry : window.Dir1.Entries())
        if (!entry.open) below.push_back(entry.name);
    EXPECT_EQ(below, (std::vector<std::string>{".local", "docs"}));

    // Typing replaces the name the window offers, once.
    form.FileSave.Choose();
    window.FileText.Type("mine.swg");
    EXPECT_EQ(window.FileText.Text(), "mine.swg");
    window.LoadButton.Press();
    EXPECT_EQ(ReadBytes((folder / "mine.swg").string()), ReadBytes(".swg"));
    EXPECT_TRUE(Boxes().empty());
}

}  // namespace
}  // namespace quibbly::testing
