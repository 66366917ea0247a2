// SPDX-License-Identifier: GPL-3.0-or-later
// The statistics window: for one level at a time, the games played, won,
// lost and given up, the streaks, today's word's days and streaks, the player's winning scores and the
// computer's guesses as bar charts, and the last games in order; it copies a
// summary of the last game and clears the history.
#pragma once

#include <string>

#include "platform/chart.h"
#include "platform/controls.h"
#include "platform/form.h"
#include "records/game_history.h"

namespace quibbly {

class StatisticsForm : public Form {
public:
    StatisticsForm();
    static StatisticsForm& Instance() { return Forms::Instance<StatisticsForm>(); }

    Label LevelLabel;
    OptionButton EasyOption, MediumOption, HardOption, ExpertOption;
    // Four figures, each a big number over its name.
    Label PlayedNumber, PlayedLabel, PercentNumber, PercentLabel;
    Label StreakNumber, StreakLabel, BestNumber, BestLabel;
    Label OutcomeLabel;  // won, lost and given up
    Label DailyLabel;    // today's word: days played and won, the daily streaks
    Label ScoreHeading;
    Chart ScoreChart;  // the player's wins by score
    Label GuessHeading;
    Chart GuessChart;  // the computer's wins by its guesses
    Label RecentHeading;
    Chart RecentChart;  // the last games, oldest first
    Label NoteLabel;    // damaged records, or a file that cannot be read
    Button CopyButton, ClearButton, OKButton;
    Label CopiedLabel;

    // Game > Statistics: shows the window at the level of the main window.
    void ShowStatistics();
    // The history is read again each time the window becomes active.
    void Form_Activate() override;
    void LevelOption_Click();
    void CopyButton_Click();
    void ClearButton_Click();
    void OKButton_Click();

    // The level whose option is selected.
    std::string Level() const;

private:
    void Reload();
    void Fill();

    GameHistory::History history_;  // as last read
    std::string fault_;             // why the file could not be read, or empty
};

}  // namespace quibbly
