// SPDX-License-Identifier: GPL-3.0-or-later
// Saved games through the save-and-load window: bytes, damaged files, lists, exact replay.
#include <set>
#include <tuple>

#include "records/game_history.h"
#include "records/saved_game.h"
#include "support/fresh_game.h"
#include "windows/records/game_form.h"

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

class SavedGames : public FreshGameWith<WriteHouseSeries> {
protected:
    void Save(const std::string& name) { UseGameWindow(Form().FileSave, name); }
    void Load(const std::string& name) { UseGameWindow(Form().FileLoad, name); }

    // All a player sees of the game beyond the file's own fields.
    std::vector<std::string> Board() {
        QuibblyForm& f = Form();
        std::vector<std::string> b{SavedBytes(), f.TurnLabel.Caption(), f.MyGuessText.Text(),
                                   f.ScratchPadText.Text()};
        for (const Control* c : std::initializer_list<const Control*>{
                 &f.GuessButton, &f.ZeroButton, &f.YourWordText, &f.GamePause, &f.LevelEasy})
            b.push_back(c->Name() + (c->Enabled() ? " on" : " off"));
        return b;
    }
};

TEST_F(SavedGames, FileBytesMatchTheLayoutAndOtherLineEndsLoad) {
    const std::initializer_list<std::string> head = {
        " 3.5 ", "It's Your Turn", "Medium", "SHOUT", "PLA", "BLIMP", "ABCD",     "S", " 4 ", "-1 ",
        " 1 ",   "PLANT -  0",     " 0 ",    " 2 ",   "2",   "HOUSE", "MOUSE H>M"};
    // Another build's file: LF line ends and no line end after the last line.
    std::string other = Lines(head, "\n") + Markers("\n");
    other.pop_back();
    WriteBytes("other.swg", other);
    Load("other.swg");
    EXPECT_TRUE(Boxes().empty());
    QuibblyForm& f = Form();
    EXPECT_TRUE(f.TurnLabel.Caption() == "3" && f.LevelMedium.Checked() && !f.LevelEasy.Checked() &&
                f.YourWordText.Text() == "SHOUT" && MyWord == "BLIMP" && Candidates[2] == "MOUSE H>M" &&
                f.LetterButton(0).BackColor() == MarkerRed);
    EXPECT_EQ(f.YourGuessList.Rows(), std::vector<std::string>{"PLANT -  0"});
    // Saved again, it is the same file byte for byte, with CR LF, but for the
    // identity it was given at its load.
    Save("again");
    std::string again = Lines(head) + Markers();
    again.insert(again.find("\r\nHOUSE\r\n"), " game " + GameId);
    EXPECT_EQ(ReadBytes("again.swg"), again);

    // Commas and end spaces in the guess box are kept; a double quote cannot be stored.
    for (const auto& [typed, kept] : {std::pair{"A,B ", "A,B "}, std::pair{"\"Q,", "Q,"}}) {
        Form().YourGuessText.SetText(typed);
        Save("field.swg");
        Restart();
        Load("field.swg");
        EXPECT_EQ(Form().YourGuessText.Text(), kept);
        EXPECT_EQ(MyWord, "BLIMP");
    }
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(SavedGames, DamagedFilesAndFailedSavesLeaveEverythingAsItWas) {
    Start("SHOUT", 0, 1, true, {0.0, 0.0});
    Guess("PLANT");
    Form().ScratchPadText.SetText("notes");
    Boxes();
    Save("good.swg");
    const std::vector<std::string> board = Board();
    const std::string good = ReadBytes("good.swg");

    // The good file's lines, and the file with one line (1-based) changed.
    std::vector<std::string> lines;
    for (std::size_t start = 0, end; (end = good.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(good.substr(start, end - start));
    ASSERT_GT(lines.size(), 40u);
    auto changed = [&lines](std::size_t line, const std::string& text) {
        std::string bytes;
        for (std::size_t i = 0; i < lines.size(); ++i) bytes += (i + 1 == line ? text : lines[i]) + "\r\n";
        return bytes;
    };
    // Line 11 counts the player's rows, the computer's count follows them, then the candidates'.
    const std::size_t n2 = 12 + std::stoul(lines[10]), n3 = n2 + 1 + std::stoul(lines[n2 - 1]);
    // Values past their limits (the fuzz target checks other damage): the line is named, the board stays.
    const std::vector<std::tuple<std::size_t, std::string, std::string>> refusedLoads = {
        {11, " 32768 ", "line 11 counts more rows than the game can hold (32767)"},
        {n3, " 201 ", "line " + std::to_string(n3) + " counts more candidates than the game can hold (200)"},
        {1, " -99999999999999999999 ", "line 1 holds a turn number too large for its field"},
        {9, " 32768 ", "line 9 holds a number too large for its field"},
        {lines.size(), " -2147483649 ",
         "line " + std::to_string(lines.size()) + " holds a number too large for its field"},
        {3, "easy", "line 3 names no level (it must be Easy, Medium, Hard or Expert)"},
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
    const std::vector<std::pair<std::string, std::string>> refused = {
        {"", "no file name was given"},
        {"folder.swg", "it is a folder"},
        {"nowhere/x.swg", "the folder cannot take a new file: No such file or directory"},
    };
    for (const auto& [name, fault] : refused) {
        Save(name);
        EXPECT_EQ(Boxes(), std::vector<ShownBox>{Warn("The game cannot be saved as \"" +
                                                          (folder / name).string() + "\": " + fault + ".",
                                                      "Save Game")});
    }
    EXPECT_EQ(Board(), board);
    for (const auto& entry : std::filesystem::directory_iterator(folder))  // no temporary file left
        EXPECT_NE(entry.path().filename().string()[0], '.') << entry.path();

    // At the limit itself the file loads, once the game on the board is given up.
    WriteBytes("ok.swg", changed(9, " 32767 "));
    Load("ok.swg");
    EXPECT_EQ(Boxes().at(0).title, "Load Game");
    EXPECT_EQ(Board(), board);
    EXPECT_TRUE(GameForm::Instance().Visible() && GameForm::Instance().FileText.Text() == "ok.swg");
    platform.Answer(MsgAnswer::Yes);
    GameForm::Instance().LoadButton.Press();
    EXPECT_EQ(RecheckPeriod, 32767);
    EXPECT_FALSE(GameForm::Instance().Visible());
}

// From a game folder inside a hidden one, where the offered name ".swg" is a dot file.
TEST_F(SavedGames, WindowKeepsItsChoicesListsTheFolderAndKeepsDotFilesAndTheWayHomeInReach) {
    namespace fs = std::filesystem;
    const fs::path home = folder / ".local" / "share" / "quibbly";
    for (const fs::path& made : {home, folder / ".cache", folder / "games"}) fs::create_directories(made);
    for (const char* name : {"b.swg", "A.swg", "notes.txt", "games/g1.swg"}) WriteBytes(name, "x");
    fs::current_path(home);
    WriteBytes(".hidden.txt", "x");
    platform.drives = {"/", folder.string()};
    QuibblyForm& form = Form();
    GameForm& game = GameForm::Instance();
    form.FileSave.Choose();
    EXPECT_TRUE(game.Visible() && game.FileText.Text() == ".swg" && game.FileText.HasFocus() &&
                game.FileText.Selected());
    EXPECT_EQ(game.Drive1.Drive(), folder.string());
    game.LoadButton.Press();  // saves under the offered name
    form.FileLoad.Choose();
    EXPECT_EQ(game.File1.Files(), std::vector<std::string>{".swg"});
    game.TypeCombo.Choose(1);
    EXPECT_EQ(game.File1.Files(), (std::vector<std::string>{".hidden.txt", ".swg"}));
    game.TypeCombo.Choose(0);
    // The folder list: ancestors, the folder, its sub-folders (at home the hidden one on the way
    // back, no other); a double-click opens one.
    ASSERT_TRUE(game.Dir1.SetPath(folder.string()));
    EXPECT_EQ(game.File1.Files(), (std::vector<std::string>{"A.swg", "b.swg"}));
    const auto& entries = game.Dir1.Entries();
    std::vector<std::string> below;
    for (const auto& entry : entries)
        if (!entry.open) below.push_back(entry.name);
    EXPECT_EQ(below, (std::vector<std::string>{".local", "games"}));
    EXPECT_EQ(entries[static_cast<std::size_t>(game.Dir1.ListIndex())].path, folder.string());
    game.Dir1.OpenRow(static_cast<int>(entries.size()) - 1);
    game.File1.ClickRow(0);
    EXPECT_EQ(game.ChosenPath(), (folder / "games" / "g1.swg").string());
    game.CancelButton.Press();
    EXPECT_FALSE(game.Visible());

    // Save mode keeps the folder; a double-click saves over that file.
    form.FileSave.Choose();
    game.File1.DoubleClickRow(0);
    EXPECT_EQ(ReadBytes((folder / "games" / "g1.swg").string()), SavedBytes());
    // Typing replaces the name the window offers, once.
    form.FileSave.Choose();
    game.FileText.Type("g2.swg");
    EXPECT_EQ(game.FileText.Text(), "g2.swg");
    game.LoadButton.Press();
    // Each opening lists the files as they are now: a game saved since is there.
    form.FileLoad.Choose();
    EXPECT_EQ(game.File1.Files(), (std::vector<std::string>{"g1.swg", "g2.swg"}));
    game.File1.DoubleClickRow(1);  // saved before any game, it loads as the player's turn
    EXPECT_TRUE(Boxes().empty() && form.WhoLabel.Caption() == "It's Your Turn" &&
                form.GuessButton.Enabled() && !form.GameStart.Enabled());
    form.FileLoad.Choose();

    // The root drive: one separator before the name.
    game.Drive1.SetDrive("/");
    EXPECT_EQ(game.ChosenPath(), "/g2.swg");
    // A drive that cannot be read is named, and the list goes back.
    game.Drive1.SetDrive("/no-such-drive");
    EXPECT_EQ(Boxes(),
              std::vector<ShownBox>{Warn(
                  "The drive \"/no-such-drive\" is not ready: No such file or directory.", "Load Game")});
    EXPECT_EQ(game.Drive1.Drive(), "/");
}

// A game saved at any move and loaded in a fresh run plays on alike and saves the same bytes.
class KeepExact : public FreshGame {
protected:
    // One move of a player who answers truly and guesses wrong; what it shows.
    std::string Move() {
        static const char* const guesses[] = {"CRANE", "GHOST", "PLUMB", "FJORD", "WALTZ"};
        QuibblyForm& f = Form();
        const std::string guess = f.MyGuessText.Text(), mine = f.YourWordText.Text();
        if (!f.ZeroButton.Enabled())
            Guess(guesses[f.YourGuessList.ListCount() % 5]);
        else if (guess == mine)
            f.CorrectButton.Press();
        else
            f.CountButtons()[static_cast<std::size_t>(MatchCount(guess, mine))]->Press();
        std::string shown = f.WhoLabel.Caption() + " " + f.TurnLabel.Caption() + " " + f.MyGuessText.Text();
        for (const ShownBox& box : Boxes()) shown += " | " + box.title + ": " + box.text;
        return shown;
    }
};

TEST_F(KeepExact, AGameSavedAtAnyMoveGoesOnAsItWouldHaveAndSavesTheSameBytes) {
    CopyShippedWordFiles();
    const std::tuple<MenuItem QuibblyForm::*, const char*, int, bool> games[] = {
        {&QuibblyForm::LevelEasy, "SHOUT", 1359, true},
        {&QuibblyForm::LevelMedium, "PLUMB", 419, false},
        {&QuibblyForm::LevelHard, "NYMPH", 1364, true},
        {&QuibblyForm::LevelExpert, "EERIE", 1364, false}};
    std::set<std::string> kinds;  // the kinds of save points met
    for (const auto& [level, word, wordsInLevel, playerFirst] : games) {
        Restart();
        (Form().*level).Choose();
        Start(word, 0, wordsInLevel, playerFirst);
        Boxes();
        // The game played through once, saved before every move; no word is proposed twice.
        std::set<std::string> proposed;
        std::vector<double> clocks;
        std::vector<std::string> moves, states;  // each move, the game after it
        for (int k = 0; GameOn && k < 200; ++k) {
            UseGameWindow(Form().FileSave, "move" + std::to_string(k) + ".swg");
            clocks.push_back(platform.clock);
            kinds.insert(Form().WhoLabel.Caption() +
                         (std::stol(CandidateIndex) > 1 ? " >1" : " " + CandidateIndex));
            if (FromMaster) kinds.insert("dictionary list");
            EXPECT_TRUE(!Form().ZeroButton.Enabled() || proposed.insert(Form().MyGuessText.Text()).second);
            moves.push_back(Move());
            states.push_back(SavedBytes());
        }
        ASSERT_FALSE(GameOn) << "the computer did not find " << word;

        for (std::size_t move = 0; move < clocks.size(); ++move) {
            const std::string file = "move" + std::to_string(move) + ".swg";
            SCOPED_TRACE(file);
            Restart();
            std::filesystem::remove("History.Lst");  // a first continuation, not a replay of the game's end
            platform.clock = clocks[move];
            UseGameWindow(Form().FileLoad, file);
            EXPECT_TRUE(Boxes().empty());
            UseGameWindow(Form().FileSave, "again.swg");
            EXPECT_EQ(ReadBytes("again.swg"), ReadBytes(file));
            // The next moves (a few rounds of both sides) go as they went.
            for (std::size_t next = move; next < std::min(move + 8, moves.size()); ++next) {
                EXPECT_EQ(Move(), moves[next]) << "move " << next;
                EXPECT_EQ(SavedBytes(), states[next]) << "move " << next;
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
