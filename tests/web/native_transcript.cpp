// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop build's side of the browser test: plays the browser test's
// script through the handlers on the scripted platform, with every draw
// from the generator the page's test hook seeds, and prints the transcript
// (each message box, both guess lists) that the page must match.
//
//   native_transcript SEED LEVEL WORD GUESS,GUESS,...
//
// The first game: the player's guesses in turn, the computer's word as the
// player's second guess (in the first game only); the computer's first guess answered one too many,
// its later ones truly; a win's name is "WEB". Every question is answered
// No. The second game: three moves, Pause, Resume, Quit Game; then Exit and
// Done.
#include <unistd.h>

#include <cstdint>
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
#include "windows/frame/credits_form.h"
#include "windows/main/quibbly_form.h"
#include "windows/records/player_form.h"
#include "windows/records/winners_form.h"

using namespace quibbly;

namespace {

ScriptedPlatform platform;

void PrintBoxes() {
    static const char* icons[] = {"none", "information", "exclamation"};
    for (const ShownBox& box : platform.TakeBoxes()) {
        std::string text;
        for (const char ch : box.text)
            text += ch == '\n' ? std::string("\\n") : ch == '\r' ? "" : std::string(1, ch);
        std::cout << "BOX " << icons[static_cast<int>(box.icon)] << " "
                  << (box.buttons == MsgButtons::OK      ? "OK"
                      : box.buttons == MsgButtons::YesNo ? "Yes/No"
                                                         : "Yes/No,default-No")
                  << " " << box.title << "|" << text << "\n";
    }
}

void PrintLists() {
    QuibblyForm& form = QuibblyForm::Instance();
    for (const auto& [name, list] :
         {std::pair{"YOURS", &form.YourGuessList}, std::pair{"MINE", &form.MyGuessList}}) {
        std::cout << name;
        for (const std::string& row : list->Rows()) std::cout << "|" << row;
        std::cout << "\n";
    }
}

}  // namespace

int main(int argc, char** argv) {
    const std::optional<web_test::Script> script =
        web_test::StartScript(platform, argc, argv, "native_transcript");
    if (!script) return 2;
    const std::string& word = script->word;
    const std::vector<std::string>& guesses = script->guesses;
    QuibblyForm& form = QuibblyForm::Instance();

    std::size_t guessed = 0;
    int answered = 0;
    // One move of the player's: a guess, or the answer to the computer's.
    auto move = [&] {
        if (form.GuessButton.Enabled()) {
            const std::string guess = guessed == 1 ? Functions::MyWord : guesses.at(guessed % guesses.size());
            ++guessed;
            form.YourGuessText.Type(guess + "\r");
        } else if (form.CorrectButton.Enabled()) {
            const std::string theirs = form.MyGuessText.Text();
            if (theirs == word) {
                form.CorrectButton.Press();
            } else {
                const int count = web_test::Count(theirs, word) + (answered == 0 ? 1 : 0);
                form.CountButtons()[static_cast<std::size_t>(count % 6)]->Press();
            }
            ++answered;
        }
        PrintBoxes();
    };
    form.YourWordText.Type(word + "\r");
    std::cout << "DRAWN " << Functions::MyWord << "\n";  // the player's second guess, not compared
    for (int step = 0; step < 200 && Functions::GameOn && !PlayerForm::Instance().Visible(); ++step) move();
    if (PlayerForm::Instance().Visible()) {
        PlayerForm::Instance().NameText.Type("WEB\r");
        WinnersForm::Instance().OKButton.Press();
    }
    PrintBoxes();
    PrintLists();

    form.FileNew.Choose();
    form.YourWordText.Type(word + "\r");
    for (int step = 0; step < 3; ++step) move();
    form.GamePause.Choose();
    form.GameResume.Choose();
    form.FileQuit.Choose();
    PrintBoxes();
    PrintLists();
    form.FileExit.Choose();
    CreditsForm::Instance().DoneButton.Press();
    PrintBoxes();
    std::cout << (platform.ended ? "ENDED" : "NOT ENDED") << "\n";
    Forms::DropAll();
    std::filesystem::remove_all(script->folder);
    return 0;
}
