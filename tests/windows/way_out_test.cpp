// SPDX-License-Identifier: GPL-3.0-or-later
// Escape and the desktop's close take each window's own way out, never leaving the player without one.
#include <filesystem>
#include <set>

#include "support/fresh_game.h"
#include "windows/frame/credits_form.h"
#include "windows/records/game_form.h"
#include "windows/tools/hint_form.h"
#include "windows/tools/idea_form.h"
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
    EXPECT_TRUE(hint.Visible() && hint.ShowButton.Enabled() && hint.HintList.ListCount() <= 2);
    hint.PressEscape();
    EXPECT_FALSE(hint.Visible());
    // The desktop's close during a search stops it and closes the window.
    form.WordSeries.Choose();
    SeriesForm& series = SeriesForm::Instance();
    series.WordText.SetText("PLANT");
    platform.AtYield(1, [&series] { series.QueryClose(); });
    series.ShowButton.Press();
    EXPECT_TRUE(!series.Visible() && !series.Searching && series.DoneButton.Caption() == "Done");

    // The other windows: Escape (which closes every window in the Qt test's table) does nothing else.
    form.WordIdea.Choose();
    IdeaForm::Instance().PressEscape();
    form.FileSave.Choose();
    GameForm::Instance().PressEscape();
    EXPECT_EQ(form.YourWordText.Text(), "HOUSE");  // not the Idea's word
    EXPECT_EQ(FolderNow(), before);                // nothing saved

    // The main window's close is File > Exit: the credits, the game going on beside them until Escape.
    form.QueryClose();
    EXPECT_TRUE(CreditsForm::Instance().Visible() && form.Visible() && !platform.ended && Boxes().empty());
    form.YourGuessText.Type("CRISP\r");
    EXPECT_EQ(form.YourGuessList.ListCount(), 1);
    Boxes();
    const std::set<fs::path> playing = FolderNow();
    CreditsForm::Instance().PressEscape();
    EXPECT_TRUE(platform.ended && Boxes().empty());
    EXPECT_EQ(FolderNow(), playing);
}

}  // namespace
}  // namespace quibbly::testing
