// SPDX-License-Identifier: GPL-3.0-or-later
// A save or a history write killed at random moments leaves a whole version
// (every writer goes through one ReplaceFile); failed writes keep the old files;
// a game killed at any move comes back whole at the next start.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <random>
#include <set>
#include <thread>

#include "records/game_history.h"
#include "records/kept_game.h"
#include "records/saved_game.h"
#include "support/fresh_game.h"
#include "windows/records/statistics_form.h"

namespace quibbly::testing {
namespace {

using namespace Functions;

class CrashSafety : public FreshGameWith<WriteWordFiles> {
protected:
    void SetUp() override {
        FreshGameWith::SetUp();
        Start("SHOUT", 1, 3, true, {0.0, 0.0});
        Form().YourGuessText.Type("CRISP\r");
        Boxes();
    }

    // Kills a child running body 200 times; some kills must hit a write (a temporary left).
    template <class Body>
    void KillRepeatedly(const std::string& file, const std::set<std::string>& versions, Body body) {
        std::mt19937 random(std::random_device{}());
        int partial = 0;
        for (int kill = 0; kill < 200 && !HasFailure(); ++kill) {
            const pid_t child = ::fork();
            ASSERT_GE(child, 0);
            if (child == 0)
                for (;;) body();
            std::this_thread::sleep_for(std::chrono::microseconds(random() % 20000));
            ::kill(child, SIGKILL);
            int status = 0;
            ::waitpid(child, &status, 0);
            ASSERT_TRUE(WIFSIGNALED(status)) << "the child ended by itself";
            const std::string bytes = ReadBytes(file);
            EXPECT_TRUE(versions.contains(bytes)) << "kill " << kill << ": " << bytes.size() << " bytes";
            partial += RemoveLeftovers();
        }
        EXPECT_GT(partial, 0);
    }

