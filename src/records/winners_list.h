// SPDX-License-Identifier: GPL-3.0-or-later
// The winners list: the best wins of each level, kept in "Win.Lst" with the
// player's name, the level, the number of guesses and the date. These
// procedures belong to the module Functions beside the game engine.
#pragma once

#include <string>
#include <vector>

#include "engine/functions.h"

namespace quibbly::Functions {

inline constexpr const char* WinnersFile = "Win.Lst";
inline constexpr int TopScoreRows = 15;  // rows kept and shown for a level

// Positions of WinnerLines in use, from 1. Rows to write back beyond its
// position 50 (only a file that this game did not write has so many) wait
// in MoreWinnerLines, so that none is lost.
extern int WinnerLineCount;
extern std::vector<std::string> MoreWinnerLines;
// Set by the player's win; the row of that game is merged into the list by
// the next UpdateWinners, and only once.
extern bool WinAwaitingRow;

// Reads the file and sets WinnerCount and WorstTopScore for the level shown
// in GameLabel; the other levels' rows go to WinnerLines.
void CheckTopScore();
// Reads the file, merges the row of a game the player has just won, ranks
// and trims the level's rows and shows them in the winners window.
void UpdateWinners();
// The one reading of the file that both procedures share: empties the
// winners window, puts every row of another level into WinnerLines and
// returns the rows of the level shown in GameLabel, at most 21 of them
// whatever the file holds. A missing file is an empty list; a file that
// cannot be read gives no rows (the caller reports it).
std::vector<std::string> ReadWinners();
// The write-back of the winners window's OK: the file as it is now, read
// again under the folder's lock, with the changes the window made: the win's
// row it showed, or without the level's rows it showed when the player
// cleared them. False, after a message, when the file could not be written;
// the file on disk is then as it was. After a failed reading, or when the
// window shows no list that UpdateWinners gathered, nothing is written.
bool WriteWinners(bool clearConfirmed = true);
// The most guesses a row can hold: its columns 19 to 21 take three digits.
inline constexpr int MostRankedGuesses = 999;
// The rank of a row: the number in its columns 19 to 21, 0 when none.
double WinnerKey(const std::string& row);
// The winners list's state back to its value at program start.
void ForgetWinners();

}  // namespace quibbly::Functions
