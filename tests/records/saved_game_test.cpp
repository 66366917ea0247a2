// SPDX-License-Identifier: GPL-3.0-or-later
// Saved games on real files through the save-and-load window (a game goes
// on exactly after a load: keep_exact_test.cpp): the file's exact bytes,
// damaged files and failing saves, and the window's lists.
#include <tuple>

#include "records/saved_game.h"
#include "support/fresh_game.h"
#include "windows/other/game_form.h"

namespace quibbly::testing {
namespace {

using namespace Functions;

std::string Lines(std::initializer_list<std::string> lines, const char* end = "\r\n") {
    std::string bytes;
    for (const std::string& line : lines) bytes += line + end;
    return bytes;
}

// The 26 marker lines: A red, the rest yellow.
std::string Markers(const char* end = "\r\n") {
    std::string bytes = std::string(" 8388863 ") + end;
    for (int i = 1; i < 26; ++i) bytes += std::string(" 8454143 ") + end;
    return bytes;
}

class SavedGames : public FreshGame {
protected:
    void SetUp() override {
        FreshGame::SetUp();
        WriteHouseSeries();
    }
    // Opens the window in a mode and presses its button on the typed name.
    void UseWindow(MenuItem& item, const std::string& name) {
        item.Choose();
        GameForm::Instance().FileText.SetText(name);
        GameForm::Instance().LoadButton.Press();
    }
    void Save(const std::string& name) { UseWindow(Form().FileSave, name); }
    void Load(const std::string& name) { UseWindow(Form().FileLoad, name); }

