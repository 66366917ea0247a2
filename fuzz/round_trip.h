// SPDX-License-Identifier: GPL-3.0-or-later
// What a player keeps must come back the same, beyond "nothing crashes":
// checks that the saved-game and winners-list targets run on every input.
#pragma once

#include <string>

namespace quibbly::fuzz {

// For a saved game that loads: loaded into a fresh program, saved and loaded
// again, it is the same game, saving it again gives the same bytes, and both
// loads play on alike (the same computer proposals and messages).
void ExpectSavedGameRoundTrip(const std::string& file);

// For a winners list: the player opens Game > Winners during a game, wins
// with the window open, presses OK wherever a window offers it, and types a
// name. Every row of the list is still in the file afterwards, except rows
// that the ranking trims from the level's best 15; after Clear the level's
// rows are gone and every other row is kept.
void ExpectWinnersKeptThroughAWin(const std::string& list);

}  // namespace quibbly::fuzz
