// SPDX-License-Identifier: GPL-3.0-or-later
// What the program does before its first window opens.
#pragma once

namespace quibbly {

// Tells the desktop which entry the windows belong to, prepares the player's
// game folder and makes it the current folder. A shipped file that could not
// be brought up to date is named in a message box. False when the game
// cannot start.
bool PrepareToPlay();

}  // namespace quibbly
