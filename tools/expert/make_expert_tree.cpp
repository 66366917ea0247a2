// SPDX-License-Identifier: GPL-3.0-or-later
// Works out the Expert computer's decision tree for a dictionary with a search
// too slow for a turn, and writes it as src/engine/expert_tree.inc.
//
//   make_expert_tree [--width K] [--play-out-below N] [--deep-width K] [--deep-from N]
//                    [--longest L] [--overtime X]
//                    [--strict-overtime Y] [--set-width K] [--isolate-width K] [--isolate-from N] [--out
//                    FILE] [DICTIONARY]
//
// DICTIONARY is data/master.wtf by default. It prints the guesses the tree
// needs for every word of the dictionary; the game's figures come from
// bench/expert_strength, which plays the tree.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "engine/expert_guesser.h"
#include "records/game_review.h"

using namespace quibbly;

namespace {

std::vector<std::string> ReadWords(const std::string& file) {
    std::vector<std::string> words;
    std::string fault;
    if (!GameReview::ReadDictionary(file, words, fault)) std::fprintf(stderr, "%s\n", fault.c_str());
    return words;
}

// The guess on which the tree names each word.
void Depths(const std::vector<std::uint16_t>& tree, std::size_t& at, const std::vector<std::string>& words,
            const std::vector<int>& possible, int made, std::vector<int>& depth,
            std::vector<std::string>& path, std::vector<std::string>& paths) {
    const int guess = tree[at];
    path.push_back(words[static_cast<std::size_t>(guess)] + "(" + std::to_string(possible.size()) + ")");
    const int mask = tree[at + 1];
    at += 2;
    std::vector<std::vector<int>> outcomes(6);
    for (int w : possible) {
        if (w == guess) {
            depth[static_cast<std::size_t>(w)] = made + 1;
            std::string line;
            for (const std::string& step : path) line += " " + step;
            paths[static_cast<std::size_t>(w)] = line;
        } else
            outcomes[static_cast<std::size_t>(Expert::Guesser::Count(words[static_cast<std::size_t>(guess)],
                                                                     words[static_cast<std::size_t>(w)]))]
                .push_back(w);
    }
    for (int count = 0; count < 6; ++count)
        if (mask & 1 << count)
            Depths(tree, at, words, outcomes[static_cast<std::size_t>(count)], made + 1, depth, path, paths);
    path.pop_back();
}

}  // namespace

int main(int argc, char** argv) {
    Expert::Tuning tuning{.remember = true, .useTree = false};
    std::string dictionary = "data/master.wtf";
    std::string out = "src/engine/expert_tree.inc";
    int strictOvertime = 0;
    bool strictBelow = true;
    std::string first;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto next = [&]() -> int { return i + 1 < argc ? std::atoi(argv[++i]) : 0; };
        if (arg == "--width")
            tuning.width = next();
        else if (arg == "--play-out-below")
            tuning.playOutBelow = next();
        else if (arg == "--spread-width")
            tuning.spreadWidth = next();
        else if (arg == "--set-width")
            tuning.setWidth = next();
        else if (arg == "--isolate-width")
            tuning.isolateWidth = next();
        else if (arg == "--isolate-from")
            tuning.isolateFrom = next();
        else if (arg == "--exact-below")
            tuning.exactBelow = next();
        else if (arg == "--exact-width")
            tuning.exactWidth = next();
        else if (arg == "--deep-width")
            tuning.deepWidth = next();
        else if (arg == "--deep-from")
            tuning.deepFrom = next();
        else if (arg == "--longest")
            tuning.longest = next();
        else if (arg == "--overtime")
            tuning.overtime = next();
        else if (arg == "--first")
            first = i + 1 < argc ? argv[++i] : "";
        else if (arg == "--strict-node")
            strictBelow = false;
        else if (arg == "--strict-overtime")
            strictOvertime = next();
        else if (arg == "--out")
            out = i + 1 < argc ? argv[++i] : "";
        else
            dictionary = arg;
    }
    const std::vector<std::string> words = ReadWords(dictionary);
    const Expert::Guesser strategy(words, tuning);
    const int firstIndex =
        first.empty() ? -1 : static_cast<int>(std::find(words.begin(), words.end(), first) - words.begin());
    const std::clock_t start = std::clock();
    // The games past `longest` guesses are worked out again with the
    // strategy that weighs each guess past it `strictOvertime` times.
    Expert::Tuning strictTuning = tuning;
    strictTuning.overtime = strictOvertime;
    const Expert::Guesser strict(words, strictTuning);
    const std::vector<std::uint16_t> tree = Expert::Guesser::WriteTree(
        strategy, strictOvertime > 0 ? &strict : nullptr, tuning.longest, strictBelow, firstIndex);
    const double seconds = static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;

    std::vector<int> all(words.size());
    for (std::size_t i = 0; i < all.size(); ++i) all[i] = static_cast<int>(i);
    std::vector<int> depth(words.size(), 0);
    std::size_t at = 0;
    std::vector<std::string> path, paths(words.size());
    Depths(tree, at, words, all, 0, depth, path, paths);
    double sum = 0;
    std::map<int, int> spread;
    for (int d : depth) sum += d, ++spread[d];
    std::printf("%zu words, %zu nodes, %.1f s: mean %.4f, max %d\n", words.size(), tree.size() / 2, seconds,
                sum / static_cast<double>(words.size()), spread.rbegin()->first);
    for (const auto& [d, n] : spread) std::printf(" %d:%d", d, n);
    std::printf("\n");
    // The longest games, to see what makes them long.
    for (std::size_t w = 0; w < words.size(); ++w)
        if (depth[w] >= spread.rbegin()->first - 1)
            std::printf("%s %d:%s\n", words[w].c_str(), depth[w], paths[w].c_str());

    std::ofstream file(out, std::ios::binary);
    file << "// SPDX-License-Identifier: GPL-3.0-or-later\n"
         << "// Written by tools/expert/make_expert_tree (--width " << tuning.width << " --play-out-below "
         << tuning.playOutBelow << " --deep-width " << tuning.deepWidth << " --deep-from " << tuning.deepFrom
         << " --set-width " << tuning.setWidth << " --spread-width " << tuning.spreadWidth
         << " --isolate-width " << tuning.isolateWidth << " --isolate-from " << tuning.isolateFrom
         << " --exact-below " << tuning.exactBelow << " --exact-width " << tuning.exactWidth << " --longest "
         << tuning.longest << " --overtime " << tuning.overtime << " --strict-overtime " << strictOvertime
         << (strictBelow ? "" : " --strict-node") << (first.empty() ? "" : " --first " + first)
         << ")\n// from the dictionary; do not edit.\n"
         << "constexpr std::uint64_t TreeFingerprint = " << Expert::Guesser::Fingerprint(words) << "u;\n"
         << "constexpr std::uint16_t TreeData[] = {";
    for (std::size_t i = 0; i < tree.size(); ++i) file << (i % 16 == 0 ? "\n    " : " ") << tree[i] << ",";
    file << "\n};\n";
    return file ? 0 : 1;
}
