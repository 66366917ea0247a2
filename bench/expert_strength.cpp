// SPDX-License-Identifier: GPL-3.0-or-later
// Plays the Expert computer's guesses against every player's word and prints
// how many guesses it needs and how much CPU a turn takes. Each game starts
// from an empty history and asks the strategy for a guess after every true
// count, as the game does; nothing is shared between games but the guesser
// built from the dictionary once.
//
//   expert_strength [--words N] [--set any|hard] [--jobs J] [--greedy]
//                   [--width K] [--play-out-below N] [--no-tree] [--data DIR]
//
// Two sets of player's words: "any", every word of master.wtf, and "hard",
// the words of hard.wtf (the computer's own words at Expert). --words plays
// an evenly spread sample of N words of each set; --jobs plays in J processes
// (the figures are the same). --greedy, --width, --play-out-below and
// --no-tree change the tuning, to repeat the figures of the strategies
// tried.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <string>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

#include "engine/expert_guesser.h"
#include "records/game_review.h"
#include "timing.h"

using namespace quibbly;
using quibbly::bench::Percentile;

namespace {

constexpr int GuessLimit = 40;

double CpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// The words of a word file: a count line, then a word a line.
std::vector<std::string> ReadWords(const std::string& file) {
    std::vector<std::string> words;
    std::string fault;
    if (!GameReview::ReadDictionary(file, words, fault)) std::fprintf(stderr, "%s\n", fault.c_str());
    return words;
}

struct Result {
    std::vector<int> guesses;  // finished games
    std::vector<double> turnSeconds;
    std::vector<std::string> unfinished;
};

// Off the tree: the tree tool's search (--width, --play-out-below), or the
// game's greedy rule.
bool search = false;

Expert::Choice Next(const Expert::Guesser& guesser, const Expert::History& history) {
    return search ? guesser.SearchNextGuess(history) : guesser.NextGuess(history);
}

void Play(const Expert::Guesser& guesser, const std::vector<std::string>& secrets, std::size_t first,
          std::size_t step, Result& r) {
    for (std::size_t s = first; s < secrets.size(); s += step) {
        const std::string& secret = secrets[s];
        Expert::History history;
        bool named = false;
        while (!named && static_cast<int>(history.size()) < GuessLimit) {
            const double start = CpuSeconds();
            const Expert::Choice choice = Next(guesser, history);
            r.turnSeconds.push_back(CpuSeconds() - start);
            if (choice.word < 0) break;
            named = choice.guess == secret;
            history.push_back({choice.guess, Expert::Guesser::Count(choice.guess, secret)});
        }
        if (named)
            r.guesses.push_back(static_cast<int>(history.size()));
        else
            r.unfinished.push_back(secret);
    }
}

// A process of its own hands its result back in a file.
void Save(const Result& r, const std::string& file) {
    std::ofstream out(file);
    out.precision(17);
    out << r.guesses.size() << '\n';
    for (int g : r.guesses) out << g << ' ';
    out << '\n' << r.turnSeconds.size() << '\n';
    for (double t : r.turnSeconds) out << t << ' ';
    out << '\n' << r.unfinished.size() << '\n';
    for (const std::string& w : r.unfinished) out << w << ' ';
    out << '\n';
}

void AddSaved(Result& r, const std::string& file) {
    std::ifstream in(file);
    std::size_t n = 0;
    in >> n;
    for (std::size_t i = 0; i < n; ++i) r.guesses.push_back(0), in >> r.guesses.back();
    in >> n;
    for (std::size_t i = 0; i < n; ++i) r.turnSeconds.push_back(0), in >> r.turnSeconds.back();
    in >> n;
    for (std::size_t i = 0; i < n; ++i) r.unfinished.emplace_back(), in >> r.unfinished.back();
}

}  // namespace

