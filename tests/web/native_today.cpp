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
#include "native_script.h"
#include "platform/scripted_platform.h"
#include "windows/main/quibbly_form.h"
#include "windows/records/player_form.h"
#include "windows/records/statistics_form.h"
#include "windows/records/winners_form.h"

using namespace quibbly;

int main(int argc, char** argv) {
    static ScriptedPlatform platform;
    platform.dateTime = LocalDateTime(std::time(nullptr));
    const std::optional<web_test::Script> script =
        web_test::StartScript(platform, argc, argv, "native_today");
    if (!script) return 2;
    const std::string& word = script->word;
    std::vector<std::string> guesses = script->guesses;
    QuibblyForm& form = QuibblyForm::Instance();
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
            if (theirs == word)
                form.CorrectButton.Press();
            else
                form.CountButtons()[static_cast<std::size_t>(web_test::Count(theirs, word))]->Press();
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
    std::filesystem::remove_all(script->folder);
    return 0;
}
