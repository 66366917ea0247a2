// SPDX-License-Identifier: GPL-3.0-or-later
// Saved games on real files through the save-and-load window: the file's
// exact bytes, damaged files and failing saves, the window's lists, and a
// game that goes on after a load exactly as it would have gone without it.
#include <set>
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

std::string Captured() {
    return SavedGame::Format(SavedGame::Capture());
}

class SavedGames : public FreshGame {
protected:
    void SetUp() override {
        FreshGame::SetUp();
        WriteHouseSeries();
    }
    void Save(const std::string& name) { UseGameWindow(Form().FileSave, name); }
    void Load(const std::string& name) { UseGameWindow(Form().FileLoad, name); }

    // All a player sees of the game beyond the file's own fields.
    std::vector<std::string> Board() {
        QuibblyForm& f = Form();
        std::vector<std::string> b{Captured(), f.TurnLabel.Caption(), f.MyGuessText.Text(),
                                   f.ScratchPadText.Text()};
        for (const Control* c : std::initializer_list<const Control*>{
                 &f.GuessButton, &f.ZeroButton, &f.YourWordText, &f.GamePause, &f.LevelEasy})
            b.push_back(c->Name() + (c->Enabled() ? " on" : " off"));
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
    EXPECT_TRUE(Form().LevelMedium.Checked() && !Form().LevelEasy.Checked());
    // Saved again, it is the same file byte for byte, with CR LF.
    Save("again.swg");
    EXPECT_EQ(ReadBytes("again.swg"), fixture);

    // A comma or a space at an end of the guess box's text keeps its field
    // whole; a double quote cannot be stored and is dropped.
    for (const auto& [typed, kept] : {std::pair{"A,B ", "A,B "}, std::pair{"\"Q,", "Q,"}}) {
        Form().YourGuessText.SetText(typed);
        Save("field.swg");
        Restart();
        Load("field.swg");
        EXPECT_EQ(Form().YourGuessText.Text(), kept);
        EXPECT_EQ(MyWord, "BLIMP");
    }
    EXPECT_TRUE(Boxes().empty());

    // Saved before any game: 40 lines; loaded, it is the player's turn.
    Restart();
    Save("before.swg");
    const std::string before = ReadBytes("before.swg");
    EXPECT_EQ(std::count(before.begin(), before.end(), '\n'), 40);
    Load("before.swg");
    EXPECT_TRUE(Boxes().empty());
    EXPECT_TRUE(Form().WhoLabel.Caption() == "It's Your Turn" && Form().GuessButton.Enabled() &&
                !Form().GameStart.Enabled());

    // The level line sets the marks; at position 0 the computer builds a new
    // list and proposes its first word.
    Restart();
    WriteBytes("hard.swg", Lines({" 1.5 ", "It's My Turn", "Hard", "", "", "HOUSE",
                                  "ABCDEFGHIJKLMNOPQRSTUVWXYZ", "", " 7 ", " 3 ", " 0 ", " 0 ", " 0 ", "0"}) +
                               Markers());
    Load("hard.swg");
    EXPECT_TRUE(Boxes().empty());
    EXPECT_EQ(Form().GameLabel.Caption(), "Hard");
    EXPECT_TRUE(Form().LevelHard.Checked() && !Form().LevelEasy.Checked() && !Form().LevelMedium.Checked());
    EXPECT_EQ(Form().TurnLabel.Caption(), "1");
    EXPECT_EQ(Form().MyGuessText.Text().size(), 5u);
}

TEST_F(SavedGames, DamagedFilesAndFailedSavesLeaveEverythingAsItWas) {
    Start("SHOUT", 0, 1, true, {0.0, 0.0});
    Guess("PLANT");
    Form().ScratchPadText.SetText("notes");
    Boxes();
    Save("good.swg");
    const std::vector<std::string> board = Board();
    const std::string good = ReadBytes("good.swg");

    // The good file, line by line (line 1 first), with one line changed.
    std::vector<std::string> lines;
    for (std::size_t start = 0, end; (end = good.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(good.substr(start, end - start));
    ASSERT_GT(lines.size(), 40u);
    auto changed = [&lines](std::size_t line, const std::string& text) {
        std::vector<std::string> copy = lines;
        copy[line - 1] = text;
        std::string bytes;
        for (const std::string& l : copy) bytes += l + "\r\n";
        return bytes;
    };
    const std::size_t n1 = 11;                                  // the count of the player's rows
    const std::size_t n2 = n1 + 1 + std::stoul(lines[n1 - 1]);  // the count of the computer's rows
    const std::size_t n3 = n2 + 1 + std::stoul(lines[n2 - 1]);  // the count of candidates
    const std::string last = std::to_string(lines.size());
    const std::string noLevel = "line 3 names no level (it must be Easy, Medium or Hard)";
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
        {3, "a", noLevel},
        {3, "", noLevel},
        {3, "easy", noLevel},
        {3, "Easy Medium", noLevel},
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

    // Saves that cannot be made (a full disk is the crash-safety test's).
    std::filesystem::create_directory("folder.swg");
    WriteBytes("plain", "not a folder");
    const std::vector<std::pair<std::string, std::string>> refused = {
        {"", "no file name was given"},
        {"folder.swg", "it is a folder"},
        {"nowhere/x.swg", "the folder cannot take a new file: No such file or directory"},
        {"plain/x.swg", "the folder cannot take a new file: Not a directory"},
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
    GameForm& game = GameForm::Instance();
    auto mode = [&game] {
        return std::vector<std::string>{game.Caption(), game.LoadButton.Caption(), game.Label1.Caption(),
                                        game.Label3.Caption()};
    };
    const std::vector<std::string> loading{"Load Game", "Load", "Load from", "Files of type:"};
    form.FileLoad.Choose();
    EXPECT_TRUE(game.Visible());
    EXPECT_EQ(mode(), loading);
    EXPECT_EQ(game.FileText.Text(), ".swg");
    EXPECT_EQ(game.Drive1.Drive(), folder.string());
    EXPECT_EQ(game.File1.Files(), (std::vector<std::string>{"A.swg", "b.swg"}));
    // The folder list: ancestors, the folder, its sub-folders; a double-click opens one.
    const auto& entries = game.Dir1.Entries();
    ASSERT_EQ(entries.back().name, "games");
    EXPECT_EQ(entries[static_cast<std::size_t>(game.Dir1.ListIndex())].path, folder.string());
    game.Dir1.OpenRow(static_cast<int>(entries.size()) - 1);
    game.File1.ClickRow(0);
    EXPECT_EQ(game.FileText.Text(), "g1.swg");
    EXPECT_EQ(game.ChosenPath(), (folder / "games" / "g1.swg").string());
    game.CancelButton.Press();
    EXPECT_FALSE(game.Visible());

    // Save mode keeps folder and name; a double-click saves over that file.
    form.FileSave.Choose();
    EXPECT_EQ(mode(), (std::vector<std::string>{"Save Game", "Save", "Save in", "Save as type:"}));
    EXPECT_EQ(game.FileText.Text(), "g1.swg");
    game.File1.DoubleClickRow(0);
    EXPECT_FALSE(game.Visible());
    EXPECT_EQ(ReadBytes("games/g1.swg"), Captured());
    // Each opening lists the files as they are now: a game saved since is there.
    WriteBytes("games/g2.swg", "x");
    form.FileLoad.Choose();
    EXPECT_EQ(mode(), loading);
    EXPECT_EQ(game.File1.Files(), (std::vector<std::string>{"g1.swg", "g2.swg"}));

    // The root drive: one separator before the name.
    game.Drive1.SetDrive("/");
    EXPECT_EQ(game.ChosenPath(), "/g1.swg");
    // A drive that cannot be read is named, and the list goes back.
    game.Drive1.SetDrive("/no-such-drive");
    EXPECT_EQ(Boxes(),
              std::vector<ShownBox>{Warn(
                  "The drive \"/no-such-drive\" is not ready: No such file or directory.", "Load Game")});
    EXPECT_EQ(game.Drive1.Drive(), "/");
}

// On the shipped word files: a game saved at every move of whole games at
// each level and loaded into a fresh run makes the same computer proposals
// to the end, and saving it at once gives the same bytes.
class KeepExact : public FreshGame {
protected:
    void SetUp() override {
        FreshGame::SetUp();
        CopyShippedWordFiles();
    }
    // One move of a player who answers truly and guesses words that are not
    // the computer's; what the board and the messages show after it.
    std::string Move() {
        static const char* const guesses[] = {"CRANE", "GHOST", "PLUMB", "FJORD", "WALTZ"};
        QuibblyForm& f = Form();
        if (f.ZeroButton.Enabled()) {
            const std::string guess = f.MyGuessText.Text();
            if (guess == f.YourWordText.Text())
                f.CorrectButton.Press();
            else
                f.CountButtons()[static_cast<std::size_t>(MatchCount(guess, f.YourWordText.Text()))]->Press();
        } else {
            Guess(guesses[f.YourGuessList.ListCount() % 5]);
        }
        std::string shown = f.WhoLabel.Caption() + " " + f.TurnLabel.Caption() + " " + f.MyGuessText.Text();
        for (const ShownBox& box : Boxes()) shown += " | " + box.title + ": " + box.text;
        return shown;
    }
};

TEST_F(KeepExact, AGameSavedAtAnyMoveGoesOnAsItWouldHaveAndSavesTheSameBytes) {
    struct Game {
        MenuItem QuibblyForm::*level;
        const char* word;
        int wordsInLevel;
        bool playerFirst;
    };
    const Game games[] = {{&QuibblyForm::LevelEasy, "SHOUT", 1359, true},
                          {&QuibblyForm::LevelMedium, "PLUMB", 419, false},
                          {&QuibblyForm::LevelHard, "NYMPH", 1364, true}};
    std::set<std::string> kinds;  // the kinds of save points met
    for (const Game& game : games) {
        Restart();
        (Form().*game.level).Choose();
        Start(game.word, 0, game.wordsInLevel, game.playerFirst);
        Boxes();
        // The game played through once, saved before every move; the
        // computer finds the word and never proposes a word twice.
        std::vector<std::pair<double, std::size_t>> points;  // the clock and the move
        std::vector<std::string> moves, states;              // each move, the game after it
        std::set<std::string> proposed;
        for (int k = 0; GameOn && k < 200; ++k) {
            UseGameWindow(Form().FileSave, "move" + std::to_string(k) + ".swg");
            points.emplace_back(platform.clock, moves.size());
            const long position = std::stol(CandidateIndex);
            kinds.insert(Form().WhoLabel.Caption() + (position > 1 ? " >1" : " " + CandidateIndex));
            if (FromMaster) kinds.insert("dictionary list");
            const std::string proposal = Form().ZeroButton.Enabled() ? Form().MyGuessText.Text() : "";
            EXPECT_TRUE(proposal.empty() || proposed.insert(proposal).second) << proposal;
            moves.push_back(Move());
            states.push_back(Captured());
        }
        ASSERT_FALSE(GameOn) << "the computer did not find " << game.word;

        for (const auto& [clock, move] : points) {
            const std::string file = "move" + std::to_string(move) + ".swg";
            SCOPED_TRACE(file);
            Restart();
            platform.clock = clock;
            UseGameWindow(Form().FileLoad, file);
            EXPECT_TRUE(Boxes().empty());
            UseGameWindow(Form().FileSave, "again.swg");
            EXPECT_EQ(ReadBytes("again.swg"), ReadBytes(file));
            // The next moves (as many as a few rounds of both sides) go as they went.
            for (std::size_t next = move; next < std::min(move + 8, moves.size()); ++next) {
                EXPECT_EQ(Move(), moves[next]) << "move " << next;
                EXPECT_EQ(Captured(), states[next]) << "move " << next;
            }
        }
    }
    // Both turns, positions 0, 1 and beyond, and a list from the dictionary.
    for (const char* kind :
         {"It's Your Turn 0", "It's Your Turn >1", "It's My Turn 1", "It's My Turn >1", "dictionary list"})
        EXPECT_TRUE(kinds.count(kind)) << kind;
}

}  // namespace
}  // namespace quibbly::testing
