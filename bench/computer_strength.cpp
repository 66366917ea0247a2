// SPDX-License-Identifier: GPL-3.0-or-later
// Plays the computer's side of whole games headless, through the game's own
// handlers and engine, and prints how many guesses the computer needs to find
// the player's word and how long a turn takes. Each level plays two sets of
// player's words: the level's own words (its word file), and any word the
// level lets a player choose (every word of master.wtf with five different
// letters at Easy and Medium, every word of it at Hard).
//
//   computer_strength [--words N] [--seeds S] [--set level|any] [--jobs J]
//                     [--still-clock] [--period P] [--threshold T] [--data DIR]
//                     [LEVEL...]
//
// LEVEL is easy, medium, hard or expert (all four by default; Expert, whose
// choices draw nothing, plays each word once). --words plays a fixed
// sample of N words of each set; --seeds plays every word S times (8 by
// default), each time with other clock readings; --set plays only one of the
// two sets; --jobs plays up to J seeds at once, each in a process of its own
// (1 by default); --period and --threshold override the tuning values of Medium and
// Hard (Easy always plays with 7 and 3, as the game sets them).
//
// The clock moves as it does for a real player: every game starts at its own
// time of day, the player takes a few seconds (drawn from a generator seeded
// by the seed and the game, so they repeat from run to run) between the
// computer's guess and the answer, and within the computer's turn the clock
// runs with the real time its work takes. --still-clock keeps the clock still
// except during the thinking pause, as the scripted platform of the tests
// does, to compare.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <type_traits>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

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

double CpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// The words of a level file, or with `master` the dictionary's words that the
// level allows a player to choose.
std::vector<std::string> ReadWords(const std::string& file, bool master = false,
                                   bool repeatsAllowed = false) {
    std::ifstream in(file, std::ios::binary);
    std::string line;
    std::getline(in, line);
    std::vector<std::string> words;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (master) line = line.substr(0, 5);
        if (line.size() == 5 && (repeatsAllowed || Functions::PairCount(line) == 5)) words.push_back(line);
    }
    return words;
}

struct LevelResult {
    std::vector<int> guesses;
    std::vector<double> seedMeans;  // the mean of each seed's games
    int games = 0;
    int unfinished = 0;
    int startedOver = 0;
    int rechecks = 0;
    int computerTurns = 0;
    std::vector<double> turnSeconds;
    std::vector<std::string> unfinishedWords;  // "WORD (seed S)"
};

// A seed played in a process of its own hands its result back in a file.
void Save(const LevelResult& r, const fs::path& file) {
    std::ofstream out(file);
    out.precision(17);
    out << r.games << ' ' << r.unfinished << ' ' << r.startedOver << ' ' << r.rechecks << ' '
        << r.computerTurns << '\n';
    const auto line = [&out](const auto& values) {
        out << values.size();
        for (const auto& v : values) out << ' ' << v;
        out << '\n';
    };
    line(r.guesses);
    line(r.seedMeans);
    line(r.turnSeconds);
    line(r.unfinishedWords);
}

void AddSaved(LevelResult& r, const fs::path& file) {
    std::ifstream in(file);
    int games = 0, unfinished = 0, startedOver = 0, rechecks = 0, turns = 0;
    in >> games >> unfinished >> startedOver >> rechecks >> turns;
    r.games += games;
    r.unfinished += unfinished;
    r.startedOver += startedOver;
    r.rechecks += rechecks;
    r.computerTurns += turns;
    const auto line = [&in](auto& values) {
        std::size_t n = 0;
        in >> n;
        for (std::size_t i = 0; i < n; ++i) {
            typename std::decay_t<decltype(values)>::value_type v{};
            in >> v;
            values.push_back(v);
        }
    };
    line(r.guesses);
    line(r.seedMeans);
    line(r.turnSeconds);
    std::vector<std::string> words;
    std::size_t n = 0;
    in >> n;
    for (std::size_t i = 0; i < n; ++i) {
        std::string word, seed, number;
        in >> word >> seed >> number;  // "WORD (seed S)"
        r.unfinishedWords.push_back(word + " " + seed + " " + number);
    }
}

