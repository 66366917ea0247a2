// SPDX-License-Identifier: GPL-3.0-or-later
// The computer's side: it probes with series of words that differ in one
// letter, learns from the counts which letters are in the player's word, and
// guesses dictionary words once it knows more than LetterThreshold of them.
#include <algorithm>
#include <optional>
#include <vector>

#include "engine/functions.h"
#include "platform/services.h"
#include "platform/text_file.h"
#include "records/journal.h"
#include "records/kept_game.h"
#include "windows/frame/thinking_form.h"
#include "windows/main/quibbly_form.h"

namespace quibbly::Functions {

namespace {

constexpr int MaxSwapWords = 29;
constexpr int MaxMasterWords = 12;
// Rebuilds in one turn after which the computer stops building lists and
// takes the first dictionary word it has not guessed yet.
constexpr int RebuildLimit = 16;

std::size_t Index(const std::string& text) {
    const double value = NumericValue(text);
    return value < 0 ? 0 : static_cast<std::size_t>(value);
}

std::size_t CurrentIndex() {
    return Index(CandidateIndex);
}

// The list's length and its entries, kept within the array whatever a
// loaded game may have said.
std::size_t ListLength() {
    return static_cast<std::size_t>(std::clamp<int>(CandidateCount, 0, MaxCandidates));
}
const std::string& Entry(std::size_t index) {
    static const std::string none;
    return index <= static_cast<std::size_t>(MaxCandidates) ? Candidates[index] : none;
}

std::string FirstFive(const std::string& line) {
    return line.substr(0, 5);
}

bool Has(const std::string& text, char letter) {
    return text.find(letter) != std::string::npos;
}

bool AlreadyGuessed(const std::string& entry) {
    const ListBox& guesses = QuibblyForm::Instance().MyGuessList;
    const std::string word = FirstFive(entry);
    for (const std::string& row : guesses.Rows())
        if (FirstFive(row) == word) return true;
    return false;
}

using Kind = Journal::Note::Kind;

void StartOver() {
    JournalNote({Kind::StartOver, "", "", 0});
    MyLetters.clear();
    PossibleLetters = Alphabet;
    CandidateIndex = "0";
}

// Distinct letters of a word that pass a test, in order of first appearance.
template <class Test>
std::string DistinctLetters(const std::string& word, Test test) {
    std::string letters;
    for (char letter : word)
        if (!Has(letters, letter) && test(letter)) letters.push_back(letter);
    return letters;
}

bool QualifiesForList(const std::string& word, bool repeatsAllowed) {
    return StartsWithWord(word) && (repeatsAllowed || PairCount(word) == 5);
}

// A word file the computer needs but cannot use is named once a game; the
// computer then guesses as well as it can without it.
void ReportOnce(const std::string& file, const std::string& fault) {
    const std::string quoted = "\"" + file + "\"";
    if (ReportedWordFiles.find(quoted) != std::string::npos) return;
    ReportedWordFiles += quoted;
    ReportFileFault(file, fault);
}

// After a reading: names the file if it could not be opened or read through.
void CheckReading(const std::string& file, bool opened, const TextFileReader& in) {
    if (!opened)
        ReportOnce(file, "is missing or cannot be read");
    else if (in.Failed())
        ReportOnce(file, "cannot be read to its end");
}

// The last resort when no list yields a guess: the first dictionary word that
// has not been guessed, so that the computer always names a word.
void TakeFirstUnguessedWord() {
    JournalNote({Kind::LastResort, "", "", 0});
    const bool hard = QuibblyForm::Instance().LevelHard.Checked();
    TextFileReader in("master.wtf");
    const bool opened = in.IsOpen();
    std::string line;
    while (in.ReadLine(line)) {
        if (!QualifiesForList(line, hard) || AlreadyGuessed(line)) continue;
        Candidates[1] = FirstFive(line);
        CandidateCount = 1;
        CandidateIndex = "1";
        FirstCount = -1;
        FromMaster = true;
        return;
    }
    CheckReading("master.wtf", opened, in);
    // Not even the dictionary holds an unguessed word: the list stays empty.
    Candidates[1].clear();
    CandidateCount = 1;
    CandidateIndex = "1";
}

}  // namespace

void DropLetter(char letter) {
    std::string kept;
    for (char ch : PossibleLetters)
        if (ch != letter) kept.push_back(ch);
    PossibleLetters = kept;
}

// The opening of the computer's turn, before it looks for a guess.
void BeginMyTurn() {
    QuibblyForm& form = QuibblyForm::Instance();
    Services().Randomize();
    AdvanceTurn();
    ShowFaces();
    form.WhoLabel.SetCaption("It's My Turn");
    for (Button* button : form.CountButtons()) button->SetEnabled(true);
    form.CorrectButton.SetEnabled(true);
    MyJournal.emplace_back();
    PlayState = Play::MyTurn;
}

// The guess the turn shows, in the journal too. The focus goes to the
// answers, and a window that scrolls shows them. The guess and the question
// ride on the answer that takes the focus, so that a screen reader says
// them first; the player's side goes off only then, so that the focus goes
// straight there and passes through no other control.
void ShowMyGuess(const std::string& guess) {
    QuibblyForm& form = QuibblyForm::Instance();
    form.MyGuessText.SetText(guess);
    form.YourGuessText.SetDescription("");
    form.ZeroButton.SetDescription("My guess is " + guess + ". " + form.Label3.Caption());
    form.SetFocus(&form.ZeroButton);
    form.YourGuessText.SetEnabled(false);
    form.GuessButton.SetEnabled(false);
    form.WordMatch.SetEnabled(false);
    form.BringIntoView(form.Frame1);
    const bool word = guess.size() == 5 &&
                      std::all_of(guess.begin(), guess.end(), [](char c) { return c >= 'A' && c <= 'Z'; });
    if (!MyJournal.empty()) MyJournal.back().guess = word ? guess : "";
}

void ResumeMyTurn() {
    // A kept game brings the turn's journal, still waiting for its count:
    // the turn begins again in its place.
    std::optional<Journal::Turn> waiting;
    if (!MyJournal.empty() && MyJournal.back().count < 0) {
        waiting = std::move(MyJournal.back());
        MyJournal.pop_back();
    }
    if (ExpertChecked()) {
        // The Expert's guess follows from the counts alone: the same again,
        // and so are its notes.
        ExpertTurn();
        return;
    }
    // The guess the computer had made is the entry at CandidateIndex, not yet
    // answered. Searching again would not be the same turn: the re-examination
    // of past guesses could run a second time and a position of 1 would
    // rebuild the list. A position that names no guess the computer could
    // have made (only a hand-made file holds one) starts the turn afresh.
    const std::size_t index = CurrentIndex();
    const std::string& entry = Entry(index);
    if (index == 0 || index > ListLength() || entry.size() < 5 || AlreadyGuessed(entry)) {
        MyTurn();
        return;
    }
    BeginMyTurn();
    ShowMyGuess(FirstFive(entry));
    // The notes of the search that found this guess, made before the game
    // was kept.
    if (waiting && waiting->guess == MyJournal.back().guess) MyJournal.back() = std::move(*waiting);
    KeptGame::Keep();
}

void MyTurn() {
    if (ExpertChecked())
        ExpertTurn();
    else
        DesignedTurn();
}

void DesignedTurn() {
    BeginMyTurn();

    if (!(PossibleLetters.size() + MyLetters.size() >= 3 && MyLetters.size() <= 5)) StartOver();

    const long turn = static_cast<long>(TurnNumber);
    if (RecheckPeriod > 0 && turn % RecheckPeriod == 0 && !FromMaster) RecheckGuesses();

    int tries = 0;
    int builds = 0;
    for (;;) {
        std::size_t index = CurrentIndex();
        if (index == 0 || index >= ListLength() || MyLetters.size() == 5) {
            if (++builds > RebuildLimit) {
                TakeFirstUnguessedWord();
                break;
            }
            ++tries;
            FromMaster = false;
            BuildCandidates();
            index = CurrentIndex();
        }
        // Pass over the words already guessed. The search stops at the end of
        // the list: what lies beyond it is left over from earlier lists.
        const std::size_t count = ListLength();
        do {
            ++index;
        } while (index <= count && AlreadyGuessed(Entry(index)));
        bool accepted = false;
        if (index <= count) {
            CandidateIndex = std::to_string(index);
            const std::string& entry = Entry(index);
            const char brought = entry.empty() ? '\0' : entry.back();
            accepted = FromMaster || index == 1 || (brought != '\0' && Has(PossibleLetters, brought));
            accepted = accepted && entry.size() >= 5;
        } else {
            CandidateIndex = std::to_string(count);  // used up: the next round rebuilds
        }
        if (tries > 3) {
            // Too many lists in one turn: forget every deduction. A guess just
            // found on the last list is still taken.
            JournalNote({Kind::StartOver, "", "", 0});
            MyLetters.clear();
            PossibleLetters = Alphabet;
            tries = 0;
            if (!accepted) {
                CandidateIndex = "0";
                FromMaster = false;
            }
        }
        if (accepted) break;
    }
    ShowMyGuess(FirstFive(Entry(CurrentIndex())));
    KeptGame::Keep();
}

void BuildCandidates() {
    ThinkingForm& thinking = ThinkingForm::Instance();
    thinking.Show();
    thinking.Repaint();
    if (static_cast<int>(MyLetters.size()) > LetterThreshold && !FromMaster)
        BuildFromMaster();
    else
        BuildFromSeries();
    thinking.Hide();
}

void BuildFromSeries() {
    // The series always start from an easy word, whatever the level.
    std::string base;
    {
        TextFileReader easy("easy.wtf");
        const bool opened = easy.IsOpen();
        std::string line;
        if (easy.ReadLine(line)) {
            // A count out of the level files' range is taken for no count
            // at all, before it is turned into a whole number.
            const double value = NumericValue(line) + 0.5;
            if (value >= 1 && value < MaxLevelWords + 1) {
                const int count = static_cast<int>(value);
                const int r = static_cast<int>(count * Services().Rnd()) + 1;
                for (int i = 1; i <= r && easy.ReadLine(line); ++i)
                    if (i == r) base = line;
            } else {
                ReportOnce("easy.wtf", "does not start with a word count from 1 to 6000");
            }
        }
        CheckReading("easy.wtf", opened, easy);
    }

    std::vector<std::string> series;  // entry 0 is the base word
    {
        TextFileReader in("series.wtf");
        const bool opened = in.IsOpen();
        std::string line;
        bool found = false;
        while (!found && in.ReadLine(line)) found = line == base && line.size() == 5 && PairCount(line) == 5;
        if (found) {
            series.push_back(base);
            // The end of the file also ends a series.
            while (in.ReadLine(line) && line.size() > 5) {
                if (PairCount(line) != 5) continue;
                // Swap words beyond the list's room are not kept.
                if (static_cast<int>(series.size()) <= MaxSwapWords) series.push_back(line);
            }
        }
        CheckReading("series.wtf", opened, in);
    }
    // A word that heads no series makes a list of its own, as a series
    // without swap words would.
    if (series.empty() && QualifiesForList(base, false)) series.push_back(base);

    const int count = static_cast<int>(series.size());
    JournalNote({Kind::NewSeries, count > 0 ? series[0] : "", "", 0});
    CandidateCount = static_cast<Integer>(count);
    CandidateIndex = "0";
    FirstCount = -1;
    if (count == 0) return;

    Candidates[1] = series[0];
    // The swap words keep their order but start at a random one.
    Services().Randomize();
    int start = static_cast<int>(count * Services().Rnd()) + 2;
    if (start > count) start = count;
    std::size_t slot = 2;
    for (int i = start; i <= count; ++i) Candidates[slot++] = series[static_cast<std::size_t>(i - 1)];
    for (int i = 2; i < start; ++i) Candidates[slot++] = series[static_cast<std::size_t>(i - 1)];
}

void BuildFromMaster() {
    const bool hard = QuibblyForm::Instance().LevelHard.Checked();
    std::vector<std::string> survivors;
    std::size_t found = 0;
    {
        TextFileReader in("master.wtf");
        const bool opened = in.IsOpen();
        std::string line;
        while (in.ReadLine(line)) {
            if (!QualifiesForList(line, hard)) continue;
            const std::string word = FirstFive(line);
            std::size_t hits = 0;
            for (char letter : MyLetters)
                if (Has(word, letter)) ++hits;
            if (hits != MyLetters.size()) continue;
            bool ruledOut = false;
            for (char letter : word)
                if (!Has(PossibleLetters, letter) && !Has(MyLetters, letter)) ruledOut = true;
            if (ruledOut) continue;
            if (++found <= MaxMasterWords) survivors.push_back(word);
        }
        CheckReading("master.wtf", opened, in);
    }
    if (found > MaxMasterWords) {
        BuildFromSeries();
        return;
    }
    JournalNote({Kind::FromWords, "", "", static_cast<int>(found)});
    for (std::size_t i = 0; i < survivors.size(); ++i) Candidates[i + 1] = survivors[i];
    CandidateCount = static_cast<Integer>(survivors.size());
    CandidateIndex = "0";
    FirstCount = -1;
    FromMaster = true;
}

namespace {

// The letters the current list entry swapped against the list's first word:
// the one it brought in (its last character) and the one it gave up.
struct Swap {
    char in = '\0', out = '\0';
};
Swap CurrentSwap() {
    const std::string base = FirstFive(Candidates[1]);
    const std::string& entry = Entry(CurrentIndex());
    const std::string current = FirstFive(entry);
    Swap swap;
    for (char letter : base)
        if (!Has(current, letter)) swap.out = letter;
    swap.in = entry.empty() ? '\0' : entry.back();
    return swap;
}

}  // namespace

void LearnFromCount(Integer count) {
    const ListBox& guesses = QuibblyForm::Instance().MyGuessList;
    if (guesses.ListCount() <= 1 || count == FirstCount) return;
    const auto [in, out] = CurrentSwap();

    if (count > FirstCount && in != '\0') {
        JournalNote({Kind::CameIn, std::string(1, in), std::string(1, out), 0});
        if (!Has(MyLetters, in)) MyLetters.append(static_cast<std::size_t>(count - FirstCount), in);
        DropLetter(in);
    }
    if (count < FirstCount && out != '\0') {
        JournalNote({Kind::WentOut, std::string(1, in), std::string(1, out), 0});
        if (!Has(MyLetters, out)) MyLetters.append(static_cast<std::size_t>(FirstCount - count), out);
        DropLetter(out);
    }
}

void NoteSameCount() {
    // The journal leaves the note out when either is not a letter.
    const Swap swap = CurrentSwap();
    JournalNote({Kind::NoChange, std::string(1, swap.in), std::string(1, swap.out), 0});
}

void RecheckGuesses() {
    ThinkingForm& thinking = ThinkingForm::Instance();
    thinking.Show();
    thinking.Repaint();
    const double start = Services().Timer();

    const std::string knownBefore = MyLetters, possibleBefore = PossibleLetters;
    const ListBox& guesses = QuibblyForm::Instance().MyGuessList;
    for (const std::string& row : guesses.Rows()) {
        if (row.empty()) continue;
        const std::string guess = FirstFive(row);
        const int count = static_cast<int>(NumericValue(row.substr(row.size() - 1)));
        const std::string unknown = DistinctLetters(guess, [](char c) { return !Has(MyLetters, c); });
        if (static_cast<int>(unknown.size()) <= 5 - count)
            for (char letter : unknown) DropLetter(letter);
        const std::string open = DistinctLetters(guess, [](char c) { return Has(PossibleLetters, c); });
        const std::string known = DistinctLetters(guess, [](char c) { return Has(MyLetters, c); });
        if (static_cast<int>(open.size() + known.size()) == count) {
            for (char letter : open) {
                if (Has(MyLetters, letter)) continue;
                MyLetters.push_back(letter);
                DropLetter(letter);
            }
        }
    }
    if (MyLetters.size() > 2) CandidateIndex = std::to_string(CandidateCount);
    {
        const std::string found = MyLetters.substr(std::min(knownBefore.size(), MyLetters.size()));
        const std::string ruled = DistinctLetters(
            possibleBefore, [&](char c) { return !Has(PossibleLetters, c) && !Has(found, c); });
        JournalNote({Kind::Recheck, ruled, found, 0});
    }

    // Keep the window up for a second of the clock, resting between
    // readings. The time of day runs over at midnight; a clock set back
    // looks like almost a day gone and ends the wait.
    for (;;) {
        double elapsed = Services().Timer() - start;
        if (elapsed < 0) elapsed += 86400.0;
        if (elapsed >= 1.0) break;
        Services().Sleep(20);
    }
    thinking.Hide();
}

}  // namespace quibbly::Functions
