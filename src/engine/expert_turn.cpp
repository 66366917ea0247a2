// SPDX-License-Identifier: GPL-3.0-or-later
// The Expert computer's turn: the same opening, answers and checks as at
// every level, with the guess chosen from the dictionary words the counts
// so far leave possible.
#include <memory>

#include "engine/expert_guesser.h"
#include "engine/functions.h"
#include "platform/services.h"
#include "records/game_review.h"
#include "records/journal.h"
#include "records/kept_game.h"
#include "windows/frame/thinking_form.h"
#include "windows/main/quibbly_form.h"

namespace quibbly::Functions {

namespace {

using Kind = Journal::Note::Kind;

// The dictionary is read at every turn, as every word file is; the strategy
// built on it is kept while the words stay the same. Null when "master.wtf"
// cannot be used: it is named once a game, and the designed search guesses.
const Expert::Guesser* Strategy() {
    static std::unique_ptr<Expert::Guesser> strategy;
    const std::string file = "master.wtf";
    std::vector<std::string> words;
    std::string fault;
    if (!GameReview::ReadDictionary(file, words, fault)) {
        const std::string quoted = "\"" + file + "\"";
        if (ReportedWordFiles.find(quoted) == std::string::npos) {
            ReportedWordFiles += quoted;
            Services().MsgBox(fault + " The Expert computer guesses without it.", MsgButtons::OK,
                              MsgIcon::Exclamation, "Word File Error");
        }
        return nullptr;
    }
    if (strategy == nullptr || strategy->Words() != words)
        strategy = std::make_unique<Expert::Guesser>(words);
    return strategy.get();
}

// The computer's past guesses with their true counts, as My Old Guesses
// shows them; a row of another form (only a damaged saved game brings one)
// is left out.
Expert::History History() {
    Expert::History history;
    for (const std::string& row : QuibblyForm::Instance().MyGuessList.Rows()) {
        const char count = row.empty() ? ' ' : row.back();
        if (StartsWithWord(row) && count >= '0' && count <= '5')
            history.push_back({row.substr(0, 5), count - '0'});
    }
    return history;
}

// "31" words left on average, or "2.5" below ten.
std::string Average(double words) {
    char text[32];
    std::snprintf(text, sizeof text, words < 10 ? "%.1f" : "%.0f", words);
    return text;
}

}  // namespace

bool ExpertChecked() {
    return QuibblyForm::Instance().LevelExpert.Checked();
}

void ExpertTurn() {
    const Expert::Guesser* strategy = Strategy();
    if (strategy == nullptr) {
        DesignedTurn();
        return;
    }
    BeginMyTurn();
    ThinkingForm& thinking = ThinkingForm::Instance();
    thinking.Show();
    thinking.Repaint();
    const Expert::History history = History();
    const Expert::Choice choice = strategy->NextGuess(history);
    thinking.Hide();
    std::string guess = choice.guess;
    if (choice.word >= 0) {
        JournalNote({Kind::Weighed, "", Average(choice.wordsLeft), choice.possible});
    } else {
        // No word gives every count (a hand-made saved game): the first
        // dictionary word not guessed yet.
        for (const std::string& word : strategy->Words())
            if (std::none_of(history.begin(), history.end(),
                             [&](const Expert::Turn& t) { return t.guess == word; })) {
                guess = word;
                break;
            }
        JournalNote({Kind::LastResort, "", "", 0});
    }
    ShowMyGuess(guess);
    KeptGame::Keep();
}

void ExpertLearn() {
    const Expert::Guesser* strategy = Strategy();
    if (strategy == nullptr) return;
    std::uint32_t all = ~0u, some = 0;
    for (int index : strategy->Possible(History())) {
        std::uint32_t letters = 0;
        for (char letter : strategy->Words()[static_cast<std::size_t>(index)])
            letters |= 1u << (letter - 'A');
        all &= letters;
        some |= letters;
    }
    if (some == 0) return;  // nothing fits: what it knew stays
    MyLetters.clear();
    PossibleLetters.clear();
    for (int letter = 0; letter < 26; ++letter) {
        const char name = static_cast<char>('A' + letter);
        if (all & (1u << letter))
            MyLetters.push_back(name);
        else if (some & (1u << letter))
            PossibleLetters.push_back(name);
    }
}

}  // namespace quibbly::Functions
