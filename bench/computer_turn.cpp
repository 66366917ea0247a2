// SPDX-License-Identifier: GPL-3.0-or-later
// How long the player waits for a computer turn: plays whole games at every
// level headless, through the game's own handlers and engine, the player
// always answering truly, and times each call of the computer's turn on the
// wall clock. The thinking pause of a re-examining turn is the platform's
// sleep, which the scripted platform only counts, so the times are the
// computer's work alone. The same program runs natively and, built with
// emscripten, in a browser (bench/web/computer_turn.html), so that the two
// tables compare the same games.
//
//   computer_turn [--games N] [--data DIR] [LEVEL...]
//
// LEVEL is easy, medium, hard or expert (all four by default). Each level
// plays N games (400 by default), the player's words drawn with a fixed seed
// from the words the level lets a player choose.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "bench_platform.h"
#include "engine/functions.h"
#include "platform/form.h"
#include "platform/scripted_platform.h"
#include "timing.h"
#include "windows/main/quibbly_form.h"

using namespace quibbly;
using quibbly::bench::BenchPlatform;
using quibbly::bench::Percentile;
namespace fs = std::filesystem;

namespace {

constexpr int GuessLimit = 200;

// The words of master.wtf a player may choose at the level: five different
// letters at Easy and Medium, any word at Hard and Expert.
std::vector<std::string> PlayerWords(bool repeatsAllowed) {
    std::ifstream in("master.wtf", std::ios::binary);
    std::string line;
    std::getline(in, line);
    std::vector<std::string> words;
    while (std::getline(in, line)) {
        line = line.substr(0, 5);
        if (line.size() == 5 && (repeatsAllowed || Functions::PairCount(line) == 5)) words.push_back(line);
    }
    return words;
}

struct LevelTimes {
    int games = 0;
    std::vector<double> turnMs;
};

LevelTimes PlayLevel(BenchPlatform& platform, const std::string& level, int games) {
    QuibblyForm& form = QuibblyForm::Instance();
    std::vector<std::string> words = PlayerWords(level == "hard" || level == "expert");
    std::mt19937 draw(20261208);
    std::shuffle(words.begin(), words.end(), draw);
    std::uniform_real_distribution<double> startTime(8 * 3600.0, 22 * 3600.0);
    std::uniform_real_distribution<double> answerTime(2.0, 8.0);
    LevelTimes times;
    for (int game = 0; game < games && !words.empty(); ++game) {
        const std::string& word = words[static_cast<std::size_t>(game) % words.size()];
        form.FileNew.Choose();
        if (level == "easy") form.LevelEasy.Choose();
        if (level == "medium") form.LevelMedium.Choose();
        if (level == "hard") form.LevelHard.Choose();
        if (level == "expert") form.LevelExpert.Choose();
        platform.clock = startTime(draw);
        form.YourWordText.SetText(word);
        platform.NextRandom(0.0);  // the computer's word: no matter here
        platform.NextRandom(0.9);  // the player begins; the computer answers
        form.GameStart.Choose();
        platform.boxes.clear();
        ++times.games;
        bool named = false;
        for (int guesses = 1; guesses <= GuessLimit && !named; ++guesses) {
            platform.Run();
            const auto start = std::chrono::steady_clock::now();
            Functions::MyTurn();
            const auto end = std::chrono::steady_clock::now();
            platform.Stop();
            times.turnMs.push_back(std::chrono::duration<double, std::milli>(end - start).count());
            const std::string guess = form.MyGuessText.Text();
            named = guess == word;
            if (named) break;
            platform.clock = std::fmod(platform.clock + answerTime(draw), 86400.0);
            const int count = Functions::MatchCount(guess, word);
            form.CountButtons()[static_cast<std::size_t>(count)]->Press();
        }
        // The game ends as a player ends it, so that the next New Game asks
        // nothing: Correct Word (and no to playing again), or giving up.
        if (named)
            form.CorrectButton.Press();
        else
            platform.Answer(MsgAnswer::Yes);
    }
    return times;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> levels;
    int games = 400;
    fs::path data = QUIBBLY_DATA_DIR;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto next = [&]() -> std::string { return i + 1 < argc ? argv[++i] : ""; };
        if (arg == "--games")
            games = std::max(1, std::atoi(next().c_str()));
        else if (arg == "--data")
            data = next();
        else
            levels.push_back(arg);
    }
    if (levels.empty()) levels = {"easy", "medium", "hard", "expert"};

    const fs::path folder = fs::temp_directory_path() / "quibbly-computer-turn";
    fs::remove_all(folder);
    fs::create_directories(folder);
    for (const char* name : {"easy.wtf", "medium.wtf", "hard.wtf", "master.wtf", "series.wtf"})
        fs::copy_file(data / name, folder / name, fs::copy_options::overwrite_existing);
    const fs::path previous = fs::current_path();
    fs::current_path(folder);

    BenchPlatform platform;
    InstallPlatform(&platform);
    Forms::DropAll();
    Functions::ResetModuleState();

    std::printf("| level | games | turns | median | p99 | max |\n|---|---|---|---|---|---|\n");
    for (const std::string& level : levels) {
        const LevelTimes t = PlayLevel(platform, level, games);
        if (t.turnMs.empty()) continue;
        std::printf("| %s | %d | %zu | %.3f ms | %.3f ms | %.3f ms |\n", level.c_str(), t.games,
                    t.turnMs.size(), Percentile(t.turnMs, 0.5), Percentile(t.turnMs, 0.99),
                    *std::max_element(t.turnMs.begin(), t.turnMs.end()));
        std::fflush(stdout);
    }

    Forms::DropAll();
    InstallPlatform(nullptr);
    fs::current_path(previous);
    fs::remove_all(folder);
    return 0;
}
