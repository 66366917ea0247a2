// SPDX-License-Identifier: GPL-3.0-or-later
// Times the keeping of the game in progress: after every move of whole
// games at each level (on the shipped word files, in a temporary game
// folder), the write of the kept game as the game makes it: the board in the
// saved-game format through the atomic writer, flushed to the disk.
//
//   kept_game [--games N]
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/functions.h"
#include "platform/form.h"
#include "platform/scripted_platform.h"
#include "records/kept_game.h"
#include "timing.h"
#include "windows/main/quibbly_form.h"

using namespace quibbly;
using namespace quibbly::bench;

namespace {

// A player who answers truly and guesses a few fixed words in turn.
bool Move(QuibblyForm& form, int step) {
    using Functions::Play;
    if (Functions::PlayState == Play::MyTurn) {
        const std::string guess = form.MyGuessText.Text(), mine = form.YourWordText.Text();
        if (guess == mine)
            form.CorrectButton.Press();
        else
            form.CountButtons()[static_cast<std::size_t>(Functions::MatchCount(guess, mine))]->Press();
    } else {
        static const char* words[] = {"CRANE", "PLOTS", "MIGHT", "BUMPY", "FJORD", "WHACK", "GUSTY", "LEMON"};
        form.YourGuessText.SetText(words[step % 8]);
        form.GuessButton.Press();
    }
    return Functions::PlayState == Play::YourTurn || Functions::PlayState == Play::MyTurn;
}

}  // namespace

int main(int argc, char** argv) {
    int games = 20;
    for (int i = 1; i + 1 < argc; i += 2)
        if (std::strcmp(argv[i], "--games") == 0) games = std::atoi(argv[i + 1]);
    namespace fs = std::filesystem;
    const fs::path folder = fs::temp_directory_path() / ("quibbly-kept-bench-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    for (const char* name : {"easy.wtf", "medium.wtf", "hard.wtf", "master.wtf", "series.wtf"})
        fs::copy_file(fs::path(QUIBBLY_DATA_DIR) / name, folder / name);
    fs::current_path(folder);
    ScriptedPlatform platform;
    InstallPlatform(&platform);
    QuibblyForm& form = QuibblyForm::Instance();
    if (!KeptGame::Claim()) return 1;

    std::printf("%d games a level; the write of the kept game after each move\n\n", games);
    std::printf("| level | moves | wall median | wall p99 | wall max | CPU median | bytes |\n");
    std::printf("|---|---|---|---|---|---|---|\n");
    const char* players[] = {"SHOUT", "PLANT", "BRICK", "MOUSE", "LEVEL"};
    for (MenuItem* level : {&form.LevelEasy, &form.LevelMedium, &form.LevelHard}) {
        Timing timing;
        std::uintmax_t bytes = 0;
        for (int game = 0; game < games; ++game) {
            form.FileNew.Choose();
            level->Choose();
            form.YourWordText.SetText(players[game % (level == &form.LevelHard ? 5 : 4)]);
            platform.clock = 8 * 3600.0 + 977.0 * game;
            platform.NextRandom((game * 0.618) - static_cast<int>(game * 0.618));
            platform.NextRandom(game % 2 ? 0.9 : 0.1);
            form.GameStart.Choose();
            for (int step = 0; step < 80; ++step) {
                platform.boxes.clear();
                if (!Move(form, step)) break;
                const Clock start;
                KeptGame::Keep();
                timing.Add(start);
                bytes = std::max(bytes, fs::file_size(KeptGame::KeptFile));
            }
        }
        std::printf("| %s | %zu | %.2f ms | %.2f ms | %.2f ms | %.2f ms | %ju |\n",
                    form.GameLabel.Caption().c_str(), timing.wall.size(), Median(timing.wall),
                    Percentile(timing.wall, 0.99), Worst(timing.wall), Median(timing.cpu), bytes);
    }
    Forms::DropAll();
    InstallPlatform(nullptr);
    Functions::ResetModuleState();
    fs::current_path(fs::temp_directory_path());
    fs::remove_all(folder);
    return 0;
}
