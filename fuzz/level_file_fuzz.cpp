// SPDX-License-Identifier: GPL-3.0-or-later
// The level file read at the start of a game: the input is "easy.wtf", the
// player types a good word and presses Enter. Either the game starts with a
// word of the file, or the player is told what is wrong with the file and can
// start again once the file is good.
#include <string>

#include "engine/functions.h"
#include "fuzz_game.h"
#include "support/standard_files.h"

using namespace quibbly;
using namespace quibbly::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    QuibblyForm& form = FreshProgram();
    const std::string_view input = Text(data, size);
    WriteFile("easy.wtf", input);

    form.YourWordText.Type("house\r");
    std::vector<ShownBox> boxes = Scripted().TakeBoxes();
    if (ShowedFileFault(boxes, "easy.wtf")) {
        Expect(boxes.size() == 1, "more than one box for a bad level file");
        Expect(form.GameStart.Enabled() && form.YourWordText.Enabled(),
               "Start closed after a bad level file");
        Expect(form.YourWordText.Text() == "HOUSE", "the player's word lost after a bad level file");
        Expect(!form.GuessButton.Enabled() && !form.ZeroButton.Enabled(),
               "play controls open without a game");
    } else {
        const std::string& word = Functions::MyWord;
        Expect(IsWord(word), "the computer's word \"" + word + "\" is not a five-letter word");
        Expect(IsLineOf(input, word), "the computer's word " + word + " is not a line of the level file");
        Expect(!form.GameStart.Enabled(), "Start still open during a game");
        Expect(Functions::LevelWordCount >= 1 && Functions::LevelWordCount <= Functions::MaxLevelWords,
               "a level word count of " + std::to_string(Functions::LevelWordCount));
    }
    ExpectOnlyKnownBoxes(boxes, {"Word File Error"});

    // The player mends the file and tries again: the game must start.
    if (form.GameStart.Enabled()) {
        WriteFile("easy.wtf", testing::StandardEasy);
        form.YourWordText.SetText("");
        form.YourWordText.Type("PLANT\r");
        Expect(!form.GameStart.Enabled() && IsWord(Functions::MyWord),
               "no game after the level file was mended");
    }
    return 0;
}
