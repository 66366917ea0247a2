// SPDX-License-Identifier: GPL-3.0-or-later
// The computer's reading of "series.wtf" and "master.wtf" while it builds its
// lists of guesses. The input's first line sets what the computer knows: the
// letters it has found, how many it needs before it turns to the dictionary,
// and the counts the player answers with, e.g. "ES 1 3250". Then come the
// series file, a line "=====", the dictionary, and, after another "=====",
// the easy words that the series start from (the standard ones when there is
// no such part). The computer plays its turns on them; every turn must end
// with a guess of at most five letters, and its journal must read back.
#include <algorithm>
#include <string>

#include "engine/functions.h"
#include "fuzz_game.h"
#include "records/journal.h"
#include "windows/frame/thinking_form.h"

using namespace quibbly;
using namespace quibbly::fuzz;

namespace {

struct KnownState {
    std::string letters;
    int threshold = 3;
    std::string answers;
};

KnownState ReadState(std::string_view line) {
    KnownState state;
    std::size_t field = 0;
    for (char ch : line) {
        if (ch == ' ') {
            ++field;
        } else if (field == 0 && ch >= 'A' && ch <= 'Z' && state.letters.size() < 5) {
            state.letters.push_back(ch);
        } else if (field == 1 && ch >= '0' && ch <= '9') {
            state.threshold = ch - '0';
        } else if (field == 2 && ch >= '0' && ch <= '9' && state.answers.size() < 6) {
            state.answers.push_back(static_cast<char>('0' + (ch - '0') % 6));
        }
    }
    return state;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quibbly::Functions;
    QuibblyForm& form = GameUnderWay();
    const std::string_view input = Text(data, size);
    const std::size_t firstLineEnd = std::min(input.find('\n'), input.size());
    const KnownState state = ReadState(input.substr(0, firstLineEnd));
    const auto [series, rest] = SplitAtLine(input.substr(std::min(firstLineEnd + 1, input.size())), "=====");
    const auto [master, easy] = SplitAtLine(rest, "=====");

    // The files change under a game the player began.
    Expect(form.GuessButton.Enabled(), "the game did not start on the standard files");
    Scripted().TakeBoxes();
    WriteFile("series.wtf", series);
    WriteFile("master.wtf", master);
    if (!easy.empty()) WriteFile("easy.wtf", easy);
    MyLetters = state.letters;
    PossibleLetters.clear();
    for (char letter : std::string(Alphabet))
        if (MyLetters.find(letter) == std::string::npos) PossibleLetters.push_back(letter);
    LetterThreshold = static_cast<Integer>(state.threshold);

    // The computer's turn, the player's answer, and on.
    for (std::size_t turn = 0; turn <= state.answers.size(); ++turn) {
        MyTurn();
        const std::vector<ShownBox> boxes = Scripted().TakeBoxes();
        ExpectOnlyKnownBoxes(boxes, {"Word File Error"});
        for (const ShownBox& box : boxes) {
            bool named = false;
            for (const char* file : {"\"series.wtf\"", "\"master.wtf\"", "\"easy.wtf\""})
                named = named || box.text.find(file) != std::string::npos;
            Expect(named, "a fault that names no file the computer reads: " + box.text);
        }
        const std::string& guess = form.MyGuessText.Text();
        Expect(guess.size() <= 5, "a guess of " + std::to_string(guess.size()) + " characters");
        Expect(CandidateCount >= 0 && CandidateCount <= MaxCandidates,
               "a list of " + std::to_string(CandidateCount) + " words");
        Expect(!ThinkingForm::Instance().Visible(), "the thinking window left up");
        if (turn == state.answers.size() || !GameOn) break;
        form.CountButtons()[static_cast<std::size_t>(state.answers[turn] - '0')]->Press();
        if (!GameOn) break;
        Scripted().TakeBoxes();
    }
    // The journal goes into the history: every turn must read back as written.
    for (const Journal::Turn& turn : MyJournal) {
        Journal::Turn back;
        Expect(Journal::Parse(Journal::Format(turn), back) && back == turn,
               "a journal turn that does not read back: " + Journal::Format(turn));
    }
    return 0;
}
