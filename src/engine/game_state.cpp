// SPDX-License-Identifier: GPL-3.0-or-later
// The game's state, the board's reset and the start of a game.
#include <cmath>

#include "engine/functions.h"
#include "platform/services.h"
#include "platform/text_file.h"
#include "records/game_history.h"
#include "records/kept_game.h"
#include "records/todays_word.h"
#include "records/winners_list.h"
#include "windows/main/quibbly_form.h"
#include "windows/tools/hint_form.h"
#include "windows/tools/match_form.h"

namespace quibbly::Functions {

std::string MyWord;
bool WordOK = false;
bool GameOn = false;
float TurnNumber = 0.0f;
std::array<std::string, MaxLevelWords + 1> LevelWords;
Integer LevelWordCount = 0;
std::string LoadedLevel;
std::string MyLetters;
std::string PossibleLetters;
std::array<std::string, MaxCandidates + 1> Candidates;
Integer CandidateCount = 0;
std::string CandidateIndex;
Integer FirstCount = 0;
bool FromMaster = false;
Integer LetterThreshold = 0;
Integer RecheckPeriod = 0;
Integer YourCount = 0;
Integer WinnerCount = 0;
Integer WorstTopScore = 0;
std::array<std::string, 51> WinnerLines;
std::string ReportedWordFiles;
Play PlayState = Play::Idle;

void ResetModuleState() {
    MyWord.clear();
    WordOK = false;
    GameOn = false;
    TurnNumber = 0.0f;
    LevelWords.fill({});
    LevelWordCount = 0;
    LoadedLevel.clear();
    MyLetters.clear();
    PossibleLetters.clear();
    Candidates.fill({});
    CandidateCount = 0;
    CandidateIndex.clear();
    FirstCount = 0;
    FromMaster = false;
    LetterThreshold = 0;
    RecheckPeriod = 0;
    YourCount = 0;
    WinnerCount = 0;
    WorstTopScore = 0;
    WinnerLines.fill({});
    ReportedWordFiles.clear();
    ForgetWinners();
    GameUnrecorded = false;
    GameId.clear();
    GameReplay = false;
    StartJournal(1);
    PlayState = Play::Idle;
    KeptGame::Release();
    TodaysWord::BoardDate.clear();
}

std::string CheckedLevel() {
    QuibblyForm& form = QuibblyForm::Instance();
    // Asked in the order Easy, Medium, Hard: the last checked item wins.
    std::string level;
    if (form.LevelEasy.Checked()) level = "Easy";
    if (form.LevelMedium.Checked()) level = "Medium";
    if (form.LevelHard.Checked()) level = "Hard";
    if (form.LevelExpert.Checked()) level = "Expert";
    return level;
}

namespace {

// The word box, Start and the level items open for a new word; Resume and
// Pause closed.
void OpenForANewWord(QuibblyForm& form) {
    form.YourWordText.SetEnabled(true);
    form.GameStart.SetEnabled(true);
    form.GameResume.SetEnabled(false);
    form.GamePause.SetEnabled(false);
    for (const auto& [level, name] : form.Levels()) level->SetEnabled(true);
}

}  // namespace

void ResetGame() {
    QuibblyForm& form = QuibblyForm::Instance();
    DisableGameControls();
    GameOn = true;
    GameUnrecorded = false;  // a game cleared away before its first guess leaves no record
    GameId.clear();
    GameReplay = false;
    PlayState = Play::Idle;
    KeptGame::Drop();
    TodaysWord::BoardDate.clear();
    form.ShowCaption();
    form.UpdateReviewItem();
    form.YourGuessList.Clear();
    form.MyGuessList.Clear();
    form.MyGuessText.SetText("");
    form.YourGuessText.SetText("");
    form.YourWordText.SetText("");
    form.WhoLabel.SetCaption("");
    form.ScratchPadText.SetText("");
    OpenForANewWord(form);
    for (const auto& [level, name] : form.Levels())
        if (form.GameLabel.Caption() == name)
            for (const auto& [item, other] : form.Levels()) item->SetChecked(item == level);
    for (MenuItem* item : {&form.GameStart, &form.GameResume, &form.GamePause}) item->SetChecked(false);
    form.WordIdea.SetEnabled(true);
    form.WordHint.SetEnabled(false);
    form.WordSeries.SetEnabled(false);
    TurnNumber = 0.5f;
    LoadedLevel.clear();
    HintForm& hint = HintForm::Instance();
    hint.AllOption.SetValue(true);
    hint.SomeOption.SetValue(false);
    hint.NumberText.SetText("10");
    hint.LettersText.SetText("");
    hint.HintList.Clear();
    MatchForm& match = MatchForm::Instance();
    match.MatchLabel.SetCaption("- - - - -");
    match.MatchText.SetText("");
}

void ReturnToIdle() {
    QuibblyForm& form = QuibblyForm::Instance();
    DisableGameControls();  // this also closes Hint and Series
    OpenForANewWord(form);
    PlayState = Play::Idle;
    form.YourWordText.SetFocus();
}

namespace {

bool IsWord(const std::string& line) {
    if (line.size() != 5) return false;
    for (char ch : line)
        if (ch < 'A' || ch > 'Z') return false;
    return true;
}

}  // namespace

bool LoadLevelWords() {
    std::string file = CheckedLevel();
    if (file.empty()) file = "easy";      // no level checked: only a damaged saved game can do that
    if (file == "Expert") file = "Hard";  // the Expert computer draws from Hard's words
    file[0] = static_cast<char>(file[0] - 'A' + 'a');
    file += ".wtf";

    TextFileReader in(file);
    if (!in.IsOpen()) {
        ReportFileFault(file, "is missing or cannot be read");
        return false;
    }
    std::string line;
    if (!in.ReadLine(line)) {
        ReportFileFault(file, "is empty");
        return false;
    }
    // The count line is taken by its numeric value, rounded half to even.
    const double count = std::nearbyint(NumericValue(line));
    if (count < 1 || count > MaxLevelWords) {
        ReportFileFault(file, "does not start with a word count from 1 to 6000");
        return false;
    }
    // Read into a copy first, so that a damaged file leaves the words of the
    // last good load in place.
    const int wanted = static_cast<int>(count);
    std::vector<std::string> words;
    words.reserve(static_cast<std::size_t>(wanted));
    while (static_cast<int>(words.size()) < wanted && in.ReadLine(line)) {
        if (!IsWord(line)) {
            ReportFileFault(file, "has a line that is not a five-letter word in capitals: line " +
                                      std::to_string(words.size() + 2));
            return false;
        }
        words.push_back(line);
    }
    if (in.Failed()) {
        ReportFileFault(file, "cannot be read to its end");
        return false;
    }
    if (static_cast<int>(words.size()) < wanted) {
        ReportFileFault(file, "holds " + std::to_string(words.size()) + " words, fewer than the " +
                                  std::to_string(wanted) + " its first line names");
        return false;
    }
    LevelWordCount = static_cast<Integer>(wanted);
    for (int i = 1; i <= wanted; ++i)
        LevelWords[static_cast<std::size_t>(i)] = words[static_cast<std::size_t>(i - 1)];
    return true;
}

bool ChooseMyWord() {
    if (!LoadLevelWords()) return false;
    Services().Randomize();
    const int k = static_cast<int>(LevelWordCount * Services().Rnd()) + 1;
    MyWord = LevelWords[static_cast<std::size_t>(k)];
    return true;
}

bool ChooseTodaysWord(const std::string& date) {
    if (!LoadLevelWords()) return false;
    const int at = TodaysWord::Position(CheckedLevel(), date, LevelWordCount);
    if (at < 0) return false;
    MyWord = LevelWords[static_cast<std::size_t>(at + 1)];
    return true;
}

void ChooseFirstTurn() {
    const double r = Services().Rnd();
    GameOn = true;
    CandidateIndex = "0";
    GameUnrecorded = true;
    GameId = Services().NewGameId();
    GameReplay = false;
    StartJournal(1);
    if (r > 0.5)
        YourTurn();
    else
        MyTurn();
}

}  // namespace quibbly::Functions
