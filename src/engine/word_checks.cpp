// SPDX-License-Identifier: GPL-3.0-or-later
// The checks that every typed word goes through, and the dictionary look-up.
#include "engine/functions.h"
#include "platform/services.h"
#include "platform/text_file.h"
#include "windows/main/quibbly_form.h"

namespace quibbly::Functions {

int PairCount(const std::string& word) {
    int pairs = 0;
    for (std::size_t i = 0; i < 5 && i < word.size(); ++i)
        for (std::size_t j = 0; j < 5 && j < word.size(); ++j)
            if (word[i] == word[j]) ++pairs;
    return pairs;
}

bool StartsWithWord(const std::string& line) {
    if (line.size() < 5) return false;
    for (std::size_t i = 0; i < 5; ++i)
        if (line[i] < 'A' || line[i] > 'Z') return false;
    return true;
}

void ReportFileFault(const std::string& file, const std::string& fault) {
    Services().MsgBox("The word file \"" + file + "\" " + fault + ".", MsgButtons::OK, MsgIcon::Exclamation,
                      "Word File Error");
}

void CheckYourWord(const std::string& word) {
    WordOK = true;
    std::string message;
    if (word.size() < 5) {
        WordOK = false;
        message = "You must have 5-letter word.";
    } else {
        // Hard's rule holds at Expert too: a word may repeat a letter.
        if (PairCount(word) > 5 && !QuibblyForm::Instance().LevelHard.Checked() &&
            !QuibblyForm::Instance().LevelExpert.Checked()) {
            WordOK = false;
            message = "You are not playing the hard game, you cannot have duplicate letters in your word.";
        }
        for (std::size_t i = 0; i < 5; ++i) {
            char ch = word[i];
            if (ch >= 'a' && ch <= 'z') ch = static_cast<char>(ch - 'a' + 'A');
            if (ch < 'A' || ch > 'Z') {
                WordOK = false;
                message = "You must use a valid word.";
            }
        }
    }
    if (!WordOK) Services().MsgBox(message, MsgButtons::OK, MsgIcon::Information, "Game Start Error");
}

void FindInMaster(const std::string& word) {
    const std::string file = "master.wtf";
    TextFileReader in(file);
    if (!in.IsOpen()) {
        // Without the dictionary no word can be accepted.
        ReportFileFault(file, "is missing or cannot be read");
        WordOK = false;
        return;
    }
    std::string line;
    in.ReadLine(line);  // the word count
    bool found = false;
    bool anyWord = false;
    while (!found && in.ReadLine(line)) {
        found = line.compare(0, 5, word) == 0 && word.size() == 5;
        anyWord = anyWord || StartsWithWord(line);
    }
    if (in.Failed()) {
        ReportFileFault(file, "cannot be read to its end");
        WordOK = false;
        return;
    }
    if (!anyWord) {
        // An empty or damaged dictionary, not a misspelt word: say so.
        ReportFileFault(file, "holds no words");
        WordOK = false;
        return;
    }
    if (!found) {
        Services().MsgBox("Please check that you've spelled that right.", MsgButtons::OK,
                          MsgIcon::Exclamation, "Word not found");
        WordOK = false;
    }
}

}  // namespace quibbly::Functions