    // Removes the temporary files that killed writers leave beside the target.
    static int RemoveLeftovers() {
        int removed = 0;
        for (const auto& entry : std::filesystem::directory_iterator("."))
            if (entry.path().filename().string().starts_with("."))
                removed += std::filesystem::remove(entry.path());
        return removed;
    }
};

TEST_F(CrashSafety, AKilledSaveLeavesTheOldGameOrTheNewOneWholeAndLoadable) {
    SKIP_ON_THE_WEB("fork");
    QuibblyForm& form = Form();
    // Each press of the A marker changes the board: three versions in turn.
    std::set<std::string> versions;
    for (int i = 0; i < 3; ++i) {
        versions.insert(SavedBytes());
        form.LetterButton(0).Press();
    }
    ASSERT_EQ(versions.size(), 3u);
    ASSERT_TRUE(SavedGame::SaveGame("game.swg"));
    KillRepeatedly("game.swg", versions, [&] {
        form.LetterButton(0).Press();
        SavedGame::SaveGame("game.swg");
    });
    Boxes();
    platform.Answer(MsgAnswer::Yes);  // the game on the board is given up for its own save
    UseGameWindow(form.FileLoad, "game.swg");
    EXPECT_TRUE(versions.contains(SavedBytes()));
}

// The history is rewritten whole at each game's end and at Clear.
TEST_F(CrashSafety, AKilledHistoryWriteLeavesTheOldHistoryOrTheNewOneWhole) {
    SKIP_ON_THE_WEB("fork");
    WriteBytes(GameHistory::HistoryFile, "Quibbly History 1\r\nkept as it stands\r\n");
    std::set<std::string> versions{ReadBytes(GameHistory::HistoryFile)};
    auto endGamesThenClear = [&](bool remember) {
        for (const char* word : {"PLANT", "CRISP", "HOUSE"}) {
            MyWord = word;
            GameId = "g" + std::to_string(word[0]);  // a game of its own each
            GameUnrecorded = true;
            RecordGameEnd(GameHistory::Ending::Quit);
            if (remember) versions.insert(ReadBytes(GameHistory::HistoryFile));
        }
        StatisticsForm::Instance().ShowStatistics();
        platform.Answer(MsgAnswer::Yes);
        StatisticsForm::Instance().ClearButton.Press();
    };
    endGamesThenClear(true);
    ASSERT_EQ(versions.size(), 4u);
    KillRepeatedly(GameHistory::HistoryFile, versions, [&] { endGamesThenClear(false); });
}

// One move of a player who answers truly and guesses a few words in turn, each
// after a marker and a note: a function of the board alone, at the same time of day
// (the computer seeds its draws from the clock); seen runs after every change of
// the board. False once the game is over.
bool PlayOneMove(QuibblyForm& form, ScriptedPlatform& platform, const std::function<void()>& seen) {
    platform.clock = 12 * 3600.0;
    if (PlayState == Play::MyTurn) {
        const std::string guess = form.MyGuessText.Text(), mine = form.YourWordText.Text();
        if (guess == mine)
            form.CorrectButton.Press();
        else
            form.CountButtons()[static_cast<std::size_t>(MatchCount(guess, mine))]->Press();
    } else if (PlayState == Play::YourTurn) {
        const char* words[] = {"CRANE", "PLOTS", "MIGHT", "BUMPY", "FJORD", "WHACK", "GUSTY", "LEMON"};
        const std::string word = words[form.YourGuessList.ListCount() % 8];
        form.LetterButton(word[0] - 'A').Press();
        seen();
        form.ScratchPadText.SetText(form.ScratchPadText.Text() + word + ",\r\n");
        seen();
        form.YourGuessText.SetText(word);
        form.GuessButton.Press();
    }
    seen();
    return PlayState == Play::YourTurn || PlayState == Play::MyTurn;
}

// The kept game holds the whole board (markers, notes, the computer's journal): a game
// continued after a kill goes on, and is reviewed, as if nothing had happened.
TEST_F(CrashSafety, AGameKilledAtAnyMoveComesBackWholeAtTheNextStart) {
    SKIP_ON_THE_WEB("fork");
    CopyShippedWordFiles();
    Form().FileQuit.Choose();  // the set-up's game, out of the way
    std::filesystem::remove(GameHistory::HistoryFile);
    platform.gameId = "5eed";  // the same game in every process
    auto newGame = [&] {
        Form().FileNew.Choose();
        platform.clock = 12 * 3600.0;
        Start("SHOUT", 137, 1000, false);
    };
    // The game played without a kill, the board after every change.
    ASSERT_TRUE(KeptGame::Claim());
    std::vector<std::string> boards;
    auto seen = [&] { boards.push_back(SavedGame::Format(SavedGame::Capture())); };
    const auto began = std::chrono::steady_clock::now();
    newGame();
    seen();
    while (PlayOneMove(Form(), platform, seen) && boards.size() < 150) {
    }
    const auto game = std::chrono::steady_clock::now() - began;
    ASSERT_GT(boards.size(), 10u);
    const std::string record = ReadBytes(GameHistory::HistoryFile);
    KeptGame::Release();

    std::mt19937 random(std::random_device{}());
    int continued = 0;
    for (int kill = 0; kill < 30 && !HasFailure(); ++kill) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            KeptGame::Claim();
            for (;;) {
                newGame();
                while (PlayOneMove(Form(), platform, [] {})) {
                }
            }
        }
        std::this_thread::sleep_for(game * (random() % 1000) / 500);
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        RemoveLeftovers();
        if (!std::filesystem::exists(KeptGame::KeptFile)) continue;  // killed between two games
        const std::string kept = ReadBytes(KeptGame::KeptFile);
        const auto at = std::find(boards.begin(), boards.end(), kept);
        ASSERT_NE(at, boards.end()) << "kill " << kill << ": a board the game never showed";
        std::filesystem::remove(GameHistory::HistoryFile);
        Restart();
        platform.Answer(MsgAnswer::Yes);
        KeptGame::OfferAtStart();
        ASSERT_EQ(SavedGame::Format(SavedGame::Capture()), kept);  // played on as any loaded game
        // Played to its end, it leaves the record the game left unbroken.
        while (PlayOneMove(Form(), platform, [] {})) {
        }
        ASSERT_EQ(ReadBytes(GameHistory::HistoryFile), record) << "kill " << kill;
        ++continued;
        Boxes();
    }
    EXPECT_GT(continued, 5);
}

TEST_F(CrashSafety, AFullDiskKeepsTheOldGameAndTellsThePlayer) {
    SKIP_ON_THE_WEB("setrlimit");
    ASSERT_TRUE(SavedGame::SaveGame("game.swg"));
    const std::string game = ReadBytes("game.swg");

    // A disk full after 100 bytes, under a changed board.
    Form().LetterButton(3).Press();
    WithFileSizeLimit(100, [] { SavedGame::SaveGame("game.swg"); });
    EXPECT_EQ(Boxes(), std::vector<ShownBox>{Warn(
                           "The game cannot be saved as \"game.swg\": cannot be written: File too large.",
                           "Save Game")});
    EXPECT_EQ(ReadBytes("game.swg"), game);
    EXPECT_EQ(RemoveLeftovers(), 0);
}

}  // namespace
}  // namespace quibbly::testing
