// SPDX-License-Identifier: GPL-3.0-or-later
// The history of finished games, "History.Lst" beside "Win.Lst": one record
// a game, the statistics of a level drawn from it, and the one-line summary
// of a game that a player shares.
//
// The file is single-byte text with CR LF line ends. Its first line is the
// header "Quibbly History 1"; then come the records, each a run of keyed
// lines "Key=Value" that begins with its "Game=" line:
//
//   Game=2026-05-12 14:03        when the game ended, local time
//   Id=3f09c2a1b7d4e655          the game's identity, drawn at its Start;
//                                absent in a record of an earlier version
//   Level=Easy
//   End=Won                      Won, Lost (the computer found the word) or Quit
//   Score=7                      the turn number at the end; a win's score
//   YourWord=SHOUT               the player's secret word
//   MyWord=PLANT                 the computer's
//   YourGuesses=CRISP 1,PLANT 5  the player's guesses with their counts
//   MyGuesses=HOUSE 3            the computer's, with the counts it was given
//   JournalFrom=4                the computer's turn its journal starts at (a
//                                game loaded from a saved file); absent: 1
//   Journal=HOUSE 3|EH|AB|...    one line a computer turn: its journal
//   Daily=2026-12-07             the day's counted game of today's word at
//                                its level, on that local date; absent: an
//                                ordinary game
//
// A winning guess is the last of its side's list, with the count 5. Keys this
// version does not know are kept, in order, so that a later version can add
// its own. Lines that cannot be read (a damaged record, text before the first
// record) are kept verbatim and written back unchanged.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "records/journal.h"

namespace quibbly::GameHistory {

inline constexpr const char* HistoryFile = "History.Lst";
inline constexpr const char* Header = "Quibbly History 1";
// The games that the last-games chart shows.
inline constexpr std::size_t RecentGames = 30;

enum class Ending { Won, Lost, Quit };

struct Guess {
    std::string word;
    int count = 0;
    friend bool operator==(const Guess&, const Guess&) = default;
};

struct Game {
    std::string when;  // "YYYY-MM-DD HH:MM"
    std::string id;    // the identity drawn at the game's Start
    std::string level;
    Ending ending = Ending::Quit;
    long score = 0;
    std::string yourWord, myWord;
    std::vector<Guess> yourGuesses, myGuesses;
    // What the computer thought, turn by turn, from its turn journalFrom on.
    int journalFrom = 1;
    std::vector<Journal::Turn> journal;
    std::string daily;  // "YYYY-MM-DD": the day's game of today's word
    // Keyed lines of a later version, as "Key" and "Value", in file order.
    std::vector<std::pair<std::string, std::string>> more;
    friend bool operator==(const Game&, const Game&) = default;
};

// One piece of the file: a record as its lines stand, and the game read from
// them; no game when the lines could not be read.
struct Entry {
    std::vector<std::string> lines;
    std::optional<Game> game;
    friend bool operator==(const Entry&, const Entry&) = default;
};

struct History {
    std::vector<Entry> entries;
    // The pieces that could not be read.
    int Damaged() const;
    friend bool operator==(const History&, const History&) = default;
};

// Easy, Medium, Hard or Expert: the levels the game plays and keeps.
bool KnownLevel(std::string_view level);
// Reads a whole file's bytes; lines may end in CR LF or LF, and a leading
// UTF-8 byte-order mark is skipped. Never fails: what cannot be read becomes
// an entry without a game. A key that a record holds once, given again,
// begins a damaged piece of its own.
History Parse(const std::string& bytes);
// The file's bytes: the header, then every entry's lines with CR LF.
std::string Format(const History& history);
// The lines of a record for a game.
std::vector<std::string> RecordLines(const Game& game);
// A new entry for a game, as the file will hold it.
Entry MakeEntry(const Game& game);

// Reads "History.Lst". A missing file is an empty history. False, with the
// fault, when the file exists but cannot be read.
bool Load(History& history, std::string& fault);
// Writes the history over "History.Lst", atomically; the fault, or empty.
std::string Save(const History& history);
// A game's identity as the files hold it: 1 to 32 digits and small letters.
bool IsGameId(std::string_view id);
// True when the history holds a record of the game with this identity: the
// game has ended, and a copy of it (a save, a kept game) is a replay.
bool Holds(const History& history, const std::string& id);
// The same, read from "History.Lst"; false when it cannot be read.
bool HistoryHolds(const std::string& id);

// What the statistics window shows for one level.
struct Bar {
    int guesses = 0;      // the guesses this bar stands for
    int games = 0;        // how many games took them
    bool orMore = false;  // the last bar also holds all longer games
    bool latest = false;  // the level's last game is in this bar
    friend bool operator==(const Bar&, const Bar&) = default;
};
struct RecentGame {
    Ending ending = Ending::Quit;
    long score = 0;
    friend bool operator==(const RecentGame&, const RecentGame&) = default;
};
struct Summary {
    int played = 0, won = 0, lost = 0, quit = 0;
    int winPercent = 0;  // rounded to the nearest whole number
    int currentStreak = 0, bestStreak = 0;
    std::vector<Bar> yourScores;     // the player's wins by score
    std::vector<Bar> myGuesses;      // the computer's wins by its guesses
    std::vector<RecentGame> recent;  // the last games, oldest first
    std::optional<Game> last;        // the level's last game
};
// The bars of a chart run from the lowest number of guesses seen to the
// highest, at most this many; the last one then holds the rest.
inline constexpr int MostBars = 20;

// The summary of one level's games, in the order the file holds them. A
// streak is a run of wins at that level; a loss or a quit ends it, and games
// at other levels do not touch it.
Summary Summarise(const History& history, const std::string& level);
// Today's word at one level: the days whose counted game the history holds,
// those won, and the runs of consecutive dates won. The current run is the
// one that reaches today or yesterday (today's game may be still to come).
struct DailySummary {
    int played = 0, won = 0;
    int currentStreak = 0, bestStreak = 0;
    friend bool operator==(const DailySummary&, const DailySummary&) = default;
};
DailySummary SummariseDaily(const History& history, const std::string& level, const std::string& today);
// One line to share the game: level, result, date and a row of symbols for
// the player's counts (UTF-8, for the clipboard). The day's game of today's
// word gives its date first and never the word.
std::string ShareLine(const Game& game);
// "Won", "Lost" or "Quit".
const char* EndingName(Ending ending);

}  // namespace quibbly::GameHistory

namespace quibbly::SavedGame {
struct Contents;
}

namespace quibbly::Functions {

// True from the start of a game (or the load of a saved one) until the game
// is recorded: a game ends once.
extern bool GameUnrecorded;
// The identity of the game on the board, drawn at its Start and carried by
// its saves, its kept copy and its record; empty between games.
extern std::string GameId;
// The game on the board is a copy of one that has ended: it plays, but it
// adds no record and no winners row.
extern bool GameReplay;
// Adds the game on the board to the history as it ends: called when either
// side finds the other's word and when the player quits. A failure is
// reported in a message box; the history on the disk stays as it was. A
// game whose identity the history holds already is a replay: nothing is
// added, and GameReplay says so.
void RecordGameEnd(GameHistory::Ending ending);
// Adds a game that is not on the board as given up (the start-up's kept
// game the player does not continue).
void RecordGivenUp(const SavedGame::Contents& contents);

}  // namespace quibbly::Functions
