// SPDX-License-Identifier: GPL-3.0-or-later
// The review window: one game of the history at a time, the last one first.
// The player's guesses with the words each left possible, what each leaves
// on average, and the best guess at that point with what it leaves on
// average, lucky and unlucky rows said in words; a chart of those numbers on a logarithmic scale; and the
// computer's guesses with what it had learned and why, from its journal.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "platform/chart.h"
#include "platform/controls.h"
#include "platform/form.h"
#include "records/game_history.h"

namespace quibbly {

class ReviewForm : public Form {
public:
    ReviewForm();
    static ReviewForm& Instance() { return Forms::Instance<ReviewForm>(); }

    Label GameLabel;  // which game: level, result, date, and its place in the history
    Label YourHeading, YourColumns;
    ListBox YourList;  // a row a guess; the last row names the computer's word
    Label YourNote;    // stands in place of the rows when a word file cannot be read
    Label MyHeading, MyColumns;
    ListBox MyList;  // a row a computer's turn, its reasons under it
    Label MyNote;    // a game loaded from a save, or one without a journal
    Label ChartHeading, LegendLabel;
    Chart PossibleChart;
    Button PreviousButton, NextButton, DoneButton;

    // Game > Review: shows the history's last game.
    void ShowReview();
    // The history is read again when the window becomes active; the game
    // shown stays unless the history changed under it.
    void Form_Activate() override;
    void PreviousButton_Click();
    void NextButton_Click();
    void DoneButton_Click();

    // The games the window steps through, oldest first, and the one shown.
    const std::vector<GameHistory::Game>& Games() const { return games_; }
    std::size_t Shown() const { return index_; }

private:
    void Reload(bool toLast);
    void Fill();
    void FillYourSide(const GameHistory::Game& game);
    void FillMySide(const GameHistory::Game& game);

    std::vector<GameHistory::Game> games_;
    std::size_t index_ = 0;
    bool toLast_ = false;  // the next activation shows the last game
    std::string fault_;    // why the history could not be read, or empty
};

// Whether the history holds a game to review. A file that cannot be read
// holds none.
bool HistoryHoldsAGame();

}  // namespace quibbly
