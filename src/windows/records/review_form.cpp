// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/records/review_form.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "records/game_review.h"
#include "records/journal.h"

namespace quibbly {

namespace {

using namespace GameHistory;

constexpr Colour Window = Rgb(128, 128, 255);  // the game's own blue
constexpr Colour Page = Rgb(255, 255, 255);

Look Text(Place place, double points = 14.25, bool bold = false) {
    return Look{.place = place, .font = Font{.points = points, .bold = bold}, .back = Window};
}

// The rows are columns of a fixed-width font, headed by a label in the same
// font.
const Font Columns{.family = "Courier New", .points = 9};

Look ColumnHeads(Place place) {
    return Look{.place = place, .font = Columns, .back = Window, .centred = false};
}

// Rows of a list that wraps (multiLine) take as many lines as they need.
Look Rows(Place place, bool wrapped = false) {
    return Look{.place = place, .font = Columns, .back = Page, .multiLine = wrapped};
}

Look Note(Place place) {
    return Look{.place = place, .font = Font{.points = 11}, .back = Window, .centred = false};
}

// A reason is one row under its turn, indented, so that a screen reader
// reads it whole; a reason wider than the list wraps within it.
constexpr const char* ReasonIndent = "    ";

std::string Right(const std::string& text, std::size_t width) {
    return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}

std::string Left(const std::string& text, std::size_t width) {
    return text.size() >= width ? text : text + std::string(width - text.size(), ' ');
}

std::string OneDecimal(double number) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", number);
    return text;
}

// Beside the words a guess left, what it leaves on average, then the best
// guess and what that leaves on average: like beside like.
std::string YourRow(const std::string& number, const std::string& guess, const std::string& count,
                    const std::string& left, const std::string& leaves, const std::string& best,
                    const std::string& bestLeaves) {
    return Right(number, 2) + " " + Left(guess, 5) + " " + Right(count, 5) + " " + Right(left, 5) + " " +
           Right(leaves, 6) + "  " + Left(best, 5) + " " + Right(bestLeaves, 6);
}

// Said under a row whose words left were far from the guess's average.
std::string LuckLine(GameReview::Luck luck) {
    switch (luck) {
        case GameReview::Luck::Lucky:
            return "    Lucky: half its average or fewer";
        case GameReview::Luck::Unlucky:
            return "    Unlucky: twice its average or more";
        case GameReview::Luck::Even:
            break;
    }
    return "";
}

std::string MyRow(const std::string& number, const std::string& guess, const std::string& count,
                  const std::string& found, const std::string& ruledOut) {
    std::string row = Right(number, 2) + "  " + Left(guess, 5) + "  " + Right(count, 5) + "  " +
                      Left(found, 5) + "  " + ruledOut;
    while (!row.empty() && row.back() == ' ') row.pop_back();
    return row;
}

// A bar's height on a logarithmic scale: the level's whole list at the top,
// a single word a small stub just above the base line.
int LogHeight(double words, int all) {
    if (all <= 1) return 1000;
    const double clamped = std::clamp(words, 1.0, static_cast<double>(all));
    return 10 + static_cast<int>(std::lround(990 * std::log(clamped) / std::log(static_cast<double>(all))));
}

// Above a best guess's bar: its average, whole from 10 on so that it stays
// about as narrow as a bar.
std::string Average(double leaves) {
    return leaves < 10 ? OneDecimal(leaves) : std::to_string(std::lround(leaves));
}

// Beyond this many guesses the bars grow too narrow for the best guesses'
// averages over them; the player's numbers stay, and the list has them all.
constexpr std::size_t MostAveragesShown = 16;

std::string Plural(long number, const char* one, const char* many) {
    return std::to_string(number) + " " + (number == 1 ? one : many);
}

std::string Result(const Game& game) {
    switch (game.ending) {
        case Ending::Won:
            return "won in " + Plural(game.score, "guess", "guesses");
        case Ending::Lost:
            return "lost: I found your word in " +
                   Plural(static_cast<long>(game.myGuesses.size()), "guess", "guesses");
        case Ending::Quit:
            break;
    }
    return "given up at turn " + std::to_string(game.score);
}

}  // namespace

