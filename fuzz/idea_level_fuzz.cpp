// SPDX-License-Identifier: GPL-3.0-or-later
// The Idea window's reading of the level file: the input is "easy.wtf".
// Before a game the player opens Word > Idea, asks for another word, and
// takes the idea as the secret word. Either the window proposes a word of
// the file, or the player is told what is wrong with the file and the
// window closes; a game then starts on the mended file.
#include <string>

#include "engine/functions.h"
#include "fuzz_game.h"
#include "support/standard_files.h"
#include "windows/tools/idea_form.h"

using namespace quibbly;
using namespace quibbly::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    QuibblyForm& form = FreshProgram();
    const std::string_view input = Text(data, size);
    WriteFile("easy.wtf", input);

    form.WordIdea.Choose();
    IdeaForm& idea = IdeaForm::Instance();
    std::vector<ShownBox> boxes = Scripted().TakeBoxes();
    ExpectOnlyKnownBoxes(boxes, {"Word File Error"});
    if (ShowedFileFault(boxes, "easy.wtf")) {
        Expect(boxes.size() == 1, "more than one box for a bad level file");
        Expect(!idea.Visible(), "the Idea window stayed open without a word");
    } else {
        for (int draw = 0; draw < 2; ++draw) {
            const std::string word = idea.IdeaLabel.Caption();
            Expect(IsWord(word), "the idea \"" + word + "\" is not a five-letter word");
            Expect(IsLineOf(input, word), "the idea " + word + " is not a line of the level file");
            idea.NewButton.Press();
        }
        idea.OKButton.Press();
        Expect(IsWord(form.YourWordText.Text()), "the idea did not reach the word box");
    }

    // On the mended file the idea is taken and a game starts with it.
    WriteFile("easy.wtf", testing::StandardEasy);
    form.FileNew.Choose();  // a new game loads the level's words afresh
    form.WordIdea.Choose();
    IdeaForm::Instance().OKButton.Press();
    form.YourWordText.Type("\r");
    Expect(!form.GameStart.Enabled() && IsWord(Functions::MyWord), "no game on the mended level file");
    return 0;
}
