// SPDX-License-Identifier: GPL-3.0-or-later
#include "round_trip.h"

#include <algorithm>
#include <limits>
#include <optional>
#include <vector>

#include "engine/functions.h"
#include "fuzz_game.h"
#include "records/saved_game.h"
#include "records/winners_list.h"
#include "windows/records/game_form.h"
#include "windows/records/player_form.h"
#include "windows/records/winners_form.h"

namespace quibbly::fuzz {

namespace {

using Lines = std::vector<std::string>;

// The clock at which both copies of a game play on, so that the computer's
// generator, seeded from it at every turn, draws alike.
constexpr double PlayClock = 15 * 3600.0;

bool LoadThroughWindow(const std::string& name) {
    QuibblyForm::Instance().FileLoad.Choose();
    GameForm::Instance().FileText.SetText(name);
    GameForm::Instance().LoadButton.Press();
    for (const ShownBox& box : Scripted().boxes)
        if (box.title == "Load Game") return false;
    return true;
}

// All the game a player sees and the computer's state behind it. The faces
// are not kept: they show how many letters the computer knew when its turn
// began, and a loaded game shows what it knows now (a turn that forgot its
// letters after showing the faces, which only a hand-made file makes it do,
// would show them otherwise).
Lines Snapshot() {
    QuibblyForm& form = QuibblyForm::Instance();
    // The game as a player's saved game holds it: the journal of a load
    // starts at the load (the kill loop of the tests checks the kept board).
    SavedGame::Contents saved = SavedGame::Capture();
    saved.kept.reset();
    Lines state{SavedGame::Format(saved), form.MyGuessText.Text(), form.TurnLabel.Caption()};
    for (const Control* control : std::initializer_list<const Control*>{
             &form.GuessButton, &form.YourGuessText, &form.ZeroButton, &form.CorrectButton, &form.GameStart,
             &form.GamePause, &form.GameResume, &form.LevelEasy, &form.WordMatch})
        state.push_back(control->Name() + (control->Enabled() ? " on" : " off") +
                        (control->Visible() ? " shown" : " hidden"));
    for (const MenuItem* level : {&form.LevelEasy, &form.LevelMedium, &form.LevelHard})
        state.push_back(level->Name() + (level->Checked() ? " checked" : ""));
    return state;
}

// A few moves of a player who answers truly and guesses words of the
// dictionary, and what the game shows after each.
Lines PlayOn() {
    static const char* const guesses[] = {"HOUSE", "BLIMP", "CRISP", "HORSE", "ROUSE", "THEME"};
    QuibblyForm& form = QuibblyForm::Instance();
    Scripted().clock = PlayClock;
    Lines shown;
    for (int step = 0; step < 6 && Functions::GameOn; ++step) {
        if (form.ZeroButton.Enabled()) {
            const std::string guess = form.MyGuessText.Text();
            if (guess == form.YourWordText.Text())
                form.CorrectButton.Press();
            else
                form.CountButtons()[static_cast<std::size_t>(
                                        Functions::MatchCount(guess, form.YourWordText.Text()))]
                    ->Press();
        } else if (form.GuessButton.Enabled()) {
            form.YourGuessText.SetText(guesses[step % 6]);
            form.GuessButton.Press();
        } else {
            break;
        }
        shown.push_back(form.WhoLabel.Caption() + " " + form.TurnLabel.Caption() + " " +
                        form.MyGuessText.Text());
        for (const ShownBox& box : Scripted().TakeBoxes()) shown.push_back(box.title + ": " + box.text);
    }
    return shown;
}

// Two accounts of a game must agree; the first difference is reported.
void ExpectSame(const Lines& got, const Lines& wanted, const std::string& what) {
    if (got == wanted) return;
    std::size_t at = 0;
    while (at < got.size() && at < wanted.size() && got[at] == wanted[at]) ++at;
    Fail(what + ": \"" + (at < got.size() ? got[at] : "<none>") + "\" where it was \"" +
         (at < wanted.size() ? wanted[at] : "<none>") + "\"");
}

// The lines of a winners list as the game reads them.
Lines ListLines(const std::string& bytes) {
    Lines lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        if (end == std::string::npos) end = bytes.size();
        std::string line = bytes.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

std::size_t CountOf(const Lines& lines, const std::string& line) {
    return static_cast<std::size_t>(std::count(lines.begin(), lines.end(), line));
}

bool OfLevel(const std::string& row) {
    return row.find("Easy") != std::string::npos;
}

// Plays the win; true when the player cleared the list in the window and
// pressed OK on it.
bool PlayWinWithListOpen(const std::string& list, bool clear) {
    QuibblyForm& form = FreshProgram();
    WriteFile("Win.Lst", list);
    Scripted().NextRandom(0.5);  // the computer's word: PLANT
    Scripted().NextRandom(0.9);  // the player begins
    form.YourWordText.Type("SHOUT\r");
    WinnersForm& winners = WinnersForm::Instance();
    form.GameWinners.Choose();
    if (winners.Visible()) winners.OKButton.Press();  // looked at and closed
    form.GameWinners.Choose();                        // and open for the rest of the game
    form.YourGuessText.Type("PLANT\r");
    Expect(!Functions::GameOn, "the player's win did not end the game");
    PlayerForm& name = PlayerForm::Instance();
    // A winners window still open beside the name window may be answered first.
    if (winners.Visible() && name.Visible()) winners.OKButton.Press();
    if (name.Visible()) name.NameText.Type("FUZZER\r");
    if (!winners.Visible()) return false;
    if (clear) winners.ClearButton.Press();
    winners.OKButton.Press();
    return clear;
}

}  // namespace

void ExpectSavedGameRoundTrip(const std::string& file) {
    FreshProgram();
    WriteFile("game.swg", file);
    Expect(LoadThroughWindow("game.swg"), "a saved game that loaded once is refused in a fresh program");
    Scripted().TakeBoxes();
    const Lines first = Snapshot();
    // On the player's turn the computer's place in its list is taken as it
    // was saved; its next turn steps on from there.
    std::string fault;
    const std::optional<SavedGame::Contents> read = SavedGame::Parse(file, fault);
    Expect(read.has_value(), "a saved game loaded that does not parse");
    const std::string& position = read->candidateIndex;
    if (read->who != "It's My Turn" && !position.empty() && position.size() < 5 &&
        std::all_of(position.begin(), position.end(), [](char c) { return c >= '0' && c <= '9'; }))
        Expect(Functions::CandidateIndex == std::to_string(std::stoi(position)) &&
                   Functions::FirstCount == read->firstCount && Functions::FromMaster == read->fromMaster,
               "a load moved the computer's place in its list");
    Expect(SavedGame::SaveGame("again.swg"), "a loaded game cannot be saved");
    const std::string saved = ReadWholeFile("again.swg");
    const Lines firstPlay = PlayOn();

    FreshProgram();
    WriteFile("again.swg", saved);
    Expect(LoadThroughWindow("again.swg"), "the game's own save of a loaded game is refused");
    Scripted().TakeBoxes();
    ExpectSame(Snapshot(), first, "load, save, load does not give the same game");
    Expect(SavedGame::SaveGame("twice.swg"), "a reloaded game cannot be saved");
    Expect(ReadWholeFile("twice.swg") == saved, "saving a loaded game again gives other bytes");
    ExpectSame(PlayOn(), firstPlay, "the reloaded game plays on otherwise (another computer proposal)");
}

void ExpectWinnersKeptThroughAWin(const std::string& list) {
    const Lines before = ListLines(list);
    for (bool wanted : {false, true}) {
        const bool clear = PlayWinWithListOpen(list, wanted);
        bool fault = false;
        for (const ShownBox& box : Scripted().TakeBoxes()) fault = fault || box.title == "Winners List";
        const std::string written = ReadWholeFile("Win.Lst");
        if (fault) {
            Expect(written == list, "a winners list that could not be read was changed on the disk");
            return;
        }
        const Lines after = ListLines(written);
        Lines level;
        for (const std::string& row : after)
            if (OfLevel(row)) level.push_back(row);
        // A level's row may leave a full list only for a better one: rows
        // ranked better than the list's last row all stay.
        const double worst = level.size() < Functions::TopScoreRows ? std::numeric_limits<double>::infinity()
                                                                    : Functions::WinnerKey(level.back());
        for (const std::string& row : before) {
            if (!OfLevel(row))
                Expect(CountOf(after, row) >= CountOf(before, row),
                       "a row of another level was lost: " + row);
            else if (clear)
                Expect(CountOf(after, row) == 0, "a cleared row is still in the file: " + row);
            else if (Functions::WinnerKey(row) < worst)
                Expect(CountOf(after, row) >= CountOf(before, row), "a row of the level was lost: " + row);
        }
        if (clear) Expect(level.empty(), "rows of a cleared level are in the file");
    }
}

}  // namespace quibbly::fuzz
