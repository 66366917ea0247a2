// SPDX-License-Identifier: GPL-3.0-or-later
// The turns of a game, the player's answers to the computer's guesses, and
// the end of a game.
#include "engine/functions.h"
#include "platform/services.h"
#include "records/game_history.h"
#include "records/kept_game.h"
#include "records/winners_list.h"
#include "windows/main/quibbly_form.h"
#include "windows/records/player_form.h"
#include "windows/records/winners_form.h"

namespace quibbly::Functions {

Integer MatchCount(const std::string& guess, const std::string& word) {
    Integer count = 0;
    for (std::size_t i = 0; i < 5 && i < guess.size(); ++i)
        if (word.find(guess[i]) != std::string::npos) ++count;
    return count;
}

std::string NumberText(int number) {
    return number < 0 ? std::to_string(number) : " " + std::to_string(number);
}

void LeaveBoardAfterGame() {
    QuibblyForm& form = QuibblyForm::Instance();
    EnableGameControls();
    form.YourGuessText.SetEnabled(false);
    form.GuessButton.SetEnabled(false);
    for (Button* button : form.CountButtons()) button->SetEnabled(false);
    form.CorrectButton.SetEnabled(false);
}

void EndGame() {
    QuibblyForm& form = QuibblyForm::Instance();
    PlayState = Play::Over;
    form.GamePause.SetEnabled(false);
    form.GameResume.SetEnabled(false);
    KeptGame::Drop();
}

void GiveBackTurnControls() {
    QuibblyForm& form = QuibblyForm::Instance();
    const bool yours = PlayState == Play::YourTurn;
    const bool mine = PlayState == Play::MyTurn;
    for (Button* button : form.CountButtons()) button->SetEnabled(mine);
    form.CorrectButton.SetEnabled(mine);
    form.YourGuessText.SetEnabled(yours);
    form.GuessButton.SetEnabled(yours);
    form.WordMatch.SetEnabled(yours && form.LevelEasy.Checked());
    // The focus goes back where the turn had it.
    if (yours) form.YourGuessText.SetFocus();
    if (mine) form.SetFocus(&form.ZeroButton);
}

namespace {

void AddSelectedRow(ListBox& list, const std::string& row) {
    list.AddItem(row);
    list.SetListIndex(list.ListCount() - 1);
}

// The computer's guess was the player's word: its journal's turn ends there.
void JournalNamed() {
    JournalNote({Journal::Note::Kind::Named, "", "", 0});
    CloseJournalTurn(5);
}

void ComputerWon(const char* message) {
    GameOn = false;
    EndGame();
    WinAwaitingRow = false;  // a lost game adds no row to the winners list
    RecordGameEnd(GameHistory::Ending::Lost);
    Services().MsgBox(message, MsgButtons::OK, MsgIcon::None, "I win!!");
    Services().MsgBox("My word was " + MyWord, MsgButtons::OK, MsgIcon::None, "You had a good word.");
    AskPlayAgain();
}

}  // namespace

void AdvanceTurn() {
    TurnNumber += 0.5f;
    QuibblyForm::Instance().TurnLabel.SetCaption(std::to_string(static_cast<long>(TurnNumber)));
}

void ShowFaces() {
    QuibblyForm& form = QuibblyForm::Instance();
    const std::size_t known = MyLetters.size();
    auto show = [&](bool sad, bool neutral, bool happy) {
        form.FaceHappy.SetVisible(happy);
        form.FaceSad.SetVisible(sad);
        form.FaceNeutral.SetVisible(neutral);
    };
    if (known == 0) show(true, false, false);
    if (known >= 2) show(false, true, false);
    if (known == 5) show(false, false, true);
}

namespace {

// What a screen reader says when the player's turn brings the focus to the
// guess box: the count just given, which no box shows when it was right,
// then whose turn it is.
std::string YourTurnWords(const std::string& answered) {
    const std::string turn = "It's Your Turn";
    if (answered.empty()) return turn;
    return answered + ": " + std::to_string(YourCount) + (YourCount == 1 ? " letter" : " letters") +
           " right. " + turn;
}

}  // namespace

void YourTurn() {
    QuibblyForm& form = QuibblyForm::Instance();
    AdvanceTurn();
    ShowFaces();
    form.WhoLabel.SetCaption("It's Your Turn");
    // The player's side comes on and takes the focus before the answers go
    // off, so that the focus goes straight to the guess box.
    form.YourGuessText.SetEnabled(true);
    form.GuessButton.SetEnabled(true);
    form.WordMatch.SetEnabled(form.LevelEasy.Checked());
    form.ZeroButton.SetDescription("");
    form.YourGuessText.SetDescription(
        YourTurnWords(PlayState == Play::MyTurn ? form.MyGuessText.Text() : std::string()));
    form.YourGuessText.SetFocus();
    form.MyGuessText.SetText("");
    for (Button* button : form.CountButtons()) button->SetEnabled(false);
    form.CorrectButton.SetEnabled(false);
    form.BringIntoView(form.Frame2);  // a window that scrolls shows the player's side
    PlayState = Play::YourTurn;
    KeptGame::Keep();
}

void PlayerGuess() {
    // Only the player's own turn takes a guess, whatever pressed the button.
    if (PlayState != Play::YourTurn) return;
    QuibblyForm& form = QuibblyForm::Instance();
    const std::string guess = form.YourGuessText.Text();
    CheckYourWord(guess);
    if (!WordOK) return;
    FindInMaster(guess);
    if (!WordOK) return;
    if (guess == MyWord) {
        GameOn = false;
        EndGame();
        RecordGameEnd(GameHistory::Ending::Won);
        Services().MsgBox("You guessed my word!!  I had these letters: " + MyLetters, MsgButtons::OK,
                          MsgIcon::None, "You win!!");
        PlayerWon();
        return;
    }
    const std::string row = guess + " - " + NumberText(MatchCount(guess, MyWord));
    Services().MsgBox(row, MsgButtons::OK, MsgIcon::None, "Your Guess");
    AddSelectedRow(form.YourGuessList, row);
    if (GameOn) MyTurn();
}

void PlayerWon() {
    // A replay's win was ranked, if at all, when the game first ended.
    if (GameReplay) {
        WinAwaitingRow = false;
        AskPlayAgain();
        return;
    }
    const int score = static_cast<int>(TurnNumber);
    // A score the row's three columns cannot hold would be ranked by its
    // first three digits: such a win is not kept.
    const bool fits = score <= MostRankedGuesses;
    WinAwaitingRow = fits;
    CheckTopScore();
    if (fits && (score < WorstTopScore || WorstTopScore == 0)) {
        PlayerForm::Instance().Show();
        return;
    }
    QuibblyForm::Instance().Hide();
    if (fits && WinnerCount < TopScoreRows) {
        PlayerForm::Instance().Show();
    } else {
        // Not among the best: the list is shown as it stands.
        UpdateWinners();
        WinnersForm::Instance().Show();
    }
}

void TakeYourCount(Integer count) {
    // Only a guess the computer has made can be answered.
    if (PlayState != Play::MyTurn) return;
    QuibblyForm& form = QuibblyForm::Instance();
    const std::string yourWord = form.YourWordText.Text();
    const std::string guess = form.MyGuessText.Text();
    if (yourWord == guess) {
        JournalNamed();
        ComputerWon("Hey, I did guess your word!!");
        return;
    }
    const Integer trueCount = MatchCount(guess, yourWord);
    if (trueCount != count) {
        YourCount = trueCount;
        Services().MsgBox("There were" + NumberText(trueCount) + " letters that matched.", MsgButtons::OK,
                          MsgIcon::Exclamation,
                          count == 10 ? "I didn't guess your word" : "Not the correct count");
        JournalNote({Journal::Note::Kind::Corrected, "", std::to_string(trueCount), count});
    } else {
        YourCount = count;
    }
    AddSelectedRow(form.MyGuessList, guess + " -" + NumberText(YourCount));
    if (ExpertChecked()) {
        // The Expert learns from the counts on the board alone.
        ExpertLearn();
        CloseJournalTurn(YourCount);
        YourTurn();
        return;
    }
    using Kind = Journal::Note::Kind;
    const bool base = FirstCount == -1;
    if (base) {
        FirstCount = YourCount;
        JournalNote({Kind::BaseCount, "", "", YourCount});
    }
    if (YourCount == 5) {
        MyLetters = guess;
        JournalNote({Kind::AllFive, "", "", 0});
    } else if (YourCount != FirstCount) {
        LearnFromCount(YourCount);
    } else if (!base) {
        NoteSameCount();
    }
    CloseJournalTurn(YourCount);
    YourTurn();
}

void CorrectWord() {
    if (PlayState != Play::MyTurn) return;
    QuibblyForm& form = QuibblyForm::Instance();
    if (form.YourWordText.Text() == form.MyGuessText.Text()) {
        JournalNamed();
        ComputerWon("I guessed your word!!");
    } else {
        TakeYourCount(10);
    }
}

void AskPlayAgain() {
    if (Services().MsgBox("Would you like to play again?", MsgButtons::YesNo, MsgIcon::None, "") ==
        MsgAnswer::Yes) {
        ResetGame();
        ResetLetterButtons();
    } else {
        LeaveBoardAfterGame();
    }
}

bool GiveUpToLeave(const std::string& title) {
    const QuibblyForm& form = QuibblyForm::Instance();
    // Between games, before the first guess and in a replay there is nothing
    // to give up: nothing is asked.
    if (!GameUnrecorded || GameReplay ||
        (form.YourGuessList.ListCount() == 0 && form.MyGuessList.ListCount() == 0))
        return true;
    if (Services().MsgBox("This game is under way. If you leave it now, it counts as given up, as Quit Game "
                          "does. Do you want to give it up?",
                          MsgButtons::YesNoDefaultNo, MsgIcon::Exclamation, title) != MsgAnswer::Yes)
        return false;
    QuitGame();
    return true;
}

void QuitGame() {
    EndGame();
    RecordGameEnd(GameHistory::Ending::Quit);
    Services().MsgBox("My word was " + MyWord, MsgButtons::OK, MsgIcon::None, "You quit the game.");
    Services().MsgBox("I had these letters: " + MyLetters, MsgButtons::OK, MsgIcon::None,
                      "You quit the game.");
    LeaveBoardAfterGame();
}

}  // namespace quibbly::Functions