ReviewForm::ReviewForm()
    : Form(FormDesign{.caption = "Review",
                      .clientWidth = 10800,
                      .clientHeight = 8400,
                      .back = Window,
                      .showInTaskbar = false,
                      .sizable = true}),
      GameLabel(*this, "GameLabel", nullptr, Text({240, 150, 10320, 375}, 12, true)),
      YourHeading(*this, "YourHeading", nullptr, Text({240, 690, 4800, 375}), "Your Guesses"),
      YourColumns(*this, "YourColumns", nullptr, ColumnHeads({240, 1095, 4800, 270}),
                  YourRow("#", "Guess", "Count", "Left", "Avg.", "Best", "Avg.")),
      YourList(*this, "YourList", nullptr, Rows({240, 1365, 4800, 2880})),
      YourNote(*this, "YourNote", nullptr,
               Look{.place = {240, 1365, 4800, 2880},
                    .font = Font{.points = 11},
                    .back = Page,
                    .border = true,
                    .centred = false}),
      MyHeading(*this, "MyHeading", nullptr, Text({5280, 690, 5280, 375}),
                "The Computer's Guesses and Reasons"),
      MyColumns(*this, "MyColumns", nullptr, ColumnHeads({5280, 1095, 5280, 270}),
                MyRow("#", "Guess", "Count", "Found", "Ruled out")),
      MyList(*this, "MyList", nullptr, Rows({5280, 1365, 5280, 2880}, true)),
      MyNote(*this, "MyNote", nullptr, Note({5280, 4290, 5280, 555})),
      ChartHeading(*this, "ChartHeading", nullptr, Text({240, 4890, 4200, 375}), "Words Still Possible"),
      LegendLabel(*this, "LegendLabel", nullptr,
                  Look{.place = {4560, 4950, 6000, 300},
                       .font = Font{.points = 9.75},
                       .back = Window,
                       .rightAligned = true},
                  "Blue: after your guess.   Green: after the best guess, on average."),
      PossibleChart(*this, "PossibleChart", nullptr,
                    Look{.place = {240, 5295, 10320, 2280},
                         .font = Font{.points = 9},
                         .back = Page,
                         .fore = Rgb(0, 0, 0xC0),
                         .border = true},
                    "Words still possible after each guess", "No guesses to weigh"),
      PreviousButton(*this, "PreviousButton", nullptr, Look{.place = {240, 7710, 1560, 495}}, "< &Previous"),
      NextButton(*this, "NextButton", nullptr, Look{.place = {1920, 7710, 1560, 495}}, "&Next >"),
      DoneButton(*this, "DoneButton", nullptr, Look{.place = {9240, 7710, 1320, 495}}, "Done") {
    YourNote.SetVisible(false);
    MyNote.SetVisible(false);
    SetTabOrder({&PreviousButton, &NextButton, &YourList, &MyList, &PossibleChart, &DoneButton});
    SetFocus(&DoneButton);
    SetEscapeButton(DoneButton);
    PreviousButton.Click = [this] { PreviousButton_Click(); };
    NextButton.Click = [this] { NextButton_Click(); };
    DoneButton.Click = [this] { DoneButton_Click(); };
}

void ReviewForm::ShowReview() {
    // Showing an active window does not activate it again.
    if (IsActive()) return Reload(true);
    toLast_ = true;
    Show();
}

void ReviewForm::Form_Activate() {
    Reload(toLast_);
    toLast_ = false;
    SetFocus(&DoneButton);
}

void ReviewForm::Reload(bool toLast) {
    const std::size_t before = games_.size();
    History history;
    fault_.clear();
    Load(history, fault_);
    games_.clear();
    for (const Entry& entry : history.entries)
        if (entry.game) games_.push_back(*entry.game);
    // A game added or a history cleared since: the last game, as on opening.
    if (toLast || games_.size() != before || index_ >= games_.size())
        index_ = games_.empty() ? 0 : games_.size() - 1;
    Fill();
}

void ReviewForm::Fill() {
    YourList.Clear();
    MyList.Clear();
    YourNote.SetVisible(false);
    YourList.SetVisible(true);
    MyNote.SetVisible(false);
    PreviousButton.SetEnabled(!games_.empty() && index_ > 0);
    NextButton.SetEnabled(index_ + 1 < games_.size());
    if (games_.empty()) {
        GameLabel.SetCaption(fault_.empty() ? "There is no game to review yet."
                                            : "The history of games \"" + std::string(HistoryFile) +
                                                  "\" cannot be read: " + fault_ + ".");
        PossibleChart.SetBars({}, PossibleChart.EmptyText());
        return;
    }
    const Game& game = games_[index_];
    GameLabel.SetCaption(game.level + ", " + Result(game) + ", " + game.when + " (game " +
                         std::to_string(index_ + 1) + " of " + std::to_string(games_.size()) + ")");
    FillYourSide(game);
    FillMySide(game);
}

