// SPDX-License-Identifier: GPL-3.0-or-later
// The Word menu's four tools as a player uses them beside a game: Hint and
// Series searches with clicks arriving while they read, Idea's suggestions
// and Match once per turn.
#include <filesystem>

#include "support/fresh_game.h"
#include "windows/tools/hint_form.h"
#include "windows/tools/idea_form.h"
#include "windows/tools/match_form.h"
#include "windows/tools/series_form.h"

namespace quibbly::testing {
namespace {

using namespace Functions;
using Rows = std::vector<std::string>;

class WordTools : public FreshGame {
protected:
    void SetUp() override {
        FreshGame::SetUp();
        WriteWordFiles();
    }
    void StartEasyGame() {
        Start("CRISP", 0, 3, true);  // the computer holds HOUSE
        ASSERT_TRUE(Boxes().empty());
    }
    // The buttons as a search shows them.
    void ExpectSearching(Button& show, Button& done) {
        EXPECT_FALSE(show.Enabled());
        EXPECT_EQ(done.Caption(), "Stop");
    }
};

const ShownBox Missing(const std::string& file) {
    return Warn("The word file \"" + file + "\" is missing or cannot be read.", "Word File Error");
}

TEST_F(WordTools, HintListsWordsWithTheLettersAndStopsOnRequest) {
    StartEasyGame();
    WriteLines("master.wtf",
               {"9", "QUOTE", "HOUSE", "QUITE", "SQUAT", "PLANT", "QUERY", "TOUSE", "EQUIP", "MOUSE"});
    Form().WordHint.Choose();
    HintForm& hint = HintForm::Instance();
    ASSERT_TRUE(hint.Visible());
    EXPECT_TRUE(hint.LettersText.HasFocus());

    // Lower case shows in capitals; Enter starts a search over the whole file.
    hint.LettersText.Type("qu\r");
    EXPECT_EQ(hint.LettersText.Text(), "QU");
    EXPECT_EQ(hint.HintList.Rows(), (Rows{"QUOTE", "QUITE", "SQUAT", "QUERY", "EQUIP"}));
    EXPECT_EQ(platform.eventsYielded, 9);
    EXPECT_EQ(std::pair(hint.ProgressBar.Value(), hint.ProgressBar.Max()), std::pair(9, 9));
    EXPECT_TRUE(hint.ShowButton.Enabled() && hint.ResetButton.Enabled());
    EXPECT_EQ(hint.DoneButton.Caption(), "Done");

    // A limit of 3 stops at the third match, SQUAT on the fourth line.
    hint.SomeOption.Press();
    EXPECT_FALSE(hint.AllOption.Value());
    hint.NumberText.SetText("3");
    hint.ShowButton.Press();
    EXPECT_EQ(hint.HintList.Rows(), (Rows{"QUOTE", "QUITE", "SQUAT"}));
    EXPECT_EQ(hint.ProgressBar.Value(), 4);

    // During a search: Enter cannot start a second one, a listed word goes to
    // the guess box, and Stop ends the search after the word in hand.
    hint.AllOption.Press();
    platform.eventsYielded = 0;
    platform.AtYield(2, [&] {
        ExpectSearching(hint.ShowButton, hint.DoneButton);
        EXPECT_FALSE(hint.ResetButton.Enabled());
        hint.LettersText.Type("\r");
    });
    platform.AtYield(3, [&] {
        hint.HintList.ClickRow(0);
        hint.DoneButton.Press();
        EXPECT_EQ(hint.DoneButton.Caption(), "Done");
        EXPECT_TRUE(hint.ShowButton.Enabled());
    });
    hint.ShowButton.Press();
    EXPECT_EQ(hint.HintList.Rows(), (Rows{"QUOTE", "QUITE"}));
    EXPECT_EQ(platform.eventsYielded, 3);
    EXPECT_EQ(Form().YourGuessText.Text(), "QUOTE");
    EXPECT_TRUE(hint.Visible());
    hint.DoneButton.Press();
    EXPECT_FALSE(hint.Visible());

    // A limit that is no number finds nothing; no letters, no search at all.
    hint.SomeOption.Press();
    hint.NumberText.SetText("many");
    hint.ShowButton.Press();
    EXPECT_EQ(hint.HintList.ListCount(), 0);
    hint.ResetButton.Press();
    EXPECT_TRUE(hint.AllOption.Value() && !hint.SomeOption.Value());
    EXPECT_EQ(hint.NumberText.Text(), "10");
    platform.eventsYielded = 0;
    hint.ShowButton.Press();
    EXPECT_EQ(platform.eventsYielded, 0);
    EXPECT_EQ(hint.DoneButton.Caption(), "Done");

    // A dictionary longer than its count is read to its end, the bar stays full.
    WriteLines("master.wtf", {"2", "QUOTE", "HOUSE", "QUITE", "SQUAT"});
    hint.SomeOption.Press();
    hint.LettersText.Type("T");
    hint.ShowButton.Press();
    EXPECT_EQ(hint.HintList.Rows(), (Rows{"QUOTE", "QUITE", "SQUAT"}));
    EXPECT_EQ(std::pair(hint.ProgressBar.Value(), hint.ProgressBar.Max()), std::pair(2, 2));

    std::filesystem::remove("master.wtf");
    hint.ShowButton.Press();
    EXPECT_EQ(Boxes(), std::vector<ShownBox>{Missing("master.wtf")});
    EXPECT_TRUE(hint.ShowButton.Enabled() && hint.ResetButton.Enabled());
    EXPECT_EQ(hint.DoneButton.Caption(), "Done");
}

TEST_F(WordTools, SeriesListsAWordsSeriesAndCopiesASwapWord) {
    StartEasyGame();
    WriteLines("master.wtf", {"6", "HOUSE"});
    WriteLines("series.wtf",
               {"BLIMP", "HOUSE", "MOUSE H>M", "ROUSE H>R", "HORSE U>R", "PLANT", "CRISP", "CRASP I>A"});
    Form().WordSeries.Choose();
    SeriesForm& series = SeriesForm::Instance();
    EXPECT_TRUE(series.WordText.HasFocus());

    series.WordText.Type("house\r");
    EXPECT_EQ(series.SeriesList.Rows(), (Rows{"HOUSE", "MOUSE H>M", "ROUSE H>R", "HORSE U>R"}));
    EXPECT_EQ(platform.eventsYielded, 2);  // the search ends with the series
    EXPECT_EQ(std::pair(series.ProgressBar.Value(), series.ProgressBar.Max()), std::pair(6, 6));

    // A second search appends; a file that ends inside a series lists it.
    series.WordText.SetText("");
    series.WordText.Type("CRISP");
    series.ShowButton.Press();
    EXPECT_EQ(series.SeriesList.Rows(),
              (Rows{"HOUSE", "MOUSE H>M", "ROUSE H>R", "HORSE U>R", "CRISP", "CRASP I>A"}));
    EXPECT_EQ(series.DoneButton.Caption(), "Done");

    // A repeated-letter word and an unknown word read the whole file, add nothing.
    for (const char* word : {"EERIE", "ZEBRA"}) {
        series.ResetButton.Press();
        series.WordText.Type(word);
        platform.eventsYielded = 0;
        series.ShowButton.Press();
        EXPECT_EQ(series.SeriesList.ListCount(), 0) << word;
        EXPECT_EQ(platform.eventsYielded, 8) << word;
        EXPECT_EQ(series.ProgressBar.Value(), 6) << word;
    }

    // Stop ends the search after the line in hand; the bar jumps to full.
    series.WordText.SetText("PLANT");
    platform.eventsYielded = 0;
    platform.AtYield(1, [&] {
        ExpectSearching(series.ShowButton, series.DoneButton);
        series.DoneButton.Press();
    });
    series.ShowButton.Press();
    EXPECT_EQ(platform.eventsYielded, 1);
    EXPECT_EQ(series.SeriesList.ListCount(), 0);
    EXPECT_EQ(series.ProgressBar.Value(), 6);

    series.WordText.SetText("HOUSE");
    series.ShowButton.Press();
    series.SeriesList.ClickRow(2);
    EXPECT_EQ(Form().YourGuessText.Text(), "ROUSE");
    EXPECT_FALSE(series.Visible());

    std::filesystem::remove("series.wtf");
    series.ShowButton.Press();
    EXPECT_EQ(Boxes(), std::vector<ShownBox>{Missing("series.wtf")});
    EXPECT_TRUE(series.ShowButton.Enabled() && series.ResetButton.Enabled());
}

TEST_F(WordTools, IdeaSuggestsALevelWordThatStartCanUse) {
    QuibblyForm& form = Form();
    IdeaForm& idea = IdeaForm::Instance();
    platform.NextRandom(0.5);
    form.WordIdea.Choose();
    EXPECT_EQ(idea.TitleLabel.Caption(), "Here is an Easy word:");
    EXPECT_EQ(idea.IdeaLabel.Caption(), "PLANT");
    EXPECT_EQ(idea.Focus(), &idea.NewButton);
    platform.NextRandom(0.9);
    idea.NewButton.Press();
    EXPECT_EQ(idea.IdeaWord, "CRISP");
    idea.OKButton.Press();
    EXPECT_FALSE(idea.Visible());
    EXPECT_EQ(form.YourWordText.Text(), "CRISP");
    EXPECT_TRUE(form.YourWordText.HasFocus());

    // Start checks the word taken; opening Idea in the game leaves the computer's word.
    platform.NextRandom(0.1);  // the computer holds HOUSE
    platform.NextRandom(0.9);
    form.GameStart.Choose();
    ASSERT_TRUE(Boxes().empty());
    ASSERT_EQ(MyWord, "HOUSE");
    platform.NextRandom(0.5);
    form.WordIdea.Choose();
    idea.OKButton.Press();
    EXPECT_EQ(MyWord, "HOUSE");
    EXPECT_EQ(form.YourWordText.Text(), "CRISP");

    // A click on the main window closes the suggestion.
    form.WordIdea.Choose();
    EXPECT_TRUE(idea.Visible());
    form.Activate();
    EXPECT_FALSE(idea.Visible());

    // Another level reloads from its own file.
    form.FileNew.Choose();
    form.LevelMedium.Choose();
    platform.NextRandom(0.7);
    form.WordIdea.Choose();
    EXPECT_EQ(idea.TitleLabel.Caption(), "Here is a Medium word:");
    EXPECT_EQ(idea.IdeaLabel.Caption(), "MOUSE");

    // A level file that cannot be used is reported as at Start.
    form.Activate();
    form.LevelHard.Choose();
    std::filesystem::remove("hard.wtf");
    form.WordIdea.Choose();
    EXPECT_EQ(Boxes(), std::vector<ShownBox>{Missing("hard.wtf")});
    EXPECT_FALSE(idea.Visible());
}

TEST_F(WordTools, MatchShowsTheComputersLettersOncePerEasyTurn) {
    QuibblyForm& form = Form();
    StartEasyGame();
    ASSERT_TRUE(form.WordMatch.Enabled());
    form.WordMatch.Choose();
    MatchForm& match = MatchForm::Instance();
    EXPECT_TRUE(match.MatchText.HasFocus());
    match.MatchText.Type("esuoh\r");
    EXPECT_EQ(match.MatchText.Text(), "ESUOH");
    EXPECT_EQ(match.MatchLabel.Caption(), "HOUSE");
    EXPECT_FALSE(match.MatchButton.Enabled() || form.WordMatch.Enabled());
    EXPECT_EQ(match.Focus(), &match.DoneButton);
    match.DoneButton.Press();

    // The computer's turn keeps it closed, the player's next turn opens it.
    platform.NextRandom(0.0);
    platform.NextRandom(0.0);
    form.YourGuessText.SetText("PLANT");
    form.GuessButton.Press();
    EXPECT_FALSE(form.WordMatch.Enabled());
    form.CountButtons()[static_cast<std::size_t>(MatchCount(form.MyGuessText.Text(), "CRISP"))]->Press();
    ASSERT_TRUE(form.WordMatch.Enabled());
    form.WordMatch.Choose();
    EXPECT_TRUE(match.MatchButton.Enabled());
    match.MatchText.SetText("");
    match.MatchButton.Press();
    EXPECT_EQ(match.MatchLabel.Caption(), "- - - - - ");

    // New Game clears the Match and Hint fields; a Medium game closes Match.
    HintForm& hint = HintForm::Instance();
    hint.SomeOption.Press();
    hint.NumberText.SetText("7");
    hint.LettersText.SetText("AB");
    hint.HintList.AddItem("ABBEY");
    form.FileNew.Choose();
    EXPECT_EQ(match.MatchLabel.Caption(), "- - - - -");
    EXPECT_EQ(match.MatchText.Text(), "");
    EXPECT_TRUE(hint.AllOption.Value() && !hint.SomeOption.Value());
    EXPECT_EQ(hint.NumberText.Text(), "10");
    EXPECT_EQ(hint.LettersText.Text(), "");
    EXPECT_EQ(hint.HintList.ListCount(), 0);
    form.LevelMedium.Choose();
    Start("MOUSE", 0, 2, true);
    EXPECT_FALSE(form.WordMatch.Enabled());
}

}  // namespace
}  // namespace quibbly::testing
