// SPDX-License-Identifier: GPL-3.0-or-later
// Times the review of the player's side of a game over the shipped word
// files: the words read, then every guess weighed, with the best guess at
// each point sought over the whole dictionary. The game is 25 guesses long,
// the computer's word last, the others drawn from the dictionary with a fixed
// seed (random guesses narrow the words slowly, so the search stays long).
//
//   review_time [--guesses N] [--runs R] [--data DIR]
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "engine/functions.h"
#include "records/game_review.h"

#include "timing.h"

using namespace quibbly;
using namespace quibbly::bench;

namespace {

// A game of the given length: guesses the level accepts, then the word.
std::vector<GameHistory::Guess> MakeGame(const GameReview::Words& words, int length, std::string& myWord) {
    std::mt19937 random(20);
    myWord = words.level[random() % words.level.size()];
    std::vector<GameHistory::Guess> guesses;
    while (static_cast<int>(guesses.size()) + 1 < length) {
        const std::string& word = words.dictionary[random() % words.dictionary.size()];
        if (!words.repeatsAllowed && Functions::PairCount(word) != 5) continue;
        if (word == myWord) continue;
        guesses.push_back({word, Functions::MatchCount(word, myWord)});
    }
    guesses.push_back({myWord, 5});
    return guesses;
}

}  // namespace

int main(int argc, char** argv) {
    namespace fs = std::filesystem;
    int length = 25;
    int runs = 20;
    fs::path data = QUIBBLY_DATA_DIR;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--guesses") == 0) length = std::max(1, std::atoi(argv[i + 1]));
        if (std::strcmp(argv[i], "--runs") == 0) runs = std::max(1, std::atoi(argv[i + 1]));
        if (std::strcmp(argv[i], "--data") == 0) data = argv[i + 1];
    }
    const fs::path previous = fs::current_path();
    fs::current_path(data);

    std::printf("%d guesses, %d runs\n\n", length, runs);
    std::printf("| step | wall median | wall max | CPU median |\n|---|---|---|---|\n");
    for (const char* level : {"Hard", "Easy"}) {
        Timing load, review;
        std::size_t rows = 0;
        for (int run = 0; run < runs; ++run) {
            const Clock first;
            GameReview::Words words;
            std::string fault;
            if (!GameReview::LoadWords(level, words, fault)) {
                std::fprintf(stderr, "%s\n", fault.c_str());
                return 1;
            }
            load.Add(first);
            std::string myWord;
            const auto guesses = MakeGame(words, length, myWord);
            const Clock second;
            const GameReview::PlayerReview result = GameReview::ReviewPlayer(words, guesses, myWord);
            review.Add(second);
            rows += result.rows.size();
        }
        if (rows != static_cast<std::size_t>(length) * static_cast<std::size_t>(runs)) return 1;
        Row(std::string(level) + ": read the word files", load);
        Row(std::string(level) + ": review the guesses", review);
    }
    fs::current_path(previous);
    return 0;
}
