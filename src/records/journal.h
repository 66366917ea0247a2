// SPDX-License-Identifier: GPL-3.0-or-later
// The computer's journal: for each of its turns, the guess and the count it
// was given, the letters it had established and ruled out after that turn,
// and notes on what changed and why. The engine writes it as it plays; the
// history keeps it with each game; the review window tells it in plain words.
#pragma once

#include <string>
#include <vector>

namespace quibbly::Journal {

// One thing that happened in a turn.
struct Note {
    enum class Kind {
        NewSeries,   // word: the base of a new series of probes
        FromWords,   // number: only that many dictionary words fit, tried ones among them
        LastResort,  // no list gave a guess: it took the first dictionary word not guessed
        StartOver,   // its deductions did not fit, so it started over
        Recheck,     // word: letters ruled out; other: letters established
        BaseCount,   // number: the count of a series' first word, the one to compare with
        CameIn,      // word: letter in; other: letter out; the count went up: the letter in is in your word
        WentOut,    // word: letter in; other: letter out; the count went down: the letter out is in your word
        NoChange,   // word: letter in; other: letter out; the count stayed: nothing learned
        AllFive,    // the count was 5: every letter of its guess is in your word
        Corrected,  // number: the count the player gave (10: Correct Word); other: the true count
        Named,      // its guess was your word
        Weighed,    // Expert: number: the words your word could be; other: what its guess leaves on average
    };
    Kind kind = Kind::NewSeries;
    std::string word, other;
    int number = 0;
    friend bool operator==(const Note&, const Note&) = default;
};

struct Turn {
    std::string guess;
    int count = -1;        // -1 while the turn waits for its count
    std::string known;     // established letters after the turn (MyLetters)
    std::string ruledOut;  // letters it had ruled out, A to Z
    std::vector<Note> notes;
    friend bool operator==(const Turn&, const Turn&) = default;
};

// A turn as one line of text, and back; false for a line that is not one.
std::string Format(const Turn& turn);
bool Parse(const std::string& text, Turn& turn);

// The turn's notes in plain words, one sentence each, in the order they
// happened.
std::vector<std::string> Reasons(const Turn& turn);

}  // namespace quibbly::Journal

namespace quibbly::Functions {

// The computer's journal of the game under way, one turn a guess, and the
// computer's turn it starts at: 1, or the turn a saved game was loaded at.
extern std::vector<Journal::Turn> MyJournal;
extern int JournalFrom;
// A new journal for a game that starts at the computer's turn `from`.
void StartJournal(int from);
// Adds a note to the turn under way: one whose guess awaits its count.
void JournalNote(Journal::Note note);
// The count the turn under way was given, and the letters the computer holds
// after it; the turn is then complete.
void CloseJournalTurn(int count);

}  // namespace quibbly::Functions
