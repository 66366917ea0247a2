// SPDX-License-Identifier: GPL-3.0-or-later
// The Word menu's tools beside a game: searches that clicks reach while they read, Match once per turn.
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

class WordTools : public FreshGameWith<WriteWordFiles> {
protected:
    void StartEasyGame() {
        Start("CRISP", 0, 3, true);  // the computer holds HOUSE
        ASSERT_TRUE(Boxes().empty());
    }
    // Whether the window shows a search under way, or its end.
    static bool Searching(Button& show, Button& done) { return !show.Enabled() && done.Caption() == "Stop"; }
    static bool Idle(Button& show, Button& reset, Button& done) {
        return show.Enabled() && reset.Enabled() && done.Caption() == "Done";
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
    ASSERT_TRUE(hint.Visible() && hint.LettersText.HasFocus());

    // Lower case shows in capitals; Enter starts a search over the whole file.
    hint.LettersText.Type("qu\r");
    EXPECT_EQ(hint.HintList.Rows(), (Rows{"QUOTE", "QUITE", "SQUAT", "QUERY", "EQUIP"}));
    EXPECT_EQ(std::pair(hint.ProgressBar.Value(), hint.ProgressBar.Max()), std::pair(9, 9));
    EXPECT_TRUE(Idle(hint.ShowButton, hint.ResetButton, hint.DoneButton));

    // A limit of 3 stops at the third match, SQUAT on the fourth line.
    hint.SomeOption.Press();
    hint.NumberText.SetText("3");
    hint.ShowButton.Press();
    EXPECT_EQ(hint.HintList.Rows(), (Rows{"QUOTE", "QUITE", "SQUAT"}));
    EXPECT_EQ(hint.ProgressBar.Value(), 4);

    // During a search Enter starts no second one, a clicked word is the guess, Stop ends it.
    hint.AllOption.Press();
    platform.eventsYielded = 0;
    platform.AtYield(2, [&] {
        EXPECT_TRUE(Searching(hint.ShowButton, hint.DoneButton) && !hint.ResetButton.Enabled());
        hint.LettersText.Type("\r");
    });
    platform.AtYield(3, [&] {
        hint.HintList.ClickRow(0);
        hint.DoneButton.Press();
    });
    hint.ShowButton.Press();
    EXPECT_EQ(hint.HintList.Rows(), (Rows{"QUOTE", "QUITE"}));
    EXPECT_EQ(platform.eventsYielded, 3);
    EXPECT_EQ(Form().YourGuessText.Text(), "QUOTE");
    EXPECT_TRUE(hint.Visible() && Idle(hint.ShowButton, hint.ResetButton, hint.DoneButton));

    // A limit that is no number finds nothing; Reset brings back the whole list.
    hint.SomeOption.Press();
    hint.NumberText.SetText("many");
    hint.ShowButton.Press();
    EXPECT_EQ(hint.HintList.ListCount(), 0);
    hint.ResetButton.Press();
    EXPECT_TRUE(hint.AllOption.Value() && hint.NumberText.Text() == "10");
    platform.eventsYielded = 0;
    hint.ShowButton.Press();  // no letters, no search
    EXPECT_EQ(platform.eventsYielded, 0);

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
    EXPECT_TRUE(Idle(hint.ShowButton, hint.ResetButton, hint.DoneButton));
}

TEST_F(WordTools, SeriesListsAWordsSeriesAndCopiesASwapWord) {
    StartEasyGame();
    WriteLines("master.wtf", {"6", "HOUSE"});
    WriteLines("series.wtf",
               {"BLIMP", "HOUSE", "MOUSE H>M", "ROUSE H>R", "HORSE U>R", "PLANT", "CRISP", "CRASP I>A"});
    Form().WordSeries.Choose();
    SeriesForm& series = SeriesForm::Instance();
    EXPECT_TRUE(series.WordText.HasFocus());

    // The search ends with the series; a second appends, and a file ending inside a series lists it.
    series.WordText.Type("house\r");
    EXPECT_EQ(platform.eventsYielded, 2);
    series.WordText.SetText("CRISP");
    series.ShowButton.Press();
    EXPECT_EQ(series.SeriesList.Rows(),
              (Rows{"HOUSE", "MOUSE H>M", "ROUSE H>R", "HORSE U>R", "CRISP", "CRASP I>A"}));
    EXPECT_EQ(std::pair(series.ProgressBar.Value(), series.ProgressBar.Max()), std::pair(6, 6));

    // A repeated-letter word and an unknown word read the whole file; Stop ends a search at once.
    for (const char* word : {"EERIE", "ZEBRA", "PLANT"}) {
        series.ResetButton.Press();
        series.WordText.Type(word);
        platform.eventsYielded = 0;
        const bool stop = word == std::string("PLANT");
        if (word == std::string("ZEBRA"))  // the bar counts the words read, not the series' lines
            platform.AtYield(4, [&] { EXPECT_EQ(series.ProgressBar.Value(), 2); });
        if (stop)
            platform.AtYield(1, [&] {
                EXPECT_TRUE(Searching(series.ShowButton, series.DoneButton));
                series.DoneButton.Press();
            });
        series.ShowButton.Press();
        EXPECT_TRUE(series.SeriesList.ListCount() == 0 && series.ProgressBar.Value() == 6) << word;
        EXPECT_EQ(platform.eventsYielded, stop ? 1 : 8) << word;
    }

    series.WordText.SetText("HOUSE");
    series.ShowButton.Press();
    series.SeriesList.ClickRow(2);
    EXPECT_TRUE(Form().YourGuessText.Text() == "ROUSE" && !series.Visible());

    std::filesystem::remove("series.wtf");
    series.ShowButton.Press();
    EXPECT_EQ(Boxes(), std::vector<ShownBox>{Missing("series.wtf")});
    EXPECT_TRUE(Idle(series.ShowButton, series.ResetButton, series.DoneButton));
}

// The idea itself and a file that cannot give one are the fuzz target's; here, beside a game.
TEST_F(WordTools, IdeaSuggestsALevelWordThatStartCanUse) {
    QuibblyForm& form = Form();
    IdeaForm& idea = IdeaForm::Instance();
    platform.NextRandom(0.9);
    form.WordIdea.Choose();
    idea.OKButton.Press();
    EXPECT_TRUE(!idea.Visible() && form.YourWordText.Text() == "CRISP" && form.YourWordText.HasFocus());

    // Start takes the word; Idea during the game leaves both words alone.
    platform.NextRandom(0.1);  // the computer holds HOUSE
    platform.NextRandom(0.9);
    form.GameStart.Choose();
    ASSERT_TRUE(Boxes().empty() && MyWord == "HOUSE");
    platform.NextRandom(0.5);
    form.WordIdea.Choose();
    idea.OKButton.Press();
    EXPECT_TRUE(MyWord == "HOUSE" && form.YourWordText.Text() == "CRISP");

    // Another level reads its own file; a click on the main window closes the idea.
    form.FileNew.Choose();
    form.LevelMedium.Choose();
    platform.NextRandom(0.7);
    form.WordIdea.Choose();
    EXPECT_EQ(idea.TitleLabel.Caption() + idea.IdeaLabel.Caption(), "Here is a Medium word:MOUSE");
    form.Activate();
    EXPECT_FALSE(idea.Visible());
}

TEST_F(WordTools, MatchShowsTheComputersLettersOncePerEasyTurn) {
    QuibblyForm& form = Form();
    StartEasyGame();
    form.WordMatch.Choose();
    MatchForm& match = MatchForm::Instance();
    match.MatchText.Type("esuoh\r");
    EXPECT_EQ(match.MatchLabel.Caption(), "HOUSE");
    EXPECT_FALSE(match.MatchButton.Enabled() || form.WordMatch.Enabled());
    match.DoneButton.Press();

    // The computer's turn keeps it closed, the player's next turn opens it.
    platform.NextRandom(0.0);
    platform.NextRandom(0.0);
    Guess("PLANT");
    EXPECT_FALSE(form.WordMatch.Enabled());
    form.CountButtons()[static_cast<std::size_t>(MatchCount(form.MyGuessText.Text(), "CRISP"))]->Press();
    ASSERT_TRUE(form.WordMatch.Enabled());
    form.WordMatch.Choose();
    match.MatchText.SetText("");
    match.MatchButton.Press();
    EXPECT_EQ(match.MatchLabel.Caption(), "- - - - - ");

    // New Game clears the Match and Hint fields; a Medium game closes Match.
    HintForm& hint = HintForm::Instance();
    hint.SomeOption.Press();
    hint.NumberText.SetText("7");
    hint.LettersText.SetText("AB");
    hint.HintList.AddItem("ABBEY");
    platform.Answer(MsgAnswer::Yes);  // the game under way is given up
    form.FileNew.Choose();
    EXPECT_TRUE(match.MatchLabel.Caption() == "- - - - -" && match.MatchText.Text().empty());
    EXPECT_TRUE(hint.AllOption.Value() && hint.NumberText.Text() == "10" && hint.LettersText.Text().empty() &&
                hint.HintList.ListCount() == 0);
    form.LevelMedium.Choose();
    Start("MOUSE", 0, 2, true);
    EXPECT_FALSE(form.WordMatch.Enabled());
}

}  // namespace
}  // namespace quibbly::testing