    // All a player sees of the game, and the computer's state behind it.
    std::vector<std::string> Board() {
        QuibblyForm& f = Form();
        std::vector<std::string> b{MyWord, PossibleLetters, MyLetters};
        for (double n : {static_cast<double>(TurnNumber), 1.0 * CandidateCount, 1.0 * RecheckPeriod,
                         1.0 * LetterThreshold})
            b.push_back(std::to_string(n));
        for (const Label* label : {&f.TurnLabel, &f.WhoLabel, &f.GameLabel}) b.push_back(label->Caption());
        for (const TextBox* box : {&f.YourWordText, &f.YourGuessText, &f.MyGuessText, &f.ScratchPadText})
            b.push_back(box->Text());
        for (const ListBox* list : {&f.YourGuessList, &f.MyGuessList})
            for (const std::string& row : list->Rows()) b.push_back(list->Name() + ": " + row);
        for (int i = 0; i < 26; ++i) b.push_back(std::to_string(f.LetterButton(i).BackColor()));
        for (const Control* c : std::initializer_list<const Control*>{
                 &f.GuessButton, &f.ZeroButton, &f.YourWordText, &f.GameStart, &f.GamePause, &f.LevelEasy})
            b.push_back(c->Name() + (c->Enabled() ? " on" : " off"));
        for (const MenuItem* level : {&f.LevelEasy, &f.LevelMedium, &f.LevelHard})
            b.push_back(level->Name() + (level->Checked() ? " checked" : ""));
        return b;
    }
};

TEST_F(SavedGames, FileBytesMatchTheLayoutAndOtherLineEndsSmallFilesAndOddLevelsLoad) {
    Form().LevelMedium.Choose();
    TurnNumber = 3.5f;
    Form().WhoLabel.SetCaption("It's Your Turn");
    Form().YourWordText.SetText("SHOUT");
    Form().YourGuessText.SetText("PLA");
    MyWord = "BLIMP";
    PossibleLetters = "ABCD";
    MyLetters = "S";
    RecheckPeriod = 4;
    LetterThreshold = -1;
    Form().YourGuessList.AddItem("PLANT -  0");
    CandidateCount = 2;
    Candidates[1] = "HOUSE";
    Candidates[2] = "MOUSE H>M";
    CandidateIndex = "2";
    FirstCount = -1;  // as a new list leaves it
    Form().LetterButton(0).SetBackColor(MarkerRed);
    ASSERT_TRUE(SavedGame::SaveGame("known.swg"));

    const std::initializer_list<std::string> head = {
        " 3.5 ", "It's Your Turn", "Medium", "SHOUT", "PLA", "BLIMP", "ABCD",     "S", " 4 ", "-1 ",
        " 1 ",   "PLANT -  0",     " 0 ",    " 2 ",   "2",   "HOUSE", "MOUSE H>M"};
    const std::string fixture = Lines(head) + Markers();
    EXPECT_EQ(ReadBytes("known.swg"), fixture);

    // Another build's file: LF line ends and no line end after the last line.
    std::string other = Lines(head, "\n") + Markers("\n");
    other.pop_back();
    WriteBytes("other.swg", other);
    Restart();
    Load("other.swg");
    EXPECT_TRUE(Boxes().empty());
    EXPECT_EQ(Form().TurnLabel.Caption(), "3");
    EXPECT_EQ(TurnNumber, 3.5f);
    EXPECT_TRUE(Form().LevelMedium.Checked());
    EXPECT_FALSE(Form().LevelEasy.Checked());
    EXPECT_EQ(CandidateIndex, "2");
    EXPECT_EQ(LetterThreshold, -1);
    EXPECT_EQ(Form().LetterButton(0).BackColor(), MarkerRed);
    // Saved again, it is the same file byte for byte, with CR LF.
    ASSERT_TRUE(SavedGame::SaveGame("again.swg"));
    EXPECT_EQ(ReadBytes("again.swg"), fixture);

    // A comma or a space at an end of the guess box's text keeps its field
    // whole; a double quote cannot be stored and is dropped.
    Form().YourGuessText.SetText("A,B ");
    ASSERT_TRUE(SavedGame::SaveGame("comma.swg"));
    Form().YourGuessText.SetText("\"Q,");
    ASSERT_TRUE(SavedGame::SaveGame("quote.swg"));
    Restart();
    Load("comma.swg");
    EXPECT_EQ(Form().YourGuessText.Text(), "A,B ");
    EXPECT_EQ(MyWord, "BLIMP");
    EXPECT_EQ(Form().LetterButton(0).BackColor(), MarkerRed);
    Load("quote.swg");
    EXPECT_EQ(Form().YourGuessText.Text(), "Q,");
    EXPECT_EQ(MyWord, "BLIMP");
    EXPECT_TRUE(Boxes().empty());

    // Saved before any game: 40 lines, an empty turn caption, empty words.
    Restart();
    ASSERT_TRUE(SavedGame::SaveGame("before.swg"));
    const std::string before = ReadBytes("before.swg");
    EXPECT_EQ(std::count(before.begin(), before.end(), '\n'), 40);
    Load("before.swg");
    EXPECT_TRUE(Boxes().empty());
    EXPECT_EQ(Form().WhoLabel.Caption(), "It's Your Turn");
    EXPECT_TRUE(Form().GuessButton.Enabled());
    EXPECT_FALSE(Form().GameStart.Enabled());

    // The level line sets the marks.
    Restart();
    WriteBytes("hard.swg", Lines({" 1.5 ", "It's My Turn", "Hard", "", "", "HOUSE",
                                  "ABCDEFGHIJKLMNOPQRSTUVWXYZ", "", " 7 ", " 3 ", " 0 ", " 0 ", " 0 ", "0"}) +
                               Markers());
    Load("hard.swg");
    EXPECT_TRUE(Boxes().empty());
    EXPECT_EQ(Form().GameLabel.Caption(), "Hard");
    EXPECT_TRUE(Form().LevelHard.Checked());
    EXPECT_FALSE(Form().LevelEasy.Checked() || Form().LevelMedium.Checked());
    // Position 0: the computer built a new list and proposes its first word.
    EXPECT_EQ(Form().WhoLabel.Caption(), "It's My Turn");
    EXPECT_EQ(Form().TurnLabel.Caption(), "1");
    EXPECT_EQ(Form().MyGuessText.Text().size(), 5u);
}

TEST_F(SavedGames, DamagedFilesAndFailedSavesLeaveEverythingAsItWas) {
    QuibblyForm& form = Form();
    Start("SHOUT", 0, 1, true, {0.0, 0.0});
    Guess("PLANT");
    form.ScratchPadText.SetText("notes");
    Boxes();
    ASSERT_TRUE(SavedGame::SaveGame("good.swg"));
    const std::vector<std::string> board = Board();
    const std::string good = ReadBytes("good.swg");

    // The good file, line by line (line 1 first), with one line changed.
    std::vector<std::string> lines;
    for (std::size_t start = 0, end; (end = good.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(good.substr(start, end - start));
    ASSERT_GT(lines.size(), 40u);
    const std::size_t n1 = 11;  // the count of the player's rows
    auto changed = [&lines](std::size_t line, const std::string& text) {
        std::vector<std::string> copy = lines;
        copy[line - 1] = text;
        std::string bytes;
        for (const std::string& l : copy) bytes += l + "\r\n";
        return bytes;
    };
    std::filesystem::create_directory("folder.swg");
    const std::size_t n2 = n1 + 1 + std::stoul(lines[n1 - 1]);  // the count of the computer's rows
    const std::size_t n3 = n2 + 1 + std::stoul(lines[n2 - 1]);  // the count of candidates
    const std::string last = std::to_string(lines.size());
    // Values at and past their limits (the fuzz target checks every other
    // damage): each refusal names the line, and the board stays.
    const std::vector<std::tuple<std::size_t, std::string, std::string>> refusedLoads = {
        {n1, "many", "line 11 does not hold a count of rows"},
        {n1, " -1 ", "line 11 holds a negative count of rows"},
        {n1, " 32768 ", "line 11 counts more rows than the game can hold (32767)"},
        {n3, " 201 ", "line " + std::to_string(n3) + " counts more candidates than the game can hold (200)"},
        {1, " -99999999999999999999 ", "line 1 holds a turn number too large for its field"},
        {9, " 32768 ", "line 9 holds a number too large for its field"},
        {lines.size(), " -2147483649 ", "line " + last + " holds a number too large for its field"},
    };
    for (const auto& [line, text, fault] : refusedLoads) {
        WriteBytes("bad.swg", changed(line, text));
        Load("bad.swg");
        EXPECT_EQ(Boxes(), std::vector<ShownBox>{Warn("The game in \"" + (folder / "bad.swg").string() +
                                                          "\" cannot be loaded: " + fault + ".",
                                                      "Load Game")});
        EXPECT_EQ(Board(), board) << fault;
    }
    EXPECT_FALSE(SavedGame::LoadGame("/dev/zero"));  // a device is never read
    EXPECT_EQ(Boxes().at(0).text, "The game in \"/dev/zero\" cannot be loaded: it is not a plain file.");

    // Saves that cannot be made: no name, a folder, a missing folder (a full
    // disk is the crash-safety test's).
    const std::vector<std::pair<std::string, std::string>> refused = {
        {"", "no file name was given"},
        {"folder.swg", "it is a folder"},
        {"nowhere/x.swg", "the folder cannot take a new file: No such file or directory"},
    };
    for (const auto& [name, fault] : refused) {
        Save(name);
        const std::string path = (folder / name).string();
        EXPECT_EQ(Boxes(), std::vector<ShownBox>{Warn(
                               "The game cannot be saved as \"" + path + "\": " + fault + ".", "Save Game")});
    }
    EXPECT_EQ(Board(), board);
    // No temporary file is left behind.
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        EXPECT_NE(entry.path().filename().string()[0], '.') << entry.path();

    // At the limit itself the file loads.
    WriteBytes("ok.swg", changed(9, " 32767 "));
    Load("ok.swg");
    EXPECT_TRUE(Boxes().empty());
    EXPECT_EQ(RecheckPeriod, 32767);
}

TEST_F(SavedGames, WindowKeepsItsChoicesAndListsTheFolder) {
    platform.drives = {"/", folder.string()};
    std::filesystem::create_directory("games");
    for (const char* name : {"b.swg", "A.swg", "notes.txt", "games/g1.swg"}) WriteBytes(name, "x");
    QuibblyForm& form = Form();
    form.FileLoad.Choose();
    GameForm& game = GameForm::Instance();
    EXPECT_TRUE(game.Visible());
    EXPECT_EQ(game.Caption(), "Load Game");
    EXPECT_EQ(game.LoadButton.Caption(), "Load");
    EXPECT_EQ(game.Label1.Caption(), "Load from");
    EXPECT_EQ(game.Label3.Caption(), "Files of type:");
    EXPECT_EQ(game.FileText.Text(), ".swg");
    EXPECT_EQ(game.Drive1.Drive(), folder.string());
    EXPECT_EQ(game.File1.Files(), (std::vector<std::string>{"A.swg", "b.swg"}));
    // The folder list: ancestors, the folder, its sub-folders; a double-click opens one.
    const auto& entries = game.Dir1.Entries();
    ASSERT_EQ(entries.back().name, "games");
    EXPECT_EQ(entries[static_cast<std::size_t>(game.Dir1.ListIndex())].path, folder.string());
    game.Dir1.OpenRow(static_cast<int>(entries.size()) - 1);
    EXPECT_EQ(game.File1.Path(), (folder / "games").string());
    game.File1.ClickRow(0);
    EXPECT_EQ(game.FileText.Text(), "g1.swg");
    EXPECT_EQ(game.ChosenPath(), (folder / "games" / "g1.swg").string());
    game.CancelButton.Press();
    EXPECT_FALSE(game.Visible());

    // Save mode keeps folder and name; a double-click saves over that file.
    form.FileSave.Choose();
    EXPECT_EQ(game.Caption(), "Save Game");
    EXPECT_EQ(game.LoadButton.Caption(), "Save");
    EXPECT_EQ(game.Label1.Caption(), "Save in");
    EXPECT_EQ(game.Label3.Caption(), "Save as type:");
    EXPECT_EQ(game.FileText.Text(), "g1.swg");
    game.File1.DoubleClickRow(0);
    EXPECT_FALSE(game.Visible());
    EXPECT_EQ(ReadBytes("games/g1.swg"), SavedGame::Format(SavedGame::Capture()));
    // Each opening lists the files as they are now: a game saved since is there.
    WriteBytes("games/g2.swg", "x");
    form.FileLoad.Choose();
    EXPECT_EQ(game.Label3.Caption(), "Files of type:");
    EXPECT_EQ(game.Caption(), "Load Game");
    EXPECT_EQ(game.File1.Files(), (std::vector<std::string>{"g1.swg", "g2.swg"}));

    // The root drive: one separator before the name.
    game.Drive1.SetDrive("/");
    EXPECT_EQ(game.Dir1.Path(), "/");
    EXPECT_EQ(game.ChosenPath(), "/g1.swg");
    // A drive that cannot be read is named, and the list goes back.
    game.Drive1.SetDrive("/no-such-drive");
    EXPECT_EQ(Boxes(),
              std::vector<ShownBox>{Warn(
                  "The drive \"/no-such-drive\" is not ready: No such file or directory.", "Load Game")});
    EXPECT_EQ(game.Drive1.Drive(), "/");
    EXPECT_TRUE(Boxes().empty());
}

}  // namespace
}  // namespace quibbly::testing
