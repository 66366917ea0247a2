// SPDX-License-Identifier: GPL-3.0-or-later
// The computer's journal as text, and in plain words.
#include "records/journal.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "engine/functions.h"

namespace quibbly::Journal {

namespace {

// Each note is a code letter and its fields, joined by ':'; the notes are
// joined by ';'. A turn is "GUESS|COUNT|KNOWN|RULEDOUT|NOTES", the count '-'
// while it awaits one.
constexpr char Codes[] = "SWLORBIDN5CYX";

bool Capitals(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char ch) { return ch >= 'A' && ch <= 'Z'; });
}

std::vector<std::string_view> Split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    for (;;) {
        const std::size_t at = text.find(separator);
        parts.push_back(text.substr(0, at));
        if (at == std::string_view::npos) return parts;
        text.remove_prefix(at + 1);
    }
}

bool ReadNumber(std::string_view text, int low, int high, int& number) {
    if (text.empty() || text.size() > 9 ||
        !std::all_of(text.begin(), text.end(), [](char ch) { return ch >= '0' && ch <= '9'; }))
        return false;
    number = std::stoi(std::string(text));  // nine digits at most: within an int
    return number >= low && number <= high;
}

bool IsLetter(std::string_view text) {
    return text.size() == 1 && Capitals(text);
}

std::string FormatNote(const Note& note) {
    std::string text(1, Codes[static_cast<int>(note.kind)]);
    switch (note.kind) {
        case Note::Kind::NewSeries:
            return text + ":" + note.word;
        case Note::Kind::FromWords:
        case Note::Kind::BaseCount:
            return text + ":" + std::to_string(note.number);
        case Note::Kind::Recheck:
        case Note::Kind::CameIn:
        case Note::Kind::WentOut:
        case Note::Kind::NoChange:
            return text + ":" + note.word + ":" + note.other;
        case Note::Kind::Corrected:
        case Note::Kind::Weighed:
            return text + ":" + std::to_string(note.number) + ":" + note.other;
        default:
            return text;
    }
}

bool ParseNote(std::string_view text, Note& note) {
    const std::vector<std::string_view> fields = Split(text, ':');
    const char* code = fields[0].size() == 1 ? std::strchr(Codes, fields[0][0]) : nullptr;
    if (code == nullptr || *code == '\0') return false;
    note = {};
    note.kind = static_cast<Note::Kind>(code - Codes);
    auto arity = [&](std::size_t n) { return fields.size() == n + 1; };
    switch (note.kind) {
        case Note::Kind::NewSeries:
            note.word = fields.size() > 1 ? std::string(fields[1]) : "";
            return arity(1) && (note.word.empty() || (note.word.size() == 5 && Capitals(note.word)));
        case Note::Kind::FromWords:
            return arity(1) && ReadNumber(fields[1], 0, 999999999, note.number);
        case Note::Kind::BaseCount:
            return arity(1) && ReadNumber(fields[1], 0, 5, note.number);
        case Note::Kind::Recheck:
            if (!arity(2) || !Capitals(fields[1]) || !Capitals(fields[2])) return false;
            note.word = std::string(fields[1]);
            note.other = std::string(fields[2]);
            return true;
        case Note::Kind::CameIn:
        case Note::Kind::WentOut:
        case Note::Kind::NoChange:
            if (!arity(2) || !IsLetter(fields[1]) || !IsLetter(fields[2])) return false;
            note.word = std::string(fields[1]);
            note.other = std::string(fields[2]);
            return true;
        case Note::Kind::Corrected:
            if (!arity(2) || !ReadNumber(fields[1], 0, 10, note.number)) return false;
            note.other = std::string(fields[2]);
            return note.other.size() == 1 && note.other[0] >= '0' && note.other[0] <= '5';
        case Note::Kind::Weighed: {
            // "412:31" or "3:0.7": the words possible and the average left.
            if (!arity(2) || !ReadNumber(fields[1], 0, 999999999, note.number)) return false;
            note.other = std::string(fields[2]);
            const std::size_t point = note.other.find('.');
            int whole = 0, tenth = 0;
            return ReadNumber(note.other.substr(0, point), 0, 999999, whole) &&
                   (point == std::string::npos || (point + 2 == note.other.size() &&
                                                   ReadNumber(note.other.substr(point + 1), 0, 9, tenth)));
        }
        default:
            return arity(0);
    }
}

// "S, A" for "SA".
std::string LetterList(const std::string& letters) {
    std::string text;
    for (char letter : letters) {
        if (!text.empty()) text += ", ";
        text += letter;
    }
    return text;
}

}  // namespace

std::string Format(const Turn& turn) {
    std::string text = turn.guess + "|" + (turn.count < 0 ? "-" : std::to_string(turn.count)) + "|" +
                       turn.known + "|" + turn.ruledOut + "|";
    for (std::size_t i = 0; i < turn.notes.size(); ++i)
        text += (i > 0 ? ";" : "") + FormatNote(turn.notes[i]);
    return text;
}

bool Parse(const std::string& text, Turn& turn) {
    const std::vector<std::string_view> fields = Split(text, '|');
    if (fields.size() != 5) return false;
    Turn read;
    read.guess = std::string(fields[0]);
    if (!(read.guess.empty() || (read.guess.size() == 5 && Capitals(read.guess)))) return false;
    if (fields[1] != "-" && !ReadNumber(fields[1], 0, 5, read.count)) return false;
    if (!Capitals(fields[2]) || !Capitals(fields[3])) return false;
    read.known = std::string(fields[2]);
    read.ruledOut = std::string(fields[3]);
    if (!fields[4].empty())
        for (std::string_view piece : Split(fields[4], ';')) {
            Note note;
            if (!ParseNote(piece, note)) return false;
            read.notes.push_back(note);
        }
    turn = std::move(read);
    return true;
}

