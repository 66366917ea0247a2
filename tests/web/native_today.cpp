// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop build's today's word for the browser test: on the scripted
// platform with the real local date (TZ decides it, as the browser's zone
// does the page's), turns Today's Word on, starts a game at the level with
// every draw from the generator the page's test hook seeds, plays the
// guesses and then the day's word (the computer's guesses answered truly),
// and prints the day's word and the statistics window's share line.
//
//   native_today SEED LEVEL WORD GUESS,GUESS,...
#include <unistd.h>

#include <ctime>
#include <filesystem>
#include <iostream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "app/game_folder.h"
#include "engine/functions.h"
#include "platform/scripted_platform.h"
#include "windows/main/quibbly_form.h"
#include "windows/records/player_form.h"
#include "windows/records/statistics_form.h"
#include "windows/records/winners_form.h"

using namespace quibbly;

int main(int argc, char** argv) {
    if (argc != 5) {
        std::cerr << "usage: native_today SEED LEVEL WORD GUESS,GUESS,...\n";
        return 2;
    }
    static ScriptedPlatform platform;
    platform.dateTime = LocalDateTime(std::time(nullptr));
    std::mt19937_64 draws(std::stoull(argv[1]));
    for (int i = 0; i < 100000; ++i) platform.NextRandom(static_cast<double>(draws() >> 11) * 0x1.0p-53);
    const std::string level = argv[2], word = argv[3];
    std::vector<std::string> guesses;
    std::stringstream list(argv[4]);
    for (std::string guess; std::getline(list, guess, ',');) guesses.push_back(guess);

    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("quibbly-native-today-" + std::to_string(::getpid()));
    std::filesystem::remove_all(folder);
    InstallPlatform(&platform);
    if (!PrepareGameFolder({QUIBBLY_DATA_DIR}, folder).entered) return 1;
    QuibblyForm& form = QuibblyForm::Instance();
    for (auto [item, name] : form.Levels())
        if (level == name) item->Choose();
    form.GameTodaysWord.Choose();
    form.YourWordText.Type(word + "\r");
    const std::string today = Functions::MyWord;
    guesses.push_back(today);
    std::size_t guessed = 0;
    for (int step = 0; step < 200 && Functions::GameOn; ++step) {
        if (form.GuessButton.Enabled() && guessed < guesses.size()) {
            form.YourGuessText.Type(guesses[guessed++] + "\r");
        } else if (form.CorrectButton.Enabled()) {
            const std::string theirs = form.MyGuessText.Text();
            int count = 0;
            for (const char letter : theirs) count += word.find(letter) != std::string::npos ? 1 : 0;
            if (theirs == word)
                form.CorrectButton.Press();
            else
                form.CountButtons()[static_cast<std::size_t>(count)]->Press();
        } else {
            break;
        }
    }
    if (PlayerForm::Instance().Visible()) {
        PlayerForm::Instance().NameText.Type("DAY\r");
        WinnersForm::Instance().OKButton.Press();
    }
    form.GameStatistics.Choose();
    StatisticsForm::Instance().CopyButton.Press();
    std::cout << "TODAY " << platform.dateTime.substr(0, 10) << " " << today << "\nSHARE "
              << platform.clipboard << "\n";
    std::filesystem::remove_all(folder);
    return 0;
}
