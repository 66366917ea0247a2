// SPDX-License-Identifier: GPL-3.0-or-later
// The game in progress, kept in the game folder after every move in the
// saved-game format, so that a game survives however the program ends: the
// credits' Done, the desktop's close, a logout, a kill or a crash. The next
// start offers to continue it.
#pragma once

#include <string>

namespace quibbly::KeptGame {

inline constexpr const char* KeptFile = "Unfinished.Gam";
// Held locked for the whole run by the copy of the program that keeps its
// game in KeptFile; a second copy beside it keeps none and never touches
// the first one's.
inline constexpr const char* ClaimFile = "Unfinished.Lck";

// Takes the kept game for this run; false when another copy holds it or
// the folder cannot take the claim. Claiming again changes nothing.
bool Claim();
// Lets go of the claim (a test's fresh program; the end of a run does it by
// itself).
void Release();
bool Claimed();

// Writes the game under way over KeptFile, through the atomic writer. Does
// nothing without the claim or without a game under way. A failure is told
// once a run: play goes on.
void Keep();
// Removes KeptFile (the game ended or the board was cleared).
void Drop();

// At program start: claims the kept game and, when a game was left in
// KeptFile, asks whether to continue it. Yes puts it on the board as it
// stood; No removes it. A file that cannot be loaded is named, moved aside
// under a name of its own and not offered again.
void OfferAtStart();

// The name a kept file that cannot be loaded is moved to: "Unfinished.Bad",
// or "Unfinished 2.Bad" and on when that is taken.
std::string AsideName();

}  // namespace quibbly::KeptGame
