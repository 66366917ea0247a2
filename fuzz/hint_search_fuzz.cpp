// SPDX-License-Identifier: GPL-3.0-or-later
// The Hint window's search of the dictionary: the input is "master.wtf".
// During a game the player opens Word > Hint and searches twice, for every
// word with E, then for at most two words with S and T. Every word listed
// holds the letters, no more are listed than asked for, the progress bar
// stays within its range, and a fault names the file.
#include <string>

#include "engine/functions.h"
#include "fuzz_game.h"
#include "windows/tools/hint_form.h"

using namespace quibbly;
using namespace quibbly::fuzz;

namespace {

void ExpectListed(const HintForm& hint, const std::string& letters, std::size_t most) {
    Expect(static_cast<std::size_t>(hint.HintList.ListCount()) <= most, "more words listed than asked for");
    for (const std::string& word : hint.HintList.Rows()) {
        Expect(word.size() <= 5, "a listed word of more than five characters");
        for (char letter : letters)
            Expect(word.find(letter) != std::string::npos, "the listed word " + word + " lacks " + letters);
    }
    Expect(hint.ProgressBar.Value() >= 0 && hint.ProgressBar.Value() <= hint.ProgressBar.Max(),
           "the progress bar beyond its range");
    Expect(hint.DoneButton.Caption() == "Done" && hint.ShowButton.Enabled(), "the search did not end");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    QuibblyForm& form = GameUnderWay();
    Expect(form.WordHint.Enabled(), "Word > Hint closed during a game");
    WriteFile("master.wtf", Text(data, size));

    form.WordHint.Choose();
    HintForm& hint = HintForm::Instance();
    hint.LettersText.Type("e\r");
    ExpectListed(hint, "E", static_cast<std::size_t>(-1));
    hint.SomeOption.Press();
    hint.NumberText.SetText("2");
    hint.LettersText.SetText("");
    hint.LettersText.Type("st");
    hint.ShowButton.Press();
    ExpectListed(hint, "ST", 2);

    const std::vector<ShownBox> boxes = Scripted().TakeBoxes();
    ExpectOnlyKnownBoxes(boxes, {"Word File Error"});
    if (!boxes.empty()) ShowedFileFault(boxes, "master.wtf");
    // A listed word goes into the guess box.
    if (hint.HintList.ListCount() > 0) {
        hint.HintList.SetListIndex(0);
        hint.HintList_Click();
        Expect(form.YourGuessText.Text() == hint.HintList.List(0),
               "a clicked word did not reach the guess box");
    }
    return 0;
}
