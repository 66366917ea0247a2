// SPDX-License-Identifier: GPL-3.0-or-later
// Times the history of games at the size of years of play: a "History.Lst"
// of 10,000 games (by default) read and summarised for each level, the
// statistics window opened on it headless, and one more game recorded at its
// end, which reads the file and writes it again.
//
//   history_load [--games N] [--runs R]
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "engine/functions.h"
#include "platform/form.h"
#include "platform/scripted_platform.h"
#include "records/game_history.h"
#include "windows/main/quibbly_form.h"
#include "windows/records/statistics_form.h"

#include "timing.h"

using namespace quibbly;
using namespace quibbly::GameHistory;
using namespace quibbly::bench;

namespace {

// Games as long as real ones: 5 to 25 guesses a side, every ending.
History MakeHistory(int games) {
    std::mt19937 random(7);
    const char* levels[] = {"Easy", "Medium", "Hard"};
    auto word = [&random] {
        std::string text(5, 'A');
        for (char& ch : text) ch = static_cast<char>('A' + random() % 26);
        return text;
    };
    History history;
    for (int i = 0; i < games; ++i) {
        Game game;
        game.when = "2026-05-12 12:" + std::to_string(10 + i % 50);
        game.level = levels[random() % 3];
        game.ending = static_cast<Ending>(random() % 3);
        game.yourWord = word();
        game.myWord = word();
        const int guesses = 5 + static_cast<int>(random() % 21);
        for (int g = 0; g < guesses; ++g) {
            game.yourGuesses.push_back({word(), static_cast<int>(random() % 5)});
            game.myGuesses.push_back({word(), static_cast<int>(random() % 5)});
        }
        game.score = guesses;
        history.entries.push_back(MakeEntry(game));
    }
    return history;
}

}  // namespace

int main(int argc, char** argv) {
    int games = 10000;
    int runs = 20;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--games") == 0) games = std::atoi(argv[i + 1]);
        if (std::strcmp(argv[i], "--runs") == 0) runs = std::atoi(argv[i + 1]);
    }
    namespace fs = std::filesystem;
    const fs::path folder =
        fs::temp_directory_path() / ("quibbly-history-bench-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    fs::current_path(folder);
    ScriptedPlatform platform;
    InstallPlatform(&platform);
    QuibblyForm& form = QuibblyForm::Instance();

    const History made = MakeHistory(games);
    const std::string bytes = Format(made);
    Timing load, summarise, window, record, both;
    for (int run = 0; run < runs; ++run) {
        if (!Save(made).empty()) return 1;
        const Clock first;
        History history;
        std::string fault;
        if (!Load(history, fault)) return 1;
        load.Add(first);
        const Clock second;
        int played = 0;
        for (const char* level : {"Easy", "Medium", "Hard"}) played += Summarise(history, level).played;
        summarise.Add(second);
        both.Add(first);
        if (played != games) return 1;

        // The window as Game > Statistics opens it: the file read, the
        // current level summarised, the charts and figures filled.
        StatisticsForm& statistics = StatisticsForm::Instance();
        statistics.Hide();
        const Clock opening;
        form.GameStatistics.Choose();
        window.Add(opening);

        // One more game given up at once: read, checked, appended, written.
        Functions::MyWord = "PLANT";
        form.YourWordText.SetText("SHOUT");
        Functions::GameUnrecorded = true;
        const Clock ending;
        Functions::RecordGameEnd(Ending::Quit);
        record.Add(ending);
    }
    std::printf("%d games, %.2f MB, %d runs\n\n", games, static_cast<double>(bytes.size()) / (1 << 20), runs);
    std::printf("| step | wall median | wall max | CPU median |\n|---|---|---|---|\n");
    Row("read and parse the file", load);
    Row("summarise the three levels", summarise);
    Row("load and summarise", both);
    Row("open the statistics window", window);
    Row("record one more game", record);
    Forms::DropAll();
    InstallPlatform(nullptr);
    fs::current_path(fs::temp_directory_path());
    fs::remove_all(folder);
    return 0;
}
