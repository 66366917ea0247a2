// SPDX-License-Identifier: GPL-3.0-or-later
// The word checks' look-up in the dictionary: the input is "master.wtf". The
// player types a word and presses Enter, and guesses a word once the game is
// on. Each look-up either accepts the word, says it is not in the
// dictionary, or names the file and its fault; nothing starts on a refusal.
#include <string>

#include "engine/functions.h"
#include "fuzz_game.h"

using namespace quibbly;
using namespace quibbly::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    QuibblyForm& form = FreshProgram();
    WriteFile("master.wtf", Text(data, size));
    Scripted().NextRandom(0.5);  // the computer's word: PLANT
    Scripted().NextRandom(0.9);  // the player begins

    form.YourWordText.Type("house\r");
    std::vector<ShownBox> boxes = Scripted().TakeBoxes();
    ExpectOnlyKnownBoxes(boxes, {"Word File Error", "Word not found"});
    if (!boxes.empty()) {
        Expect(boxes.size() == 1, "more than one box for one look-up");
        ShowedFileFault(boxes, "master.wtf");
        Expect(form.GameStart.Enabled() && form.YourWordText.Text() == "HOUSE",
               "a refused word changed the board");
        Expect(!form.GuessButton.Enabled(), "the Guess button open without a game");
        return 0;
    }
    Expect(Functions::WordOK && !form.GameStart.Enabled(), "an accepted word did not start the game");
    Expect(form.GuessButton.Enabled(), "the player does not have the first turn");

    // A guess goes through the same look-up; a refused guess keeps the turn.
    form.YourGuessText.Type("CRISP\r");
    boxes = Scripted().TakeBoxes();
    Expect(!boxes.empty(), "a guess with no answer");
    if (boxes.front().title == "Your Guess") {
        Expect(form.YourGuessList.ListCount() == 1, "an answered guess not listed");
    } else {
        ExpectOnlyKnownBoxes(boxes, {"Word File Error", "Word not found"});
        ShowedFileFault(boxes, "master.wtf");
        Expect(form.YourGuessList.ListCount() == 0 && form.GuessButton.Enabled(),
               "a refused guess ended the turn");
    }
    return 0;
}