std::vector<std::string> Reasons(const Turn& turn) {
    std::vector<std::string> reasons;
    for (const Note& note : turn.notes) {
        const std::string& in = note.word;
        const std::string& out = note.other;
        switch (note.kind) {
            case Note::Kind::NewSeries:
                reasons.push_back(note.word.empty() ? "started a new series of words"
                                                    : "started a new series of words from " + note.word);
                break;
            case Note::Kind::FromWords:
                // The count is of the list it guesses from, which holds the
                // words it has tried too: it passes over those.
                reasons.push_back(note.number == 1
                                      ? "only 1 dictionary word fit what it knew of your letters, so it "
                                        "guessed that one unless it had tried it"
                                      : "only " + std::to_string(note.number) +
                                            " dictionary words fit what it knew of your letters, so it "
                                            "guessed from those it had not tried");
                break;
            case Note::Kind::LastResort:
                reasons.push_back(
                    "no list gave it a guess, so it took the first dictionary word it had not tried");
                break;
            case Note::Kind::StartOver:
                reasons.push_back("its deductions did not fit, so it started over");
                break;
            case Note::Kind::Recheck: {
                std::string text = "re-examined its past guesses: ";
                if (!note.word.empty()) text += LetterList(note.word) + " ruled out";
                if (!note.word.empty() && !note.other.empty()) text += "; ";
                if (!note.other.empty()) text += LetterList(note.other) + " in your word";
                if (note.word.empty() && note.other.empty()) text += "nothing new";
                reasons.push_back(text);
                break;
            }
            case Note::Kind::BaseCount:
                reasons.push_back("the first word of a series scored " + std::to_string(note.number) +
                                  ": the count its next words are measured against");
                break;
            case Note::Kind::CameIn:
                reasons.push_back(in + " is in your word: the count went up when " + in + " came in for " +
                                  out);
                break;
            case Note::Kind::WentOut:
                reasons.push_back(out + " is in your word: the count went down when " + in + " came in for " +
                                  out);
                break;
            case Note::Kind::NoChange:
                reasons.push_back("the count stayed the same when " + in + " came in for " + out +
                                  ", so it learned nothing new");
                break;
            case Note::Kind::AllFive:
                reasons.push_back("the count was 5: every letter of its guess is in your word");
                break;
            case Note::Kind::Corrected:
                reasons.push_back((note.number == 10 ? std::string("you pressed Correct Word")
                                                     : "you answered " + std::to_string(note.number)) +
                                  ", but there were " + out + " letters that matched");
                break;
            case Note::Kind::Named:
                reasons.push_back("it named your word");
                break;
            case Note::Kind::Weighed:
                reasons.push_back(note.number == 1
                                      ? "only 1 word could be yours, so it guessed it"
                                      : std::to_string(note.number) + " words could be yours; it guessed " +
                                            turn.guess + ", which leaves " + out + " on average");
                break;
        }
    }
    return reasons;
}

}  // namespace quibbly::Journal

namespace quibbly::Functions {

std::vector<Journal::Turn> MyJournal;
int JournalFrom = 1;

namespace {

// Only capitals go into the journal: a damaged saved game may bring others.
std::string Capitals(const std::string& letters) {
    std::string kept;
    for (char letter : letters)
        if (letter >= 'A' && letter <= 'Z') kept.push_back(letter);
    return kept;
}

}  // namespace

void StartJournal(int from) {
    MyJournal.clear();
    JournalFrom = from;
}

void JournalNote(Journal::Note note) {
    if (MyJournal.empty() || MyJournal.back().count >= 0) return;
    // Damaged word files can bring words and letters that are not capitals:
    // a series' base is kept by its first five letters when they are, and a
    // note about a swapped letter that is not one is left out.
    using Kind = Journal::Note::Kind;
    auto letter = [](const std::string& text) {
        return text.size() == 1 && text[0] >= 'A' && text[0] <= 'Z';
    };
    switch (note.kind) {
        case Kind::NewSeries: {
            const std::string word = note.word.substr(0, 5);
            note.word = word.size() == 5 && Capitals(word) == word ? word : "";
            break;
        }
        case Kind::Recheck:
            note.word = Capitals(note.word);
            note.other = Capitals(note.other);
            break;
        case Kind::CameIn:
        case Kind::WentOut:
        case Kind::NoChange:
            if (!letter(note.word) || !letter(note.other)) return;
            break;
        default:
            break;
    }
    MyJournal.back().notes.push_back(std::move(note));
}

void CloseJournalTurn(int count) {
    if (MyJournal.empty() || MyJournal.back().count >= 0) return;
    Journal::Turn& turn = MyJournal.back();
    turn.count = count;
    turn.known = Capitals(MyLetters);
    turn.ruledOut.clear();
    for (const char* letter = Alphabet; *letter != '\0'; ++letter)
        if (PossibleLetters.find(*letter) == std::string::npos &&
            turn.known.find(*letter) == std::string::npos)
            turn.ruledOut.push_back(*letter);
}

}  // namespace quibbly::Functions