void ReviewForm::FillYourSide(const Game& game) {
    const std::string myWord = game.ending == Ending::Won ? "You found my word, " + game.myWord + "."
                                                          : "My word was " + game.myWord + ".";
    GameReview::Words words;
    std::string fault;
    if (!GameReview::LoadWords(game.level, words, fault)) {
        YourList.SetVisible(false);
        YourNote.SetCaption("I cannot weigh your guesses: " + fault + ". " + myWord);
        YourNote.SetVisible(true);
        PossibleChart.SetBars({}, PossibleChart.EmptyText());
        return;
    }
    const GameReview::PlayerReview review = GameReview::ReviewPlayer(words, game.yourGuesses, game.myWord);
    std::vector<ChartBar> bars{{LogHeight(review.levelWords, review.levelWords),
                                std::to_string(review.levelWords), "", ChartBar::Kind::Plain,
                                "At the start: " + std::to_string(review.levelWords) + " words"}};
    std::string said = "Words still possible: " + std::to_string(review.levelWords) + " at the start";
    const bool averages = review.rows.size() <= MostAveragesShown;
    for (std::size_t i = 0; i < review.rows.size(); ++i) {
        const GameReview::PlayerRow& row = review.rows[i];
        const std::string number = std::to_string(i + 1);
        const std::string left = row.found ? "found" : std::to_string(row.possible);
        const bool weighed = !row.best.empty();  // some level word fitted before the guess
        YourList.AddItem(YourRow(number, row.guess, std::to_string(row.count), left,
                                 weighed ? OneDecimal(row.leaves) : "", row.best,
                                 weighed ? OneDecimal(row.bestLeaves) : ""));
        if (row.luck != GameReview::Luck::Even) YourList.AddItem(LuckLine(row.luck));
        // A found word leaves no word: no bar, where one word would have a stub.
        bars.push_back({row.found ? 0 : LogHeight(row.possible, review.levelWords),
                        std::to_string(row.possible), number, ChartBar::Kind::Plain,
                        "After guess " + number + ", " + row.guess + ": " + left});
        bars.push_back(
            {LogHeight(row.bestLeaves, review.levelWords), averages ? Average(row.bestLeaves) : "", "",
             ChartBar::Kind::Highlighted,
             weighed ? "The best guess, " + row.best + ": " + OneDecimal(row.bestLeaves) + " on average"
                     : "No best guess"});
        said += "; after guess " + number + ", " + row.guess + ", " + left;
        if (weighed)
            said += " (" + OneDecimal(row.leaves) + " on average; the best guess, " + row.best + ", " +
                    OneDecimal(row.bestLeaves) + ")";
    }
    YourList.AddItem(myWord);
    PossibleChart.SetBars(std::move(bars), said + ".");
}

void ReviewForm::FillMySide(const Game& game) {
    const std::size_t from = static_cast<std::size_t>(std::max(game.journalFrom, 1));
    const bool noJournal = game.journal.empty() && from == 1;
    // The guesses before the journal starts, as the history keeps them.
    const std::size_t plain = noJournal ? game.myGuesses.size() : std::min(from - 1, game.myGuesses.size());
    for (std::size_t i = 0; i < plain; ++i)
        MyList.AddItem(MyRow(std::to_string(i + 1), game.myGuesses[i].word,
                             std::to_string(game.myGuesses[i].count), "", ""));
    for (std::size_t i = 0; i < game.journal.size(); ++i) {
        const Journal::Turn& turn = game.journal[i];
        MyList.AddItem(MyRow(std::to_string(from + i), turn.guess,
                             turn.count < 0 ? "-" : std::to_string(turn.count), turn.known, turn.ruledOut));
        for (std::string reason : Journal::Reasons(turn)) {
            // Each reason a sentence of its own under the turn.
            if (!reason.empty() && reason[0] >= 'a' && reason[0] <= 'z')
                reason[0] = static_cast<char>(reason[0] - 'a' + 'A');
            MyList.AddItem(ReasonIndent + reason);
        }
    }
    std::string note;
    if (from > 1)
        note = "This game was loaded from a saved game at the computer's turn " + std::to_string(from) +
               ", so its thoughts start there.";
    else if (noJournal && !game.myGuesses.empty())
        note = "This game was played before the computer kept notes, so none of its thoughts are here.";
    else if (game.myGuesses.empty() && game.journal.empty())
        note = "The computer made no guess in this game.";
    MyNote.SetCaption(note);
    MyNote.SetVisible(!note.empty());
}

void ReviewForm::PreviousButton_Click() {
    if (index_ == 0) return;
    --index_;
    Fill();
}

void ReviewForm::NextButton_Click() {
    if (index_ + 1 >= games_.size()) return;
    ++index_;
    Fill();
}

void ReviewForm::DoneButton_Click() {
    Hide();
}

bool HistoryHoldsAGame() {
    History history;
    std::string fault;
    if (!Load(history, fault)) return false;
    return std::any_of(history.entries.begin(), history.entries.end(),
                       [](const Entry& entry) { return entry.game.has_value(); });
}

}  // namespace quibbly