struct Settings {
    int period = 0;  // 0: the game's own values
    int threshold = 0;
    int seeds = 8;
    bool stillClock = false;
    int jobs = 1;
    std::string set;  // "level", "any" or empty for both
};

void PlayLevel(BenchPlatform& platform, const std::string& level, const std::vector<std::string>& words,
               Settings settings, unsigned seed, LevelResult& result) {
    QuibblyForm& form = QuibblyForm::Instance();
    std::mt19937 player(seed);
    std::uniform_real_distribution<double> startTime(8 * 3600.0, 22 * 3600.0);
    std::uniform_real_distribution<double> thinking(2.0, 8.0);
    long sum = 0;
    int finished = 0;
    for (std::size_t game = 0; game < words.size(); ++game) {
        const std::string& word = words[game];
        ++result.games;
        form.FileNew.Choose();
        if (level == "easy") form.LevelEasy.Choose();
        if (level == "medium") form.LevelMedium.Choose();
        if (level == "hard") form.LevelHard.Choose();
        if (level == "expert") form.LevelExpert.Choose();
        if (level != "easy" && settings.period > 0)
            Functions::RecheckPeriod = static_cast<Integer>(settings.period);
        if (level != "easy" && settings.threshold > 0)
            Functions::LetterThreshold = static_cast<Integer>(settings.threshold);
        // Each game its own seed.
        platform.clock = settings.stillClock ? 3600.0 + 1.37 * static_cast<double>(game) + 86.0 * (seed - 1)
                                             : startTime(player);
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
            if (!settings.stillClock) platform.Run();
            Functions::MyTurn();
            platform.Stop();
            result.turnSeconds.push_back(CpuSeconds() - before);
            result.rechecks += platform.sleeps > sleptBefore ? 1 : 0;
            ++result.computerTurns;
            ++guesses;
            if (hadDeductions && Functions::PossibleLetters.size() == 26) startedOver = true;
            const std::string guess = form.MyGuessText.Text();
            if (guess == word) break;
            if (guesses >= GuessLimit) {
                ++result.unfinished;
                result.unfinishedWords.push_back(word + " (seed " + std::to_string(seed) + ")");
                break;
            }
            if (!settings.stillClock) platform.clock = std::fmod(platform.clock + thinking(player), 86400.0);
            const int count = Functions::MatchCount(guess, word);
            form.CountButtons()[static_cast<std::size_t>(count)]->Press();
        }
        // The game ends as a player ends it, so that the next New Game asks
        // nothing: Correct Word (and no to playing again), or giving up.
        if (form.MyGuessText.Text() == word)
            form.CorrectButton.Press();
        else
            platform.Answer(MsgAnswer::Yes);
        if (guesses < GuessLimit || form.MyGuessText.Text() == word) {
            result.guesses.push_back(guesses);
            sum += guesses;
            ++finished;
        }
        result.startedOver += startedOver ? 1 : 0;
    }
    result.seedMeans.push_back(finished == 0 ? 0.0 : static_cast<double>(sum) / finished);
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> levels;
    std::size_t sample = 0;
    Settings settings;
    fs::path data = QUIBBLY_DATA_DIR;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto next = [&]() -> std::string { return i + 1 < argc ? argv[++i] : ""; };
        if (arg == "--words")
            sample = std::strtoul(next().c_str(), nullptr, 10);
        else if (arg == "--seeds")
            settings.seeds = std::max(1, std::atoi(next().c_str()));
        else if (arg == "--jobs")
            settings.jobs = std::max(1, std::atoi(next().c_str()));
        else if (arg == "--set")
            settings.set = next();
        else if (arg == "--still-clock")
            settings.stillClock = true;
        else if (arg == "--period")
            settings.period = std::atoi(next().c_str());
        else if (arg == "--threshold")
            settings.threshold = std::atoi(next().c_str());
        else if (arg == "--data")
            data = next();
        else
            levels.push_back(arg);
    }
    if (levels.empty()) levels = {"easy", "medium", "hard", "expert"};

    const fs::path folder = fs::temp_directory_path() / ("quibbly-bench-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    for (const char* name : {"easy.wtf", "medium.wtf", "hard.wtf", "master.wtf", "series.wtf"})
        fs::copy_file(data / name, folder / name, fs::copy_options::overwrite_existing);
    const fs::path previous = fs::current_path();
    fs::current_path(folder);

    BenchPlatform platform;
    InstallPlatform(&platform);
    Forms::DropAll();
    Functions::ResetModuleState();

    std::printf("%s clock, %d seeds\n\n", settings.stillClock ? "still" : "moving", settings.seeds);
    std::printf(
        "| level | player's words | games | mean | seed means | median | p90 | max | over %d | started over "
        "| "
        "recheck turns | turn CPU median | turn CPU p99 |\n",
        GuessLimit);
    std::printf("|---|---|---|---|---|---|---|---|---|---|---|---|---|\n");
    std::vector<std::string> unfinished;
    for (const std::string& level : levels) {
        for (const std::string set : {"level", "any"}) {
            if (!settings.set.empty() && settings.set != set) continue;
            // Expert plays Hard's words and lets the player choose any word.
            const bool expert = level == "expert";
            std::vector<std::string> words = set == "level"
                                                 ? ReadWords((expert ? "hard" : level) + ".wtf", false, true)
                                                 : ReadWords("master.wtf", true, level == "hard" || expert);
            if (sample > 0 && sample < words.size()) {
                std::mt19937 shuffle(20261205);
                std::shuffle(words.begin(), words.end(), shuffle);
                words.resize(sample);
            }
            LevelResult r;
            // The Expert computer draws nothing: one seed plays every game there is.
            const int seeds = expert ? 1 : settings.seeds;
            if (settings.jobs == 1 || expert) {
                for (int seed = 1; seed <= seeds; ++seed)
                    PlayLevel(platform, level, words, settings, static_cast<unsigned>(seed), r);
            } else {
                // Each seed in a child process; the children share the
                // folder's word files, which the game only reads.
                int running = 0;
                for (int seed = 1; seed <= settings.seeds; ++seed) {
                    if (running == settings.jobs) {
                        ::wait(nullptr);
                        --running;
                    }
                    std::fflush(nullptr);
                    if (::fork() == 0) {
                        LevelResult own;
                        PlayLevel(platform, level, words, settings, static_cast<unsigned>(seed), own);
                        Save(own, "seed" + std::to_string(seed));
                        std::_Exit(0);
                    }
                    ++running;
                }
                while (running-- > 0) ::wait(nullptr);
                for (int seed = 1; seed <= settings.seeds; ++seed) {
                    AddSaved(r, "seed" + std::to_string(seed));
                    fs::remove("seed" + std::to_string(seed));
                }
            }
            double sum = 0;
            for (int g : r.guesses) sum += g;
            const double mean = r.guesses.empty() ? 0 : sum / static_cast<double>(r.guesses.size());
            const auto [low, high] = std::minmax_element(r.seedMeans.begin(), r.seedMeans.end());
            const char* name = set == "level" ? "level words" : "any word";
            std::printf(
                "| %s | %s %zu | %d | %.2f | %.2f-%.2f | %d | %d | %d | %d | %.1f%% | %.1f%% | %.0f µs | "
                "%.0f µs "
                "|\n",
                level.c_str(), name, words.size(), r.games, mean, *low, *high, Percentile(r.guesses, 0.5),
                Percentile(r.guesses, 0.9),
                r.guesses.empty() ? 0 : *std::max_element(r.guesses.begin(), r.guesses.end()), r.unfinished,
                100.0 * r.startedOver / std::max(1, r.games),
                100.0 * r.rechecks / std::max(1, r.computerTurns), Percentile(r.turnSeconds, 0.5) * 1e6,
                Percentile(r.turnSeconds, 0.99) * 1e6);
            std::fflush(stdout);
            for (const std::string& w : r.unfinishedWords)
                unfinished.push_back(level + ", " + name + ": " + w);
        }
    }
    std::printf("\nNot found within %d guesses:%s\n", GuessLimit, unfinished.empty() ? " none" : "");
    for (const std::string& line : unfinished) std::printf("- %s\n", line.c_str());

    Forms::DropAll();
    InstallPlatform(nullptr);
    fs::current_path(previous);
    fs::remove_all(folder);
    return 0;
}
