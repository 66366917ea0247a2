// SPDX-License-Identifier: GPL-3.0-or-later
// The Expert computer on a dictionary of the input: "master.wtf" is the
// input, the player's word one of its words, and the computer begins. Off
// the shipped dictionary's tree, every guess must be the one a brute force
// of the greedy rule finds (the fewest words left on average, the sum of the
// squares over the counts; among equals a word that could be the player's,
// then the first; a single letter set left: its first word), what it knows of
// the letters must be what every word that fits shares and what some hold,
// its reason in the journal must give the words possible and the words left
// on average, and it must name the player's word.
#include <algorithm>
#include <array>
#include <cstdio>
#include <string>
#include <vector>

#include "engine/expert_guesser.h"
#include "engine/functions.h"
#include "fuzz_game.h"
#include "records/game_review.h"
#include "records/journal.h"

using namespace quibbly;
using namespace quibbly::fuzz;

namespace {

// The positions of the guess whose letter is in the word, counted apart.
int Count(const std::string& guess, const std::string& word) {
    return static_cast<int>(
        std::count_if(guess.begin(), guess.end(), [&](char c) { return word.find(c) != std::string::npos; }));
}

std::string LetterSet(std::string word) {
    std::sort(word.begin(), word.end());
    return std::string(word.begin(), std::unique(word.begin(), word.end()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quibbly::Functions;
    QuibblyForm& form = FreshProgram();
    WriteFile("master.wtf", Text(data, size));
    std::vector<std::string> words;
    std::string fault;
    if (!GameReview::ReadDictionary("master.wtf", words, fault) || words.empty() || words.size() > 400)
        return 0;
    if (Expert::Guesser(words).TreeInUse()) return 0;  // the shipped dictionary plays its tree
    // A word repeated is one word: the first of its copies stands.
    std::vector<std::string> distinct;
    for (const std::string& word : words)
        if (std::find(distinct.begin(), distinct.end(), word) == distinct.end()) distinct.push_back(word);
    words = distinct;
    const std::string secret = words[size % words.size()];
    form.LevelExpert.Choose();
    Scripted().NextRandom(0.5);  // the computer's word
    Scripted().NextRandom(0.0);  // the computer begins
    form.YourWordText.Type(secret + "\r");
    Scripted().TakeBoxes();
    if (PlayState != Play::MyTurn) return 0;  // a dictionary the start refuses is another target's

    for (std::size_t turn = 1; PlayState == Play::MyTurn; ++turn) {
        Expect(turn <= words.size(), "the player's word not named after guessing every word");
        std::vector<std::pair<std::string, int>> history;
        for (const std::string& row : form.MyGuessList.Rows())
            history.emplace_back(row.substr(0, 5), row.back() - '0');
        std::vector<int> fit;
        for (int w = 0; w < static_cast<int>(words.size()); ++w)
            if (std::all_of(history.begin(), history.end(), [&](const auto& h) {
                    return h.first != words[w] && Count(h.first, words[w]) == h.second;
                }))
                fit.push_back(w);
        Expect(!fit.empty(), "no word fits the true counts");
        std::string known, maybe;
        for (char letter = 'A'; letter <= 'Z'; ++letter) {
            const auto holds = [&](int w) { return words[w].find(letter) != std::string::npos; };
            if (std::all_of(fit.begin(), fit.end(), holds))
                known += letter;
            else if (std::any_of(fit.begin(), fit.end(), holds))
                maybe += letter;
        }
        Expect(history.empty() || MyLetters + "|" + PossibleLetters == known + "|" + maybe,
               "letters known " + MyLetters + "|" + PossibleLetters + ", not " + known + "|" + maybe);
        const auto squares = [&](const std::string& guess) {
            std::array<double, 6> left{};
            for (int w : fit)
                if (words[w] != guess) ++left[static_cast<std::size_t>(Count(guess, words[w]))];
            double sum = 0;
            for (double n : left) sum += n * n;
            return sum;
        };
        std::string greedy = words[fit.front()];
        if (std::any_of(fit.begin(), fit.end(),
                        [&](int w) { return LetterSet(words[w]) != LetterSet(greedy); })) {
            double best = -1;
            bool bestFits = false;
            for (int w = 0; w < static_cast<int>(words.size()); ++w) {
                const double sum = squares(words[w]);
                const bool fits = std::binary_search(fit.begin(), fit.end(), w);
                if (best < 0 || sum < best || (sum == best && fits && !bestFits))
                    best = sum, bestFits = fits, greedy = words[w];
            }
        }
        const std::string guess = form.MyGuessText.Text();
        Expect(guess == greedy, "guessed " + guess + " where the greedy guess is " + greedy);
        char average[16];
        const double left = squares(guess) / static_cast<double>(fit.size());
        std::snprintf(average, sizeof average, left < 10 ? "%.1f" : "%.0f", left);

        if (guess == secret) {
            form.CorrectButton.Press();
            break;
        }
        form.CountButtons()[static_cast<std::size_t>(Count(guess, secret))]->Press();
        const std::vector<Journal::Note>& notes = MyJournal.back().notes;
        Expect(std::any_of(notes.begin(), notes.end(),
                           [&](const Journal::Note& n) {
                               return n.kind == Journal::Note::Kind::Weighed &&
                                      n.number == static_cast<int>(fit.size()) && n.other == average;
                           }),
               "a reason that is not " + std::to_string(fit.size()) + " words, " + average +
                   " left: " + Journal::Format(MyJournal.back()));
        Scripted().TakeBoxes();
        // The player's turn: a word that misses the computer's.
        form.YourGuessText.Type((MyWord == words.front() ? words.back() : words.front()) + "\r");
        Scripted().TakeBoxes();
        if (PlayState == Play::YourTurn) return 0;  // a guess the game's own reading refuses
    }
    Expect(PlayState == Play::Over, "the game did not end when its word was named");
    return 0;
}