int main(int argc, char** argv) {
    std::size_t sample = 0;
    std::string only;
    int jobs = 1;
    Expert::Tuning tuning;
    std::string data = QUIBBLY_DATA_DIR;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto next = [&]() -> std::string { return i + 1 < argc ? argv[++i] : ""; };
        if (arg == "--words")
            sample = std::strtoul(next().c_str(), nullptr, 10);
        else if (arg == "--set")
            only = next();
        else if (arg == "--jobs")
            jobs = std::max(1, std::atoi(next().c_str()));
        else if (arg == "--greedy")
            tuning = {.width = 0, .useTree = false};
        else if (arg == "--width")
            tuning.width = std::atoi(next().c_str()), search = true;
        else if (arg == "--play-out-below")
            tuning.playOutBelow = std::atoi(next().c_str()), search = true;
        else if (arg == "--no-tree")
            tuning.useTree = false;
        else if (arg == "--data")
            data = next();
        else {
            std::fprintf(stderr, "unknown argument %s\n", arg.c_str());
            return 2;
        }
    }

    // A fresh process pays for reading the dictionary, building the guesser
    // and its first guess.
    const double start = CpuSeconds();
    const Expert::Guesser guesser(ReadWords(data + "/master.wtf"), tuning);
    const Expert::Choice opening = Next(guesser, {});
    const double firstTurn = CpuSeconds() - start;
    std::printf("first turn of a fresh process (read, build, guess %s): %.1f ms\n\n", opening.guess.c_str(),
                firstTurn * 1e3);

    std::printf(
        "| player's words | games | mean | median | p90 | max | unfinished | turn CPU median | turn CPU p99 "
        "| "
        "turn CPU max |\n");
    std::printf("|---|---|---|---|---|---|---|---|---|---|\n");
    std::vector<std::string> unfinished;
    for (const std::string set : {"any", "hard"}) {
        if (!only.empty() && only != set) continue;
        std::vector<std::string> secrets = set == "any" ? guesser.Words() : ReadWords(data + "/hard.wtf");
        if (sample > 0 && sample < secrets.size()) {
            std::vector<std::string> spread;
            for (std::size_t i = 0; i < sample; ++i) spread.push_back(secrets[i * secrets.size() / sample]);
            secrets = spread;
        }
        Result r;
        if (jobs == 1) {
            Play(guesser, secrets, 0, 1, r);
        } else {
            const std::string base = "/tmp/expert-strength-" + std::to_string(::getpid()) + "-";
            std::fflush(nullptr);
            for (int j = 0; j < jobs; ++j)
                if (::fork() == 0) {
                    Result own;
                    Play(guesser, secrets, static_cast<std::size_t>(j), static_cast<std::size_t>(jobs), own);
                    Save(own, base + std::to_string(j));
                    std::_Exit(0);
                }
            for (int j = 0; j < jobs; ++j) ::wait(nullptr);
            for (int j = 0; j < jobs; ++j) {
                AddSaved(r, base + std::to_string(j));
                std::remove((base + std::to_string(j)).c_str());
            }
        }
        double sum = 0;
        for (int g : r.guesses) sum += g;
        const double mean = r.guesses.empty() ? 0 : sum / static_cast<double>(r.guesses.size());
        const int max = r.guesses.empty() ? 0 : *std::max_element(r.guesses.begin(), r.guesses.end());
        std::printf("| %s (%zu) | %zu | %.3f | %d | %d | %d | %zu | %.2f ms | %.2f ms | %.2f ms |\n",
                    set == "any" ? "master.wtf" : "hard.wtf", secrets.size(), secrets.size(), mean,
                    Percentile(r.guesses, 0.5), Percentile(r.guesses, 0.9), max, r.unfinished.size(),
                    Percentile(r.turnSeconds, 0.5) * 1e3, Percentile(r.turnSeconds, 0.99) * 1e3,
                    r.turnSeconds.empty()
                        ? 0.0
                        : *std::max_element(r.turnSeconds.begin(), r.turnSeconds.end()) * 1e3);
        for (const std::string& w : r.unfinished) unfinished.push_back(set + ": " + w);
    }
    if (!unfinished.empty()) {
        std::printf("\nunfinished:");
        for (const std::string& w : unfinished) std::printf(" %s", w.c_str());
        std::printf("\n");
    }
    return 0;
}
