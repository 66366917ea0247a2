// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/main/quibbly_form.h"

#include "engine/functions.h"
#include "platform/services.h"
#include "records/game_history.h"
#include "records/kept_game.h"
#include "records/todays_word.h"
#include "records/winners_list.h"
#include "windows/frame/about_form.h"
#include "windows/frame/credits_form.h"
#include "windows/records/game_form.h"
#include "windows/records/review_form.h"
#include "windows/records/statistics_form.h"
#include "windows/records/winners_form.h"
#include "windows/tools/hint_form.h"
#include "windows/tools/idea_form.h"
#include "windows/tools/match_form.h"
#include "windows/tools/series_form.h"

namespace quibbly {

namespace {

constexpr Colour Window = QuibblyForm::WindowColour;
constexpr Colour White = Rgb(255, 255, 255);
constexpr Colour LightYellow = Rgb(255, 255, 128);

// Labels that paint the window's colour behind their text.
Look Opaque(Place place) {
    return Look{.place = place, .back = Window};
}
// Labels that let their frame show through.
Look Clear(Place place, double points = 14.25, bool border = false) {
    return Look{.place = place, .font = Font{.points = points}, .border = border};
}
Look Plain(Place place) {
    return Look{.place = place};
}
// The answers to the computer's guess, each with the key that presses it.
Look Keyed(Place place, const std::string& key) {
    return Look{.place = place, .toolTip = "Key " + key + " on the computer's turn"};
}
Look Entry(Place place) {
    return Look{.place = place, .back = White};
}
// The word boxes: the focus selects the word in them, so that the first key
// typed replaces it (the last guess stays in its box, as designed).
Look WordEntry(Place place) {
    return Look{.place = place, .back = White, .selectOnFocus = true};
}
// The markers' colours in words and marks, so that neither a screen reader
// nor an eye that cannot tell red from green needs the colour itself. Red
// and green mean what a player most often marks with them.
std::vector<ColourMeaning> LetterMeanings() {
    return {{Functions::MarkerYellow, "not marked", ColourMark::None},
            {Functions::MarkerRed, "not in the word", ColourMark::Struck},
            {Functions::MarkerGreen, "in the word", ColourMark::Ringed}};
}
Look Face(Place place, const char* picture) {
    return Look{.place = place, .back = Window, .picture = picture};
}

}  // namespace

QuibblyForm::QuibblyForm()
    : Form(FormDesign{.caption = "Quibbly",
                      .clientWidth = 10545,
                      .clientHeight = 7665,
                      .back = Window,
                      .border = BorderStyle::FixedSingle,
                      .minMaxButtons = true,
                      .icon = "quibbly"}),
      Frame1(*this, "Frame1", nullptr, Look{.place = {3240, 240, 6975, 3375}, .back = Window}),
      Label1(*this, "Label1", &Frame1, Opaque({240, 240, 2775, 375}), "My Guess"),
      MyGuessText(*this, "MyGuessText", &Frame1, Entry({960, 600, 1455, 495})),
      Label3(*this, "Label3", &Frame1, Opaque({240, 1440, 2775, 735}), "How many letters did I get right?"),
      ZeroButton(*this, "ZeroButton", &Frame1, Keyed({360, 2160, 375, 375}, "0"), "0"),
      OneButton(*this, "OneButton", &Frame1, Keyed({840, 2160, 375, 375}, "1"), "1"),
      TwoButton(*this, "TwoButton", &Frame1, Keyed({1320, 2160, 375, 375}, "2"), "2"),
      ThreeButton(*this, "ThreeButton", &Frame1, Keyed({1800, 2160, 375, 375}, "3"), "3"),
      FourButton(*this, "FourButton", &Frame1, Keyed({2280, 2160, 375, 375}, "4"), "4"),
      FiveButton(*this, "FiveButton", &Frame1, Keyed({2760, 2160, 375, 375}, "5"), "5"),
      CorrectButton(*this, "CorrectButton", &Frame1,
                    Keyed({480, 2640, 2535, 375}, std::string(1, CorrectWordKey)), "Correct Word"),
      Label2(*this, "Label2", &Frame1, Opaque({4080, 240, 2295, 495}), "My Old Guesses"),
      MyGuessList(*this, "MyGuessList", &Frame1, Entry({4080, 600, 2295, 2265})),
      Frame2(*this, "Frame2", nullptr, Look{.place = {3240, 3840, 6975, 3495}, .back = Window}),
      Label4(*this, "Label4", &Frame2, Opaque({240, 360, 1935, 375}), "Your Word"),
      YourWordText(*this, "YourWordText", &Frame2, WordEntry({360, 720, 1695, 495}), 5),
      Label5(*this, "Label5", &Frame2, Opaque({240, 1440, 1935, 375}), "Your Guess"),
      YourGuessText(*this, "YourGuessText", &Frame2, WordEntry({360, 1800, 1695, 495}), 5),
      GuessButton(*this, "GuessButton", &Frame2, Plain({600, 2520, 1215, 495}), "Guess"),
      Label7(*this, "Label7", &Frame2, Opaque({2520, 360, 2055, 495}), "Old Guesses"),
      YourGuessList(*this, "YourGuessList", &Frame2, Entry({2520, 720, 2055, 2265})),
      Label10(*this, "Label10", &Frame2, Opaque({4800, 360, 1935, 495}), "Scratch Pad"),
      ScratchPadText(
          *this, "ScratchPadText", &Frame2,
          Look{.place = {4800, 720, 1935, 2265}, .back = White, .centred = false, .multiLine = true}),
      Frame3(*this, "Frame3", nullptr, Look{.place = {360, 240, 2655, 3375}, .back = Window}),
      Label6(*this, "Label6", &Frame3, Opaque({240, 120, 1575, 375}), "Turn Number:"),
      TurnLabel(*this, "TurnLabel", &Frame3, Opaque({1920, 120, 375, 375}), "1"),
      WhoLabel(*this, "WhoLabel", &Frame3, Clear({360, 480, 1935, 375}, 12, true)),
      Label8(*this, "Label8", &Frame3, Clear({360, 960, 1935, 2175}, 14.25, true)),
      Label11(*this, "Label11", &Frame3, Clear({600, 960, 1455, 255}, 12), "Game Level:"),
      GameLabel(*this, "GameLabel", &Frame3, Clear({480, 1200, 1695, 375}), "Easy"),
      FaceNeutral(*this, "FaceNeutral", &Frame3, Face({120, 1680, 1095, 1215}, "face_neutral")),
      FaceHappy(*this, "FaceHappy", &Frame3, Face({840, 1800, 1095, 1215}, "face_happy")),
      FaceSad(*this, "FaceSad", &Frame3, Face({1560, 1560, 1215, 1215}, "face_sad")),
      Frame4(*this, "Frame4", nullptr, Look{.place = {360, 3840, 2655, 3495}, .back = Window}),
      ResetButton(*this, "ResetButton", &Frame4, Plain({720, 2760, 1815, 375}), "Reset"),
      FileMenu(*this, "FileMenu", "&File"),
      FileNew(*this, "FileNew", "&New Game"),
      FileLoad(*this, "FileLoad", "&Load Game"),
      FileSave(*this, "FileSave", "&Save Game"),
      FileQuit(*this, "FileQuit", "&Quit Game", 'Q'),
      FileExit(*this, "FileExit", "E&xit", 'X'),
      GameMenu(*this, "GameMenu", "&Game"),
      GameStart(*this, "GameStart", "&Start"),
      GameResume(*this, "GameResume", "&Resume"),
      GamePause(*this, "GamePause", "&Pause"),
      GameWinners(*this, "GameWinners", "&Winners"),
      GameTodaysWord(*this, "GameTodaysWord", "To&day's Word"),
      GameReview(*this, "GameReview", "Re&view"),
      GameStatistics(*this, "GameStatistics", "S&tatistics"),
      LevelMenu(*this, "LevelMenu", "&Level"),
      LevelEasy(*this, "LevelEasy", "&Easy"),
      LevelMedium(*this, "LevelMedium", "&Medium"),
      LevelHard(*this, "LevelHard", "&Hard"),
      LevelExpert(*this, "LevelExpert", "E&xpert"),
      Wordmenu(*this, "Wordmenu", "&Word"),
      WordIdea(*this, "WordIdea", "&Idea", 'I'),
      WordHint(*this, "WordHint", "&Hint", 'H'),
      WordSeries(*this, "WordSeries", "&Series", 'S'),
      WordMatch(*this, "WordMatch", "&Match", 'M'),
      HelpMenu(*this, "HelpMenu", "&Help"),
      HelpContents(*this, "HelpContents", "Contents"),
      HelpSeperate(*this, "HelpSeperate", "-"),
      HelpAbout(*this, "HelpAbout", "About Quibbly") {
    for (int i = 0; i < 26; ++i) {
        const std::string letter(1, static_cast<char>('A' + i));
        Look look{.place = {240 + 480 * (i % 5), 360 + 480 * (i / 5), 375, 375},
                  .font = Font{.points = 12},
                  .back = LightYellow,
                  .graphical = true,
                  .meanings = LetterMeanings()};
        letterButtons_[static_cast<std::size_t>(i)] =
            std::make_unique<Button>(*this, letter + "Button", &Frame4, look, letter);
        Button& button = LetterButton(i);
        button.SetEnabled(false);
        button.Click = [this, i] { LetterButton_Click(i); };
    }

    // States at design.
    MyGuessText.SetEnabled(false);
    for (Button* button : CountButtons()) button->SetEnabled(false);
    CorrectButton.SetEnabled(false);
    YourGuessText.SetEnabled(false);
    GuessButton.SetEnabled(false);
    YourGuessList.SetEnabled(false);
    ResetButton.SetEnabled(false);
    GameResume.SetEnabled(false);
    GamePause.SetEnabled(false);
    LevelEasy.SetChecked(true);
    WordHint.SetEnabled(false);
    WordSeries.SetEnabled(false);
    WordMatch.SetEnabled(false);

    // The menu tree.
    for (MenuItem* item : {&FileNew, &FileLoad, &FileSave, &FileQuit, &FileExit}) FileMenu.Add(*item);
    for (MenuItem* item : {&GameStart, &GameResume, &GamePause, &GameTodaysWord, &GameWinners})
        GameMenu.Add(*item);
    GameMenu.Add(GameReview);
    GameMenu.Add(GameStatistics);
    for (const auto& [item, name] : Levels()) LevelMenu.Add(*item);
    for (MenuItem* item : {&WordIdea, &WordHint, &WordSeries, &WordMatch}) Wordmenu.Add(*item);
    for (MenuItem* item : {&HelpContents, &HelpSeperate, &HelpAbout}) HelpMenu.Add(*item);
    for (MenuItem* menu : {&FileMenu, &GameMenu, &LevelMenu, &Wordmenu, &HelpMenu}) AddMenu(*menu);

    std::vector<Control*> tabs{&YourWordText,  &MyGuessText,   &OneButton,   &TwoButton,
                               &ThreeButton,   &MyGuessList,   &FourButton,  &FiveButton,
                               &CorrectButton, &YourGuessText, &GuessButton, &YourGuessList};
    for (int i = 0; i < 26; ++i) tabs.push_back(&LetterButton(i));
    for (Control* control : {static_cast<Control*>(&ResetButton), static_cast<Control*>(&ZeroButton),
                             static_cast<Control*>(&ScratchPadText), static_cast<Control*>(&FaceSad),
                             static_cast<Control*>(&FaceHappy), static_cast<Control*>(&FaceNeutral)})
        tabs.push_back(control);
    SetTabOrder(std::move(tabs));
    SetFocus(&YourWordText);

    // Handlers.
    FileNew.Click = [this] { FileNew_Click(); };
    FileQuit.Click = [this] { FileQuit_Click(); };
    FileExit.Click = [this] { FileExit_Click(); };
    HelpContents.Click = [this] { HelpContents_Click(); };
    HelpAbout.Click = [this] { HelpAbout_Click(); };
    GameStart.Click = [this] { GameStart_Click(); };
    GamePause.Click = [this] { GamePause_Click(); };
    GameResume.Click = [this] { GameResume_Click(); };
    GameWinners.Click = [this] { GameWinners_Click(); };
    GameTodaysWord.Click = [this] { GameTodaysWord_Click(); };
    GameReview.Click = [this] { GameReview_Click(); };
    GameStatistics.Click = [this] { GameStatistics_Click(); };
    LevelEasy.Click = [this] { LevelEasy_Click(); };
    LevelMedium.Click = [this] { LevelMedium_Click(); };
    LevelHard.Click = [this] { LevelHard_Click(); };
    LevelExpert.Click = [this] { LevelExpert_Click(); };
    YourWordText.KeyPress = [this](Integer& key) { YourWordText_KeyPress(key); };
    YourGuessText.KeyPress = [this](Integer& key) { YourGuessText_KeyPress(key); };
    // The game in progress keeps the notes as they are written.
    ScratchPadText.Change = [] { KeptGame::Keep(); };
    GuessButton.Click = [this] { GuessButton_Click(); };
    auto counts = CountButtons();
    for (int count = 0; count < 6; ++count)
        counts[static_cast<std::size_t>(count)]->Click = [this, count] { CountButton_Click(count); };
    CorrectButton.Click = [this] { CorrectButton_Click(); };
    ResetButton.Click = [this] { ResetButton_Click(); };
    FileLoad.Click = [this] { FileLoad_Click(); };
    FileSave.Click = [this] { FileSave_Click(); };
    WordIdea.Click = [this] { WordIdea_Click(); };
    WordHint.Click = [this] { WordHint_Click(); };
    WordSeries.Click = [this] { WordSeries_Click(); };
    WordMatch.Click = [this] { WordMatch_Click(); };
}

void QuibblyForm::Form_Load() {
    Functions::RecheckPeriod = 7;
    Functions::LetterThreshold = 3;
    for (PictureBox* face : {&FaceSad, &FaceHappy, &FaceNeutral}) face->Move(720, 1680);
    FaceNeutral.SetVisible(false);
    FaceHappy.SetVisible(false);
    Functions::GameOn = true;
    const TodaysWord::Settings settings = TodaysWord::LoadSettings();
    GameTodaysWord.SetChecked(settings.on);
    if (settings.mainWindow) SetClientSize(*settings.mainWindow);
    ShowCaption();
    UpdateReviewItem();
}

void QuibblyForm::ChooseLevel(MenuItem& level, const char* name) {
    for (const auto& [item, name] : Levels()) item->SetChecked(item == &level);
    GameLabel.SetCaption(name);
    YourWordText.SetText("");
}

void QuibblyForm::LevelEasy_Click() {
    ChooseLevel(LevelEasy, "Easy");
    Functions::RecheckPeriod = 7;
    Functions::LetterThreshold = 3;
}

// A harder level plays a stronger computer: it looks in the dictionary as
// soon as it knows one letter (which also reaches words of two different
// letters, such as MAMMA) and re-examines its guesses more often. Hard
// re-examines every third turn rather than every second: a guess that
// repeats a letter can make the re-examination establish a wrong letter again
// and again, and every second turn left two to four times as many Hard
// games unfinished. The values were chosen with bench/computer_strength on
// any word a level allows.
void QuibblyForm::LevelMedium_Click() {
    ChooseLevel(LevelMedium, "Medium");
    Functions::RecheckPeriod = 2;
    Functions::LetterThreshold = 0;
}

void QuibblyForm::LevelHard_Click() {
    ChooseLevel(LevelHard, "Hard");
    Functions::RecheckPeriod = 3;
    Functions::LetterThreshold = 0;
}

// Expert keeps Hard's rules for the player (any dictionary word, no Match)
// and draws its word from Hard's file; its computer is a strategy of its
// own, which needs neither tuning value (Hard's are kept for a saved game).
void QuibblyForm::LevelExpert_Click() {
    ChooseLevel(LevelExpert, "Expert");
    Functions::RecheckPeriod = 3;
    Functions::LetterThreshold = 0;
}

void QuibblyForm::FileNew_Click() {
    if (!Functions::GiveUpToLeave("New Game")) return;
    Functions::ResetGame();
    ResetButton_Click();
}

void QuibblyForm::FileQuit_Click() {
    Functions::QuitGame();
}

// The credits stand beside this window, which stays as it is; their Done
// button is the way out.
void QuibblyForm::FileExit_Click() {
    CreditsForm::Instance().Show();
}

void QuibblyForm::HelpContents_Click() {
    CommonDialog1.HelpFile = "Quibbly.HLP";
    CommonDialog1.HelpCommand = HelpContentsCommand;
    CommonDialog1.ShowHelp();
}

void QuibblyForm::HelpAbout_Click() {
    AboutForm::Instance().Show();
}

void QuibblyForm::GameStart_Click() {
    using namespace Functions;
    PossibleLetters = Alphabet;
    MyLetters.clear();
    CandidateIndex = "0";
    FirstCount = -1;
    TurnNumber = 0.5f;
    FromMaster = false;
    GameOn = true;
    LoadedLevel.clear();
    MyWord.clear();
    ReportedWordFiles.clear();

    CheckYourWord(YourWordText.Text());
    FindInMaster(YourWordText.Text());
    if (!WordOK) return;

    const bool matchBefore = WordMatch.Enabled();
    const bool resetBefore = ResetButton.Enabled();
    GameStart.SetEnabled(false);
    GameResume.SetEnabled(true);
    GamePause.SetEnabled(true);
    for (const auto& [level, name] : Levels()) level->SetEnabled(false);
    for (MenuItem* item : {&GameStart, &GameResume, &GamePause}) item->SetChecked(false);
    for (MenuItem* item : {&WordIdea, &WordHint, &WordSeries, &WordMatch}) item->SetEnabled(true);
    WordMatch.SetEnabled(LevelEasy.Checked());
    EnableGameControls();
    // Today's word is played once a date and level: the first game of a date
    // at a level is the day's; a later one that day is an ordinary game with
    // a word drawn at random (the day's word again would be a win known in
    // advance).
    const std::string level = CheckedLevel();
    std::string today = GameTodaysWord.Checked() ? Services().LocalDate() : "";
    if (!today.empty() && TodaysWord::PlayedOn(level, today)) {
        Services().MsgBox("You have played today's word at " + level +
                              " already. This game is an ordinary game, with a word drawn at random.",
                          MsgButtons::OK, MsgIcon::Information, "Today's Word");
        today.clear();
    }
    if (today.empty() ? !ChooseMyWord() : !ChooseTodaysWord(today)) {
        // The level's word file could not be used (the player has been told
        // which file and why): back to the state before a game, with the
        // player's word kept for the next try, and Match and Reset as they were.
        ReturnToIdle();
        WordMatch.SetEnabled(matchBefore);
        ResetButton.SetEnabled(resetBefore);
        return;
    }
    TodaysWord::BoardDate = today;
    // Begun is played: a game saved or left unfinished stays the day's one.
    if (!today.empty()) TodaysWord::MarkStarted(level, today);
    ChooseFirstTurn();
    ShowCaption();
    UpdateReviewItem();
}

// The size the player gives the window is kept for the next run; a failure
// to keep it costs nothing but the size.
void QuibblyForm::Form_Resize() {
    TodaysWord::ChangeSettings(
        [this](TodaysWord::Settings& settings) { settings.mainWindow = ClientSize(); });
}

void QuibblyForm::GameTodaysWord_Click() {
    GameTodaysWord.SetChecked(!GameTodaysWord.Checked());
    const bool on = GameTodaysWord.Checked();
    const std::string fault =
        TodaysWord::ChangeSettings([on](TodaysWord::Settings& settings) { settings.on = on; });
    if (!fault.empty())
        Services().MsgBox("The setting cannot be kept in \"" + std::string(TodaysWord::SettingsFile) +
                              "\": " + fault + ". It holds until the program ends.",
                          MsgButtons::OK, MsgIcon::Exclamation, "Today's Word");
    ShowCaption();
}

void QuibblyForm::ShowCaption() {
    const std::string& date = TodaysWord::BoardDate;
    std::string caption = "Quibbly";
    if (!date.empty())
        caption += " - Today's word " + date;
    else if (GameTodaysWord.Checked() && !Functions::GameUnrecorded)  // what Start will play
        caption += " - Today's word " + Services().LocalDate();
    if (Functions::GameReplay) caption += " - Replay";
    SetCaption(caption);
}

namespace {
bool InATurn() {
    using Functions::Play;
    return Functions::PlayState == Play::YourTurn || Functions::PlayState == Play::MyTurn;
}
}  // namespace

// Pause and Resume act only on a game under way: a finished game stays
// finished (the items are closed then too).
void QuibblyForm::GamePause_Click() {
    if (!InATurn()) return;
    GameResume.SetChecked(false);
    GamePause.SetChecked(true);
    Functions::DisableGameControls();
}

// Resume gives back exactly the controls the game had when it was paused:
// the guess box and Guess on the player's turn, the counts and Correct Word
// on the computer's (switching on every play control would let the player
// answer a guess the computer never made).
void QuibblyForm::GameResume_Click() {
    if (!InATurn()) return;
    GameResume.SetChecked(false);
    GamePause.SetChecked(false);
    Functions::EnableGameControls();
    Functions::GiveBackTurnControls();
}

void QuibblyForm::GameWinners_Click() {
    Functions::UpdateWinners();
    WinnersForm::Instance().Show();
}

void QuibblyForm::GameReview_Click() {
    ReviewForm::Instance().ShowReview();
}

void QuibblyForm::UpdateReviewItem() {
    const bool underWay = Functions::GameUnrecorded;
    GameReview.SetEnabled(!underWay && HistoryHoldsAGame());
    if (underWay && ReviewForm::Instance().Visible()) ReviewForm::Instance().Hide();
}

void QuibblyForm::GameStatistics_Click() {
    StatisticsForm::Instance().ShowStatistics();
}

namespace {
constexpr Integer Enter = 13;

void Capitalise(Integer& key) {
    if (key >= 'a' && key <= 'z') key = static_cast<Integer>(key - 'a' + 'A');
}
}  // namespace

void QuibblyForm::YourWordText_KeyPress(Integer& keyAscii) {
    if (keyAscii != Enter) {
        Capitalise(keyAscii);
        return;
    }
    keyAscii = 0;
    Functions::CheckYourWord(YourWordText.Text());
    Functions::FindInMaster(YourWordText.Text());
    if (Functions::WordOK) GameStart_Click();
}

void QuibblyForm::YourGuessText_KeyPress(Integer& keyAscii) {
    if (keyAscii != Enter) {
        Capitalise(keyAscii);
        return;
    }
    keyAscii = 0;
    GuessButton_Click();
}

void QuibblyForm::GuessButton_Click() {
    Functions::PlayerGuess();
}

void QuibblyForm::CountButton_Click(int count) {
    Functions::TakeYourCount(static_cast<Integer>(count));
}

void QuibblyForm::CorrectButton_Click() {
    Functions::CorrectWord();
}

// On the computer's turn the keys 0 to 5 and C press the count buttons and
// Correct Word, wherever the focus is, as a click would; the Scratch Pad
// keeps its digits as notes. A paused game or the player's turn has the
// buttons off, and a key then does nothing.
bool QuibblyForm::Form_KeyPreview(Integer key) {
    if (Focus() == &ScratchPadText) return false;
    if (key >= '0' && key <= '5') {
        Button& button = *CountButtons()[static_cast<std::size_t>(key - '0')];
        if (!button.Enabled()) return false;
        button.Press();
        return true;
    }
    if ((key == CorrectWordKey || key == CorrectWordKey - 'A' + 'a') && CorrectButton.Enabled()) {
        CorrectButton.Press();
        return true;
    }
    return false;
}

// The markers are part of the game in progress, kept as they change.
void QuibblyForm::ResetButton_Click() {
    Functions::ResetLetterButtons();
    KeptGame::Keep();
}

void QuibblyForm::LetterButton_Click(int index) {
    Button& button = LetterButton(index);
    switch (button.BackColor()) {
        case Functions::MarkerYellow:
            button.SetBackColor(Functions::MarkerRed);
            break;
        case Functions::MarkerRed:
            button.SetBackColor(Functions::MarkerGreen);
            break;
        case Functions::MarkerGreen:
            button.SetBackColor(Functions::MarkerYellow);
            break;
        default:
            break;  // a colour from elsewhere stays until Reset
    }
    KeptGame::Keep();
}

// Each opening puts the focus into the name box with the name selected, so
// that a name typed at once replaces it. Load names its type box too, which
// Save renames.
void QuibblyForm::FileLoad_Click() {
    GameForm& game = GameForm::Instance();
    game.SetCaption("Load Game");
    game.LoadButton.SetCaption("Load");
    game.Label1.SetCaption("Load from");
    game.Label3.SetCaption("Files of type:");
    game.Show();
    game.FileText.SetFocus();
}

void QuibblyForm::FileSave_Click() {
    GameForm& game = GameForm::Instance();
    game.SetCaption("Save Game");
    game.LoadButton.SetCaption("Save");
    game.Label1.SetCaption("Save in");
    game.Label3.SetCaption("Save as type:");
    game.Show();
    game.FileText.SetFocus();
}

// The title bar's close button takes the way out that the File menu offers.
void QuibblyForm::QueryClose() {
    FileExit_Click();
}

void QuibblyForm::WordIdea_Click() {
    IdeaForm::Instance().Show();
}

void QuibblyForm::WordHint_Click() {
    HintForm::Instance().Show();
}

void QuibblyForm::WordSeries_Click() {
    SeriesForm::Instance().Show();
}

void QuibblyForm::WordMatch_Click() {
    MatchForm::Instance().Show();
}

}  // namespace quibbly
