// SPDX-License-Identifier: GPL-3.0-or-later
// The module Functions: the game's state for the whole run and the
// procedures that start, play and end a game, check words and guess.
#pragma once

#include <array>
#include <string>

#include "platform/types.h"

namespace quibbly::Functions {

inline constexpr const char* Alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
inline constexpr int MaxLevelWords = 6000;
inline constexpr int MaxCandidates = 200;

// The letter markers' colours.
inline constexpr Colour MarkerYellow = 0x80FFFF;
inline constexpr Colour MarkerRed = 0x8000FF;
inline constexpr Colour MarkerGreen = 0x80FF00;

// ---- Game state ----
extern std::string MyWord;                                     // the computer's secret word
extern bool WordOK;                                            // result of the last word check
extern bool GameOn;                                            // true while nobody has won
extern float TurnNumber;                                       // half-turn counter
extern std::array<std::string, MaxLevelWords + 1> LevelWords;  // 1..LevelWordCount
extern Integer LevelWordCount;
extern std::string LoadedLevel;                                // level whose words the Idea window loaded
extern std::string MyLetters;                                  // letters known to be in the player's word
extern std::string PossibleLetters;                            // letters not yet decided either way
extern std::array<std::string, MaxCandidates + 1> Candidates;  // 1..CandidateCount
extern Integer CandidateCount;
extern std::string CandidateIndex;  // a whole number as text; 0: none taken yet
extern Integer FirstCount;          // first count for the current list; -1: none
extern bool FromMaster;             // the current list came from the dictionary
extern Integer LetterThreshold;     // more letters than this: build from the dictionary
extern Integer RecheckPeriod;       // re-examine past guesses on multiples of this turn
extern Integer YourCount;           // the count accepted for the computer's guess
extern Integer WinnerCount;
extern Integer WorstTopScore;
extern std::array<std::string, 51> WinnerLines;
// The word files the computer found it could not use in this game, each in
// quotes: it names each one once a game.
extern std::string ReportedWordFiles;

// Where the game stands. Every play control follows from it: Resume gives
// back the controls of the turn that was paused, and only Start or a load
// leaves Over, so a finished game can never be played, won or recorded again.
enum class Play { Idle, YourTurn, MyTurn, Over };
extern Play PlayState;

// Every variable back to its value at program start.
void ResetModuleState();

// ---- Game start ----
void ResetGame();
// Loads the level's word file and draws MyWord. False, after a message that
// names the file and its fault, when the file cannot be used.
bool ChooseMyWord();
// The same for today's word: the level's word of that date (see todays_word.h).
bool ChooseTodaysWord(const std::string& date);
// Loads the checked level's word file into LevelWords and LevelWordCount.
// False, after a message that names the file and its fault, when the file
// cannot be used; the words of the last good load then stay.
bool LoadLevelWords();
void ChooseFirstTurn();
// Back to the state before a game after a start that could not complete,
// keeping the player's word.
void ReturnToIdle();
// The level's name as the check marks of the Level menu give it.
std::string CheckedLevel();

// ---- Word checks ----
void CheckYourWord(const std::string& word);
void FindInMaster(const std::string& word);
// A message that names a word file and what is wrong with it.
void ReportFileFault(const std::string& file, const std::string& fault);
// True when the line's first five characters are capitals A to Z.
bool StartsWithWord(const std::string& line);
// The number of pairs (i, j) of positions 1..5 with equal characters; five
// different letters give 5.
int PairCount(const std::string& word);

// ---- Control states ----
void EnableGameControls();
void DisableGameControls();
void ResetLetterButtons();

// ---- Turn cycle ----
// How many positions of guess hold a letter that occurs anywhere in word.
Integer MatchCount(const std::string& guess, const std::string& word);
// A number as a message or list row writes it: a blank before a number that
// is not negative.
std::string NumberText(int number);
void ShowFaces();
// The start of either side's turn: half a turn on, shown in TurnLabel.
void AdvanceTurn();
void YourTurn();
void PlayerGuess();                 // the Guess button
void TakeYourCount(Integer count);  // 0 to 5, or 10 from Correct Word
void CorrectWord();                 // the Correct Word button
void QuitGame();                    // File > Quit Game
// Before New Game or a load clears the board: a game under way with a guess
// made is given up as Quit Game gives it up, when the player says Yes to the
// question titled title. False when the player keeps the game.
bool GiveUpToLeave(const std::string& title);
// The game has ended (a win on either side, or Quit): Over, with Pause and
// Resume closed and the kept game in progress removed.
void EndGame();
// The finished board left to look at: the lists and markers open, the guess
// and answer controls closed.
void LeaveBoardAfterGame();
// The controls of the turn in PlayState, after a pause or a load: the
// guess box and Guess on the player's turn, the counts and Correct Word on
// the computer's, Match by its level's rule.
void GiveBackTurnControls();
// Asks "Would you like to play again?" and clears the board or leaves it.
void AskPlayAgain();
// The player's win after the message: the top-scores path through the name
// and winners windows, whose OK asks the play-again question.
void PlayerWon();

// ---- Computer guesser ----
// The opening of the computer's turn at every level: half a turn on, the
// faces, the answers open; and the guess it shows, with the focus on the
// answers.
void BeginMyTurn();
void ShowMyGuess(const std::string& guess);
void MyTurn();
// The designed computer's turn: series of probes, then the dictionary.
void DesignedTurn();
// The computer's turn re-entered from a saved game: the guess at
// CandidateIndex is shown again, so the game goes on as it would have.
void ResumeMyTurn();
void BuildCandidates();
void BuildFromSeries();
void BuildFromMaster();
void LearnFromCount(Integer count);
// Notes in the journal a swap word that scored as its series' first word.
void NoteSameCount();
void RecheckGuesses();
void DropLetter(char letter);

// ---- The Expert computer ----
bool ExpertChecked();
// The computer's turn at Expert: the dictionary word expected to find the
// player's word in the fewest guesses, from the counts so far alone. Without
// a usable dictionary (named once a game) the designed search guesses.
void ExpertTurn();
// After a count at Expert: MyLetters holds the letters every word still
// possible has, PossibleLetters those some have.
void ExpertLearn();

}  // namespace quibbly::Functions
