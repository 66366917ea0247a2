// SPDX-License-Identifier: GPL-3.0-or-later
// The main window: its controls with their design, its menus and handlers.
#pragma once

#include <array>
#include <memory>
#include <utility>

#include "platform/common_dialog.h"
#include "platform/controls.h"
#include "platform/form.h"

namespace quibbly {

class QuibblyForm : public Form {
public:
    QuibblyForm();
    static QuibblyForm& Instance() { return Forms::Instance<QuibblyForm>(); }

    static constexpr Colour WindowColour = Rgb(128, 128, 255);
    // The key that presses Correct Word on the computer's turn (0 to 5 press
    // the count buttons).
    static constexpr char CorrectWordKey = 'C';

    // The computer's side.
    Frame Frame1;
    Label Label1;
    TextBox MyGuessText;
    Label Label3;
    Button ZeroButton, OneButton, TwoButton, ThreeButton, FourButton, FiveButton;
    Button CorrectButton;
    Label Label2;
    ListBox MyGuessList;

    // The player's side.
    Frame Frame2;
    Label Label4;
    TextBox YourWordText;
    Label Label5;
    TextBox YourGuessText;
    Button GuessButton;
    Label Label7;
    ListBox YourGuessList;
    Label Label10;
    TextBox ScratchPadText;

    // The panel: turn, whose turn, level and face.
    Frame Frame3;
    Label Label6;
    Label TurnLabel;
    Label WhoLabel;
    Label Label8;
    Label Label11;
    Label GameLabel;
    PictureBox FaceNeutral, FaceHappy, FaceSad;

    // The letter markers.
    Frame Frame4;
    // AButton to ZButton.
    Button& LetterButton(int index) { return *letterButtons_.at(static_cast<std::size_t>(index)); }
    Button ResetButton;

    // The menu bar.
    MenuItem FileMenu, FileNew, FileLoad, FileSave, FileQuit, FileExit;
    MenuItem GameMenu, GameStart, GameResume, GamePause, GameWinners;
    // Start draws today's word while checked; kept between runs.
    MenuItem GameTodaysWord;
    MenuItem GameReview;      // the review of past games, between games only
    MenuItem GameStatistics;  // the statistics window, at the end of the Game menu
    MenuItem LevelMenu, LevelEasy, LevelMedium, LevelHard;
    MenuItem LevelExpert;  // the computer of our own, after the designed levels
    MenuItem Wordmenu, WordIdea, WordHint, WordSeries, WordMatch;
    MenuItem HelpMenu, HelpContents, HelpSeperate, HelpAbout;

    // Opens the help file.
    CommonDialog CommonDialog1;

    // Review is open only while no game is under way, so that it can never
    // serve as a hint, and once the history holds a game. Called wherever a
    // game starts or ends and wherever the history changes; a game under way
    // also closes the review window.
    void UpdateReviewItem();
    // The window's title names the day's game on the board ("Quibbly - Today's
    // word 2026-12-07"), or the date Start will play while Today's Word is
    // checked, and a replay says so. The level label keeps the level's name
    // alone.
    void ShowCaption();
    void Form_Resize() override;

    // The count buttons "0" to "5", in order.
    std::array<Button*, 6> CountButtons() {
        return {&ZeroButton, &OneButton, &TwoButton, &ThreeButton, &FourButton, &FiveButton};
    }

    // Handlers.
    void Form_Load() override;
    bool Form_KeyPreview(Integer key) override;
    void LevelEasy_Click();
    void LevelMedium_Click();
    void LevelHard_Click();
    void LevelExpert_Click();
    // Each level's item with its name, in the menu's order.
    std::array<std::pair<MenuItem*, const char*>, 4> Levels() {
        return {
            {{&LevelEasy, "Easy"}, {&LevelMedium, "Medium"}, {&LevelHard, "Hard"}, {&LevelExpert, "Expert"}}};
    }
    void FileNew_Click();
    void FileQuit_Click();
    void FileExit_Click();
    void QueryClose() override;
    void HelpContents_Click();
    void HelpAbout_Click();
    void GameStart_Click();
    void GamePause_Click();
    void GameResume_Click();
    void GameWinners_Click();
    void GameTodaysWord_Click();
    void GameReview_Click();
    void GameStatistics_Click();
    void YourWordText_KeyPress(Integer& keyAscii);
    void YourGuessText_KeyPress(Integer& keyAscii);
    void GuessButton_Click();
    void CountButton_Click(int count);  // ZeroButton_Click to FiveButton_Click
    void CorrectButton_Click();
    void ResetButton_Click();
    void LetterButton_Click(int index);  // AButton_Click to ZButton_Click
    void FileLoad_Click();
    void FileSave_Click();
    void WordIdea_Click();
    void WordHint_Click();
    void WordSeries_Click();
    void WordMatch_Click();

private:
    std::array<std::unique_ptr<Button>, 26> letterButtons_;
    void ChooseLevel(MenuItem& level, const char* name);
};

}  // namespace quibbly
