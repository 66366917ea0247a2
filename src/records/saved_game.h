// SPDX-License-Identifier: GPL-3.0-or-later
// The saved-game file: the game as the main window shows it plus the state
// of the computer's search, one value a line, CR LF line ends.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "platform/types.h"
#include "records/journal.h"

namespace quibbly::SavedGame {

// Everything a saved game holds, in the file's order.
struct Contents {
    float turnNumber = 0.0f;
    std::string who, level, yourWord, yourGuess, myWord, possibleLetters, myLetters;
    Integer recheckPeriod = 0;
    Integer letterThreshold = 0;
    std::vector<std::string> yourGuesses, myGuesses;
    std::string candidateIndex;  // as the game holds it: a whole number as text
    // What the position alone does not say, kept on the position's line (see
    // the file's writing): the first count for the list, and whether the list
    // came from the dictionary.
    Integer firstCount = -1;
    bool fromMaster = false;
    // The game had ended when it was saved: it loads as a finished board,
    // never as a game to play on, so it cannot be won or recorded twice.
    bool over = false;
    // The date of the day's counted game of today's word ("YYYY-MM-DD"), or
    // empty for an ordinary game.
    std::string daily;
    // The game's identity (see GameId); empty in a file of the designed
    // format, which gets a new one when it loads.
    std::string id;
    std::vector<std::string> candidates;  // elements 1 to CandidateCount
    std::array<Colour, 26> markers{};     // AButton to ZButton
    // What the board shows beyond a saved game, kept only by the game in
    // progress (a player's saved game leaves it out): the Scratch Pad, and
    // the computer's journal from its turn journalFrom on.
    struct Board {
        std::string scratchPad;
        int journalFrom = 1;
        std::vector<Journal::Turn> journal;
        friend bool operator==(const Board&, const Board&) = default;
    };
    std::optional<Board> kept;
    friend bool operator==(const Contents&, const Contents&) = default;
};

// The largest counts a file may give: a list box holds at most this many
// rows, the candidate array 200 entries.
inline constexpr int MaxListRows = 32767;

// The running game, read from the main window and the module state, with
// the board beyond a saved game.
Contents Capture();
// The file's bytes for the contents.
std::string Format(const Contents& contents);
// Reads a whole file's bytes and checks every count and number. On a fault
// the result is empty and fault says what is wrong, naming the line.
std::optional<Contents> Parse(const std::string& bytes, std::string& fault);

// Saves the running game as path, replacing any file of that name. The old
// file stays whole until the new one is complete; a failure is reported in
// a message box that names the file and the fault. The game is not changed.
bool SaveGame(const std::string& path);
// Loads the game in path. The whole file is read and checked first: a file
// that fails is reported in a message box and the game stays as it was. A
// game under way is given up first, when the player agrees; false when the
// file fails or the player keeps the game on the board.
bool LoadGame(const std::string& path);
// The first half of a load: the file read and checked (a fault reported),
// then the game under way given up if the player agrees; empty when the
// load goes no further.
std::optional<Contents> ReadForLoad(const std::string& path);
// Reads and checks the game in path; empty, with the fault, when it cannot
// be loaded.
std::optional<Contents> ReadGameFile(const std::string& path, std::string& fault);
// The box that tells why the game in path cannot be loaded.
void ReportLoadFault(const std::string& path, const std::string& fault);
// Puts checked contents on the board, as a load does; title names the box
// that tells a replay.
void Apply(const Contents& contents, const std::string& title);

}  // namespace quibbly::SavedGame
