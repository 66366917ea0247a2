// SPDX-License-Identifier: GPL-3.0-or-later
// Plays the computer's side of whole games headless, through the game's own
// handlers and engine, with every word of a level file as the player's word,
// and prints how many guesses the computer needs and how long a turn takes.
//
//   computer_strength [--words N] [--period P] [--threshold T] [--data DIR] [LEVEL...]
//
// LEVEL is easy, medium or hard (all three by default). --words plays a fixed
// sample of N words per level; --period and --threshold override the tuning
// values of Medium and Hard (Easy always plays with 7 and 3).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "engine/functions.h"
#include "platform/form.h"
#include "platform/scripted_platform.h"
#include "windows/main/quibbly_form.h"

using namespace quibbly;
namespace fs = std::filesystem;

namespace {

constexpr int GuessLimit = 200;

double CpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

std::vector<std::string> ReadLevel(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    std::string line;
    std::getline(in, line);
    std::vector<std::string> words;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.size() == 5) words.push_back(line);
    }
    return words;
}

template <class T>
T Percentile(std::vector<T> values, double p) {
    if (values.empty()) return T{};
    std::sort(values.begin(), values.end());
    const auto rank = static_cast<std::size_t>(p * static_cast<double>(values.size() - 1) + 0.5);
    return values[std::min(rank, values.size() - 1)];
}

struct LevelResult {
    std::vector<int> guesses;
    int unfinished = 0;
    int startedOver = 0;
    int rechecks = 0;
    int computerTurns = 0;
    std::vector<double> turnSeconds;
};

struct Tuning {
    int period = 0;  // 0: the game's own values
    int threshold = 0;
};

LevelResult PlayLevel(ScriptedPlatform& platform, const std::string& level,
                      const std::vector<std::string>& words, Tuning tuning) {
    LevelResult result;
    QuibblyForm& form = QuibblyForm::Instance();
    for (std::size_t game = 0; game < words.size(); ++game) {
        const std::string& word = words[game];
        form.FileNew.Choose();
        if (level == "easy") form.LevelEasy.Choose();
        if (level == "medium") form.LevelMedium.Choose();
        if (level == "hard") form.LevelHard.Choose();
        if (level != "easy" && tuning.period > 0)
            Functions::RecheckPeriod = static_cast<Integer>(tuning.period);
        if (level != "easy" && tuning.threshold > 0)
            Functions::LetterThreshold = static_cast<Integer>(tuning.threshold);
        platform.clock = 3600.0 + 1.37 * static_cast<double>(game);  // each game its own seed
        form.YourWordText.SetText(word);
        platform.NextRandom(0.0);  // the computer's word: no matter here
        platform.NextRandom(0.9);  // the player begins; the computer answers
        form.GameStart.Choose();
        platform.boxes.clear();

        bool startedOver = false;
        int guesses = 0;
        for (;;) {
            const bool hadDeductions = Functions::PossibleLetters.size() < 26;
            const double sleptBefore = platform.sleeps;
            const double before = CpuSeconds();
            Functions::MyTurn();
            result.turnSeconds.push_back(CpuSeconds() - before);
            result.rechecks += platform.sleeps > sleptBefore ? 1 : 0;
            ++result.computerTurns;
            ++guesses;
            if (hadDeductions && Functions::PossibleLetters.size() == 26) startedOver = true;
            const std::string guess = form.MyGuessText.Text();
            if (guess == word) break;
            if (guesses >= GuessLimit) {
                ++result.unfinished;
                std::fprintf(stderr, "%s: %s not found within %d guesses\n", level.c_str(), word.c_str(),
                             GuessLimit);
                break;
            }
            const int count = Functions::MatchCount(guess, word);
            form.CountButtons()[static_cast<std::size_t>(count)]->Press();
        }
        if (guesses < GuessLimit || form.MyGuessText.Text() == word) result.guesses.push_back(guesses);
        result.startedOver += startedOver ? 1 : 0;
    }
    return result;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> levels;
    std::size_t sample = 0;
    Tuning tuning;
    fs::path data = QUIBBLY_DATA_DIR;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto next = [&]() -> std::string { return i + 1 < argc ? argv[++i] : ""; };
        if (arg == "--words")
            sample = std::strtoul(next().c_str(), nullptr, 10);
        else if (arg == "--period")
            tuning.period = std::atoi(next().c_str());
        else if (arg == "--threshold")
            tuning.threshold = std::atoi(next().c_str());
        else if (arg == "--data")
            data = next();
        else
            levels.push_back(arg);
    }
    if (levels.empty()) levels = {"easy", "medium", "hard"};

    const fs::path folder = fs::temp_directory_path() / ("quibbly-bench-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    for (const char* name : {"easy.wtf", "medium.wtf", "hard.wtf", "master.wtf", "series.wtf"})
        fs::copy_file(data / name, folder / name, fs::copy_options::overwrite_existing);
    const fs::path previous = fs::current_path();
    fs::current_path(folder);

    ScriptedPlatform platform;
    InstallPlatform(&platform);
    Forms::DropAll();
    Functions::ResetModuleState();

    std::printf(
        "| level | games | mean | median | p90 | max | over %d | started over | recheck turns | "
        "turn CPU median | turn CPU p99 |\n",
        GuessLimit);
    std::printf("|---|---|---|---|---|---|---|---|---|---|---|\n");
    for (const std::string& level : levels) {
        std::vector<std::string> words = ReadLevel(level + ".wtf");
        if (sample > 0 && sample < words.size()) {
            std::mt19937 shuffle(20261205);
            std::shuffle(words.begin(), words.end(), shuffle);
            words.resize(sample);
        }
        const LevelResult r = PlayLevel(platform, level, words, tuning);
        double sum = 0;
        for (int g : r.guesses) sum += g;
        const double mean = r.guesses.empty() ? 0 : sum / static_cast<double>(r.guesses.size());
        std::printf("| %s | %zu | %.2f | %d | %d | %d | %d | %d | %.1f%% | %.0f µs | %.0f µs |\n",
                    level.c_str(), words.size(), mean, Percentile(r.guesses, 0.5), Percentile(r.guesses, 0.9),
                    r.guesses.empty() ? 0 : *std::max_element(r.guesses.begin(), r.guesses.end()),
                    r.unfinished, r.startedOver, 100.0 * r.rechecks / std::max(1, r.computerTurns),
                    Percentile(r.turnSeconds, 0.5) * 1e6, Percentile(r.turnSeconds, 0.99) * 1e6);
        std::fflush(stdout);
    }

    Forms::DropAll();
    InstallPlatform(nullptr);
    fs::current_path(previous);
    fs::remove_all(folder);
    return 0;
}
