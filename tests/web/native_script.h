// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop build's side of a browser test: the script's arguments
// (SEED LEVEL WORD GUESS,GUESS,...), every draw from the generator the
// page's test hook seeds, a game folder of the process's own and the level
// chosen on the main window.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <iostream>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "app/game_folder.h"
#include "platform/scripted_platform.h"
#include "windows/main/quibbly_form.h"

namespace quibbly::web_test {

struct Script {
    std::string level, word;
    std::vector<std::string> guesses;
    std::filesystem::path folder;  // removed by the program at its end
};

// None, with the reason printed, when the arguments or the folder fail.
inline std::optional<Script> StartScript(ScriptedPlatform& platform, int argc, char** argv,
                                         const char* name) {
    if (argc != 5) {
        std::cerr << "usage: " << name << " SEED LEVEL WORD GUESS,GUESS,...\n";
        return std::nullopt;
    }
    std::mt19937_64 draws(std::stoull(argv[1]));
    for (int i = 0; i < 100000; ++i) platform.NextRandom(static_cast<double>(draws() >> 11) * 0x1.0p-53);
    Script script{argv[2], argv[3], {}, {}};
    std::stringstream list(argv[4]);
    for (std::string guess; std::getline(list, guess, ',');) script.guesses.push_back(guess);

    script.folder = std::filesystem::temp_directory_path() /
                    ("quibbly-" + std::string(name) + "-" + std::to_string(::getpid()));
    std::filesystem::remove_all(script.folder);
    InstallPlatform(&platform);
    if (!PrepareGameFolder({QUIBBLY_DATA_DIR}, script.folder).entered) {
        std::cerr << name << ": the game folder " << script.folder << " cannot be prepared\n";
        return std::nullopt;
    }
    for (auto [item, level] : QuibblyForm::Instance().Levels())
        if (script.level == level) item->Choose();
    return script;
}

// The count a truthful player gives: the guess's letters found in the word.
inline int Count(const std::string& guess, const std::string& word) {
    int count = 0;
    for (const char letter : guess) count += word.find(letter) != std::string::npos ? 1 : 0;
    return count;
}

}  // namespace quibbly::web_test
